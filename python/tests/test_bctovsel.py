"""The Python package against the real solver: the tribes network in each
input form, a refused instance, a time limit, solves at once, and the
drawing.  The solver and checker come from $BCTOVSEL_EXE and $VERIFICA_EXE
(ctest sets both), else from build/ beside the package."""

import os
import random
import shutil
import subprocess
import sys
import threading
from pathlib import Path

import pytest

import bctovsel
from bctovsel import draw

REPO = Path(__file__).resolve().parents[2]
TRIBES = REPO / "examples" / "tribos.tsv"
VERIFICA = os.environ.get("VERIFICA_EXE", str(REPO / "build" / "verifica"))


def tribes_edges():
    """The Highland tribes as (u, v, sign) with their KONECT ids."""
    edges = []
    for line in TRIBES.read_text().splitlines():
        if line.startswith("%") or not line.strip():
            continue
        u, v, w = line.split()[:3]
        edges.append((int(u), int(v), 1 if int(w) > 0 else -1))
    return edges


def check(tmp_path, labels, edges, result):
    """Writes the instance and the result's sides as a solution file and
    has the independent checker accept them."""
    index = {v: i for i, v in enumerate(labels)}
    instance = tmp_path / "instancia.txt"
    instance.write_text(f"{len(labels)} {len(edges)}\n"
                        + "".join(f"{index[u]} {index[v]} {s}\n" for u, v, s in edges))
    solution = tmp_path / "solucao.txt"
    solution.write_text(f"# valor {result.value}\n"
                        + "".join(f"{index[v]} {s}\n" for s in (0, 1) for v in result.sides[s]))
    r = subprocess.run([VERIFICA, str(instance), str(solution)], capture_output=True, text=True)
    assert r.returncode == 0, r.stdout + r.stderr


def test_tribes_as_networkx_graph(tmp_path):
    nx = pytest.importorskip("networkx")
    g = nx.Graph()
    for u, v, s in tribes_edges():
        g.add_edge(f"tribe{u}", f"tribe{v}", sign=s)
    r = bctovsel.solve(g, time_limit=60)
    assert (r.value, r.bound, r.optimal, r.stopped) == (13, 13.0, True, None)
    assert len(r.sides[0]) + len(r.sides[1]) == 13 and len(r.left_out) == 3
    assert r.chosen | r.left_out == set(g.nodes)
    assert r.stats["nodes"] >= 1 and r.stats["record"]["value"] == 13
    check(tmp_path, list(g.nodes), [(u, v, d["sign"]) for u, v, d in g.edges(data=True)], r)


def test_tribes_as_edge_list_in_every_engine(tmp_path):
    edges = tribes_edges()
    labels = sorted({v for e in edges for v in e[:2]})
    for kwargs in ({}, {"reduce": True}, {"engine": "combinatorial", "threads": 2},
                   {"options": ["-a"]}):
        r = bctovsel.solve(edges, **kwargs)
        assert (r.value, r.optimal) == (13, True), kwargs
        check(tmp_path, labels, edges, r)


def test_networkx_signed_multigraph_gives_double_edges():
    nx = pytest.importorskip("networkx")
    g = nx.MultiGraph()
    g.add_edge("x", "y", sign=1)
    g.add_edge("x", "y", sign=-1)  # a double edge: x and y never together
    g.add_edge("y", "z", sign=-1)
    r = bctovsel.solve(g)
    assert r.value == 2 and r.optimal
    assert not {"x", "y"} <= r.chosen


def test_matrix_as_numpy_and_as_lists(tmp_path):
    matrix = REPO / "examples" / "matriz.txt"
    rows = [[int(x) for x in line.split()] for line in matrix.read_text().splitlines()[1:] if line.strip()]
    np = pytest.importorskip("numpy")
    a = bctovsel.solve(matrix=np.array(rows))
    b = bctovsel.solve(matrix=rows, strategy="1100")
    assert a.value == b.value == 3 and a.optimal
    solution = tmp_path / "solucao.txt"
    solution.write_text("".join(f"{v} {s}\n" for s in (0, 1) for v in a.sides[s]))
    r = subprocess.run([VERIFICA, "-m", str(matrix), str(solution)], capture_output=True, text=True)
    assert r.returncode == 0 and "valida: 3 vertices" in r.stdout, r.stdout + r.stderr


