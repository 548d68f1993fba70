#!/usr/bin/python3
"""Independent reference for the uncertainty budget's tests (UncertaintyBudgetTest.cpp).

Written from the measurement model alone, sharing no code with the program:
King's equation refitted by a batched Gauss-Newton in numpy, the Fritsch-Carlson
interpolant written out again, scipy's Student t. Prints, at the ten responses
of the record's table, the linear U (GUM: least-squares sensitivities
(J^T J)^-1 J^T, Welch-Satterthwaite, exact t) and the ends of the Monte Carlo
95 % interval (10^6 trials, numpy's generator) as offsets below and above the
fitted flow. Run: /usr/bin/python3 tests/core/budget_reference.py (Debian python3-numpy, python3-scipy)
"""
import numpy as np
from scipy import stats
from scipy.optimize import least_squares

IDLE = 2.0  # g/s
TRIALS = 1_000_000
CHUNK = 100_000
rng = np.random.default_rng(12345)


def standard(flows, responses, ref, resp):
    u_ref = np.where(flows != 0, (ref[0] / 100 * np.abs(flows) + ref[1]) / 2, 0.0)
    u_resp = (resp[0] / 100 * np.abs(responses) + resp[1]) / 2
    return u_ref, u_resp


# --- King's equation R = a + b Q^c, fitted in response -------------------------
def king_q(r, a, b, c):
    x = np.maximum((r - a) / b, 0.0)
    return x ** (1.0 / c)


def king_fit_batch(Q, R, theta0, iterations=12):
    """Gauss-Newton for many row sets at once: Q, R of shape (T, n)."""
    th = np.broadcast_to(theta0, (Q.shape[0], 3)).copy()
    for _ in range(iterations):
        a, b, c = th[:, :1], th[:, 1:2], th[:, 2:3]
        p = Q ** c
        res = R - (a + b * p)
        J = np.stack([np.ones_like(p), p, b * p * np.log(Q)], axis=2)
        JT = np.transpose(J, (0, 2, 1))
        th += np.linalg.solve(JT @ J, (JT @ res[:, :, None]))[:, :, 0]
    return th


