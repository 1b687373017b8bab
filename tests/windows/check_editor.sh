#!/usr/bin/env bash
# Checks the Windows program that scripts/windows builds.
#   check_editor.sh zip  <source folder> <Windows build folder> <work folder>
#     The zip holds one folder, Drovantel/, with exactly the files a player needs, and every
#     DLL that anything in it loads is either in the folder or part of Windows.
#   check_editor.sh wine <source folder> <Windows build folder> <work folder> <Linux build>
#     Under Wine for 64-bit programs: the program opens its window with its title (screenshots
#     kept in the work folder), timed on a new Wine prefix and once more; a person file opened
#     through the library's dialog, a bulk edit and a save leave the same bytes as the Linux
#     program; so do --export and --import; the cross-built test programs pass.
# Ends with 77 (skipped) when there is no Windows build or no Wine for 64-bit programs.
set -euo pipefail
mode=$1
source_dir=$(cd "$2" && pwd)
windows_build=$(realpath -m "$3")
work_dir=$4
linux_build=${5:-}
source "$source_dir/tests/windows/wine_env.sh"

if [ "${DROVANTEL_SKIP_WINDOWS:-0}" = 1 ]; then
    echo "SKIPPED: DROVANTEL_SKIP_WINDOWS=1" >&2
    exit "$wine_skipped"
fi
zip=$(find "$windows_build" -maxdepth 1 -name 'Drovantel-*-win64.zip' 2>/dev/null | head -n 1 || true)
if [ -z "$zip" ]; then
    echo "SKIPPED: no Windows build in $windows_build (scripts/windows makes it)" >&2
    exit "$wine_skipped"
