"""Solves a signed graph given from Python with the BCTovsel solver.

The solver runs as a child process in a temporary directory of its own (it
writes its directives and record files where it runs), so a fault or a time
limit never takes the caller down, and several solves may run at once from
different threads.  The instance goes to it as a file; the answer comes back
through its solution file (value, bound, the side of each chosen vertex),
its statistics and its final status line.
"""

from __future__ import annotations

import math
import os
import signal
import sys
import tempfile
from typing import Any, Callable, Hashable, Iterable, Optional, Sequence, Union

from . import result as _result
from .instance import write_instance
from .process import Progress, find_executable, run
from .result import Result, read_solution

__all__ = ["Result", "solve", "find_executable", "read_solution", "STOP_STATUSES", "ENGINES"]

# Exit statuses of a run a signal stopped (128 + the signal's number): the
# run still reported its best set and a valid bound.
STOP_STATUSES = {128 + signal.SIGINT: "SIGINT", 128 + signal.SIGTERM: "SIGTERM",
                 128 + signal.SIGHUP: "SIGHUP", 128 + signal.SIGXCPU: "SIGXCPU"}

# The engines by name, and the solver option of each: the automatic mode
# (the reduction, then for each piece the engine its measurements choose),
# the branch-and-cut, the combinatorial branch and bound.
ENGINES = {"auto": ["-a"], "bc": [], "branch-and-cut": [], "combinatorial": ["-c"]}

Log = Union[bool, Callable[[Progress], None]]


def _print_progress(p: Progress) -> None:
    print(p.line, file=sys.stderr, flush=True)


def options_for(engine: Optional[str], time_limit: Optional[float], threads: Optional[int],
                reduce: Optional[bool], general_cuts: bool, strategy: str) -> list:
    """The solver's options for these choices, each checked first, so that
    a bad one is said in English before anything runs."""
    engine = "auto" if engine is None else engine
    if engine not in ENGINES:
        raise ValueError(f"engine {engine!r}: one of 'auto', 'bc' (or 'branch-and-cut'), "
                         f"'combinatorial'")
    if len(strategy) != 4 or set(strategy) - {"0", "1"}:
        raise ValueError(f"strategy {strategy!r}: four characters, each 0 or 1")
    args = list(ENGINES[engine])
    if time_limit is not None:
        if not isinstance(time_limit, (int, float)) or not time_limit > 0 or math.isinf(time_limit):
            raise ValueError(f"time_limit {time_limit!r}: a positive number of seconds")
        args += ["-t", str(min(2147483647, max(1, math.ceil(time_limit))))]
    if reduce and engine != "auto":
        args.append("-r")
    if threads is not None:
        if isinstance(threads, bool) or not isinstance(threads, int) or not 0 <= threads <= 256:
            raise ValueError(f"threads {threads!r}: a whole number from 1 to 256, or 0 for one "
                             f"per processor")
        if engine in ("bc", "branch-and-cut") and strategy[1] == "0":
            raise ValueError("threads share the cut separation's searches (strategy position 2 "
                             "'1') or the combinatorial engine; this search has neither")
        args += ["-j", str(threads)]
    if general_cuts:
        if engine == "combinatorial":
            raise ValueError("general_cuts are the branch-and-cut's; the combinatorial engine "
                             "solves no linear program")
        args.append("-g")
    return args


def failure(status: int, output: str, errors: str) -> Exception:
    """The exception for a run that ended without a report."""
    lines = errors.strip().splitlines() or output.strip().splitlines()
    message = lines[0] if lines else ""
    if status == 2:
        return ValueError("the solver refused the instance: " +
                          message.removeprefix("Instancia invalida: "))
    if status == 255 and "Uso: BCTovsel" in output:
        return ValueError("the solver refused its options: " + output.strip().splitlines()[0])
    if status == 255 and "memoria insuficiente" in errors:
        return MemoryError("not enough memory for this instance (the solver says: " + message + ")")
    if status == 4:
        return TimeoutError("the time limit passed before the instance was read whole")
    if status == 5:
        return RuntimeError("internal error: the best set failed the solver's final check")
    if status < 0:
        return RuntimeError(f"BCTovsel ended by signal {-status}")
    return RuntimeError(f"BCTovsel ended with status {status}: {message}")


