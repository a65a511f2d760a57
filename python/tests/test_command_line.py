"""sentralign's named command line, its JSON read back."""

import json
import subprocess

import sentralign
from conftest import EXAMPLE, EXAMPLE_RELATIONS, EXAMPLE_TEXTS, tool


def test_json_output_reads_back_as_the_library_orders(tmp_path):
    for method in ("topics", "acyclic"):
        done = subprocess.run(
            [tool("SENTRALIGN_BIN"), "--method", method, "--json",
             "--summary", str(EXAMPLE / "resumo.txt"),
             "--texts", *map(str, EXAMPLE_TEXTS), "--relations", *map(str, EXAMPLE_RELATIONS)],
            cwd=tmp_path, capture_output=True, check=True)
        data = json.loads(done.stdout.decode("utf-8"))
        ordering = sentralign.Cluster.from_files(EXAMPLE_TEXTS, EXAMPLE_RELATIONS).order(
            EXAMPLE / "resumo.txt", method)
        assert data["method"] == method
        assert [(s["text"], s["place"], s["sentence"]) for s in data["sentences"]] == [
            tuple(s) for s in ordering]
        assert [(e["source"]["text"], e["source"]["place"], e["target"]["text"],
                 e["target"]["place"], e["relation"]) for e in data["removed"]] == \
            ordering.removed
        assert data["unmatched"] == []
        assert (method == "acyclic") == bool(data["removed"])


def test_list_sentences_reads_back(tmp_path):
    done = subprocess.run([tool("SENTRALIGN_BIN"), "--list-sentences", "--json", "--texts",
                           *map(str, EXAMPLE_TEXTS)], capture_output=True, check=True)
    listed = [(s["text"], s["place"], s["sentence"]) for s in json.loads(done.stdout)]
    assert listed == [tuple(s) for s in sentralign.Cluster.from_files(EXAMPLE_TEXTS).sentences]
