"""Runs the BCTovsel solver on a signed graph given from Python.

The solver runs as a child process in a temporary directory of its own (it
writes its directives and record files where it runs), so a fault or a time
limit never takes the caller down, and several solves may run at once from
different threads.  The instance goes to it as a file; the answer comes back
through its solution file (value, bound, whether it is proved, the side of
each chosen vertex) and its printed statistics.
"""

import math
import os
import shutil
import signal
import subprocess
import tempfile
from dataclasses import dataclass, field
from pathlib import Path

__all__ = ["Result", "solve", "find_executable", "read_solution", "STOP_STATUSES"]

# Exit statuses of a run a signal stopped (128 + the signal's number): the
# run still reported its best set and a valid bound.
STOP_STATUSES = {128 + signal.SIGINT: "SIGINT", 128 + signal.SIGTERM: "SIGTERM",
                 128 + signal.SIGHUP: "SIGHUP", 128 + signal.SIGXCPU: "SIGXCPU"}

# Seconds the child may run past its own time limit before it is asked to
# stop (SIGTERM), and then before it is killed.
_GRACE = 30.0
_STOP_WAIT = 10.0

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
_RECORD = ["vertices", "edges", "negative_edges", "positive_edges", "double_edges", "value",
           "solve_seconds", "separation_seconds", "bound", "first_relaxation", "root_bound",
           "clique_rows", "cycle_rows", "k1k2_rows", "cycle_cuts", "clique_cuts",
           "cycle_indset_cuts", "nodes", "best_node"]


@dataclass
class Result:
    """What a solve found.

    value     -- size of the best balanced set found (None when none was found)
    bound     -- a proved upper bound on the optimum (at least value)
    optimal   -- whether value is proved optimal
    sides     -- the best set as a pair of sets of the caller's labels: every
                 positive edge inside a set, every negative edge between them
    left_out  -- the labels not in the set
    stopped   -- None, or the signal ("SIGINT", ...) that stopped the run early
    stats     -- the run's statistics: nodes, cuts, root bound, times, the
                 pieces of the record line, and wall_seconds
    output    -- the solver's standard output, as printed
    """

    value: object
    bound: float
    optimal: bool
    sides: tuple
    left_out: set
    stopped: object = None
    stats: dict = field(default_factory=dict)
    output: str = ""

    @property
    def chosen(self):
        """The labels of the balanced set, both sides together."""
        return self.sides[0] | self.sides[1]


def find_executable(executable=None):
    """The solver to run: the one given, $BCTOVSEL_EXE, the one built beside
    this package (build/BCTovsel of the repository), or BCTovsel on PATH."""
    if executable:
        return str(executable)
    env = os.environ.get("BCTOVSEL_EXE")
    if env:
        return env
    here = Path(__file__).resolve().parent
    for base in (here.parent.parent, here.parent):
        candidate = base / "build" / "BCTovsel"
        if candidate.is_file() and os.access(candidate, os.X_OK):
            return str(candidate)
    found = shutil.which("BCTovsel")
    if found:
        return found
    raise FileNotFoundError("BCTovsel not found: build it (make build), put it on PATH, "
                            "set BCTOVSEL_EXE or pass executable=")


def _is_networkx(graph):
    return hasattr(graph, "nodes") and hasattr(graph, "edges") and hasattr(graph, "is_directed")


def _sign_value(s, where):
    try:
        value = int(s)
    except (TypeError, ValueError):
        raise ValueError(f"{where}: sign {s!r} is not a whole number") from None
    if value != s:
        raise ValueError(f"{where}: sign {s!r} is not a whole number")
    return value


def _from_networkx(graph, sign):
    """Labels and records of a NetworkX graph: the edge attribute `sign`, +1
    or -1, direction ignored; a pair joined with both signs (a multigraph,
    or both directions of a directed graph) becomes one double edge."""
    labels = list(graph.nodes)
    index = {v: i for i, v in enumerate(labels)}
    signs = {}
    for u, v, data in graph.edges(data=True):
        if sign not in data:
            raise ValueError(f"edge ({u!r}, {v!r}) has no attribute {sign!r}")
        s = _sign_value(data[sign], f"edge ({u!r}, {v!r})")
        if s not in (1, -1, 2):
            raise ValueError(f"edge ({u!r}, {v!r}): sign {s}, which must be 1 or -1")
        a, b = sorted((index[u], index[v]))
        signs.setdefault((a, b), set()).update((1, -1) if s == 2 else (s,))
    records = [(a, b, 2 if len(ss) == 2 else next(iter(ss))) for (a, b), ss in signs.items()]
    return labels, records


