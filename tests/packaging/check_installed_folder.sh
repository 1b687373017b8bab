#!/usr/bin/env bash
# Installs the program folder from a build, moves it somewhere else and starts the installed
# editor as its own process on a virtual screen with the shipped data files. Checks that the
# main window appears with its title within a few seconds, that a close request from the
# window system ends the process cleanly, and what the close leaves in the folder: Mark.csv
# per the close rules, the template files copied from the shipped defaults, nothing else.
#   check_installed_folder.sh <source folder> <build folder> <work folder>
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
work_dir=$3
source "$source_dir/scripts/setup.sh"
install_packages xvfb xauth x11-utils "${DROVANTEL_PACKAGING_PACKAGES[@]}"

tools="python3 $source_dir/tests/packaging/desktop_tools.py"
title='Tessaril新武将まとめ補助エディタ『Kelvasto』  Version 1.2 rev 5'
start_limit=${DROVANTEL_START_LIMIT:-10}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$work_dir"
mkdir -p "$work_dir"
stage=$work_dir/stage
cmake --install "$build_dir" --prefix "$stage" >"$work_dir/install.log"

# The archive holds the same folder, under one top folder named like the archive.
cpack --config "$build_dir/CPackConfig.cmake" -B "$work_dir/package" >"$work_dir/cpack.log" ||
    { cat "$work_dir/cpack.log" >&2; fail "cpack"; }
archive=$(find "$work_dir/package" -maxdepth 1 -name 'Drovantel-*.tar.gz')
[ -n "$archive" ] || fail "cpack made no .tar.gz"
top=$(basename "$archive" .tar.gz)
archived=$(tar tzf "$archive" | grep -v '/$' | sort)
installed=$(cd "$stage" && find . -type f | sed "s|^\./|$top/|" | sort)
[ "$archived" = "$installed" ] ||
    fail "the archive does not hold the installed folder: $archived"

# The folder works wherever it is put: move it to a path with a space and Japanese text.
folder="$work_dir/移動先 folder/Drovantel"
mkdir -p "$(dirname "$folder")"
mv "$stage" "$folder"

for file in Drovantel libDrovantel.so drovantel.desktop drovantel.svg; do
    [ -f "$folder/$file" ] || fail "$file is missing from the installed folder"
