#!/usr/bin/env bash
# Runs Windows programs in a Wine prefix that cannot reach outside a sandbox folder.
#
#   wine-sandbox.sh run   --sandbox DIR [--programs BINDIR] [--] PROGRAM [ARGS...]
#   wine-sandbox.sh fresh --sandbox DIR      a new working prefix from the template
#   wine-sandbox.sh stop  --sandbox DIR      ends the prefix's wineserver and Xvfb
#   wine-sandbox.sh check --sandbox DIR      fails when a drive or folder link leaves the sandbox
#   wine-sandbox.sh shell --sandbox DIR      prints the environment of the sandbox (for eval)
#
# Windows run on a private Xvfb unless SANDBOX_DISPLAY names a display to use instead.
#
# DIR/template holds a prefix made once by wineboot; DIR/run holds the working copy, its HOME and
# XDG folders (Wine's Recycle Bin is $XDG_DATA_HOME/Trash), and the extra drives:
#   C: the prefix's drive_c (fixed)   D: run/drives/d (CD-ROM)
#   E: run/drives/e (fixed)           F: run/drives/f (removable)
# C:, E: and F: get one volume serial number when their folders lie on one Linux file system.
# Drive Z: (the whole Linux root) is removed and the user folders are real folders.
# BINDIR's programs and help are copied to "C:\Program Files\Dustora\" before each run, and a program
# given by its Unix path to C:\tests\: Wine starts programs only by a Windows path.
set -euo pipefail

# A test program always prints something. Now and then, on a loaded machine, Wine fails to start
# a program at all: exit status 1 within a second, nothing printed. Such a start is made once more;
# any run that printed, or took longer, keeps its result.
run_test_program() {
    local output status started elapsed attempt
    output=$(mktemp)
    for attempt in 1 2; do
        started=$(date +%s%N)
        set +e
        "$WINE" "$@" | tee "$output"
        status=${PIPESTATUS[0]}
        set -e
        elapsed=$(( ($(date +%s%N) - started) / 1000000 ))
        if [ "$status" -eq 0 ] || [ -s "$output" ] || [ "$elapsed" -ge 1000 ] || [ "$attempt" -eq 2 ]; then
            break
        fi
        echo "wine-sandbox: $(basename "$1") did not start (exit $status after $elapsed ms, nothing printed); starting it again" >&2
    done
    rm -f "$output"
    return "$status"
}

command=${1:-}
shift || true
sandbox=
programs=
while [ $# -gt 0 ]; do
    case $1 in
        --sandbox) sandbox=$2; shift 2 ;;
        --programs) programs=$2; shift 2 ;;
        --) shift; break ;;
        *) break ;;
    esac
done
[ -n "$sandbox" ] || { echo "wine-sandbox: --sandbox DIR is required" >&2; exit 2; }
mkdir -p "$sandbox"
sandbox=$(realpath "$sandbox")
template=$sandbox/template
run=$sandbox/run

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)

die() { echo "wine-sandbox: $*" >&2; exit 1; }

