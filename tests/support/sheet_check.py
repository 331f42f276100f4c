#!/usr/bin/python3
"""The checks every front end's sheet must pass, on the PDF it made: every text of the core's
drawing is there as text (pdftotext), the chart is embedded as its own pixels, whole or at a
whole factor (pdfimages), and a rendering (pdftoppm) shows the chart pixel for pixel outside the
cross-hair. The core's drawing comes as the SVG the command line writes of the same sheet.

Usage: sheet_check.py --chart resources/chart.bmp --expect SHEET.svg FILE.pdf..."""
import argparse
import html
import os
import re
import subprocess
import sys
import tempfile
import zlib

from PIL import Image

DPI = 400  # four device pixels a chart pixel: renderers draw it without smoothing
POINTS = 72


def expected_texts(svg):
    return [html.unescape(t) for t in re.findall(r'<text[^>]*>(.*?)</text>', svg)]


def chart_place(svg):
    x, y, width, height = (float(re.search(rf'<image [^>]*?\b{a}="([\d.]+)"', svg).group(1))
                           for a in ('x', 'y', 'width', 'height'))
    return x, y, width, height


def cross_hair_cells(svg, place, chart_size):
    """The chart pixels the cross-hair and marker cover, and their neighbours."""
    x0, y0, width, _ = place
    pixel = width / chart_size[0]
    cells = set()
    for element in re.findall(r'<(?:line|rect) [^>]*stroke="#ffc0c0"[^>]*>', svg):
        a = {k: float(v) for k, v in re.findall(r'\b(x1|y1|x2|y2|x|y|width|height)="([\d.-]+)"', element)}
        if 'x1' in a:
            xs, ys = (a['x1'], a['x2']), (a['y1'], a['y2'])
        else:
            xs, ys = (a['x'], a['x'] + a['width']), (a['y'], a['y'] + a['height'])
        left, right = (int((min(xs) - x0) / pixel) - 1, int((max(xs) - x0) / pixel) + 1)
        top, bottom = (int((min(ys) - y0) / pixel) - 1, int((max(ys) - y0) / pixel) + 1)
        cells.update((cx, cy) for cx in range(left, right + 1) for cy in range(top, bottom + 1))
    return cells


def entry_number(entries, key):
    """The number under `key` in a PDF dictionary's entries."""
    return int(re.search(rb'/' + key + rb'\s+(\d+)', entries).group(1))


def stored_images(pdf):
    """The samples of each 8-bit RGB image as the PDF stores them, before any colour management
    of a reader's; and whether it names an ICC profile, which poppler applies when it converts."""
    data = open(pdf, 'rb').read()
    images = []
    for match in re.finditer(rb'<<((?:(?!>>\s*stream).)*?/Subtype\s*/Image.*?)>>\s*stream\r?\n', data, re.S):
        entries = match.group(1)
        length_ref = re.search(rb'/Length\s+(\d+)\s+(\d+)\s+R', entries)
        if length_ref:
            length = int(re.search(rb'\n' + length_ref.group(1) + rb' 0 obj\s*(\d+)', data).group(1))
        else:
            length = entry_number(entries, b'Length')
        stream = data[match.end():match.end() + length]
        if b'/FlateDecode' not in entries or entry_number(entries, b'BitsPerComponent') != 8:
            continue
        width, height = entry_number(entries, b'Width'), entry_number(entries, b'Height')
        samples = zlib.decompress(stream)
        predictor = re.search(rb'/Predictor\s+(\d+)', entries)
        if predictor and int(predictor.group(1)) >= 10:
            samples = unpredict(samples, width * 3)
        if len(samples) == width * height * 3:
            images.append((Image.frombytes('RGB', (width, height), samples), b'/ICCBased' in entries))
    return images


