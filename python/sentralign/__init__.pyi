# Types of the sentralign package, for editors and type checkers.
import os
from typing import Dict, Iterable, Iterator, List, Optional, Sequence, Tuple, Union

__version__: str

Text = Union[str, bytes]
PathLike = Union[str, "os.PathLike[str]"]
SentenceRef = Union["Sentence", Tuple[int, int]]
RelationTuple = Tuple[int, int, int, int, Text]
MethodName = Union[int, str]

class Sentence:
    """One sentence of a cluster: its text number, its place there, its words."""

    text: int
    place: int
    sentence: Text
    def __init__(self, text: int, place: int, sentence: Text) -> None: ...
    def __iter__(self) -> Iterator[Union[int, Text]]: ...
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...

class Ordering(List[Sentence]):
    """The ordered sentences of a summary, with what method 6 removed and what
    lines were dropped."""

    removed: List[Tuple[int, int, int, int, Text]]
    unmatched: List[Tuple[int, Text]]

class Cluster:
    """A cluster of source texts and the relations between their sentences."""

    def __init__(
        self,
        texts: Sequence[Text],
        relations: Iterable[Union[Text, RelationTuple]] = ...,
        stoplist: Optional[Text] = None,
        relation_types: Optional[Text] = None,
        segmented: bool = False,
    ) -> None: ...
    @staticmethod
    def from_files(
        texts: Iterable[PathLike],
        relations: Iterable[PathLike] = ...,
        stoplist: Optional[PathLike] = None,
        relation_types: Optional[PathLike] = None,
        segmented: bool = False,
    ) -> "Cluster": ...
    @property
    def sentences(self) -> List[Sentence]: ...
    def order(
        self,
        summary: Union[Iterable[Text], PathLike],
        method: MethodName,
        *,
        time_limit: Optional[float] = None,
    ) -> Ordering: ...

def spearman_ts(ordered: Iterable[SentenceRef], human: Iterable[SentenceRef]) -> float: ...
def kendall_tk(ordered: Iterable[SentenceRef], human: Iterable[SentenceRef]) -> float: ...
def kendall_tau_b(ordered: Iterable[SentenceRef], human: Iterable[SentenceRef]) -> float: ...
class Report(List[Dict[str, Union[float, str]]]):
    """The rows of sentralign-eval's CSV report, with its messages."""

    messages: List[str]
    complete: bool

def evaluate(
    path: PathLike,
    segmented: bool = False,
    summary: Optional[str] = None,
    human: Optional[str] = None,
    seed: int = 1,
    jobs: int = 1,
    *,
    texts: Optional[str] = None,
    time_limit: Optional[float] = 60.0,
) -> Report: ...