def _from_edges(edges, nodes):
    """Labels and records of an edge list of (u, v, s), s in 1, -1, 2; each
    record is kept as given (a repeated one is a repeated edge, as in the
    solver's own format); `nodes` adds vertices without edges."""
    labels, index, records = [], {}, []

    def number(v):
        if v not in index:
            index[v] = len(labels)
            labels.append(v)
        return index[v]

    for v in nodes or ():
        number(v)
    for k, e in enumerate(edges):
        try:
            u, v, s = e
        except (TypeError, ValueError):
            raise ValueError(f"edge {k}: {e!r} is not a triple (u, v, sign)") from None
        s = _sign_value(s, f"edge {k}")
        records.append((number(u), number(v), s))
    return labels, records


def _matrix_rows(matrix):
    rows = [list(r) for r in (matrix.tolist() if hasattr(matrix, "tolist") else matrix)]
    columns = len(rows[0]) if rows else 0
    for i, r in enumerate(rows):
        if len(r) != columns:
            raise ValueError(f"matrix row {i} has {len(r)} entries, row 0 has {columns}")
    return rows, columns


def _write_instance(path, graph, matrix, sign, nodes):
    """Writes the instance file; returns the labels and whether it is a matrix."""
    with open(path, "w", encoding="ascii") as f:
        if matrix is not None:
            rows, columns = _matrix_rows(matrix)
            f.write(f"{len(rows)} {columns}\n")
            for i, r in enumerate(rows):
                f.write(" ".join(str(_sign_value(x, f"matrix row {i}")) for x in r) + "\n")
            return list(range(len(rows))), True
        if _is_networkx(graph):
            labels, records = _from_networkx(graph, sign)
        else:
            labels, records = _from_edges(graph, nodes)
        f.write(f"{len(labels)} {len(records)}\n")
        for u, v, s in records:
            f.write(f"{u} {v} {s}\n")
        return labels, False


def read_solution(path):
    """The solution file: header values (value, bound, optimal, seconds,
    running) and the side of each chosen vertex, {vertex: side}."""
    header = {"value": None, "bound": None, "optimal": False, "seconds": None, "running": False}
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


def _statistics(output):
    stats = {}
    for line in output.splitlines():
        for start, key, kind in _STATS:
            if line.startswith(start) and "=" in line:
                # (The times print nothing for 0 seconds.)
                text = line.rsplit("=", 1)[1].strip() or "0"
                stats[key] = kind(float(text))
                break
    return stats


def _options(time_limit, reduce, engine, threads, general_cuts, options):
    args = []
    if time_limit is not None:
        if time_limit <= 0:
            raise ValueError(f"time_limit must be positive, not {time_limit!r}")
        args += ["-t", str(max(1, math.ceil(time_limit)))]
    if reduce:
        args.append("-r")
    if engine not in (None, "auto", "combinatorial", "branch-and-cut"):
        raise ValueError(f"engine {engine!r}: one of 'auto', 'combinatorial', 'branch-and-cut'")
    if engine == "auto":
        args.append("-a")
    elif engine == "combinatorial":
        args.append("-c")
    if threads is not None:
        args += ["-j", str(int(threads))]
    if general_cuts:
        args.append("-g")
    return args + [str(o) for o in options]


def _failure(status, output, errors):
    """The exception for a run that ended without a report."""
    lines = errors.strip().splitlines() or output.strip().splitlines()
    message = lines[0] if lines else ""
    if status == 2:
        return ValueError(message.removeprefix("Instancia invalida: "))
    if status == 255 and "Uso: BCTovsel" in output:
        return ValueError(output.strip().splitlines()[0])
    if status == 255 and "memoria insuficiente" in errors:
        return MemoryError(message)
    if status == 4:
        return TimeoutError(message)
    if status < 0:
        return RuntimeError(f"BCTovsel ended by signal {-status}")
    return RuntimeError(f"BCTovsel ended with status {status}: {message}")


