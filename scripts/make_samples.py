#!/usr/bin/env python3
"""Generates the sample data files in resources/samples/ (ZD3, Windows-1252, CR LF).

The points follow the integrated rate laws with the published rate constants named in
resources/samples/README.md; the measurement scatter comes from a small fixed-seed generator
(a 64-bit linear congruential generator with Box-Muller normals), so every run writes the same
bytes. Run from the repository root:  python3 scripts/make_samples.py
"""
import math
import os

HEADER = "t, cA, cB, cC, cP, cQ, k, T, lambda, lamda(inf), res3, res4, exclude(0|-1)"


class Scatter:
    """Deterministic normal deviates: LCG (Knuth MMIX constants) and Box-Muller."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFFFFFFFFFF
        self.spare = None

    def uniform(self):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) & 0xFFFFFFFFFFFFFFFF
        return ((self.state >> 11) + 0.5) / float(1 << 53)

    def normal(self):
        if self.spare is not None:
            value, self.spare = self.spare, None
            return value
        r = math.sqrt(-2.0 * math.log(self.uniform()))
        phi = 2.0 * math.pi * self.uniform()
        self.spare = r * math.sin(phi)
        return r * math.cos(phi)


def num(value, digits):
    """A measured value rounded to `digits` significant digits, as plain text."""
    if value == 0:
        return "0"
    text = "%.*G" % (digits, value)
    if "E" in text:
        mantissa, exponent = text.split("E")
        text = mantissa + "E" + ("-" if exponent.startswith("-") else "+") + exponent.lstrip("+-").rjust(2, "0")
    return text


def point(t, cA=0.0, cB=0.0, k=0.0, T=0.0, lam=0.0, lam_inf=0.0, digits=4):
    fields = [num(t, 6), num(cA, digits), num(cB, digits), "0", "0", "0", num(k, 3), num(T, 5),
              num(lam, 4), num(lam_inf, 4), "0", "0", "0"]
    return ",".join(fields)


def write(name, comment, unit, lines):
    path = os.path.join("resources", "samples", name)
    text = "\r\n".join([comment, unit, HEADER, str(len(lines))] + lines) + "\r\n"
    with open(path, "wb") as f:
        f.write(text.encode("cp1252"))
    print(path, len(lines), "points")


def saponification():
    # A + B => P, c0(A) = c0(B) = 0.02 mol/l, k = 0.11 l/(mol s) = 6.6 l/(mol min) at 25 °C.
    g = Scatter(20261201)
    k, c0 = 6.6, 0.02
    lines = []
    for t in [0, 2, 4, 6, 8, 10, 12, 15, 18, 21, 25, 30]:
        c = c0 / (1.0 + k * c0 * t)
        # The concentrations at t = 0 are those prepared, not measured.
        cA = c if t == 0 else c * (1.0 + 0.015 * g.normal())
        cB = c if t == 0 else c * (1.0 + 0.015 * g.normal())
        lines.append(point(t, cA, cB))
    write("verseifung.ZD3", "Verseifung von Ethylacetat mit NaOH, 25 °C, c(A)(0) = c(B)(0) = 0,02 mol/l", "min",
          lines)


def first_order():
    # N2O5 in CCl4 at 45 °C: k = 6.2E-4 1/s; c0 = 2.00 mol/l.
    g = Scatter(20261202)
    k, c0 = 6.2e-4, 2.0
    lines = []
    for t in range(0, 3601, 300):
        c = c0 if t == 0 else c0 * math.exp(-k * t) * (1.0 + 0.01 * g.normal())
        lines.append(point(t, c))
    write("zerfall_n2o5.ZD3", "Zerfall von N2O5 in CCl4 bei 45 °C (1. Ordnung), c(A) in mol/l", "s", lines)


def arrhenius():
    # N2O5 gas-phase decomposition: Ea = 103 kJ/mol, k(298.15 K) = 3.46E-5 1/s.
    g = Scatter(20261203)
    R, Ea, k298 = 8.314462618, 103.0e3, 3.46e-5
    lines = []
    for T in [273.15, 283.15, 288.15, 298.15, 308.15, 313.15, 318.15, 328.15, 338.15]:
        k = k298 * math.exp(-Ea / R * (1.0 / T - 1.0 / 298.15)) * (1.0 + 0.04 * g.normal())
        lines.append(point(0, k=k, T=T))
    write("arrhenius_n2o5.ZD3", "Zerfall von N2O5 (Gasphase): k-T-Daten für ARRHENIUS- und EYRING-Auswertung",
          "s", lines)


def conductivity():
    # Saponification followed by conductivity: c0 = 0.01 mol/l, k = 0.11 l/(mol s) at 25 °C;
    # kappa(0) = 2.48 mS/cm (NaOH), kappa(inf) = 0.91 mS/cm (sodium acetate).
    g = Scatter(20261204)
    k, c0, lam0, lam_inf = 0.11, 0.01, 2.48, 0.91
    lines = []
    for t in [0, 60, 120, 180, 240, 300, 420, 540, 660, 780, 900, 1200, 1500, 1800]:
        c = c0 / (1.0 + k * c0 * t)
        lam = lam_inf + (lam0 - lam_inf) * c / c0 + 0.004 * g.normal()
        cA = c0 if t == 0 else 0.0
        lines.append(point(t, cA, cA, lam=lam, lam_inf=lam_inf))
    write("verseifung_leitfaehigkeit.ZD3",
          "Verseifung von Ethylacetat, Leitfähigkeit in mS/cm, 25 °C, c(A)(0) = c(B)(0) = 0,01 mol/l", "s", lines)


def non_isothermal():
    # N2O5 gas phase at 35, 45 and 55 °C: k = 1.35E-4, 4.98E-4, 1.50E-3 1/s (8.1E-3, 2.99E-2,
    # 9.0E-2 1/min); c(A) relative to c(A)(0).
    g = Scatter(20261205)
    lines = []
    for T, k, times in [(308.15, 8.1e-3, range(0, 121, 10)), (318.15, 2.99e-2, range(0, 61, 5)),
                        (328.15, 9.0e-2, [0, 2, 4, 6, 8, 10, 12, 15, 18, 21, 25, 30])]:
        for t in times:
            # Each run is thermostatted: one temperature per run, c(A)/c(A)(0) = 1 at t = 0.
            rel = 1.0 if t == 0 else math.exp(-k * t) * (1.0 + 0.015 * g.normal()) + 0.003 * g.normal()
            lines.append(point(t, rel, T=T))
    write("nichtisotherm_n2o5.ZD3", "Zerfall von N2O5 bei 35, 45 und 55 °C: t-c(A)/c(A)(0)-T-Daten", "min", lines)


if __name__ == "__main__":
    saponification()
    first_order()
    arrhenius()
    conductivity()
    non_isothermal()
