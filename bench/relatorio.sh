#!/bin/sh
# Draws a benchmark report from the TSV rows of bench/run_bench.sh -T: the
# wall time of every instance, one series per mode (unproved runs drawn at
# their time limit, hollow), and, when two or more modes were run, their
# performance profile: for each mode, the share of instances it proved within
# a factor tau of the fastest mode's time on that instance.
#
#   bench/relatorio.sh -o relatorio.png linhas.tsv...
#
# Needs gnuplot (Debian gnuplot-nox; make bench-report installs it).
set -eu

usage() { echo "uso: $0 -o figura.png linhas.tsv..." >&2; exit 2; }
saida=""
while getopts o: opt; do
  case $opt in
    o) saida=$OPTARG ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
[ -n "$saida" ] && [ $# -ge 1 ] || usage
command -v gnuplot > /dev/null || { echo "gnuplot ausente (apt-get install gnuplot-nox)" >&2; exit 2; }
trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT INT TERM

# One table: instance index, instance, mode index, mode, time, proved.
awk -F'\t' '
  FNR == 1 { next }
  {
    if (!($1 in inst)) { inst[$1] = ++ni; nome[ni] = $1 }
    if (!($2 in modo)) { modo[$2] = ++nm; nomeModo[nm] = $2 }
    printf "%d\t%s\t%d\t%s\t%s\t%s\n", inst[$1], $1, modo[$2], $2, $7, ($17 == "sim")
  }
  END {
    for (m = 1; m <= nm; m++) print nomeModo[m] > "'"$trabalho"'/modos"
    print ni > "'"$trabalho"'/ninst"
  }' "$@" > "$trabalho/linhas"
nmodos=$(wc -l < "$trabalho/modos")
ninst=$(cat "$trabalho/ninst")
[ "$ninst" -ge 1 ] || { echo "nenhuma linha nas tabelas" >&2; exit 2; }

# Performance profile: ratio of each proved run to the best proved time of
# its instance (0.01 s at least, so that instant runs do not dominate).
awk -F'\t' -v dir="$trabalho" '
  { t = ($5 < 0.01 ? 0.01 : $5); linha[NR] = $0; if ($6 == 1 && (!($1 in melhor) || t < melhor[$1])) melhor[$1] = t }
  END {
    for (i = 1; i <= NR; i++) {
      split(linha[i], c, "\t")
      t = (c[5] < 0.01 ? 0.01 : c[5])
      if (c[6] == 1) print t / melhor[c[1]] > (dir "/razoes." c[3])
    }
  }' "$trabalho/linhas"
i=1
while [ "$i" -le "$nmodos" ]; do
  touch "$trabalho/razoes.$i"
  sort -g "$trabalho/razoes.$i" | awk -v n="$ninst" '{ print $1, NR / n }' > "$trabalho/perfil.$i"
  awk -F'\t' -v m="$i" '$3 == m' "$trabalho/linhas" > "$trabalho/tempos.$i"
  i=$((i + 1))
done

# One gnuplot "plot" command with a series per mode, each drawn by the
# function named in $1, called with the mode's number and name.
plotaModos() {
  printf "plot "
  i=1
  while [ "$i" -le "$nmodos" ]; do
    [ "$i" -gt 1 ] && printf ", "
    "$1" "$i" "$(sed -n "${i}p" "$trabalho/modos")"
    i=$((i + 1))
  done
  echo
}
serieTempos() {
  # Proved runs filled, the others hollow; the instance names label the axis
  # once, from the first mode.
  rotulo=""
  [ "$1" -eq 1 ] && rotulo=":xtic(2)"
  x="(\$1+$(echo "($1 - ($nmodos + 1) / 2) * 0.15" | bc -l))"
  y="(\$5<0.01?0.01:\$5)"
  printf "'%s' using %s:(\$6==1?%s:1/0)%s with points pt 7 ps 1.2 lc %d title '%s', " \
    "$trabalho/tempos.$1" "$x" "$y" "$rotulo" "$1" "$2"
  printf "'%s' using %s:(\$6==1?1/0:%s) with points pt 6 ps 1.2 lc %d notitle" \
    "$trabalho/tempos.$1" "$x" "$y" "$1"
}
seriePerfil() {
  printf "'%s' using 1:2 with steps lw 2 lc %d title '%s'" "$trabalho/perfil.$1" "$1" "$2"
}

{
  echo "set terminal pngcairo size 1200,$([ "$nmodos" -ge 2 ] && echo 900 || echo 500) font 'sans,10'"
  echo "set output '$saida'"
  echo "set termoption noenhanced"
  echo "set datafile separator '\t'"
  [ "$nmodos" -ge 2 ] && echo "set multiplot layout 2,1"
  echo "set title 'Tempo por instancia (vazado: sem prova dentro do limite)'"
  echo "set logscale y; set ylabel 'segundos'; set grid ytics"
  echo "set xtics rotate by -60 font 'sans,7'; set xrange [0:$((ninst + 1))]"
  echo "set key outside right top"
  plotaModos serieTempos
  if [ "$nmodos" -ge 2 ]; then
    echo "unset logscale; unset xtics; set xtics auto font 'sans,10'; set xrange [1:*]"
    echo "set logscale x; set title 'Perfil de desempenho (instancias provadas)'"
    echo "set xlabel 'tau: tempo / melhor tempo'; set ylabel 'fracao das instancias'; set yrange [0:1.05]"
    echo "set datafile separator whitespace"
    plotaModos seriePerfil
    echo "unset multiplot"
  fi
} > "$trabalho/figura.gp"
gnuplot "$trabalho/figura.gp"
echo "$saida: $ninst instancias, $nmodos modos"
