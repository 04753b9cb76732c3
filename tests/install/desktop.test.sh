#!/usr/bin/env bash
# The desktop files as the desktop's own validators see them, and the widget file type
# recognised by name and by its first line.
#   desktop.test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
. "$(dirname "$0")/run_installed.sh"

desktop-file-validate "$src/data/com.quillon.TessalyTool.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$build/data/com.quillon.TessalyTool.metainfo.xml" || fail "appstreamcli validate"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$src/data/com.quillon.TessalyTool.mime.xml" "$work/mime/packages/com.quillon.TessalyTool.xml"
cp /usr/share/mime/packages/freedesktop.org.xml "$work/mime/packages/"
update-mime-database "$work/mime" > /dev/null 2>&1 || fail "update-mime-database"
grep -q 'application/x-tessaly-widget:\*\.qwd' "$work/mime/globs" || fail "*.qwd is not in the glob list"
grep -q 'application/x-tessaly-widget' "$work/mime/magic" || fail "the first line is not in the magic list"
echo "desktop files: ok"
