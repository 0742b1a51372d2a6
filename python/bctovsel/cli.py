"""The `bctovsel` command: solves an instance file in the recommended mode
and says how it went, in English.

    bctovsel FILE [--time S] [--output sol.json] [--draw pic.svg] ...

FILE (or "-" for standard input) is read in the format its content shows
(see formats), the solver runs in a temporary folder of its own, and one
summary ends the run.  Exit status: 0 proved optimal; 1 stopped with a valid
result (time limit, Ctrl-C or another stop signal, or a search that ended
without proof); 2 a bad command line or input, or an output path that cannot
be written (nothing solved); 3 solved, but an output file failed at the end;
4 an internal error (the solver missing or failing); 130 a second Ctrl-C
ended the solver at once, without a result.
"""

from __future__ import annotations

import argparse
import os
import shutil
import signal
import sys
import tempfile
from typing import NoReturn, Optional, Sequence

from . import __version__, draw as _draw, formats, outputs, process, solver

__all__ = ["main", "EXIT_OPTIMAL", "EXIT_STOPPED", "EXIT_INPUT", "EXIT_OUTPUT", "EXIT_INTERNAL"]

EXIT_OPTIMAL = 0
EXIT_STOPPED = 1
EXIT_INPUT = 2
EXIT_OUTPUT = 3
EXIT_INTERNAL = 4
EXIT_ABORTED = 130

_EPILOG = """\
formats: graph (this system's "n m" then "u v s" records), matrix ("rows
columns" then 0/+1/-1 entries), edgelist (SNAP, KONECT or CSV: "u v [weight
[time]]" a line, any ids, the sign of the weight, '%' and '#' comments, a
header line left out), mps (a linear program's constraint matrix); told from
the content unless --format says; .gz read through.

outputs: .json (status, value, bound, gap, sides and left_out under the
input's ids, statistics), .tsv ('#' lines with the figures, then "vertex
side"), .txt (the solver's -s file, which build/verifica checks).

exit status: 0 proved optimal; 1 stopped with a valid result (time limit,
Ctrl-C, a signal); 2 bad command line, input or output path (nothing
solved); 3 an output file failed after the solve; 4 internal error (the
solver missing or failing); 130 a second Ctrl-C ended it without a result.
"""


class _Parser(argparse.ArgumentParser):
    def error(self, message: str) -> NoReturn:
        _fail(f"{message} (bctovsel --help lists the options)", EXIT_INPUT)


def _fail(message: str, status: int) -> NoReturn:
    sys.stderr.write(f"bctovsel: error: {message}\n")
    sys.stderr.flush()
    sys.exit(status)


def _parser() -> _Parser:
    p = _Parser(prog="bctovsel", formatter_class=argparse.RawDescriptionHelpFormatter,
                description="Finds a maximum balanced subgraph of a signed graph: the most "
                            "vertices whose induced subgraph splits into two sides with every "
                            "positive edge inside a side and every negative edge across.",
                epilog=_EPILOG)
    p.add_argument("file", metavar="FILE", help='the instance ("-": standard input)')
    p.add_argument("--format", choices=sorted(formats.FORMATS) + ["auto"], default="auto",
                   help="the input's format (default: told from its content)")
    p.add_argument("--time", type=float, metavar="SECONDS",
                   help="time limit of the whole run, wall-clock (default: an hour, or "
                        "$BCTOVSEL_TEMPO_MAX)")
    p.add_argument("--threads", type=int, metavar="N",
                   help="threads (0: one per processor; default: every processor with --engine "
                        "auto, one otherwise)")
    p.add_argument("--engine", choices=["auto", "bc", "combinatorial"], default="auto",
                   help="auto (default: the reduction, then for each piece the engine its "
                        "measurements choose), bc (the branch-and-cut) or combinatorial")
    p.add_argument("--reduce", action="store_true",
                   help="with --engine bc or combinatorial: the exact reduction first")
    p.add_argument("--output", metavar="FILE",
                   help="writes the solution to FILE: .json, .tsv or .txt (see below)")
    p.add_argument("--draw", metavar="PICTURE",
                   help="draws the solution with Graphviz into PICTURE (.svg, .png, .pdf, .dot); "
                        "a large graph gets its balanced set's largest piece, or a summary")
    p.add_argument("--progress", action="store_true",
                   help="a progress line on standard error every few seconds (default when it "
                        "is a terminal)")
    p.add_argument("--quiet", action="store_true", help="nothing printed but errors")
    p.add_argument("--version", action="version", version=_version(),
                   help="prints the version (and which solver runs) and ends")
    return p


