#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for the given seconds (default 60),
# growing the corpora in build/fuzz-corpus. Inputs that fail land in
# build/fuzz-artifacts; run a target on one to reproduce: build/fuzz/fuzz_<name> <file>.
set -uo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/fuzz.sh"

seconds=${1:-60}
ensure_packages "${GLMX_FUZZ_PACKAGES[@]}" || exit 1
log "building the fuzz targets"
build_fuzz || { log "build failed"; exit 1; }
run_fuzz_targets "$seconds"
echo "$GLMX_FUZZ_PASSED passed, $GLMX_FUZZ_FAILED failed"
[ "$GLMX_FUZZ_FAILED" -eq 0 ]
