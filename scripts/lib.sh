# Sourced by run.sh and test.sh: installing what is missing, the Wine prefix, the X display
# and Wine's keepalive program.
PNR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PNR_BUILD="$PNR_ROOT/build/mingw"

pnr_log() { printf '[pinora] %s\n' "$*" >&2; }

# Runs a command (wine, wineboot) with the process layout fixed. Debian's Wine starts without
# a preloader: its loader sits at 0x7d000000, and recent kernels put the process heap anywhere
# in the gigabyte above it, now and then across 0x7ffe0000, where every Wine process maps its
# shared user data; that process then dies at start ("failed to map the shared user data:
# c0000018"), about one start in 1500. Without address randomisation the heap follows the
# loader. The programs Wine starts from there inherit the setting.
pnr_fixed_layout() { setarch "$(uname -m)" --addr-no-randomize "$@"; }

# Wine's own fonts (Debian package fonts-wine). This Wine does not look for them where the
# package puts them: each prefix gets a copy (pnr_prefix).
PNR_WINE_FONTS=/usr/share/wine/fonts

pnr_install_deps() {
    local need=()
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix mingw-w64-tools)
    command -v wine >/dev/null || need+=(wine wine64)
    [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
    command -v Xvfb >/dev/null || need+=(xvfb)
    command -v cmake >/dev/null || need+=(cmake)
    command -v ninja >/dev/null || need+=(ninja-build)
    command -v import >/dev/null || need+=(imagemagick)
    command -v xdpyinfo >/dev/null || need+=(x11-utils)
    [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
    command -v wixl >/dev/null || need+=(wixl)
    command -v zip >/dev/null || need+=(zip)
    [ -d "$PNR_WINE_FONTS" ] || need+=(fonts-wine)
    if [ "${1:-}" = fuzz ]; then
        command -v clang++ >/dev/null || need+=(clang)
        ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
    fi
    [ ${#need[@]} -eq 0 ] && return 0
    pnr_log "installing: ${need[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
}

# pnr_build [target...]: configures the mingw preset and builds the targets (all by default).
pnr_build() {
    cmake --preset mingw -S "$PNR_ROOT" >/dev/null
    if [ $# -gt 0 ]; then
        cmake --build "$PNR_BUILD" -j "$(nproc)" --target "$@"
    else
        cmake --build "$PNR_BUILD" -j "$(nproc)"
    fi
}

# The project version of a configured build folder (CMake writes it into a generated header).
pnr_project_version() {
    sed -n 's/^#define PINORA_VERSION_STRING "\(.*\)"$/\1/p' "$1/generated/pinora_version.h"
}

# pnr_cache_value <build folder> <name>: a CMake cache value of that build.
pnr_cache_value() {
    sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
}

# Text files shipped for Windows get CRLF line ends (a filter).
pnr_crlf() {
    sed 's/\r*$/\r/'
}

# pnr_build_msi <build folder> <output.msi> [version] [update library DLL]: the installer
# (packaging/pinora.wxs) around that build's Pinora.exe and setup actions. The version defaults
# to the build's own; the update library, when given, is installed beside the program.
pnr_build_msi() {
    local build="$1" out version="${3:-}" update="${4:-}"
    out="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
    [ -n "$version" ] || version="$(pnr_project_version "$build")"
    if ! [[ "$version" =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]]; then
        pnr_log "not a version of three numbers: '$version'"
        return 1
    fi
    local next="${BASH_REMATCH[1]}.${BASH_REMATCH[2]}.$((BASH_REMATCH[3] + 1))"
    local stage
    stage="$(mktemp -d)"
    cp "$build/bin/Pinora.exe" "$build/bin/PinoraSetupActions.dll" "$stage/"
    cp "$PNR_ROOT/res/icons/pinora-light.ico" "$stage/Pinora.ico"
    pnr_crlf <"$PNR_ROOT/LICENSE" >"$stage/LICENSE.txt"
    local defines=(-D "Version=$version" -D "NextPatchVersion=$next"
                   -D "HelpUrl=$(pnr_cache_value "$build" PINORA_HELP_URL)")
    if [ -n "$update" ]; then
        cp "$update" "$stage/WinSparkle.dll"
        defines+=(-D UpdateLibrary=1)
    fi
    local status=0
    (cd "$stage" && wixl -a x64 -o "$out" "${defines[@]}" "$PNR_ROOT/packaging/pinora.wxs") || status=1
    rm -rf "$stage"
    return $status
}

# pnr_prefix <path> <desktop|unmanaged>: creates the prefix once, set to report Windows 10.
# "desktop" runs everything in a Wine virtual desktop with a taskbar (run.sh); "unmanaged"
# turns off window management instead (tests: no 2-second stall on hiding windows).
pnr_prefix() {
    export WINEPREFIX="$1"
    source "$PNR_ROOT/scripts/wine-env.sh"
    if [ ! -f "$WINEPREFIX/.pinora-ready" ]; then
        pnr_log "creating Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        pnr_fixed_layout wineboot -i >/dev/null 2>&1 || true
        pnr_fixed_layout wine winecfg /v win10 >/dev/null 2>&1 || true
        wineserver -w || true
        touch "$WINEPREFIX/.pinora-ready"
    fi
    # Without Wine's own fonts the controls are drawn in a wider font than the README pictures
    # show, which cuts labels short (" Cluster Config " wraps, "Clusters" and "Windows" hide).
    cp -n "$PNR_WINE_FONTS"/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    if [ "$2" = desktop ]; then
        pnr_fixed_layout wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 || true
        pnr_fixed_layout wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f >/dev/null 2>&1 || true
        pnr_fixed_layout wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
    else
        pnr_fixed_layout wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        pnr_fixed_layout wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
    fi
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# Starts Xvfb on a free display of its own and exports DISPLAY.
pnr_start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
        PNR_XVFB_PID=$!
        for _ in $(seq 50); do
            xdpyinfo -display ":$n" >/dev/null 2>&1 && { export DISPLAY=":$n"; return 0; }
            sleep 0.1
        done
        kill "$PNR_XVFB_PID" 2>/dev/null
    done
    pnr_log "could not start Xvfb"
    return 1
}

# Wine's own helper processes inherit the standard streams of the first Wine process of a
# prefix; started from inside CTest they keep it waiting. A small program of ours that only
# waits in a message loop keeps those helpers up, with its streams going nowhere.
pnr_start_keepalive() {
    # pnr_fixed_layout spelled out: a function run in the background would leave its own
    # shell, not Wine, as $!.
    setarch "$(uname -m)" --addr-no-randomize wine "$PNR_BUILD/bin/pinora_keepalive.exe" </dev/null >/dev/null 2>&1 &
    PNR_KEEPALIVE_PID=$!
    sleep 1
}

pnr_stop_all() {
    [ -n "${PNR_KEEPALIVE_PID:-}" ] && kill "$PNR_KEEPALIVE_PID" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    [ -n "${PNR_XVFB_PID:-}" ] && kill "$PNR_XVFB_PID" 2>/dev/null
    return 0
}
