# Shared by the installation tests: drives an installed tree as a user would.
#   run_installed PREFIX WORK   (the widget server must be registered already)
# Makes a widget file with snippo-call, paints it with snippo-render, publishes it with
# snippo-publish and previews it with TessalyTool --preview, offscreen, with a stand-in
# xdg-open that keeps the page it is asked to open.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

run_installed() {
  local prefix=$1 work=$2
  local widget=$work/widgets/menu.qwd
  mkdir -p "$work/widgets"

  local out
  out=$(printf 'Title = "Menu"\nWebRuntime = 1\nWriteConfigFile "%s"\nGetResourceNumber\n' "$widget" |
        "$prefix/bin/snippo-call" SnippoServer.GlimButton) || fail "snippo-call: $out"
  [ "$out" = $'null\nnull\ntrue\n2' ] || fail "snippo-call answered: $out"
  [ -f "$work/widgets/qlnbtn.class" ] && [ -f "$work/widgets/qlnbtn.js" ] ||
    fail "saving the widget did not copy its support files from the installed template folder"

  "$prefix/bin/snippo-render" "$widget" 1 "$work/panel.png" || fail "snippo-render failed"
  [ "$(head -c 8 "$work/panel.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "snippo-render wrote no PNG"

  "$prefix/bin/snippo-publish" "$widget" "$work/site" --png "$work/site.png" || fail "snippo-publish failed"
  [ "$(cd "$work/site" && ls | tr '\n' ' ')" = "index.html qlnbtn.class qlnbtn.js " ] ||
    fail "published folder holds: $(ls "$work/site")"
  grep -q '<script src="qlnbtn.js" defer></script>' "$work/site/index.html" || fail "index.html lacks the runtime"
  grep -q 'code="qlnbtn.class"' "$work/site/index.html" || fail "index.html lacks the applet"
  cmp -s "$work/panel.png" "$work/site.png" || fail "--png did not paint what snippo-render paints"
  [ -s "$work/site.png" ] || fail "--png wrote nothing"

  # TessalyTool opens the widget and previews it; the stand-in browser keeps the page.
  mkdir -p "$work/fakebin" "$work/run"
  chmod 700 "$work/run"
  cat > "$work/fakebin/xdg-open" <<SCRIPT
#!/bin/sh
ls "\$(dirname "\$1")" > "$work/preview-folder.txt"
cp "\$1" "$work/previewed.part" && mv "$work/previewed.part" "$work/previewed.htm"
SCRIPT
  chmod +x "$work/fakebin/xdg-open"
  PATH="$work/fakebin:$PATH" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/TessalyTool" --preview "$widget" > "$work/tool.log" 2>&1 &
  local pid=$! waited=0
  while [ ! -f "$work/previewed.htm" ] && [ $waited -lt 600 ] && kill -0 $pid 2> /dev/null; do
    sleep 0.1
    waited=$((waited + 1))
  done
  kill $pid 2> /dev/null || true
  wait $pid 2> /dev/null || true
  [ -f "$work/previewed.htm" ] || fail "TessalyTool --preview opened no page: $(cat "$work/tool.log")"
  grep -q 'code="qlnbtn.class"' "$work/previewed.htm" || fail "the preview page lacks the applet"
  grep -qx 'qlnbtn.class' "$work/preview-folder.txt" && grep -qx 'qlnbtn.js' "$work/preview-folder.txt" ||
    fail "the preview folder lacks the support files: $(cat "$work/preview-folder.txt")"
}
