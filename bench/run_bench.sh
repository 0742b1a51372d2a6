#!/bin/sh
# Runs BCTovsel over a folder of instances (or over single instance files)
# with one strategy and a time limit, checks each value against a known
# optimum, and prints one row per instance plus a summary line.
#
#   bench/run_bench.sh [-e exe] [-t seconds] [-o optima.tsv] [-O "options"] [-T rows.tsv] [-j N] strategy folder|file...
#
# -j N runs N instances at once, each in its own directory; the rows still
# come in the input order (each as soon as those before it are done).
# -O passes options to the solver, before the strategy (e.g. -O -r).  -T also
# writes the rows as tab-separated values, with a header, the mode (options
# and strategy) and whether the run proved its value optimal, for
# bench/relatorio.sh.
# strategy is the four-character string for graph instances; matrix files
# (names m*, mr_*, *_matrix.txt) run with its third position set to 0.
# The optima default to optima-*.tsv beside the folder (instance, form,
# optimum; "-" for unknown).  Every run happens in its own temporary
# directory; the figures come from its result record line: tempo_s is the
# wall time of the whole run, solve_s and sep_s the solver's own whole seconds
# of search and of separation, cortes the cuts added (by family: odd negative
# cycles, cliques, cycle independent sets), gerais the optimizer's
# general-purpose cuts (-g), raiz the root bound after cuts.
# Exit status: 0 when no value is wrong and every run ended normally.
# Stopped with SIGINT or SIGTERM, it passes SIGTERM on to the runs under way
# (each then reports as at its time limit) and ends without a summary.
set -u

usage() {
  echo "uso: $0 [-e executavel] [-t segundos] [-o otimos.tsv] [-O opcoes] [-T linhas.tsv] [-j N] estrategia pasta|arquivo..." >&2
  exit 2
}

here=$(cd "$(dirname "$0")" && pwd)
exe="$here/../build/BCTovsel"
limite=60
otimos=""
opcoes=""
tsv=""
juntos=1
while getopts e:t:o:O:T:j: opt; do
  case $opt in
    e) exe=$OPTARG ;;
    t) limite=$OPTARG ;;
    o) otimos=$OPTARG ;;
    O) opcoes=$OPTARG ;;
    T) tsv=$OPTARG ;;
    j) juntos=$OPTARG ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 2 ] || usage
case $juntos in
  ''|*[!0-9]*|0) echo "-j deve ser um numero inteiro positivo: $juntos" >&2; exit 2 ;;
esac
estrategia=$1
shift
case $estrategia in
  [01][01][01][01]) ;;
  *) echo "estrategia deve ter quatro caracteres 0/1: $estrategia" >&2; exit 2 ;;
