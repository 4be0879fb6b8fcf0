#!/usr/bin/env bash
# Cuts the release packages from the current source: a Release build of its own (optimised,
# stripped) in build/release, then, in dist/, the installer Pinora-<version>-x64.msi and the
# portable archive Pinora-<version>-x64.zip. The version is the CMake project version.
# From the environment (see README.md, "Cutting a release"):
#   PINORA_UPDATE_FEED_URL, PINORA_HELP_URL  the publisher's addresses; kept in build/release
#                                            once given, placeholders until then
#   PINORA_UPDATE_LIBRARY                    the update library's DLL, shipped beside Pinora.exe
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$PNR_ROOT"

pnr_install_deps || { pnr_log "installing the tools failed"; exit 1; }

build="$PNR_ROOT/build/release"
settings=()
[ -n "${PINORA_UPDATE_FEED_URL:-}" ] && settings+=("-DPINORA_UPDATE_FEED_URL=$PINORA_UPDATE_FEED_URL")
[ -n "${PINORA_HELP_URL:-}" ] && settings+=("-DPINORA_HELP_URL=$PINORA_HELP_URL")
cmake --preset mingw-release "${settings[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target Pinora pinora_setup_actions

version="$(pnr_project_version "$build")"
name="Pinora-$version-x64"
x86_64-w64-mingw32-windres -i "$build/bin/Pinora.exe" -O rc | grep -q "VALUE \"ProductVersion\", \"$version\"" || {
    pnr_log "the version block of Pinora.exe does not name $version"
    exit 1
}
for setting in PINORA_UPDATE_FEED_URL PINORA_HELP_URL; do
    case "$(pnr_cache_value "$build" "$setting")" in
        *.invalid*) pnr_log "WARNING: $setting is still the placeholder: not for publishing" ;;
    esac
done
update="${PINORA_UPDATE_LIBRARY:-}"
if [ -n "$update" ] && [ ! -f "$update" ]; then
    pnr_log "PINORA_UPDATE_LIBRARY names no file: $update"
    exit 1
fi
[ -n "$update" ] || pnr_log "no update library given (PINORA_UPDATE_LIBRARY): the packages run without update checks"

mkdir -p dist
rm -f "dist/$name.msi" "dist/$name.zip"
pnr_build_msi "$build" "dist/$name.msi" "$version" "$update"

portable="$build/portable"
rm -rf "$portable"
mkdir -p "$portable"
cp "$build/bin/Pinora.exe" "$portable/"
[ -z "$update" ] || cp "$update" "$portable/WinSparkle.dll"
sed "s/@VERSION@/$version/g" packaging/README.txt.in | pnr_crlf >"$portable/README.txt"
pnr_crlf <LICENSE >"$portable/LICENSE.txt"
(cd "$portable" && zip -q -X "$PNR_ROOT/dist/$name.zip" ./*)

pnr_log "packages of version $version:"
(cd dist && sha256sum "$name.msi" "$name.zip")
