#!/usr/bin/env python3
"""Largest balanced vertex set of a small instance, by exhaustive search.

    tools/otimo_forca_bruta.py [--matriz] instancia

Reads the graph form ("n m" then "u w s" per edge) or, with --matriz, the
matrix form ("linhas colunas" then the dense 0/+1/-1 matrix) and prints the
optimum and one optimal set.  Meant for checking expected outputs by hand on
instances of up to about 20 vertices.
"""
import sys


def le(caminho, matriz):
    toks = open(caminho).read().split()
    it = iter(int(t) for t in toks)
    if not matriz:
        n, m = next(it), next(it)
        return n, [(next(it), next(it), next(it)) for _ in range(m)]
    n, c = next(it), next(it)
    a = [[next(it) for _ in range(c)] for _ in range(n)]
    arestas = []
    for i in range(n):
        for j in range(i + 1, n):
            sinais = {(-1 if a[i][k] == a[j][k] else 1)
                      for k in range(c) if a[i][k] and a[j][k]}
            if len(sinais) == 2:
                arestas.append((i, j, 2))
            elif sinais:
                arestas.append((i, j, sinais.pop()))
    return n, arestas


def equilibrado(n, arestas, conj):
    lado = {}
    adj = {v: [] for v in conj}
    for u, w, s in arestas:
        if u in conj and w in conj:
            if s == 2 or u == w and s != 1:
                return False
            adj[u].append((w, s))
            adj[w].append((u, s))
    for r in conj:
        if r in lado:
            continue
        lado[r] = 0
        pilha = [r]
        while pilha:
            u = pilha.pop()
            for w, s in adj[u]:
                quer = lado[u] if s == 1 else 1 - lado[u]
                if w not in lado:
                    lado[w] = quer
                    pilha.append(w)
                elif lado[w] != quer:
                    return False
    return True


def main():
    args = [a for a in sys.argv[1:] if a != "--matriz"]
    n, arestas = le(args[0], "--matriz" in sys.argv)
    melhor = ()
    for mascara in range(1 << n):
        conj = [v for v in range(n) if mascara >> v & 1]
        if len(conj) > len(melhor) and equilibrado(n, arestas, set(conj)):
            melhor = tuple(conj)
    print(len(melhor), " ".join(map(str, melhor)))


if __name__ == "__main__":
    main()
