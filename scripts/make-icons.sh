#!/usr/bin/env bash
# Regenerates res/icons/pinora-light.ico (icon 101, dark art) and pinora-dark.ico (icon 102,
# light art) from the drawing res/icons/pinora.svg: 64, 32, 24 and 16 pixel images at
# 32 bits per pixel. Needs rsvg-convert (librsvg2-bin) and python3 with Pillow (python3-pil).
# The .ico files are committed, so building Pinora needs none of these tools.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
make_icon() {  # $1 art colour, $2 output file
    local sizes=(64 32 24 16) pngs=()
    sed "s/ART/$1/g" "$root/res/icons/pinora.svg" > "$work/art.svg"
    for s in "${sizes[@]}"; do
        rsvg-convert -w "$s" -h "$s" "$work/art.svg" -o "$work/$s.png"
        pngs+=("$work/$s.png")
    done
    /usr/bin/python3 "$root/scripts/pack_ico.py" "$2" "${pngs[@]}"
}
make_icon '#202020' "$root/res/icons/pinora-light.ico"
make_icon '#F4F4F4' "$root/res/icons/pinora-dark.ico"
