#!/bin/sh
# Runs every command the README and the manual pages show, in order, with
# small inputs in place of the benchmark folders, so that none of them rots:
# each must end with status 0, and the example of bad input must print what
# the README says.
#
#   tests/readme/comandos.sh <source folder> <build folder>
#
# Taken from the README: indented lines that begin with build/, bench/, awk
# or bctovsel (usage lines with placeholders such as [-e exe] left out), and
# the inline `bench/run_bench.sh ...` examples of the prose; from the manual
# pages, the commands of their EXAMPLES, under the installed names, which a
# folder on PATH gives here (bctovsel as python3 -m bctovsel of the source).
# Not run: make targets (the suite is one of them), the micro-benchmarks,
# which need make bench, and the README's Python example, which the
# package's tests run.
set -u
fonte=$(cd "$1" && pwd)
construcao=$(cd "$2" && pwd)
trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT INT TERM
ln -s "$construcao" "$trabalho/build"
ln -s "$fonte/examples" "$trabalho/examples"
# The scripts are copied, so that what the commands write stays in the work folder.
mkdir -p "$trabalho/bench/resultados"
cp "$fonte"/bench/*.sh "$trabalho/bench/"
mkdir "$trabalho/pequena"
cp "$fonte/examples/triangulos.txt" "$fonte/examples/matriz.txt" "$trabalho/pequena/"
# The manual pages' files, and their commands' names.
cp "$fonte/examples/triangulos.txt" "$trabalho/instancia.txt"
cp "$fonte/examples/tribos.tsv" "$trabalho/rede.tsv"
mkdir "$trabalho/bin"
for p in BCTovsel verifica lista2grafo mps2matriz; do ln -s "$construcao/$p" "$trabalho/bin/$p"; done
cat > "$trabalho/bin/bctovsel" <<FIM
#!/bin/sh
BCTOVSEL_EXE="$construcao/BCTovsel" PYTHONPATH="$fonte/python" exec /usr/bin/python3 -m bctovsel "\$@"
FIM
chmod +x "$trabalho/bin/bctovsel"
PATH="$trabalho/bin:$PATH"
export PATH

readme="$fonte/README.md"
{
  grep -E '^    (build/|bench/|awk |bctovsel [^0-9])' "$readme" | grep -v -e '\[-' -e '<strategy>' |
    sed 's/^    //'
  grep -o '`bench/run_bench\.sh [^`]*`' "$readme" | tr -d '`'
  for pagina in "$fonte"/man/*.1; do
    sed -n '/^\.SH EXAMPLES/,/^\.SH/p' "$pagina" | sed -n '/^\.EX/,/^\.EE/p' | grep -v '^\.E[XE]' |
      sed 's/\\-/-/g'
  done
} | sed -e "s#\.\./shared/bench/medium#pequena#g" \
        -e "s#\.\./shared/bench/[a-z]*/[a-z_0-9.]*\.txt#pequena/triangulos.txt#g" \
        -e 's#-t 600#-t 5#g' -e 's#network\.txt#examples/triangulos.txt#g' > "$trabalho/comandos"

falhas=0
total=0
while IFS= read -r comando; do
  total=$((total + 1))
  if ! (cd "$trabalho" && sh -c "$comando") > "$trabalho/saida" 2>&1; then
    falhas=$((falhas + 1))
    echo "FALHOU: $comando"
    head -c 2000 "$trabalho/saida"
  fi
done < "$trabalho/comandos"

# The example of bad input: the command after "$ " and the line after it.
exemplo=$(grep -E '^    \$ ' "$readme" | head -n 1 | sed 's/^    \$ //')
esperado=$(grep -A1 -E '^    \$ ' "$readme" | sed -n 2p | sed 's/^    //')
obtido=$(cd "$trabalho" && sh -c "$exemplo" 2>&1 >/dev/null)
status=$?
if [ "$status" -ne 2 ] || [ "$obtido" != "$esperado" ]; then
  falhas=$((falhas + 1))
  echo "FALHOU: $exemplo (status $status): $obtido"
fi
echo "$total comandos do README e das paginas de manual e o exemplo de entrada invalida: $falhas falhas"
[ "$falhas" -eq 0 ] && [ "$total" -ge 10 ] &&
  [ "$(grep -c -e '^bctovsel ' -e '^BCTovsel ' "$trabalho/comandos")" -ge 8 ]
