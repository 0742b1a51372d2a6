#!/usr/bin/env python3
"""Checks a balanced set against exact solves of its neighbourhoods.

A ball of the graph (breadth first from a random vertex) is freed and the
rest of the set is kept with its sides; the ball is then solved exactly by
the solver.  A ball whose optimum beats the set's vertices in it shows that
the set is not optimal; balls that never do say that the gap of a run is
its bound's, not its set's.

The fixed part reaches the ball through anchor vertices: a free vertex with
chosen neighbours outside gets an edge to every anchor, positive when those
neighbours put it on side 0 and negative for side 1 (one they put on both
sides is left out).  With one anchor more than such vertices, dropping
anchors never pays, so the solve's value minus the anchors is the ball's.

    bench/vizinhanca.py [-e exe] [-b ball] [-n balls] [-t seconds] [-s seed] graph solution

The graph in the signed-graph form, the solution as `-s` writes it.
"""
import argparse
import collections
import os
import random
import subprocess
import sys
import tempfile
from typing import Dict, List, Set, Tuple

Adjacencia = List[List[Tuple[int, int]]]


def le_grafo(caminho: str) -> Adjacencia:
    """The graph's adjacency lists of (neighbour, sign), loops left out."""
    with open(caminho) as f:
        nums = f.read().split()
    n, m = int(nums[0]), int(nums[1])
    adj: Adjacencia = [[] for _ in range(n)]
    for i in range(m):
        u, w, s = (int(x) for x in nums[2 + 3 * i:5 + 3 * i])
        if u != w:
            adj[u].append((w, s))
            adj[w].append((u, s))
    return adj


def le_solucao(caminho: str) -> Tuple[Dict[int, int], bool]:
    """The chosen vertices with their sides, and whether the file says proved."""
    lado: Dict[int, int] = {}
    otimo = False
    with open(caminho) as f:
        for linha in f:
            if linha.startswith('#'):
                otimo = otimo or linha.strip() == '# otimo sim'
                continue
            v, s = linha.split()
            lado[int(v)] = int(s)
    return lado, otimo


def bola(adj: Adjacencia, centro: int, tamanho: int, rng: random.Random) -> List[int]:
    """Up to `tamanho` vertices breadth first from `centro`, each layer shuffled."""
    vistos, marcado = [centro], {centro}
    fila = collections.deque([centro])
    while fila and len(vistos) < tamanho:
        viz = [w for w, _ in adj[fila.popleft()] if w not in marcado]
        rng.shuffle(viz)
        for w in viz:
            if w in marcado or len(vistos) >= tamanho:
                continue
            marcado.add(w)
            vistos.append(w)
            fila.append(w)
    return vistos


def subinstancia(adj: Adjacencia, lado: Dict[int, int], livres: List[int]) -> Tuple[str, int, int, int]:
    """The ball with its anchors as a signed graph: text, vertices kept, the
    set's vertices among them, anchors."""
    livre: Set[int] = set(livres)
    exigido: Dict[int, int] = {}
    nos = []
    for v in livres:
        req: Set[int] = set()
        for w, s in adj[v]:
            if w in livre or w not in lado:
                continue
            req.update((0, 1) if s == 2 else (lado[w] if s == 1 else 1 - lado[w],))
        if len(req) == 2:
            continue
        if req:
            exigido[v] = req.pop()
        nos.append(v)
    idx = {v: i for i, v in enumerate(nos)}
    linhas = sorted({f"{idx[v]} {idx[w]} {s}" for v in nos for w, s in adj[v] if w in idx and idx[v] < idx[w]})
    k, ancoras = len(nos), len(exigido) + 1
    for v, s in exigido.items():
        linhas += [f"{idx[v]} {k + a} {1 if s == 0 else -1}" for a in range(ancoras)]
    texto = f"{k + ancoras} {len(linhas)}\n" + "\n".join(linhas) + "\n"
    return texto, k, sum(1 for v in nos if v in lado), ancoras


def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    ap.add_argument('grafo')
    ap.add_argument('solucao')
    ap.add_argument('-e', '--exe', default=os.path.join(os.path.dirname(__file__), '..', 'build', 'BCTovsel'))
    ap.add_argument('-b', '--bola', type=int, default=800, help='vertices of a ball (800)')
    ap.add_argument('-n', '--bolas', type=int, default=10, help='balls (10)')
    ap.add_argument('-t', '--tempo', type=int, default=60, help='seconds a ball (60)')
    ap.add_argument('-s', '--semente', type=int, default=1)
    a = ap.parse_args()
    adj = le_grafo(a.grafo)
    lado, _ = le_solucao(a.solucao)
    rng = random.Random(a.semente)
    print(f"set of {len(lado)} on {len(adj)} vertices")
    melhores = provadas = 0
    with tempfile.TemporaryDirectory() as pasta:
        sol = os.path.join(pasta, 'bola.txt')
        for i in range(a.bolas):
            livres = bola(adj, rng.randrange(len(adj)), a.bola, rng)
            texto, k, doConjunto, ancoras = subinstancia(adj, lado, livres)
            subprocess.run([a.exe, '-a', '-t', str(a.tempo), '-s', sol, '1110'], input=texto,
                           capture_output=True, text=True, check=False)
            sub, otimo = le_solucao(sol)
            valor = sum(1 for v in sub if v < k)
            inteira = sum(1 for v in sub if v >= k) == ancoras
            provadas += otimo
            melhores += inteira and valor > doConjunto
            print(f"ball {i}: {len(livres)} vertices ({k} free to choose), the set has {doConjunto}, "
                  f"the ball's best {valor}{'' if otimo else ' (not proved)'}"
                  f"{'' if inteira else ' (anchors dropped)'}", flush=True)
    print(f"{melhores} of {a.bolas} balls beat the set, {provadas} proved")
    return 0


if __name__ == '__main__':
    sys.exit(main())
