# Shared by tools/dist.sh and tools/test.sh: the help file, the portable zip and the
# installer, built from one Windows build tree into build/dist/.
# shellcheck shell=bash

readonly GLMX_RELEASE_PACKAGES=(fp-utils nsis zip)
readonly GLMX_DIST="$GLMX_ROOT/build/dist"

# The product version "1.2.3" and the file version "1.2.3.N" from CMakeLists.txt.
release_version() {
    sed -nE 's/^project\(Glimmerbox VERSION ([0-9.]+).*/\1/p' "$GLMX_ROOT/CMakeLists.txt"
}
release_file_version() {
    echo "$(release_version).$(sed -nE 's/^set\(GLMX_BUILD_NUMBER ([0-9]+)\).*/\1/p' "$GLMX_ROOT/CMakeLists.txt")"
}

# Compiles help/ into the given glmx.chm.
build_help() {
    local out=$1 work
    work=$(mktemp -d)
    cp -r "$GLMX_ROOT/help/." "$work/" &&
        (cd "$work" && chmcmd glmx.hhp >/dev/null 2>&1) &&
        [ -s "$work/glmx.chm" ] && mv "$work/glmx.chm" "$out"
    local status=$?
    rm -rf "$work"
    [ $status -eq 0 ] || log "chmcmd could not build the help file"
    return $status
}

# Copies a binary stripped, with its debug information in <name>.debug beside it in the
# symbols folder and a link to that file in the binary, for crash analysis.
strip_binary() {
    local binary=$1 stage=$2 symbols=$3 name
    name=$(basename "$binary")
    x86_64-w64-mingw32-objcopy --only-keep-debug "$binary" "$symbols/$name.debug" &&
        x86_64-w64-mingw32-strip --strip-all -o "$stage/$name" "$binary" &&
        (cd "$symbols" && x86_64-w64-mingw32-objcopy --add-gnu-debuglink="$name.debug" "$stage/$name")
}

# Builds build/dist/ from the shipped programs in <build tree>/bin: glmx.chm,
# Glimmerbox-<version>.zip (portable), Glimmerbox-<version>-setup.exe and
# Glimmerbox-<version>-symbols.zip.
build_dist() {
    local bin="$1/bin" version name stage symbols
    version=$(release_version)
    name="Glimmerbox-$version"
    [ -f "$bin/glmx.exe" ] || { log "$bin/glmx.exe is missing: build the Windows tree first"; return 1; }
    rm -rf "$GLMX_DIST" && mkdir -p "$GLMX_DIST" || return 1
    stage="$GLMX_DIST/.stage/$name"
    symbols="$GLMX_DIST/.stage/symbols"
    mkdir -p "$stage" "$symbols"

    build_help "$GLMX_DIST/glmx.chm" && cp "$GLMX_DIST/glmx.chm" "$stage/" || return 1
    strip_binary "$bin/glmx.exe" "$stage" "$symbols" || { log "stripping glmx.exe failed"; return 1; }
    [ -f "$bin/glmxshell.dll" ] ||
        { log "$bin/glmxshell.dll is missing: the release needs the Explorer extension"; return 1; }
    strip_binary "$bin/glmxshell.dll" "$stage" "$symbols" || { log "stripping glmxshell.dll failed"; return 1; }
    [ -f "$GLMX_ROOT/data/search.cfg" ] ||
        { log "data/search.cfg is missing: the release needs the search sites"; return 1; }
    cp "$GLMX_ROOT/data/search.cfg" "$stage/" || return 1
    cp "$GLMX_ROOT/src/ui/artwork/LICENSE.md" "$stage/LICENSE-artwork.md" &&
        cp "$GLMX_ROOT/installer/readme.txt" "$stage/" || return 1

    (cd "$GLMX_DIST/.stage" && zip -q -X -r "$GLMX_DIST/$name.zip" "$name") &&
        (cd "$symbols" && zip -q -X "$GLMX_DIST/$name-symbols.zip" ./*.debug) ||
        { log "zip failed"; return 1; }

    # The installer's own icon is the program's; it is not installed.
    cp "$GLMX_ROOT/src/ui/artwork/glmx.ico" "$stage/" &&
        makensis -V2 -DVERSION="$version" -DFILEVERSION="$(release_file_version)" \
            -DSTAGE="$stage" -DOUTFILE="$GLMX_DIST/$name-setup.exe" \
            "$GLMX_ROOT/installer/glmx.nsi" >&2 ||
        { log "makensis failed"; return 1; }
    rm -rf "$GLMX_DIST/.stage"
}
