#!/usr/bin/env bash
# Builds a fuzz target with clang into build-fuzz/ and runs it for the given
# number of seconds on all cores (or the given worker count). Targets:
#   sorfile  trace files (the default)
#   device   what instruments send: replies, blocks, dumps, folder listings
# Findings land in build-fuzz/artifacts/ (artifacts-device/ for the device
# target), the grown corpus in build-fuzz/corpus/ (corpus-device/).
#   fuzz/run.sh SECONDS [WORKERS] [TARGET]
#   fuzz/run.sh SECONDS TARGET
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [WORKERS] [sorfile|device]}
workers=${2:-$(nproc)}
target=${3:-sorfile}
# The target may stand in the workers' place: fuzz/run.sh 1800 device.
if ! [[ $workers =~ ^[0-9]+$ ]]; then
    target=$workers
    workers=$(nproc)
fi

case "$target" in
sorfile)
    corpus=corpus artifacts=artifacts dict=sor.dict ;;
device)
    corpus=corpus-device artifacts=artifacts-device dict=device.dict ;;
*)
    echo "unknown target '$target': sorfile or device" >&2
    exit 2 ;;
esac

CC=${CC:-clang} CXX=${CXX:-clang++} \
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_FUZZ=ON
cmake --build build-fuzz --target "fuzz_$target" --parallel "$workers"

mkdir -p "build-fuzz/$corpus" "build-fuzz/$artifacts"
if [ "$target" = sorfile ]; then
    cp -n fuzz/corpus/*.sor build-fuzz/corpus/
    cp -n ../shared/testdata/sor/*.sor build-fuzz/corpus/ 2>/dev/null || true
else
    cp -n fuzz/corpus-device/* "build-fuzz/$corpus/"
fi
cd build-fuzz
# Saves are flushed to disk; a memory-backed temporary folder keeps that cheap.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
exec "fuzz/fuzz_$target" "$corpus" -fork="$workers" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -dict="../fuzz/$dict" -artifact_prefix="$artifacts/"