def collect(work: str, done: Any, labels: list, edges: Iterable = ()) -> Result:
    """The Result of a run in `work` (a process.Run), its vertices named by
    `labels`; raises for a run that ended without a report."""
    solution = os.path.join(work, "solucao.txt")
    if (done.status != 0 and done.status not in STOP_STATUSES) or not os.path.exists(solution):
        raise failure(done.status, done.output, done.errors)
    header, chosen = read_solution(solution)
    stats = _result.statistics(done.output)
    record_path = os.path.join(work, "BC_Improved_Vesku_Pre.out")
    if os.path.exists(record_path):
        with open(record_path, encoding="ascii") as f:
            fields = _result.record(f.read())
        if fields is not None:
            stats["record"] = fields
    stats["wall_seconds"] = header["seconds"]
    status = _result.run_status(done.output)
    if status == "failed_check":
        raise failure(5, done.output, done.errors)
    if status is None:  # a solver without the status line
        status = ("optimal" if header["optimal"] else "interrupted" if done.status in STOP_STATUSES
                  else "time_limit" if header["value"] is not None else "no_solution")
    return _result.build(status, header, chosen, labels, stats, done.output,
                         STOP_STATUSES.get(done.status), edges)


def solve(graph: Any = None, *, matrix: Any = None, engine: Optional[str] = "auto",
          time_limit: Optional[float] = None, threads: Optional[int] = None,
          sign: str = "sign", nodes: Optional[Iterable[Hashable]] = None,
          log: Log = False, reduce: Optional[bool] = None, general_cuts: bool = False,
          strategy: str = "1110", options: Sequence[str] = (),
          executable: Optional[str] = None) -> Result:
    """Finds a maximum balanced set of a signed graph.

    graph        -- a NetworkX graph whose edges carry the attribute named by
                    `sign`, or an iterable of (u, v, sign) triples; any
                    hashable labels.  Any nonzero number counts by its sign
                    (ratings and weights as they are), a zero drops the edge,
                    a pair joined with both signs (a multigraph, both
                    directions of a directed graph, two triples) is a double
                    edge: the two never in the set together
    matrix       -- instead of graph: a 0/+1/-1 matrix (NumPy array or list of
                    lists; any numbers by their signs) whose rows are the
                    vertices, labelled 0, 1, ...: two rows nonzero in a
                    common column on the same side where their entries
                    differ, on opposite sides where they are equal
    engine       -- "auto" (the recommended mode: the reduction, then for
                    each piece the engine its measurements choose, every
                    processor), "bc" (the branch-and-cut alone) or
                    "combinatorial" (the combinatorial branch and bound)
    time_limit   -- seconds (rounded up to whole ones) before the run stops
                    with its best set and a valid bound; the solver's
                    default (an hour) otherwise
    threads      -- threads of the search (0: one per processor); "auto"
                    takes every processor unless told otherwise
    sign         -- the edge attribute of a NetworkX graph holding the signs
    nodes        -- with an edge list, labels of vertices without edges too
    log          -- True: each progress line of the search on standard error,
                    in English; or a callable given each as a Progress
    reduce       -- the exact reduction and decomposition before the "bc" or
                    "combinatorial" search ("auto" always reduces)
    general_cuts -- the optimizer's general-purpose cuts in the branch-and-cut
    strategy     -- the solver's four flags; the third is set from the input
    options      -- further solver options, passed as given
    executable   -- the solver; see find_executable

    Returns a Result; its status says how the run ended.  A time limit or a
    Ctrl-C does not raise: the solver stops as it does at its time limit
    and the call returns its best set and a valid bound, with status
    "time_limit" or "interrupted" (a second Ctrl-C ends the solver at once
    and raises KeyboardInterrupt).  A malformed graph or option raises
    ValueError saying what is wrong under the caller's labels.
    """
    if (graph is None) == (matrix is None):
        raise ValueError("give a graph or a matrix, not both")
    args = options_for(engine, time_limit, threads, reduce, general_cuts, strategy)
    exe = find_executable(executable)
    progress = _print_progress if log is True else (log or None)
    if progress is not None:
        args.append("-p")
    with tempfile.TemporaryDirectory(prefix="bctovsel") as work:
        instance = os.path.join(work, "instancia.txt")
        labels, is_matrix, edges = write_instance(instance, graph, matrix, sign, nodes)
        flags = strategy[:2] + ("0" if is_matrix else "1") + strategy[3]
        command = [exe] + args + [str(o) for o in options] + ["-s", "solucao.txt", "-f",
                                                              "instancia.txt", flags]
        done = run(command, work, progress, time_limit)
        r = collect(work, done, labels, edges)
    if is_matrix:
        r.stats["matrix"] = True
    return r
