"""Instance files for the `bctovsel` command: their format told from their
content (or given), and each turned into the solver's graph or matrix form
with the input's own vertex ids beside it.

- "graph": this system's graph form, "n m" then m records "u v s" (s 1, -1
  or 2), vertices 0..n-1;
- "matrix": this system's matrix form, "rows columns" then the 0/+1/-1
  entries; the rows are the vertices;
- "edgelist": a signed edge list as SNAP, KONECT or a CSV export give them,
  "u v [weight [time]]" a line, read by lista2grafo (any ids, the sign of
  the weight, comments '%' and '#'); a first line whose weight is a word
  (a CSV header) is left out;
- "mps": a linear program whose constraint matrix's signs are the matrix
  form, through mps2matriz; the rows are named as in the file.

A gzip-compressed file (as SNAP publishes them) is read through.
"""

from __future__ import annotations

import gzip
import os
import re
import shutil
import subprocess
import sys
from dataclasses import dataclass, field
from typing import Optional

from .process import find_tool

__all__ = ["FORMATS", "InputError", "Instance", "prepare", "detect"]

FORMATS = {"graph": "graph", "matrix": "matrix", "edgelist": "edgelist", "mps": "mps",
           "snap": "edgelist", "konect": "edgelist", "csv": "edgelist"}

DESCRIPTIONS = {"graph": "this system's graph form", "matrix": "this system's matrix form",
                "edgelist": "a signed edge list", "mps": "an MPS file (its constraint matrix)"}


class InputError(ValueError):
    """An input that cannot be read, or is not well formed: one line saying why."""


@dataclass
class Instance:
    """An input ready for the solver: the file in its graph or matrix form,
    whether it is a matrix, the input's id of each vertex (row) in the
    solver's numbering, the format, and notes on how it was read."""

    path: str
    matrix: bool
    ids: list
    format: str
    notes: list = field(default_factory=list)


def _number(text: str) -> bool:
    try:
        float(text)
        return True
    except ValueError:
        return False


def _copy_input(source: str, work: str) -> str:
    """The input as a plain file in `work`: standard input copied, a
    gzip-compressed file expanded, any other file used where it is."""
    if source == "-":
        path = os.path.join(work, "entrada")
        with open(path, "wb") as out:
            shutil.copyfileobj(sys.stdin.buffer, out)
        source_path = path
    else:
        try:
            with open(source, "rb"):
                pass
        except OSError as e:
            raise InputError(f"cannot read {source}: {e.strerror}") from None
        if os.path.isdir(source):
            raise InputError(f"cannot read {source}: it is a folder")
        source_path = source
    with open(source_path, "rb") as f:
        compressed = f.read(2) == b"\x1f\x8b"
    if not compressed:
        return source_path
    path = os.path.join(work, "expandida")
    try:
        with gzip.open(source_path, "rb") as f, open(path, "wb") as out:
            shutil.copyfileobj(f, out)
    except (OSError, EOFError) as e:
        raise InputError(f"{source}: a damaged gzip file ({e})") from None
    return path


def _data_lines(path: str):
    """(line number, fields) of each line that is neither empty nor a comment."""
    with open(path, encoding="latin-1") as f:
        for number, line in enumerate(f, 1):
            words = line.split()
            if words:
                yield number, words


def _integer(text: str) -> Optional[int]:
    return int(text) if re.fullmatch(r"[+-]?[0-9]+", text) else None


def _graph_problem(n: int, m: int, records: list) -> Optional[str]:
    """What keeps the records from being the graph form's, or None."""
    if len(records) != m:
        return f"the header declares {m} edges and {len(records)} follow"
    for k, (number, words) in enumerate(records, 1):
        values = [_integer(w) for w in words]
        if None in values:
            return f"line {number}: {' '.join(words)!r} is not three whole numbers"
        u, v, s = values
        for x in (u, v):
            if not 0 <= x < n:
                return f"line {number}: vertex {x} outside 0..{n - 1}"
        if s not in (1, -1, 2):
            return f"line {number}: sign {s}, which must be 1, -1 or 2"
        if u == v and s != 1:
            return f"line {number}: a loop at {u} with sign {s} (a loop may only be positive)"
    return None


def _matrix_fits(rows: int, columns: int, rest: list) -> bool:
    entries = [w for _, words in rest for w in words]
    return len(entries) == rows * columns and all(w in ("0", "1", "-1", "+1") for w in entries)


def detect(path: str, name: str = "") -> tuple[str, Optional[str]]:
    """The format of a file by its content (its name only for MPS), and a
    note when the choice between the two system forms was close."""
    lower = name.lower().removesuffix(".gz")
    with open(path, encoding="latin-1") as f:
        head = f.read(65536)
    first = next((line for line in head.splitlines() if line.strip()
                  and not line.lstrip().startswith("*")), "")
    if lower.endswith((".mps", ".qps")) or first.split()[:1] in (["NAME"], ["ROWS"]):
        return "mps", None
    lines = [line for line in head.splitlines() if line.strip()]
    if any(line.lstrip()[:1] in ("%", "#") for line in lines) or "," in head:
        return "edgelist", None
    data = _data_lines(path)
    try:
        _, words = next(data)
    except StopIteration:
        raise InputError(f"{name or path} is empty") from None
    counts = [_integer(w) for w in words]
    if len(words) != 2 or None in counts or min(counts) < 0:
        return "edgelist", None
    n, m = counts
    rest = list(data)
    if rest and all(len(w) == 3 for _, w in rest):
        # A header of two counts and records of three: the graph form, even
        # when the counts are wrong (said as such, never read as something else).
        if _graph_problem(n, m, rest) is None and _matrix_fits(n, m, rest) and m == 3:
            return "graph", "read as this system's graph form (--format matrix reads it as a matrix)"
        return "graph", None
    if _matrix_fits(n, m, rest):
        return "matrix", None
    return "edgelist", None


