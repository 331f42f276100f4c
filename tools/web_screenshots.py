#!/usr/bin/python3
"""Takes pictures of the browser version in headless Chromium into docs/screenshots/: parked,
a reading, a red reading, the drawing window open, and at display scale 2.
Run tools/web.sh --build first. Usage: tools/web_screenshots.py"""
import contextlib
import os
import socket
import subprocess
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SITE = os.path.join(ROOT, 'build', 'web')
OUT = os.path.join(ROOT, 'docs', 'screenshots')


@contextlib.contextmanager
def served():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        port = s.getsockname()[1]
    server = subprocess.Popen([sys.executable, '-m', 'http.server', str(port), '--bind', '127.0.0.1',
                               '--directory', SITE], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    try:
        yield f'http://127.0.0.1:{port}/'
    finally:
        server.terminate()
        server.wait()


def shoot(driver, url, name, width, height, scale=1, actions=()):
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': width, 'height': height, 'deviceScaleFactor': scale, 'mobile': False})
    driver.get(url)
    while not driver.execute_script('return document.documentElement.dataset.ready === "true"'):
        time.sleep(0.05)
    for action in actions:
        action(driver)
    time.sleep(0.2)
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(driver.get_screenshot_as_png())
    print(os.path.join('docs', 'screenshots', name))


def click_chart(x, y):
    def click(driver):
        box = driver.execute_script('return document.getElementById("chart").getBoundingClientRect().toJSON()')
        for kind, buttons in [('mousePressed', 1), ('mouseReleased', 0)]:
            driver.execute_cdp_cmd('Input.dispatchMouseEvent', {'type': kind, 'x': box['left'] + x + 0.5,
                                                                'y': box['top'] + y + 0.5, 'button': 'left',
                                                                'buttons': buttons, 'clickCount': 1})
    return click


def main():
    options = Options()
    options.binary_location = '/usr/bin/chromium'
    for argument in ['--headless=new', '--no-sandbox', '--disable-gpu', '--hide-scrollbars', '--force-color-profile=srgb']:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    reading = click_chart(299, 199)
    try:
        with served() as url:
            shoot(driver, url, 'web-parked.png', 800, 540)
            shoot(driver, url, 'web-reading.png', 800, 540, actions=[reading])
            shoot(driver, url, 'web-red.png', 800, 540, actions=[click_chart(480, 20)])
            shoot(driver, url, 'web-drawing-window.png', 1420, 540,
                  actions=[reading, lambda d: d.find_element('id', 'Command4').click()])
            shoot(driver, url, 'web-scale-2.png', 800, 540, scale=2, actions=[reading])
    finally:
        driver.quit()


if __name__ == '__main__':
    main()
