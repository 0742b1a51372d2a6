"""The solver as a child process: where it is found, and one run of it with
its progress lines streamed and a Ctrl-C passed on.

The child runs in a session of its own, so that a Ctrl-C at the terminal
reaches this process alone and is passed on exactly once: the first one
asks the solver to stop as its time limit would (it then reports its best
set and a valid bound), a second one ends it at once.
"""

from __future__ import annotations

import os
import re
import shutil
import signal
import subprocess
import threading
from dataclasses import dataclass
from pathlib import Path
from typing import Callable, Optional, Sequence

__all__ = ["find_executable", "find_tool", "Progress", "Run", "run"]

ENGINE = "BCTovsel"

# Seconds the child may run past its own time limit before it is asked to
# stop (SIGTERM), and then before it is killed.
_GRACE = 30.0
_STOP_WAIT = 10.0


def _executable(path: Path) -> bool:
    return path.is_file() and os.access(path, os.X_OK)


def _absolute(command: str) -> str:
    """A path made absolute; a bare name as PATH finds it."""
    if os.sep in command:
        return os.path.abspath(command)
    return shutil.which(command) or command


def _beside_package() -> list[Path]:
    """Where a solver that came with this package lies: build/ of the
    repository it sits in, or bin/ of the prefix it was installed under
    (PREFIX/lib/python3.X/dist-packages/bctovsel -> PREFIX/bin)."""
    here = Path(__file__).resolve().parent
    places = []
    for up in list(here.parents)[:4]:
        places += [up / "build", up / "bin"]
    return places


def _beside_package_or_on_path(name: str) -> Optional[str]:
    """The program `name` beside this package (see _beside_package), else on
    PATH, else None."""
    for place in _beside_package():
        if _executable(place / name):
            return str(place / name)
    return shutil.which(name)


def find_executable(executable: Optional[str] = None, name: str = ENGINE) -> str:
    """The solver to run: `executable` when given, else $BCTOVSEL_EXE, else
    the one beside this package (the repository's build/, or the bin/ of
    the prefix it was installed under), else BCTovsel on PATH.  With `name`,
    one of the tools built with it (verifica, lista2grafo, mps2matriz),
    looked for first beside the solver found."""
    if name != ENGINE:
        return find_tool(name, executable)
    # (Absolute: the solver runs in a directory of its own.)
    if executable:
        return _absolute(str(executable))
    env = os.environ.get("BCTOVSEL_EXE")
    if env:
        if not _executable(Path(env)):
            raise FileNotFoundError(f"BCTOVSEL_EXE={env} is not an executable file")
        return os.path.abspath(env)
    found = _beside_package_or_on_path(ENGINE)
    if found:
        return found
    raise FileNotFoundError(
        f"{ENGINE} (the solver) not found: BCTOVSEL_EXE is not set, it is not beside this "
        f"package (in the build/ or bin/ folders above {Path(__file__).resolve().parent}), and "
        f"not on PATH; install it (make install), put it on PATH or set BCTOVSEL_EXE to its path")


def find_tool(name: str, solver: Optional[str] = None) -> str:
    """A tool built with the solver (lista2grafo, mps2matriz, verifica):
    beside the solver found, else beside this package, else on PATH."""
    try:
        first = Path(find_executable(solver)).resolve().parent / name
        if _executable(first):
            return str(first)
    except FileNotFoundError:
        pass
    found = _beside_package_or_on_path(name)
    if found:
        return found
    raise FileNotFoundError(f"{name} (built and installed with {ENGINE}) not found beside the "
                            f"solver, beside this package or on PATH; install it (make install)")


_PROGRESS = re.compile(r"BCTovsel: +([0-9.]+) s +([0-9]+) nos +([0-9]+) abertos +solucao "
                       r"([0-9]+|-)(?: +limitante ([0-9.]+))?(?: +gap ([0-9.]+)%)?")


@dataclass
class Progress:
    """One progress line of a run: seconds since its start, nodes explored,
    open nodes, the best value and the bound so far (None while unknown),
    the gap (bound - value) / value, and `line`, the same in English."""

    seconds: float
    nodes: int
    open_nodes: int
    value: Optional[int]
    bound: Optional[float]
    gap: Optional[float]
    line: str

    def __str__(self) -> str:
        return self.line


