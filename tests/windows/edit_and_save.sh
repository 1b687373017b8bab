#!/usr/bin/env bash
# Drives the editor as a player would, with the mouse and the keyboard, on the display it is
# given: opens TPERSON.VRX of the current folder through the library's open dialog (its
# default name), clears the skills of every general (特技クリア, はい), saves (はい, OK) and
# closes the window. The same steps on Linux and under Wine must leave the same bytes.
#   edit_and_save.sh <desktop_tools.py> <editor command...>
set -euo pipefail
tools=$1
shift
app_title='^Tessaril新武将まとめ補助エディタ$'

"$@" >"$PWD/session.log" 2>&1 &
pid=$!

# Prints the id of the visible window whose name matches $1 once it is there; gives up after
# $2 tenths of a second (default 300).
wait_window() {
    local window
    for _ in $(seq 1 "${2:-300}"); do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    return 1
}

give_up() {
    echo "$1" >&2
    kill "$pid" 2>/dev/null
    exit 1
}

# Presses a button of the main window at its place in the window (pixels from the client
# area's top left corner; the layout is fixed).
press() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
}

answer() {
    local window
    window=$(wait_window "$1") || give_up "no window \"$1\""
    # A window just shown may not take keys yet.
    sleep 1
    xdotool windowfocus "$window" 2>/dev/null || true
    xdotool key Return
    sleep 1
}

# Presses a button until the window it opens appears: on a busy machine the first press can
# come before the window takes presses.
press_for() {
    local title=$3
    for _ in 1 2 3; do
        press "$1" "$2"
        wait_window "$title" 100 >/dev/null && return 0
    done
    give_up "no window \"$title\" after pressing at $1,$2"
}

main=$(wait_window Kelvasto) || give_up "no main window"
sleep 1
press_for 84 28 'ファイルを開く$'           # ファイルを開く
answer 'ファイルを開く$'                   # the open dialog, with TPERSON.VRX already named
sleep 1
press_for 84 400 "$app_title"             # 特技クリア
answer "$app_title"                       # n名の特技をすべて消しますか？
press_for 84 79 "$app_title"              # ファイルに保存
answer "$app_title"                       # 書き込んでよろしいですか？
answer "$app_title"                       # 保存しました
$tools close "$main"
wait "$pid"
