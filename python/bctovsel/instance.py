"""Signed graphs given from Python, written as an instance of the solver.

A NetworkX graph, an iterable of (u, v, sign) or a matrix becomes the
solver's graph or matrix form, its vertices numbered 0..n-1 in the order the
caller's labels come.  Signs follow the converters' rule: any nonzero number
counts by its sign, a zero drops the edge, and a pair joined with both signs
(a multigraph, both directions of a directed graph, or two triples) is a
double edge.  Every message names the caller's labels.
"""

from __future__ import annotations

import math
import numbers
from typing import Any, Hashable, Iterable, Optional

__all__ = ["sign_of", "signed_edges", "write_instance"]


def sign_of(value: Any, where: str) -> int:
    """+1 or -1 by the sign of a number, 0 for zero; anything else (text,
    None, NaN) is refused."""
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise ValueError(f"{where}: sign {value!r} is not a number")
    if isinstance(value, float) and math.isnan(value):
        raise ValueError(f"{where}: sign {value!r} is not a number")
    return (value > 0) - (value < 0)


def _is_networkx(graph: Any) -> bool:
    return hasattr(graph, "nodes") and hasattr(graph, "edges") and hasattr(graph, "is_directed")


def signed_edges(graph: Any, sign: str = "sign",
                 nodes: Optional[Iterable[Hashable]] = None) -> tuple[list, list]:
    """The labels and the signed edges of a NetworkX graph (its edge
    attribute `sign`) or of an iterable of (u, v, sign): ([label, ...],
    [(i, j, s), ...]) with i < j numbering the labels and s 1, -1 or 2
    (both signs).  `nodes` adds labels without edges to an edge list."""
    labels: list = []
    index: dict = {}

    def number(v: Hashable) -> int:
        if v not in index:
            index[v] = len(labels)
            labels.append(v)
        return index[v]

    if _is_networkx(graph):
        for v in graph.nodes:
            number(v)
        triples: Iterable = graph.edges(data=True)
    else:
        for v in nodes or ():
            number(v)
        triples = graph
    signs: dict = {}
    for k, e in enumerate(triples):
        if _is_networkx(graph):
            u, v, data = e
            where = f"edge ({u!r}, {v!r})"
            if sign not in data:
                raise ValueError(f"{where} has no attribute {sign!r}; sign= names the edge "
                                 f"attribute that holds the signs")
            s = sign_of(data[sign], where)
        else:
            try:
                u, v, w = e
            except (TypeError, ValueError):
                raise ValueError(f"edge {k}: {e!r} is not a triple (u, v, sign)") from None
            where = f"edge ({u!r}, {v!r})"
            s = sign_of(w, where)
        a, b = number(u), number(v)
        if s == 0:
            continue
        if a == b:
            if s < 0:
                raise ValueError(f"{where} is a loop with a negative sign: {u!r} could never be "
                                 f"in a balanced set; remove the loop or the vertex")
            continue  # a positive loop never unbalances anything
        key = (a, b) if a < b else (b, a)
        signs[key] = signs.get(key, 0) | (1 if s > 0 else 2)
    records = [(a, b, 1 if bits == 1 else -1 if bits == 2 else 2)
               for (a, b), bits in signs.items()]
    return labels, records


def _matrix_rows(matrix: Any) -> tuple[list, int]:
    rows = [list(r) for r in (matrix.tolist() if hasattr(matrix, "tolist") else matrix)]
    columns = len(rows[0]) if rows else 0
    for i, r in enumerate(rows):
        if len(r) != columns:
            raise ValueError(f"matrix row {i} has {len(r)} entries, row 0 has {columns}")
    return rows, columns


def write_instance(path: str, graph: Any, matrix: Any, sign: str,
                   nodes: Optional[Iterable[Hashable]]) -> tuple[list, bool, list]:
    """Writes the instance file; returns the labels, whether it is a matrix,
    and the signed edges under the labels (none for a matrix)."""
    with open(path, "w", encoding="ascii") as f:
        if matrix is not None:
            rows, columns = _matrix_rows(matrix)
            f.write(f"{len(rows)} {columns}\n")
            for i, r in enumerate(rows):
                f.write(" ".join(str(sign_of(x, f"matrix row {i}, column {j}"))
                                 for j, x in enumerate(r)) + "\n")
            return list(range(len(rows))), True, []
        labels, records = signed_edges(graph, sign, nodes)
        f.write(f"{len(labels)} {len(records)}\n")
        for u, v, s in records:
            f.write(f"{u} {v} {s}\n")
        return labels, False, [(labels[u], labels[v], s) for u, v, s in records]