def unpredict(samples, row):
    """Undoes the PNG predictors of a stream, row by row."""
    out, above = bytearray(), bytearray(row)
    for start in range(0, len(samples), row + 1):
        kind, line = samples[start], bytearray(samples[start + 1:start + 1 + row])
        for i in range(row):
            left = line[i - 3] if i >= 3 else 0
            up, corner = above[i], above[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                best = min((abs(p - left), 0, left), (abs(p - up), 1, up), (abs(p - corner), 2, corner))[2]
                line[i] = (line[i] + best) & 255
        out += line
        above = line
    return bytes(out)


def same_pixels(a, b, tolerance):
    if tolerance == 0:
        return a == b
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def words(text):
    return ' '.join(text.split())


def check_pdf(pdf, svg, chart):
    """The faults of one PDF, in words; none when it passes."""
    faults = []
    shown = words(subprocess.run(['pdftotext', '-raw', pdf, '-'], capture_output=True, text=True,
                                 check=True).stdout)
    for text in expected_texts(svg):
        if words(text) not in shown:
            faults.append(f'text "{text}" is not in the PDF as text')

    # The chart as stored, exactly; as pdfimages gives it, within poppler's colour management
    # (an sRGB profile in the file, as Chromium writes one, moves pure green by one level).
    stored = stored_images(pdf)
    profiled = any(icc for _, icc in stored)
    tolerance = 1 if profiled else 0
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(['pdfimages', '-png', pdf, os.path.join(folder, 'image')], check=True)
        extracted = [Image.open(os.path.join(folder, f)).convert('RGB') for f in sorted(os.listdir(folder))]
        if len(extracted) != 1:
            faults.append(f'{len(extracted)} images where the chart is the one')
        for image, how in [(i, 'as stored') for i, _ in stored] + [(i, 'as pdfimages gives it') for i in extracted]:
            factor = image.width // chart.width
            if factor < 1 or image.size != (chart.width * factor, chart.height * factor):
                faults.append(f'the image {how} is {image.size}, no whole multiple of the chart')
                continue
            exact = 0 if how == 'as stored' else tolerance
            wrong = sum(not same_pixels(p, q, exact) for p, q in zip(
                image.resize(chart.size, Image.NEAREST).getdata(), chart.getdata()))
            whole = image.tobytes() == chart.resize(image.size, Image.NEAREST).tobytes() or exact
            if wrong or not whole:
                faults.append(f'the embedded image {how} is not the chart pixel for pixel ({wrong} differ)')

        place = chart_place(svg)
        scale = DPI / POINTS
        block = round(place[2] * scale / chart.width)
        # A browser lays its page out on its own grid and may place it a fraction of a point from
        # where the drawing says: the chart is looked for a few device pixels around its place.
        margin = 8
        left, top = round(place[0] * scale) - margin, round(place[1] * scale) - margin
        prefix = os.path.join(folder, 'page')
        subprocess.run(['pdftoppm', '-r', str(DPI), '-png', '-singlefile', '-x', str(left), '-y', str(top),
                        '-W', str(chart.width * block + 2 * margin), '-H', str(chart.height * block + 2 * margin),
                        pdf, prefix], check=True)
        page = Image.open(prefix + '.png').convert('RGB')
        skip = cross_hair_cells(svg, place, chart.size)
        rendered, original = page.load(), chart.load()

        def misses(dx, dy, cells):
            return sum(any(not same_pixels(rendered[margin + dx + cx * block + ex, margin + dy + cy * block + ey],
                                           original[cx, cy], tolerance)
                           for ex in (0, block - 1) for ey in (0, block - 1))
                       for cx, cy in cells if (cx, cy) not in skip)

        sample = [(cx, cy) for cy in range(1, chart.height, 7) for cx in range(1, chart.width, 9)]
        shift = min(((dx, dy) for dy in range(-margin, margin + 1) for dx in range(-margin, margin + 1)),
                    key=lambda d: misses(*d, sample))
        wrong = misses(*shift, [(cx, cy) for cy in range(chart.height) for cx in range(chart.width)])
        if wrong:
            faults.append(f'{wrong} chart pixels drawn otherwise than resources/chart.bmp outside the cross-hair')
    return faults


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--chart', required=True)
    parser.add_argument('--expect', required=True)
    parser.add_argument('pdfs', nargs='+')
    args = parser.parse_args()
    chart = Image.open(args.chart).convert('RGB')
    with open(args.expect, encoding='utf-8') as f:
        svg = f.read()
    failed = False
    for pdf in args.pdfs:
        faults = check_pdf(pdf, svg, chart)
        for fault in faults:
            print(f'FAIL: {pdf}: {fault}')
        failed = failed or bool(faults)
    if not failed:
        print(f'sheet checks passed: {", ".join(args.pdfs)}')
    sys.exit(1 if failed else 0)


if __name__ == '__main__':
    main()
