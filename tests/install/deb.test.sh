#!/usr/bin/env bash
# The Debian package: built with CPack, checked by lintian, unpacked into a temporary root
# (dpkg-deb -x) and used from there: registered in a temporary machine-wide registry as its
# postinst does, then driven by an account with an empty registry of its own.
#   deb.test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
. "$(dirname "$0")/run_installed.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" > "$work/cpack.log" 2>&1) ||
  fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/pkg/tessalytool_*.deb)
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -q "\b$lib\b" <<< "$depends" || fail "Depends lacks $lib: $depends"
done
dpkg-deb -e "$deb" "$work/control"
grep -q '^ *snippo-regsvr --system /usr/lib/snippo/libSnippoGlimButton.so' "$work/control/postinst" ||
  fail "postinst does not register the server machine-wide"
grep -q '^ *snippo-regsvr -u --system /usr/lib/snippo/libSnippoGlimButton.so' "$work/control/prerm" ||
  fail "prerm does not unregister the server"

lintian --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1 || true
echo "lintian says:"
cat "$work/lintian.log"
if grep -q '^E: ' "$work/lintian.log"; then
  fail "lintian reports errors"
fi

root=$work/root
dpkg-deb -x "$deb" "$root"
export SNIPPO_SYSTEM_REGISTRY=$work/system SNIPPO_REGISTRY=$work/user
"$root/usr/bin/snippo-regsvr" --system "$root/usr/lib/snippo/libSnippoGlimButton.so" > /dev/null ||
  fail "machine-wide registration failed"
grep -q '^\[HKEY_CLASSES_ROOT\\SnippoServer.GlimButton\]' "$work/system/HKEY_CLASSES_ROOT.reg" ||
  fail "the machine-wide registry lacks the class"
run_installed "$root/usr" "$work"
[ ! -e "$work/user/HKEY_CLASSES_ROOT.reg" ] || fail "the account's own registry was written: $(cat "$work/user/HKEY_CLASSES_ROOT.reg")"

"$root/usr/bin/snippo-regsvr" -u --system "$root/usr/lib/snippo/libSnippoGlimButton.so" > /dev/null ||
  fail "machine-wide unregistration failed"
! grep -q 'SnippoServer.GlimButton' "$work/system/HKEY_CLASSES_ROOT.reg" || fail "the class is still registered"
echo "package built, unpacked and used: ok"
