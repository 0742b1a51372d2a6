#!/bin/sh
# Installs the Python package with Debian's pip, offline, into a folder of
# the prefix (its dist-packages, which Debian's python3 reads), and its
# console script `bctovsel` into the prefix's bin.
#
#   python/instala.sh <package source> <work folder> <site folder> <bin folder>
#
# The source is copied first, so that the build leaves nothing in the tree.
set -eu
fonte=$1 trabalho=$2 site=$3 bin=$4
rm -rf "$trabalho"
mkdir -p "$trabalho" "$site" "$bin"
cp -R "$fonte/bctovsel" "$fonte/pyproject.toml" "$fonte/README.md" "$trabalho/"
# An earlier version's metadata would stay beside the new one.
rm -rf "$site"/bctovsel "$site"/bctovsel-*.dist-info
/usr/bin/python3 -m pip install --quiet --no-index --no-build-isolation --no-deps --upgrade \
  --disable-pip-version-check --root-user-action=ignore --no-warn-script-location \
  --target "$site" "$trabalho"
mv -f "$site/bin/bctovsel" "$bin/bctovsel"
rmdir "$site/bin" 2>/dev/null || true
rm -rf "$trabalho"
