"""Shared fixtures: the built tools, the example cluster, generated clusters."""

import os
import pathlib
import random
import subprocess

import pytest

SOURCE = pathlib.Path(os.environ.get("SENTRALIGN_SOURCE_DIR",
                                     pathlib.Path(__file__).resolve().parents[2]))
EXAMPLE = SOURCE / "examples" / "cluster"
EXAMPLE_TEXTS = [EXAMPLE / name for name in (
    "D1_C1_JornalDaManha.txt", "D2_C1_GazetaDoVale.txt", "D3_C1_DiarioSerrano.txt")]
EXAMPLE_RELATIONS = [EXAMPLE / name for name in ("D1_D2.cst", "D1_D3.cst", "D2_D3.cst")]
NEWS_CORPUS = SOURCE / "examples" / "noticias"


def tool(name):
    """The path of a built tool, from the environment ctest gives."""
    path = os.environ.get(name)
    if not path:
        pytest.skip(f"{name} is not set (run through ctest)")
    return path


def run_sentralign(tmp_path, method, summary, texts, relations):
    """The ordered summary that the sentralign executable writes, as bytes,
    run in an empty directory so that it takes the shipped start-up files."""
    work = tmp_path / f"run{method}"
    work.mkdir()
    out = work / "out.txt"
    args = [tool("SENTRALIGN_BIN"), str(method), str(summary), str(out), str(len(texts)),
            *map(str, texts), str(len(relations)), *map(str, relations)]
    done = subprocess.run(args, cwd=work, capture_output=True, check=True)
    return out.read_bytes(), done.stdout


WORDS = ["ponte", "rio", "chuva", "a", "de", "cidade", "Governo", "obra", "são", "ação"]
TYPES = ["Overlap", "Elaboration", "Follow-up", "Subsumption", "Historical-background",
         "Identity", "Attribution", "Citation"]


def generated_cluster(tmp_path, seed):
    """Texts, relation files and a summary of random sentences, in files:
    (text paths, relation paths, summary path)."""
    rng = random.Random(seed)
    texts, sentences = [], []
    for t in range(1, rng.randint(2, 4) + 1):
        lines, body = [], ""
        for _ in range(rng.randint(3, 12)):
            sentence = " ".join(rng.choice(WORDS) for _ in range(rng.randint(1, 7))) + "."
            lines.append(sentence)
            body += sentence + rng.choice(["\n", " ", "\r\n"])
        sentences.append(lines)
        path = tmp_path / f"D{t}_gerado.txt"
        path.write_bytes(body.encode())
        texts.append(path)
    relations = []
    for f in range(rng.randint(0, 2)):
        records = ""
        for _ in range(rng.randint(5, 30)):
            a, b = rng.randint(1, len(texts)), rng.randint(1, len(texts))
            records += (f'<R SDID="D{a}_x" SSENT="{rng.randint(1, 12)}" TDID="D{b}_x" '
                        f'TSENT="{rng.randint(1, 12)}">\n'
                        f'<RELATION TYPE="{rng.choice(TYPES)}" JUDGE="t"/>\n</R>\n')
        path = tmp_path / f"r{f}.cst"
        path.write_text(records)
        relations.append(path)
    summary = [rng.choice(rng.choice(sentences)) for _ in range(rng.randint(1, 9))]
    summary_path = tmp_path / "resumo.txt"
    summary_path.write_bytes(("\n".join(summary) + "\n").encode())
    return texts, relations, summary_path
