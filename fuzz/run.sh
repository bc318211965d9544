#!/usr/bin/env bash
# Builds the trace-file fuzz target with clang into build-fuzz/ and runs it
# for the given number of seconds on all cores (or the given worker count).
# Findings land in build-fuzz/artifacts/, the grown corpus in build-fuzz/corpus/.
#   fuzz/run.sh SECONDS [WORKERS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [WORKERS]}
workers=${2:-$(nproc)}

CC=${CC:-clang} CXX=${CXX:-clang++} \
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_FUZZ=ON
cmake --build build-fuzz --target fuzz_sorfile --parallel "$workers"

mkdir -p build-fuzz/corpus build-fuzz/artifacts
cp -n fuzz/corpus/*.sor build-fuzz/corpus/
cp -n ../shared/testdata/sor/*.sor build-fuzz/corpus/ 2>/dev/null || true
cd build-fuzz
# Saves are flushed to disk; a memory-backed temporary folder keeps that cheap.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
exec fuzz/fuzz_sorfile corpus -fork="$workers" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -dict=../fuzz/sor.dict -artifact_prefix=artifacts/
