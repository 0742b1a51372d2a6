#!/usr/bin/env python3
"""Semidefinite relaxations of one small instance, solved by CSDP side by side.

For choosing what the semidefinite room should grow into, not used by the
solver: each relaxation is written in SDPA form and handed to ``csdp``
(Debian package ``coinor-csdp``, not among the project's packages), and its
optimal value printed beside the instance's size.

- ``plana``: the room's relaxation: Y >= 0 (semidefinite), Y_vv <= 1,
  Y_uu + Y_vv - s Y_uv <= 1 on an edge of sign s (Y_uu + Y_vv <= 1 on a
  double edge), maximise trace(Y);
- ``rlt``: the same with 0 <= s Y_uv <= min(Y_uu, Y_vv) on each edge (a
  balanced set has s Y_uv = 1 exactly when both ends are in);
- ``triangulos``: the same with s_ab Y_ab + s_bc Y_bc + s_ac Y_ac <= 1 on each
  triangle whose signs multiply to -1 (never whole in a balanced set);
- ``theta``: Lovasz's theta of the doubled conflict graph (v+ and v-, the
  two sides of v), whose stable sets are the balanced sets with their sides;
- ``combinada``: ``plana`` with a second block W = [[1, z^T], [z, Z]] >= 0,
  z_v = Z_vv = Y_vv, Z_uv = s Y_uv on an edge, Z_uv = 0 on a double edge
  (the set's own products z_u z_v beside the sides' products);
- ``dobrada``: one block X over the constant and the doubled vertices (v+,
  v-), X_00 = 1, X_0i = X_ii, X_ij = 0 on every conflict, with
  z_u + z_v - Z_uv <= 1 on each edge (z_v = X_v+v+ + X_v-v-, Z_uv the sum
  of the four products): both ``combinada``'s blocks are linear images of X;
- ``dobrada_rlt``: the same with 0 <= X_ab <= min(X_aa, X_bb) and
  X_aa + X_bb - X_ab <= 1 on the two pairs of an edge that may both be in;
- ``dobrada_menor``: ``dobrada`` with X_ij <= 0 on a conflict (only
  inequalities left once X_00 = 1 and X_0i = X_ii are built in).

Graph form only (``n m``, then ``u w s`` per edge); CSDP keeps a dense
matrix per constraint pair, so a few hundred vertices at most.
"""
from __future__ import annotations

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

Arestas = dict[tuple[int, int], int]
# A constraint: its terms (block, row, column, value; 0-based, row <= column,
# an off-diagonal value counted twice in <A, X>) and its right-hand side.
Restricao = tuple[list[tuple[int, int, int, float]], float]


def le_grafo(caminho: str) -> tuple[int, Arestas]:
    """The instance's vertex count and edges (a pair given twice with two signs is double)."""
    with open(caminho) as f:
        t = f.read().split()
    n, m = int(t[0]), int(t[1])
    arestas: Arestas = {}
    for i in range(m):
        u, w, s = int(t[2 + 3 * i]), int(t[3 + 3 * i]), int(t[4 + 3 * i])
        if u == w:
            continue
        par = (min(u, w), max(u, w))
        if par in arestas and arestas[par] != s:
            s = 2
        arestas[par] = s
    return n, arestas


def triangulos_negativos(n: int, arestas: Arestas) -> list[tuple[int, int, int]]:
    """Triangles of three signed (not double) edges whose signs multiply to -1."""
    viz: list[set[int]] = [set() for _ in range(n)]
    for a, b in arestas:
        viz[a].add(b)
        viz[b].add(a)
    tri = []
    for (a, b), s in arestas.items():
        for c in viz[a] & viz[b]:
            if c <= b:
                continue
            sac, sbc = arestas[(a, c)], arestas[(b, c)]
            if 2 not in (s, sac, sbc) and s * sac * sbc < 0:
                tri.append((a, b, c))
    return tri


