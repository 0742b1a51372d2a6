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
    r = bctovsel.solve(g, time_limit=60, engine="bc")  # the search, not the reduction alone
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
    # Both directions of a directed graph with both signs, under another
    # attribute name; ratings count by their sign and a zero is no edge.
    d = nx.DiGraph()
    d.add_edge("x", "y", rating=10)
    d.add_edge("y", "x", rating=-2.5)
    d.add_edge("y", "z", rating=-3)
    d.add_edge("z", "x", rating=0)
    r = bctovsel.solve(d, sign="rating")
    assert (r.value, r.status) == (2, "optimal") and not {"x", "y"} <= r.chosen
    if {"y", "z"} <= r.chosen:
        assert r.side("y") != r.side("z")  # the negative edge across
    # Weights by their sign: a triangle with one negative rating is not
    # balanced (3 vertices only if a zero drops the third edge).
    t = nx.Graph()
    t.add_edge(1, 2, sign=5)
    t.add_edge(2, 3, sign=7.5)
    t.add_edge(1, 3, sign=-1)
    assert bctovsel.solve(t).value == 2
    t[1][3]["sign"] = 0
    assert bctovsel.solve(t).value == 3
    with pytest.raises(ValueError, match=r"edge \(1, 2\) has no attribute 'weight'"):
        bctovsel.solve(t, sign="weight")


def test_balanced_subgraph_as_networkx():
    nx = pytest.importorskip("networkx")
    g = nx.Graph()
    for u, v, s in tribes_edges():
        g.add_edge(u, v, sign=s)
    r = bctovsel.solve(g)
    for h in (bctovsel.to_networkx(r), r.subgraph(g)):
        assert set(h.nodes) == r.chosen
        assert h.number_of_edges() == g.subgraph(r.chosen).number_of_edges()
        for u, v, data in h.edges(data=True):
            same = h.nodes[u]["side"] == h.nodes[v]["side"]
            assert same == (data["sign"] > 0), (u, v)
    assert "side" not in g.nodes[next(iter(r.chosen))]  # the caller's graph untouched


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
    # Said in English, under the caller's labels, before the solver runs.
    with pytest.raises(ValueError, match=r"edge \('b', 'c'\): sign 'x' is not a number"):
        bctovsel.solve([("a", "b", 1), ("b", "c", "x")])
    with pytest.raises(ValueError, match="not a triple"):
        bctovsel.solve([(0, 1, 1), (1, 2)])
    with pytest.raises(ValueError, match=r"edge \('v', 'v'\) is a loop with a negative sign"):
        bctovsel.solve([("v", "v", -1)])
    with pytest.raises(ValueError, match="threads share"):
        # -j needs cuts to separate, -c or -a
        bctovsel.solve([(0, 1, 1)], engine="bc", strategy="1010", threads=2)
    with pytest.raises(ValueError, match="matrix row 1 has 1 entries"):
        bctovsel.solve(matrix=[[1, 0], [2]])
    with pytest.raises(ValueError, match="engine 'cplex'"):
        bctovsel.solve([(0, 1, 1)], engine="cplex")
    # Options passed as given are the solver's to refuse.
    with pytest.raises(ValueError, match="the solver refused its options"):
        bctovsel.solve([(0, 1, 1)], options=["-x"])


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
    lines = []
    r = bctovsel.solve(edges, time_limit=1, log=lines.append)
    assert not r.optimal and r.stopped is None
    assert r.status == "time_limit"
    assert 0 < r.value <= r.bound <= 130
    assert r.gap == pytest.approx((int(r.bound) - r.value) / r.value)
    assert balanced(edges, r)
    # The progress lines came to the callback, parsed, in English.
    assert lines and all(isinstance(p, bctovsel.Progress) for p in lines)
    assert " nodes " in lines[-1].line and "nos" not in lines[-1].line
    assert lines[-1].value <= r.value and lines[-1].seconds <= 2


# A Ctrl-C in the caller: the solver stops as at its time limit and solve
# returns what it has, status "interrupted".  A second one ends the solver
# at once and raises KeyboardInterrupt: shown with a stand-in that, unlike
# the solver, takes its time to stop after the first.
INTERRUPTED = """
import random, sys, bctovsel
rng = random.Random(130)
edges = [(u, v, rng.choice((1, -1))) for u in range(130) for v in range(u + 1, 130)
         if rng.random() < 0.1]
print("started", flush=True)
try:
    r = bctovsel.solve(edges, time_limit=100, executable=sys.argv[1])
except KeyboardInterrupt:
    print("KeyboardInterrupt", flush=True)
    sys.exit(0)
side = {v: s for s in (0, 1) for v in r.sides[s]}
ok = all((side[u] == side[v]) == (s == 1) for u, v, s in edges if u in side and v in side)
print(r.status, r.stopped, r.value <= r.bound, ok, r.seconds < 50)
"""

SLOW_TO_STOP = """#!/bin/sh
n=0
trap 'n=$((n + 1)); [ $n -ge 2 ] && exit 130' INT
while :; do sleep 0.05; done
"""


