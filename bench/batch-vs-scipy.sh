#!/usr/bin/env bash
# Files per second of a production line's day: 1,000 calibration files of 19
# rows reduced to JSON Lines in a file by tovarin-reduce (--jobs 1 and the
# default) and by one python3 process looping scipy's curve_fit over the same
# files, measured back to back by hyperfine. Not part of CI: it needs the
# Debian packages python3-scipy and hyperfine.
#   usage: bench/batch-vs-scipy.sh [BUILD_DIR]
set -euo pipefail
build=$(realpath "${1:-build}")
python=${PYTHON:-/usr/bin/python3} # Debian's, where python3-scipy installs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same rows as the batch benchmark (bench/BatchBench.cpp).
"$python" - "$work" <<'PY'
import sys
work = sys.argv[1]
with open(f"{work}/list", "w") as files:
    for n in range(1000):
        path = f"{work}/s{n}.csv"
        with open(path, "w") as out:
            for i in range(19):
                flow = 2.0 + 21.0 * i
                out.write("%g,%g\n" % (flow, 0.9 + 0.31 * flow ** 0.52 + 0.001 * ((n + i) % 7)))
        files.write(path + "\n")
PY

# King's equation per file with curve_fit, and the JSON fields a batch line
# leads with: coefficients, field texts, quality and per-row errors.
cat > "$work/loop.py" <<'PY'
import json, math, sys
import numpy as np
from scipy.optimize import curve_fit

def king(f, a, b, c):
    return a + b * np.power(f, c)

out = open(sys.argv[2], "w")
for path in open(sys.argv[1]).read().split():
    rows = [line.split(",") for line in open(path) if line.strip()]
    flow = np.array([float(r[0]) for r in rows])
    resp = np.array([float(r[1]) for r in rows])
    (a, b, c), cov = curve_fit(king, flow, resp, p0=(1.0, 1.0, 0.3), maxfev=400)
    fit = king(flow, a, b, c)
    err = (resp - fit) / fit * 100
    qflow = np.power(np.maximum(resp - a, 0) / b, 1 / c)
    ferr = (qflow - flow) / flow * 100
    ssr = float(np.sum((resp - fit) ** 2))
    se = np.sqrt(np.diag(cov))
    worst = int(np.argmax(np.abs(ferr)))
    out.write(json.dumps({
        "rowCount": len(flow), "mode": "nonlinear", "a": a, "b": b, "c": c,
        "fields": {"A": "%4.3f" % a, "B": "%4.3f" % b, "C": "%4.3f" % c,
                   "rows": [{"maf": "%4.2f" % f, "fit": "%4.2f" % y, "error": "%4.2f" % e}
                            for f, y, e in zip(flow, fit, err)]},
        "quality": {"dof": len(flow) - 3, "rmsResidual": math.sqrt(ssr / (len(flow) - 3)),
                    "rSquared": 1 - ssr / float(np.sum((resp - resp.mean()) ** 2)),
                    "maxFlowErrorPct": float(ferr[worst]), "maxFlowErrorRow": worst,
                    "standardErrors": {"a": se[0], "b": se[1], "c": se[2]},
                    "rows": [{"responseErrorPct": float(e), "flowErrorPct": float(g)}
                             for e, g in zip(err, ferr)]},
        "file": path, "exitCode": 0}) + "\n")
PY

reduce="$build/cli/tovarin-reduce"
hyperfine --warmup 3 --runs 30 -N --output="$work/out.jsonl" \
    "$reduce --json --jobs 1 --files-from $work/list" \
    "$reduce --json --files-from $work/list" \
    "$python $work/loop.py $work/list $work/out.jsonl"
