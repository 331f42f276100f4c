#!/usr/bin/python3
"""Converts an uncompressed 8-bit palette BMP to a PNG of the same pixels: the browser page
shows the outline drawing at a tenth of the BMP's size. Usage: bmp_to_png.py IN.bmp OUT.png"""
import struct
import sys
import zlib


def read_bmp8(data):
    if data[:2] != b"BM":
        raise ValueError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    colours = struct.unpack_from("<I", data, 46)[0] or 256
    if bits != 8 or compression != 0 or planes != 1:
        raise ValueError("only uncompressed 8-bit BMP files are handled")
    palette_at = 14 + header_size
    palette = b"".join(bytes((data[palette_at + 4 * i + 2], data[palette_at + 4 * i + 1], data[palette_at + 4 * i]))
                       for i in range(colours))
    stride = (width + 3) // 4 * 4
    bottom_up = height > 0
    height = abs(height)
    rows = []
    for y in range(height):
        source = height - 1 - y if bottom_up else y
        start = offset + source * stride
        rows.append(data[start:start + width])
    return width, height, palette, rows


def png_chunk(kind, payload):
    return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", zlib.crc32(kind + payload))


def write_png8(width, height, palette, rows):
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0))
            + png_chunk(b"PLTE", palette)
            + png_chunk(b"IDAT", zlib.compress(raw, 9))
            + png_chunk(b"IEND", b""))


def main():
    with open(sys.argv[1], "rb") as source:
        width, height, palette, rows = read_bmp8(source.read())
    with open(sys.argv[2], "wb") as target:
        target.write(write_png8(width, height, palette, rows))


if __name__ == "__main__":
    main()
