#!/usr/bin/env python3
"""Differential run of two tovarin-reduce builds on generated bench files.

Usage: differential.py OLD_BINARY NEW_BINARY [--count N] [--seed S]

Each case writes a bench file (random unit, kind, separators, header, row
count, noise; King curves, S-shaped hot-film curves, frequency sensors to
12 kHz, zero-flow rows, ill-conditioned and failing sets), picks a random
set of options (every output: fields, --json, --log, --save-settings,
--table, --report, --record, --previous, checks, batches with --summary),
runs both binaries in twin folders and compares exit status, standard
output, standard error and every file written, byte for byte. The only
normalisation: the fit's "start" value, "specified" in builds before it
was renamed "default". Prints the number of cases and of differences.
"""

import argparse
import re
import math
import os
import random

STRIP_MODELS = os.environ.get("STRIP_MODELS") == "1"
import shutil
import subprocess
import sys
import tempfile

FLOW_UNITS = ["g/s", "g/sec", "kg/h", "Kg/hr", "lb/h", "lbs/hr", "SCFM", "scfm"]
OUTPUT_UNITS = ["10*mg/sec", "mg/s", "g/sec", "kg/h"]
UNIT_FACTOR = {"g": 1.0, "k": 3.6, "l": 1.0 / 0.125997881, "s": 1.0 / 0.566328}


def number(value, rng, decimal_comma=False):
    digits = rng.choice([1, 2, 3, 4, 6])
    text = f"{value:.{digits}f}"
    if rng.random() < 0.05:
        text = f"{value:.3e}"
    return text.replace(".", ",") if decimal_comma else text


def sensor_rows(rng, volts):
    """Reference flows in g/s and responses of one plausible (or broken) sensor."""
    count = rng.choice([0, 1, 2, 3, 4, 5, 8, 12, 16, 19, 19, 19, 20, 23])
    top = rng.uniform(50, 700)
    low = rng.uniform(0.002, 0.02)  # smallest flow as a share of full scale
    flows = [top * low ** ((count - 1 - i) / max(count - 1, 1)) for i in range(count)]
    if count and rng.random() < 0.5:
        flows[0] = 0.0  # a bench row at zero flow
    shape = rng.choice(["king", "king", "hotfilm", "freq", "flat", "wild"])
    a, b, c = rng.uniform(0.5, 1.2), rng.uniform(0.05, 0.5), rng.uniform(0.3, 0.7)
    rows = []
    for q in flows:
        if shape == "king":
            r = a + b * q ** c
        elif shape == "hotfilm":  # S-shaped error against King
            x = math.log1p(q)
            r = 0.9 + 0.75 * x - 0.02 * x ** 3 + 0.12 * math.tanh(x - 3)
        elif shape == "freq":
            r = 1500 + 10500 * (q / top) ** 0.45
        elif shape == "flat":
            r = 2.5
        else:
            r = rng.uniform(-1, 5)
        r *= 1 + rng.gauss(0, rng.choice([0, 0.001, 0.01, 0.05]))
        if not volts and shape != "freq":
            r *= 2400
        rows.append((q, r))
    if count > 3 and rng.random() < 0.15:  # the table ends early
        i = rng.randrange(1, count)
        rows[i] = (rows[i - 1][0] * rng.choice([0.5, 1.0]), rows[i][1])
    if rng.random() < 0.05:
        rows.reverse()
    return rows, shape


def bench_file(rng, rows, unit, three_columns):
    style = rng.choice(["comma", "tab", "blank", "semicolon", "sep", "plain"])
    comma = style in ("semicolon", "sep")
    sep = {"comma": ",", "tab": "\t", "blank": "  ", "semicolon": ";", "sep": ";",
           "plain": ","}[style]
    lines = []
    if rng.random() < 0.1:
        lines.append("\ufeff# bench export")
    if style == "sep":
        lines.append("sep=;")
    if three_columns:
        lines.append(sep.join(["Time [s]", "Flow [x]", "Signal"]))
    elif style != "plain" and rng.random() < 0.6:
        lines.append(sep.join(["flow", "volts"]))
    factor = UNIT_FACTOR[unit[0].lower()]
    for i, (q, r) in enumerate(rows):
        fields = [number(q * factor, rng, comma), number(r, rng, comma)]
        if three_columns:
            fields = [str(i)] + fields
        line = sep.join(fields)
        if rng.random() < 0.05:
            line += "  # note"
        lines.append(line)
        if rng.random() < 0.03:
            lines.append("")
    return "\n".join(lines) + ("\n" if rng.random() < 0.9 else "")


