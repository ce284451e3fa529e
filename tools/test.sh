#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (sanitizers on),
# each fuzz target for a few seconds, then the Windows tests under Wine in a
# throw-away prefix and home on a private X server, once with Wine reporting
# Windows XP x64 and once Windows 10. Ends with the line "N passed, N failed".
set -uo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/fuzz.sh"
source "$(dirname "$0")/lib/format.sh"
source "$(dirname "$0")/lib/release.sh"

ensure_packages "${GLMX_BUILD_PACKAGES[@]}" "${GLMX_WINE_PACKAGES[@]}" "${GLMX_FUZZ_PACKAGES[@]}" \
    "${GLMX_FORMAT_PACKAGES[@]}" "${GLMX_RELEASE_PACKAGES[@]}" ||
    exit 1

passed=0
failed=0

# Runs one CTest tree and adds its counts.
run_ctest() {
    local dir=$1 output summary total failures
    shift
    output=$(cd "$dir" && ctest --timeout 180 -j "$(nproc)" --output-on-failure "$@" 2>&1)
    printf '%s\n' "$output" | grep -vE '^ *(Start|[0-9]+/[0-9]+ Test) ' | sed '/^$/d' >&2
    summary=$(printf '%s\n' "$output" | grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' | tail -n1)
    if [ -z "$summary" ]; then
        log "no test results from $dir"
        failed=$((failed + 1))
        return
    fi
    failures=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$summary")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - failures))
    failed=$((failed + failures))
}

log "source format"
if check_format; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

log "native build"
if cmake -S "$GLMX_ROOT" -B "$GLMX_ROOT/build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$GLMX_ROOT/build/native" -j "$(nproc)" >/dev/null; then
    log "native tests"
    run_ctest "$GLMX_ROOT/build/native"
else
    log "native build failed"
    failed=$((failed + 1))
fi

log "fuzz targets, 5 s each"
if build_fuzz; then
    run_fuzz_targets 5
    passed=$((passed + GLMX_FUZZ_PASSED))
    failed=$((failed + GLMX_FUZZ_FAILED))
else
    log "fuzz build failed"
    failed=$((failed + 1))
fi

log "Windows build"
if build_windows >/dev/null; then
    # The release packages, which the release.* tests below install and run.
    log "release packages into build/dist"
    if build_dist "$GLMX_ROOT/build/win" >/dev/null; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
    session=$(mktemp -d /tmp/glmx-test.XXXXXX)
    export WINEPREFIX="$session/prefix" HOME="$session/home"
    mkdir -p "$HOME"
    trap 'stop_sessions; rm -rf "$session"' EXIT
    if start_xvfb && start_wine_session; then
        # Oldest and newest system the program supports; the build checks (build.*) and the
        # monkey, which does not depend on the version, run once.
        log "Windows tests under Wine reporting Windows XP x64"
        set_wine_version winxp64 && run_ctest "$GLMX_ROOT/build/win" || failed=$((failed + 1))
        log "Windows tests under Wine reporting Windows 10"
        set_wine_version win10 && run_ctest "$GLMX_ROOT/build/win" -E '^build\.|Monkey' || failed=$((failed + 1))
    else
        log "could not start Xvfb and Wine"
        failed=$((failed + 1))
    fi
    stop_sessions
else
    log "Windows build failed"
    failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