esac
# Every path is made absolute: each run happens in a directory of its own.
absoluto() { case $1 in /*) printf '%s\n' "$1" ;; *) printf '%s/%s\n' "$(pwd)" "$1" ;; esac; }
instancias=""
for alvo in "$@"; do
  alvo=$(absoluto "${alvo%/}")
  if [ -d "$alvo" ]; then
    for inst in "$alvo"/*; do [ -f "$inst" ] && instancias="$instancias
$inst"; done
  elif [ -f "$alvo" ]; then
    instancias="$instancias
$alvo"
  else
    echo "pasta ou arquivo inexistente: $alvo" >&2; exit 2
  fi
done
exe=$(absoluto "$exe")
[ -x "$exe" ] || { echo "executavel inexistente: $exe" >&2; exit 2; }
[ -z "$otimos" ] || otimos=$(absoluto "$otimos")
modo="${opcoes:+$opcoes }$estrategia"
# The TSV rows gather in the work folder and the file is written whole at the end.
if [ -n "$tsv" ]; then
  tsv=$(absoluto "$tsv")
  : > "$tsv.tmp" || { echo "nao foi possivel gravar $tsv" >&2; exit 2; }
  rm -f "$tsv.tmp"
fi
# Optima of an instance: the file given, or optima-<folder>.tsv beside its folder.
otimo() {
  arq=$otimos
  if [ -z "$arq" ]; then
    pasta=$(dirname "$2")
    arq="$(dirname "$pasta")/optima-$(basename "$pasta").tsv"
  fi
  [ -f "$arq" ] || { echo "-"; return; }
  awk -F'\t' -v n="$1" '$1 == n || $1 ~ ("/" n "$") { print $3; achou = 1; exit }
                        END { if (!achou) print "-" }' "$arq"
}
medeMemoria=""
[ -x /usr/bin/time ] && medeMemoria="/usr/bin/time -f %M -o memoria.txt"
estrMatriz=$(printf '%s' "$estrategia" | sed 's/^\(..\)./\10/')
trabalho=$(mktemp -d)
pids=""
# Runs under way are asked to stop (they report as at their limit) before
# the work folder goes.
trap 'rm -rf "$trabalho"' EXIT
trap '[ -z "$pids" ] || kill -TERM $pids 2>/dev/null; wait; exit 130' INT TERM

printf '%-32s %6s %6s %6s %10s %8s %6s %6s %7s %6s %-15s %6s %10s %6s %7s %5s %6s %s\n' instancia n \
  arestas valor limitante tempo_s solve_s sep_s nos cortes ciclo/cliq/ind gerais raiz otimo mem_MB \
  pecas nucleo veredito
total=0; certos=0; curtos=0; errados=0; falhas=0; semOtimo=0
inicioGeral=$(date +%s.%N)
printf '%s\n' "$instancias" | while IFS= read -r inst; do [ -n "$inst" ] && printf '%s\n' "$inst"; done > "$trabalho/lista"

# One instance, the i-th, in its own directory: its row in linha, its TSV
# row in linha.tsv, and in conta what it counts as (ok, curto, ERRADO, ?,
# falha).
roda() {
  i=$1; inst=$2
  nome=$(basename "$inst")
  case $nome in
    m*|*_matrix.txt) estr=$estrMatriz ;;
    *) estr=$estrategia ;;
  esac
  dir="$trabalho/$i"
  mkdir -p "$dir"
  t0=$(date +%s.%N)
  # shellcheck disable=SC2086
  (cd "$dir" && BCTOVSEL_TEMPO_MAX=$limite $medeMemoria "$exe" $opcoes "$estr" < "$inst" > saida.txt 2> erro.txt)
  status=$?
  t1=$(date +%s.%N)
  parede=$(echo "$t1 - $t0" | bc)
  registro="$dir/BC_Improved_Vesku_Pre.out"
  if [ $status -ne 0 ] || [ ! -s "$registro" ]; then
    echo falha > "$dir/conta"
    printf '%-32s falhou (status %d): %s\n' "$nome" "$status" "$(head -c 200 "$dir/erro.txt" | tr '\n' ' ')" > "$dir/linha"
    [ -z "$tsv" ] || printf '%s\t%s\t-\t-\t-\t-\t%.2f\t-\t-\t-\t-\t-\t-\t-\t-\t-\tnao\tfalhou\t-\n' "$nome" "$modo" "$parede" > "$dir/linha.tsv"
    return
  fi
  set -- $(tail -n 1 "$registro")
  if [ $# -ne 19 ]; then
    echo falha > "$dir/conta"
    printf '%-32s registro com %d campos\n' "$nome" $# > "$dir/linha"
    return
  fi
  n=$1; m=$2; valor=$6; solve=$7; sep=$8; limitante=$9; raiz=${11}
  cortes=$((${15} + ${16} + ${17})); familias="${15}/${16}/${17}"; nos=${18}
  ot=$(otimo "$nome" "$inst")
  mem="-"
  [ -s "$dir/memoria.txt" ] && mem=$(awk '/^[0-9]+$/ { printf "%.0f", $1 / 1024 }' "$dir/memoria.txt")
  pecas=$(sed -n 's/^Reducao: .*, \([0-9]*\) pecas, a maior com \([0-9]*\) vertices.*/\1 \2/p' "$dir/saida.txt")
  gerais=$(sed -n 's/^\.cortes gerais do otimizador (-g)\. = \([0-9]*\)$/\1/p' "$dir/saida.txt")
  [ -n "$gerais" ] || gerais="-"
  [ -n "$pecas" ] || pecas="- -"
  if [ "$ot" = "-" ]; then
    veredito="?"
  else
    veredito=$(awk -v v="$valor" -v b="$limitante" -v o="$ot" 'BEGIN {
      if (v > o || b < o - 1e-6) print "ERRADO";
      else if (v == o) print "ok";
      else if (b < v + 1 - 1e-6) print "ERRADO";   # claims optimality below the optimum
      else print "curto" }')
  fi
  echo "$veredito" > "$dir/conta"
  # shellcheck disable=SC2086
  printf '%-32s %6s %6s %6s %10s %8.2f %6s %6s %7s %6s %-15s %6s %10s %6s %7s %5s %6s %s\n' "$nome" "$n" \
    "$m" "$valor" "$limitante" "$parede" "$solve" "$sep" "$nos" "$cortes" "$familias" "$gerais" "$raiz" \
    "$ot" "$mem" $pecas "$veredito" > "$dir/linha"
  if [ -n "$tsv" ]; then
    # The value is integral: a bound less than one above it proves it.
    provado=$(awk -v v="$valor" -v b="$limitante" 'BEGIN { print (v >= 0 && b < v + 1 - 1e-6) ? "sim" : "nao" }')
    # shellcheck disable=SC2086
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%.2f\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$nome" "$modo" \
      "$n" "$m" "$valor" "$limitante" "$parede" "$solve" "$sep" "$nos" "$cortes" "$raiz" "$ot" "$mem" \
      $pecas "$provado" "$veredito" "$gerais" > "$dir/linha.tsv"
  fi
}

