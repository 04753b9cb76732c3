#!/usr/bin/env bash
# cmake --install into a temporary prefix, then the installation moved elsewhere and used
# from there: nothing may point back to the build tree or to the first prefix.
#   install.test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
. "$(dirname "$0")/run_installed.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/first" > "$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"
mv "$work/first" "$work/moved"
prefix=$work/moved

programs="TessalyTool snippo-regsvr snippo-call snippo-render snippo-publish"
for p in $programs; do
  [ -x "$prefix/bin/$p" ] || fail "bin/$p is not installed"
  [ "$("$prefix/bin/$p" --version)" = "$p (Tessaly GlimButton) $version" ] || fail "$p --version"
  "$prefix/bin/$p" --help | grep -q "$p" || fail "$p --help"
  zcat "$prefix/share/man/man1/$p.1.gz" | grep -q '^\.TH "'"$p"'" "1"' || fail "no manual page for $p"
done
for f in "$prefix"/bin/* "$prefix"/lib/snippo/*.so; do
  paths=$(readelf -d "$f" | sed -n 's/.*R\(UN\)\{0,1\}PATH.*\[\(.*\)\]/\2/p')
  case "$paths" in
    ''|'$ORIGIN'|'$ORIGIN/../lib/snippo') ;;
    *) fail "$f searches libraries in $paths" ;;
  esac
done
for f in lib/snippo/qlnbtn.class lib/snippo/qlnbtn.js lib/snippo/Sample/sample.htm \
         share/applications/com.quillon.TessalyTool.desktop share/metainfo/com.quillon.TessalyTool.metainfo.xml \
         share/mime/packages/com.quillon.TessalyTool.xml share/icons/hicolor/scalable/apps/com.quillon.TessalyTool.svg \
         share/icons/hicolor/256x256/apps/com.quillon.TessalyTool.png share/icons/hicolor/16x16/apps/com.quillon.TessalyTool.png; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done

export SNIPPO_REGISTRY=$work/registry SNIPPO_SYSTEM_REGISTRY=$work/system
"$prefix/bin/snippo-regsvr" "$prefix/lib/snippo/libSnippoGlimButton.so" > /dev/null || fail "snippo-regsvr"
run_installed "$prefix" "$work"
echo "installed, moved and used: ok"
