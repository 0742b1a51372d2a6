#!/bin/sh
# How far the combinatorial engine gets on random graphs of one density as
# they grow: for each n given, the graphs of bench/aleatorio.py with seeds 1
# and 2, each solved by BCTovsel -c with a time limit, one after the other,
# the rows of bench/run_bench.sh (value, bound, nodes, time, proved).
#
#   bench/escala.sh [-e exe] [-t seconds] [-d density] [-O "options"] [-T rows.tsv] n...
#
# Defaults: density 0.1, 600 seconds, no options but -c (e.g. -O "-j 2" for
# two threads).  The graphs go to a temporary folder named r<n>_s<seed>.txt.
set -u

aqui=$(cd "$(dirname "$0")" && pwd)
exe="$aqui/../build/BCTovsel"
limite=600
densidade=0.1
opcoes=""
tsv=""
while getopts e:t:d:O:T: opt; do
  case $opt in
    e) exe=$OPTARG ;;
    t) limite=$OPTARG ;;
    d) densidade=$OPTARG ;;
    O) opcoes=$OPTARG ;;
    T) tsv=$OPTARG ;;
    *) echo "uso: $0 [-e executavel] [-t segundos] [-d densidade] [-O opcoes] [-T linhas.tsv] n..." >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { echo "uso: $0 [-e executavel] [-t segundos] [-d densidade] [-O opcoes] [-T linhas.tsv] n..." >&2; exit 2; }
pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT INT TERM
for n in "$@"; do
  for semente in 1 2; do
    python3 "$aqui/aleatorio.py" "$n" "$densidade" "$semente" > "$pasta/r${n}_s${semente}.txt" || exit 2
  done
done
# The rows in the order of n, not of the names.
lista=""
for n in "$@"; do lista="$lista $pasta/r${n}_s1.txt $pasta/r${n}_s2.txt"; done
# shellcheck disable=SC2086
"$aqui/run_bench.sh" -e "$exe" -t "$limite" -O "-c${opcoes:+ $opcoes}" ${tsv:+-T "$tsv"} 1110 $lista