def parse_progress(text: str) -> Optional[Progress]:
    """The progress line of the solver's standard error, or None."""
    m = _PROGRESS.fullmatch(text.strip())
    if not m:
        return None
    seconds, nodes, opened, value, bound, gap = m.groups()
    line = f"{float(seconds):8.1f} s  {int(nodes):>9} nodes  {int(opened):>7} open  best {value}"
    if bound is not None:
        line += f"  bound {bound}"
    if gap is not None:
        line += f"  gap {gap}%"
    return Progress(float(seconds), int(nodes), int(opened), None if value == "-" else int(value),
                    None if bound is None else float(bound),
                    None if gap is None else float(gap) / 100, line)


@dataclass
class Run:
    """What a run of the solver left: its exit status (negative: the signal
    that killed it), standard output, the standard error lines that were
    not progress, and the stop signal passed on to it (or None)."""

    status: int
    output: str
    errors: str
    interrupted: Optional[int]


def _drain(stream, sink: list) -> None:
    sink.append(stream.read())


def _lines(stream, progress: Optional[Callable[[Progress], None]], others: list) -> None:
    for raw in iter(stream.readline, b""):
        text = raw.decode("latin-1")
        p = parse_progress(text)
        if p is None:
            others.append(text)
        elif progress is not None:
            try:
                progress(p)
            except Exception:  # a failing callback must not stop the reading
                pass


def _forwarded(stop_signals: Sequence[int]) -> list:
    """The stop signals this process may pass on: only the main thread
    receives signals, and a handler the program set for itself stays."""
    if threading.current_thread() is not threading.main_thread():
        return []
    ours = []
    for s in stop_signals:
        current = signal.getsignal(s)
        if current is signal.default_int_handler or current == signal.SIG_DFL:
            ours.append(s)
    return ours


def run(command: Sequence[str], cwd: str, progress: Optional[Callable[[Progress], None]] = None,
        time_limit: Optional[float] = None,
        stop_signals: Sequence[int] = (signal.SIGINT,)) -> Run:
    """Runs the solver in `cwd` and waits for it, streaming each progress
    line to `progress`.  A stop signal meanwhile (Ctrl-C: SIGINT; those of
    `stop_signals`) is passed on to it, which stops it as its time limit
    would, and the wait goes on for its report; a second one ends it at once
    and raises KeyboardInterrupt.  Past its time limit and a grace period,
    it is asked to stop with SIGTERM, then killed."""
    forwarded = _forwarded(stop_signals)
    # In a session of its own the terminal's Ctrl-C reaches this process
    # alone, and is passed on once.  (A solve in another thread leaves the
    # child in this process's group, where the terminal reaches it itself.)
    child = subprocess.Popen(list(command), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, cwd=cwd, start_new_session=bool(forwarded))
    out: list = []
    others: list = []
    readers = [threading.Thread(target=_drain, args=(child.stdout, out), daemon=True),
               threading.Thread(target=_lines, args=(child.stderr, progress, others), daemon=True)]
    for t in readers:
        t.start()
    received: list = []

    def on_signal(signum, frame):
        received.append(signum)
        if child.poll() is None:
            child.send_signal(signum)
        if len(received) >= 2:
            raise KeyboardInterrupt

    previous = {s: signal.signal(s, on_signal) for s in forwarded}
    try:
        try:
            child.wait(timeout=None if time_limit is None else time_limit + _GRACE)
        except subprocess.TimeoutExpired:
            child.send_signal(signal.SIGTERM)
            try:
                child.wait(timeout=_STOP_WAIT)
            except subprocess.TimeoutExpired:
                child.kill()
                child.wait()
    except BaseException:
        # A second signal, or anything else: the child ends at once too.
        if child.poll() is None:
            child.send_signal(signal.SIGINT)
            try:
                child.wait(timeout=_STOP_WAIT)
            except subprocess.TimeoutExpired:
                child.kill()
                child.wait()
        raise
    finally:
        for s, handler in previous.items():
            signal.signal(s, handler)
        for t in readers:
            t.join(timeout=_STOP_WAIT)
        child.stdout.close()
        child.stderr.close()
    return Run(child.returncode, out[0].decode("latin-1") if out else "", "".join(others),
               received[0] if received else None)