def _translate(message: str, shown: str, copy: str) -> str:
    """A converter's message in English, naming the user's file."""
    text = message.strip().splitlines()[0] if message.strip() else "failed"
    text = re.sub(r"^(lista2grafo|mps2matriz): ", "", text).replace(copy, shown)
    rules = [(r"linha (\d+): esperava \"u v \[peso \[tempo\]\]\"",
              r"line \1: expected 'u v [weight [time]]'"),
             (r"linha (\d+): peso invalido \"(.*)\"", r"line \1: the weight '\2' is not a number"),
             (r": nao e' um arquivo MPS valido", ": not a valid MPS file"),
             (r"^nao foi possivel abrir (.*)", r"cannot read \1"),
             (r"^nao foi possivel gravar (.*)", r"cannot write \1")]
    for pattern, english in rules:
        text = re.sub(pattern, english, text)
    return text


def _convert(tool: str, args: list, shown: str, copy: str, solver: Optional[str]) -> None:
    exe = find_tool(tool, solver)
    done = subprocess.run([exe] + args, capture_output=True)
    if done.returncode != 0:
        raise InputError(_translate(done.stderr.decode("latin-1"), shown, copy))


def _ids(path: str) -> list:
    """The ids of a map file ("new old" a line), whole numbers as such when
    they all are."""
    ids = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            words = line.rstrip("\n").split(" ", 1)
            if len(words) == 2:
                ids.append(words[1])
    if all(_integer(i) is not None for i in ids):
        return [int(i) for i in ids]
    return ids


def _without_header(path: str, work: str, notes: list) -> str:
    """An edge list whose first data line has a word for its weight (a CSV
    header) gets that line turned into a comment, keeping the numbering."""
    with open(path, encoding="latin-1") as f:
        lines = f.readlines()
    for i, line in enumerate(lines):
        stripped = line.strip()
        if not stripped or stripped[0] in "%#":
            continue
        fields = [w for w in re.split(r"[ \t,\r]+", stripped) if w]
        if len(fields) >= 3 and not _number(fields[2]):
            notes.append(f"line {i + 1} ({stripped!r}) read as a header and left out")
            lines[i] = "# " + line
            copy = os.path.join(work, "lista.txt")
            with open(copy, "w", encoding="latin-1") as out:
                out.writelines(lines)
            return copy
        return path
    return path


def prepare(source: str, work: str, fmt: Optional[str] = None,
            solver: Optional[str] = None) -> Instance:
    """Reads `source` (a path, or "-" for standard input) into an instance
    for the solver, written in `work` when it must be converted."""
    shown = "standard input" if source == "-" else source
    # (Absolute: the solver runs in a folder of its own.)
    path = os.path.abspath(_copy_input(source, work))
    notes: list = []
    if fmt in (None, "auto"):
        fmt, note = detect(path, "" if source == "-" else source)
        if note:
            notes.append(note)
    else:
        fmt = FORMATS[fmt]
    if fmt in ("graph", "matrix"):
        data = _data_lines(path)
        try:
            _, words = next(data)
        except StopIteration:
            raise InputError(f"{shown} is empty") from None
        counts = [_integer(w) for w in words[:2]]
        if len(words) != 2 or None in counts or min(counts) < 0:
            raise InputError(f"{shown}: the first line of {DESCRIPTIONS[fmt]} holds two counts, "
                             f"not {' '.join(words)!r}")
        if fmt == "graph":
            problem = _graph_problem(counts[0], counts[1], list(data))
            if problem:
                raise InputError(f"{shown} ({DESCRIPTIONS[fmt]}): {problem}")
        elif not _matrix_fits(counts[0], counts[1], list(data)):
            raise InputError(f"{shown} ({DESCRIPTIONS[fmt]}): not {counts[0]} rows of "
                             f"{counts[1]} entries, each 0, 1 or -1")
        return Instance(path, fmt == "matrix", list(range(counts[0])), fmt, notes)
    if fmt == "edgelist":
        listed = _without_header(path, work, notes)
        graph, names = os.path.join(work, "grafo.txt"), os.path.join(work, "mapa.txt")
        _convert("lista2grafo", [listed, graph, names], shown, listed, solver)
        return Instance(graph, False, _ids(names), fmt, notes)
    matrix, names = os.path.join(work, "matriz.txt"), os.path.join(work, "linhas.txt")
    _convert("mps2matriz", [path, matrix, names], shown, path, solver)
    return Instance(matrix, True, _ids(names), fmt, notes)
