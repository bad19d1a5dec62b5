#!/usr/bin/env bash
# The setup program installs silently into Program Files with its shortcuts and uninstall entry;
# the installed program starts; the uninstaller removes the programs, the shortcuts, the start-up
# values and the scheduled task, and keeps the user's settings.
#   install-round-trip.sh SETUP SANDBOX
set -euo pipefail

setup=$1 sandbox=$2
tool=$(cd "$(dirname "$0")/../.." && pwd)/tools/wine-sandbox.sh
eval "$("$tool" shell --sandbox "$sandbox")"
cd "$WINEPREFIX/drive_c"
failures=0
fail() { echo "install-round-trip: $*" >&2; failures=$((failures + 1)); }

# The 32-bit view of the registry, as the 32-bit setup program and Dustora see it.
reg32() { "$WINE" 'C:\windows\syswow64\reg.exe' "$@" 2>/dev/null | tr -d '\r'; }
value_of() { reg32 query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
key_exists() { "$WINE" 'C:\windows\syswow64\reg.exe' query "$1" >/dev/null 2>&1; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dustora'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
profile='HKCU\Software\Halvex\Dustora'
task="$WINEPREFIX/drive_c/windows/Tasks/Dustora - Automatic System Clean.job"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dustora"
shortcuts=("Dustora.lnk" "Advanced Scheduler.lnk" "Dustora Help.lnk" "Uninstall Dustora.lnk")

if ! "$WINE" 'C:\windows\syswow64\reg.exe' /? >/dev/null 2>&1; then
    echo "install-round-trip: Wine cannot run 32-bit programs here; skipped"
    exit 77
fi

"$tool" run --sandbox "$sandbox" -- "$setup" /S
location=$(value_of "$uninstall_key" InstallLocation)
[ -n "$location" ] || { echo "install-round-trip: no uninstall entry after the silent install" >&2; exit 1; }
folder=$("$WINE" winepath -u "$location" 2>/dev/null)
case $location in *"\\Program Files"*"\\Dustora") ;; *) fail "installed in $location" ;; esac
for file in Dustora.exe Ordavel.EXE Dustora.chm Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "$file is not installed"
done
for shortcut in "${shortcuts[@]}"; do
    [ -f "$menu/$shortcut" ] || fail "no Start-menu shortcut $shortcut"
done
[ "$(value_of "$uninstall_key" DisplayName)" = "Dustora 2.0" ] || fail "DisplayName is not Dustora 2.0"
[ "$(value_of "$uninstall_key" DisplayVersion)" = "2.0" ] || fail "DisplayVersion is not 2.0"
[ "$(value_of "$uninstall_key" Publisher)" = "Halvex Software" ] || fail "Publisher is not Halvex Software"
[ "$(value_of "$uninstall_key" DisplayIcon)" = "$location\\Dustora.exe,0" ] || fail "DisplayIcon is not the program's"
[ -n "$(value_of "$uninstall_key" EstimatedSize)" ] || fail "no EstimatedSize"

# The installed program starts and makes its profile; what the user chose there must outlive it.
"$WINE" "$location\\Dustora.exe" /start </dev/null >/dev/null 2>&1 &
started=
for _ in $(seq 1 100); do
    if xwininfo -display "$DISPLAY" -root -tree | grep -q '"Dustora 2.0"'; then started=yes; break; fi
    sleep 0.2
done
[ -n "$started" ] || fail "the installed Dustora.exe shows no window"
"$WINE" taskkill /IM Dustora.exe /F >/dev/null 2>&1 || true
wait || true
reg32 add "$profile\\Items" /v DelWinTemp /t REG_DWORD /d 0 /f >/dev/null

# What Dustora and its scheduler would have left: both start-up values and the scheduled task.
reg32 add "$run_key" /v "Dustora - Load" /d "\"$location\\Dustora.exe\" /load" /f >/dev/null
reg32 add "$run_key" /v "Dustora - Clean" /d "\"$location\\Dustora.exe\" /clean" /f >/dev/null
mkdir -p "$(dirname "$task")"
touch "$task"

# The uninstaller starts a copy of itself from the temporary folder and returns at once; that copy
# removes the files, then the shortcuts, then the uninstall entry last.
uninstalled() { [ ! -e "$folder" ] && [ ! -e "$menu" ] && ! key_exists "$uninstall_key"; }
"$WINE" "$location\\Uninstall.exe" /S </dev/null >/dev/null 2>&1
for _ in $(seq 1 60); do
    uninstalled && break
    sleep 0.3
done
[ ! -e "$folder" ] || fail "the program folder is still there: $(ls "$folder" | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "the Start-menu folder is still there"
! key_exists "$uninstall_key" || fail "the uninstall entry is still there"
[ -z "$(value_of "$run_key" "Dustora - Load")" ] || fail "the start-up value Dustora - Load is still there"
[ -z "$(value_of "$run_key" "Dustora - Clean")" ] || fail "the start-up value Dustora - Clean is still there"
[ ! -e "$task" ] || fail "the scheduled task is still there"
[ "$(value_of "$profile\\Items" DelWinTemp)" = "0x0" ] || fail "the user's settings are gone"

[ "$failures" -eq 0 ] || exit 1
echo "install-round-trip: installed, started and uninstalled; the settings stay"
