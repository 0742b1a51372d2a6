"""The bctovsel command against the real solver: each input format read
under its own ids (the set checked by verifica on the instance the solver
read), the outputs, the errors said before anything is solved, and the
exit statuses of a time limit and a Ctrl-C."""

import gzip
import json
import os
import signal
import subprocess
import sys
import time
from pathlib import Path

import pytest

import bctovsel

REPO = Path(__file__).resolve().parents[2]
EXAMPLES = REPO / "examples"
VERIFICA = os.environ.get("VERIFICA_EXE", str(REPO / "build" / "verifica"))


def bctovsel_cmd(*args, cwd=None, stdin=None):
    return subprocess.run([sys.executable, "-m", "bctovsel", *map(str, args)], cwd=cwd,
                          input=stdin, capture_output=True, text=True)


def random_graph_file(path, n=130, seed=130):
    import random
    rng = random.Random(seed)
    edges = [(u, v, rng.choice((1, -1))) for u in range(n) for v in range(u + 1, n)
             if rng.random() < 0.1]
    path.write_text(f"{n} {len(edges)}\n" + "".join(f"{u} {v} {s}\n" for u, v, s in edges))
    return path


def check_txt(tmp_path, solution, instance, matrix=False):
    r = subprocess.run([VERIFICA] + (["-m"] if matrix else []) + [str(instance), str(solution)],
                       capture_output=True, text=True)
    assert r.returncode == 0, r.stdout + r.stderr
    return r.stdout


def test_every_format_under_its_own_ids(tmp_path):
    tribes = (EXAMPLES / "tribos.tsv").read_text()
    # The tribes as a CSV with a header and words for ids, and gzipped as
    # SNAP publishes its files.
    csv = "source,target,weight\n" + "".join(
        f"tribe{u},tribe{v},{w}\n" for u, v, w in
        (line.split() for line in tribes.splitlines() if line and not line.startswith("%")))
    (tmp_path / "tribes.csv").write_text(csv)
    with gzip.open(tmp_path / "soc-tribes.txt.gz", "wt") as f:
        f.write("# FromNodeId\tToNodeId\tSign\n" + tribes.replace("%", "#"))
    cases = [  # file, format shown, value, an id of the input
        (EXAMPLES / "triangulos.txt", "graph", 4, 0),
        (EXAMPLES / "matriz.txt", "matrix", 3, 4),
        (EXAMPLES / "tribos.tsv", "edgelist", 13, 16),
        (tmp_path / "tribes.csv", "edgelist", 13, "tribe16"),
        (tmp_path / "soc-tribes.txt.gz", "edgelist", 13, 16),
        (EXAMPLES / "pequeno.mps", "mps", 3, "LIM4"),
    ]
    for path, fmt, value, some_id in cases:
        out = tmp_path / "sol.json"
        r = bctovsel_cmd(path, "--output", out, "--time", 60)
        assert r.returncode == 0, (path, r.stderr)
        assert "status   optimal" in r.stdout and f"value    {value}" in r.stdout
        doc = json.loads(out.read_text())
        assert (doc["status"], doc["value"], doc["format"], doc["gap"]) == ("optimal", value, fmt, 0)
        ids = doc["sides"][0] + doc["sides"][1] + doc["left_out"]
        assert some_id in ids and len(ids) == len(set(ids)) == doc["vertices"], path
        assert len(doc["sides"][0]) + len(doc["sides"][1]) == value
        assert doc["statistics"]["nodes"] == doc["record"]["nodes"]
    assert "read as a header and left out" in bctovsel_cmd(tmp_path / "tribes.csv").stderr
    # Relative paths name files of the caller's folder, wherever the solver runs.
    r = bctovsel_cmd("matriz.txt", "--output", tmp_path / "m.json", cwd=EXAMPLES)
    assert r.returncode == 0 and json.loads((tmp_path / "m.json").read_text())["value"] == 3, r.stderr
    # Standard input, and the forms verifica reads: the -s file of the
    # instance as the solver read it.
    txt = tmp_path / "sol.txt"
    r = bctovsel_cmd("-", "--output", txt, stdin=(EXAMPLES / "triangulos.txt").read_text())
    assert r.returncode == 0 and "standard input" in r.stdout, r.stderr
    assert check_txt(tmp_path, txt, EXAMPLES / "triangulos.txt") == "valida: 4 vertices\n"
    assert bctovsel_cmd(EXAMPLES / "matriz.txt", "--output", txt).returncode == 0
    assert check_txt(tmp_path, txt, EXAMPLES / "matriz.txt", matrix=True) == "valida: 3 vertices\n"
    tsv = tmp_path / "sol.tsv"
    assert bctovsel_cmd(EXAMPLES / "tribos.tsv", "--output", tsv, "--quiet").stdout == ""
    lines = tsv.read_text().splitlines()
    assert "# status\toptimal" in lines and "# value\t13" in lines
    body = lines[lines.index("vertex\tside") + 1:]
    assert len(body) == 13 and all(line.split("\t")[1] in ("0", "1") for line in body)


