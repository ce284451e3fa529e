# Shared by tools/run.sh and tools/test.sh: packages, Xvfb and one Wine session.
# shellcheck shell=bash

GLMX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export PATH="/usr/lib/wine:$PATH"

log() { printf '== %s\n' "$*" >&2; }

# Installs the Debian packages that are missing; apt's lists are refreshed only when needed.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null 2>&1 ||
        { apt-get update >/dev/null && apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null; }
}

readonly GLMX_BUILD_PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev
                              g++-mingw-w64-x86-64 mingw-w64-tools)
readonly GLMX_WINE_PACKAGES=(wine64 libwine fonts-wine xvfb xauth)

# Builds the Windows program and its test programs.
build_windows() {
    cmake -S "$GLMX_ROOT" -B "$GLMX_ROOT/build/win" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$GLMX_ROOT/cmake/toolchain-mingw64.cmake" >/dev/null &&
        cmake --build "$GLMX_ROOT/build/win" -j "$(nproc)" "$@"
}

GLMX_XVFB_PID=""

# Starts a private X server and exports its DISPLAY.
start_xvfb() {
    local display_file
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    GLMX_XVFB_PID=$!
    local tries=0
    while [ ! -s "$display_file" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
    [ -s "$display_file" ] || { log "Xvfb did not start"; return 1; }
    export DISPLAY=":$(head -n1 "$display_file")"
    rm -f "$display_file"
}

# Starts one wineserver for $WINEPREFIX and keeps it for every later wine call.
# Everything runs with the display already exported: the first wine process of a
# server session decides whether windows can be created at all.
start_wine_session() {
    mkdir -p "$WINEPREFIX"
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # Started outside any pipe, or every wine call would wait for it to let go of stderr.
    wineserver -p >/dev/null 2>&1 </dev/null
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating Wine prefix $WINEPREFIX"
        # The first program of the session creates the prefix; an explicit "wineboot -i"
        # on top starts a second service manager, which later leaves COM's start of
        # RPCSS (a browser's navigation, for one) waiting for ever.
        wine64 cmd /c exit 0 >/dev/null 2>&1 </dev/null
        # Without a window manager, unmanaged windows close at once and Wine draws their frames.
        wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
        # Wine's own fonts (Marlett draws the caption buttons, Tahoma the dialogs).
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    fi
    wine64 cmd /c exit 0 >/dev/null 2>&1 </dev/null
}

# Sets the Windows version Wine reports in $WINEPREFIX (winxp64, win7, win10, ...).
set_wine_version() {
    wine64 winecfg /v "$1" >/dev/null 2>&1 </dev/null
    # Without a version, winecfg /v prints the one in force.
    [ "$(wine64 winecfg /v 2>/dev/null </dev/null | tr -d '\r')" = "$1" ] ||
        { log "Wine did not take Windows version $1"; return 1; }
}

stop_sessions() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true; fi
    if [ -n "$GLMX_XVFB_PID" ]; then kill "$GLMX_XVFB_PID" 2>/dev/null; wait "$GLMX_XVFB_PID" 2>/dev/null; fi
    GLMX_XVFB_PID=""
}
