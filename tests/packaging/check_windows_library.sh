#!/usr/bin/env bash
# Cross-builds the person file library for 32-bit Windows and checks the DLL that comes out:
# named Drovantel.dll, exporting exactly the six functions under their plain names (no stdcall
# decoration such as _Vrx_Test@4), and needing nothing but system DLLs (no Qt, no compiler
# runtime), and packed for 32-bit callers with its import library and header. The build also
# links a C program against the import library and the header, which the run under Wine uses.
#   check_windows_library.sh <source folder> <work folder>
set -euo pipefail
source_dir=$(cd "$1" && pwd)
work_dir=$2
source "$source_dir/scripts/setup.sh"

# The cross compiler comes with the project's package list: a machine without it gets it.
install_packages "${DROVANTEL_PACKAGING_PACKAGES[@]}"

mkdir -p "$work_dir"
build_dir=$work_dir/build
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-i686.cmake" \
    -DDROVANTEL_BUILD_EDITOR=OFF >"$work_dir/configure.log"
cmake --build "$build_dir" >"$work_dir/build.log" ||
    { cat "$work_dir/build.log" >&2; echo "FAIL: the Windows build" >&2; exit 1; }

dll=$build_dir/bin/Drovantel.dll
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -f "$dll" ] || fail "no Drovantel.dll in $build_dir/bin: $(ls "$build_dir/bin" 2>&1)"

headers=$(i686-w64-mingw32-objdump -p "$dll")
grep -q "file format pei-i386" <<<"$headers" || fail "not a 32-bit x86 DLL"

# The names of the export table, one a line, as listed under the name pointer table.
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ {in_table = 1; next}
               in_table && /^[[:space:]]*$/ {exit}
               in_table {print $NF}' <<<"$headers" | sort)
expected=$(printf '%s\n' Vrx_OpenFileDialog Vrx_ReadPerson Vrx_ReadPersonFile Vrx_Test \
    Vrx_WritePerson Vrx_WritePersonFile | sort)
if [ "$exports" != "$expected" ]; then
    echo "expected exports:" >&2
    echo "$expected" >&2
    echo "actual exports:" >&2
    echo "$exports" >&2
    fail "the export table does not hold exactly the six plain names"
fi
grep -q "^Name[[:space:]].*Drovantel\.dll" <<<"$headers" ||
    fail "the export table does not name the library Drovantel.dll"

# Every DLL it loads must come with Windows itself.
imports=$(awk '/DLL Name:/ {print toupper($3)}' <<<"$headers" | sort -u)
for import in $imports; do
    case "$import" in
        KERNEL32.DLL | MSVCRT.DLL | COMDLG32.DLL | USER32.DLL) ;;
        *) fail "Drovantel.dll needs $import, which Windows does not provide" ;;
    esac
done
grep -qx 'COMDLG32.DLL' <<<"$imports" || fail "the open-file dialog does not come from comdlg32"

echo "Drovantel.dll exports:" $exports
echo "Drovantel.dll imports:" $imports

# The zip for callers: one folder with the DLL, the import library and the header.
(cd "$build_dir" && cpack --config CPackConfig.cmake >"$work_dir/cpack.log") ||
    { cat "$work_dir/cpack.log" >&2; fail "cpack"; }
version=$(sed -n 's/^project(Drovantel VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
name=Drovantel-$version-win32-library
[ -f "$build_dir/package/$name.zip" ] || fail "no $name.zip in $build_dir/package"
listed=$(cmake -E tar tf "$build_dir/package/$name.zip" | grep -v '/$' | sort)
wanted=$(printf "$name/%s\n" Drovantel.dll include/drovantel.h lib/libDrovantel.dll.a | sort)
[ "$listed" = "$wanted" ] || fail "$name.zip holds: $listed"
echo "$name.zip holds: $(tr '\n' ' ' <<<"$listed")"
