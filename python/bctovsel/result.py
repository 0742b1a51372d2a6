"""What a solve found, read back from the solver's report and files.

The solver (run with -f and -s) prints its statistics and ends with a status
line; its solution file holds the value, the bound and each chosen vertex's
side; its record line the 19 figures of the run.  This module turns them
into a Result under the caller's labels.
"""

from __future__ import annotations

import math
import re
from dataclasses import dataclass, field
from typing import Any, Hashable, Iterable, Optional

__all__ = ["Result", "STATUSES", "read_solution", "statistics", "run_status", "gap_of"]

# How a run ended, from the solver's final status line.
STATUSES = {
    "otimo": "optimal",
    "limite de tempo": "time_limit",
    "interrompido": "interrupted",
    "sem solucao": "no_solution",
    "nao provado": "not_proved",
}

# The statistics lines of the solver's report, by the start of their text.
_STATS = [
    (".total de cortes inseridos", "cuts", int),
    ("..cortes ciclo C- impar", "cycle_cuts", int),
    ("..cortes clique", "clique_cuts", int),
    ("..cortes ciclo ind set", "cycle_indset_cuts", int),
    (".cortes gerais do otimizador", "general_cuts", int),
    (".valor da FO da primeira relaxacao", "first_relaxation", float),
    (".valor da FO no no' raiz", "root_bound", float),
    (".tempo de CPU em separacao", "separation_seconds", int),
    (".tempo de CPU", "solve_seconds", int),
    (".total de nos explorados", "nodes", int),
    (".no' da melhor solucao inteira", "best_node", int),
    (".valor da melhor solucao inteira", "value", int),
    (".melhor limitante dual", "bound", float),
]

# The record line's 19 fields, in order.
RECORD = ["vertices", "edges", "negative_edges", "positive_edges", "double_edges", "value",
          "solve_seconds", "separation_seconds", "bound", "first_relaxation", "root_bound",
          "clique_rows", "cycle_rows", "k1k2_rows", "cycle_cuts", "clique_cuts",
          "cycle_indset_cuts", "nodes", "best_node"]

_REDUCTION = re.compile(r"Reducao: (\d+) vertices fixados \((\d+) na solucao\), (\d+) pecas, "
                        r"a maior com (\d+) vertices e (\d+) arestas")
_FIRST_SET = re.compile(r"Solucao inicial: (\d+) vertices")


def gap_of(value: Optional[int], bound: Optional[float]) -> Optional[float]:
    """(bound - value) / value with the bound rounded down to a whole number
    (the objective counts vertices, so that bound is valid too): 0.0 once
    the value is proved, None without a value, inf for a value of 0 below a
    positive bound."""
    if value is None or bound is None:
        return None
    whole = math.floor(bound + 1e-6)
    if whole <= value:
        return 0.0
    return (whole - value) / value if value > 0 else math.inf


@dataclass
class Result:
    """What a solve found.

    status    -- how the run ended: "optimal" (the value is proved),
                 "time_limit" (the time limit stopped it first),
                 "interrupted" (Ctrl-C or another stop signal stopped it),
                 "no_solution" (it ended without any balanced set: only with
                 a strategy without the heuristic), "not_proved" (it ended
                 without proving its value: only with a strategy without cut
                 generation).  Whatever stopped it, value and bound are valid.
    value     -- size of the best balanced set found (None when none was found)
    bound     -- a proved upper bound on the optimum (at least value)
    gap       -- (bound rounded down - value) / value: 0.0 when proved, None
                 without a value
    optimal   -- whether value is proved optimal (status == "optimal")
    sides     -- the best set as a pair of sets of the caller's labels: every
                 positive edge inside a set, every negative edge between them
    left_out  -- the labels not in the set
    stopped   -- None, or the signal ("SIGINT", ...) that stopped the run early
    stats     -- the run's figures: nodes, cuts, root_bound, first_relaxation,
                 solve_seconds, pieces, largest_piece_vertices, ...; record
                 (the record line's 19 fields by name) and wall_seconds
    output    -- the solver's standard output, as printed (Portuguese)
    """

    status: str
    value: Optional[int]
    bound: Optional[float]
    gap: Optional[float]
    optimal: bool
    sides: tuple
    left_out: set
    stopped: Optional[str] = None
    stats: dict = field(default_factory=dict)
    output: str = ""
    # The signed edges under the caller's labels, for subgraphs and drawings.
    edges: list = field(default_factory=list, repr=False)

    @property
    def chosen(self) -> set:
        """The labels of the balanced set, both sides together."""
        return self.sides[0] | self.sides[1]

    @property
    def seconds(self) -> Optional[float]:
        """Wall-clock seconds of the run, as the solver measured them."""
        return self.stats.get("wall_seconds")

    @property
    def nodes(self) -> Optional[int]:
        """Search-tree nodes explored (summed over the pieces of a reduced run)."""
        return self.stats.get("nodes")

    def side(self, label: Hashable) -> Optional[int]:
        """0 or 1 for a vertex of the set, None for one left out."""
        if label in self.sides[0]:
            return 0
        if label in self.sides[1]:
            return 1
        return None

    def subgraph(self, graph: Any) -> Any:
        """The balanced subgraph of a NetworkX graph: a copy of the subgraph
        induced by the chosen vertices, each with the node attribute "side"."""
        sub = graph.subgraph(self.chosen).copy()
        for v in sub.nodes:
            sub.nodes[v]["side"] = self.side(v)
        return sub

    def summary(self) -> str:
        """The run in a few readable lines: status, value, bound, gap, time,
        nodes and the pieces of the reduction."""
        def number(x: Optional[float]) -> str:
            if x is None:
                return "-"
            return str(int(x)) if float(x).is_integer() else f"{x:.2f}"

        gap = "-" if self.gap is None else ("inf" if math.isinf(self.gap) else f"{100 * self.gap:.2f}%")
        status = self.status.replace("_", " ")
        if self.stopped:
            status += f" ({self.stopped})"
        lines = [("status", status), ("value", number(self.value)), ("bound", number(self.bound)),
                 ("gap", gap)]
        if self.seconds is not None:
            lines.append(("time", f"{self.seconds:.2f} s"))
        if self.nodes is not None:
            lines.append(("nodes", str(self.nodes)))
        if "pieces" in self.stats:
            s = self.stats
            if s["pieces"] == 0:
                pieces = (f"none: the reduction's rules solved the whole instance "
                          f"({s['fixed_vertices']} vertices)")
            else:
                pieces = (f"{s['pieces']} left by the reduction ({s['fixed_vertices']} vertices "
                          f"fixed by its rules), the largest with {s['largest_piece_vertices']} "
                          f"vertices and {s['largest_piece_edges']} edges")
            lines.append(("pieces", pieces))
        return "".join(f"{k:<8} {v}\n" for k, v in lines)


