#!/usr/bin/python3
"""The browser version in headless Chromium, against the desktop core's own answers.

Serves the built page on a free port of 127.0.0.1 and drives it through Chromium's input
pipeline. Every read-out after every action must equal what the native core gives for the
same action (tests/web/web_reference.cpp)."""
import argparse
import base64
import io
import json
import os
import random
import subprocess
import sys
import tempfile
import unittest

from PIL import Image
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
import browsers  # noqa: E402  (the shared support, found through the path above)
import sheet_check  # noqa: E402
from local_server import served  # noqa: E402
from reference import SCROLL, SHOWN, Reference, chart_raster  # noqa: E402

ARGS = None
RED = 'rgb(255, 0, 0)'
BLACK = 'rgb(0, 0, 0)'
CDP_MODIFIERS = {1: 8, 2: 2, 4: 1}  # the chart's Shift, Ctrl, Alt bits as Chromium's
CDP_BUTTONS = {1: 'left', 2: 'right', 4: 'middle'}
SCROLL_BARS = ['HScroll1', 'VScroll1']
# Each scroll bar key as Selenium sends it and as the reference spells it for bar {}.
SCROLL_KEYS = {'ArrowRight': (Keys.ARROW_RIGHT, 'step {} 1'), 'ArrowLeft': (Keys.ARROW_LEFT, 'step {} -1'),
               'ArrowDown': (Keys.ARROW_DOWN, 'step {} 1'), 'ArrowUp': (Keys.ARROW_UP, 'step {} -1'),
               'PageDown': (Keys.PAGE_DOWN, 'step {} 1'), 'PageUp': (Keys.PAGE_UP, 'step {} -1'),
               'Home': (Keys.HOME, 'home {}'), 'End': (Keys.END, 'end {}')}


class Page:
    """The tool's page in one browser tab, driven as a user would."""

    def __init__(self, browser, url):
        self.browser = browser
        self.d = browser.driver
        self.url = url

    def open(self):
        self.browser.open(self.url)

    def count_announcements(self):
        """From now on, counts what the live region is given to say."""
        self.d.execute_script('''
            window.qnteAnnounced = 0;
            new MutationObserver((records) => { window.qnteAnnounced += records.length; })
              .observe(document.getElementById('announcer'),
                       { childList: true, characterData: true, subtree: true });''')

    def announced(self):
        """What the live region says, and how often it was given something since the last call."""
        return self.d.execute_script('''
            const words = [document.getElementById('announcer').textContent, window.qnteAnnounced];
            window.qnteAnnounced = 0;
            return words;''')

    def element(self, name):
        return self.d.find_element('id', name)

    def chart_origin(self):
        box = self.d.execute_script('return document.getElementById("chart").getBoundingClientRect().toJSON()')
        return box['left'], box['top']

    def mouse(self, kind, button, buttons, shift, x, y):
        left, top = self.chart_origin()
        modifiers = sum(bit for mask, bit in CDP_MODIFIERS.items() if shift & mask)
        self.browser.mouse(kind, left + x + 0.5, top + y + 0.5, CDP_BUTTONS.get(button, 'none'), buttons, modifiers,
                           int(kind != 'mouseMoved'))

    def key(self, name, key):
        self.d.execute_script('arguments[0].focus()', self.element(name))
        ActionChains(self.d).send_keys(key).perform()

    def type(self, name, text):
        element = self.element(name)
        self.d.execute_script('arguments[0].focus(); arguments[0].select()', element)
        if text:
            self.d.execute_cdp_cmd('Input.insertText', {'text': text})
        else:
            ActionChains(self.d).send_keys(Keys.DELETE).perform()

    def read_outs(self):
        return self.browser.js(SHOWN, READ_OUTS)


# The actions of the comparison, each as the reference spells it and as the browser does it.
def click(x, y):
    return [(f'down 1 0 {x} {y}', ('mousePressed', 1, 1, 0, x, y))], [('mouseReleased', 1, 0, 0, x, y)]