# The next instance's row, once its run is done (in the input order).
impresso=0
imprime() {
  impresso=$((impresso + 1))
  dir="$trabalho/$impresso"
  cat "$dir/linha"
  [ ! -f "$dir/linha.tsv" ] || cat "$dir/linha.tsv" >> "$trabalho/linhas.tsv"
  total=$((total + 1))
  case $(cat "$dir/conta") in
    ok) certos=$((certos + 1)) ;;
    curto) curtos=$((curtos + 1)) ;;
    "?") semOtimo=$((semOtimo + 1)) ;;
    falha) falhas=$((falhas + 1)) ;;
    *) errados=$((errados + 1)) ;;
  esac
}

lancados=0
while IFS= read -r inst; do
  lancados=$((lancados + 1))
  if [ "$juntos" -eq 1 ]; then
    roda "$lancados" "$inst"
    imprime
    continue
  fi
  roda "$lancados" "$inst" &
  pids="$pids $!"
  # N under way: the oldest is waited for and its row printed.
  if [ $((lancados - impresso)) -ge "$juntos" ]; then
    set -- $pids
    wait "$1"
    shift
    pids="$*"
    imprime
  fi
done < "$trabalho/lista"
for pid in $pids; do
  wait "$pid"
  imprime
done
pids=""
if [ -n "$tsv" ]; then
  { printf 'instancia\tmodo\tn\tarestas\tvalor\tlimitante\ttempo_s\tsolve_s\tsep_s\tnos\tcortes\traiz\totimo\tmem_MB\tpecas\tnucleo\tprovado\tveredito\tgerais\n'
    cat "$trabalho/linhas.tsv" 2>/dev/null; } > "$tsv.tmp" && mv "$tsv.tmp" "$tsv" ||
    { echo "nao foi possivel gravar $tsv" >&2; falhas=$((falhas + 1)); }
fi
fimGeral=$(date +%s.%N)
printf 'resumo: %d instancias, %d no otimo, %d curtas, %d erradas, %d sem otimo conhecido, %d falhas; estrategia %s (matriz %s)%s, limite %ss, %.1f s no total\n' \
  "$total" "$certos" "$curtos" "$errados" "$semOtimo" "$falhas" "$estrategia" "$estrMatriz" "${opcoes:+ opcoes $opcoes}" \
  "$limite" "$(echo "$fimGeral - $inicioGeral" | bc)"
[ $errados -eq 0 ] && [ $falhas -eq 0 ]
