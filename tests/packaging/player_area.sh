# Sourced by the checks that run programs as nobody (when run as root). Those programs must
# reach their files, but the build may sit in a folder that only root can enter (a clone in a
# mktemp -d folder or under /root).

# use_player_area <folder>: sets player_area to the folder when the player can reach it, else
# to a new temporary folder that everyone can enter, removed by remove_player_area.
player_area=
player_area_is_temporary=false
use_player_area() {
    mkdir -p "$1"
    player_area=$1
    if [ "$(id -u)" -eq 0 ] && ! setpriv --reuid=nobody --regid=nogroup --clear-groups \
        test -x "$1"; then
        player_area=$(mktemp -d /tmp/drovantel-player.XXXXXX)
        chmod 755 "$player_area"
        player_area_is_temporary=true
    fi
}

remove_player_area() {
    if [ "$player_area_is_temporary" = true ]; then
        chmod -R u+w "$player_area" 2>/dev/null || true
        rm -rf "$player_area"
    fi
}
