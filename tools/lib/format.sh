# Shared by tools/test.sh: every C and C++ file of the repository keeps the
# checked-in clang-format style.
# shellcheck shell=bash

readonly GLMX_FORMAT_PACKAGES=(clang-format)

# Lists the files that clang-format would change; true when there are none.
check_format() {
    local files unformatted
    mapfile -t files < <(cd "$GLMX_ROOT" && git ls-files '*.c' '*.cpp' '*.h')
    unformatted=$(cd "$GLMX_ROOT" && clang-format --dry-run "${files[@]}" 2>&1 | grep -oE '^[^:]+:[0-9]+:[0-9]+: warning' | cut -d: -f1 | sort -u)
    if [ -n "$unformatted" ]; then
        log "not formatted (run clang-format -i on them):"
        printf '   %s\n' $unformatted >&2
        return 1
    fi
}
