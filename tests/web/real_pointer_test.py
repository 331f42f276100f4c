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
import asyncio
import functools
import http.server
import json
import os
import random
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import traceback

from PIL import Image, ImageChops, ImageGrab

from browser_test import READ_OUTS, chart_raster

ARGS = None
MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
# Chromium's zoom steps, one Ctrl+plus apart; Firefox is given the same, as its own skip 125 %.
ZOOM_STEPS = [0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1, 1.1, 1.25, 1.5, 1.75, 2, 2.5, 3, 4, 5]
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


class Site(http.server.SimpleHTTPRequestHandler):
    """The built page, with the console hook put first into its head."""

    def do_GET(self):
        if self.path.split('?')[0] not in ('/', '/index.html'):
            return super().do_GET()
        with open(os.path.join(self.directory, 'index.html'), 'rb') as f:
            page = f.read().replace(b'<head>', b'<head>' + CONSOLE_HOOK, 1)
        self.send_response(200)
        self.send_header('Content-Type', 'text/html; charset=utf-8')
        self.send_header('Content-Length', str(len(page)))
        self.end_headers()
        self.wfile.write(page)

    def log_message(self, *args):
        pass


def serve(site):
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Site, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f'http://127.0.0.1:{server.server_address[1]}/'


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


def xdotool(*args):
    subprocess.run(['xdotool', *map(str, args)], check=True)


def fill_screen(which):
    """Without a window manager a browser's full screen or kiosk window need not fill the
    screen: the browser's window is made to."""
    window = subprocess.run(['xdotool', 'search', '--sync', '--onlyvisible', *which],
                            capture_output=True, text=True, check=True).stdout.split()[0]
    screen = subprocess.run(['xdotool', 'getdisplaygeometry'], capture_output=True, text=True, check=True).stdout
    xdotool('windowmove', '--sync', window, 0, 0, 'windowsize', '--sync', window, *screen.split())


class Chromium:
    unit = 1  # the pointer comes in fractions of a device pixel

    def __init__(self, scale, zoom):
        from selenium import webdriver
        from selenium.webdriver.chrome.options import Options
        from selenium.webdriver.chrome.service import Service
        self.zoom_keys = ZOOM_STEPS.index(zoom) - ZOOM_STEPS.index(1)
        options = Options()
        options.binary_location = '/usr/bin/chromium'
        for argument in ['--no-sandbox', '--test-type', '--kiosk', '--no-first-run', '--window-position=0,0',
                         f'--force-device-scale-factor={scale}', '--disable-dev-shm-usage']:
            options.add_argument(argument)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        # Without the bar that says the browser is automated: the screen as a user has it.
        options.add_experimental_option('excludeSwitches', ['enable-automation'])
        self.d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)

    def open(self, url):
        self.d.get(url)

    def js(self, body, *args):
        return self.d.execute_script(body, *args)

    def console(self):
        return [f'{e["level"]}: {e["message"]}' for e in self.d.get_log('browser')]

    def quit(self):
        self.d.quit()


class WebKit(Chromium):
    # GTK scales a window by whole numbers (GDK_SCALE) and its text, and with it WebKit's
    # page, by any factor (GDK_DPI_SCALE): as a desktop sets them for its display scale.
    GDK = {1: ('1', '1'), 1.25: ('1', '1.25'), 1.5: ('1', '1.5'), 2: ('2', '1')}
    # MiniBrowser's Ctrl+plus zooms by 1.2, and WebKitGTK multiplies its zoom by the text
    # scale: one press on a text scale of zoom / 1.2 makes Safari's step, after the page loaded.
    ZOOM_KEY = 1.2

    def __init__(self, scale, zoom):
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.options import Options
        options = Options()
        options.binary_location = MINIBROWSER
        options.add_argument('--automation')
        options.add_argument('--full-screen')
        window_scale, text_scale = self.GDK[scale]
        self.zoom_keys = int(zoom != 1)
        os.environ['GDK_SCALE'] = window_scale
        os.environ['GDK_DPI_SCALE'] = str(float(text_scale) * zoom / self.ZOOM_KEY) if self.zoom_keys else text_scale
        # The pointer comes in whole logical pixels; zoomed in, the page draws on their grid.
        self.unit = int(window_scale) if zoom > 1 else 1
        self.d = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
        fill_screen(['--class', 'MiniBrowser'])

    def console(self):
        return []  # WebKitWebDriver keeps no log: the page's own hook has it all


