#!/usr/bin/env bash
# Installs the Debian package made by the package check, starts the editor from /usr/bin on a
# virtual screen as a player who is not root, checks that the templates went to the player's
# per-user folder and nothing into the system folders, then removes the package and checks
# that the player's files stay. Installing needs root: for anyone else the check is skipped.
#   check_debian_install.sh <source folder> <package work folder> <work folder>
set -euo pipefail
source_dir=$(cd "$1" && pwd)
package_dir=$2
work_dir=$3

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: installing the .deb needs root (this is run as $(id -un))." >&2
    exit 77
fi
deb=$(find "$package_dir" -maxdepth 1 -name 'drovantel_*_amd64.deb' | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no .deb in $package_dir" >&2; exit 1; }

rm -rf "$work_dir"
mkdir -p "$work_dir"
source "$source_dir/tests/packaging/editor_session.sh"

remove_package() {
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq drovantel >"$work_dir/remove.log" 2>&1
}
trap 'remove_package || true; remove_player_area' EXIT
# apt resolves what a fresh machine lacks; the lock may be held by another install a while.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "$deb" >"$work_dir/install.log" 2>&1 ||
    { cat "$work_dir/install.log" >&2; fail "installing $deb"; }
[ -x /usr/bin/Drovantel ] || fail "no /usr/bin/Drovantel after installing"

system_files() {
    find /usr/bin/Drovantel /usr/lib/drovantel /usr/share/drovantel -type f | sort
}
before=$(system_files)
player_home=$player_area/home
use_player "$player_home"
run_session package-first-start /usr/bin/Drovantel
[ "$(system_files)" = "$before" ] || fail "the editor wrote into the system folders: $(system_files)"
per_user=$player_home/.local/share/Drovantel
check_player_templates /usr/share/drovantel "$per_user"
player_files=$(cd "$per_user" && find . -type f | sort)

remove_package || { cat "$work_dir/remove.log" >&2; fail "removing the package"; }
trap remove_player_area EXIT
[ ! -e /usr/bin/Drovantel ] || fail "/usr/bin/Drovantel is still there after removing the package"
[ "$(cd "$per_user" && find . -type f | sort)" = "$player_files" ] ||
    fail "removing the package changed the player's files"
echo "player's files kept in $per_user:" $player_files
