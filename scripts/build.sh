#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds the tree in DIR.
set -euo pipefail
dir=$1
shift
if [[ ! -f "$dir/build.ninja" ]]; then
  cmake -S . -B "$dir" -G Ninja "$@"
fi
cmake --build "$dir"
