"""bctovsel: the maximum balanced subgraph of a signed graph, solved exactly
by the BCTovsel solver (run as a child process), and drawn with Graphviz.

    >>> import bctovsel
    >>> r = bctovsel.solve([("a", "b", 1), ("b", "c", -1), ("a", "c", -1)])
    >>> r.status, r.value, r.gap
    ('optimal', 3, 0.0)

solve(graph) takes a NetworkX graph with signed edges (any nonzero number
by its sign), an iterable of (u, v, sign) or, with matrix=, a 0/+1/-1
matrix, and returns a Result: status, value, bound, gap, sides (under the
caller's labels), stats.  to_networkx(result) and result.subgraph(G) give
the balanced subgraph, draw(G, result, "picture.svg") a picture of it.  The
command `bctovsel FILE` (also `python3 -m bctovsel`) solves a file.
"""

from __future__ import annotations

import importlib
from typing import Any

from .process import Progress, find_executable
from .result import Result, read_solution
from .solver import ENGINES, STOP_STATUSES, solve

__version__ = "0.2.0"

__all__ = ["solve", "Result", "Progress", "to_networkx", "draw", "find_executable",
           "read_solution", "STOP_STATUSES", "ENGINES", "__version__"]


def to_networkx(result: Result) -> Any:
    """The balanced subgraph as a new NetworkX graph: the chosen vertices,
    each with the node attribute "side" (0 or 1), and the edges among them,
    each with "sign" (+1 or -1): positive ones inside a side, negative ones
    across.  (A matrix's rows have no stored edges: use result.subgraph on
    a graph of them.)"""
    import networkx as nx

    g = nx.Graph()
    for s in (0, 1):
        for v in result.sides[s]:
            g.add_node(v, side=s)
    for u, v, s in result.edges:
        if u in g and v in g:
            g.add_edge(u, v, sign=s)
    return g


def __getattr__(name: str) -> Any:
    # bctovsel.draw is the drawing module, which is also callable as
    # bctovsel.draw(G, result, path); it is imported on first use, so that
    # `python3 -m bctovsel.draw` runs it only once.
    if name == "draw":
        return importlib.import_module(".draw", __name__)
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")
