# Shared by scripts/run and scripts/test: installs what the build needs and builds the project.
# Sourced, not run.

DROVANTEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DROVANTEL_BUILD=${DROVANTEL_BUILD:-$DROVANTEL_ROOT/build}
# The packaging checks of the test suite: the Windows builds (the 32-bit library, the 64-bit
# editor) and the installed folder.
DROVANTEL_PACKAGING_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 ninja-build xdotool
    desktop-file-utils python3 lintian file)
# The Windows editor run under Wine: Debian's Wine for 64-bit programs, and the locale sources
# for the Japanese locale it runs in.
DROVANTEL_WINE64_PACKAGES=(wine64 locales)
# The 32-bit Drovantel.dll run under Wine: Debian's Wine for 32-bit programs. Needs the i386
# architecture (install_wine adds it) and a kernel that runs 32-bit programs.
DROVANTEL_WINE32_PACKAGES=(wine wine32:i386)
# scripts/fuzz only.
DROVANTEL_FUZZ_PACKAGES=(clang)
DROVANTEL_PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libicu-dev
    qt6-translations-l10n
    libbenchmark-dev
    xvfb xauth x11-utils imagemagick fonts-noto-cjk libqt6svg6
    "${DROVANTEL_PACKAGING_PACKAGES[@]}"
    "${DROVANTEL_WINE64_PACKAGES[@]}"
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Wine for 32-bit programs is wanted by one test only: where it cannot be installed, that test
# is skipped.
add_i386_architecture() {
    dpkg --print-foreign-architectures | grep -qx i386 && return 0
    echo "Adding the i386 architecture for Wine's 32-bit packages"
    as_root dpkg --add-architecture i386 && as_root apt-get update -qq
}

install_wine() {
    if ! add_i386_architecture || ! install_packages "${DROVANTEL_WINE32_PACKAGES[@]}"; then
        echo "Wine could not be installed: the test that runs Drovantel.dll will be skipped." >&2
    fi
}

# The second build of the suite, under AddressSanitizer and UndefinedBehaviorSanitizer.
DROVANTEL_SANITIZE_BUILD=${DROVANTEL_SANITIZE_BUILD:-$DROVANTEL_BUILD-sanitize}

build_project() {
    local build_dir=$1
    shift
    cmake -S "$DROVANTEL_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$build_dir" --parallel "$(nproc)"
}

# Runs every test of a build folder. Under the sanitizers the first report ends the test
# program with a failure; leak reports of the system libraries are suppressed by the list
# beside this script. The strndup check is off: this toolchain's version of it reads one byte
# past a string that is not NUL-terminated within its limit, which the X keyboard library
# under the installed-folder check does legitimately. The suppression list is read by every
# sanitized process, also those run as another user who cannot enter this checkout: they read
# a copy in the system's temporary folder.
run_tests() {
    local build_dir=$1 suppressions status=0
    suppressions=$(mktemp --tmpdir drovantel-lsan.XXXXXX)
    cp "$DROVANTEL_ROOT/scripts/lsan.supp" "$suppressions"
    chmod 644 "$suppressions"
    (
        cd "$build_dir"
        export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:intercept_strndup=0}
        export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
        export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$suppressions:print_suppressions=0}
        ctest --output-on-failure
    ) || status=$?
    rm -f "$suppressions"
    return "$status"
}
