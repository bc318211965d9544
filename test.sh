#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test.
#   ./test.sh             plain build (build/)
#   ./test.sh --sanitize  the same suite built with AddressSanitizer and
#                         UndefinedBehaviorSanitizer (build-asan/)
set -euo pipefail
cd "$(dirname "$0")"

mode=plain
case "${1:-}" in
    "") ;;
    --sanitize) mode=sanitize ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
esac

packages=(cmake ninja-build g++ qtbase5-dev qttools5-dev qttools5-dev-tools
          libqt5svg5-dev libqt5serialport5-dev shared-mime-info
          poppler-utils fonts-liberation2 qttranslations5-l10n)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ "$mode" = sanitize ]; then
    build=build-asan
    options=(-DQUORVANE_SANITIZE=ON)
    # Any report fails the test that caused it. Leaks are suppressed only
    # inside Qt's own libraries (see the file).
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_init_order=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan-qt.supp:print_suppressions=0"
else
    build=build
    options=()
fi

# CMAKE_BUILD_PARALLEL_LEVEL limits the jobs on a shared machine.
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
cmake --build "$build" --parallel "$jobs"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error --parallel "$jobs"
