#!/usr/bin/env bash
# Builds glmx.exe and starts it under Wine. With no display, it runs on a private
# X server, saves a screenshot of the screen with the main window to
# build/screenshot.png, closes the window as a user would and exits with the
# program's exit code.
set -uo pipefail
source "$(dirname "$0")/lib/common.sh"

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
packages=("${GLMX_BUILD_PACKAGES[@]}" "${GLMX_WINE_PACKAGES[@]}")
[ $headless -eq 1 ] && packages+=(imagemagick)
ensure_packages "${packages[@]}" || exit 1

log "building glmx.exe"
build_windows --target glmx glmx-remote >/dev/null || { log "build failed"; exit 1; }
bin="$GLMX_ROOT/build/win/bin"

# The program's own prefix: its settings persist from one run to the next.
export WINEPREFIX="${WINEPREFIX:-$GLMX_ROOT/build/wineprefix}"
trap stop_sessions EXIT
if [ $headless -eq 1 ]; then start_xvfb || exit 1; fi
start_wine_session

if [ $headless -eq 0 ]; then
    wine64 "$bin/glmx.exe"
    exit $?
fi

screenshot="$GLMX_ROOT/build/screenshot.png"
wine64 "$bin/glmx.exe" &
program=$!
wine64 "$bin/glmx-remote.exe" wait 60 || { kill $program; exit 1; }
import -window root "$screenshot" && log "screenshot saved to $screenshot"
wine64 "$bin/glmx-remote.exe" close 30
wait $program
status=$?
log "glmx.exe exited with $status"
exit $status
