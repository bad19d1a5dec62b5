#!/usr/bin/env bash
# Renews the pictures of the help (help/images/) from the windows the tests save, and those of the
# README (docs/) from the demo: its main window and the report of its real clean. Run it after a
# change to a window's look, look at the pictures, and commit them.
#
#   take-screenshots.sh [BUILD]      default build
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
DUSTORA_SCREENSHOTS='C:\screenshots' ctest --test-dir "$build" -j2 --timeout 300 >/dev/null || {
    echo "take-screenshots: the tests failed; no picture was taken over" >&2
    exit 1
}
saved=$build/sandbox/run/prefix/drive_c/screenshots
for picture in help/images/*.png; do
    name=$(basename "$picture" .png)
    if [ -f "$saved/$name.bmp" ]; then
        convert "$saved/$name.bmp" "$picture"
    else
        echo "take-screenshots: no test saved $name" >&2
    fi
done
DEMO_SCREENSHOT=docs/main-window.png bash tools/run-demo.sh >/dev/null
bash tools/run-demo.sh >/dev/null
cp build/demo-report.png docs/report.png
echo "Pictures renewed; look at them before you commit."
