#!/usr/bin/env bash
# Builds the release into build/dist/: the help file glmx.chm, the portable
# Glimmerbox-<version>.zip, the installer Glimmerbox-<version>-setup.exe and the debug
# symbols of the shipped binaries in Glimmerbox-<version>-symbols.zip.
# GLMX_BUILD_DIR names another Windows build tree than build/win.
set -uo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/release.sh"

ensure_packages "${GLMX_BUILD_PACKAGES[@]}" "${GLMX_RELEASE_PACKAGES[@]}" || exit 1

tree="${GLMX_BUILD_DIR:-$GLMX_ROOT/build/win}"
log "building glmx.exe in $tree"
cmake -S "$GLMX_ROOT" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$GLMX_ROOT/cmake/toolchain-mingw64.cmake" >/dev/null &&
    cmake --build "$tree" -j "$(nproc)" --target glmx >/dev/null ||
    { log "build failed"; exit 1; }
log "packaging into $GLMX_DIST"
build_dist "$tree" || exit 1
ls -l "$GLMX_DIST" >&2
