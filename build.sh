#!/usr/bin/env bash
# Set-up and build script for a fresh Debian machine.
#   ./build.sh test   install what is missing, build everything, run every test
#   ./build.sh run    install what is missing, build, register the widget server, start TessalyTool
# Extra CMake options may be passed in CMAKE_ARGS, e.g. CMAKE_ARGS=-DSNIPPO_SANITIZE=ON.
set -euo pipefail
start_dir=$PWD
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-l10n-tools qt6-documentation-tools libgl-dev libx11-dev
          fonts-liberation locales-all nodejs chromium firefox-esr clang-format
          scdoc desktop-file-utils appstream shared-mime-info lintian dpkg-dev binutils)
run_packages=(xdg-utils xvfb xauth assistant-qt6)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}

# The browser tests' driver and accessibility checker, exactly as the lockfile pins them.
# Browsers come from Debian, never from npm.
install_web_test_modules() {
  local dir=tests/web
  command -v npm >/dev/null || install_missing npm
  if cmp -s "$dir/package-lock.json" "$dir/node_modules/.installed-lock.json"; then
    return 0
  fi
  (cd "$dir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
  cp "$dir/package-lock.json" "$dir/node_modules/.installed-lock.json"
}

# Every C++ file in the tree must be as .clang-format writes it.
check_format() {
  local files
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files '*.cpp' '*.h')
  else
    files=$(find . -path ./tests/web/node_modules -prune -o -path './build*' -prune -o \
                 \( -name '*.cpp' -o -name '*.h' \) -print)
  fi
  if ! clang-format --dry-run --Werror $files; then
    echo "Some files are not formatted; run: clang-format -i <file>..." >&2
    return 1
  fi
}

build() {
  local dir=${BUILD_DIR:-build}
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" ${CMAKE_ARGS:-}
  cmake --build "$dir" -j "$(nproc)"
}

case "${1:-}" in
  test)
    install_missing "${packages[@]}"
    install_web_test_modules
    check_format
    build -DSNIPPO_TESTS=ON -DSNIPPO_BENCH=ON -DSNIPPO_WERROR=ON
    # Only read by sanitizer builds (CMAKE_ARGS=-DSNIPPO_SANITIZE=ON).
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
    ;;
  run)
    install_missing "${packages[@]}" "${run_packages[@]}"
    build
    bin="${BUILD_DIR:-build}/bin"
    if [ ! -x "$bin/TessalyTool" ]; then
      echo "TessalyTool is not part of this build yet." >&2
      exit 1
    fi
    "$bin/snippo-regsvr" "${BUILD_DIR:-build}/lib/snippo/libSnippoGlimButton.so"
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      echo "No display is available. Start TessalyTool under a virtual display instead" >&2
      echo "(xvfb-run comes with the xvfb package):" >&2
      echo "  xvfb-run -a $bin/TessalyTool" >&2
      exit 1
    fi
    # A widget file named on the command line is where the user started, not here.
    args=()
    for a in "${@:2}"; do
      case "$a" in
        /*|-*) args+=("$a") ;;
        *) args+=("$start_dir/$a") ;;
      esac
    done
    exec "$bin/TessalyTool" "${args[@]}"
    ;;
  *)
    echo "usage: $0 test|run" >&2
    exit 2
    ;;
esac