def solve(graph=None, *, matrix=None, time_limit=None, sign="sign", nodes=None, strategy="1110",
          reduce=False, engine=None, threads=None, general_cuts=False, options=(),
          executable=None):
    """Finds a maximum balanced set of a signed graph.

    graph        -- a NetworkX graph whose edges carry the attribute `sign`
                    (+1 or -1; a multigraph or a directed graph may join a pair
                    with both, a double edge), or an iterable of (u, v, s)
                    with s in 1, -1, 2 (2: a double edge); any hashable labels
    matrix       -- instead of graph: a 0/+1/-1 matrix (NumPy array or list of
                    lists) whose rows are the vertices, labelled 0, 1, ...
    time_limit   -- seconds (whole, rounded up) before the run stops with its
                    best set and a bound (-t); the solver's default otherwise
    nodes        -- with an edge list, labels of vertices without edges too
    strategy     -- the solver's four flags; the third is set from the input
    reduce       -- exact reduction and decomposition first (-r)
    engine       -- None (branch-and-cut), "combinatorial" (-c) or "auto" (-a)
    threads      -- threads of the cut separation's searches and of the
                    combinatorial engine (-j)
    general_cuts -- the optimizer's general-purpose cuts (-g)
    options      -- further solver options, passed as given
    executable   -- the solver; see find_executable

    Returns a Result.  A refused instance or option raises ValueError with
    the solver's message.
    """
    if (graph is None) == (matrix is None):
        raise ValueError("give a graph or a matrix, not both")
    if len(strategy) != 4 or set(strategy) - {"0", "1"}:
        raise ValueError(f"strategy {strategy!r}: four characters, each 0 or 1")
    exe = find_executable(executable)
    args = _options(time_limit, reduce, engine, threads, general_cuts, options)
    with tempfile.TemporaryDirectory(prefix="bctovsel") as work:
        instance = os.path.join(work, "instancia.txt")
        labels, is_matrix = _write_instance(instance, graph, matrix, sign, nodes)
        flags = strategy[:2] + ("0" if is_matrix else "1") + strategy[3]
        command = [exe] + args + ["-s", "solucao.txt", flags]
        wait = None if time_limit is None else time_limit + _GRACE
        with open(instance, "rb") as stdin:
            child = subprocess.Popen(command, stdin=stdin, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, cwd=work)
            try:
                out, err = child.communicate(timeout=wait)
            except subprocess.TimeoutExpired:
                # Past its own limit: asked to stop, as a scheduler would.
                child.send_signal(signal.SIGTERM)
                try:
                    out, err = child.communicate(timeout=_STOP_WAIT)
                except subprocess.TimeoutExpired:
                    child.kill()
                    out, err = child.communicate()
            except BaseException:
                # The caller interrupted (Ctrl-C): the child stops too.
                child.send_signal(signal.SIGINT)
                try:
                    child.wait(timeout=_STOP_WAIT)
                except subprocess.TimeoutExpired:
                    child.kill()
                    child.wait()
                raise
        output = out.decode("latin-1")
        errors = err.decode("latin-1")
        status = child.returncode
        solution = os.path.join(work, "solucao.txt")
        if (status != 0 and status not in STOP_STATUSES) or not os.path.exists(solution):
            raise _failure(status, output, errors)
        header, chosen = read_solution(solution)
        stats = _statistics(output)
        record = os.path.join(work, "BC_Improved_Vesku_Pre.out")
        if os.path.exists(record):
            with open(record, encoding="ascii") as f:
                fields = f.read().split()
            if len(fields) == len(_RECORD):
                stats["record"] = dict(zip(_RECORD, (float(x) if "." in x else int(x) for x in fields)))
        stats["wall_seconds"] = header["seconds"]
    sides = (set(), set())
    for v, s in chosen.items():
        sides[s].add(labels[v])
    left_out = {labels[v] for v in range(len(labels)) if v not in chosen}
    value = header["value"]
    return Result(value=value, bound=header["bound"], optimal=header["optimal"], sides=sides,
                  left_out=left_out, stopped=STOP_STATUSES.get(status), stats=stats,
                  output=output)
