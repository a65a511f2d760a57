"""The measures, with scipy's Kendall tau as an independent check."""

import math
import random

import pytest

import sentralign

scipy_stats = pytest.importorskip("scipy.stats")


def test_known_values():
    h = [(1, 1), (1, 2), (2, 1)]
    assert sentralign.kendall_tk(h, h) == 1.0
    assert sentralign.spearman_ts(list(reversed(h)), h) == -1.0
    swapped = [(1, 2), (1, 1), (2, 1)]
    assert sentralign.spearman_ts(swapped, h) == 0.5
    assert sentralign.kendall_tk(swapped, h) == pytest.approx(1 / 3, abs=1e-7)
    assert math.isnan(sentralign.kendall_tk([(1, 1)], [(1, 1)]))
    sentences = [sentralign.Sentence(t, p, "x") for t, p in h]
    assert sentralign.kendall_tk(sentences, h) == 1.0


@pytest.mark.parametrize("seed", range(40))
def test_tau_b_agrees_with_scipy(seed):
    rng = random.Random(seed)
    n = rng.randint(2, 60)
    human = [(rng.randint(1, 3), k) for k in range(1, n + 1)]
    ordered = human[:]
    rng.shuffle(ordered)
    places = {s: i for i, s in enumerate(human)}
    expected = scipy_stats.kendalltau(range(n), [places[s] for s in ordered]).statistic
    assert sentralign.kendall_tau_b(ordered, human) == pytest.approx(expected, abs=1e-12)
    assert sentralign.kendall_tk(ordered, human) == pytest.approx(expected, abs=1e-6)


def test_lists_of_other_sentences_are_refused():
    with pytest.raises(ValueError, match="mesmas sentencas"):
        sentralign.kendall_tk([(1, 1), (1, 1)], [(1, 1), (1, 2)])
    with pytest.raises(ValueError):
        sentralign.spearman_ts([(1, 1)], [(1, 1), (1, 2)])