def relaxacao(nome: str, n: int, arestas: Arestas) -> tuple[list[int], list[Restricao], list[Restricao], list[tuple[int, int, int, float]]]:
    """Blocks, equalities, inequalities and objective of one relaxation."""
    iguais: list[Restricao] = []
    menores: list[Restricao] = []
    if nome == "theta":
        conflitos = {(2 * v, 2 * v + 1) for v in range(n)}
        for (a, b), s in arestas.items():
            if s in (1, 2):
                conflitos |= {(2 * a, 2 * b + 1), (2 * a + 1, 2 * b)}
            if s in (-1, 2):
                conflitos |= {(2 * a, 2 * b), (2 * a + 1, 2 * b + 1)}
        iguais.append(([(0, i, i, 1.0) for i in range(2 * n)], 1.0))
        iguais += [([(0, p, q, 0.5)], 0.0) for p, q in sorted(conflitos)]
        objetivo = [(0, i, j, 1.0) for i in range(2 * n) for j in range(i, 2 * n)]
        return [2 * n], iguais, menores, objetivo
    if nome in ("dobrada", "dobrada_rlt", "dobrada_menor"):
        no = lambda v, lado: 1 + 2 * v + lado  # node 0 the constant
        conflitos = {(no(v, 0), no(v, 1)) for v in range(n)}
        livres = []
        for (a, b), s in arestas.items():
            cruz = {(no(a, 0), no(b, 1)), (no(a, 1), no(b, 0))}
            mesmo = {(no(a, 0), no(b, 0)), (no(a, 1), no(b, 1))}
            conflitos |= (cruz if s in (1, 2) else set()) | (mesmo if s in (-1, 2) else set())
            if s == 1:
                livres += sorted(mesmo)
            elif s == -1:
                livres += sorted(cruz)
        iguais.append(([(0, 0, 0, 1.0)], 1.0))
        for i in range(1, 2 * n + 1):
            iguais.append(([(0, 0, i, 0.5), (0, i, i, -1.0)], 0.0))
        if nome == "dobrada_menor":
            menores += [([(0, p, q, 0.5)], 0.0) for p, q in sorted(conflitos)]
        else:
            iguais += [([(0, p, q, 0.5)], 0.0) for p, q in sorted(conflitos)]
        for (a, b), s in arestas.items():
            termos = [(0, no(a, l), no(a, l), 1.0) for l in (0, 1)] + [(0, no(b, l), no(b, l), 1.0) for l in (0, 1)]
            termos += [(0, no(a, l), no(b, m), -0.5) for l in (0, 1) for m in (0, 1)]
            menores.append((termos, 1.0))
        if nome == "dobrada_rlt":
            for p, q in livres:
                menores.append(([(0, p, q, -0.5)], 0.0))
                menores.append(([(0, p, q, 0.5), (0, p, p, -1.0)], 0.0))
                menores.append(([(0, p, q, 0.5), (0, q, q, -1.0)], 0.0))
                menores.append(([(0, p, p, 1.0), (0, q, q, 1.0), (0, p, q, -0.5)], 1.0))
        return [2 * n + 1], iguais, menores, [(0, i, i, 1.0) for i in range(1, 2 * n + 1)]
    blocos = [n]
    for v in range(n):
        menores.append(([(0, v, v, 1.0)], 1.0))
    for (a, b), s in arestas.items():
        if s == 2:
            menores.append(([(0, a, a, 1.0), (0, b, b, 1.0)], 1.0))
            continue
        menores.append(([(0, a, a, 1.0), (0, b, b, 1.0), (0, a, b, -s / 2)], 1.0))
        if nome == "rlt":
            menores.append(([(0, a, b, -s / 2)], 0.0))
            menores.append(([(0, a, b, s / 2), (0, a, a, -1.0)], 0.0))
            menores.append(([(0, a, b, s / 2), (0, b, b, -1.0)], 0.0))
    if nome == "triangulos":
        for a, b, c in triangulos_negativos(n, arestas):
            menores.append(([(0, a, b, arestas[(a, b)] / 2), (0, a, c, arestas[(a, c)] / 2),
                             (0, b, c, arestas[(b, c)] / 2)], 1.0))
    if nome == "combinada":
        blocos.append(n + 1)  # W; its row 0 is the constant 1
        iguais.append(([(1, 0, 0, 1.0)], 1.0))
        for v in range(n):
            iguais.append(([(1, 0, v + 1, 0.5), (1, v + 1, v + 1, -1.0)], 0.0))
            iguais.append(([(0, v, v, 1.0), (1, v + 1, v + 1, -1.0)], 0.0))
        for (a, b), s in arestas.items():
            if s == 2:
                iguais.append(([(1, a + 1, b + 1, 0.5)], 0.0))
            else:
                iguais.append(([(0, a, b, s / 2), (1, a + 1, b + 1, -0.5)], 0.0))
    return blocos, iguais, menores, [(0, v, v, 1.0) for v in range(n)]


def escreve_sdpa(caminho: str, blocos: list[int], iguais: list[Restricao], menores: list[Restricao],
                 objetivo: list[tuple[int, int, int, float]]) -> None:
    """SDPA sparse form; the inequalities get a diagonal block of slacks."""
    todas = iguais + menores
    tamanhos = blocos + ([-len(menores)] if menores else [])
    with open(caminho, "w") as f:
        f.write(f"{len(todas)}\n{len(tamanhos)}\n{' '.join(map(str, tamanhos))}\n")
        f.write(" ".join(repr(b) for _, b in todas) + "\n")
        for bloco, i, j, v in objetivo:
            f.write(f"0 {bloco + 1} {i + 1} {j + 1} {v}\n")
        for c, (termos, _) in enumerate(todas, start=1):
            for bloco, i, j, v in termos:
                f.write(f"{c} {bloco + 1} {min(i, j) + 1} {max(i, j) + 1} {v}\n")
            if c > len(iguais):
                folga = c - len(iguais)
                f.write(f"{c} {len(tamanhos)} {folga} {folga} 1.0\n")


def resolve(caminho: str) -> str:
    """CSDP's primal objective value, or what went wrong."""
    r = subprocess.run(["csdp", caminho], capture_output=True, text=True)
    achado = re.search(r"Primal objective value: (\S+)", r.stdout)
    return f"{float(achado.group(1)):.4f}" if achado else "falhou"


def main() -> int:
    nomes = ["plana", "rlt", "triangulos", "theta", "combinada", "dobrada", "dobrada_rlt", "dobrada_menor"]
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("-r", "--relaxacoes", default=",".join(nomes),
                    help="which, comma-separated (default: all)")
    ap.add_argument("instancias", nargs="+")
    args = ap.parse_args()
    escolhidas = args.relaxacoes.split(",")
    for nome in escolhidas:
        if nome not in nomes:
            ap.error(f"relaxacao desconhecida: {nome}")
    if shutil.which("csdp") is None:
        print("relaxacoes_csdp.py: csdp not found (Debian package coinor-csdp)", file=sys.stderr)
        return 2
    print("\t".join(["instancia", "n", "m"] + escolhidas))
    with tempfile.TemporaryDirectory() as pasta:
        for inst in args.instancias:
            n, arestas = le_grafo(inst)
            valores = []
            for nome in escolhidas:
                arquivo = os.path.join(pasta, f"{nome}.dat-s")
                escreve_sdpa(arquivo, *relaxacao(nome, n, arestas))
                valores.append(resolve(arquivo))
            print("\t".join([os.path.basename(inst), str(n), str(len(arestas))] + valores), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
