#!/usr/bin/env bash
# Times the temporary-files sweep and the folder-tree emptying on one tree made from the Linux
# side and copied for each contestant: a bare listing walk, bare delete walks (no checks: the
# floor), Wine's cmd (dir, del, rd), GNU find and rm -rf; the sweep with the clean run's pump
# and progress dialog; a preview of emptying the tree (it deletes nothing); then what each call of
# one safe deletion costs, and a deep chain.
#
#   bench/run-sweep-bench.sh [FILES [FOLDERS [DEPTH]]]    defaults: 200000 1000 1000
#
# BENCH_BUILD names the build folder (default build-bench); its sandbox is BUILD/bench-sandbox,
# apart from the one the tests use. 2 % of the files carry a temporary extension.
set -euo pipefail

files=${1:-200000}
folders=${2:-1000}
depth=${3:-1000}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$repo/build-bench}
sandbox=$build/bench-sandbox
tool=$repo/tools/wine-sandbox.sh

cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$repo/tools/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target SweepBench >/dev/null

"$tool" fresh --sandbox "$sandbox"
drive_e=$sandbox/run/drives/e
bench=$drive_e/bench
rm -rf "$bench"
mkdir -p "$bench"

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
figure() { tr -d '\r' <<<"$2" | sed -n "s/^$1: \([0-9.]*\).*/\1/p" | head -n1; }

# FOLDERS leaf folders in groups of 100; one file in 50 is temporary.
make_tree() {
    local root=$1 per_folder=$((files / folders)) groups=$(((folders + 99) / 100)) made=0 serial=0 g f n
    local extensions=(TMP BAK CHK '~' GID '$$$' '~~~')
    for ((g = 0; g < groups && made < folders; g++)); do
        for ((f = 0; f < 100 && made < folders; f++, made++)); do
            local dir=$root/g$g/f$f names=()
            mkdir -p "$dir"
            for ((n = 0; n < per_folder; n++)); do
                if ((serial % 50 == 49)); then
                    names+=("$dir/t$n.${extensions[$(((serial / 50) % 7))]}")
                else
                    names+=("$dir/n$n.dat")
                fi
                serial=$((serial + 1))
            done
            printf '%s\0' "${names[@]}" | xargs -0 touch
        done
    done
}

echo "making $files files in $folders folders..."
start=$(now); make_tree "$bench/tree"; echo "tree made in $(elapsed "$start" "$(now)") s (Linux side)"
for copy in pumped-sweep floor-sweep del-temp emptied floor-empty del-all rd removed; do cp -a "$bench/tree" "$bench/$copy"; done
mkdir -p "$bench/calls"
(cd "$bench/calls" && seq 1 4000 | sed 's/^/c/; s/$/.tmp/' | xargs touch)
deep=$bench/deep
chain=$deep
for ((level = 1; level <= depth; level++)); do chain=$chain/d; done
mkdir -p "$chain"
chain=$deep
for ((level = 1; level <= depth; level++)); do chain=$chain/d; touch "$chain/f"; done
# The copies' metadata is written out now, not while the first contestants run.
sync

run() { cd "$drive_e" && "$tool" run --sandbox "$sandbox" -- "$build/bench/SweepBench.exe" "$@" </dev/null; }

find "$bench/tree" -type f >/dev/null   # the caches, as the Windows side warms them too
start=$(now); found=$(find "$bench/tree" -type f | wc -l); find_seconds=$(elapsed "$start" "$(now)")
echo "GNU find: $found files in $find_seconds s"

figures=$(run run 'E:\bench'); echo "$figures"
sweep_seconds=$(figure "sweep seconds" "$figures")
echo "sweep / GNU find: $(ratio "$sweep_seconds" "$find_seconds") x"

find "$bench/removed" -type f >/dev/null
start=$(now); rm -rf "$bench/removed"; rm_seconds=$(elapsed "$start" "$(now)")
echo "rm -rf: $(awk -v n="$files" -v s="$rm_seconds" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }') files/s ($files files in $rm_seconds s)"
empty_seconds=$(figure "empty seconds" "$figures")
echo "EmptyFolderTree / rm -rf: $(ratio "$empty_seconds" "$rm_seconds") x"

run calls 'E:\bench\calls'
run deep 'E:\bench\deep'

rm -rf "$bench"
"$tool" stop --sandbox "$sandbox"
