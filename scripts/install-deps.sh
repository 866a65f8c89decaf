#!/usr/bin/env bash
# install-deps.sh [--run]: installs the Debian packages the build and the tests
# need, or with --run only those that building and running the IDE and the
# tools need; does nothing when they are all present already.
set -euo pipefail

# Building the IDE, the simulator library and the tools, and running the IDE.
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev fonts-dejavu-core
)
# The test suite, the benchmarks and the fuzz targets, on top of those.
if [[ "${1:-}" != --run ]]; then
  packages+=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    binutils-m68hc1x
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
