#!/usr/bin/env bash
# Runs Drovantel.dll under Wine through the Windows test program of the cross build: the
# person file cases with Shift-JIS names, then the open dialog on a virtual screen, cancelled
# with Escape and confirmed with Enter. Wine runs as a user other than root, who would ignore
# read-only files, with a Japanese locale so that the system code page is 932.
# Ends with 77 (skipped) when Wine is not installed.
#   run_under_wine.sh <source folder> <cross build folder> <work folder>
set -euo pipefail
source_dir=$(cd "$1" && pwd)
cross_build=$2
work_dir=$3
source "$source_dir/tests/windows/wine_env.sh"

for file in Drovantel.dll vrxwinetest.exe; do
    [ -f "$cross_build/bin/$file" ] || wine_fail "no $file in $cross_build/bin"
done

started=$(date +%s.%N)
# Everything Wine touches lives in the work folder, owned by the user who runs it; in a
# temporary folder of its own when that user cannot reach the work folder (the Wine prefix is
# then made anew each time).
source "$source_dir/tests/packaging/player_area.sh"
use_player_area "$work_dir"
trap remove_player_area EXIT
work_dir=$player_area
rm -rf "$work_dir/run"
mkdir -p "$work_dir/run"
cp "$cross_build/bin/Drovantel.dll" "$cross_build/bin/vrxwinetest.exe" "$work_dir/run/"
cp "$source_dir/data/TPERSON.VRX" "$work_dir/run/"
wine_setup "$work_dir"

cd "$work_dir/run"
in_wine wine ./vrxwinetest.exe files || wine_fail "the person file cases under Wine"
in_wine wineserver -w

# The dialog cases: the test program shows the dialog, this script answers it with a key.
# shellcheck disable=SC2016
answer_dialog='
    case=$1 key=$2
    wine ./vrxwinetest.exe "$case" &
    pid=$!
    window=
    for _ in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --name "^Tessaril" 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "no open dialog appeared for $case" >&2
        kill "$pid" 2>/dev/null
        exit 1
    fi
    sleep 0.5
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool key --window "$window" "$key"
    wait "$pid"
'
for answer in "dialog-cancel Escape" "dialog-confirm Return"; do
    read -r case key <<<"$answer"
    in_wine xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$answer_dialog" dialog "$case" "$key" \
        2> >(grep -v 'XGetInputFocus\|Read access denied for device' >&2) ||
        wine_fail "$case under Wine"
    in_wine wineserver -w
done
echo "Wine cases done in $(wine_seconds_since "$started") s"
