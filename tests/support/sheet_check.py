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

    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(['pdfimages', '-png', pdf, os.path.join(folder, 'image')], check=True)
        images = sorted(os.listdir(folder))
        if len(images) != 1:
            faults.append(f'{len(images)} images where the chart is the one')
        else:
            image = Image.open(os.path.join(folder, images[0])).convert('RGB')
            factor = image.width // chart.width
            if image.size != (chart.width * factor, chart.height * factor) or factor < 1:
                faults.append(f'the image is {image.size}, no whole multiple of the chart')
            elif image.resize(chart.size, Image.NEAREST).tobytes() != chart.tobytes() or \
                    image.tobytes() != chart.resize(image.size, Image.NEAREST).tobytes():
                faults.append('the embedded image is not the chart pixel for pixel')

        place = chart_place(svg)
        scale = DPI / POINTS
        left, top = round(place[0] * scale), round(place[1] * scale)
        block = round(place[2] * scale / chart.width)
        prefix = os.path.join(folder, 'page')
        subprocess.run(['pdftoppm', '-r', str(DPI), '-png', '-singlefile', '-x', str(left), '-y', str(top),
                        '-W', str(chart.width * block), '-H', str(chart.height * block), pdf, prefix],
                       check=True)
        page = Image.open(prefix + '.png').convert('RGB')
        skip = cross_hair_cells(svg, place, chart.size)
        rendered, original = page.load(), chart.load()
        wrong = 0
        for cy in range(chart.height):
            for cx in range(chart.width):
                if (cx, cy) in skip:
                    continue
                want = original[cx, cy]
                if any(rendered[cx * block + dx, cy * block + dy] != want
                       for dx in (0, block - 1) for dy in (0, block - 1)):
                    wrong += 1
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
