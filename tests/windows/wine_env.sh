# Sourced by the Wine checks: runs Windows programs as a Japanese player's Windows would, in
# Wine: as a user other than root (who would ignore read-only files), in a ja_JP.UTF-8 locale
# built into the work folder (so that the system code page is 932), with a prefix of its own.
#   wine_setup <work folder> [32|64]
#       checks for Wine of that width (exit 77 without it, or for 32-bit programs on a machine
#       that cannot run them), prepares the locale and the prefix, and defines
#       in_wine <command...>
# Everything Wine touches lives in the work folder, owned by the user who runs it.

wine_skipped=77

wine_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

wine_seconds_since() {
    awk -v s="$1" -v n="$(date +%s.%N)" 'BEGIN {printf "%.1f", n - s}'
}

wine_setup() {
    wine_work=$1
    local bits=${2:-32} loader server
    if [ "$bits" = 64 ]; then
        # Debian's wine64 runs 64-bit programs on any x86-64 machine.
        loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64
        if [ ! -x "$loader" ]; then
            echo "SKIPPED: Wine for 64-bit programs is not installed (scripts/setup.sh installs" \
                "Debian's wine64)." >&2
            exit "$wine_skipped"
        fi
    else
        # Debian's wine runs 32-bit programs only with wine32:i386, which puts its loader here.
        loader=/usr/lib/wine/wine server=/usr/lib/wine/wineserver32
        [ -x "$server" ] || server=/usr/lib/wine/wineserver
        if [ ! -x "$loader" ] || [ ! -x "$server" ]; then
            echo "SKIPPED: Wine for 32-bit programs is not installed (scripts/setup.sh installs" \
                "Debian's wine and wine32:i386)." >&2
            exit "$wine_skipped"
        fi
        # A kernel without 32-bit emulation (booted without ia32_emulation) cannot start Wine's
        # 32-bit loader at all: "Exec format error".
        if ! "$loader" --version >/dev/null 2>&1; then
            echo "SKIPPED: this machine cannot run 32-bit programs (its kernel has 32-bit" \
                "emulation off), so Wine cannot run them either." >&2
            exit "$wine_skipped"
        fi
    fi
    # wine and wineserver on the PATH are the loader and server of the chosen width.
    mkdir -p "$wine_work/home" "$wine_work/bin"
    printf '#!/bin/sh\nexec %s "$@"\n' "$loader" >"$wine_work/bin/wine"
    printf '#!/bin/sh\nexec %s "$@"\n' "$server" >"$wine_work/bin/wineserver"
    chmod 755 "$wine_work/bin/wine" "$wine_work/bin/wineserver"
    wine_runner=()
    if [ "$(id -u)" -eq 0 ]; then
        chown -R nobody:nogroup "$wine_work"
        wine_runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    local locales=$wine_work/locales
    if [ ! -d "$locales/ja_JP.UTF-8" ]; then
        mkdir -p "$locales"
        localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" ||
            wine_fail "could not build the ja_JP.UTF-8 locale (package locales)"
    fi
    wine_env=(env PATH="$wine_work/bin:$PATH" HOME="$wine_work/home"
        WINEPREFIX="$wine_work/prefix" WINEARCH="win$bits"
        WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LOCPATH="$locales"
        LC_ALL=ja_JP.UTF-8)
    if [ ! -d "$wine_work/prefix" ]; then
        local started
        started=$(date +%s.%N)
        in_wine wine wineboot --init >"$wine_work/wineboot.log" 2>&1 ||
            { cat "$wine_work/wineboot.log" >&2; wine_fail "wineboot"; }
        in_wine wineserver -w
        echo "Wine prefix made in $(wine_seconds_since "$started") s"
    fi
}

in_wine() {
    "${wine_runner[@]}" "${wine_env[@]}" "$@"
}

# Hands a folder made by the caller (root) to the user Wine runs as.
wine_own() {
    [ "$(id -u)" -ne 0 ] || chown -R nobody:nogroup "$@"
}
