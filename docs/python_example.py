"""A notebook-style walk through the Python module `zemtral`.

Run it after building (the module lies in build/python):

    PYTHONPATH=build/python /usr/bin/python3 docs/python_example.py

It simulates A => C => P, makes an exercise data set with 2 % noise from it, fits the model to the
data set and draws the points with the fitted curves (when matplotlib is installed).
"""
import os
import tempfile

import numpy as np

import zemtral

# 1. Simulate the consecutive reaction A => C => P: 201 points from 0 to tEnd.
run = zemtral.simulate(model=6, k1=0.2, k2=0.05, c0={"A": 1.0}, tend=60)
t, c = run["t"], run["c"]
print(f"c(C) is largest at t = {t[np.argmax(c['C'])]:.2f} s: {c['C'].max():.4f} mol/l")

# 2. An exercise data set: 25 samples with 2 % relative noise, the same for the same seed.
folder = tempfile.mkdtemp()
data = os.path.join(folder, "exercise.csv")
zemtral.generate(model=6, k1=0.2, k2=0.05, tend=60, points=25, noise_rel=0.02, seed=7, output=data)

# 3. Fit k1 and k2 to it, starting from other values; the true ones lie in the 95 % intervals.
fit = zemtral.fit(data, model=6, k1=0.1, k2=0.1)
for name, truth in (("k1", 0.2), ("k2", 0.05)):
    low, high = fit["ci95"][name]
    print(f"{name} = {fit['params'][name]:.5f}  95 % interval [{low:.5f}, {high:.5f}]  (true {truth})")

# 4. A refusal of the program is an exception with its German text.
try:
    zemtral.simulate(model=6, k1=0)
except zemtral.Refusal as refusal:
    print("refused:", str(refusal).splitlines()[-1])

# 5. The picture: measured points and the curves of the fitted constants.
try:
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    print("matplotlib is not installed: no picture")
else:
    fitted = zemtral.simulate(model=6, k1=fit["params"]["k1"], k2=fit["params"]["k2"], tend=60)
    measured = np.genfromtxt(data, delimiter=",", names=True, skip_header=1)  # after the comment
    for species, colour in (("A", "tab:blue"), ("C", "tab:orange"), ("P", "tab:green")):
        plt.plot(measured["t"], measured["c" + species], "o", color=colour, label=f"c({species}) gemessen")
        plt.plot(fitted["t"], fitted["c"][species], "-", color=colour)
    plt.xlabel("t / s")
    plt.ylabel("c / (mol/l)")
    plt.legend()
    picture = os.path.join(folder, "fit.png")
    plt.savefig(picture, dpi=100)
    print("picture:", picture)
