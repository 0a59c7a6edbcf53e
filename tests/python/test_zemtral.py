"""The Python module gives the numbers zemtral-cli gives, as NumPy arrays and dicts."""
import concurrent.futures
import json
import math
import os
import resource
import subprocess

import numpy as np
import pytest

import zemtral

CLI = os.environ["ZEMTRAL_CLI"]
SAMPLES = os.environ["ZEMTRAL_SAMPLES"]


@pytest.fixture(autouse=True)
def fresh_home(tmp_path, monkeypatch):
    monkeypatch.setenv("ZEMTRAL_HOME", str(tmp_path))


def cli_json(*args):
    run = subprocess.run([CLI, *args], capture_output=True, text=True)
    assert run.returncode in (0, 1), run.stderr  # 1: a file of several failed
    return json.loads(run.stdout)


def same(python, reference, where="result"):
    """Deep comparison of a module result with the command line's JSON."""
    if isinstance(reference, dict):
        assert isinstance(python, dict), where
        assert list(python) == list(reference), where
        for key in reference:
            same(python[key], reference[key], f"{where}.{key}")
    elif isinstance(reference, list) and all(isinstance(v, (int, float)) or v is None for v in reference):
        assert isinstance(python, np.ndarray) and python.dtype == np.float64, where
        expected = np.array([math.nan if v is None else v for v in reference], dtype=float)
        np.testing.assert_array_equal(python, expected, err_msg=where)
    elif isinstance(reference, list):
        assert len(python) == len(reference), where
        for i, (p, r) in enumerate(zip(python, reference)):
            same(p, r, f"{where}[{i}]")
    else:
        assert python == reference, where


def sample(name):
    return os.path.join(SAMPLES, name)


CASES = [
    (lambda: zemtral.simulate(model=2, k1=0.1, c0={"A": 1.0}, tend=10),
     ["simulate", "--model", "2", "--k1", "0.1", "--c0", "A=1.0", "--tend", "10", "--format", "json"]),
    (lambda: zemtral.simulate(model=9, rates=True),
     ["simulate", "--model", "9", "--rates", "--format", "json"]),
    (lambda: zemtral.halflife(model=2, k1=0.2), ["halflife", "--model", "2", "--k1", "0.2"]),
    (lambda: zemtral.evaluate("first-order", sample("zerfall_n2o5.ZD3")),
     ["evaluate", "first-order", sample("zerfall_n2o5.ZD3")]),
    (lambda: zemtral.evaluate("arrhenius", [sample("arrhenius_n2o5.ZD3"), sample("verseifung.ZD3")]),
     ["evaluate", "arrhenius", sample("arrhenius_n2o5.ZD3"), sample("verseifung.ZD3"), "--format", "json"]),
    (lambda: zemtral.fit(sample("verseifung.ZD3"), model=4, k1=5, fix=["k1"]),
     ["fit", sample("verseifung.ZD3"), "--model", "4", "--k1", "5", "--fix", "k1"]),
    (lambda: zemtral.tangent(sample("zerfall_n2o5.ZD3"), species="A", time=20.5),
     ["tangent", sample("zerfall_n2o5.ZD3"), "--species", "A", "--time", "20.5"]),
    (lambda: zemtral.reactor("cstr", model=2, volume=3, flow=0.5),
     ["reactor", "cstr", "--model", "2", "--volume", "3", "--flow", "0.5"]),
    (lambda: zemtral.montecarlo(kind=2, n0=500, K=2, points=10, seed=4),
     ["montecarlo", "--kind", "2", "--n0", "500", "--K", "2", "--points", "10", "--seed", "4"]),
]


@pytest.mark.parametrize("call,args", CASES, ids=[" ".join(a[:2]) for _, a in CASES])
def test_same_numbers_as_the_command_line(call, args):
    same(call(), cli_json(*args))


def test_curves_are_arrays_and_follow_the_closed_form():
    result = zemtral.simulate(model=2, k1=0.1, c0={"A": 1.0}, tend=10)
    assert result["t"].shape == (201,)
    np.testing.assert_allclose(result["c"]["A"], np.exp(-0.1 * result["t"]), rtol=1e-12)


def test_generate_writes_the_file_of_the_command_line(tmp_path):
    options = ["--model", "6", "--k1", "0.15", "--k2", "0.05", "--points", "12", "--noise-rel", "0.01",
               "--seed", "3"]
    zemtral.generate(model=6, k1=0.15, k2=0.05, points=12, noise_rel=0.01, seed=3,
                     output=str(tmp_path / "py.csv"))
    subprocess.run([CLI, "generate", *options, "--output", str(tmp_path / "cli.csv")], check=True)
    assert (tmp_path / "py.csv").read_text() == (tmp_path / "cli.csv").read_text()
    fitted = zemtral.fit(str(tmp_path / "py.csv"), model=6)
    assert fitted["ci95"]["k1"][0] < 0.15 < fitted["ci95"]["k1"][1]


def test_refusals_carry_the_programs_german_text():
    with pytest.raises(zemtral.Refusal, match="k1 muss größer Null sein"):
        zemtral.simulate(model=4, c0={"A": 1, "B": 1}, k1=0)
    with pytest.raises(zemtral.Refusal, match="Meldung von LoadDataFile"):
        zemtral.evaluate("first-order", "/nonexistent/file.ZD3")
    with pytest.raises(ValueError, match="unknown option --colour"):
        zemtral.simulate(model=2, colour="red")
    assert issubclass(zemtral.Refusal, Exception)


def test_runs_in_process_and_from_several_threads(monkeypatch):
    # No program is started: no zemtral-cli to be found, and no child process ever touches a page.
    monkeypatch.delenv("ZEMTRAL_CLI")
    monkeypatch.setenv("PATH", "")
    children_before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_minflt
    reference = zemtral.fit(sample("verseifung.ZD3"), model=4)["params"]["k1"]
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(lambda _: zemtral.fit(sample("verseifung.ZD3"), model=4), range(8)))
    assert all(r["params"]["k1"] == reference for r in results)
    assert resource.getrusage(resource.RUSAGE_CHILDREN).ru_minflt == children_before
