#!/usr/bin/env python3
"""Random signed graphs in the instance format, the same for the same seed.

    bench/aleatorio.py n density seed > graph.txt

Each pair of the n vertices is joined with probability `density`, the sign
negative or positive with even odds, like the random graphs of the benchmark
sets.  The graphs of the combinatorial engine's scaling table are those of
density 0.1 with seeds 1 and 2.
"""
import random
import sys


def main():
    if len(sys.argv) != 4:
        sys.exit("uso: aleatorio.py n densidade semente")
    n, densidade, semente = int(sys.argv[1]), float(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(f"{n} {densidade} {semente}")
    arestas = []
    for u in range(n):
        for w in range(u + 1, n):
            if rng.random() < densidade:
                arestas.append((u, w, -1 if rng.random() < 0.5 else 1))
    linhas = [f"{n} {len(arestas)}"] + [f"{u} {w} {s}" for u, w, s in arestas]
    sys.stdout.write("\n".join(linhas) + "\n")


if __name__ == "__main__":
    main()
