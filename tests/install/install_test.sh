#!/usr/bin/env bash
# Installs the build into a scratch prefix, moves the prefix elsewhere (the
# package files must not remember where they were installed) and builds two
# consumers against it:
#   a) consumer.c, plain ISO C, with the flags from `pkg-config vantrel`;
#   b) consumer_cmake/, C++, through find_package(Vantrel).
# Both run and must exit 0.
#
# Set by CTest (tests/install/CMakeLists.txt): VANTREL_BUILD_DIR,
# CONSUMER_SOURCE_DIR, CONSUMER_CC, CONSUMER_CXX, CONSUMER_FLAGS,
# CONSUMER_GENERATOR, CONSUMER_MAKE_PROGRAM, CONSUMER_CMAKE, PKG_CONFIG,
# EXPECTED_VERSION.
set -euo pipefail

fail() {
    echo "install test: $*" >&2
    exit 1
}

for var in VANTREL_BUILD_DIR CONSUMER_SOURCE_DIR CONSUMER_CC CONSUMER_CXX CONSUMER_GENERATOR CONSUMER_CMAKE \
    PKG_CONFIG EXPECTED_VERSION; do
    [ -n "${!var:-}" ] || fail "$var is not set"
done
CONSUMER_FLAGS=${CONSUMER_FLAGS:-}
command -v "$PKG_CONFIG" >/dev/null || fail "pkg-config not found (install the pkg-config package)"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-install.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

echo "== cmake --install $VANTREL_BUILD_DIR"
"$CONSUMER_CMAKE" --install "$VANTREL_BUILD_DIR" --prefix "$scratch/staged" >"$scratch/install.log" ||
    { cat "$scratch/install.log"; fail "cmake --install failed"; }
mv "$scratch/staged" "$scratch/prefix"
prefix=$scratch/prefix

for file in include/vantrel.h include/vantrel/VantrelCtrl.h include/vantrel/CpuState.h \
    include/vantrel/OpcodeTable.h lib/libvantrel.so lib/pkgconfig/vantrel.pc lib/cmake/Vantrel/VantrelConfig.cmake; do
    [ -e "$prefix/$file" ] || fail "not installed: $file"
done
# The IDE, the tools, the assembler's script and the help pages sit in one
# folder, where the program looks for them; the desktop entry and its icon in share/.
for file in bin/quorvel bin/as11 bin/asm.sh bin/hc11sim bin/hc11dis bin/hc11board bin/help/index.html \
    share/applications/quorvel.desktop share/icons/hicolor/scalable/apps/quorvel.svg; do
    [ -e "$prefix/$file" ] || fail "not installed: $file"
done
for program in bin/quorvel bin/as11 bin/asm.sh bin/hc11sim bin/hc11dis bin/hc11board; do
    [ -x "$prefix/$program" ] || fail "not executable: $program"
done
grep -qx 'Exec=quorvel %F' "$prefix/share/applications/quorvel.desktop" || fail "quorvel.desktop does not start quorvel"
grep -qx 'Icon=quorvel' "$prefix/share/applications/quorvel.desktop" || fail "quorvel.desktop names another icon"

echo "== the installed asm.sh assembles with the installed as11"
asmdir=$scratch/asm
mkdir "$asmdir"
printf '        ORG $E000\nSTART   BRA START\n        ORG $FFFE\n        FDB START\n' >"$asmdir/Temp\$\$\$.asm"
(cd "$asmdir" && "$prefix/bin/asm.sh") || fail "asm.sh failed"
for result in 'Temp$$$.lst' 'Temp$$$.s19' 'Temp$$$.$$$'; do
    [ -f "$asmdir/$result" ] || fail "asm.sh left no $result"
done
[ ! -e "$asmdir/Temp\$\$\$.err" ] || fail "asm.sh reported errors in a correct source"

if grep -rlF -e "$scratch/staged" -e "$VANTREL_BUILD_DIR" "$prefix/lib/pkgconfig" "$prefix/lib/cmake"; then
    fail "the package files above name the install or build folder"
fi

echo "== pkg-config consumer (C)"
# PKG_CONFIG_LIBDIR too, so that no copy elsewhere on the machine can answer.
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig" PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
unset PKG_CONFIG_SYSROOT_DIR
version=$("$PKG_CONFIG" --modversion vantrel) || fail "pkg-config does not find vantrel"
[ "$version" = "$EXPECTED_VERSION" ] || fail "vantrel.pc says version $version, expected $EXPECTED_VERSION"
includedir=$("$PKG_CONFIG" --variable=includedir vantrel)
[ -f "$includedir/vantrel.h" ] || fail "vantrel.pc's includedir $includedir holds no vantrel.h"
read -r -a pc_flags <<<"$("$PKG_CONFIG" --cflags --libs vantrel)"
read -r -a extra_flags <<<"$CONSUMER_FLAGS"
echo "flags: ${pc_flags[*]} ${extra_flags[*]}"
"$CONSUMER_CC" -std=c11 -Wall -Wextra -Wpedantic -Werror ${extra_flags[@]+"${extra_flags[@]}"} \
    "$CONSUMER_SOURCE_DIR/consumer.c" -o "$scratch/consumer_c" "${pc_flags[@]}"
LD_LIBRARY_PATH="$prefix/lib" ldd "$scratch/consumer_c" | grep -F "$prefix/lib/libvantrel.so" >/dev/null ||
    fail "consumer_c does not load the installed libvantrel.so"
LD_LIBRARY_PATH="$prefix/lib" "$scratch/consumer_c" || fail "consumer_c failed"

echo "== find_package consumer (C++)"
make_program=()
[ -n "${CONSUMER_MAKE_PROGRAM:-}" ] && make_program=("-DCMAKE_MAKE_PROGRAM=$CONSUMER_MAKE_PROGRAM")
"$CONSUMER_CMAKE" -S "$CONSUMER_SOURCE_DIR/consumer_cmake" -B "$scratch/consumer_cmake" \
    -G "$CONSUMER_GENERATOR" ${make_program[@]+"${make_program[@]}"} \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER="$CONSUMER_CXX" \
    -DCMAKE_CXX_FLAGS="$CONSUMER_FLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="$CONSUMER_FLAGS" \
    -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF ||
    fail "configuring consumer_cmake failed"
found=$(sed -n 's/^Vantrel_DIR:PATH=//p' "$scratch/consumer_cmake/CMakeCache.txt")
[ "$found" = "$prefix/lib/cmake/Vantrel" ] || fail "find_package(Vantrel) found $found, not the installed package"
"$CONSUMER_CMAKE" --build "$scratch/consumer_cmake" || fail "building consumer_cmake failed"
# The imported target gives the program a run path to the installed library.
env -u LD_LIBRARY_PATH "$scratch/consumer_cmake/vantrel_consumer" || fail "vantrel_consumer failed"

echo "== install test passed"