def test_format_given_and_detection_refusals(tmp_path):
    bad = tmp_path / "curto.txt"
    bad.write_text("3 2\n0 1 1\n0 5 1\n")  # this system's form, a vertex out of range
    short = tmp_path / "faltam.txt"
    short.write_text("6 8\n0 1 -1\n1 2 -1\n")  # two records of eight
    words = tmp_path / "palavras.txt"
    words.write_text("a b 1\nb c x\n")
    (tmp_path / "pasta.svg").mkdir()
    cases = [
        ([bad], "line 3: vertex 5 outside 0..2"),
        ([short], "the header declares 8 edges and 2 follow"),
        ([words], "line 2: the weight 'x' is not a number"),
        ([EXAMPLES / "triangulos.txt", "--format", "matrix"], "not 6 rows of 8 entries"),
        ([tmp_path / "nada.txt"], "cannot read"),
        ([tmp_path], "cannot read"),
        ([EXAMPLES / "tribos.tsv", "--engine", "cplex"], "invalid choice: 'cplex'"),
        ([EXAMPLES / "tribos.tsv", "--time", "0"], "time_limit 0.0: a positive number"),
        ([EXAMPLES / "tribos.tsv", "--output", "sol.xls"], "must end in .json, .tsv, .txt"),
        ([EXAMPLES / "tribos.tsv", "--output", tmp_path / "falta" / "sol.json"],
         "No such file or directory"),
        ([EXAMPLES / "tribos.tsv", "--draw", tmp_path / "pasta.svg"], "it is a folder"),
        ([], "the following arguments are required: FILE"),
    ]
    for args, message in cases:
        r = bctovsel_cmd(*args, cwd=tmp_path)
        assert r.returncode == 2, (args, r.stdout, r.stderr)
        assert r.stdout == "", args  # refused before anything is read or solved
        assert r.stderr.count("\n") == 1 and r.stderr.startswith("bctovsel: error: "), r.stderr
        assert message in r.stderr, (args, r.stderr)
    # The matrix form said by --format, where detection takes a graph.
    sq = tmp_path / "quadrada.txt"
    sq.write_text("3 3\n0 1 1\n1 0 -1\n0 0 1\n")
    assert "read as this system's graph form" in bctovsel_cmd(sq).stderr
    r = bctovsel_cmd(sq, "--format", "matrix")
    assert r.returncode == 0 and "matrix form" in r.stdout, r.stderr


def test_time_limit_and_ctrl_c_exit_1_with_a_checked_set(tmp_path):
    graph = random_graph_file(tmp_path / "g130.txt")
    txt = tmp_path / "sol.txt"
    r = bctovsel_cmd(graph, "--time", 1, "--output", txt)
    assert r.returncode == 1, r.stderr
    assert "status   time limit" in r.stdout and "gap      0.00%" not in r.stdout
    check_txt(tmp_path, txt, graph)
    child = subprocess.Popen([sys.executable, "-m", "bctovsel", str(graph), "--output",
                              str(tmp_path / "i.json")], stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, text=True)
    time.sleep(2)
    child.send_signal(signal.SIGINT)
    out, err = child.communicate(timeout=30)
    assert child.returncode == 1, err
    assert "status   interrupted (SIGINT)" in out
    doc = json.loads((tmp_path / "i.json").read_text())
    assert doc["status"] == "interrupted" and doc["value"] <= doc["bound"]
    assert doc["stopped_by"] == "SIGINT" and doc["gap"] > 0


def test_drawing_a_large_graph_draws_a_piece_or_a_summary(tmp_path):
    big = random_graph_file(tmp_path / "g400.txt", n=400, seed=4)
    r = bctovsel_cmd(big, "--time", 2, "--draw", tmp_path / "g.dot", "--quiet")
    assert r.returncode in (0, 1) and r.stdout == "", r.stderr
    text = (tmp_path / "g.dot").read_text()
    assert "too large to draw" in text or "largest piece" in text
    r = bctovsel_cmd(EXAMPLES / "tribos.tsv", "--draw", tmp_path / "t.dot")
    assert "drawing  the whole graph (16 vertices, 58 edges)" in r.stdout
    assert 'label="16"' in (tmp_path / "t.dot").read_text()  # the input's ids


def test_help_and_version():
    r = bctovsel_cmd("--help")
    assert r.returncode == 0 and "--output" in r.stdout and "exit status" in r.stdout
    r = bctovsel_cmd("--version")
    assert r.returncode == 0 and r.stdout.startswith(f"bctovsel {bctovsel.__version__} (solver ")
