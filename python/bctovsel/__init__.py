"""bctovsel: the maximum balanced subgraph of a signed graph, solved exactly
by the BCTovsel solver (run as a child process), and drawn with Graphviz.

    >>> import bctovsel
    >>> r = bctovsel.solve([("a", "b", 1), ("b", "c", -1), ("a", "c", -1)])
    >>> r.value, r.optimal
    (3, True)
"""

from .solver import STOP_STATUSES, Result, find_executable, read_solution, solve

__all__ = ["solve", "Result", "find_executable", "read_solution", "STOP_STATUSES"]
