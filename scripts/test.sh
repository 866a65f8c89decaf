#!/usr/bin/env bash
# Installs what is needed, builds the test suite twice (plain, and with the
# address and undefined-behaviour sanitizers) and runs it with CTest, then runs
# the fuzz targets briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

# Line tables (-g1) are all that sanitizer reports and failing tests need;
# full debug information only makes the build slower. The benchmarks are
# built on purpose, in their own Release tree (README).
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
ctest --test-dir build --output-on-failure -j "$jobs"

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

bash scripts/fuzz.sh 20
