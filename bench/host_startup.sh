#!/usr/bin/env bash
# Start-up time of TessalyTool: from the start of the process to its first shown main window.
#
#   bench/host_startup.sh [build-dir] [runs]
#
# Registers the widget server in a temporary registry (the user's own is not touched), then
# starts TessalyTool `runs` times with SNIPPO_STARTUP_TIMING set, which makes it print the
# milliseconds to its first shown window and quit. Reports each run, the median and the
# fastest, both as the program measured it and as wall-clock time of the whole process
# (start to exit). Uses the offscreen platform unless QT_QPA_PLATFORM says otherwise.
set -euo pipefail

build=${1:-build}
runs=${2:-10}
tool=$build/bin/TessalyTool
regsvr=$build/bin/snippo-regsvr
library=$build/lib/snippo/libSnippoGlimButton.so
for f in "$tool" "$regsvr" "$library"; do
  [ -e "$f" ] || { echo "missing $f: build TessalyTool, SnippoGlimButton and snippo-regsvr first" >&2; exit 1; }
done

registry=$(mktemp -d)
trap 'rm -rf "$registry"' EXIT
export SNIPPO_REGISTRY=$registry
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$regsvr" "$library" > /dev/null

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

shown=()
wall=()
for ((i = 1; i <= runs; i++)); do
  start=$(date +%s%N)
  line=$(SNIPPO_STARTUP_TIMING=1 "$tool" 2> /dev/null | grep 'first window shown after')
  end=$(date +%s%N)
  ms=$(sed -E 's/.* after ([0-9]+) ms/\1/' <<< "$line")
  shown+=("$ms")
  wall+=($(( (end - start) / 1000000 )))
  printf 'run %2d: first window after %4d ms (process %4d ms)\n' "$i" "$ms" "${wall[-1]}"
done

printf 'first window shown: median %s ms, fastest %s ms\n' \
  "$(printf '%s\n' "${shown[@]}" | median)" "$(printf '%s\n' "${shown[@]}" | sort -n | head -1)"
printf 'whole process:      median %s ms, fastest %s ms\n' \
  "$(printf '%s\n' "${wall[@]}" | median)" "$(printf '%s\n' "${wall[@]}" | sort -n | head -1)"