def settings_file(rng):
    lines = [f"{rng.uniform(0, 100):f}\t{rng.uniform(0, 5):f}" for _ in range(19)]
    lines += [str(rng.randrange(4)), str(rng.randrange(2)), rng.choice(["HFM5", "", "LMM"])]
    return "\n".join(lines) + "\n"


def options(rng, volts, three_columns, name, previous):
    args = []
    pick = lambda p: rng.random() < p
    unit = rng.choice(FLOW_UNITS)
    args += ["--flow-unit", unit]
    if not volts or pick(0.3):
        args += ["--response", "Freq" if not volts else "Volts"]
    if three_columns:
        args += ["--columns", rng.choice(["2,3", "Flow [x],Signal"])]
    if pick(0.3):
        args += ["--meter", rng.choice(["HFM-5", "LMM_1", "x" * 40])]
    if pick(0.4):
        args.append("--json")
    if pick(0.3):
        args.append("--check")
    for opt, gen in [("--idle-flow", lambda: rng.choice(["0", "2", "5.5"])),
                     ("--max-flow-error", lambda: rng.choice(["0.5", "2", "10"])),
                     ("--max-word", lambda: rng.choice(["0", "32767", "65535"])),
                     ("--max-table-error", lambda: rng.choice(["0.1", "0.5", "3"])),
                     ("--response-min", lambda: rng.choice(["0", "0.5", "1000", "-1"])),
                     ("--response-max", lambda: rng.choice(["5", "4.5", "12000", "3"])),
                     ("--points", lambda: rng.choice(["0", "1", "2", "17", "256", "1024"])),
                     ("--output-unit", lambda: rng.choice(OUTPUT_UNITS))]:
        if pick(0.2):
            args += [opt, gen()]
    outputs = [("--log", "log"), ("--save-settings", "cfg"), ("--table", "inc"),
               ("--report", "html"), ("--record", "rec.html")]
    for opt, ext in outputs:
        if pick(0.3):
            args += [opt, f"{name}.{ext}"]
    if previous and pick(0.3):
        args += ["--previous", previous]
        if pick(0.5):
            args += ["--max-drift", rng.choice(["1", "5"])]
    if pick(0.2):
        args += ["--serial", "SN-42</script><b>", "--operator", "A. Tester"]
    return args, unit


def run(binary, args, folder, stdin_text=None):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1796637600", LC_ALL="C")
    done = subprocess.run([binary] + args, cwd=folder, input=stdin_text, capture_output=True,
                          env=env, timeout=60)
    return done.returncode, done.stdout, done.stderr


def normalise(data):
    data = data.replace(b'"start": "specified"', b'"start": "default"')
    # Builds before the uncertainty budget: its JSON members as a run without
    # budget inputs gives them, the record's summary, and its scatter-only caption and style.
    data = data.replace(b', "mcLowGs": null, "mcHighGs": null, "linearValid": null', b'')
    data = re.sub(rb', "expandedUncertaintyPct": null(?=\})', b'', data)
    data = data.replace(b', "uncertaintyBudget": null', b'')
    data = re.sub(rb'<section id="summary">.*?</section>\n', b'', data)
    data = data.replace(b'<caption>Scatter about the fit only; not a calibration '
                        b'uncertainty</caption>', b'')
    data = data.replace(b'caption{font-weight:bold;text-align:left;padding:2pt 0}table.budget'
                        b'{font-size:8pt}table.points td{white-space:nowrap}', b'')
    if not STRIP_MODELS:
        return data
    # Builds before the models (STRIP_MODELS=1): the JSON members "model" and "models", the
    # readable comparison after the verdict and the summary's model column.
    data = re.sub(rb', "model": "[a-z-]+", "models": (null|\[.*?\])(?=(, "drift"|, "file"|, "exitCode"|}\s))',
                  b'', data)
    data = re.sub(rb'\n  Model        Flow error.*?(?=Drift:|\Z)', b'', data, flags=re.S)
    # ... and before the table layouts: the table's layout members, which a
    # default table gives as below.
    data = re.sub(rb', "breakpoints": null, "wordType": "int", "wordScale": 1, "format": "dw", '
                  rb'"placedInterpolationErrorPct": null, "evenInterpolationErrorPct": [^,}]+\}',
                  b'}', data)
    if b',checks,model\n' not in data:
        return data
    data = data.replace(b',checks,model\n', b',checks\n')
    return re.sub(rb',(king|king-offset|poly|monotone)?(?=\n)', b'', data)