def _version() -> str:
    try:
        exe = process.find_executable()
    except FileNotFoundError:
        return f"bctovsel {__version__} (the solver BCTovsel not found)"
    return f"bctovsel {__version__} (solver {exe})"


def _instance_line(result: solver.Result) -> Optional[str]:
    rec = result.stats.get("record")
    if not rec:
        return None
    return (f"{rec['vertices']} vertices, {rec['edges']} edges ({rec['positive_edges']} positive, "
            f"{rec['negative_edges']} negative, {rec['double_edges']} double)")


def _picture(inst: formats.Instance, work: str, picture: str, chosen: dict) -> str:
    """Draws the solved instance into the work folder, then into place."""
    n, edges = _draw.read_instance(inst.path, inst.matrix)
    drawn = os.path.join(work, "desenho" + os.path.splitext(picture)[1].lower())
    _, what = _draw.picture(n, edges, chosen, drawn, dict(enumerate(inst.ids)))
    outputs.copy_file(drawn, picture)
    return what


def main(argv: Optional[Sequence[str]] = None) -> int:
    args = _parser().parse_args(argv)
    say = (lambda *a: None) if args.quiet else (lambda *a: print(*a, flush=True))
    try:
        engine_options = solver.options_for(args.engine, args.time, args.threads,
                                            args.reduce, False, "1110")
        if args.output:
            outputs.check_path(args.output, outputs.OUTPUTS, "the output")
        if args.draw:
            outputs.check_path(args.draw, outputs.PICTURES, "the picture")
            if not args.draw.lower().endswith((".dot", ".gv")) and not shutil.which("dot"):
                raise ValueError("--draw needs Graphviz's dot (Debian: apt-get install graphviz)")
    except ValueError as e:
        _fail(str(e), EXIT_INPUT)
    try:
        exe = process.find_executable()
    except FileNotFoundError as e:
        _fail(str(e), EXIT_INTERNAL)
    progress = args.progress or (not args.quiet and sys.stderr.isatty())
    try:
        with tempfile.TemporaryDirectory(prefix="bctovsel") as work:
            try:
                inst = formats.prepare(args.file, work, args.format, exe)
            except FileNotFoundError as e:
                _fail(str(e), EXIT_INTERNAL)
            except ValueError as e:
                _fail(str(e), EXIT_INPUT)
            if not args.quiet:
                for note in inst.notes:
                    sys.stderr.write(f"bctovsel: note: {note}\n")
            shown = "standard input" if args.file == "-" else args.file
            limit = f", time limit {args.time:g} s" if args.time else ""
            say(f"bctovsel {__version__}: {shown}, {formats.DESCRIPTIONS[inst.format]}; "
                f"engine {args.engine}{limit}")
            command = [exe] + engine_options + (["-p"] if progress else []) + [
                "-s", "solucao.txt", "-f", inst.path, "1100" if inst.matrix else "1110"]
            show = (lambda p: print(p.line, file=sys.stderr, flush=True)) if progress else None
            done = process.run(command, work, show, args.time,
                               (signal.SIGINT, signal.SIGTERM, signal.SIGHUP))
            try:
                result = solver.collect(work, done, inst.ids)
            except ValueError as e:
                _fail(str(e), EXIT_INPUT)
            except (RuntimeError, MemoryError, TimeoutError) as e:
                _fail(str(e), EXIT_INTERNAL)
            line = _instance_line(result)
            if line:
                say(f"{'instance':<8} {line}")
            if not args.quiet:
                sys.stdout.write(result.summary())
            failed = False
            if args.output:
                try:
                    outputs.write_solution(args.output, result, inst.ids,
                                           {"input": shown, "format": inst.format},
                                           os.path.join(work, "solucao.txt"))
                    say(f"{'output':<8} {args.output}")
                except OSError as e:
                    sys.stderr.write(f"bctovsel: error: cannot write {args.output}: {e.strerror}\n")
                    failed = True
            if args.draw:
                _, chosen = solver.read_solution(os.path.join(work, "solucao.txt"))
                try:
                    what = _picture(inst, work, args.draw, chosen)
                    say(f"{'drawing':<8} {what}, in {args.draw}")
                except (OSError, RuntimeError) as e:
                    sys.stderr.write(f"bctovsel: error: cannot draw {args.draw}: {e}\n")
                    failed = True
    except KeyboardInterrupt:
        sys.stderr.write("bctovsel: stopped at once by a second signal, without a result\n")
        return EXIT_ABORTED
    if failed:
        return EXIT_OUTPUT
    return EXIT_OPTIMAL if result.status == "optimal" else EXIT_STOPPED


if __name__ == "__main__":
    sys.exit(main())
