#!/usr/bin/env python3
"""Breadth-first samples of a signed graph instance, for benchmarks.

    amostra_bfs.py [-s seed] instance k out

Starts at a vertex drawn with the seed, visits vertices breadth first (the
neighbours of each in an order drawn with the seed) until k are taken (from
another drawn vertex when a component runs out), and writes the subgraph they induce, renumbered from 0 in the
order taken, in the instance format ("n m", then "u w s" per edge).  The same
seed, instance and k always give the same file.
"""
import argparse
import random
import sys
from collections import deque


def le(caminho):
    with open(caminho) as f:
        numeros = f.read().split()
    n, m = int(numeros[0]), int(numeros[1])
    arestas = []
    for i in range(m):
        u, w, s = (int(t) for t in numeros[2 + 3 * i: 5 + 3 * i])
        arestas.append((u, w, s))
    return n, arestas


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("-s", "--semente", type=int, default=1)
    p.add_argument("instancia")
    p.add_argument("k", type=int)
    p.add_argument("saida")
    a = p.parse_args()
    n, arestas = le(a.instancia)
    viz = [[] for _ in range(n)]
    for u, w, _ in arestas:
        if u != w:
            viz[u].append(w)
            viz[w].append(u)
    rng = random.Random(a.semente)
    for l in viz:
        l.sort()
        rng.shuffle(l)
    candidatos = list(range(n))
    novo = {}
    while len(novo) < min(a.k, n):
        raiz = rng.choice(candidatos)
        if raiz in novo:
            candidatos.remove(raiz)
            continue
        fila = deque([raiz])
        novo[raiz] = len(novo)
        while fila and len(novo) < a.k:
            v = fila.popleft()
            for w in viz[v]:
                if w not in novo and len(novo) < a.k:
                    novo[w] = len(novo)
                    fila.append(w)
    dentro = [(novo[u], novo[w], s) for u, w, s in arestas if u in novo and w in novo]
    with open(a.saida, "w") as f:
        f.write(f"{len(novo)} {len(dentro)}\n")
        for u, w, s in dentro:
            f.write(f"{u} {w} {s}\n")
    print(f"{a.saida}: {len(novo)} vertices, {len(dentro)} arestas", file=sys.stderr)


if __name__ == "__main__":
    main()