def snapshot(folder):
    files = {}
    for root, _, names in os.walk(folder):
        for n in names:
            path = os.path.join(root, n)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = normalise(f.read())
    return files


def one_case(rng, index, old, new, work):
    folders = [os.path.join(work, f"{index}-{side}") for side in ("old", "new")]
    volts = rng.random() < 0.7
    three = rng.random() < 0.1
    batch = rng.random() < 0.12
    files = {}
    inputs = []
    for k in range(rng.choice([2, 3, 5]) if batch else 1):
        rows, _ = sensor_rows(rng, volts)
        unit = rng.choice(FLOW_UNITS)
        name = f"in{k}" if not batch or k % 2 == 0 else f"sub/in{k}"
        files[name + ".csv"] = bench_file(rng, rows, unit, three)
        inputs.append(name + ".csv")
    previous = None
    if rng.random() < 0.2:
        rows, _ = sensor_rows(rng, volts)
        files["prev.csv"] = bench_file(rng, rows, "g/s", False)
        previous = "prev.json"
    if rng.random() < 0.1:
        files["start.cfg"] = settings_file(rng)
    args, _ = options(rng, volts, three, "{stem}" if batch else "out", previous)
    if "start.cfg" in files and rng.random() < 0.5:
        args += ["--settings", "start.cfg"]
    stdin_text = None
    if batch:
        if rng.random() < 0.5:
            args += ["--summary", "summary.csv"]
        if rng.random() < 0.5:
            args += ["--jobs", rng.choice(["1", "2"])]
        if rng.random() < 0.3:
            files["list.txt"] = "\n".join(inputs) + "\n"
            args += ["--files-from", "list.txt"]
        else:
            args += ["--"] + inputs
    elif rng.random() < 0.1:
        stdin_text = files.pop(inputs[0]).encode()
        args += ["-"]
    else:
        args += [inputs[0]]
    results = []
    for folder, binary in zip(folders, (old, new)):
        os.makedirs(os.path.join(folder, "sub"))
        for name, text in files.items():
            with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
                f.write(text)
        if previous:  # the previous calibration comes from the old build in both folders
            code, out, _ = run(old, ["--json", "prev.csv"], folder)
            with open(os.path.join(folder, previous), "wb") as f:
                f.write(out)
        code, out, err = run(binary, args, folder, stdin_text)
        results.append((code, normalise(out), normalise(err), snapshot(folder)))
    EXIT_CODES[results[0][0]] = EXIT_CODES.get(results[0][0], 0) + 1
    if results[0] != results[1]:
        return f"case {index}: {args}\n  in {folders[0]}"
    for folder in folders:
        shutil.rmtree(folder)
    return None


EXIT_CODES = {}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--count", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=1)
    ns = parser.parse_args()
    rng = random.Random(ns.seed)
    work = tempfile.mkdtemp(prefix="tovarin-diff-")
    differences = [d for d in (one_case(rng, i, os.path.abspath(ns.old), os.path.abspath(ns.new),
                                        work) for i in range(ns.count)) if d]
    for d in differences[:20]:
        print(d)
    print(f"{ns.count} cases, {len(differences)} with a difference; exit codes "
          + ", ".join(f"{k}: {v}" for k, v in sorted(EXIT_CODES.items())))
    if not differences:
        shutil.rmtree(work)
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
