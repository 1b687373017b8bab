# Shared by scripts/run and scripts/test: installs what the build needs and builds the project.
# Sourced, not run.

DROVANTEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DROVANTEL_BUILD=${DROVANTEL_BUILD:-$DROVANTEL_ROOT/build}
DROVANTEL_PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libicu-dev
    libbenchmark-dev
    xvfb xauth x11-utils imagemagick fonts-noto-cjk
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

build_project() {
    local build_dir=$1
    shift
    cmake -S "$DROVANTEL_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$build_dir" --parallel "$(nproc)"
}
