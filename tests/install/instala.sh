#!/bin/sh
# make install into a staging root (DESTDIR), then everything it installed
# used from another folder with no variable of ours set and nothing of the
# build on PATH: BCTovsel with -f, the command bctovsel on a small SNAP
# file (--time 60 --output sol.json), the Python package on a NetworkX
# graph, and the manual pages read by groff without a warning.  The
# package finds the solver beside itself (the prefix's bin), which is the
# only place it can: the staged site folder is the one thing pointed at.
#
#   tests/install/instala.sh <source folder> <build folder>
set -u
fonte=$(cd "$1" && pwd)
construcao=$(cd "$2" && pwd)
trabalho=$(mktemp -d)
trap 'rm -rf "$trabalho"' EXIT INT TERM
raiz="$trabalho/raiz"
prefixo="$raiz/usr/local"
falhas=0
falha() { falhas=$((falhas + 1)); echo "FALHOU: $*"; }

if ! DESTDIR="$raiz" cmake --install "$construcao" --prefix /usr/local > "$trabalho/instalacao" 2>&1; then
  cat "$trabalho/instalacao"
  echo "FALHOU: cmake --install"
  exit 1
fi
site=$(ls -d "$prefixo"/lib/python3.*/dist-packages)
for f in bin/BCTovsel bin/verifica bin/lista2grafo bin/mps2matriz bin/bctovsel lib/bctovsel/libbctovsel-semidefinida.so \
         share/man/man1/BCTovsel.1 share/man/man1/bctovsel.1; do
  [ -x "$prefixo/$f" ] || [ -f "$prefixo/$f" ] || falha "falta $f"
done
[ -f "$site/bctovsel/__init__.py" ] || falha "falta o pacote em $site"
[ -z "$(ls "$site" | grep -v -e '^bctovsel$' -e '^bctovsel-.*\.dist-info$')" ] || falha "sobras em $site: $(ls "$site")"

mkdir "$trabalho/outra"
cd "$trabalho/outra" || exit 1
# A SNAP file: comment lines, tab-separated, ids that are not 0..n-1.
{ echo "# Directed graph: soc-sign-teste.txt"; echo "# FromNodeId	ToNodeId	Sign"
  grep -v '^%' "$fonte/examples/tribos.tsv" | awk '{print $1 + 100 "\t" $2 + 100 "\t" $3}'; } > soc-sign-teste.txt
limpo() { env -u BCTOVSEL_EXE -u BCTOVSEL_TEMPO_MAX -u VERIFICA_EXE PATH=/usr/bin:/bin PYTHONDONTWRITEBYTECODE=1 "$@"; }

"$prefixo/bin/lista2grafo" soc-sign-teste.txt g.txt g.mapa 2>/dev/null || falha "lista2grafo"
saida=$(limpo "$prefixo/bin/BCTovsel" -a -f g.txt 1110 | tail -n 1)
[ "$saida" = "Estado final: otimo, valor 13, limitante 13, gap 0.00%" ] || falha "BCTovsel -f: $saida"

limpo env PYTHONPATH="$site" "$prefixo/bin/bctovsel" soc-sign-teste.txt --time 60 --output sol.json > resumo 2>&1
status=$?
[ "$status" -eq 0 ] || falha "bctovsel (status $status): $(cat resumo)"
grep -q '"status": "optimal"' sol.json 2>/dev/null || falha "sol.json: $(cat sol.json 2>&1)"
grep -q '"left_out": \[106, 111, 114\]' sol.json 2>/dev/null || falha "ids de sol.json: $(cat sol.json 2>&1)"
versao=$(limpo env PYTHONPATH="$site" "$prefixo/bin/bctovsel" --version)
[ "$versao" = "bctovsel $(sed -n 's/^__version__ = "\(.*\)"/\1/p' "$fonte/python/bctovsel/__init__.py") (solver $prefixo/bin/BCTovsel)" ] ||
  falha "bctovsel --version: $versao"

resultado=$(limpo env PYTHONPATH="$site" /usr/bin/python3 -c '
import networkx as nx, bctovsel
g = nx.Graph()
for line in open("soc-sign-teste.txt"):
    if not line.startswith("#"):
        u, v, w = line.split()
        g.add_edge(u, v, sign=int(w))
r = bctovsel.solve(g, time_limit=60)
print(r.status, r.value, len(r.left_out), bctovsel.__file__.startswith("'"$site"'"))' 2>&1)
[ "$resultado" = "optimal 13 3 True" ] || falha "python3 -c import bctovsel: $resultado"

for pagina in BCTovsel.1 bctovsel.1; do
  avisos=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$prefixo/share/man/man1/$pagina" 2>&1)
  [ -z "$avisos" ] || falha "groff $pagina: $avisos"
done
ls -A | grep -q -v -e '^soc-sign-teste.txt$' -e '^g\.' -e '^sol.json$' -e '^resumo$' -e '^tovsel.dir$' \
  -e '^BC_Improved_Vesku_Pre.out$' && falha "arquivos a mais: $(ls -A)"
echo "instalacao em $raiz: $falhas falhas"
[ "$falhas" -eq 0 ]
