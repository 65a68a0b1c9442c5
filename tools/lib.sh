# Shared by tools/setup, run, test and bench. Source it; it defines functions only.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${GLIMRA_BUILD:-$ROOT/build}
export WINEPREFIX="$BUILD/wineprefix"
# The two-monitor display needs a wineserver of its own: one server serves one set of monitors.
DUAL_PREFIX="$BUILD/wineprefix-dual"
# So does the wide single-monitor display of the benchmarks.
WIDE_PREFIX="$BUILD/wineprefix-wide"
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}

PACKAGES=(g++-mingw-w64-x86-64 wine64 wine xvfb xserver-xephyr xdotool imagemagick x11-utils
          fonts-ipafont fonts-vlgothic cmake ninja-build googletest python3 clang clang-format g++)
# Bump when the prefix set-up below changes, so existing prefixes are set up again.
PREFIX_VERSION=2
STARTED_PIDS=()

log() { echo "[glimra] $*" >&2; }

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build() {
    if [ ! -f "$BUILD/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
    fi
    cmake --build "$BUILD" -- "$@"
}

# A registry write; Wine's first calls in a new prefix now and then fail while its
# services start, so it is tried again before the set-up gives up.
wine_reg() {
    for _ in 1 2 3; do
        wine reg add "$@" /f >/dev/null 2>&1 && return 0
        sleep 1
    done
    log "could not write the registry value: $*"
    return 1
}

# Waits until the prefix's wineserver has ended; none running is fine.
wait_wineserver() { wineserver -w >/dev/null 2>&1 || true; }

ensure_prefix() {
    local stamp="$WINEPREFIX/.glimra-prefix"
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$PREFIX_VERSION" ] && return 0
    log "setting up the Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    DISPLAY= wineboot -i >/dev/null 2>&1 || true
    wine_reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    wine_reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 0
    # Japanese faces the program asks for, drawn with the IPA font.
    for face in 'メイリオ' 'Meiryo' 'Meiryo UI' 'MS UI Gothic' 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS Gothic'; do
        wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d 'IPAPGothic'
    done
    # Japanese Windows draws the settings pages in a Japanese face narrower than the dialog's
    # own; this one looks the same here. The dialog grows where a page would not fit.
    wine_reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS Shell Dlg' /t REG_SZ /d 'VL PGothic'
    wait_wineserver
    stamp_prefix "$WINEPREFIX"
}

# launch_server VAR COMMAND...: starts an X server that picks a free display itself
# (-displayfd, so parallel runs never share one) and stores ":N" in VAR once it answers.
# (Not a command substitution: the pid must be kept in this shell to be stopped later.)
launch_server() {
    local var=$1 fdfile
    shift
    fdfile=$(mktemp)
    "$@" -displayfd 3 3>"$fdfile" >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    for _ in $(seq 400); do
        if [ -s "$fdfile" ] && xdpyinfo -display ":$(head -n1 "$fdfile")" >/dev/null 2>&1; then
            printf -v "$var" ':%s' "$(head -n1 "$fdfile")"
            rm -f "$fdfile"
            return 0
        fi
        sleep 0.05
    done
    rm -f "$fdfile"
    log "X server did not come up: $*"
    return 1
}

# start_xvfb VAR SIZE
start_xvfb() { launch_server "$1" Xvfb -screen 0 "$2x24" -nolisten tcp; }

# start_dual_display VAR: two 1920x1080 monitors side by side inside a wide Xvfb;
# Wine makes the right one primary, so the virtual screen starts at x = -1920.
start_dual_display() {
    local outer
    start_xvfb outer 3840x1080 || return 1
    DISPLAY=$outer launch_server "$1" Xephyr -extension RANDR +xinerama -origin 0,0 -screen 1920x1080x24 \
        -origin 1920,0 -screen 1920x1080x24 -nolisten tcp -no-host-grab
}

# Without a window manager, Wine waits two seconds for every managed window to be
# withdrawn; on the virtual displays the windows are left unmanaged instead. A real
# desktop keeps them managed.
set_managed() {
    local value=$1 prefix
    for prefix in "$WINEPREFIX" "$DUAL_PREFIX" "$WIDE_PREFIX"; do
        [ -d "$prefix" ] || continue
        grep -q "\"Managed\"=\"$value\"" "$prefix/user.reg" 2>/dev/null && continue
        WINEPREFIX=$prefix wine_reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$value"
        WINEPREFIX=$prefix wait_wineserver
    done
}

# A persistent server, and Wine's desktop and services started now, so that no test's
# output pipe is held open by them.
start_wineserver() {
    wineserver -p
    wineboot </dev/null >/dev/null 2>&1
}

# copy_prefix DIR: a copy of the prefix, for a display that needs a wineserver of its own;
# false when an up-to-date copy exists. The caller stamps it once its own set-up is done.
copy_prefix() {
    local stamp="$1/.glimra-prefix"
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$PREFIX_VERSION" ] && return 1
    rm -rf "$1"
    cp -a "$WINEPREFIX" "$1"
    rm -f "$stamp"
}

stamp_prefix() { echo "$PREFIX_VERSION" > "$1/.glimra-prefix"; }

# The two-monitor copy makes the right monitor primary, so the left one lies at x < 0.
ensure_dual_prefix() {
    copy_prefix "$DUAL_PREFIX" || return 0
    WINEPREFIX=$DUAL_PREFIX wine_reg 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /t REG_SZ /d 1
    WINEPREFIX=$DUAL_PREFIX wait_wineserver
    stamp_prefix "$DUAL_PREFIX"
}

ensure_wide_prefix() { copy_prefix "$WIDE_PREFIX" && stamp_prefix "$WIDE_PREFIX" || true; }

# A plain copy of the prefix, for a display of another size.

# A 1 MiB disk inside the prefix that really fills up, where a full-screen image cannot fit;
# only root can mount it, and without it the test that needs it is skipped.
SMALL_DISK="$WINEPREFIX/drive_c/glimra-full-disk"
mount_small_disk() {
    [ "$(id -u)" -eq 0 ] || return 0
    mkdir -p "$SMALL_DISK"
    mountpoint -q "$SMALL_DISK" || mount -t tmpfs -o size=1m tmpfs "$SMALL_DISK" || rmdir "$SMALL_DISK"
}
unmount_small_disk() {
    [ -d "$SMALL_DISK" ] || return 0
    mountpoint -q "$SMALL_DISK" && umount "$SMALL_DISK"
    rmdir "$SMALL_DISK" 2>/dev/null || true
}

stop_started() {
    wineserver -k >/dev/null 2>&1 || true
    [ -d "$DUAL_PREFIX" ] && WINEPREFIX=$DUAL_PREFIX wineserver -k >/dev/null 2>&1 || true
    [ -d "$WIDE_PREFIX" ] && WINEPREFIX=$WIDE_PREFIX wineserver -k >/dev/null 2>&1 || true
    for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${STARTED_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    STARTED_PIDS=()
    unmount_small_disk
}

# wait_window NAME: prints the first visible window whose name matches, within 10 s.
wait_window() {
    for _ in $(seq 200); do
        xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 && return 0
        sleep 0.05
    done
    log "no window named $1"
    return 1
}

# start_glimra_in NAME INI: starts Glimra in the background with a fresh temp folder C:\NAME of
# its own, so the user's settings and images stay as they are; INI (printf escapes) is its
# settings file.
start_glimra_in() {
    local temp="$WINEPREFIX/drive_c/$1"
    rm -rf "$temp"
    mkdir -p "$temp/__GLIMRA__"
    printf "$2" | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$temp/__GLIMRA__/Glimra.ini"
    wine cmd /c "set TMP=C:\\$1&& set TEMP=C:\\$1&& $(winepath -w "$BUILD/Glimra.exe")" >/dev/null 2>&1 &
}

# The prefix's display scale (LogPixels), read by Wine when a program starts. remember_dpi
# keeps the prefix's own, restore_dpi puts it back.
DESKTOP_KEY='HKCU\Control Panel\Desktop'
set_dpi() { wine_reg "$DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$1"; }
remember_dpi() {
    OLD_DPI=$(wine reg query "$DESKTOP_KEY" /v LogPixels 2>/dev/null | awk '/LogPixels/ { print $3 }' || true)
}
restore_dpi() {
    if [ -n "${OLD_DPI:-}" ]; then
        set_dpi "$((OLD_DPI))"
    else
        reset_dpi
    fi
}
# A scale test that was killed leaves its LogPixels behind; test runs start from the default.
reset_dpi() { wine reg delete "$DESKTOP_KEY" /v LogPixels /f >/dev/null 2>&1 || true; }

# click_toolbar_button X Y DPI I: a click on command button I of the toolbar at (X, Y) drawn
# at DPI; its centre at 96 DPI is (25 + 45 I, 49).
click_toolbar_button() {
    xdotool mousemove $(($1 + (25 + 45 * $4) * $3 / 96)) $(($2 + 49 * $3 / 96)) click 1
}