def read_solution(path: str) -> tuple[dict, dict]:
    """The solution file of BCTovsel -s: header values (value, bound, optimal,
    seconds, running) and the side of each chosen vertex, {vertex: side}."""
    header: dict = {"value": None, "bound": None, "optimal": False, "seconds": None,
                    "running": False}
    sides = {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            words = line.split()
            if not words:
                continue
            if words[0] == "#":
                key = words[1:2]
                if key == ["valor"]:
                    header["value"] = int(words[2])
                elif key == ["limitante"]:
                    header["bound"] = float(words[2])
                elif key == ["otimo"]:
                    header["optimal"] = words[2] == "sim"
                elif key == ["tempo"]:
                    header["seconds"] = float(words[2])
                elif key == ["em"]:
                    header["running"] = True
                continue
            sides[int(words[0])] = int(words[1])
    return header, sides


def statistics(output: str) -> dict:
    """The figures of the solver's report, by English name."""
    stats: dict = {}
    for line in output.splitlines():
        m = _REDUCTION.match(line)
        if m:
            for key, text in zip(("fixed_vertices", "fixed_in_set", "pieces",
                                  "largest_piece_vertices", "largest_piece_edges"), m.groups()):
                stats[key] = int(text)
            continue
        m = _FIRST_SET.match(line)
        if m:
            stats["first_set"] = int(m.group(1))
            continue
        for start, key, kind in _STATS:
            if line.startswith(start) and "=" in line:
                # (The times print nothing for 0 seconds.)
                text = line.rsplit("=", 1)[1].strip() or "0"
                stats[key] = kind(float(text))
                break
    return stats


def record(text: str) -> Optional[dict]:
    """The record line's fields by name, or None when it is not whole."""
    fields = text.split()
    if len(fields) != len(RECORD):
        return None
    return dict(zip(RECORD, (float(x) if "." in x else int(x) for x in fields)))


def run_status(output: str) -> Optional[str]:
    """The status of the solver's final line ("Estado final: ..."), in
    English, or None when the report has no such line."""
    for line in reversed(output.splitlines()):
        if line.startswith("Estado final: "):
            text = line[len("Estado final: "):]
            for start, status in STATUSES.items():
                if text.startswith(start):
                    return status
            return "failed_check" if text.startswith("falha na verificacao") else None
    return None


def build(status: str, header: dict, chosen: dict, labels: list, stats: dict, output: str,
          stopped: Optional[str], edges: Iterable = ()) -> Result:
    """A Result from what the run left, the vertices numbered as in the
    instance written for it and named by `labels`."""
    sides: tuple = (set(), set())
    for v, s in chosen.items():
        sides[s].add(labels[v])
    left_out = {labels[v] for v in range(len(labels)) if v not in chosen}
    value = header["value"]
    bound = header["bound"]
    return Result(status=status, value=value, bound=bound, gap=gap_of(value, bound),
                  optimal=status == "optimal", sides=sides, left_out=left_out, stopped=stopped,
                  stats=stats, output=output, edges=list(edges))