def drag(button, shift, points):
    x, y = points[0]
    steps = [(f'down {button} {shift} {x} {y}', ('mousePressed', button, button, shift, x, y))]
    steps += [(f'move {button} {shift} {x} {y}', ('mouseMoved', 0, button, shift, x, y)) for x, y in points[1:]]
    return steps, [('mouseReleased', button, 0, shift, *points[-1])]


def comparison_table():
    """About two hundred actions: clicks all over the chart, drags of every kind, scroll keys,
    both calculators with good and bad entries. Each entry: (why, steps, after)."""
    table = []
    columns = [0, 1, 37, 99, 150, 199, 230, 299, 333, 395, 430, 460, 491, 499]
    rows = [0, 1, 40, 82, 151, 200, 231, 265, 300, 341, 380, 399]
    for y in rows:
        for x in columns[::2] if y % 2 else columns[1::2]:
            table.append((f'click {x},{y}', *click(x, y)))
    width, height = reference.chart_size
    rng = random.Random(418)
    for _ in range(40):
        x, y = rng.randrange(width), rng.randrange(height)
        table.append((f'click {x},{y}', *click(x, y)))
    table.append(('click on the current pixel', *click(x, y)))
    table.append(('click on the corner pixel', *click(0, 0)))
    table.append(('click on the far corner', *click(width - 1, height - 1)))
    table.append(('right drag across and off the chart',
                  *drag(2, 0, [(100, 100), (150, 120), (260, 180), (520, 100), (-30, 250), (300, 420), (350, 60)])))
    for mask, name in [(1, 'Shift'), (2, 'Ctrl'), (4, 'Alt')]:
        table.append((f'left drag with {name}', *drag(1, mask, [(40, 300), (80, 280), (120, 260), (420, 150)])))
    table.append(('plain left drag moves nothing after the press', *drag(1, 0, [(200, 200), (250, 250), (300, 100)])))
    table.append(('middle drag moves nothing after the press', *drag(4, 0, [(210, 210), (260, 230)])))
    table.append(('right drag far off the chart',
                  *drag(2, 0, [(300, 300), (-5000, 99999), (99999, -5000), (310, 310)])))
    table.append(('right press beside the chart moves one axis', *drag(2, 0, [(-1, 120), (510, 130)])))
    keys = ['ArrowRight ArrowRight ArrowLeft PageDown PageUp End ArrowRight Home ArrowLeft ArrowRight',
            'ArrowDown PageDown ArrowUp End ArrowDown PageUp Home ArrowUp ArrowDown']
    for bar, name in enumerate(SCROLL_BARS):
        for key in keys[bar].split():
            table.append((f'{key} on {name}', [(SCROLL_KEYS[key][1].format(bar), ('key', bar, key))], []))
    digits = '7' * 10000
    entries = [
        ('power and pressure', '25', '7'), ('top power, high pressure', '44.9', '13'), ('low power', '5', '4'),
        ('power beyond the double range', '1e400', '7'), ('letters', 'abc', 'abc'), ('sign alone', '-', '-'),
        ('ten thousand digits', digits, '7'), ('pressure of ten thousand digits', '20', digits),
        ('power with a unit', '30kW', '10 bar'), ('power above the chart', '60', '7'),
        ('pressure above 13', '25', '20'), ('empty entries', '', ''), ('negative power', '-5', '7'),
        ('comma decimal', '22,5', '7,5'),
    ]
    for why, power, pressure in entries:
        table.append((f'Calculate: {why}', [(f'text 0 {power}', ('type', 'Text1', power)),
                                            (f'text 1 {pressure}', ('type', 'Text2', pressure)),
                                            ('command1', ('button', 'Command1'))], []))
    drives = [
        ('belt drive', '1500', '200', '100'), ('direct drive below the chart', '1500', '100', '100'),
        ('speed past 16 bit', '3000', '400', '30'), ('air-end pulley under one', '1500', '200', '0.5'),
        ('motor pulley under one', '1500', '0.2', '100'), ('letters', 'abc', '200', '100'),
        ('sign alone', '-', '-', '-'),
        ('motor speed beyond the double range', '1e400', '200', '100'), ('ten thousand digits', digits, '200', '100'),
        ('pulley of ten thousand digits', '1500', digits, '100'), ('empty entries', '', '', ''),
        ('speed above the chart', '3000', '300', '100'), ('negative speed', '-1500', '200', '100'),
    ]
    for why, speed, motor, air_end in drives:
        table.append((f'Calculate drive: {why}', [(f'text 2 {speed}', ('type', 'Text3', speed)),
                                                  (f'text 3 {motor}', ('type', 'Text4', motor)),
                                                  (f'text 4 {air_end}', ('type', 'Text5', air_end)),
                                                  ('command2', ('button', 'Command2'))], []))
    return table


