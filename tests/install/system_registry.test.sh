#!/usr/bin/env bash
# The machine-wide registration as the package makes it, seen by an account with an empty
# registry of its own: the account's entries win, a damaged machine-wide file is reported and
# ignored, and --system is refused to anyone but root.
#   system_registry.test.sh BUILD_DIR
set -euo pipefail
bin=$1/bin
lib=$1/lib/snippo/libSnippoGlimButton.so
. "$(dirname "$0")/run_installed.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SNIPPO_SYSTEM_REGISTRY=$work/system SNIPPO_REGISTRY=$work/user QT_QPA_PLATFORM=offscreen
count() { printf 'GetResourceNumber\n' | "$bin/snippo-call" SnippoServer.GlimButton 2> "$work/call.err"; }

"$bin/snippo-regsvr" --system "$lib" > /dev/null || fail "--system registration"
[ "$(count)" = 1 ] || fail "an empty user registry does not see the machine's class: $(cat "$work/call.err")"
[ ! -e "$work/user/HKEY_CLASSES_ROOT.reg" ] || fail "the user's registry was written"

# The account's own registration wins: one naming a library that is not there breaks it...
clsid=$(sed -n 's/^@="\({.*}\)"$/\1/p' "$work/system/HKEY_CLASSES_ROOT.reg" | head -n 1)
mkdir -p "$work/user"
printf 'REGEDIT4\n\n[HKEY_CLASSES_ROOT\\CLSID\\%s\\InProcServer32]\n@="%s"\n' "$clsid" "$work/gone.so" \
  > "$work/user/HKEY_CLASSES_ROOT.reg"
! count > /dev/null || fail "the user's entry did not win"
grep -q "gone.so" "$work/call.err" || fail "the failure does not name the user's library: $(cat "$work/call.err")"
# ...and the account's own unregistration leaves the machine's registration in place.
rm "$work/user/HKEY_CLASSES_ROOT.reg"
[ "$(count)" = 1 ] || fail "the machine's class is gone"

# A damaged machine-wide file is reported and ignored; the account's own registration works.
"$bin/snippo-regsvr" "$lib" > /dev/null || fail "user registration"
printf 'REGEDIT4\n\n[HKEY_CLASSES_ROOT\\broken\n' >> "$work/system/HKEY_CLASSES_ROOT.reg"
[ "$(count)" = 1 ] || fail "a damaged machine-wide file stopped the user's registration"
grep -q "^warning: registry file \"$work/system/HKEY_CLASSES_ROOT.reg\" is damaged, line [0-9]*: .*; the system registry file is ignored$" \
  "$work/call.err" || fail "no warning: $(cat "$work/call.err")"

# Only root changes the machine's registry.
if [ "$(id -u)" -eq 0 ] && command -v setpriv > /dev/null; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chmod 755 "$work"
else
  as_user=()
fi
if [ "$(id -u)" -ne 0 ] || [ ${#as_user[@]} -gt 0 ]; then
  set +e
  msg=$(env -u SNIPPO_SYSTEM_REGISTRY XDG_CONFIG_DIRS=/nonexistent "${as_user[@]}" "$bin/snippo-regsvr" --system "$lib" 2>&1)
  rc=$?
  set -e
  [ $rc -eq 5 ] || fail "--system without root ended with $rc: $msg"
  grep -q "only root may change" <<< "$msg" || fail "unclear refusal: $msg"
fi
echo "machine-wide registry: ok"
