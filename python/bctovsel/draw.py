"""Draws a solved signed graph with Graphviz: the two sides of the balanced
set in two colours, the vertices left out in grey, positive edges solid and
negative ones dashed, with a legend.  A graph too large to draw gets the
largest piece of its balanced set, or when even that is too large, a
summary of the set's subgraph.

    bctovsel.draw(G, result, "picture.svg")

draws a graph solved from Python (a NetworkX graph or the edge list given to
solve, or None for the edges the result keeps) in the format the extension
names (png, svg, pdf; .dot: the DOT text alone), and returns what it drew:
"graph", "piece" or "summary" (then a picture of the summary's text).  This
module is that function too: bctovsel.draw(...) is bctovsel.draw.draw(...).

    python3 -m bctovsel.draw [-m] [--mapa MAPA] [--maximo N] instancia solucao saida.png

reads an instance in the solver's format (-m: a matrix) and a solution file
written by BCTovsel -s, and writes saida.  MAPA, as build/lista2grafo
writes it (`new old` a line), names the vertices by their original ids.
Beyond the limits the summary is printed, and no file is written.
"""

from __future__ import annotations

import argparse
import os
import subprocess
import sys
import types
from typing import Any, Hashable, Optional

from .instance import signed_edges
from .result import read_solution

__all__ = ["draw", "picture", "largest_piece", "read_instance", "read_names", "dot", "summary",
           "render", "main"]

SIDE_COLOURS = ("#4e79a7", "#f28e2b")  # side 0, side 1
OUT_COLOUR = "#d9d9d9"                 # left out
POSITIVE = "#2f9e44"
NEGATIVE = "#e03131"
FADED = "#bfbfbf"                      # an edge with an end left out

# Beyond these the picture is unreadable: the summary is printed instead.
MAX_VERTICES = 300
MAX_EDGES = 3000


def _numbers(path):
    with open(path, encoding="latin-1") as f:
        for token in f.read().split():
            yield int(token)


def _matrix_edges(rows):
    """The signed graph of a matrix, as the solver converts it: two rows
    nonzero in a common column are joined, negatively where their entries
    are equal, positively where they differ, doubly when both happen."""
    columns = {}
    for i, r in enumerate(rows):
        for k, x in enumerate(r):
            if x != 0:
                columns.setdefault(k, []).append(i)
    signs = {}
    for k, members in columns.items():
        for a in range(len(members)):
            for b in range(a + 1, len(members)):
                i, j = members[a], members[b]
                s = -1 if rows[i][k] == rows[j][k] else 1
                signs.setdefault((i, j), set()).add(s)
    return [(i, j, 2 if len(ss) == 2 else next(iter(ss))) for (i, j), ss in sorted(signs.items())]


def read_instance(path, matrix=False):
    """(vertex count, [(u, v, sign), ...]) of an instance file."""
    numbers = _numbers(path)
    if matrix:
        rows_count, columns = next(numbers), next(numbers)
        rows = [[next(numbers) for _ in range(columns)] for _ in range(rows_count)]
        return rows_count, _matrix_edges(rows)
    n, m = next(numbers), next(numbers)
    return n, [(next(numbers), next(numbers), next(numbers)) for _ in range(m)]