def test_malformed_input_raises_value_error():
    with pytest.raises(ValueError, match="sinal 3"):
        bctovsel.solve([(0, 1, 1), (1, 2, 3)])  # the solver's own message
    with pytest.raises(ValueError, match="not a triple"):
        bctovsel.solve([(0, 1, 1), (1, 2)])
    with pytest.raises(ValueError, match="laco"):
        bctovsel.solve([(0, 0, -1)])
    with pytest.raises(ValueError, match="-j"):
        # -j needs cuts to separate, -c or -a
        bctovsel.solve([(0, 1, 1)], strategy="1010", options=["-j", "2"])
    with pytest.raises(ValueError):
        bctovsel.solve(matrix=[[1, 0], [2, 1]])


def random_graph(n, p, seed):
    rng = random.Random(seed)
    return [(u, v, rng.choice((1, -1))) for u in range(n) for v in range(u + 1, n)
            if rng.random() < p]


def balanced(edges, result):
    side = {v: s for s in (0, 1) for v in result.sides[s]}
    return all((side[u] == side[v]) == (s == 1)
               for u, v, s in edges if u in side and v in side)


def test_time_limit_gives_a_valid_bound_not_a_proof():
    edges = random_graph(130, 0.1, 130)
    r = bctovsel.solve(edges, time_limit=1)
    assert not r.optimal and r.stopped is None
    assert 0 < r.value <= r.bound <= 130
    assert balanced(edges, r)


def test_solves_run_at_once_from_threads():
    edges = tribes_edges()
    results = [None] * 4

    def run(i):
        results[i] = bctovsel.solve(edges, engine="combinatorial" if i % 2 else None)

    threads = [threading.Thread(target=run, args=(i,)) for i in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert [r.value for r in results] == [13] * 4


def test_drawing_dot_text_summary_and_picture(tmp_path):
    edges = [(0, 1, 1), (1, 2, -1), (0, 2, 2), (2, 3, 1)]
    side = {0: 0, 1: 0, 2: 1}
    text = draw.dot(4, edges, side, names={0: "a"})
    assert text.startswith("graph bctovsel {")
    assert '0 [label="a", fillcolor="%s"' % draw.SIDE_COLOURS[0] in text
    assert '2 [label="2", fillcolor="%s"' % draw.SIDE_COLOURS[1] in text
    assert '3 [label="3", fillcolor="%s"' % draw.OUT_COLOUR in text
    assert '1 -- 2 [color="%s", style=dashed]' % draw.NEGATIVE in text
    assert '0 -- 1 [color="%s", style=solid]' % draw.POSITIVE in text
    assert '2 -- 3 [color="%s", style=solid, penwidth=0.8]' % draw.FADED in text
    assert draw.summary(4, edges, side) == (
        "vertices 4: 3 in the set (2 on side 0, 1 on side 1), 1 left out\n"
        "edges 4: 1 positive inside the sides, 2 negative across them, "
        "1 with one end left out, 0 with both\n")
    # From files, as the command line does: the tribes drawn, and a graph
    # over the limit summed up.
    instance, solution = tmp_path / "t.txt", tmp_path / "t.sol"
    edges = tribes_edges()
    instance.write_text("16 58\n" + "".join(f"{u - 1} {v - 1} {s}\n" for u, v, s in edges))
    exe = bctovsel.find_executable()
    with open(instance) as f:
        subprocess.run([exe, "-s", str(solution), "1110"], stdin=f, cwd=tmp_path,
                       capture_output=True, check=True)
    n, read = draw.read_instance(str(instance))
    assert n == 16 and len(read) == 58
    assert draw.main([str(instance), str(solution), str(tmp_path / "t.dot")]) == 0
    assert (tmp_path / "t.dot").read_text().count(" -- ") == 58
    if shutil.which("dot"):
        assert draw.main([str(instance), str(solution), str(tmp_path / "t.png")]) == 0
        assert (tmp_path / "t.png").read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    r = subprocess.run([sys.executable, "-m", "bctovsel.draw", "--maximo", "10", str(instance),
                        str(solution), str(tmp_path / "nada.png")], capture_output=True,
                       text=True, env=dict(os.environ, PYTHONPATH=str(REPO / "python")))
    assert r.returncode == 0 and "too large to draw" in r.stdout and "13 in the set" in r.stdout
    assert not (tmp_path / "nada.png").exists()


def test_matrix_instance_read_as_the_solver_converts_it(tmp_path):
    path = tmp_path / "m.txt"
    path.write_text("3 2\n1 1\n1 -1\n0 1\n")
    # rows 0,1: equal in column 0 (negative), different in 1 (positive): double;
    # rows 0,2: equal in column 1: negative; rows 1,2: different: positive.
    assert draw.read_instance(str(path), matrix=True) == (3, [(0, 1, 2), (0, 2, -1), (1, 2, 1)])