done
[ -x "$folder/Drovantel" ] || fail "the installed editor is not executable"
shipped=()
for file in "$source_dir"/data/*.csv "$source_dir"/data/*.VRX; do
    [ -f "$file" ] || continue
    name=$(basename "$file")
    shipped+=("$name")
    cmp -s "$file" "$folder/$name" || fail "shipped data file $name differs or is missing"
done
# Libraries are looked for beside the binaries, never in the build folder.
for binary in Drovantel libDrovantel.so; do
    search_path=$(readelf -d "$folder/$binary" | grep -E 'RPATH|RUNPATH' || true)
    grep -qF '[$ORIGIN]' <<<"$search_path" ||
        fail "$binary does not look for libraries beside itself: $search_path"
done
desktop-file-validate "$folder/drovantel.desktop" || fail "drovantel.desktop is not valid"

runtime_dir=$work_dir/runtime
mkdir -p "$runtime_dir"
chmod 700 "$runtime_dir"

# Starts the editor (the given command, run from /), waits for its main window, checks the
# title, asks the window to close and waits for the process to end with status 0.
run_session() {
    local label=$1
    shift
    local log=$work_dir/$label.log
    xvfb-run -a -s "-screen 0 1280x900x24" env -u QT_QPA_PLATFORM \
        XDG_RUNTIME_DIR="$runtime_dir" LC_ALL=C.UTF-8 \
        bash -c '
            tools=$1 title=$2 limit=$3 log=$4
            shift 4
            (cd / && exec "$@") >"$log" 2>&1 &
            pid=$!
            start=$(date +%s.%N)
            window=
            while [ -z "$window" ]; do
                if ! kill -0 "$pid" 2>/dev/null; then
                    echo "the editor ended before its window appeared" >&2
                    exit 1
                fi
                if awk -v s="$start" -v l="$limit" -v n="$(date +%s.%N)" "BEGIN {exit !(n - s > l)}"; then
                    echo "no main window within $limit seconds" >&2
                    kill "$pid"
                    exit 1
                fi
                window=$(xdotool search --onlyvisible --name "Kelvasto" 2>/dev/null | head -n 1) || true
                [ -n "$window" ] || sleep 0.1
            done
            echo "main window after $(awk -v s="$start" -v n="$(date +%s.%N)" "BEGIN {printf \"%.2f\", n - s}") s"
            shown=$(xprop -id "$window" _NET_WM_NAME | sed -n "s/^_NET_WM_NAME(UTF8_STRING) = \"\(.*\)\"$/\1/p")
            if [ "$shown" != "$title" ]; then
                echo "window title is \"$shown\", expected \"$title\"" >&2
                kill "$pid"
                exit 1
            fi
            sleep 0.5
            $tools close "$window"
            for _ in $(seq 1 100); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            if kill -0 "$pid" 2>/dev/null; then
                echo "the editor did not end within 10 seconds of the close request" >&2
                kill -9 "$pid"
                exit 1
            fi
            status=0
            wait "$pid" || status=$?
            if [ "$status" -ne 0 ]; then
                echo "the editor ended with status $status" >&2
                exit 1
            fi
        ' session "$tools" "$title" "$start_limit" "$log" "$@" ||
        { cat "$log" >&2; fail "$label"; }
    if grep -qE 'runtime error|Sanitizer' "$log"; then
        cat "$log" >&2
        fail "$label: the editor reported an error"
    fi
}

snapshot() {
    (cd "$folder" && find . -type f | sort)
}

# Files a run may leave behind: the template files it copies into place and the marks.
expected_after_run() {
    {
        snapshot
        for name in "${shipped[@]}"; do
            case "$name" in
                Capaorg.csv) echo ./Capa.csv ;;
                Tokugiorg.csv) echo ./Tokugi.csv ;;
            esac
        done
        for extra in "$@"; do echo "./$extra"; done
    } | sort -u
}

check_templates() {
    local original
    for original in Capaorg.csv Tokugiorg.csv; do
        [ -f "$folder/$original" ] || continue
        cmp -s "$folder/$original" "$folder/${original%org.csv}.csv" ||
            fail "${original%org.csv}.csv is not a copy of the shipped $original"
        cmp -s "$source_dir/data/$original" "$folder/$original" ||
            fail "the shipped $original was changed"
    done
}

# 1. A first start without Mark.csv and no file opened: closing leaves no Mark.csv.
before=$(expected_after_run)
run_session first-start "$folder/Drovantel"
[ ! -e "$folder/Mark.csv" ] || fail "closing without any mark created Mark.csv"
check_templates
[ "$(snapshot)" = "$before" ] || fail "unexpected files after the first start: $(snapshot)"

# 2. A Mark.csv that is not in normal form (LF line ends, an entry without marks): closing
#    rewrites it with only the entries that have a mark, in the order read, CR LF line ends.
printf '3\n"\x8a\xd6\x89\x48","\x8b\x52\x95\xba","","","","",""\n"Nomark","","","","","",""\n"Zhang","","","","","x5",""\n' \
    >"$folder/Mark.csv"
expected_marks=$(printf '2\r\n"\x8a\xd6\x89\x48","\x8b\x52\x95\xba","","","","",""\r\n"Zhang","","","","","x5",""\r\n' | od -An -tx1)
before=$(expected_after_run)
run_session marks "$folder/Drovantel"
[ -f "$folder/Mark.csv" ] || fail "closing deleted a Mark.csv that holds marks"
[ "$(od -An -tx1 "$folder/Mark.csv")" = "$expected_marks" ] ||
    fail "Mark.csv after close is not in normal form: $(od -c "$folder/Mark.csv")"
[ "$(snapshot)" = "$before" ] || fail "unexpected files after the second start: $(snapshot)"

# 3. Started through its .desktop file, from another folder: the same program and data.
mapfile -t desktop_command < <($tools exec "$folder/drovantel.desktop")
run_session desktop-entry "${desktop_command[@]}"
[ "$(od -An -tx1 "$folder/Mark.csv")" = "$expected_marks" ] ||
    fail "Mark.csv changed when nothing was marked"

echo "installed folder: $folder"
