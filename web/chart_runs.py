#!/usr/bin/python3
"""Writes the chart picture as a C++ source of colour runs for the browser's module, which
downloads every byte it carries: the 24-bit BMP's 600 KB are a few tens of KB of runs.
The bytes: the number of colours, each colour as red, green, blue; then each run, from the top
left row by row, as its colour's index and its length in LEB128.
Usage: chart_runs.py CHART.bmp OUT.cpp"""
import struct
import sys


def pixels(data):
    if data[:2] != b'BM':
        raise ValueError('not a BMP file')
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from('<iiHHI', data, 18)
    if bits != 24 or compression != 0:
        raise ValueError('only uncompressed 24-bit BMP files are handled')
    stride = (width * 3 + 3) // 4 * 4
    for y in range(abs(height)):
        row = offset + (abs(height) - 1 - y if height > 0 else y) * stride
        for x in range(width):
            blue, green, red = data[row + 3 * x:row + 3 * x + 3]
            yield red, green, blue


def runs(colours):
    palette, out = [], bytearray()
    last, length = None, 0
    for colour in list(colours) + [None]:
        if colour == last:
            length += 1
            continue
        if last is not None:
            out.append(palette.index(last))
            while True:
                out.append((length & 0x7F) | (0x80 if length > 0x7F else 0))
                length >>= 7
                if not length:
                    break
        if colour is not None and colour not in palette:
            palette.append(colour)
        last, length = colour, 1
    if len(palette) > 255:
        raise ValueError('more colours than a byte counts')
    return bytes([len(palette)]) + b''.join(bytes(c) for c in palette) + bytes(out)


def main():
    with open(sys.argv[1], 'rb') as f:
        data = runs(pixels(f.read()))
    lines = [', '.join(f'0x{b:02x}' for b in data[i:i + 16]) for i in range(0, len(data), 16)]
    with open(sys.argv[2], 'w', encoding='ascii') as f:
        f.write('#include <cstdint>\n#include <span>\n\nnamespace embedded {\nnamespace {\n'
                'constexpr std::uint8_t kRuns[] = {\n' + ',\n'.join(lines) + '};\n}  // namespace\n\n'
                'std::span<const std::uint8_t> chartRuns() { return kRuns; }\n\n}  // namespace embedded\n')


if __name__ == '__main__':
    main()
