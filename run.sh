#!/usr/bin/env bash
# Builds Quorvane when needed and starts it on FOLDER (default: samples/).
# Without a display it runs under Xvfb, saves a screenshot of the window
# under build/ and prints its path.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

folder=${1:-samples}
if [ $# -gt 1 ]; then
    echo "usage: $0 [FOLDER]" >&2
    exit 2
fi
if [ ! -e "$folder" ]; then
    echo "$0: no such folder: $folder" >&2
    exit 2
fi
folder=$(cd "$folder" 2>/dev/null && pwd || readlink -f "$folder")

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

install_missing cmake ninja-build g++ qtbase5-dev qttools5-dev qttools5-dev-tools \
                libqt5svg5-dev libqt5serialport5-dev shared-mime-info \
                fonts-liberation2 qttranslations5-l10n

# File names in the system's encoding: Cyrillic folders need a UTF-8 locale.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
    export LC_ALL=C.UTF-8
fi

if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
# CMAKE_BUILD_PARALLEL_LEVEL limits the jobs on a shared machine.
cmake --build build --target quorvane --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
program=$root/build/app/quorvane

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "$folder"
fi

install_missing xvfb xdotool imagemagick

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
finish() {
    set +e
    if [ -n "$program_pid" ]; then kill "$program_pid"; wait "$program_pid"; fi 2>/dev/null
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid"; wait "$xvfb_pid"; fi 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

width=1600
height=1000
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "$0: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

# Settings and crash reports of this run only: the user's stay untouched and
# the picture is the same every time.
XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=xcb \
    "$program" "$folder" >"$work/quorvane.log" 2>&1 &
program_pid=$!

# The title names the folder once the list has taken it.
window=""
for _ in $(seq 300); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
        echo "$0: Quorvane ended early:" >&2
        cat "$work/quorvane.log" >&2
        exit 1
    fi
    window=$(xdotool search --onlyvisible --name '^Quorvane .* - \[' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "$0: the Quorvane window did not come up" >&2
    cat "$work/quorvane.log" >&2
    exit 1
fi

# No window manager maximizes the window here: give it the whole screen.
xdotool windowmove "$window" 0 0 windowsize "$window" "$width" "$height"
sleep 2

screenshot=$root/build/quorvane-screenshot.png
import -window root "$screenshot"
echo "$screenshot"
