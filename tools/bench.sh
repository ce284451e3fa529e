#!/usr/bin/env bash
# Builds the Windows benchmarks and runs them under Wine; each prints its ratio
# against a plain API baseline measured in the same run.
set -uo pipefail
source "$(dirname "$0")/lib/common.sh"

ensure_packages "${GLMX_BUILD_PACKAGES[@]}" "${GLMX_WINE_PACKAGES[@]}" || exit 1
build_windows --target glmx_bench_processes glmx_bench_startup glmx_bench_folder_list glmx_bench_file_search glmx_bench_registry glmx_bench_installed_programs >/dev/null || { log "build failed"; exit 1; }

session=$(mktemp -d /tmp/glmx-bench.XXXXXX)
export WINEPREFIX="$session/prefix" HOME="$session/home"
mkdir -p "$HOME"
trap 'stop_sessions; rm -rf "$session"' EXIT
start_xvfb && start_wine_session || exit 1
wine64 "$GLMX_ROOT/build/win/bin/glmx_bench_processes.exe" "$@"
wine64 "$GLMX_ROOT/build/win/bin/glmx_bench_folder_list.exe" "$@"
wine64 "$GLMX_ROOT/build/win/bin/glmx_bench_file_search.exe" "$@"
wine64 "$GLMX_ROOT/build/win/bin/glmx_bench_registry.exe" "$@"
wine64 "$GLMX_ROOT/build/win/bin/glmx_bench_installed_programs.exe" "$@"
wine64 "$GLMX_ROOT/build/win/bin/glmx_bench_startup.exe" "$@"
