"""sentralign.evaluate against sentralign-eval --csv."""

import csv
import io
import math
import subprocess

import pytest

import sentralign
from conftest import NEWS_CORPUS, tool


def tool_csv(tmp_path, *args):
    """The rows of sentralign-eval's CSV report, run in an empty directory."""
    done = subprocess.run([tool("SENTRALIGN_EVAL_BIN"), "--csv", *map(str, args)],
                          cwd=tmp_path, capture_output=True, text=True)
    assert done.returncode in (0, 1), done.stderr
    return list(csv.DictReader(io.StringIO(done.stdout))), done.stderr


def same_value(ours, theirs):
    if isinstance(ours, float):
        if theirs == "nan":
            return math.isnan(ours)
        return math.isclose(ours, float(theirs), rel_tol=1e-8, abs_tol=1e-9)
    return ours == theirs


@pytest.mark.parametrize("args", [
    {"segmented": True},
    {"segmented": False},
    {"segmented": True, "seed": 7, "jobs": 2},
])
def test_corpus_as_the_tool_scores_it(tmp_path, args):
    report = sentralign.evaluate(NEWS_CORPUS, **args)
    tool_args = (["--segmented"] if args["segmented"] else []) + [
        "--seed", str(args.get("seed", 1)), "--jobs", str(args.get("jobs", 1)), NEWS_CORPUS]
    rows, stderr = tool_csv(tmp_path, *tool_args)
    assert len(report) == len(rows) > 0
    for ours, theirs in zip(report, rows):
        assert list(ours) == list(theirs)
        for key in theirs:
            assert same_value(ours[key], theirs[key]), (key, ours[key], theirs[key])
    assert [f"sentralign-eval: {m}" for m in report.messages] == stderr.splitlines()
    assert report.complete


def test_one_cluster_and_its_rows(tmp_path):
    cluster = NEWS_CORPUS / "C1_ponte"
    report = sentralign.evaluate(cluster, segmented=True)
    rows, _ = tool_csv(tmp_path, "--segmented", cluster)
    assert len(report) == len(rows)
    scored = [r for r in report if r["estatistica"] == "valor"]
    assert {r["metodo"] for r in scored} >= {"sumario", "aleatorio", "6-sem-ciclos"}
    assert all(isinstance(r["TK"], float) for r in scored)


def test_a_table_for_pandas():
    pandas = pytest.importorskip("pandas")
    table = pandas.DataFrame(sentralign.evaluate(NEWS_CORPUS, segmented=True))
    assert "TK" in table.columns


def test_errors(tmp_path):
    with pytest.raises(FileNotFoundError):
        sentralign.evaluate(tmp_path / "nenhum")
    with pytest.raises(ValueError, match="nenhum cluster"):
        sentralign.evaluate(tmp_path)
    with pytest.raises(ValueError, match="jobs"):
        sentralign.evaluate(NEWS_CORPUS, jobs=0)
