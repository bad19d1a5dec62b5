#!/usr/bin/env bash
# Installs what is missing, builds Dustora, prepares a demo sandbox whose drives hold real
# clutter, and starts Dustora.exe in it. On a machine without a display the program runs on a
# private Xvfb and a screenshot of its window is saved as build/demo-screenshot.png, or where
# DEMO_SCREENSHOT says (the README's picture: DEMO_SCREENSHOT=docs/main-window.png).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
tools/build.sh
sandbox=build/demo-sandbox
tool=tools/wine-sandbox.sh

[ -n "${DISPLAY:-}" ] && export SANDBOX_DISPLAY=$DISPLAY
"$tool" fresh --sandbox "$sandbox" --programs build/bin
eval "$("$tool" shell --sandbox "$sandbox")"

# Clutter for a clean to find: a full temporary folder, a browser cache, stray .TMP and .BAK files.
make_files() {   # folder count size-in-KB extension
    mkdir -p "$1"
    for i in $(seq 1 "$2"); do head -c "$(($3 * 1024))" /dev/urandom >"$1/file$i$4"; done
}
profile=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
make_files "$profile/Temp" 40 64 .tmp
make_files "$profile/Temp/setup-leftovers" 10 256 .dat
make_files "$profile/AppData/Local/Microsoft/Windows/INetCache/Content.IE5/AB12CD34" 60 32 .htm
make_files "$SANDBOX_ROOT/drives/e/Projects" 5 128 .BAK
make_files "$SANDBOX_ROOT/drives/e/Projects/build" 8 96 .TMP
make_files "$WINEPREFIX/drive_c/Reports" 3 512 .BAK
echo "Demo sandbox ready in $SANDBOX_ROOT"

program='C:\Program Files\Dustora\Dustora.exe'
if [ -n "${SANDBOX_DISPLAY:-}" ]; then
    "$tool" run --sandbox "$sandbox" -- "$program" "$@"
else
    "$tool" run --sandbox "$sandbox" -- "$program" "$@" &
    pid=$!
    sleep "${DEMO_SECONDS:-8}"
    window=$(xwininfo -display "$DISPLAY" -root -tree | awk '/"Dustora 2.0"/ {print $1; exit}')
    screenshot=${DEMO_SCREENSHOT:-build/demo-screenshot.png}
    mkdir -p "$(dirname "$screenshot")"
    import -display "$DISPLAY" -window "${window:-root}" "$screenshot"
    echo "Screenshot of the running program: $screenshot"
    "$tool" stop --sandbox "$sandbox"
    wait "$pid" 2>/dev/null || true
fi
