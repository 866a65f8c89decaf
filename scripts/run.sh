#!/usr/bin/env bash
# Installs what is needed, builds everything and starts the IDE. Arguments are
# passed on to it (for example --sim, or files to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found; running the simulator demonstration instead of the IDE." >&2
  exec ./build/tools/vantrel-demo/vantrel-demo
fi
exec ./build/ide/quorvel "$@"
