#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the libFuzzer targets with clang and runs each one
# briefly (default 30 s), starting from the seed inputs under fuzz/*/seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
dir=build-fuzz
if [[ ! -f "$dir/build.ninja" ]]; then
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_FUZZ=ON -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCH=OFF
fi
cmake --build "$dir" --target as11_fuzz disassemble_fuzz

# run NAME FOLDER [libFuzzer options...]
run() {
  local name=$1 folder=$2
  shift 2
  local corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  echo "== $name for ${seconds}s"
  "$dir/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@" \
    "$corpus" "$folder/seeds"
}
run as11_fuzz fuzz/as11 -dict=fuzz/as11/as11.dict
run disassemble_fuzz fuzz/disasm
