#!/usr/bin/python3
"""The browser edition under the X server's own pointer and keyboard, in one engine at the
display scales 1, 1.25, 1.5 and 2 and zoomed in with the browser's own keys: Chromium
(chromedriver), Firefox ESR (its own WebDriver BiDi) or WebKitGTK (WebKitWebDriver and its
MiniBrowser), shown full-screen on the Xvfb that with_display.sh starts, and driven with
xdotool as a user's mouse and keys drive it.

In every case: the screen shows the chart one chart pixel per block of device pixels, as the
page's drawing rule says; a table of device pixels over the chart and its edges, each clicked
where the screen shows it, reads what the native core reads for the chart pixel drawn there
(tests/web/web_reference.cpp); and no error or warning in the console from first to last.
Unzoomed also: a right-button drag; both calculators typed into; the drawing window opened,
closed with Escape, which leaves a focus ring on "Air End" that the screen shows, and with its
close box; "Close"."""
import argparse
import functools
import os
import random
import subprocess
import sys
import time
import traceback

from PIL import Image, ImageChops, ImageGrab

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
import browsers  # noqa: E402  (the shared support, found through the path above)
from local_server import served  # noqa: E402
from reference import SCROLL, SHOWN, Reference, chart_raster  # noqa: E402

ARGS = None
reference = None  # the native core's answers, set by main()
# Each engine's cases: the display scale and the browser's zoom (Safari's steps in WebKit).
CASES = {'chromium': [(1, 1), (1.25, 1), (1.5, 1), (2, 1), (2, 1.25), (2, 1.5)],
         'firefox': [(1, 1), (1.25, 1), (1.5, 1), (2, 1), (2, 1.25), (2, 1.5)],
         'webkit': [(1, 1), (1.25, 1), (1.5, 1), (2, 1), (1, 1.25), (1, 1.5), (2, 1.25), (2, 1.5)]}
# Set before the page's own scripts run: whatever the page says or throws, kept for the checks.
CONSOLE_HOOK = b'''<script>
window.qnteConsole = [];
for (const level of ['error', 'warn']) {
  const plain = console[level].bind(console);
  console[level] = (...words) => { window.qnteConsole.push(level + ': ' + words.join(' ')); plain(...words); };
}
window.addEventListener('error', (e) => window.qnteConsole.push('error: ' + e.message));
window.addEventListener('unhandledrejection', (e) => window.qnteConsole.push('rejection: ' + e.reason));
window.qnteUps = 0;
window.addEventListener('pointermove', (e) => { window.qntePointer = [e.clientX, e.clientY]; }, true);
window.addEventListener('pointerup', () => { window.qnteUps += 1; }, true);
</script>'''


def xdotool(*args):
    subprocess.run(['xdotool', *map(str, args)], check=True)


