#!/usr/bin/python3
"""The budget benchmark's trials (bench/BudgetBench.cpp) through numpy and scipy.

10^5 Monte Carlo trials of King's equation on the same 19 rows: each draws a
common reference of 0.5 % and a response meter of 0.05 % + 0.001 V (k = 2),
refits with scipy.optimize.least_squares (Levenberg-Marquardt, analytic
Jacobian, warm-started from the fit) and evaluates Q at the ten responses of
the record's table. Prints the wall time. Not part of CI: it needs the Debian
package python3-scipy.
    usage: bench/budget-vs-scipy.py [TRIALS]
"""
import sys
import time

import numpy as np
from scipy.optimize import least_squares

trials = int(sys.argv[1]) if len(sys.argv) > 1 else 100_000
q = 2.0 + 21.0 * np.arange(19)
r = 0.9 + 0.31 * q ** 0.52 * (1 + 0.003 * np.tanh(np.log(q / 40)))


def residuals(t, flows, responses):
    return t[0] + t[1] * flows ** t[2] - responses


def jacobian(t, flows, responses):
    p = flows ** t[2]
    return np.column_stack([np.ones_like(p), p, t[1] * p * np.log(flows)])


fit = least_squares(residuals, [0.9, 0.31, 0.52], jac=jacobian, args=(q, r), method="lm").x
at = np.linspace(r.min(), r.max(), 10)
u_ref, u_resp = 0.5 / 100 * q / 2, (0.05 / 100 * r + 0.001) / 2
rng = np.random.default_rng(1)
start = time.perf_counter()
out = np.empty((trials, 10))
for k in range(trials):
    flows = q * (1 + rng.standard_normal() * u_ref / q)
    responses = r + rng.standard_normal(19) * u_resp
    t = least_squares(residuals, fit, jac=jacobian, args=(flows, responses), method="lm",
                      xtol=1e-10, ftol=1e-10).x
    out[k] = ((at - t[0]) / t[1]) ** (1 / t[2])
print("%d trials: %.2f s" % (trials, time.perf_counter() - start))
