#!/usr/bin/env bash
# Installs what is missing, builds Dustora, prepares a demo sandbox whose drives hold real
# clutter, and starts Dustora.exe in it.
#
# With a display, Dustora opens its main window there (after its splash), as a user starts it.
# Without one, it runs a real clean on a private Xvfb: "Dustora.exe /clean" over the clutter,
# with screenshots of the progress dialog and of the report (build/demo-progress.png and
# build/demo-report.png); the report is then read and closed from inside the sandbox, and the
# report's text is printed with the files on each drive before and after, counted from Linux.
# DEMO_SCREENSHOT=FILE instead saves a screenshot of the main window (the README's picture:
# DEMO_SCREENSHOT=docs/main-window.png).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
tools/build.sh
sandbox=build/demo-sandbox
tool=tools/wine-sandbox.sh

[ -n "${DISPLAY:-}" ] && export SANDBOX_DISPLAY=$DISPLAY
"$tool" fresh --sandbox "$sandbox" --programs build/bin
eval "$("$tool" shell --sandbox "$sandbox")"

# Clutter for a clean to find: a full temporary folder, a browser cache, stray .TMP and .BAK
# files among a project's sources, and a full Recycle Bin.
make_files() {   # folder count size-in-KB extension
    mkdir -p "$1"
    for i in $(seq 1 "$2"); do head -c "$(($3 * 1024))" /dev/urandom >"$1/file$i$4"; done
}
make_empty_files() {   # folder count extension
    mkdir -p "$1"
    (cd "$1" && seq 1 "$2" | sed "s/^/part/; s/\$/$3/" | xargs touch)
}
put_in_bin() {   # name size-in-KB
    head -c "$(($2 * 1024))" /dev/urandom >"$XDG_DATA_HOME/Trash/files/$1"
    printf '[Trash Info]\nPath=C:\\Documents\\%s\nDeletionDate=2026-01-15T09:30:00\n' "$1" \
        >"$XDG_DATA_HOME/Trash/info/$1.trashinfo"
}
profile=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
make_files "$profile/Temp" 40 64 .tmp
make_files "$profile/Temp/setup-leftovers" 10 256 .dat
for pack in $(seq 1 50); do make_empty_files "$profile/Temp/installer-cache/pack$pack" 100 .cab; done
make_files "$profile/AppData/Local/Microsoft/Windows/INetCache/Content.IE5/AB12CD34" 60 32 .htm
for module in $(seq 1 40); do make_empty_files "$SANDBOX_ROOT/drives/e/Projects/src/module$module" 100 .c; done
make_files "$SANDBOX_ROOT/drives/e/Projects" 5 128 .BAK
make_files "$SANDBOX_ROOT/drives/e/Projects/build" 8 96 .TMP
make_files "$WINEPREFIX/drive_c/Reports" 3 512 .BAK
put_in_bin old-draft.doc 300
put_in_bin holiday.bmp 900
echo "Demo sandbox ready in $SANDBOX_ROOT"

program='C:\Program Files\Dustora\Dustora.exe'

window_of() {   # title: the X window id of the program's window with this title, or nothing
    xwininfo -display "$DISPLAY" -root -tree | awk -v title="\"$1\":" 'index($0, title) { print $1; exit }'
}

wait_for_window() {   # title seconds
    local i id
    for i in $(seq 1 "$(($2 * 20))"); do
        id=$(window_of "$1")
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

screenshot() {   # title file: the window's picture, or a note that it was gone
    local id
    id=$(window_of "$1")
    if [ -n "$id" ] && import -display "$DISPLAY" -window "$id" "$2" 2>/dev/null; then
        echo "Screenshot of \"$1\": $2"
    else
        echo "The \"$1\" window was gone before its screenshot"
    fi
}

count_files() {   # the files on each drive and in the Recycle Bin, as Linux sees them
    printf '  C: %7d   E: %7d   F: %7d   Recycle Bin: %d\n' \
        "$(find "$WINEPREFIX/drive_c" -type f | wc -l)" "$(find "$SANDBOX_ROOT/drives/e" -type f | wc -l)" \
        "$(find "$SANDBOX_ROOT/drives/f" -type f | wc -l)" "$(find "$XDG_DATA_HOME/Trash/files" -mindepth 1 -maxdepth 1 | wc -l)"
}

demo_clean() {
    local before pid
    # The stray files are found only with the temporary-files option on; every drive is then ticked.
    "$tool" run --sandbox "$sandbox" -- reg add 'HKCU\Software\Halvex\Dustora\Items' /v DelCHKFiles /t REG_DWORD /d 1 /f \
        </dev/null >/dev/null 2>&1
    before=$(count_files)
    "$tool" run --sandbox "$sandbox" -- "$program" /clean </dev/null >/dev/null 2>&1 &
    pid=$!
    if wait_for_window "Dustora Status..." 60 >/dev/null; then
        sleep 0.5   # the first steps are under way, the item line shows what is swept
        screenshot "Dustora Status..." build/demo-progress.png
    fi
    wait_for_window "Dustora Statistics..." 120 >/dev/null || { echo "No report came" >&2; kill "$pid"; return 1; }
    sleep 1
    screenshot "Dustora Statistics..." build/demo-report.png
    echo
    echo "The clean report:"
    "$tool" run --sandbox "$sandbox" -- build/demo/ReportReader.exe 30 </dev/null | tr -d '\r' | sed 's/^/  /'
    echo "  (The sandbox's drives all lie on one Linux file system, which it gives one volume serial:"
    echo "   C: carries what the clean freed, E: and F: name C:, and the total counts it once.)"
    wait "$pid" || true
    echo
    echo "Files before the clean:"
    echo "$before"
    echo "Files after the clean:"
    count_files
}

if [ -n "${SANDBOX_DISPLAY:-}" ]; then
    "$tool" run --sandbox "$sandbox" -- "$program" "$@"
elif [ -n "${DEMO_SCREENSHOT:-}" ]; then
    "$tool" run --sandbox "$sandbox" -- "$program" "$@" &
    pid=$!
    sleep "${DEMO_SECONDS:-8}"
    window=$(window_of "Dustora 2.0")
    mkdir -p "$(dirname "$DEMO_SCREENSHOT")"
    import -display "$DISPLAY" -window "${window:-root}" "$DEMO_SCREENSHOT"
    echo "Screenshot of the running program: $DEMO_SCREENSHOT"
    "$tool" stop --sandbox "$sandbox"
    wait "$pid" 2>/dev/null || true
else
    demo_clean
    "$tool" stop --sandbox "$sandbox"
fi
