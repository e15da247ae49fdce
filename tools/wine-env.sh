#!/usr/bin/env bash
# Runs a Windows program under Wine, setting up whatever is missing first:
# the Wine packages, 32-bit execution (emulated where the kernel cannot run
# 32-bit code), an X display and a private Wine prefix under build/.
#
#   wine-env.sh run <program.exe> [args...]   set up if needed, then run it
#   wine-env.sh setup                          only set up
#   wine-env.sh stop                           stop the wineserver and the display
#
# The set-up is done once and shared by later calls; a lock keeps parallel
# callers from doing it twice.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
state=${KORZEL_WINE_STATE:-$root/build/wine}
mkdir -p "$state"

export WINEPREFIX=$state/prefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No debugger on a crash: a crashed test ends at once instead of waiting in it.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
export WINESERVER=/usr/lib/wine/wineserver64

log() { echo "wine-env: $*" >&2; }

can_run_32bit() {
    # Any small 32-bit ELF will do; Wine's own loader is one.
    local out
    out=$(/usr/lib/wine/wine --version 2>&1) && return 0
    case "$out" in *"Exec format error"*) return 1 ;; esac
    return 0  # it ran; whatever it said is Wine's business
}

enable_32bit() {
    can_run_32bit && return 0
    log "this kernel cannot run 32-bit code: emulating it with qemu-i386"
    SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
    if ! dpkg-query -W -f='${db:Status-Abbrev}' qemu-user-static 2>/dev/null | grep -q '^ii'; then
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends qemu-user-static >/dev/null
    fi
    [ -e /proc/sys/fs/binfmt_misc/register ] || $SUDO mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
        # i386 ELF executables and shared objects (e_type 2 or 3), run by the
        # static emulator, opened now so it works in any mount namespace.
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
            | $SUDO tee /proc/sys/fs/binfmt_misc/register >/dev/null
    fi
    can_run_32bit || { log "32-bit programs still cannot run"; exit 1; }
}

# A private X display: Xvfb picks a free display number and writes it down.
start_display() {
    if display_alive; then return 0; fi
    rm -f "$state/display"
    # fd 9 is the set-up lock: the display must not keep holding it.
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$state/display" >"$state/xvfb.log" 2>&1 9>&- &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
        display_alive && return 0
        sleep 0.1
    done
    log "Xvfb did not start:"; cat "$state/xvfb.log" >&2; exit 1
}

display_alive() {
    [ -s "$state/display" ] && [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

make_prefix() {
    [ -f "$state/prefix.ready" ] && return 0
    log "creating the Wine prefix $WINEPREFIX (a few minutes the first time)"
    rm -rf "$WINEPREFIX"
    local started=$SECONDS
    /usr/lib/wine/wine64 wineboot --init >"$state/wineboot.log" 2>&1
    # There is no window manager on this display: let Wine place windows
    # itself instead of waiting for a manager's answer on every map and unmap.
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$state/wineboot.log" 2>&1
    # The 32-bit half of the prefix is set up in the background; a 32-bit
    # program started before it ends finds no kernel32.dll.
    "$WINESERVER" -w
    [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] || { log "prefix incomplete"; cat "$state/wineboot.log" >&2; exit 1; }
    log "prefix ready after $((SECONDS - started)) s"
    touch "$state/prefix.ready"
}

setup() {
    "$root/tools/bootstrap.sh" wine
    (
        flock 9
        enable_32bit
        start_display
        export DISPLAY=":$(cat "$state/display")"
        make_prefix
    ) 9>"$state/setup.lock"
    DISPLAY=":$(cat "$state/display")"
    export DISPLAY
}

# 32-bit programs go through the wine loader, 64-bit ones through wine64.
loader_for() {
    case "$(od -An -tx1 -j "$(( $(od -An -tu4 -j60 -N4 "$1") + 4 ))" -N2 "$1" | tr -d ' ')" in
        4c01) echo /usr/lib/wine/wine ;;
        *) echo /usr/lib/wine/wine64 ;;
    esac
}

case "${1:-}" in
    setup) setup ;;
    run)
        shift
        setup
        exec "$(loader_for "$1")" "$@"
        ;;
    stop)
        "$WINESERVER" -k 2>/dev/null || true
        if [ -f "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; rm -f "$state/xvfb.pid"; fi
        ;;
    *) echo "usage: $0 setup | run <program.exe> [args...] | stop" >&2; exit 2 ;;
esac
