# Sourced by the packaging checks: starts an installed editor on a virtual screen as a player
# would and ends it through its window. Needs source_dir and work_dir; what the player runs
# and writes lives in player_area (the caller removes it with remove_player_area at exit).

source "$source_dir/tests/packaging/player_area.sh"
use_player_area "$work_dir/player"
cp "$source_dir/tests/packaging/desktop_tools.py" "$player_area/"
tools="python3 $player_area/desktop_tools.py"
title='Tessaril新武将まとめ補助エディタ『Kelvasto』  Version 1.2 rev 5'
start_limit=${DROVANTEL_START_LIMIT:-10}
session_dir=$player_area/sessions
as_player=()

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# From now on the editor runs as the current user, or, for root (who can write anywhere),
# as nobody; HOME is the given folder, made for that user.
use_player() {
    local home=$1
    mkdir -p "$home"
    as_player=(env HOME="$home")
    if [ "$(id -u)" -eq 0 ]; then
        chown -R nobody:nogroup "$home" "$session_dir"
        as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_player[@]}")
    fi
}

# The templates the editor copied from the shipped originals into the player's data folder.
check_player_templates() {
    local shipped=$1 player=$2 original
    for original in Capaorg.csv Tokugiorg.csv; do
        cmp -s "$shipped/$original" "$player/${original%org.csv}.csv" ||
            fail "${original%org.csv}.csv is not in $player: $(ls -A "$player" 2>&1)"
    done
}

# A display number with neither a lock file nor a socket: xvfb-run -a looks at the lock files
# only, and an X server left dead by root leaves a socket that nobody's server cannot replace.
free_display() {
    local number=99
    while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
        number=$((number + 1))
    done
    echo "$number"
}

mkdir -p "$session_dir/runtime"
chmod 700 "$session_dir/runtime"

# Starts the editor (the given command, run from /) as the player (see use_player), waits for
# its main window, checks the title and that the window has an icon, asks the window to close
# and waits for the process to end with status 0.
run_session() {
    local label=$1
    shift
    local log=$session_dir/$label.log
    "${as_player[@]}" xvfb-run -n "$(free_display)" -s "-screen 0 1280x900x24" env -u QT_QPA_PLATFORM \
        XDG_RUNTIME_DIR="$session_dir/runtime" LC_ALL=C.UTF-8 \
        bash -c '
            tools=$1 title=$2 limit=$3 log=$4
            shift 4
            (cd / && exec "$@") >"$log" 2>&1 &
            pid=$!
            start=$(date +%s.%N)
            window=
            while [ -z "$window" ]; do
                if ! kill -0 "$pid" 2>/dev/null; then
                    echo "the editor ended before its window appeared" >&2
                    exit 1
                fi
                if awk -v s="$start" -v l="$limit" -v n="$(date +%s.%N)" "BEGIN {exit !(n - s > l)}"; then
                    echo "no main window within $limit seconds" >&2
                    kill "$pid"
                    exit 1
                fi
                window=$(xdotool search --onlyvisible --name "Kelvasto" 2>/dev/null | head -n 1) || true
                [ -n "$window" ] || sleep 0.1
            done
            echo "main window after $(awk -v s="$start" -v n="$(date +%s.%N)" "BEGIN {printf \"%.2f\", n - s}") s"
            shown=$(xprop -id "$window" _NET_WM_NAME | sed -n "s/^_NET_WM_NAME(UTF8_STRING) = \"\(.*\)\"$/\1/p")
            if [ "$shown" != "$title" ]; then
                echo "window title is \"$shown\", expected \"$title\"" >&2
                kill "$pid"
                exit 1
            fi
            if xprop -id "$window" _NET_WM_ICON | grep -q "not found"; then
                echo "the main window has no icon" >&2
                kill "$pid"
                exit 1
            fi
            sleep 0.5
            $tools close "$window"
            for _ in $(seq 1 100); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            if kill -0 "$pid" 2>/dev/null; then
                echo "the editor did not end within 10 seconds of the close request" >&2
                kill -9 "$pid"
                exit 1
            fi
            status=0
            wait "$pid" || status=$?
            if [ "$status" -ne 0 ]; then
                echo "the editor ended with status $status" >&2
                exit 1
            fi
        ' session "$tools" "$title" "$start_limit" "$log" "$@" ||
        { cat "$log" >&2; fail "$label"; }
    if grep -qE 'runtime error|Sanitizer' "$log"; then
        cat "$log" >&2
        fail "$label: the editor reported an error"
    fi
}

