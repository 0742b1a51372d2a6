"""The files the `bctovsel` command writes: the solution as JSON, TSV or the
solver's own -s form, each path tried before the search starts, each file
written whole (a temporary file beside it, renamed into place) or not at
all.

JSON, for scripts: {"status", "value", "bound", "gap", "optimal", "seconds",
"input", "format", "vertices", "edges", "sides": [[ids on side 0], [ids on
side 1]], "left_out": [ids], "statistics": {...}, "record": {...}}.
TSV: '#' lines with the same figures, then a header "vertex<TAB>side" and a
line per chosen vertex.  TXT: the solver's solution file (-s), vertices
numbered from 0 as in the instance the solver read (for an edge list, the
numbering lista2grafo gives), which build/verifica checks.
"""

from __future__ import annotations

import json
import math
import os
import shutil
import tempfile
from typing import Any

__all__ = ["OUTPUTS", "PICTURES", "check_path", "write_solution"]

OUTPUTS = (".json", ".tsv", ".txt")
PICTURES = (".svg", ".png", ".pdf", ".dot", ".gv")


class OutputError(ValueError):
    """A path that cannot be written: one line saying why."""


def check_path(path: str, kinds: tuple, what: str) -> None:
    """Refuses a path of the wrong kind, a folder, or one in a folder that
    does not exist or cannot be written, by writing and removing a
    temporary file beside it, as the final write does."""
    ext = os.path.splitext(path)[1].lower()
    if ext not in kinds:
        raise OutputError(f"{what} {path}: the name must end in {', '.join(kinds)}")
    if os.path.isdir(path):
        raise OutputError(f"cannot write {what} {path}: it is a folder")
    folder = os.path.dirname(os.path.abspath(path))
    try:
        fd, probe = tempfile.mkstemp(prefix=os.path.basename(path) + ".", dir=folder)
    except OSError as e:
        raise OutputError(f"cannot write {what} {path}: {e.strerror}") from None
    os.close(fd)
    os.unlink(probe)


def _whole(path: str, text: str) -> None:
    folder = os.path.dirname(os.path.abspath(path))
    fd, temp = tempfile.mkstemp(prefix=os.path.basename(path) + ".", dir=folder)
    try:
        with os.fdopen(fd, "w", encoding="utf-8") as f:
            f.write(text)
        mask = os.umask(0)
        os.umask(mask)
        os.chmod(temp, 0o666 & ~mask)
        os.replace(temp, path)
    except BaseException:
        if os.path.exists(temp):
            os.unlink(temp)
        raise


def _number(x: Any) -> Any:
    if isinstance(x, float) and math.isinf(x):
        return None
    return x


def _ordered(ids: list, members: set) -> list:
    return [v for v in ids if v in members]


def write_solution(path: str, result: Any, ids: list, meta: dict, solution_file: str) -> None:
    """Writes the solution in the form the extension names.  `ids` lists
    the input's vertex ids in the solver's numbering, `meta` the input's
    name and format, `solution_file` the solver's own -s file."""
    ext = os.path.splitext(path)[1].lower()
    if ext == ".txt":
        with open(solution_file, encoding="latin-1") as f:
            _whole(path, f.read())
        return
    record = result.stats.get("record", {})
    figures = {"status": result.status, "value": result.value, "bound": result.bound,
               "gap": _number(result.gap), "optimal": result.optimal, "seconds": result.seconds,
               "input": meta["input"], "format": meta["format"],
               "vertices": record.get("vertices", len(ids)), "edges": record.get("edges")}
    if result.stopped:
        figures["stopped_by"] = result.stopped
    if ext == ".json":
        stats = {k: v for k, v in result.stats.items() if k != "record"}
        document = dict(figures, sides=[_ordered(ids, result.sides[0]),
                                        _ordered(ids, result.sides[1])],
                        left_out=_ordered(ids, result.left_out), statistics=stats, record=record)
        # One key a line, each value on its line whole (a set of a million
        # ids stays one line).
        body = ",\n".join(f" {json.dumps(k)}: {json.dumps(v, ensure_ascii=False)}"
                          for k, v in document.items())
        _whole(path, "{\n" + body + "\n}\n")
        return
    side = {v: s for s in (0, 1) for v in result.sides[s]}
    def text(v: Any) -> str:
        return "" if v is None else str(v).lower() if isinstance(v, bool) else str(v)

    lines = [f"# {k}\t{text(v)}" for k, v in figures.items()]
    lines += [f"# {k}\t{text(v)}" for k, v in result.stats.items()
              if k not in figures and k not in ("record", "wall_seconds")]
    lines.append("vertex\tside")
    lines += [f"{v}\t{side[v]}" for v in ids if v in side]
    _whole(path, "\n".join(lines) + "\n")


def copy_file(source: str, path: str) -> None:
    """A file written elsewhere, moved into place whole."""
    folder = os.path.dirname(os.path.abspath(path))
    fd, temp = tempfile.mkstemp(prefix=os.path.basename(path) + ".", dir=folder)
    os.close(fd)
    try:
        shutil.copyfile(source, temp)
        os.replace(temp, path)
    except BaseException:
        if os.path.exists(temp):
            os.unlink(temp)
        raise
