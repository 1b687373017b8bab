#!/usr/bin/env bash
# Installs the program folder from a build, moves it somewhere else and starts the installed
# editor as its own process on a virtual screen with the shipped data files. Checks that the
# main window appears with its title and icon within a few seconds, that a close request from
# the window system ends the process cleanly, and what the close leaves in the folder:
# Mark.csv per the close rules, the template files copied from the shipped defaults, nothing
# else. A folder the player cannot write to keeps the player's files in the per-user folder.
#   check_installed_folder.sh <source folder> <build folder> <work folder>
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
work_dir=$3
source "$source_dir/scripts/setup.sh"
install_packages xvfb xauth x11-utils "${DROVANTEL_PACKAGING_PACKAGES[@]}"

# A failed run may have left the folder read-only.
[ ! -d "$work_dir" ] || chmod -R u+w "$work_dir"
rm -rf "$work_dir"
mkdir -p "$work_dir"
source "$source_dir/tests/packaging/editor_session.sh"
trap remove_player_area EXIT
stage=$work_dir/stage
cmake --install "$build_dir" --prefix "$stage" >"$work_dir/install.log"

# The archive holds the same folder, under one top folder named like the archive.
cpack -G TGZ --config "$build_dir/CPackConfig.cmake" -B "$work_dir/package" >"$work_dir/cpack.log" ||
    { cat "$work_dir/cpack.log" >&2; fail "cpack"; }
archive=$(find "$work_dir/package" -maxdepth 1 -name 'Drovantel-*.tar.gz')
[ -n "$archive" ] || fail "cpack made no .tar.gz"
top=$(basename "$archive" .tar.gz)
archived=$(tar tzf "$archive" | grep -v '/$' | sort)
installed=$(cd "$stage" && find . -type f | sed "s|^\./|$top/|" | sort)
[ "$archived" = "$installed" ] ||
    fail "the archive does not hold the installed folder: $archived"

# The folder works wherever it is put: move it to a path with a space and Japanese text.
folder="$player_area/移動先 folder/Drovantel"
mkdir -p "$(dirname "$folder")"
mv "$stage" "$folder"

for file in Drovantel libDrovantel.so libDrovantelWindow.so libDrovantelDialog.so \
    drovantel.desktop drovantel.svg; do
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
for binary in Drovantel libDrovantel.so libDrovantelWindow.so libDrovantelDialog.so; do
    search_path=$(readelf -d "$folder/$binary" | grep -E 'RPATH|RUNPATH' || true)
    grep -qF '[$ORIGIN]' <<<"$search_path" ||
        fail "$binary does not look for libraries beside itself: $search_path"
    if readelf -S --wide "$folder/$binary" | grep -qE '\.symtab|\.debug_info'; then
        fail "$binary is installed with its symbols or debug information"
    fi
done
desktop-file-validate "$folder/drovantel.desktop" || fail "drovantel.desktop is not valid"

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

# The editor pointed the folder's .desktop file at the icon where the folder now is.
grep -qxF "Icon=$folder/drovantel.svg" "$folder/drovantel.desktop" ||
    fail "drovantel.desktop does not name the folder's icon: $(grep '^Icon=' "$folder/drovantel.desktop")"
desktop-file-validate "$folder/drovantel.desktop" || fail "drovantel.desktop is no longer valid"

# 4. A folder the player cannot write to: the templates are copied into the per-user data
#    folder, and the program folder stays as it was.
chmod -R a-w "$folder"
player_home=$player_area/player-home
use_player "$player_home"
before=$(snapshot)
run_session read-only-folder "$folder/Drovantel"
chmod -R u+w "$folder"
[ "$(snapshot)" = "$before" ] || fail "the editor wrote to a read-only folder: $(snapshot)"
per_user=$player_home/.local/share/Drovantel
check_player_templates "$folder" "$per_user"

echo "installed folder: $folder"
