"""Packs PNG images into one .ico file of 32-bit BMP images (BGRA plus an AND mask)."""
import struct
import sys

from PIL import Image


def bmp_entry(image):
    image = image.convert("RGBA")
    w, h = image.size
    pixels = image.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up rows
        for x in range(w):
            r, g, b, a = pixels[x, y]
            xor += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if pixels[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def main(out, pngs):
    images = [Image.open(p) for p in pngs]
    blobs = [bmp_entry(im) for im in images]
    offset = 6 + 16 * len(blobs)
    data = struct.pack("<HHH", 0, 1, len(blobs))
    for im, blob in zip(images, blobs):
        w, h = im.size
        data += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(out, "wb") as f:
        f.write(data + b"".join(blobs))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