fi
[ ! -d "$work_dir" ] || chmod -R u+w "$work_dir"
rm -rf "$work_dir"
# Under Wine everything runs as a user other than root, who may not reach this build (a clone
# in a mktemp -d folder): then the run takes a folder of its own, and the screenshots and
# results are copied back into the work folder at the end.
results_dir=$work_dir
if [ "$mode" = wine ]; then
    source "$source_dir/tests/packaging/player_area.sh"
    use_player_area "$work_dir"
    keep_results() {
        [ "$player_area" = "$results_dir" ] ||
            cp "$player_area"/*.png "$player_area"/*.txt "$results_dir/" 2>/dev/null || true
        remove_player_area
    }
    trap keep_results EXIT
    work_dir=$player_area
fi
mkdir -p "$work_dir/unzipped"
(cd "$work_dir/unzipped" && cmake -E tar xf "$zip")
folder=$work_dir/unzipped/Drovantel

if [ "$mode" = zip ]; then
    expected=(Drovantel.exe DrovantelWindow.dll Drovantel.dll Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll
        platforms/qwindows.dll styles/qwindowsvistastyle.dll translations/qtbase_ja.qm qt.conf
        libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
    for file in "$source_dir"/data/*.csv "$source_dir"/data/*.VRX; do
        expected+=("$(basename "$file")")
        cmp -s "$file" "$folder/$(basename "$file")" || wine_fail "$(basename "$file") differs"
    done
    listed=$(cd "$work_dir/unzipped" && find . -type f | sed 's|^\./||' | sort)
    wanted=$(printf 'Drovantel/%s\n' "${expected[@]}" | sort)
    [ "$listed" = "$wanted" ] ||
        wine_fail "the zip holds other files than expected:$(diff <(echo "$wanted") <(echo "$listed"))"

    headers=$(x86_64-w64-mingw32-objdump -p "$folder/Drovantel.exe")
    grep -q 'file format pei-x86-64' <<<"$headers" || wine_fail "Drovantel.exe is no 64-bit program"
    grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || wine_fail "Drovantel.exe is no GUI program"
    strings -el "$folder/Drovantel.exe" | grep -qx '1.2 rev 5' ||
        wine_fail "Drovantel.exe has no version resource 1.2 rev 5"
    # A DLL is Windows' own when mingw-w64 has an import library for it, or when it is one of
    # the API sets of Windows 8 and later (api-ms-win-*).
    missing=()
    while read -r binary; do
        for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | awk '/DLL Name:/ {print $3}'); do
            [ -n "$(find "$folder" -maxdepth 1 -iname "$dll")" ] && continue
            lower=$(tr '[:upper:]' '[:lower:]' <<<"${dll%.*}")
            [[ $lower == api-ms-win-* ]] && continue
            [ -f "/usr/x86_64-w64-mingw32/lib/lib$lower.a" ] && continue
            missing+=("$(basename "$binary") needs $dll")
        done
    done < <(find "$folder" -iname '*.dll' -o -iname '*.exe')
    [ ${#missing[@]} -eq 0 ] || wine_fail "not in the zip nor in Windows: ${missing[*]}"
    echo "the zip holds exactly: $(tr '\n' ' ' <<<"$listed")"
    exit 0
fi

wine_setup "$work_dir" 64

# The player's start, first on the new prefix: the window with its title.
# The scripts that run as that user are copied where it can read them.
cp "$source_dir/tests/packaging/desktop_tools.py" "$source_dir/tests/windows/edit_and_save.sh" \
    "$work_dir/"
tools="python3 $work_dir/desktop_tools.py"
title='Tessaril新武将まとめ補助エディタ『Kelvasto』  Version 1.2 rev 5'
# shellcheck disable=SC2016
start_program='
    tools=$1 title=$2 shot=$3
    started=$(date +%s.%N)
    wine ./Drovantel.exe &
    pid=$!
    window=
    for _ in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --name "Kelvasto" 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || { echo "no main window within 15 s" >&2; kill "$pid"; exit 1; }
    awk -v s="$started" -v n="$(date +%s.%N)" "BEGIN {printf \"main window after %.2f s\n\", n - s}"
    shown=$(xdotool getwindowname "$window")
    [ "$shown" = "$title" ] || { echo "window title \"$shown\"" >&2; kill "$pid"; exit 1; }
    sleep 2
    import -window root "$shot"
    $tools close "$window" || kill "$pid"
    wait "$pid" || true
'
wine_own "$work_dir"
cd "$folder"
for start in first later; do
    in_wine xvfb-run -a -s "-screen 0 1280x900x24" bash -c "$start_program" start "$tools" "$title" \
        "$work_dir/screenshot-$start.png" || wine_fail "the $start start of Drovantel.exe"
    in_wine wineserver -w
done
echo "screenshots: $results_dir/screenshot-first.png $results_dir/screenshot-later.png"

# The same edit through the Linux program and through Drovantel.exe.
session=$work_dir/edit_and_save.sh
linux=$work_dir/linux
cmake --install "$linux_build" --prefix "$linux" >"$work_dir/linux-install.log"
cp "$source_dir/data/TPERSON.VRX" "$linux/"
cp "$source_dir/data/TPERSON.VRX" "$folder/"
mkdir -p "$work_dir/runtime"
chmod 700 "$work_dir/runtime"
wine_own "$work_dir"
(cd "$linux" && "${wine_runner[@]}" env HOME="$work_dir/home" XDG_RUNTIME_DIR="$work_dir/runtime" \
    LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1280x900x24" env -u QT_QPA_PLATFORM \
    bash "$session" "$tools" ./Drovantel) || wine_fail "the edit through the Linux program"
in_wine xvfb-run -a -s "-screen 0 1280x900x24" bash "$session" "$tools" wine ./Drovantel.exe ||
    wine_fail "the edit through Drovantel.exe"
in_wine wineserver -w
cmp -s "$linux/TPERSON.VRX" "$source_dir/data/TPERSON.VRX" && wine_fail "the edit saved nothing"
cmp "$linux/TPERSON.VRX" "$folder/TPERSON.VRX" ||
    wine_fail "Drovantel.exe saved other bytes than the Linux program"
echo "the open, 特技クリア and save under Wine leave the same bytes as on Linux"

# The command line: the same sheet out of the same person file, and the same person file out of
# the same edited sheet, from Drovantel.exe as from the Linux program.
run_linux() {
    (cd "$linux" && "${wine_runner[@]}" env HOME="$work_dir/home" LC_ALL=C.UTF-8 ./Drovantel "$@")
}
run_windows() {
    (cd "$folder" && in_wine wine ./Drovantel.exe "$@")
}
cp "$source_dir/data/TPERSON.VRX" "$linux/Cli.vrx"
cp "$source_dir/data/TPERSON.VRX" "$folder/Cli.vrx"
wine_own "$work_dir"
run_linux --export Cli.vrx sheet.csv >/dev/null || wine_fail "--export through the Linux program"
started=$(date +%s.%N)
run_windows --export Cli.vrx sheet.csv >/dev/null || wine_fail "--export through Drovantel.exe"
echo "Drovantel.exe --export in $(wine_seconds_since "$started") s"
cmp "$linux/sheet.csv" "$folder/sheet.csv" || wine_fail "Drovantel.exe exported another sheet"
# Row 2 (the second general): 名声 300, 統率 55, and its first mark.
python3 - "$linux/sheet.csv" "$work_dir/edited.csv" <<'EDIT'
import csv, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    rows = list(csv.reader(f))
caption = rows[0]
rows[2][caption.index("名声")] = "300"
rows[2][caption.index("統率")] = "55"
rows[2][caption.index("M1")] = "表"
with open(sys.argv[2], "w", encoding="utf-8-sig", newline="") as f:
    csv.writer(f, lineterminator="\r\n").writerows(rows)
EDIT
cp "$work_dir/edited.csv" "$linux/edited.csv"
cp "$work_dir/edited.csv" "$folder/edited.csv"
wine_own "$work_dir"
run_linux --import edited.csv Cli.vrx >/dev/null || wine_fail "--import through the Linux program"
run_windows --import edited.csv Cli.vrx >/dev/null || wine_fail "--import through Drovantel.exe"
in_wine wineserver -w
cmp -s "$linux/Cli.vrx" "$source_dir/data/TPERSON.VRX" && wine_fail "the import changed nothing"
cmp "$linux/Cli.vrx" "$folder/Cli.vrx" || wine_fail "Drovantel.exe imported other bytes"
echo "--export and --import through Drovantel.exe leave the same bytes as on Linux"

# The test programs run beside the program, with Qt's test library and its screen-less platform.
# Wine hands no QT_* variable to Windows programs, so the platform is named as an argument; and
# a program without a console writes its results as debug output, so they go to a file.
# They run in a folder of their own, as unzipped: the runs above left the player's files
# (Mark.csv, Capa.csv, ...) beside the program, which the tests copy as shipped files.
qt_bin=$(dirname "$(sed -n 's/^Qt6Core_DIR:PATH=//p' "$windows_build/CMakeCache.txt")")/../../bin
mkdir -p "$work_dir/tests"
(cd "$work_dir/tests" && cmake -E tar xf "$zip")
folder=$work_dir/tests/Drovantel
cp "$windows_build"/bin/test_*.exe "$qt_bin/Qt6Test.dll" "$folder/"
cp "$qt_bin/../plugins/platforms/qoffscreen.dll" "$folder/platforms/"
wine_own "$work_dir"
cd "$folder"
# Each test class on its own: QtTest writes the results file anew for every class it runs.
run_class() {
    local status=0
    in_wine xvfb-run -a wine "./$1" "$2" -platform offscreen -o "$3,txt" >"$work_dir/$2.log" 2>&1 ||
        status=$?
    in_wine wineserver -w
    return "$status"
}
for program in test_*.exe; do
    classes=$(in_wine wine "./$program" --list-classes 2>/dev/null | tr -d '\r')
    [ -n "$classes" ] || wine_fail "$program lists no test class"
    for class in $classes; do
        results=$class.txt
        # On a new Wine prefix the first class that opens the library's dialog (EnterKeyTest)
        # has had every open return at once without a dialog; run again, it passed every time.
        # Until that is understood, a class is run once more before it fails.
        if ! run_class "$program" "$class" "$results"; then
            cp "$results" "$work_dir/$class.first-run.txt"
            echo "$program $class failed on its first run (kept as $class.first-run.txt):" \
                "$(grep -h '^Totals' "$results")"
            run_class "$program" "$class" "$results" ||
                { cat "$results" "$work_dir/$class.log" >&2; wine_fail "$program $class under Wine"; }
        fi
        grep -h '^Totals' "$results" | sed "s/^/$program $class: /"
    done
done
