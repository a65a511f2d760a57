"""Orders the sentences of an extractive multi-document summary.

sentralign takes a cluster of news texts, the Cross-document Structure
Theory (CST) relations annotated between their sentences, and a summary
made of copied source sentences, and puts the summary's sentences in
order by one of six methods:

    1 "position"     the place of each sentence in its own text
    2 "length-up"    sentence length, shortest first
    3 "length-down"  sentence length, longest first
    4 "topics"       topics of content words, by their earliest place
    5 "topological"  a depth-first order of the relation graph
    6 "acyclic"      as 5, after the graph's cycles are broken

    >>> import sentralign
    >>> cluster = sentralign.Cluster(["Chove. Rios sobem.\\n", "A chuva para.\\n"])
    >>> [s.sentence for s in cluster.order(["A chuva para.", "Rios sobem."], "position")]
    ['A chuva para.', 'Rios sobem.']

The orders are those the sentralign command-line tool writes for the same
inputs. Cluster.from_files reads a cluster as the tool does; evaluate
scores a cluster or a corpus against human orderings as sentralign-eval
does; spearman_ts, kendall_tk and kendall_tau_b are its measures.

Errors: FileNotFoundError or OSError for a file, ValueError for a bad
method, relation or argument, TimeoutError when method 6 passes its
time limit; messages are the tools' own.
"""

from sentralign._sentralign import (
    Cluster,
    Sentence,
    __version__,
    kendall_tau_b,
    kendall_tk,
    spearman_ts,
)

__all__ = [
    "Cluster",
    "Ordering",
    "Sentence",
    "evaluate",
    "kendall_tau_b",
    "kendall_tk",
    "spearman_ts",
    "__version__",
]


class Ordering(list):
    """The ordered sentences of a summary: a list of Sentence.

    Attributes:
        removed: the edges method 6 removed, in the order it removed them,
            as (source_text, source_place, target_text, target_place,
            relation) tuples; empty for the other methods.
        unmatched: the summary lines that named no sentence and were
            dropped, as (line_number, line) pairs, line numbers from 1.
    """

    removed: list
    unmatched: list