@pytest.mark.parametrize("signals", [1, 2])
def test_ctrl_c_returns_the_best_result_or_a_second_one_raises(signals, tmp_path):
    import signal
    import time
    exe = bctovsel.find_executable()
    if signals == 2:
        exe = tmp_path / "lento"
        exe.write_text(SLOW_TO_STOP)
        exe.chmod(0o755)
    child = subprocess.Popen([sys.executable, "-c", INTERRUPTED, str(exe)], stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, text=True, env=os.environ)
    assert child.stdout.readline() == "started\n"
    for _ in range(signals):
        time.sleep(1.5)
        child.send_signal(signal.SIGINT)
    out, err = child.communicate(timeout=30)
    assert child.returncode == 0, err
    expected = "interrupted SIGINT True True True" if signals == 1 else "KeyboardInterrupt"
    assert out.strip() == expected, err


def test_log_true_prints_english_progress(capfd):
    bctovsel.solve(random_graph(130, 0.1, 130), time_limit=1, log=True)
    err = capfd.readouterr().err
    assert " nodes " in err and " open  best " in err and "BCTovsel:" not in err


def test_the_solver_is_found_beside_the_package_or_said_missing(tmp_path):
    # A copy of the package alone: no solver beside it, none on PATH, no
    # variable; the error names the three places.
    shutil.copytree(REPO / "python" / "bctovsel", tmp_path / "bctovsel")
    env = {k: v for k, v in os.environ.items() if k != "BCTOVSEL_EXE"}
    env.update(PYTHONPATH=str(tmp_path), PATH=str(tmp_path / "nada"))
    code = "import bctovsel\ntry:\n    bctovsel.solve([(0, 1, 1)])\nexcept FileNotFoundError as e:\n    print(e)"
    out = subprocess.run([sys.executable, "-c", code], env=env, capture_output=True, text=True).stdout
    assert "BCTOVSEL_EXE" in out and "beside this package" in out and "PATH" in out, out
    # Installed as make install lays it out: PREFIX/bin beside
    # PREFIX/lib/python3.X/dist-packages.
    site = tmp_path / "prefixo" / "lib" / "python3.11" / "dist-packages"
    shutil.copytree(tmp_path / "bctovsel", site / "bctovsel")
    (tmp_path / "prefixo" / "bin").mkdir()
    os.symlink(bctovsel.find_executable(), tmp_path / "prefixo" / "bin" / "BCTovsel")
    env["PYTHONPATH"] = str(site)
    out = subprocess.run([sys.executable, "-c", "import bctovsel; r = bctovsel.solve([(0, 1, -1)]);"
                          " print(r.status, r.value)"], env=env, capture_output=True, text=True)
    assert out.stdout.strip() == "optimal 2", out.stderr


def test_version_is_the_solvers():
    out = subprocess.run([bctovsel.find_executable(), "--version"], capture_output=True, text=True)
    assert out.stdout == f"BCTovsel {bctovsel.__version__}\n"


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


def test_draw_from_python_whole_piece_or_summary(tmp_path):
    # bctovsel.draw(G, result, path): the whole graph with its legend, or
    # beyond the limits the largest piece of the balanced set, or a summary;
    # the picture is always written.
    edges = [(f"t{u}", f"t{v}", s) for u, v, s in tribes_edges()]
    r = bctovsel.solve(edges)
    assert bctovsel.draw(edges, r, str(tmp_path / "t.dot")) == "graph"
    text = (tmp_path / "t.dot").read_text()
    assert "side 0" in text and "negative" in text and 'label="t16"' in text
    assert text.count(" -- ") == 58
    assert bctovsel.draw(None, r, str(tmp_path / "p.dot"), max_vertices=13) == "piece"
    piece = (tmp_path / "p.dot").read_text()
    assert piece.count("fillcolor") == 13 and "largest piece" in piece
    assert bctovsel.draw(edges, r, str(tmp_path / "s.dot"), max_vertices=5) == "summary"
    assert "13 in the set" in (tmp_path / "s.dot").read_text()
    if shutil.which("dot"):
        assert bctovsel.draw(edges, r, str(tmp_path / "t.svg")) == "graph"
        assert "<svg" in (tmp_path / "t.svg").read_text()


def test_the_readme_python_example(tmp_path, monkeypatch):
    # The README's notebook session, run as a doctest from a folder with
    # the examples, so that what it shows stays what the package does.
    import doctest
    import re
    (tmp_path / "examples").symlink_to(REPO / "examples")
    monkeypatch.chdir(tmp_path)
    blocks = re.findall(r"```python\n(.*?)```", (REPO / "README.md").read_text(), re.S)
    assert blocks
    for k, block in enumerate(blocks):
        test = doctest.DocTestParser().get_doctest(block, {}, f"README block {k}", "README.md", 0)
        runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS)
        runner.run(test, out=lambda text: pytest.fail(text))
        assert runner.failures == 0
    assert (tmp_path / "tribos.svg").exists()