sandbox_env() {
    local root=$1
    export HOME=$root/home
    export XDG_DATA_HOME=$root/home/.local/share
    export XDG_CONFIG_HOME=$root/home/.config
    export XDG_CACHE_HOME=$root/home/.cache
    export XDG_STATE_HOME=$root/home/.local/state
    export XDG_RUNTIME_DIR=$root/home/.runtime
    export XDG_DESKTOP_DIR=$root/home/Desktop
    export XDG_DATA_DIRS=$root/home/.local/share
    export XDG_CONFIG_DIRS=$root/home/.config
    export WINEPREFIX=$root/prefix
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
    export SANDBOX_ROOT=$root
    mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info" "$XDG_CONFIG_HOME" \
             "$XDG_CACHE_HOME" "$XDG_STATE_HOME" "$XDG_DESKTOP_DIR"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

# Every drive and every link below drive_c must resolve inside the sandbox root.
check_safety() {
    local root=$1 prefix=$1/prefix bad=0 entry target
    for entry in "$prefix"/dosdevices/?: "$prefix"/dosdevices/?::; do
        [ -e "$entry" ] || [ -L "$entry" ] || continue
        target=$(realpath -m "$entry")
        case $target in
            "$root"/*) ;;
            *) echo "wine-sandbox: drive $(basename "$entry") leads outside the sandbox: $target" >&2; bad=1 ;;
        esac
    done
    while IFS= read -r -d '' entry; do
        target=$(realpath -m "$entry")
        case $target in
            "$root"/*) ;;
            *) echo "wine-sandbox: $entry leads outside the sandbox: $target" >&2; bad=1 ;;
        esac
    done < <(find "$prefix/drive_c" -type l -print0)
    return $bad
}

wait_for_prefix_server() { "$WINESERVER" -w || true; }

make_template() {
    rm -rf "$template"
    mkdir -p "$template"
    sandbox_env "$template"
    (
        unset DISPLAY
        "$WINE" wineboot -i </dev/null >"$template/wineboot.log" 2>&1 || true
        wait_for_prefix_server
    )
    [ -f "$WINEPREFIX/system.reg" ] || die "wineboot did not make a prefix (see $template/wineboot.log)"
    # No drive but C:, and user folders that are folders, not links into $HOME.
    find "$WINEPREFIX/dosdevices" -mindepth 1 -maxdepth 1 ! -name 'c:' -exec rm -f {} +
    while IFS= read -r -d '' link; do
        rm -f "$link"
        mkdir -p "$link"
    done < <(find "$WINEPREFIX/drive_c/users" -type l -print0)
    # Debian's Wine looks for its own fonts (Marlett, which draws the caption buttons, and MS
    # Sans Serif) beside its data folder, where fonts-wine does not put them; every font in
    # C:\windows\Fonts is loaded.
    if [ -d /usr/share/wine/fonts ]; then
        cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    cat >"$WINEPREFIX/drive_c/sandbox.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"d:"="cdrom"
"e:"="hd"
"f:"="floppy"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
    (
        unset DISPLAY
        "$WINE" regedit /S 'C:\sandbox.reg' </dev/null >/dev/null 2>&1 || true
        wait_for_prefix_server
    )
    rm -f "$WINEPREFIX/drive_c/sandbox.reg"
    grep -q '"e:"="hd"' "$WINEPREFIX/system.reg" || die "could not set the drive types"
    check_safety "$template" || die "the template prefix reaches outside the sandbox"
    touch "$template/ready"
}

# Wine gives each drive letter a serial number of its own, while Windows gives one to each volume:
# drives whose folders lie on one Linux file system get one serial, as letters of one volume and
# subst drives have on Windows. The mount manager reads a root's .windows-serial (hex) when it
# defines the drive, so the files are written before the prefix's first process.
write_volume_serials() {
    local root device
    for root in "$@"; do
        device=$(stat -c %d "$root")
        printf '%08x\n' "$(printf 'volume %s' "$device" | cksum | cut -d' ' -f1)" >"$root/.windows-serial"
    done
}

make_run() {
    rm -rf "$run"
    mkdir -p "$run/prefix" "$run/drives/d" "$run/drives/e" "$run/drives/f"
    # System files are shared with the template through hard links; Wine rewrites registry
    # files by replacing them, and tests only ever delete below C:\windows.
    (cd "$template/prefix" && find . -mindepth 1 -maxdepth 1 ! -name drive_c -exec cp -a {} "$run/prefix/" \;)
    mkdir -p "$run/prefix/drive_c"
    (cd "$template/prefix/drive_c" && find . -mindepth 1 -maxdepth 1 ! -name windows -exec cp -a {} "$run/prefix/drive_c/" \;)
    cp -al "$template/prefix/drive_c/windows" "$run/prefix/drive_c/windows"
    local letter
    for letter in d e f; do
        ln -sfn "$run/drives/$letter" "$run/prefix/dosdevices/$letter:"
    done
    echo "Sandbox CD" >"$run/drives/d/.windows-label"
    echo "SANDBOX" >"$run/drives/e/.windows-label"
    write_volume_serials "$run/prefix/drive_c" "$run/drives/e" "$run/drives/f"
    sandbox_env "$run"
    check_safety "$run" || die "the working prefix reaches outside the sandbox"
    touch "$run/ready"
}

xvfb_alive() { [ -f "$run/xvfb.pid" ] && kill -0 "$(cat "$run/xvfb.pid")" 2>/dev/null; }

start_xvfb() {
    rm -f "$run/xvfb.display"
    setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$run/xvfb.display" </dev/null >/dev/null 2>&1 &
    echo $! >"$run/xvfb.pid"
    local i
    for i in $(seq 1 100); do
        [ -s "$run/xvfb.display" ] && return 0
        sleep 0.05
    done
    die "Xvfb did not start"
}

# One persistent wineserver per run, started with its streams on /dev/null: Windows processes
# that inherit a test runner's pipe would make the runner wait for them.
start_wineserver() {
    setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
    "$WINE" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
}

ensure_run() {
    exec 9>"$sandbox/.lock"
    flock 9
    if [ -f "$run/ready" ] && [ ! -f "$run/drives/e/.windows-serial" ]; then
        stop_run   # made before its drives shared a serial: made again
        rm -f "$run/ready"
    fi
    if [ ! -f "$run/ready" ]; then
        [ -f "$template/ready" ] || make_template
        make_run
    fi
    sandbox_env "$run"
    if [ -n "${SANDBOX_DISPLAY:-}" ]; then
        export DISPLAY=$SANDBOX_DISPLAY     # a person's own screen, for the demo
    else
        xvfb_alive || start_xvfb
        export DISPLAY=":$(head -n1 "$run/xvfb.display")"
    fi
    "$WINESERVER" -k0 2>/dev/null || start_wineserver   # signal 0: is the server alive?
    check_safety "$run" || die "refusing to run: the prefix reaches outside the sandbox"
    flock -u 9
}

stop_run() {
    [ -d "$run/prefix" ] || return 0
    sandbox_env "$run"
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    if xvfb_alive; then kill "$(cat "$run/xvfb.pid")" 2>/dev/null || true; fi
    rm -f "$run/xvfb.pid" "$run/xvfb.display"
}

# Copies a file into folder unless an equal copy is there; the new copy arrives by rename, so a
# program that is running from the old copy keeps its own file.
install_copy() {
    local source=$1 folder=$2 target
    target=$folder/$(basename "$source")
    [ -f "$target" ] && cmp -s "$source" "$target" && return 0
    mkdir -p "$folder"
    cp "$source" "$target.$$.new"
    mv -f "$target.$$.new" "$target"
}

copy_programs() {
    [ -n "$programs" ] && [ -d "$programs" ] || return 0
    local program
    while IFS= read -r -d '' program; do
        install_copy "$program" "$run/prefix/drive_c/Program Files/Dustora"
    done < <(find "$programs" -maxdepth 1 -type f \( -name '*.exe' -o -name '*.EXE' -o -name '*.chm' \) -print0)
}

# Wine starts a program only by a path that a drive reaches: the 64-bit loader hands a 32-bit
# program to the 32-bit side by its Windows path, and drive Z: is gone. A program given by its
# Unix path is copied to C:\tests\ and started from there.
windows_path_of() {
    local program=$1
    case $program in
        [A-Za-z]:\\*|[A-Za-z]:/*) echo "$program"; return 0 ;;
    esac
    if [ -f "$program" ]; then
        install_copy "$program" "$run/prefix/drive_c/tests"
        echo "C:\\tests\\$(basename "$program")"
    else
        echo "$program"   # a program of the prefix itself, such as cmd or regedit
    fi
}

case $command in
    run)
        [ $# -ge 1 ] || die "run: no program given"
        ensure_run
        copy_programs
        program=$(windows_path_of "$1")
        shift
        # A working folder that no drive reaches makes Wine complain and start in C:\windows.
        case $PWD/ in
            "$run"/*) ;;
            *) cd "$WINEPREFIX/drive_c" ;;
        esac
        case $program in
            *Tests.exe) run_test_program "$program" "$@" ;;
            *) exec "$WINE" "$program" "$@" ;;
        esac
        ;;
    fresh)
        stop_run
        rm -rf "$run"
        ensure_run
        copy_programs
        ;;
    stop) stop_run ;;
    check)
        [ -d "$run/prefix" ] || die "no working prefix yet"
        check_safety "$run"
        echo "sandbox ok: every drive and link stays inside $run"
        ;;
    shell)
        ensure_run
        for name in HOME XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_RUNTIME_DIR XDG_DESKTOP_DIR \
                    XDG_DATA_DIRS XDG_CONFIG_DIRS WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES SANDBOX_ROOT DISPLAY; do
            printf 'export %s=%q\n' "$name" "${!name}"
        done
        printf 'export WINE=%q WINESERVER=%q\n' "$WINE" "$WINESERVER"
        ;;
    *) die "unknown command '$command'" ;;
esac