def chart_pixel(device, scale, unit=1):
    """The page's drawing rule (web/chart_canvas.js): the chart pixel shown on a device pixel,
    where the pointer comes in units of `unit` device pixels."""
    return int((device // unit + 0.5) // (scale / unit))


def device_table(width, height, scale, unit):
    """At least 60 device pixels of the canvas, (x, y): its four edges, the last and first device
    pixel of a chart pixel where the chart's grid and curves lie, and some anywhere."""
    rng = random.Random(418)

    def seam(extent, pixel):  # the first device pixel of chart pixel `pixel`
        return next(d for d in range(extent) if chart_pixel(d, scale, unit) == pixel)
    table = [(0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1), (1, height // 2),
             (width - 2, height // 3), (width // 2, 1), (width // 3, height - 2)]
    for column in [49, 99, 199, 249, 299, 349, 399, 449, 480]:
        d = seam(width, column)
        row = rng.randrange(height)
        table += [(d - 1, row), (d, row)]
    for row in [40, 82, 151, 231, 300, 341, 390]:
        d = seam(height, row)
        column = rng.randrange(width)
        table += [(column, d - 1), (column, d)]
    table += [(rng.randrange(width), rng.randrange(height)) for _ in range(20)]
    return table


class Session:
    """One browser at one scale and zoom, its page, and where the page lies on the X screen."""

    def __init__(self, engine, scale, zoom, url):
        self.engine, self.scale, self.zoom = engine, scale, zoom
        self.b = browsers.start(engine, scale=scale, zoom=zoom, console=True)
        try:
            self.start(engine, scale, zoom, url)
        except BaseException:
            self.b.quit()  # no browser left behind to load the next test's machine
            raise

    def start(self, engine, scale, zoom, url):
        self.b.open(url)
        if self.b.zoom_keys:  # zoomed with the pointer over the page, as a user zooms
            xdotool('mousemove', 590, 440, *['key', 'ctrl+plus'] * self.b.zoom_keys)
            width = round(reference.chart_size[0] * scale * zoom)
            if self.b.await_js('return document.getElementById("chart").width', width) != width:
                raise AssertionError(f'the page did not follow the zoom to {zoom}')
            # Back to the chart, where the browser kept the focused entry in view.
            self.b.js('window.scrollTo(0, 0); window.qntePointer = null')
        time.sleep(0.3)  # the first frame
        # Device pixels per CSS pixel: the scale and zoom set, which Chromium and Firefox also
        # give as devicePixelRatio (Firefox rounded to sixtieths); WebKit keeps its zoom out of it.
        self.ratio = scale * zoom if engine == 'webkit' else self.b.js('return window.devicePixelRatio')
        # Where the page's origin lies on the screen: the pointer put on a known spot says. The
        # spots are whole numbers of CSS pixels in every case, for WebKit's whole CSS pixels. A
        # pointer event late from the zoom's spot could pass for the first; two spots must agree.
        origins = []
        while len(origins) < 2 or origins[-1] != origins[-2]:
            if len(origins) == 6:
                raise AssertionError(f'the pointer tells no steady origin of the page: {origins}')
            origins.append(self.origin_at(*[(600, 450), (660, 480)][len(origins) % 2]))
        self.origin = origins[-1]
        canvas = self.b.js('const c = document.getElementById("chart"); const b = c.getBoundingClientRect();'
                           'return [b.left, b.top, c.width, c.height]')
        self.canvas = (self.origin[0] + round(canvas[0] * self.ratio), self.origin[1] + round(canvas[1] * self.ratio),
                       canvas[2], canvas[3])

    def origin_at(self, x, y):
        """The screen's position of the page's origin, as the pointer moved to x, y reports it."""
        self.b.js('window.qntePointer = null')
        xdotool('mousemove', x, y)
        for _ in range(40):
            seen = self.b.js('return window.qntePointer || null')
            if seen:
                return round(x - seen[0] * self.ratio), round(y - seen[1] * self.ratio)
            time.sleep(0.05)
        raise AssertionError(f'the page saw no pointer at {x},{y}')

    def screen_of(self, selector):
        """An element's centre on the screen."""
        box = self.b.js('const b = document.querySelector(arguments[0]).getBoundingClientRect();'
                        'return [b.left + b.width / 2, b.top + b.height / 2]', selector)
        return round(self.origin[0] + box[0] * self.ratio), round(self.origin[1] + box[1] * self.ratio)

    def grab(self, selector):
        """The screen around an element, 4 CSS pixels beyond its box either way, and the
        element's perimeter in device pixels."""
        left, top, right, bottom = self.b.js('const b = document.querySelector(arguments[0]).getBoundingClientRect();'
                                             'return [b.left, b.top, b.right, b.bottom]', selector)
        box = [origin + round(v * self.ratio)
               for v, origin in zip((left - 4, top - 4, right + 4, bottom + 4), self.origin * 2)]
        return (ImageGrab.grab(bbox=box, xdisplay=os.environ['DISPLAY']),
                2 * round((right - left + bottom - top) * self.ratio))

    def click(self, x, y, button=1):
        ups = self.b.js('return window.qnteUps')
        xdotool('mousemove', x, y, 'click', '--delay', 0, button)  # no pause after it: the wait is for the page
        self.b.await_js('return window.qnteUps', ups + 1)

    def read_outs(self):
        shown = self.b.js(SHOWN, reference.read_outs)
        return {'scroll': shown['scroll'], 'texts': shown['texts']}


def check(failures, ok, what):
    if not ok:
        failures.append(what)
        print('FAIL:', what, flush=True)


def contrast(a, b):
    """The contrast ratio of two sRGB colours, as WCAG counts it."""
    def luminance(colour):
        linear = [v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4 for v in (c / 255 for c in colour)]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    light, dark = sorted([luminance(a), luminance(b)], reverse=True)
    return (light + 0.05) / (dark + 0.05)


def run_case(engine, scale, zoom, url, chart_image):
    failures = []
    started = time.monotonic()
    case = f'scale {scale}' + (f', zoom {zoom}' if zoom != 1 else '')
    s = Session(engine, scale, zoom, url)
    try:
        ratio = s.ratio
        shown = functools.partial(chart_pixel, scale=ratio, unit=s.b.unit)
        x0, y0, width, height = s.canvas
        check(failures, (width, height) == tuple(round(extent * ratio) for extent in reference.chart_size),
              f'canvas of {width}x{height} device pixels at {ratio} device pixels per CSS pixel')
        # The screen shows each chart pixel on the device pixels the drawing rule gives it.
        expected = Image.new('RGB', (width, chart_image.height))
        for d in range(width):
            expected.paste(chart_image.crop((shown(d), 0, shown(d) + 1, chart_image.height)), (d, 0))
        rows = Image.new('RGB', (width, height))
        for d in range(height):
            rows.paste(expected.crop((0, shown(d), width, shown(d) + 1)), (0, d))
        for _ in range(10):  # the screen as the next frames leave it
            screen = ImageGrab.grab(xdisplay=os.environ['DISPLAY'])
            seen = screen.crop((x0, y0, x0 + width, y0 + height))
            differ = ImageChops.difference(rows, seen).convert('L').point(lambda v: 255 if v else 0).histogram()[255]
            if differ == 0:
                break
            time.sleep(0.3)
        shot = ARGS.shots and (scale, zoom) == ARGS.shot_case
        if shot or differ:
            screen.save(os.path.join(ARGS.shots or '.', f'{engine}-{case.replace(", ", "-").replace(" ", "-")}.png'))
        check(failures, differ == 0, f'{case}: {differ} device pixels of the chart differ from the chart drawn '
                                     f'one chart pixel per block (canvas at {x0},{y0} on the screen)')
        # The table of clicks, a right-button drag, both calculators: the native core's read-outs.
        table = device_table(width, height, ratio, s.b.unit)
        drag = table[9:13]
        actions = [f'down 1 0 {shown(x)} {shown(y)}' for x, y in table]
        actions += [f'{"down" if i == 0 else "move"} 2 0 {shown(x)} {shown(y)}' for i, (x, y) in enumerate(drag)]
        entries = [('Text1', '25'), ('Text2', '7'), ('Command1', None), ('Text3', '1450'), ('Text4', '200'),
                   ('Text5', '100'), ('Command2', None)]
        actions += [f'text {reference.read_outs.index(name)} {text}' if text else name.lower()
                    for name, text in entries]
        states = iter(reference(actions))
        right = 0
        for x, y in table:
            s.click(x0 + x, y0 + y)
            wanted = next(states)
            got = s.read_outs()
            same = got == {'scroll': wanted['scroll'], 'texts': wanted['texts']}
            right += same
            check(failures, same, f'{case}: device pixel {x},{y} shows chart pixel {shown(x)},{shown(y)}; '
                                  f'read {got["scroll"]}, the core reads {wanted["scroll"]}')
        print(f'{engine} at {case} ({ratio} device pixels per CSS pixel): {right}/{len(table)} clicks read the chart '
              'pixel drawn under the pointer', flush=True)
        if zoom == 1:
            walk_window(s, failures, case, drag, entries, states)
        page_console = s.b.js('return window.qnteConsole')
        if zoom == 1:  # "Close" last: the tool ends in its tab, or the tab closes where the browser lets it
            xdotool('mousemove', *s.screen_of('#Command3'), 'click', 1)
            time.sleep(0.5)
        check(failures, page_console == [], f'{case}: the page said {page_console}')
        browser_console = s.b.console()
        check(failures, browser_console == [], f'{case}: the browser console has {browser_console}')
    finally:
        s.b.quit()
    print(f'{engine} at {case}: {time.monotonic() - started:.1f} s', flush=True)
    return failures


def walk_window(s, failures, case, drag, entries, states):
    """A right-button drag, both calculators, and the drawing window opened and closed twice."""
    x0, y0 = s.canvas[:2]
    xdotool('mousemove', x0 + drag[0][0], y0 + drag[0][1], 'mousedown', 3)
    for i, (x, y) in enumerate(drag):
        if i:
            xdotool('mousemove', x0 + x, y0 + y)
        wanted = next(states)['scroll']
        bars = s.b.await_js(SCROLL, wanted)
        check(failures, bars == wanted, f'{case}: right-button drag to device pixel {x},{y}')
    xdotool('mouseup', 3)
    for name, text in entries:
        s.click(*s.screen_of(f'#{name}'))
        if text:
            xdotool('key', 'ctrl+a')
            xdotool('type', '--delay', 20, text)
        wanted = next(states)
        if not text:
            got = s.read_outs()
            check(failures, got == {'scroll': wanted['scroll'], 'texts': wanted['texts']},
                  f'{case}: {name} gives {got}, the core {wanted["scroll"]} {wanted["texts"]}')
    # The drawing window: opened by "Air End", closed by Escape and by its close box, the
    # focus back on "Air End" each time; after Escape the screen shows it.
    plain, perimeter = s.grab('#Command4')
    for close in ['Escape', 'close box']:
        s.click(*s.screen_of('#Command4'))
        opened = s.b.await_js('const f = document.getElementById("Form10");'
                              'return !!f && !f.hidden && f.getAttribute("role") === "dialog" &&'
                              'f.querySelector("img[src$=\'outline_drawing.png\']").naturalWidth === 560', True)
        check(failures, opened, f'{case}: "Air End" opens the drawing window as a dialog')
        if close == 'Escape':
            xdotool('key', 'Escape')
        else:
            s.click(*s.screen_of('#Form10 .close-box'))
        closed = s.b.await_js('return [document.getElementById("Form10").hidden, document.activeElement.id]',
                              [True, 'Command4'])
        check(failures, closed == [True, 'Command4'], f'{case}: {close} closes the drawing window and '
                                                      f'gives the focus back to "Air End": {closed}')
        if close == 'Escape':
            # A ring: at least a line of device pixels all round the button, each 3:1 or more
            # against what the unfocused button showed there.
            for _ in range(10):
                ringed = s.grab('#Command4')[0]
                strong = sum(contrast(a, b) >= 3 for a, b in zip(plain.getdata(), ringed.getdata()))
                if strong >= perimeter:
                    break
                time.sleep(0.1)
            if ARGS.shots and (s.scale, s.zoom) == ARGS.shot_case:
                ringed.save(os.path.join(ARGS.shots, f'{s.engine}-focus.png'))
            check(failures, strong >= perimeter, f'{case}: after Escape {strong} device pixels around "Air End" stand '
                                                 f'3:1 against the unfocused button; a ring all round has {perimeter}')


def case_of(text):
    """A case as the command line gives it: 2 for scale 2 unzoomed, 2x1.25 for zoom 1.25 at scale 2."""
    numbers = [float(v) for v in (text.split('x') + ['1'])[:2]]
    return tuple(int(v) if v.is_integer() else v for v in numbers)


def main():
    global ARGS, reference
    parser = argparse.ArgumentParser()
    parser.add_argument('--engine', choices=CASES, required=True)
    parser.add_argument('--reference', required=True)
    parser.add_argument('--site', required=True)
    parser.add_argument('--chart', required=True)
    parser.add_argument('--cases', type=case_of, nargs='+', help='display scales, each zoomed by xZOOM if given '
                        '(2x1.25); the engine\'s table of cases unless given')
    parser.add_argument('--shots', help='a folder for a screenshot in the case --shot-case and the focus ring '
                        'there (one is left in the working folder wherever the screen shows the chart otherwise '
                        'than drawn)')
    parser.add_argument('--shot-case', type=case_of, default=(1.5, 1))
    ARGS = parser.parse_args()
    reference = Reference(ARGS.reference)
    chart_image = chart_raster(ARGS.chart)
    failed = 0
    with served(ARGS.site, head=CONSOLE_HOOK) as (url, _):
        cases = ARGS.cases or CASES[ARGS.engine]
        for scale, zoom in cases:
            # A browser session that breaks (WebKitGTK's page process now and then dies in its
            # own shader compiler) gets one more try; a wrong reading is never tried again.
            try:
                failures = run_case(ARGS.engine, scale, zoom, url, chart_image)
            except Exception:
                traceback.print_exc()
                print(f'{ARGS.engine} at scale {scale}, zoom {zoom}: the browser session broke; once more', flush=True)
                failures = run_case(ARGS.engine, scale, zoom, url, chart_image)
            failed += bool(failures)
    print(f'{len(cases) - failed} passed, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
