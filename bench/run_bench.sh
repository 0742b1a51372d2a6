#!/bin/sh
# Runs BCTovsel over a folder of instances with one strategy and a time limit,
# checks each value against a known optimum, and prints one row per instance
# plus a summary line.
#
#   bench/run_bench.sh [-e exe] [-t seconds] [-o optima.tsv] strategy folder
#
# strategy is the four-character string for graph instances; matrix files
# (names m*, mr_*, *_matrix.txt) run with its third position set to 0.
# The optima default to optima-*.tsv beside the folder (instance, form,
# optimum; "-" for unknown).  Every run happens in its own temporary
# directory; the figures come from its result record line: tempo_s is the
# wall time of the whole run, solve_s and sep_s the solver's own whole seconds
# of search and of separation, cortes the cuts added (by family: odd negative
# cycles, cliques, cycle independent sets), raiz the root bound after cuts.
# Exit status: 0 when no value is wrong and every run ended normally.
set -u

usage() {
  echo "uso: $0 [-e executavel] [-t segundos] [-o otimos.tsv] estrategia pasta" >&2
  exit 2
}

here=$(cd "$(dirname "$0")" && pwd)
exe="$here/../build/BCTovsel"
limite=60
otimos=""
while getopts e:t:o: opt; do
  case $opt in
    e) exe=$OPTARG ;;
    t) limite=$OPTARG ;;
    o) otimos=$OPTARG ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
[ $# -eq 2 ] || usage
estrategia=$1
pasta=${2%/}
case $estrategia in
  [01][01][01][01]) ;;
  *) echo "estrategia deve ter quatro caracteres 0/1: $estrategia" >&2; exit 2 ;;
esac
[ -d "$pasta" ] || { echo "pasta inexistente: $pasta" >&2; exit 2; }
case $exe in /*) ;; *) exe="$(pwd)/$exe" ;; esac
[ -x "$exe" ] || { echo "executavel inexistente: $exe" >&2; exit 2; }
if [ -z "$otimos" ]; then
  cand="$(dirname "$pasta")/optima-$(basename "$pasta").tsv"
  [ -f "$cand" ] && otimos=$cand
fi
estrMatriz=$(printf '%s' "$estrategia" | sed 's/^\(..\)./\10/')
trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT INT TERM

otimo() {
  [ -n "$otimos" ] || { echo "-"; return; }
  awk -F'\t' -v n="$1" '$1 == n || $1 ~ ("/" n "$") { print $3; achou = 1; exit }
                        END { if (!achou) print "-" }' "$otimos"
}

printf '%-32s %5s %6s %6s %10s %8s %6s %6s %7s %6s %-15s %10s %6s %s\n' instancia n arestas valor \
  limitante tempo_s solve_s sep_s nos cortes ciclo/cliq/ind raiz otimo veredito
total=0; certos=0; curtos=0; errados=0; falhas=0; semOtimo=0
inicioGeral=$(date +%s.%N)
for inst in "$pasta"/*; do
  [ -f "$inst" ] || continue
  nome=$(basename "$inst")
  case $nome in
    m*|*_matrix.txt) estr=$estrMatriz ;;
    *) estr=$estrategia ;;
  esac
  dir="$trabalho/$nome"
  mkdir -p "$dir"
  t0=$(date +%s.%N)
  (cd "$dir" && BCTOVSEL_TEMPO_MAX=$limite "$exe" "$estr" < "$inst" > saida.txt 2> erro.txt)
  status=$?
  t1=$(date +%s.%N)
  parede=$(echo "$t1 - $t0" | bc)
  total=$((total + 1))
  registro="$dir/BC_Improved_Vesku_Pre.out"
  if [ $status -ne 0 ] || [ ! -s "$registro" ]; then
    falhas=$((falhas + 1))
    printf '%-32s falhou (status %d): %s\n' "$nome" "$status" "$(head -c 200 "$dir/erro.txt" | tr '\n' ' ')"
    continue
  fi
  set -- $(tail -n 1 "$registro")
  if [ $# -ne 19 ]; then
    falhas=$((falhas + 1))
    printf '%-32s registro com %d campos\n' "$nome" $#
    continue
  fi
  n=$1; m=$2; valor=$6; solve=$7; sep=$8; limitante=$9; raiz=${11}
  cortes=$((${15} + ${16} + ${17})); familias="${15}/${16}/${17}"; nos=${18}
  ot=$(otimo "$nome")
  if [ "$ot" = "-" ]; then
    veredito="?"; semOtimo=$((semOtimo + 1))
  else
    veredito=$(awk -v v="$valor" -v b="$limitante" -v o="$ot" 'BEGIN {
      if (v > o || b < o - 1e-6) print "ERRADO";
      else if (v == o) print "ok";
      else if (b < v + 1 - 1e-6) print "ERRADO";   # claims optimality below the optimum
      else print "curto" }')
    case $veredito in
      ok) certos=$((certos + 1)) ;;
      curto) curtos=$((curtos + 1)) ;;
      *) errados=$((errados + 1)) ;;
    esac
  fi
  printf '%-32s %5s %6s %6s %10s %8.2f %6s %6s %7s %6s %-15s %10s %6s %s\n' "$nome" "$n" "$m" \
    "$valor" "$limitante" "$parede" "$solve" "$sep" "$nos" "$cortes" "$familias" "$raiz" "$ot" \
    "$veredito"
done
fimGeral=$(date +%s.%N)
printf 'resumo: %d instancias, %d no otimo, %d curtas, %d erradas, %d sem otimo conhecido, %d falhas; estrategia %s (matriz %s), limite %ss, %.1f s no total\n' \
  "$total" "$certos" "$curtos" "$errados" "$semOtimo" "$falhas" "$estrategia" "$estrMatriz" \
  "$limite" "$(echo "$fimGeral - $inicioGeral" | bc)"
[ $errados -eq 0 ] && [ $falhas -eq 0 ]