def browser_steps(spelled):
    """An action as the reference spells it, as the browser does it."""
    action, *args = spelled.split(' ', 2) if spelled.startswith('text') else spelled.split()
    if action == 'down':
        button, shift, x, y = int(args[0]), int(args[1]), float(args[2]), float(args[3])
        return [('mousePressed', button, button, shift, x, y), ('mouseReleased', button, 0, shift, x, y)]
    if action == 'move':
        button, shift, x, y = int(args[0]), int(args[1]), float(args[2]), float(args[3])
        return [('mouseMoved', 0, button, shift, x, y)]
    if action == 'text':
        return [('type', READ_OUTS[int(args[0])], args[1] if len(args) > 1 else '')]
    return [('button', {'command1': 'Command1', 'command2': 'Command2'}[action])]


class BrowserTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.url, _ = cls.enterClassContext(served(ARGS.site))
        cls.browser = browsers.start('chromium', headless=True, window=(1400, 1000), console=True)
        cls.addClassCleanup(cls.browser.quit)
        cls.driver = cls.browser.driver
        cls.page = Page(cls.browser, cls.url)
        cls.layout = reference.layout

    def setUp(self):
        self.page.open()

    def tearDown(self):
        # Nothing in the page may throw, whatever the test did.
        errors = [line for line in self.browser.console() if line.startswith('SEVERE')]
        self.assertEqual(errors, [], 'errors in the browser console')

    def do(self, step):
        kind = step[0]
        if kind.startswith('mouse'):
            self.page.mouse(*step)
        elif kind == 'key':
            self.page.key(SCROLL_BARS[step[1]], SCROLL_KEYS[step[2]][0])
        elif kind == 'type':
            self.page.type(step[1], step[2])
        elif kind == 'button':
            self.page.element(step[1]).click()

    def assert_same(self, why, expected, shown):
        self.assertEqual(shown['scroll'], expected['scroll'], f'{why}: scroll values')
        self.assertEqual(shown['texts'], expected['texts'], f'{why}: read-outs')
        for name, red, colour, warning, description in zip(READ_OUTS, expected['red'], shown['colours'],
                                                           expected['warnings'], shown['descriptions']):
            self.assertEqual(colour, RED if red else BLACK, f'{why}: colour of {name}')
            if warning:
                self.assertTrue(description.endswith(', ' + warning), f'{why}: {name} says why it is red')
            else:
                self.assertNotIn(': ', description, f'{why}: {name} gives no reason when black')
        # What a screen reader hears of each read-out is the desktop's, word for word.
        self.assertEqual(shown['descriptions'], expected['descriptions'], f'{why}: descriptions')
        for name, spoken, label in zip(READ_OUTS, expected['spokenNames'], shown['labels']):
            if spoken:
                self.assertEqual(label, spoken, f'{why}: name of {name}')

    def test_read_outs_equal_the_desktop_core(self):
        table = comparison_table()
        spelled = [s for _, steps, _ in table for s, _ in steps]
        expected = iter(reference(spelled))
        positions = 0
        self.page.count_announcements()
        said = ''  # the window opens in silence
        for why, steps, after in table:
            sentence = ''
            for _, step in steps:
                self.do(step)
                state = next(expected)
                self.assert_same(why, state, self.page.read_outs())
                sentence = state['announcement'] or sentence
                positions += 1
                if after:  # a button is still held: nothing is said before it is let go
                    self.assertEqual(self.page.announced(), [said, 0], f'{why}: quiet while held')
            for step in after:
                self.do(step)
            # Once per action, the core's own sentence for the reading where the action ended.
            said = sentence or said
            self.assertEqual(self.page.announced(), [said, 1 if sentence else 0], f'{why}: announcement')
        self.assertGreaterEqual(positions, 100)

    def test_the_reading_every_front_end_shows(self):
        for case in reference(['cases']):
            why = case['why']
            self.page.open()
            for spelled in case['steps']:
                for step in browser_steps(spelled):
                    self.do(step)
            shown = self.page.read_outs()
            self.assertEqual(shown['scroll'], case['scroll'], why)
            for name, text in case['texts'].items():
                self.assertEqual(shown['texts'][READ_OUTS.index(name)], text, f'{why}: {name}')
            for names, red in ((('Text1', 'Label4'), case['speedPowerRed']),
                               (('Text2', 'Label20'), case['pressureRed'])):
                for name in names:
                    self.assertEqual(shown['colours'][READ_OUTS.index(name)], RED if red else BLACK, f'{why}: {name}')

    def test_scroll_bar_arrows_trough_and_thumb(self):
        bar = self.page.element('HScroll1')
        box = self.driver.execute_script('return arguments[0].getBoundingClientRect().toJSON()', bar)
        y = box['top'] + box['height'] / 2

        def press(x, kind='mousePressed'):
            self.browser.mouse(kind, x, y, buttons=int(kind != 'mouseReleased'))

        def value():
            return self.page.read_outs()['scroll'][0]

        for x, expected, why in [(box['right'] - 8, 1, 'right arrow'), (box['right'] - 8, 2, 'right arrow again'),
                                 (box['left'] + 8, 1, 'left arrow'), (box['right'] - 40, 2, 'trough right of thumb')]:
            press(x)
            press(x, 'mouseReleased')
            self.assertEqual(value(), expected, why)
        thumb = self.driver.execute_script(
            'return arguments[0].querySelector(".thumb").getBoundingClientRect().toJSON()', bar)
        press(thumb['left'] + 8)
        press(box['left'] + box['width'] / 2, 'mouseMoved')
        self.assertEqual(value(), 2, 'a dragged thumb moves nothing before it is released')
        press(box['left'] + box['width'] / 2, 'mouseReleased')
        self.assertGreater(value(), 200, 'the released thumb moves the cross-hair')
        self.assertLess(value(), 300)

    def test_layout_follows_the_table(self):
        boxes = self.driver.execute_script('''
            const form = document.getElementById('Form4').getBoundingClientRect();
            return arguments[0].map((n) => { const b = document.getElementById(n).getBoundingClientRect();
                                           return [b.left - form.left, b.top - form.top, b.width, b.height]; });''',
                                           [c['name'] for c in self.layout['controls']])
        for control, box in zip(self.layout['controls'], boxes):
            self.assertEqual([round(v, 3) for v in box],
                             [control['left'], control['top'], control['width'], control['height']], control['name'])
        self.assertEqual(self.driver.title, self.layout['caption'].strip())
        # Tab order: the focusable controls in the table's order, Text1 first.
        self.assertEqual(self.driver.switch_to.active_element.get_attribute('id'), 'Text1')
        order = []
        focusable = sorted((c for c in self.layout['controls'] if c['focusable']), key=lambda c: c['tabIndex'])
        self.assertLessEqual({'Label4', 'Label20'}, {c['name'] for c in focusable}, 'Tab reaches the read-outs')
        for _ in focusable:
            order.append(self.driver.switch_to.active_element.get_attribute('id'))
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
        self.assertEqual(order, [c['name'] for c in focusable])

    def test_accessibility_tree_has_the_desktop_names(self):
        self.page.mouse('mousePressed', 1, 1, 0, 480, 20)  # a red reading: beyond the 4 bar curve
        self.page.mouse('mouseReleased', 1, 0, 0, 480, 20)
        tree = self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
        by_dom = {}
        for node in tree:
            if 'backendDOMNodeId' in node:
                by_dom[node['backendDOMNodeId']] = node
        doc = self.driver.execute_cdp_cmd('DOM.getDocument', {'depth': -1})

        def node_of(name):
            found = self.driver.execute_cdp_cmd('DOM.querySelector', {'nodeId': doc['root']['nodeId'],
                                                                      'selector': f'#{name}'})
            described = self.driver.execute_cdp_cmd('DOM.describeNode', {'nodeId': found['nodeId']})
            return by_dom[described['node']['backendNodeId']]

        def prop(node, key):
            return node.get(key, {}).get('value', '')

        expected_state = reference(['down 1 0 480 20'])[0]
        for control in self.layout['controls']:
            if not (control['accessibleName'] or control['accessibleDescription'] or control['focusable']):
                continue
            node = node_of(control['name'])
            name = control['name']
            spoken = expected_state['spokenNames'][READ_OUTS.index(name)] if name in READ_OUTS else ''
            if spoken:  # a read-out that Tab reaches is named by the core: quantity, value, unit, reason
                self.assertEqual(prop(node, 'name'), spoken, control['name'])
            elif control['accessibleName']:
                self.assertEqual(prop(node, 'name'), control['accessibleName'], control['name'])
            elif control['caption'] and control['focusable']:
                self.assertEqual(prop(node, 'name').strip(), control['caption'].strip(), control['name'])
            if control['accessibleDescription'] and control['name'] in READ_OUTS:
                wanted = expected_state['descriptions'][READ_OUTS.index(control['name'])]
                self.assertEqual(prop(node, 'description'), wanted, control['name'])
            elif control['accessibleDescription']:
                self.assertEqual(prop(node, 'description'), control['accessibleDescription'], control['name'])
        self.assertTrue(any(expected_state['warnings']), 'the reading is red')
        for bar, name in enumerate(SCROLL_BARS):
            node = node_of(name)
            self.assertEqual(prop(node, 'role'), 'scrollbar', name)
            values = {p['name']: p['value'].get('value') for p in node.get('properties', [])}
            self.assertEqual(prop(node, 'value'), expected_state['scroll'][bar], name)
            self.assertEqual(values.get('valuemin'), 0, name)
            self.assertEqual(values.get('valuemax'), reference.chart_size[bar], name)
        live = self.driver.execute_script('const a = document.getElementById("announcer");'
                                          'return [a.getAttribute("aria-live"), a.textContent]')
        self.assertEqual(live[0], 'polite')
        for warning in filter(None, expected_state['warnings']):
            self.assertIn(warning, live[1])
        self.assertEqual(live[1], expected_state['announcement'])
        # The scroll bars say the speed and the power they stand for, as the read-outs show them.
        texts = expected_state['texts']
        self.assertEqual(self.page.read_outs()['valueTexts'], [f'{texts[5]} 1/min', f'{texts[0]} kW'])
        self.page.key('VScroll1', Keys.HOME)
        self.assertEqual(self.page.read_outs()['valueTexts'], [f'{texts[5]} 1/min', '45.0 kW'], 'off the chart')

    def test_a_finger_places_and_drags_as_the_right_button(self):
        self.driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 1})
        left, top = self.page.chart_origin()
        path = [(100, 100), (150, 160), (520, 200), (200, 220)]
        expected = reference([f'{"down" if i == 0 else "move"} 2 0 {x} {y}' for i, (x, y) in enumerate(path)])
        for i, ((x, y), state) in enumerate(zip(path, expected)):
            self.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {
                'type': 'touchStart' if i == 0 else 'touchMove',
                'touchPoints': [{'x': left + x + 0.5, 'y': top + y + 0.5}]})
            # Touch moves reach the page with the next frame, not with the call.
            shown = self.browser.await_js(SCROLL, state['scroll'], seconds=2)
            self.assertEqual(shown, state['scroll'], f'touch at {x},{y}')
        self.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})
        self.driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': False})

    def test_drawing_window_one_instance_close_and_reopen(self):
        air_end = self.page.element('Command4')
        air_end.click()
        air_end.click()
        forms = self.driver.find_elements('css selector', '#Form10')
        self.assertEqual(len(forms), 1, 'two clicks leave one drawing window')
        form = forms[0]
        self.assertTrue(form.is_displayed())
        self.assertEqual(self.driver.execute_script('return arguments[0].querySelector(".caption").textContent', form),
                         ' QNTe418')
        client = self.driver.execute_script(
            'return arguments[0].querySelector(".client").getBoundingClientRect().toJSON()', form)
        self.assertEqual((client['width'], client['height']), (581, 438))
        drawing = self.driver.execute_script(
            'const i = arguments[0].querySelector("img[src$=\'outline_drawing.png\']");'
            'return [i.complete, i.naturalWidth, i.naturalHeight]', form)
        self.assertEqual(drawing, [True, 560, 400])
        # The main window stays usable beside it.
        self.page.mouse('mousePressed', 1, 1, 0, 5, 390)
        self.page.mouse('mouseReleased', 1, 0, 0, 5, 390)
        self.assertEqual(self.page.read_outs()['scroll'], [6, 391])
        self.driver.execute_script('arguments[0].style.left = "123px"', form)  # moved by the user
        form.find_element('css selector', '.close-box').click()
        self.assertFalse(form.is_displayed())
        air_end.click()
        forms = self.driver.find_elements('css selector', '#Form10')
        self.assertEqual(len(forms), 1)
        self.assertTrue(forms[0].is_displayed())
        self.assertEqual(forms[0].value_of_css_property('left'), '123px', 'reopened as it was')

    def test_close_ends_the_tool_in_the_page(self):
        self.page.element('Command3').click()
        self.assertEqual(self.driver.find_elements('id', 'Form4'), [])
        self.driver.find_element('id', 'restart').click()
        self.page.open()
        self.assertEqual(self.page.read_outs()['texts'][7], '@ 7 bar')

    def test_every_display_scale_reads_the_pixel_drawn_under_the_pointer(self):
        raster = CHART.load()
        palette = set(CHART.getdata())
        for scale in [1, 1.25, 1.5, 2]:
            with self.subTest(scale=scale):
                self.browser.emulate(1200, 900, scale)
                self.page.open()
                shot = self.driver.execute_cdp_cmd('Page.captureScreenshot', {'format': 'png'})
                image = Image.open(io.BytesIO(base64.b64decode(shot['data']))).convert('RGB')
                left, top = self.page.chart_origin()
                x0, y0 = round(left * scale), round(top * scale)
                # No smoothing: every device pixel of the chart shows one of the chart's colours.
                width, height = (round(extent * scale) for extent in reference.chart_size)
                crop = image.crop((x0, y0, x0 + width, y0 + height))
                strange = {c for c in crop.getdata()} - palette
                self.assertEqual(strange, set(), 'colours the chart does not have')
                # A pointer on a device pixel reads the chart pixel drawn there, along rows that
                # cross the curves and the grid.
                for chart_row in [30, 151, 333]:
                    device_y = y0 + int(chart_row * scale + scale / 2)
                    for device_x in range(x0, x0 + width, 3 if scale < 2 else 5):
                        colour = image.getpixel((device_x, device_y))
                        self.browser.click((device_x + 0.5) / scale, (device_y + 0.5) / scale)
                        h, v = self.page.read_outs()['scroll']
                        self.assertEqual(raster[h - 1, v - 1], colour, f'device pixel {device_x},{device_y}')
        self.driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})

    def test_works_offline_after_the_first_visit(self):
        with served(ARGS.site) as (url, stop):
            page = Page(self.browser, url)
            page.open()
            self.driver.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
            self.driver.execute_async_script('''const done = arguments[0];
                if (navigator.serviceWorker.controller) done(); else
                navigator.serviceWorker.addEventListener('controllerchange', () => done());''')
            # Installable: manifest, icons and a service worker that answers fetches.
            errors = self.driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors']
            self.assertEqual(errors, [])
            manifest = self.driver.execute_cdp_cmd('Page.getAppManifest', {})
            self.assertEqual(manifest['errors'], [])
            self.assertEqual(json.loads(manifest['data'])['display'], 'standalone')
            stop()
            page.open()
            page.mouse('mousePressed', 1, 1, 0, 299, 200)
            page.mouse('mouseReleased', 1, 0, 0, 299, 200)
            expected = reference(['down 1 0 299 200'])[0]
            shown = page.read_outs()
            self.assertEqual((shown['scroll'], shown['texts']), (expected['scroll'], expected['texts']))
            icons = self.driver.execute_async_script('''const done = arguments[0];
                Promise.all(['manifest.webmanifest', 'icon-512.png', 'outline_drawing.png'].map((f) => fetch(f)))
                  .then((r) => done(r.map((x) => x.status)), () => done('failed'))''')
            self.assertEqual(icons, [200, 200, 200])

    def test_drive_selection_panel_shows_each_drive_on_the_window(self):
        panel = self.driver.execute_script('''
            const panel = document.getElementById('selection');
            return { outside: !document.getElementById('Form4').contains(panel),
                     unlabelled: [...panel.querySelectorAll('input, select')]
                       .filter((e) => e.labels.length !== 1).length };''')
        self.assertEqual(panel, {'outside': True, 'unlabelled': 0})

        def rows():
            return self.driver.execute_script('''
                return [...document.querySelectorAll('#selection-table tbody tr')].map((r) => ({
                  cells: [...r.cells].slice(1).map((c) => c.textContent),
                  red: [...r.cells].slice(1).map((c) => c.classList.contains('red')),
                  label: r.querySelector('button') ? r.querySelector('button').getAttribute('aria-label') : '' }));''')

        def status():
            return self.page.element('selection-status').text

        # Bad input as the window reads it: "abc" is 0, refused with the core's words; nothing moves.
        before = self.page.read_outs()
        self.page.type('duty-delivery', 'abc')
        self.page.type('duty-pressure', '7 bar')
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        self.assertEqual(status(), 'Refused: delivery not a finite number above 0 m3/min.')
        self.assertEqual(rows(), [])
        self.assertEqual(self.page.read_outs(), before)
        # A duty in the limit segment of the 7 bar curve, submitted from the keyboard.
        self.page.type('duty-delivery', '6.5')
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        table = rows()
        self.assertEqual(len(table), 11)
        self.assertEqual(status(), '10 drives; speed 6600 1/min, power 40.9 kW.')
        self.assertEqual(table[0]['red'], [False] * 2 + [True] * 2 + [False] * (len(table[0]['red']) - 4))
        for index, row in enumerate(table[1:]):
            motor, pulleys, section, belts = row['cells'][0], row['cells'][1].split(' / '), *row['cells'][6:8]
            self.assertEqual(row['label'], f'Show {motor} 1/min, pulleys {pulleys[0]} / {pulleys[1]} mm, '
                                           f'{belts} {section} belts on the window')
            # The row moved by hand in between, as a user may: the drive still shows as proposed.
            self.page.key('VScroll1', Keys.HOME)
            button = self.driver.execute_script(
                'return document.querySelectorAll("#selection-table tbody tr")[arguments[0]].querySelector("button")',
                index + 1)
            self.driver.execute_script('arguments[0].focus()', button)
            ActionChains(self.driver).send_keys(Keys.ENTER).perform()
            shown = self.page.read_outs()
            h, v = shown['scroll']
            # The desktop core after the same belt entries, Calculate, and VScroll1 moved to that row.
            expected = reference([f'text 2 {motor}', f'text 3 {pulleys[0]}', f'text 4 {pulleys[1]}', 'command2',
                                  'end 1', f'step 1 {v - reference.chart_size[1]}'])[-1]
            self.assertEqual(expected['scroll'], [h, v], row)
            self.assert_same(f'drive {row}', expected, shown)
            texts = dict(zip(READ_OUTS, shown['texts']))
            self.assertEqual(row['cells'][2:6], [texts['Label4'], texts['Text1'], texts['Text2'],
                                                 f"{texts['Label20']} {texts['Label21']}"], row)
            red = dict(zip(READ_OUTS, shown['colours']))
            self.assertEqual(row['red'][2:6], [red['Label4'] == RED, red['Text1'] == RED, red['Text2'] == RED,
                                               red['Label20'] == RED], row)

    def test_sheet_prints_as_the_command_line_draws_it(self):
        """The print view of the window's reading and of a proposal, printed to PDF as "Save as
        PDF" prints it, holds what the command line's sheet holds: the shared sheet checks."""
        cases = [('at', ['at', '5000', '25']), ('select', ['select', '4.5', '8', '--proposal', '1'])]
        reference_line = 'ACME <pumps> & Co'
        with tempfile.TemporaryDirectory() as folder:
            for name, words in cases:
                if name == 'at':
                    self.page.mouse('mousePressed', 1, 1, 0, 299, 199)
                    self.page.mouse('mouseReleased', 1, 0, 0, 299, 199)
                    self.page.type('sheet-reference', reference_line)
                    opener = self.page.element('reading-sheet')
                else:
                    self.page.element('sheet-close').click()
                    self.page.type('duty-delivery', '4.5')
                    self.page.type('duty-pressure', '8')
                    self.page.element('selection-submit').click()
                    opener = self.driver.find_elements('css selector', '.drive-sheet')[0]
                opener.click()
                self.assertEqual(self.driver.switch_to.active_element.get_attribute('id'), 'sheet-print')
                printed = self.driver.execute_cdp_cmd('Page.printToPDF', {'preferCSSPageSize': True,
                                                                          'printBackground': True})
                pdf = os.path.join(folder, f'{name}.pdf')
                with open(pdf, 'wb') as f:
                    f.write(base64.b64decode(printed['data']))
                expected = os.path.join(folder, f'{name}.svg')
                subprocess.run([ARGS.reader, 'sheet', '-o', expected, '--reference', reference_line, *words],
                               check=True)
                with open(expected, encoding='utf-8') as f:
                    svg = f.read()
                self.assertEqual(sheet_check.check_pdf(pdf, svg, CHART), [], name)
                self.assertIn('download', self.page.element('sheet-download').get_attribute('outerHTML'))
        ActionChains(self.driver).send_keys(Keys.ESCAPE).perform()
        self.assertEqual(self.driver.switch_to.active_element.get_attribute('class'), 'drive-sheet')


if __name__ == '__main__':
    parser = argparse.ArgumentParser()
    parser.add_argument('--reference', required=True)
    parser.add_argument('--site', required=True)
    parser.add_argument('--chart', required=True)
    parser.add_argument('--reader', required=True)
    ARGS, rest = parser.parse_known_args()
    reference = Reference(ARGS.reference)
    READ_OUTS = reference.read_outs
    CHART = chart_raster(ARGS.chart)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
