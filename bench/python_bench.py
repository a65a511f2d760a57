#!/usr/bin/env python3
"""Speed of the Python package beside the C++ API on the example cluster.

    PYTHONPATH=build/python python3 bench/python_bench.py build/api_bench \
        [ITERATIONS [sentralign-eval [CORPUS]]]

For each method: microseconds per call that reads the cluster from its files
and orders its summary, and per ordering of an already read cluster, from
C++ (api_bench) and from Python, and how many times the C++ figure Python
takes. Given sentralign-eval, also the seconds that scoring CORPUS takes
with sentralign.evaluate and with the tool (default: the example news
corpus; sentralign_eval_bench --keep DIR makes a larger one). Prints its
figures; checks nothing.
"""

import pathlib
import subprocess
import sys
import time

import sentralign

EXAMPLE = pathlib.Path(__file__).resolve().parents[1] / "examples" / "cluster"
TEXTS = [EXAMPLE / n for n in ("D1_C1_JornalDaManha.txt", "D2_C1_GazetaDoVale.txt",
                               "D3_C1_DiarioSerrano.txt")]
RELATIONS = [EXAMPLE / n for n in ("D1_D2.cst", "D1_D3.cst", "D2_D3.cst")]
SUMMARY = EXAMPLE / "resumo.txt"
NEWS = EXAMPLE.parent / "noticias"


def microseconds_per_call(iterations, call):
    start = time.perf_counter()
    for _ in range(iterations):
        call()
    return (time.perf_counter() - start) * 1e6 / iterations


def main():
    api_bench = sys.argv[1]
    iterations = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    cpp = {}
    out = subprocess.run([api_bench, str(iterations)], capture_output=True, text=True,
                         check=True).stdout
    for line in out.splitlines():
        _, method, what, micro = line.split()
        cpp[(int(method), what)] = float(micro)
    cluster = sentralign.Cluster.from_files(TEXTS, RELATIONS)
    print(f"example cluster, {iterations} calls each; microseconds per call")
    print(f"{'method':<8}{'figure':<12}{'C++':>10}{'Python':>10}{'ratio':>8}")
    for method in range(1, 7):
        python = {
            "load+order": microseconds_per_call(
                iterations,
                lambda: sentralign.Cluster.from_files(TEXTS, RELATIONS).order(SUMMARY, method)),
            "order": microseconds_per_call(iterations, lambda: cluster.order(SUMMARY, method)),
        }
        for what, micro in python.items():
            base = cpp[(method, what)]
            print(f"{method:<8}{what:<12}{base:>10.1f}{micro:>10.1f}{micro / base:>8.2f}")
    if len(sys.argv) > 3:
        score_corpus(sys.argv[3], sys.argv[4] if len(sys.argv) > 4 else str(NEWS))


def score_corpus(tool, corpus):
    """Seconds that scoring the corpus takes from Python and with the tool."""
    start = time.perf_counter()
    rows = sentralign.evaluate(corpus, segmented=True)
    python = time.perf_counter() - start
    start = time.perf_counter()
    subprocess.run([tool, "--segmented", "--csv", corpus], capture_output=True)
    command = time.perf_counter() - start
    print(f"scoring {corpus} ({len(rows)} CSV rows): sentralign.evaluate {python:.3f} s, "
          f"sentralign-eval {command:.3f} s")


if __name__ == "__main__":
    main()
