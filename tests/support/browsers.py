#!/usr/bin/python3
"""One driver for Chromium (chromedriver), Firefox ESR (its built-in WebDriver BiDi; Debian has
no geckodriver) and WebKitGTK's MiniBrowser (WebKitWebDriver): start(engine, ...) opens one
full-screen on the test's X display at a display scale and zoom, or Chromium headless, with
open(url) (until the page is ready), js(), await_js(), console() and quit(); `driver` is
Chromium's Selenium driver, for its DevTools. As a program (browsers.py URL) it shows the page
in Chromium on the display, accessibility on, until it is ended: for the screen reader's test."""
import asyncio
import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
# Chromium's zoom steps, one Ctrl+plus apart; Firefox is given the same, as its own skip 125 %.
ZOOM_STEPS = [0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1, 1.1, 1.25, 1.5, 1.75, 2, 2.5, 3, 4, 5]


def start(engine, **options):
    return {'chromium': Chromium, 'firefox': Firefox, 'webkit': WebKit}[engine](**options)


def fill_screen(which):
    """Without a window manager a browser's full screen or kiosk window need not fill the
    screen: the browser's window is made to."""
    for _ in range(300):  # xdotool dies of a window that vanishes while it looks: look again
        found = subprocess.run(['xdotool', 'search', '--onlyvisible', *which], capture_output=True, text=True)
        if found.stdout.split():
            break
        time.sleep(0.1)
    else:
        raise RuntimeError(f'no window {which} on the screen')
    window = found.stdout.split()[0]
    screen = subprocess.run(['xdotool', 'getdisplaygeometry'], capture_output=True, text=True, check=True).stdout
    subprocess.run(['xdotool', 'windowmove', '--sync', window, '0', '0', 'windowsize', '--sync', window,
                    *screen.split()], check=True)


class Browser:
    unit = 1  # the pointer comes in fractions of a device pixel
    zoom_keys = 0  # the presses of Ctrl+plus that zoom the page as asked

    def open(self, url):
        self.navigate(url)
        if not self.await_js('return document.documentElement.dataset.ready === "true"', True, seconds=10):
            raise AssertionError('the page did not become ready')

    def navigate(self, url):
        self.driver.get(url)

    def js(self, body, *args):
        return self.driver.execute_script(body, *args)

    def await_js(self, body, wanted, *args, seconds=5):
        """What the script gives once it gives `wanted`, or when the time is up."""
        deadline = time.monotonic() + seconds
        while (value := self.js(body, *args)) != wanted and time.monotonic() < deadline:
            time.sleep(0.02)
        return value

    def quit(self):
        self.driver.quit()

    def started(self, step, *args):
        """The last step of a start; the browser ends if it fails, not left to load the machine."""
        try:
            step(*args)
        except BaseException:
            self.quit()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.quit()


class Chromium(Browser):
    def __init__(self, headless=False, window=None, scale=None, zoom=1, console=False, accessibility=False,
                 arguments=()):
        from selenium import webdriver
        from selenium.webdriver.chrome.options import Options
        from selenium.webdriver.chrome.service import Service
        self.zoom_keys = ZOOM_STEPS.index(zoom) - ZOOM_STEPS.index(1)
        options = Options()
        options.binary_location = '/usr/bin/chromium'
        arguments = ['--no-sandbox', '--disable-dev-shm-usage', '--force-color-profile=srgb', *arguments]
        if headless:
            arguments += ['--headless=new', '--disable-gpu']
        else:
            arguments += ['--test-type', '--kiosk', '--no-first-run', '--window-position=0,0']
            # Without the bar that says the browser is automated: the screen as a user has it.
            options.add_experimental_option('excludeSwitches', ['enable-automation'])
        if window:
            arguments.append(f'--window-size={window[0]},{window[1]}')
        if scale:
            arguments.append(f'--force-device-scale-factor={scale}')
        if accessibility:
            arguments.append('--force-renderer-accessibility')
        for argument in arguments:
            options.add_argument(argument)
        if console:
            options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)

    def console(self):
        return [f'{e["level"]}: {e["message"]}' for e in self.driver.get_log('browser')]

    def emulate(self, width, height, scale):
        """The page as a screen of that many CSS pixels at that display scale shows it."""
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': height, 'deviceScaleFactor': scale, 'mobile': False})

    def mouse(self, kind, x, y, button='left', buttons=0, modifiers=0, clicks=1):
        """A mouse event on CSS pixel (x, y) of the page, through Chromium's input pipeline."""
        self.driver.execute_cdp_cmd('Input.dispatchMouseEvent', {
            'type': kind, 'x': x, 'y': y, 'button': button, 'buttons': buttons, 'modifiers': modifiers,
            'clickCount': clicks})

    def click(self, x, y):
        self.mouse('mousePressed', x, y, buttons=1)
        self.mouse('mouseReleased', x, y)

    def screenshot(self):
        return self.driver.get_screenshot_as_png()


