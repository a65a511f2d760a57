"""The Python package against the sentralign executable and on its own."""

import concurrent.futures
import pathlib

import pytest

import sentralign
from conftest import (EXAMPLE, EXAMPLE_RELATIONS, EXAMPLE_TEXTS, generated_cluster,
                      run_sentralign)

METHODS = [1, 2, 3, 4, 5, 6]
NAMES = ["position", "length-up", "length-down", "topics", "topological", "acyclic"]


def written(ordering):
    """The ordering as sentralign writes it: one sentence a line, as bytes."""
    return b"".join((s.sentence if isinstance(s.sentence, bytes) else
                     s.sentence.encode("utf-8", "surrogateescape")) + b"\n"
                    for s in ordering)


def removed_lines(cluster, ordering):
    """The lines sentralign prints for the sources of method 6's removed edges."""
    text = {(s.text, s.place): s.sentence for s in cluster.sentences}
    return "".join(f"V({t},{p}):{text[(t, p)]}\n" for t, p, *_ in ordering.removed)


@pytest.mark.parametrize("method", METHODS)
def test_example_cluster_as_the_tool_orders_it(tmp_path, method):
    summary = EXAMPLE / "resumo.txt"
    expected, console = run_sentralign(tmp_path, method, summary, EXAMPLE_TEXTS,
                                       EXAMPLE_RELATIONS)
    cluster = sentralign.Cluster.from_files(EXAMPLE_TEXTS, EXAMPLE_RELATIONS)
    by_name = cluster.order(summary, NAMES[method - 1])
    assert written(by_name) == expected
    lines = summary.read_text(encoding="utf-8").splitlines(keepends=True)
    assert cluster.order(lines, method) == by_name
    assert ("Numero de CSTFiles: 3\n" + removed_lines(cluster, by_name) +
            "\nORDENACAO").encode() in console


@pytest.mark.parametrize("seed", range(1, 31))
def test_generated_clusters_as_the_tool_orders_them(tmp_path, seed):
    texts, relations, summary = generated_cluster(tmp_path, seed)
    from_files = sentralign.Cluster.from_files(texts, relations)
    from_memory = sentralign.Cluster([t.read_text(encoding="utf-8") for t in texts],
                                     [r.read_bytes() for r in relations])
    as_bytes = sentralign.Cluster([t.read_bytes() for t in texts],
                                  [r.read_text() for r in relations])
    lines = summary.read_bytes().split(b"\n")[:-1]
    for method in METHODS:
        expected, _ = run_sentralign(tmp_path, method, summary, texts, relations)
        assert written(from_files.order(summary, method)) == expected, method
        assert written(from_memory.order([l.decode() for l in lines], method)) == expected
        ordering = as_bytes.order(lines, method)
        assert written(ordering) == expected
        assert all(isinstance(s.sentence, bytes) for s in ordering)


def test_relation_tuples_link_as_records_do():
    texts = ["Um. Dois.\nTres.\n", "Quatro.\n"]
    types = "Elaboration 1.5 f\nOverlap 0.1 t\n"
    record = ('<R SDID="D1_" SSENT="3" TDID="D2_" TSENT="1">\n'
              '<RELATION TYPE="Overlap" JUDGE="t"/></R>\n')
    summary = ["Um.", "Quatro.", "Tres."]
    # Without the edge from 1.3 to 2.1, "Quatro." would come first.
    for relations in ([record], [(1, 3, 2, 1, "Overlap")]):
        cluster = sentralign.Cluster(texts, relations, relation_types=types)
        assert [s.sentence for s in cluster.order(summary, "topological")] == [
            "Um.", "Tres.", "Quatro."]


def test_sentences_identities_and_segmentation():
    cluster = sentralign.Cluster(["Um. Dois.\n", "Tres.\n"], segmented=True)
    assert cluster.sentences == [sentralign.Sentence(1, 1, "Um. Dois."),
                                 sentralign.Sentence(2, 1, "Tres.")]
    text, place, sentence = cluster.sentences[1]
    assert (text, place, sentence) == (2, 1, "Tres.")
    ordering = cluster.order(["Tres.\n", "nada", "Um. Dois.\r\n"], 1)
    assert [(s.text, s.place) for s in ordering] == [(2, 1), (1, 1)]  # shorter first
    assert ordering.unmatched == [(2, "nada")]
    assert ordering.removed == []


def test_errors_carry_the_tools_messages(tmp_path):
    with pytest.raises(FileNotFoundError) as missing:
        sentralign.Cluster.from_files([tmp_path / "nao-existe.txt"])
    assert missing.value.filename == str(tmp_path / "nao-existe.txt")
    with pytest.raises(IsADirectoryError):
        sentralign.Cluster.from_files([tmp_path])
    cluster = sentralign.Cluster(["Um.\n", "Dois.\n"])
    with pytest.raises(FileNotFoundError):
        cluster.order(tmp_path / "resumo.txt", 1)
    with pytest.raises(ValueError, match="metodo desconhecido: 7"):
        cluster.order(["Um."], 7)
    with pytest.raises(ValueError, match="metodo desconhecido: posicao"):
        cluster.order(["Um."], "posicao")
    with pytest.raises(ValueError, match="nao ha sentenca 2.9"):
        sentralign.Cluster(["Um.\n", "Dois.\n"], [(1, 1, 2, 9, "Overlap")])
    with pytest.raises(ValueError, match="tipo desconhecido .*: elaboration"):
        sentralign.Cluster(["Um.\n", "Dois.\n"], [(1, 1, 2, 1, "elaboration")])
    with pytest.raises(ValueError):
        sentralign.Cluster(["Um.\n"], [(1, 1, 2)])
    with pytest.raises(TypeError):
        sentralign.Cluster([3])


def test_method_six_gives_up_after_its_time_limit():
    import random
    rng = random.Random(3)
    texts = ["".join(f"Frase {k}.\n" for k in range(1, 41)) for _ in range(3)]
    relations = []
    for _ in range(150):
        a = rng.randint(1, 3)
        b = 1 + (a + rng.randint(0, 1)) % 3
        relations.append((a, rng.randint(1, 40), b, rng.randint(1, 40), "Overlap"))
    cluster = sentralign.Cluster(texts, relations)
    with pytest.raises(TimeoutError, match="limite de 0.05 s"):
        cluster.order(["Frase 1."], "acyclic", time_limit=0.05)
    assert len(cluster.order(["Frase 1."], "topological", time_limit=0.05)) == 1


def test_orders_from_a_thread_pool_as_one_by_one():
    cluster = sentralign.Cluster.from_files(EXAMPLE_TEXTS, EXAMPLE_RELATIONS)
    summary = EXAMPLE / "resumo.txt"
    expected = {m: cluster.order(summary, m) for m in METHODS}
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        jobs = [(m, pool.submit(cluster.order, summary, m)) for m in METHODS * 8]
        for method, job in jobs:
            assert job.result() == expected[method]


def test_help_reads_well():
    assert "Orders the sentences" in sentralign.__doc__
    assert "time_limit" in sentralign.Cluster.order.__doc__
    assert sentralign.__version__.count(".") == 2
    stub = pathlib.Path(sentralign.__file__).with_name("__init__.pyi")
    assert "def evaluate(" in stub.read_text()
