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
skipped=77

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Debian's wine runs 32-bit programs only with wine32:i386, which puts its loader here.
if ! command -v wine >/dev/null || ! command -v wineserver >/dev/null ||
    [ ! -x /usr/lib/wine/wine ]; then
    echo "SKIPPED: Wine for 32-bit programs is not installed (scripts/setup.sh installs" \
        "Debian's wine and wine32:i386); Drovantel.dll was not run." >&2
    exit "$skipped"
fi
# Some kernels are built without 32-bit support: Wine is installed but cannot start at all.
wine_status=0
/usr/lib/wine/wine --version >/dev/null 2>&1 || wine_status=$?
if [ "$wine_status" -eq 126 ]; then
    echo "SKIPPED: this kernel cannot run 32-bit programs; Drovantel.dll was not run." >&2
    exit "$skipped"
fi
for file in Drovantel.dll vrxwinetest.exe; do
    [ -f "$cross_build/bin/$file" ] || fail "no $file in $cross_build/bin"
done

started=$(date +%s.%N)
seconds_since() {
    awk -v s="$1" -v n="$(date +%s.%N)" 'BEGIN {printf "%.1f", n - s}'
}

# Everything Wine touches lives in the work folder, owned by the user who runs it; in a
# temporary folder of its own when that user cannot reach the work folder (the Wine prefix is
# then made anew each time).
source "$source_dir/tests/packaging/player_area.sh"
use_player_area "$work_dir"
trap remove_player_area EXIT
work_dir=$player_area
rm -rf "$work_dir/run"
mkdir -p "$work_dir/run" "$work_dir/home"
cp "$cross_build/bin/Drovantel.dll" "$cross_build/bin/vrxwinetest.exe" "$work_dir/run/"
cp "$source_dir/data/TPERSON.VRX" "$work_dir/run/"
as_runner=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$work_dir"
    as_runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

locales=$work_dir/locales
if [ ! -d "$locales/ja_JP.UTF-8" ]; then
    mkdir -p "$locales"
    localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" ||
        fail "could not build the ja_JP.UTF-8 locale (package locales)"
fi

wine_env=(env HOME="$work_dir/home" WINEPREFIX="$work_dir/prefix" WINEARCH=win32
    WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LOCPATH="$locales" LC_ALL=ja_JP.UTF-8)
in_wine() {
    "${as_runner[@]}" "${wine_env[@]}" "$@"
}

if [ ! -d "$work_dir/prefix" ]; then
    in_wine wineboot --init >"$work_dir/wineboot.log" 2>&1 ||
        { cat "$work_dir/wineboot.log" >&2; fail "wineboot"; }
    in_wine wineserver -w
    echo "Wine prefix made in $(seconds_since "$started") s"
fi

cd "$work_dir/run"
in_wine wine ./vrxwinetest.exe files || fail "the person file cases under Wine"
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
        fail "$case under Wine"
    in_wine wineserver -w
done
echo "Wine cases done in $(seconds_since "$started") s"