def king_case(flows, responses, ref, resp, resolution):
    n = len(flows)
    fit = least_squares(lambda t: responses - (t[0] + t[1] * flows ** t[2]), [0.5, 0.3, 0.5],
                        xtol=1e-15, ftol=1e-15, gtol=1e-15)
    a, b, c = fit.x
    dof = n - 3
    s = np.sqrt(np.sum(fit.fun ** 2) / dof)
    at = np.linspace(responses.min(), responses.max(), 10)
    q = king_q(at, a, b, c)
    p = flows ** c
    J = np.column_stack([np.ones(n), p, b * p * np.log(flows)])
    S = np.linalg.solve(J.T @ J, J.T)  # d theta / d R_i
    x = (at - a) / b
    dq = np.column_stack([-q / (c * (at - a)), -q / (c * b), -q * np.log(x) / c ** 2])
    g = dq @ S  # dQ(r_j) / dR_i
    u_ref, u_resp = standard(flows, responses, ref, resp)
    dfdq = b * c * flows ** (c - 1)
    ref_c = np.abs(dq @ (S @ (-dfdq * u_ref)))
    meter_c = np.sqrt(((g * u_resp) ** 2).sum(axis=1))
    res_c = np.sqrt((g ** 2).sum(axis=1)) * resolution / np.sqrt(12)
    scat_c = s * np.sqrt((g ** 2).sum(axis=1))
    uc = np.sqrt(ref_c ** 2 + meter_c ** 2 + res_c ** 2 + scat_c ** 2)
    nu = uc ** 4 / (scat_c ** 4 / dof)
    linear = stats.t.ppf(0.975, np.floor(nu)) * uc

    samples = []
    for _ in range(TRIALS // CHUNK):
        z = rng.standard_normal((CHUNK, 1))
        Qt = flows + z * u_ref
        Rt = (responses + rng.standard_normal((CHUNK, n)) * u_resp
              + (rng.random((CHUNK, n)) - 0.5) * resolution)
        th = king_fit_batch(Qt, Rt, fit.x)
        w = np.sqrt(dof / rng.chisquare(dof, (CHUNK, 1)))
        e = rng.standard_normal((CHUNK, n))
        scatter = s * w * (e @ g.T)
        samples.append(king_q(at[None, :], th[:, :1], th[:, 1:2], th[:, 2:3]) + scatter)
    return q, linear, np.concatenate(samples)


# --- the monotone (Fritsch-Carlson) interpolant of Q over R ---------------------
def fc_slopes(x, y):
    d = np.diff(y, axis=-1) / np.diff(x, axis=-1)
    m = np.empty_like(y)
    m[..., 0], m[..., -1] = d[..., 0], d[..., -1]
    m[..., 1:-1] = np.where(d[..., :-1] * d[..., 1:] <= 0, 0.0, (d[..., :-1] + d[..., 1:]) / 2)
    for i in range(y.shape[-1] - 1):  # in order: a limited slope feeds the next piece
        di = d[..., i]
        zero = di == 0
        al = np.where(zero, 0.0, m[..., i] / np.where(zero, 1.0, di))
        be = np.where(zero, 0.0, m[..., i + 1] / np.where(zero, 1.0, di))
        norm = al ** 2 + be ** 2
        tau = np.where(norm > 9, 3 / np.sqrt(np.maximum(norm, 1e-300)), 1.0)
        m[..., i] = np.where(zero, 0.0, np.where(norm > 9, tau * al * di, m[..., i]))
        m[..., i + 1] = np.where(zero, 0.0, np.where(norm > 9, tau * be * di, m[..., i + 1]))
    return m


def fc_eval(x, y, m, r):
    """x, y, m of shape (T, n); r a scalar."""
    n = x.shape[-1]
    i = np.clip((x <= r).sum(axis=-1) - 1, 0, n - 2)
    take = lambda v, k: np.take_along_axis(v, k[..., None], axis=-1)[..., 0]
    x0, x1, y0, y1, m0, m1 = take(x, i), take(x, i + 1), take(y, i), take(y, i + 1), take(m, i), take(m, i + 1)
    h = x1 - x0
    t = (r - x0) / h
    inner = ((2 * t ** 3 - 3 * t ** 2 + 1) * y0 + (t ** 3 - 2 * t ** 2 + t) * h * m0
             + (-2 * t ** 3 + 3 * t ** 2) * y1 + (t ** 3 - t ** 2) * h * m1)
    below = take(y, np.zeros_like(i)) + take(m, np.zeros_like(i)) * (r - take(x, np.zeros_like(i)))
    last = np.full_like(i, n - 1)
    above = take(y, last) + take(m, last) * (r - take(x, last))
    q = np.where(r <= take(x, np.zeros_like(i)), below, np.where(r >= take(x, last), above, inner))
    return np.maximum(q, 0.0)


def monotone_q(x, y, r):
    x, y = np.atleast_2d(x), np.atleast_2d(y)
    return fc_eval(x, y, fc_slopes(x, y), r)


def monotone_case(flows, responses, ref, resp):
    n = len(flows)
    at = np.linspace(responses.min(), responses.max(), 10)
    q = np.array([monotone_q(responses, flows, r)[0] for r in at])
    loo = 0.0
    for i in range(1, n - 1):
        if flows[i] >= IDLE:
            keep = np.arange(n) != i
            qi = monotone_q(responses[keep], flows[keep], responses[i])[0]
            loo = max(loo, abs((qi - flows[i]) / flows[i]))
    u_ref, u_resp = standard(flows, responses, ref, resp)
    h = 1e-6 * (responses.max() - responses.min())
    g = np.zeros((10, n))
    for i in range(n):
        up, down = responses.copy(), responses.copy()
        up[i] += h
        down[i] -= h
        g[:, i] = [(monotone_q(up, flows, r)[0] - monotone_q(down, flows, r)[0]) / (2 * h) for r in at]
    ref_c = np.abs([(monotone_q(responses, flows + 1e-3 * u_ref, r)[0]
                     - monotone_q(responses, flows - 1e-3 * u_ref, r)[0]) / 2e-3 for r in at])
    meter_c = np.sqrt(((g * u_resp) ** 2).sum(axis=1))
    scat_c = loo * q / np.sqrt(3)
    linear = stats.norm.ppf(0.975) * np.sqrt(ref_c ** 2 + meter_c ** 2 + scat_c ** 2)

    samples = []
    for _ in range(TRIALS // CHUNK):
        z = rng.standard_normal((CHUNK, 1))
        Qt = flows + z * u_ref
        Rt = responses + rng.standard_normal((CHUNK, n)) * u_resp
        ok = np.all(np.diff(Rt, axis=1) > 0, axis=1)
        Qt, Rt = Qt[ok], Rt[ok]
        m = fc_slopes(Rt, Qt)
        rect = 2 * rng.random((len(Qt), 1)) - 1
        samples.append(np.column_stack([fc_eval(Rt, Qt, m, r) for r in at]) + rect * loo * q)
    return q, linear, np.concatenate(samples)


def report(name, q, linear, samples):
    low, high = np.percentile(samples, [2.5, 97.5], axis=0)
    print(name)
    print("  linear U:   ", ", ".join("%.6g" % v for v in linear))
    print("  below flow: ", ", ".join("%.6g" % v for v in q - low))
    print("  above flow: ", ", ".join("%.6g" % v for v in high - q))


def rows(text):
    a = np.array([[float(v) for v in line.split(",")] for line in text.split()])
    return a[:, 0], a[:, 1]


KING = """3,1.49377 4.5597,1.61386 6.9304,1.76317 10.5336,1.94888 16.0101,2.18022
24.3339,2.46994 36.9854,2.83325 56.2145,3.28325 85.4411,3.83992 129.863,4.53097
197.38,5.38983 300,6.45751"""
HOT_FILM = """0,0.475000 2.0000,0.84969 2.7314,0.91131 3.7303,0.98299 5.0944,1.06581 6.9574,1.16061
9.5017,1.26784 12.9765,1.38762 17.7220,1.52016 24.2029,1.66649 33.0539,1.82927 45.1416,2.01282
61.6498,2.22232 84.1950,2.46288 114.9850,2.73960 157.0348,3.05798 214.4621,3.42429 292.8905,3.84575
400.0000,4.33067"""

if __name__ == "__main__":
    f, r = rows(KING)
    report("king: --u-reference 0.5 --u-response 0.1,0.002 --resolution 0.001",
           *king_case(f, r, (0.5, 0.0), (0.1, 0.002), 0.001))
    f, r = rows(HOT_FILM)
    report("monotone: --u-reference 1 --u-response 1,0.01", *monotone_case(f, r, (1.0, 0.0), (1.0, 0.01)))
