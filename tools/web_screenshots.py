#!/usr/bin/python3
"""Takes pictures of the browser version in headless Chromium into docs/screenshots/: parked,
a reading, a red reading, the drawing window open, and at display scale 2.
Run tools/web.sh --build first. Usage: tools/web_screenshots.py"""
import os
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SITE = os.path.join(ROOT, 'build', 'web')
OUT = os.path.join(ROOT, 'docs', 'screenshots')
sys.path.insert(0, os.path.join(ROOT, 'tests', 'support'))
import browsers  # noqa: E402  (the tests' browser driver and server, found through the path above)
from local_server import served  # noqa: E402


def shoot(browser, url, name, width, height, scale=1, actions=()):
    browser.emulate(width, height, scale)
    browser.open(url)
    for action in actions:
        action(browser)
    time.sleep(0.2)
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(browser.screenshot())
    print(os.path.join('docs', 'screenshots', name))


def click_chart(x, y):
    def click(browser):
        box = browser.js('return document.getElementById("chart").getBoundingClientRect().toJSON()')
        browser.click(box['left'] + x + 0.5, box['top'] + y + 0.5)
    return click


def main():
    reading = click_chart(299, 199)
    browser = browsers.start('chromium', headless=True, arguments=['--hide-scrollbars'])
    with browser, served(SITE) as (url, _):
        shoot(browser, url, 'web-parked.png', 800, 540)
        shoot(browser, url, 'web-reading.png', 800, 540, actions=[reading])
        shoot(browser, url, 'web-red.png', 800, 540, actions=[click_chart(480, 20)])
        shoot(browser, url, 'web-drawing-window.png', 1420, 540,
              actions=[reading, lambda b: b.driver.find_element('id', 'Command4').click()])
        shoot(browser, url, 'web-scale-2.png', 800, 540, scale=2, actions=[reading])


if __name__ == '__main__':
    main()