class Firefox:
    """Firefox ESR through its built-in WebDriver BiDi (no geckodriver is packaged)."""
    unit = 1

    def __init__(self, scale, zoom):
        import websockets
        self.zoom_keys = ZOOM_STEPS.index(zoom) - ZOOM_STEPS.index(1)
        self.profile = tempfile.mkdtemp()
        prefs = {'layout.css.devPixelsPerPx': f'"{scale}"', 'browser.shell.checkDefaultBrowser': 'false',
                 'toolkit.zoomManager.zoomValues': f'"{",".join(map(str, ZOOM_STEPS))}"',
                 'datareporting.policy.dataSubmissionEnabled': 'false', 'browser.aboutwelcome.enabled': 'false',
                 'toolkit.telemetry.reportingpolicy.firstRun': 'false',
                 'browser.startup.homepage_override.mstone': '"ignore"', 'browser.startup.page': '0'}
        with open(os.path.join(self.profile, 'user.js'), 'w') as f:
            f.writelines(f'user_pref("{k}", {v});\n' for k, v in prefs.items())
        port = free_port()
        self.process = subprocess.Popen(['firefox-esr', '--no-remote', '--profile', self.profile,
                                         f'--remote-debugging-port={port}', '--kiosk', 'about:blank'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.loop = asyncio.new_event_loop()
        asyncio.set_event_loop(self.loop)
        self.id = 0
        self.log = []
        for _ in range(150):
            try:
                self.ws = self.loop.run_until_complete(websockets.connect(f'ws://127.0.0.1:{port}/session', max_size=None))
                break
            except OSError:
                time.sleep(0.2)
        else:
            raise AssertionError('Firefox did not open its WebDriver BiDi port')
        self.command('session.new', capabilities={})
        self.command('session.subscribe', events=['log.entryAdded'])
        self.context = self.command('browsingContext.getTree')['contexts'][0]['context']
        fill_screen(['--pid', str(self.process.pid)])

    def command(self, method, **params):
        async def call():
            self.id += 1
            await self.ws.send(json.dumps({'id': self.id, 'method': method, 'params': params}))
            while True:
                message = json.loads(await self.ws.recv())
                if message.get('id') == self.id:
                    if message.get('type') == 'error':
                        raise AssertionError(f'{method}: {message}')
                    return message['result']
                if message.get('method') == 'log.entryAdded':
                    self.log.append(f'{message["params"]["level"]}: {message["params"].get("text")}')
        return self.loop.run_until_complete(call())

    def open(self, url):
        self.command('browsingContext.navigate', context=self.context, url=url, wait='complete')

    def js(self, body, *args):
        # The arguments travel as JSON, and so does the answer.
        result = self.command('script.callFunction', functionDeclaration='function () { return JSON.stringify('
                              f'(function () {{ {body} }}).apply(null, Array.from(arguments, (a) => JSON.parse(a)))); }}',
                              arguments=[{'type': 'string', 'value': json.dumps(a)} for a in args],
                              target={'context': self.context}, awaitPromise=False)
        if result['type'] != 'success':
            raise AssertionError(f'{body}: {result}')
        value = result['result'].get('value')
        return None if value is None else json.loads(value)

    def console(self):
        return [entry for entry in self.log if not entry.startswith(('debug', 'info'))]

    def quit(self):
        self.loop.run_until_complete(self.ws.close())
        self.process.terminate()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


ENGINES = {'chromium': Chromium, 'firefox': Firefox, 'webkit': WebKit}


def reference(actions):
    out = subprocess.run([ARGS.reference], input='\n'.join(actions) + '\n', capture_output=True, text=True, check=True)
    return [json.loads(line) for line in out.stdout.splitlines()]


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
        self.b = ENGINES[engine](scale, zoom)
        try:
            self.start(engine, scale, zoom, url)
        except BaseException:
            self.b.quit()  # no browser left behind to load the next test's machine
            raise

    def start(self, engine, scale, zoom, url):
        self.b.open(url)
        for _ in range(200):
            if self.b.js('return document.documentElement.dataset.ready === "true"'):
                break
            time.sleep(0.05)
        else:
            raise AssertionError('the page did not become ready')
        if self.b.zoom_keys:  # zoomed with the pointer over the page, as a user zooms
            xdotool('mousemove', 590, 440, *['key', 'ctrl+plus'] * self.b.zoom_keys)
            width = round(500 * scale * zoom)
            if self.await_js('return document.getElementById("chart").width', width) != width:
                raise AssertionError(f'the page did not follow the zoom to {zoom}')
            # Back to the chart, where the browser kept the focused entry in view.
            self.b.js('window.scrollTo(0, 0); window.qntePointer = null')
        time.sleep(0.3)  # the first frame
        # Device pixels per CSS pixel: the scale and zoom set, which Chromium and Firefox also
        # give as devicePixelRatio (Firefox rounded to sixtieths); WebKit keeps its zoom out of it.
        self.ratio = scale * zoom if engine == 'webkit' else self.b.js('return window.devicePixelRatio')
        # Where the page's origin lies on the screen: the pointer put on a known spot says. The
        # spot is a whole number of CSS pixels in every case, for WebKit's whole CSS pixels.
        xdotool('mousemove', 600, 450)
        for _ in range(40):
            seen = self.b.js('return window.qntePointer || null')
            if seen:
                break
            time.sleep(0.05)
        self.origin = (round(600 - seen[0] * self.ratio), round(450 - seen[1] * self.ratio))
        canvas = self.b.js('const c = document.getElementById("chart"); const b = c.getBoundingClientRect();'
                           'return [b.left, b.top, c.width, c.height]')
        self.canvas = (self.origin[0] + round(canvas[0] * self.ratio), self.origin[1] + round(canvas[1] * self.ratio),
                       canvas[2], canvas[3])

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
        box = [origin + round(v * self.ratio) for v, origin in zip((left - 4, top - 4, right + 4, bottom + 4),
                                                                    self.origin * 2)]
        return (ImageGrab.grab(bbox=box, xdisplay=os.environ['DISPLAY']),
                2 * round((right - left + bottom - top) * self.ratio))

    def click(self, x, y, button=1):
        ups = self.b.js('return window.qnteUps')
        xdotool('mousemove', x, y, 'click', '--delay', 0, button)  # no pause after it: the wait is for the page
        self.await_js('return window.qnteUps', ups + 1)

    def await_js(self, body, wanted, *args, seconds=5):
        for _ in range(int(seconds / 0.02)):
            value = self.b.js(body, *args)
            if value == wanted:
                return value
            time.sleep(0.02)
        return value

    def read_outs(self):
        return self.b.js('''
            const text = (e) => e instanceof HTMLInputElement ? e.value : e.textContent;
            const bar = (id) => Number(document.getElementById(id).getAttribute('aria-valuenow'));
            return { scroll: [bar('HScroll1'), bar('VScroll1')],
                     texts: arguments[0].map((n) => text(document.getElementById(n))) };''', READ_OUTS)


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
        check(failures, (width, height) == (round(500 * ratio), round(400 * ratio)),
              f'canvas of {width}x{height} device pixels at {ratio} device pixels per CSS pixel')
        # The screen shows each chart pixel on the device pixels the drawing rule gives it.
        expected = Image.new('RGB', (width, 400))
        for d in range(width):
            expected.paste(chart_image.crop((shown(d), 0, shown(d) + 1, 400)), (d, 0))
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
        spelled = {'Text1': 'text 0', 'Text2': 'text 1', 'Text3': 'text 2', 'Text4': 'text 3', 'Text5': 'text 4'}
        actions += [f'{spelled[name]} {text}' if text else name.lower() for name, text in entries]
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
        bars = s.await_js('''const bar = (id) => Number(document.getElementById(id).getAttribute('aria-valuenow'));
                             return [bar('HScroll1'), bar('VScroll1')]''', wanted)
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
        opened = s.await_js('const f = document.getElementById("Form10");'
                            'return !!f && !f.hidden && f.getAttribute("role") === "dialog" &&'
                            'f.querySelector("img[src$=\'outline_drawing.png\']").naturalWidth === 560', True)
        check(failures, opened, f'{case}: "Air End" opens the drawing window as a dialog')
        if close == 'Escape':
            xdotool('key', 'Escape')
        else:
            s.click(*s.screen_of('#Form10 .close-box'))
        closed = s.await_js('return [document.getElementById("Form10").hidden, document.activeElement.id]',
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
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument('--engine', choices=ENGINES, required=True)
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
    raster = chart_raster(ARGS.chart)
    chart_image = Image.new('RGB', (500, 400))
    chart_image.putdata([pixel for row in raster for pixel in row])
    server, url = serve(ARGS.site)
    failed = 0
    try:
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
    finally:
        server.shutdown()
    print(f'{len(cases) - failed} passed, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
