#!/usr/bin/env bash
# Installs what is needed, builds everything and starts the IDE on the
# simulator with an example open, assembled and downloaded, ready to step.
# Arguments, when given, are passed to the IDE instead (for example --board,
# or files to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found; running the simulator demonstration instead of the IDE." >&2
  exec ./build/tools/vantrel-demo/vantrel-demo
fi
if [[ $# -gt 0 ]]; then
  exec ./build/ide/quorvel "$@"
fi
# A working copy of the example (kept between runs, with your changes), so
# that assembling writes beside the copy and not into examples/.
demo=build/demo
mkdir -p "$demo"
[[ -f "$demo/leds.asm" ]] || cp examples/leds.asm "$demo/leds.asm"
./build/tools/as11/as11 "$demo/leds.asm" || echo "as11 found errors in $demo/leds.asm (see $demo/leds.err)" >&2
exec ./build/ide/quorvel --sim --download "$demo/leds.s19" "$PWD/$demo/leds.asm"
