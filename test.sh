#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: first a normal build in
# build/, then a short run of the fuzz targets (clang, libFuzzer), then the same tests built with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source ./scripts/packages.sh
source ./scripts/run-fuzzers.sh
ensure_packages

jobs=$(nproc)
run_tree() {
    local tree=$1; shift
    cmake -S . -B "$tree" -G Ninja "$@" >/dev/null
    cmake --build "$tree" -j "$jobs"
    (cd "$tree" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
}

run_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_fuzzers build-fuzz
run_tree build-sanitize -DCMAKE_BUILD_TYPE=Debug -DGARVO_SANITIZE=ON
