#!/usr/bin/env bash
# Builds the Debian package from a build and checks it without installing it: its name, its
# exact file list, the run-time dependencies (computed ones and the font, Qt's translations and
# the plugins that are loaded at run time), its .desktop file, and that lintian finds no error.
#   check_debian_package.sh <source folder> <build folder> <work folder>
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
work_dir=$3

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$work_dir"
mkdir -p "$work_dir"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work_dir" >"$work_dir/cpack.log" ||
    { cat "$work_dir/cpack.log" >&2; fail "cpack -G DEB"; }
version=$(sed -n 's/^project(Drovantel VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
deb=$work_dir/drovantel_${version}_amd64.deb
[ -f "$deb" ] || fail "no drovantel_${version}_amd64.deb: $(ls "$work_dir")"

files=$(dpkg-deb -c "$deb" | awk '$NF !~ /\/$/ {print $NF}' | sort)
expected=$(
    {
        echo ./usr/bin/Drovantel
        echo ./usr/lib/drovantel/libDrovantel.so
        echo ./usr/lib/drovantel/libDrovantelDialog.so
        echo ./usr/lib/drovantel/libDrovantelWindow.so
        for file in "$source_dir"/data/*.csv "$source_dir"/data/*.VRX; do
            echo "./usr/share/drovantel/$(basename "$file")"
        done
        echo ./usr/share/applications/drovantel.desktop
        echo ./usr/share/icons/hicolor/scalable/apps/drovantel.svg
        echo ./usr/share/mime/packages/drovantel.xml
        echo ./usr/share/doc/drovantel/changelog.gz
        echo ./usr/share/doc/drovantel/copyright
    } | sort
)
[ "$files" = "$expected" ] || fail "the package holds
$files
expected
$expected"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6widgets6 libicu qt6-qpa-plugins libqt6svg6 fonts-noto-cjk \
    qt6-translations-l10n; do
    grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done

unpacked=$work_dir/unpacked
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/drovantel.desktop" ||
    fail "drovantel.desktop is not valid"
grep -qx 'Exec=Drovantel %f' "$unpacked/usr/share/applications/drovantel.desktop" ||
    fail "drovantel.desktop does not start the installed editor"
grep -qx 'Icon=drovantel' "$unpacked/usr/share/applications/drovantel.desktop" ||
    fail "drovantel.desktop does not name the installed icon"
for binary in usr/bin/Drovantel usr/lib/drovantel/libDrovantel.so \
    usr/lib/drovantel/libDrovantelWindow.so usr/lib/drovantel/libDrovantelDialog.so; do
    if readelf -d "$unpacked/$binary" | grep -qE 'RPATH|RUNPATH'; then
        fail "$binary keeps a library search path"
    fi
    if readelf -S --wide "$unpacked/$binary" | grep -qE '\.symtab|\.debug_info'; then
        fail "$binary is packaged with its symbols or debug information"
    fi
done
# The library sits in a private folder that ldconfig never reads: nothing to run for it.
maintainer_scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar t | grep -E 'post|pre' || true)
[ -z "$maintainer_scripts" ] || fail "the package has maintainer scripts: $maintainer_scripts"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$work_dir/lintian.log" 2>&1 ||
    { cat "$work_dir/lintian.log" >&2; fail "lintian reports errors"; }
cat "$work_dir/lintian.log"
echo "package: $deb"
echo "depends: $depends"