class WebKit(Browser):
    # GTK scales a window by whole numbers (GDK_SCALE) and its text, and with it WebKit's
    # page, by any factor (GDK_DPI_SCALE): as a desktop sets them for its display scale.
    GDK = {1: ('1', '1'), 1.25: ('1', '1.25'), 1.5: ('1', '1.5'), 2: ('2', '1')}
    # MiniBrowser's Ctrl+plus zooms by 1.2, and WebKitGTK multiplies its zoom by the text
    # scale: one press on a text scale of zoom / 1.2 makes Safari's step, after the page loaded.
    ZOOM_KEY = 1.2

    def __init__(self, scale=1, zoom=1, console=False):
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
        self.driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
        self.started(fill_screen, ['--class', 'MiniBrowser'])

    def console(self):
        return []  # WebKitWebDriver keeps no log: the page's own hook has it all


class Firefox(Browser):
    def __init__(self, scale=1, zoom=1, console=False):
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
        with socket.socket() as s:
            s.bind(('127.0.0.1', 0))
            port = s.getsockname()[1]
        self.process = subprocess.Popen(['firefox-esr', '--no-remote', '--profile', self.profile,
                                         f'--remote-debugging-port={port}', '--kiosk', 'about:blank'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.loop = asyncio.new_event_loop()
        asyncio.set_event_loop(self.loop)
        self.id = 0
        self.log = []
        self.started(self.connect, websockets, port, console)

    def connect(self, websockets, port, console):
        for _ in range(150):
            try:
                self.ws = self.loop.run_until_complete(websockets.connect(f'ws://127.0.0.1:{port}/session',
                                                                          max_size=None))
                break
            except OSError:
                time.sleep(0.2)
        else:
            raise AssertionError('Firefox did not open its WebDriver BiDi port')
        self.command('session.new', capabilities={})
        if console:
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

    def navigate(self, url):
        self.command('browsingContext.navigate', context=self.context, url=url, wait='complete')

    def js(self, body, *args):
        # The arguments travel as JSON, and so does the answer.
        wrapped = (f'function () {{ return JSON.stringify((function () {{ {body} }})'
                   '.apply(null, Array.from(arguments, (a) => JSON.parse(a)))); }')
        result = self.command('script.callFunction', functionDeclaration=wrapped,
                              arguments=[{'type': 'string', 'value': json.dumps(a)} for a in args],
                              target={'context': self.context}, awaitPromise=False)
        if result['type'] != 'success':
            raise AssertionError(f'{body}: {result}')
        value = result['result'].get('value')
        return None if value is None else json.loads(value)

    def console(self):
        return [entry for entry in self.log if not entry.startswith(('debug', 'info'))]

    def quit(self):
        if hasattr(self, 'ws'):
            self.loop.run_until_complete(self.ws.close())
        self.process.terminate()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


if __name__ == '__main__':
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))  # ended as a shell ends its jobs
    with Chromium(scale=1, accessibility=True) as browser:
        browser.open(sys.argv[1])
        signal.pause()
