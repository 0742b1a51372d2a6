"""Draws a solved signed graph with Graphviz: the two sides of the balanced
set in two colours, the vertices left out in grey, positive edges solid and
negative ones dashed.  A graph too large to draw gets a summary of the set's
subgraph instead.

    python3 -m bctovsel.draw [-m] [--mapa MAPA] [--maximo N] instancia solucao saida.png

reads an instance in the solver's format (-m: a matrix) and a solution file
written by BCTovsel -s, and writes saida in the format its extension names
(png, svg, pdf; .dot: the DOT text alone).  MAPA, as build/lista2grafo
writes it (`new old` a line), names the vertices by their original ids.
"""

import argparse
import os
import subprocess
import sys

from .solver import read_solution

__all__ = ["read_instance", "read_names", "dot", "summary", "render", "main"]

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


def dot(n, edges, side, names=None, title=None):
    """DOT text of the graph: side[v] is 0 or 1 for a chosen vertex (absent
    or -1 for one left out)."""
    names = names or {}
    lines = ["graph bctovsel {",
             "  graph [layout=neato, overlap=false, splines=true, outputorder=edgesfirst, size=\"5.5,5.5\", dpi=96"
             + (", label=" + _quote(title) + ", labelloc=t" if title else "") + "];",
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


def main(argv=None):
    p = argparse.ArgumentParser(prog="python3 -m bctovsel.draw",
                                description="Draws a graph solved by BCTovsel.")
    p.add_argument("-m", "--matriz", action="store_true", help="the instance is a matrix")
    p.add_argument("--mapa", help="map file of `new old` lines naming the vertices")
    p.add_argument("--maximo", type=int, default=MAX_VERTICES,
                   help=f"most vertices drawn (default {MAX_VERTICES}); beyond, a summary")
    p.add_argument("--titulo", help="a title above the picture")
    p.add_argument("instancia")
    p.add_argument("solucao")
    p.add_argument("saida")
    a = p.parse_args(argv)
    n, edges = read_instance(a.instancia, a.matriz)
    header, side = read_solution(a.solucao)
    if n > a.maximo or len(edges) > MAX_EDGES:
        sys.stdout.write(f"too large to draw ({n} vertices, {len(edges)} edges); the set:\n")
        sys.stdout.write(summary(n, edges, side))
        return 0
    names = read_names(a.mapa) if a.mapa else None
    render(dot(n, edges, side, names, a.titulo), a.saida)
    return 0


if __name__ == "__main__":
    sys.exit(main())
