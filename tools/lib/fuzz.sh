# The libFuzzer targets (tests/fuzz): built natively with clang in build/fuzz and
# run against the corpora kept in build/fuzz-corpus. Used by tools/fuzz.sh and
# tools/test.sh, after common.sh.
# shellcheck shell=bash

readonly GLMX_FUZZ_PACKAGES=(cmake ninja-build clang libclang-rt-14-dev)
GLMX_FUZZ_DIR="$GLMX_ROOT/build/fuzz"

build_fuzz() {
    cmake -S "$GLMX_ROOT" -B "$GLMX_FUZZ_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGLMX_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null &&
        cmake --build "$GLMX_FUZZ_DIR" -j "$(nproc)" >/dev/null
}

# Runs every target for the given seconds; sets GLMX_FUZZ_PASSED and GLMX_FUZZ_FAILED.
# A crash, a sanitizer report, a hang (10 s on one input) or a leak fails the target;
# libFuzzer leaves the input that did it in build/fuzz-artifacts.
run_fuzz_targets() {
    local seconds=$1 target name corpus artifacts output
    GLMX_FUZZ_PASSED=0
    GLMX_FUZZ_FAILED=0
    artifacts="$GLMX_ROOT/build/fuzz-artifacts"
    mkdir -p "$artifacts"
    for target in "$GLMX_FUZZ_DIR"/fuzz_*; do
        [ -x "$target" ] || continue
        name=${target##*/fuzz_}
        corpus="$GLMX_ROOT/build/fuzz-corpus/$name"
        mkdir -p "$corpus"
        if output=$("$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$artifacts/$name-" "$corpus" 2>&1); then
            GLMX_FUZZ_PASSED=$((GLMX_FUZZ_PASSED + 1))
            log "fuzz $name: $(grep -Eo 'DONE[[:space:]]+cov: [0-9]+ ft: [0-9]+' <<<"$output" | tail -n1)"
        else
            GLMX_FUZZ_FAILED=$((GLMX_FUZZ_FAILED + 1))
            log "fuzz $name FAILED"
            grep -E 'ERROR|SUMMARY|runtime error|Test unit written|^ +#[0-9]+ ' <<<"$output" | head -n 40 >&2
        fi
    done
    [ $((GLMX_FUZZ_PASSED + GLMX_FUZZ_FAILED)) -gt 0 ] || { log "no fuzz targets built"; GLMX_FUZZ_FAILED=1; }
}
