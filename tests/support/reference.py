"""The native core's answers for the browser tests (tests/web/web_reference.cpp), what the page
shows in the same terms, and the chart's pixels."""
import json
import subprocess

from PIL import Image

# The page's read-outs as the reference gives them, run with the read-outs' names: the scroll
# values, and each read-out's text, colour and what a screen reader hears of it.
SHOWN = '''
    const names = arguments[0];
    const text = (e) => e instanceof HTMLInputElement ? e.value : e.textContent;
    const bar = (id) => Number(document.getElementById(id).getAttribute('aria-valuenow'));
    return {
      scroll: [bar('HScroll1'), bar('VScroll1')],
      texts: names.map((n) => text(document.getElementById(n))),
      colours: names.map((n) => getComputedStyle(document.getElementById(n)).color),
      descriptions: names.map((n) => document.getElementById(n).getAttribute('aria-description') || ''),
      labels: names.map((n) => document.getElementById(n).getAttribute('aria-label') || ''),
      valueTexts: ['HScroll1', 'VScroll1'].map((n) => document.getElementById(n).getAttribute('aria-valuetext')),
    };'''
# The scroll values alone.
SCROLL = '''const bar = (id) => Number(document.getElementById(id).getAttribute('aria-valuenow'));
    return [bar('HScroll1'), bar('VScroll1')];'''


class Reference:
    """The web_reference program: called with actions, the core's state after each; its layout
    table, with the chart's size and the read-outs' names in the order of a state's lists."""

    def __init__(self, program):
        self.program = program
        self.layout = self(['layout'])[0]
        self.chart_size = self.layout['chart']['width'], self.layout['chart']['height']
        self.read_outs = self.layout['readOuts']

    def __call__(self, actions):
        out = subprocess.run([self.program], input='\n'.join(actions) + '\n', capture_output=True, text=True,
                             check=True)
        return [json.loads(line) for line in out.stdout.splitlines()]


def chart_raster(path):
    """The chart picture's pixels, (r, g, b) each."""
    return Image.open(path).convert('RGB')