def read_names(path):
    """{vertex: original id} from a map file of `new old` lines."""
    names = {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            words = line.split()
            if len(words) >= 2:
                names[int(words[0])] = words[1]
    return names


def _quote(text):
    return '"' + str(text).replace("\\", "\\\\").replace('"', '\\"') + '"'


def _html(text):
    return (str(text).replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;"))


def _legend(title=None):
    """An HTML label: the title, if any, above what the colours and lines mean."""
    cell = '<td><font color="{}">{}</font> {}</td>'
    row = "".join([cell.format(SIDE_COLOURS[0], "&#9679;", "side 0"),
                   cell.format(SIDE_COLOURS[1], "&#9679;", "side 1"),
                   cell.format(OUT_COLOUR, "&#9679;", "left out"),
                   cell.format(POSITIVE, "&#8212;&#8212;", "positive"),
                   cell.format(NEGATIVE, "- - -", "negative")])
    top = f'<tr><td colspan="5"><b>{_html(title)}</b></td></tr>' if title else ""
    return f'<<table border="0" cellspacing="2">{top}<tr>{row}</tr></table>>'


def dot(n, edges, side, names=None, title=None, legend=True):
    """DOT text of the graph of vertices 0..n-1: side[v] is 0 or 1 for a
    chosen vertex (absent or -1 for one left out), names[v] its label (v by
    default); a legend of the colours and lines under the title."""
    names = names or {}
    if legend:
        label = ", label=" + _legend(title) + ", labelloc=t, fontname=\"Helvetica\", fontsize=11"
    else:
        label = ", label=" + _quote(title) + ", labelloc=t" if title else ""
    lines = ["graph bctovsel {",
             "  graph [layout=neato, overlap=false, splines=true, outputorder=edgesfirst, size=\"5.5,5.5\", dpi=96"
             + label + "];",
             '  node [shape=circle, style=filled, fontname="Helvetica", fontsize=11, '
             "width=0.42, fixedsize=true];",
             "  edge [penwidth=1.4];"]
    for v in range(n):
        s = side.get(v, -1)
        if s in (0, 1):
            attrs = f"fillcolor={_quote(SIDE_COLOURS[s])}, color={_quote(SIDE_COLOURS[s])}, fontcolor=white"
        else:
            attrs = f"fillcolor={_quote(OUT_COLOUR)}, color={_quote('#a6a6a6')}, fontcolor={_quote('#707070')}"
        lines.append(f"  {v} [label={_quote(names.get(v, v))}, {attrs}];")
    for u, v, s in edges:
        if u == v:
            continue
        inside = side.get(u, -1) in (0, 1) and side.get(v, -1) in (0, 1)
        if s == 2:
            colour = f"{POSITIVE}:{NEGATIVE}" if inside else f"{FADED}:{FADED}"
            style = "bold"
        else:
            colour = (POSITIVE if s == 1 else NEGATIVE) if inside else FADED
            style = "solid" if s == 1 else "dashed"
        width = "" if inside else ", penwidth=0.8"
        lines.append(f"  {u} -- {v} [color={_quote(colour)}, style={style}{width}];")
    lines.append("}")
    return "\n".join(lines) + "\n"


def summary(n, edges, side):
    """The set's subgraph in figures, for a graph too large to draw."""
    in_side = [sum(1 for v in range(n) if side.get(v, -1) == s) for s in (0, 1)]
    count = {"inside": 0, "across": 0, "touching": 0, "outside": 0}
    for u, v, s in edges:
        a, b = side.get(u, -1), side.get(v, -1)
        if a < 0 and b < 0:
            count["outside"] += 1
        elif a < 0 or b < 0:
            count["touching"] += 1
        elif a == b:
            count["inside"] += 1
        else:
            count["across"] += 1
    return (f"vertices {n}: {in_side[0] + in_side[1]} in the set ({in_side[0]} on side 0, "
            f"{in_side[1]} on side 1), {n - in_side[0] - in_side[1]} left out\n"
            f"edges {len(edges)}: {count['inside']} positive inside the sides, "
            f"{count['across']} negative across them, {count['touching']} with one end left out, "
            f"{count['outside']} with both\n")


def render(text, out):
    """Writes the DOT text through Graphviz into `out`, in the format of its
    extension (a .dot file gets the text itself)."""
    fmt = os.path.splitext(out)[1].lstrip(".").lower() or "png"
    if fmt in ("dot", "gv"):
        with open(out, "w", encoding="utf-8") as f:
            f.write(text)
        return
    try:
        subprocess.run(["dot", "-T" + fmt, "-o", out], input=text.encode("utf-8"), check=True,
                       capture_output=True)
    except FileNotFoundError:
        raise RuntimeError("Graphviz's dot not found (Debian: apt-get install graphviz)") from None
    except subprocess.CalledProcessError as e:
        raise RuntimeError("dot failed: " + e.stderr.decode("utf-8", "replace").strip()) from None


def largest_piece(n, edges, side):
    """The vertices of the largest connected piece of the balanced set (over
    the edges between chosen vertices), as a set."""
    parent = {v: v for v in range(n) if side.get(v, -1) in (0, 1)}

    def root(v):
        while parent[v] != v:
            parent[v] = parent[parent[v]]
            v = parent[v]
        return v

    for u, v, _ in edges:
        if u in parent and v in parent:
            a, b = root(u), root(v)
            if a != b:
                parent[a] = b
    pieces = {}
    for v in parent:
        pieces.setdefault(root(v), set()).add(v)
    return max(pieces.values(), key=len, default=set())


def _summary_dot(text, title):
    label = "\\l".join(_quote(line)[1:-1] for line in text.splitlines()) + "\\l"
    return ("graph bctovsel {\n  graph [dpi=96];\n"
            '  node [shape=box, fontname="Helvetica", fontsize=12, style=rounded];\n'
            f'  summary [label="{_quote(title)[1:-1]}\\n\\n{label}"];\n}}\n')


def picture(n, edges, side, out, names=None, title=None, max_vertices=MAX_VERTICES,
            max_edges=MAX_EDGES, summary_picture=True):
    """Draws the graph into `out` when it fits the limits; otherwise the
    largest piece of its balanced set when that fits; otherwise a picture
    of the summary (or, with summary_picture=False, nothing).  Returns
    ("graph" | "piece" | "summary", a sentence saying what was drawn)."""
    names = names or {}
    if n <= max_vertices and len(edges) <= max_edges:
        render(dot(n, edges, side, names, title), out)
        return "graph", f"the whole graph ({n} vertices, {len(edges)} edges)"
    piece = largest_piece(n, edges, side)
    inner = [(u, v, s) for u, v, s in edges if u in piece and v in piece]
    chosen = sum(1 for v in range(n) if side.get(v, -1) in (0, 1))
    if piece and len(piece) <= max_vertices and len(inner) <= max_edges:
        order = sorted(piece)
        index = {v: i for i, v in enumerate(order)}
        what = (f"the largest piece of the balanced set: {len(piece)} of its {chosen} vertices "
                f"(the graph has {n})")
        render(dot(len(order), [(index[u], index[v], s) for u, v, s in inner],
                   {index[v]: side[v] for v in order}, {index[v]: names.get(v, v) for v in order},
                   title or what), out)
        return "piece", what
    text = summary(n, edges, side)
    what = (f"a summary: the graph ({n} vertices, {len(edges)} edges) and the largest piece of "
            f"its balanced set ({len(piece)} vertices) are beyond {max_vertices} vertices or "
            f"{max_edges} edges")
    if summary_picture:
        render(_summary_dot(text, title or "too large to draw: the balanced set"), out)
    return "summary", what


def draw(graph: Any, result: Any, path: str, *, title: Optional[str] = None,
         sign: str = "sign", max_vertices: int = MAX_VERTICES, max_edges: int = MAX_EDGES) -> str:
    """Draws a solved graph into `path` (.svg, .png, .pdf, or .dot for the
    DOT text), with Graphviz: the sides of result's balanced set in blue and
    orange, the vertices left out in grey, positive edges solid green and
    negative ones dashed red.  `graph` is what was solved (a NetworkX graph
    or an edge list, signs as solve reads them), or None for the edges the
    result keeps.  Beyond max_vertices or max_edges it draws the largest
    piece of the balanced set, and beyond those too a summary of the set.
    Returns what it drew: "graph", "piece" or "summary"."""
    if graph is None:
        labels = sorted(result.chosen | result.left_out, key=repr)
        index = {v: i for i, v in enumerate(labels)}
        records = [(index[u], index[v], s) for u, v, s in result.edges]
    else:
        labels, records = signed_edges(graph, sign)
    side = {i: result.side(v) for i, v in enumerate(labels) if result.side(v) is not None}
    kind, _ = picture(len(labels), records, side, path, dict(enumerate(labels)), title,
                      max_vertices, max_edges)
    return kind


def main(argv=None):
    p = argparse.ArgumentParser(prog="python3 -m bctovsel.draw",
                                description="Draws a graph solved by BCTovsel.")
    p.add_argument("-m", "--matriz", action="store_true", help="the instance is a matrix")
    p.add_argument("--mapa", help="map file of `new old` lines naming the vertices")
    p.add_argument("--maximo", type=int, default=MAX_VERTICES,
                   help=f"most vertices drawn (default {MAX_VERTICES}); beyond, the largest piece "
                        f"of the balanced set, or a summary")
    p.add_argument("--titulo", help="a title above the picture")
    p.add_argument("instancia")
    p.add_argument("solucao")
    p.add_argument("saida")
    a = p.parse_args(argv)
    n, edges = read_instance(a.instancia, a.matriz)
    header, side = read_solution(a.solucao)
    names = read_names(a.mapa) if a.mapa else None
    kind, what = picture(n, edges, side, a.saida, names, a.titulo, a.maximo, MAX_EDGES,
                         summary_picture=False)
    if kind == "summary":
        sys.stdout.write(f"too large to draw ({n} vertices, {len(edges)} edges); the set:\n")
        sys.stdout.write(summary(n, edges, side))
    elif kind == "piece":
        sys.stdout.write(f"drawn: {what}\n")
    return 0


class _Drawing(types.ModuleType):
    """The module, callable as its draw function."""

    def __call__(self, graph: Any, result: Any, path: str, **options: Any) -> str:
        return draw(graph, result, path, **options)


sys.modules[__name__].__class__ = _Drawing


if __name__ == "__main__":
    sys.exit(main())
