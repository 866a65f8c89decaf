#!/usr/bin/env bash
# Installs what is needed, builds the IDE and the tools (not the tests, which
# scripts/test.sh builds in build/) and starts the IDE on the simulator with an
# example open, assembled and downloaded, ready to step.
# Arguments, when given, are passed to the IDE instead (for example --board,
# or files to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --run
dir=build-run
# Only what runs: the IDE, the simulator library and the tools, without the
# tests and the benchmarks; -O2 without debug information keeps the build short.
bash scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found; running the simulator demonstration instead of the IDE." >&2
  exec "./$dir/tools/vantrel-demo/vantrel-demo"
fi
if [[ $# -gt 0 ]]; then
  exec "./$dir/ide/quorvel" "$@"
fi
# A working copy of the example (kept between runs, with your changes), so
# that assembling writes beside the copy and not into examples/.
demo=$dir/demo
mkdir -p "$demo"
[[ -f "$demo/leds.asm" ]] || cp examples/leds.asm "$demo/leds.asm"
"./$dir/tools/as11/as11" "$demo/leds.asm" || echo "as11 found errors in $demo/leds.asm (see $demo/leds.err)" >&2
exec "./$dir/ide/quorvel" --sim --download "$demo/leds.s19" "$PWD/$demo/leds.asm"
