#!/usr/bin/env bash
# full_disk.sh up|down <folder>: mounts a 16 KiB tmpfs on the folder for the full-disk test,
# or removes it. The marker file exists only inside the mounted file system, so the test can
# never fill a real disk: without the right to mount it finds no marker and skips.
set -u
folder="$2"
mountpoint -q "$folder" 2>/dev/null && umount "$folder"
[ "$1" = up ] || exit 0
mkdir -p "$folder" && rm -rf "${folder:?}"/* 2>/dev/null
if mount -t tmpfs -o size=16k,mode=0777 pnr-full-disk "$folder" 2>/dev/null; then
    touch "$folder/small-disk"
else
    echo "full_disk.sh: cannot mount a tmpfs here; the full-disk test will skip" >&2
fi
exit 0
