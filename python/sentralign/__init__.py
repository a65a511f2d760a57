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
    _evaluate,
    kendall_tau_b,
    kendall_tk,
    spearman_ts,
)

__all__ = [
    "Cluster",
    "Ordering",
    "Report",
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


class Report(list):
    """The rows of sentralign-eval's CSV report: a list of dict.

    Each dict has the CSV's columns as keys: numbers are floats (nan where
    the score is undefined), names are str, empty cells are "". The rows
    with "estatistica" "valor" score one human ordering; the others are
    the statistics over the corpus (mean, its 95% interval, deviation,
    minimum, maximum).

    Attributes:
        messages: what sentralign-eval writes on stderr, one line each:
            converted files, lines matched by a rule or dropped, clusters
            that failed.
        complete: True when every cluster was scored whole.
    """

    messages: list
    complete: bool


def evaluate(path, segmented=False, summary=None, human=None, seed=1, jobs=1, *,
             texts=None, time_limit=60.0):
    """Scores a cluster or a corpus as sentralign-eval does.

    path: a cluster directory, or a corpus directory of clusters, in either
        layout that sentralign-eval reads.
    segmented: True when the texts hold one sentence a line.
    summary, human, texts: name patterns of the summary, the human
        orderings and the texts; None takes sentralign-eval's.
    seed: of the random orderings and the bootstrap intervals.
    jobs: clusters scored at a time.
    time_limit: seconds that method 6 may take in one cluster (None: no
        limit); a cluster whose method 6 runs out is scored without it.

    Returns a Report: the CSV's rows as dicts, with the same keys and values
    as `sentralign-eval --csv` (numbers with all their digits). Raises
    FileNotFoundError or OSError when path cannot be read, ValueError when
    it holds no cluster or an argument is out of range.

        >>> import pandas
        >>> table = pandas.DataFrame(sentralign.evaluate("corpus", segmented=True))
    """
    rows, messages, complete = _evaluate(path, segmented, summary, human, texts, seed,
                                         jobs, time_limit)
    report = Report(rows)
    report.messages = messages
    report.complete = complete
    return report
