#!/usr/bin/env python3
"""Benchmark rows of several modes side by side, as a Markdown table.

    lado_a_lado.py [--fator F] [--folga S] modo.tsv outro.tsv...

Each file holds the rows bench/run_bench.sh -T wrote for one mode.  One
table row per instance: the optimum, then for each mode its wall seconds,
with the value and bound where the run did not prove its value.  When two or
more files are given, a last column checks the first mode against the others:
"ok" when it proved the value and took at most F times the fastest other mode
that proved it, plus S seconds (default 1.5 and 0.2), "LENTO" when it took
longer, "NAO PROVOU" when it did not prove a value one of the others proved.
"""
import argparse
import csv
import sys


def le(caminho):
    with open(caminho, newline="") as f:
        linhas = list(csv.DictReader(f, delimiter="\t"))
    modo = linhas[0]["modo"] if linhas else caminho
    return modo, {l["instancia"]: l for l in linhas}


def celula(l):
    if l is None:
        return "-"
    if l["provado"] == "sim":
        return l["tempo_s"]
    return f"{l['tempo_s']} ({l['valor']} / {l['limitante']})"


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--fator", type=float, default=1.5)
    p.add_argument("--folga", type=float, default=0.2)
    p.add_argument("tsv", nargs="+")
    a = p.parse_args()
    modos = [le(c) for c in a.tsv]
    nomes = []
    for _, linhas in modos:
        for n in linhas:
            if n not in nomes:
                nomes.append(n)
    cabeca = ["instance", "optimum"] + [f"`{m}`" for m, _ in modos]
    compara = len(modos) > 1
    if compara:
        cabeca.append("check")
    print("| " + " | ".join(cabeca) + " |")
    print("|" + "---|" * len(cabeca))
    falhas = 0
    for nome in nomes:
        linhas = [l.get(nome) for _, l in modos]
        otimo = next((l["otimo"] for l in linhas if l is not None and l["otimo"] not in ("", "-")), "-")
        linha = [nome.removesuffix(".txt"), otimo] + [celula(l) for l in linhas]
        if compara:
            primeiro = linhas[0]
            outros = [float(l["tempo_s"]) for l in linhas[1:] if l is not None and l["provado"] == "sim"]
            if primeiro is None:
                veredito = "-"
            elif primeiro["provado"] != "sim":
                veredito = "NAO PROVOU" if outros else "nenhum provou"
            elif not outros:
                veredito = "ok (so ele)"
            elif float(primeiro["tempo_s"]) <= a.fator * min(outros) + a.folga:
                veredito = "ok"
            else:
                veredito = "LENTO"
            if veredito in ("NAO PROVOU", "LENTO"):
                falhas += 1
            linha.append(veredito)
        print("| " + " | ".join(linha) + " |")
    if compara:
        print(f"\n{falhas} de {len(nomes)} instancias fora da regra ({a.fator} x o mais rapido + {a.folga} s)",
              file=sys.stderr)


if __name__ == "__main__":
    main()
