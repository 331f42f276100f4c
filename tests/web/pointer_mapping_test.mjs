// The pointer-to-device-pixel rule of web/chart_canvas.js against the coordinates that the
// engines really hand out: for every display scale and browser zoom, every device pixel of the
// canvas, with the canvas's edge and the pointer rounded as each engine rounds them.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import test from 'node:test';

// Loaded as a module whatever Node takes a plain .js file for: Debian 12's Node 18 reads one
// outside a package as CommonJS.
const source = readFileSync(new URL('../../web/chart_canvas.js', import.meta.url), 'utf8');
const { chartPixelOfDevicePixel, chartPixelOnGrid, devicePixelAt, unitAt } =
  await import(`data:text/javascript,${encodeURIComponent(source)}`);

const SCALES = [1, 1.25, 1.5, 1.75, 2, 3];
const ZOOMS = [0.5, 0.67, 0.75, 0.8, 0.9, 1, 1.1, 1.25, 1.5, 1.75, 2, 2.5, 3];
const EDGES = [0, 51, 61, 97, 1003];  // the canvas's left edge in device pixels of the viewport

// Each engine: its devicePixelRatio for a scale, and the CSS coordinate it reports for a device
// position (the pointer, or the canvas's edge).
const ENGINES = {
  // 32-bit floats; the box where the page's nudge put it, or snapped to 1/64 CSS pixel.
  chromium: { ratio: (s) => s, pointer: (d, r) => Math.fround(d / r), edge: (d, r) => Math.fround(d / r) },
  'chromium, layout units': {
    ratio: (s) => s, pointer: (d, r) => Math.fround(d / r), edge: (d, r) => Math.round((d / r) * 64) / 64,
  },
  // A whole number of sixtieths of a CSS pixel per device pixel; the ratio follows from it.
  firefox: {
    ratio: (s) => 60 / Math.round(60 / s),
    pointer: (d, r) => Math.fround((d * Math.round(60 / r)) / 60),
    edge: (d, r) => Math.fround(Math.round(d * Math.round(60 / r)) / 60),
  },
};

for (const [engine, { ratio, pointer, edge }] of Object.entries(ENGINES)) {
  test(`${engine}: a pointer on any device pixel maps to that pixel, at every scale and zoom`, () => {
    for (const scale of SCALES) {
      for (const zoom of ZOOMS) {
        const r = ratio(scale * zoom);
        const width = Math.round(500 * r);
        for (const left of EDGES) {
          const canvasEdge = edge(left, r);
          for (let device = -3; device < width + 3; device += 1) {
            const at = left + device;
            const where = `scale ${scale}, zoom ${zoom}, edge ${left}, device pixel ${device}`;
            // The X server's pointer stands on a pixel's corner; a synthetic event on its centre.
            assert.equal(devicePixelAt(pointer(at, r), canvasEdge, r), device, `${where}, corner`);
            assert.equal(devicePixelAt(pointer(at + 0.5, r), canvasEdge, r), device, `${where}, centre`);
          }
        }
      }
    }
  });
}

test('an engine with whole CSS pixels (WebKit) reads the chart pixel drawn, at whole scales', () => {
  for (const scale of [1, 2, 3]) {
    for (let device = 0; device < 500 * scale; device += 1) {
      const client = Math.floor((60 * scale + device) / scale);  // the canvas's edge at CSS 60
      assert.equal(chartPixelOfDevicePixel(devicePixelAt(client, 60, scale), scale),
        chartPixelOfDevicePixel(device, scale), `scale ${scale}, device pixel ${device}`);
    }
  }
});

test('WebKit zoomed in at scale 2 or 3: each chart pixel whole logical pixels, read where drawn', () => {
  // Safari's zoom steps above 100 % and more; a logical pixel is `scale` device pixels.
  for (const scale of [2, 3]) {
    for (const zoom of [1.1, 1.15, 1.25, 1.5, 1.75, 2, 2.5, 3]) {
      const [r, width] = [scale * zoom, Math.round(500 * scale * zoom)];
      const left = 60 * scale;  // the canvas's edge, on a whole logical pixel
      const drawn = [];
      for (let device = 0; device < width; device += 1) {
        const where = `scale ${scale}, zoom ${zoom}, device pixel ${device}`;
        drawn.push(chartPixelOnGrid(device, r, scale));
        assert.equal(drawn[device], chartPixelOnGrid(device - (device % scale), r, scale), `${where}, whole points`);
        // WebKit: the pointer's whole logical pixel, in CSS pixels snapped to 1/64, to the
        // canvas's device pixels through its transform.
        const logical = Math.floor((left + device) / scale);
        const offset = (Math.round((logical / zoom) * 64) / 64 - left / r) * r;
        assert.equal(chartPixelOfDevicePixel(unitAt(offset, scale), r / scale), drawn[device], where);
      }
      const all = Array.from({ length: 500 }, (_, i) => i);
      assert.deepEqual([...new Set(drawn)], all, `scale ${scale}, zoom ${zoom}: every chart pixel, in order`);
    }
  }
});

test('the case of the report: Chromium at 1.25 reads device pixel 367 of the canvas', () => {
  assert.equal(devicePixelAt(334.3999938964844, 40.79999923706055, 1.25), 367);
  assert.equal(chartPixelOfDevicePixel(367, 1.25), 294);
  // Firefox at 1.25, one pixel further: (121.6 - 40.8) x 1.25 came out as 100.99999.
  assert.equal(devicePixelAt(121.5999984741211, 40.80000305175781, 1.25), 101);
});

test('below a scale of 1 each device pixel shows the chart pixel whose centre is nearest', () => {
  for (const scale of [0.5, 0.625, 0.75, 0.9]) {
    for (let device = 0; device < 500 * scale; device += 1) {
      const centre = (device + 0.5) / scale;  // the device pixel's centre in chart pixels
      const shown = chartPixelOfDevicePixel(device, scale);
      assert.ok(Math.abs(shown + 0.5 - centre) <= 0.5, `scale ${scale}, device pixel ${device}`);
    }
  }
});
