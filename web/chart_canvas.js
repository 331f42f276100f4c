// Draws the chart from the core's own raster and the cross-hair over it. The canvas has one
// pixel per device pixel and this module decides which chart pixel each device pixel shows:
// then a pointer on any device pixel reads exactly the chart pixel drawn there, at every
// display scale and zoom, with no resampling by the browser.

// The cell [i, i + 1) that holds a coordinate, as the core counts pixels.
const cell = (coordinate) => Math.floor(coordinate);

// The chart pixel shown on device pixel `device` at display scale `scale`: the one whose
// block holds the device pixel's centre (below a scale of 1, the one whose centre is nearest).
export const chartPixelOfDevicePixel = (device, scale) => Math.floor((device + 0.5) / scale);

// The chart pixel shown on device pixel `device` where the pointer counts in units of `unit`
// device pixels: every device pixel of a unit shows what the rule above gives the unit, at
// `scale / unit` units per chart pixel, so that each chart pixel covers whole units only.
export const chartPixelOnGrid = (device, scale, unit) =>
  chartPixelOfDevicePixel(Math.floor(device / unit), scale / unit);

// How far short of a device pixel's edge an engine may report a pointer that stands on that
// pixel. Engines hand out CSS coordinates rounded: Chromium as 32-bit floats, Firefox in
// sixtieths of a CSS pixel, and both snap the element's box to 1/64 or 1/60 of one. Multiplied
// back by the scale these miss the device grid by a thousandth of a pixel or so, in either
// direction; a pointer placed on a pixel's centre lies half a pixel in.
const GRID_NOISE = 1 / 16;

// The device pixel, counted from the canvas's first, under a pointer at CSS coordinate
// `client` (clientX or clientY) when the canvas's edge is at CSS coordinate `edge` and a CSS
// pixel spans `scale` device pixels. The canvas lies on whole device pixels (the page keeps it
// there), so its edge is the nearest device pixel edge; the pointer stands on the device pixel
// that holds its position, or on the next when its position falls just short of that pixel's
// edge: never on its left neighbour for a rounding of the engine's.
export const devicePixelAt = (client, edge, scale) =>
  Math.floor(client * scale + GRID_NOISE) - Math.round(edge * scale);

// The pointer's unit of `unit` device pixels, counted from the canvas's first, under a pointer
// at `offset` (offsetX or offsetY) on a canvas that counts device pixels.
export const unitAt = (offset, unit) => Math.floor(offset / unit + GRID_NOISE);

// The device pixels that one CSS pixel spans. Chromium and Firefox count the browser's zoom
// into devicePixelRatio; WebKit (Safari, WebKitGTK) leaves its page zoom out of it, and the
// zoom shows only as the window's width over the page's width in CSS pixels.
export function displayScale() {
  const ratio = window.devicePixelRatio || 1;
  if (navigator.vendor !== 'Apple Computer, Inc.' || !window.visualViewport || !window.outerWidth) return ratio;
  // A classic scroll bar takes its width off the page's; the two widths are rounded apart.
  const gap = window.innerWidth - document.documentElement.clientWidth;
  const scrollBar = gap > 2 ? gap : 0;
  const zoom = Math.round((window.outerWidth / (window.visualViewport.width + scrollBar)) * 1e4) / 1e4;
  return Math.abs(zoom - 1) > 0.01 && zoom > 0.2 && zoom < 5 ? ratio * zoom : ratio;
}

export class ChartCanvas {
  // `rgba`: the raster's ImageData bytes, row by row, as many as the canvas has pixels as
  // built; `crossHair`: the colour of the lines and the marker as 0x00BBGGRR; `markerSize`:
  // the marker's side in chart pixels.
  constructor(canvas, rgba, crossHair, markerSize) {
    this.canvas = canvas;
    this.width = canvas.width;
    this.height = canvas.height;
    this.context = canvas.getContext('2d', { alpha: false });
    // On a little-endian machine ImageData's RGBA bytes read as 0xAABBGGRR words.
    this.chart = new Uint32Array(rgba.buffer, rgba.byteOffset, this.width * this.height);
    this.withCrossHair = new Uint32Array(this.chart.length);
    this.crossHair = 0xFF000000 | crossHair;
    this.markerSize = markerSize;
    this.setScale(1);
  }

  // Sizes the canvas in device pixels for a display scale.
  setScale(scale) {
    this.scale = scale;
    const width = Math.round(this.width * scale);
    const height = Math.round(this.height * scale);
    this.canvas.width = width;
    this.canvas.height = height;
    // Where a CSS pixel is not devicePixelRatio device pixels (WebKit's page zoom), the engine
    // also hands out pointer positions in whole CSS pixels, too coarse for device pixels: there
    // the canvas counts its own CSS pixels as device pixels, shrunk to size by a transform, and
    // a pointer's offset on it is in device pixels.
    const ratio = window.devicePixelRatio || 1;
    this.deviceUnits = scale !== ratio;
    // Even so the pointer moves there in whole logical pixels of `ratio` device pixels: zoomed
    // in (2.5 device pixels to a chart pixel at scale 2 and zoom 1.25) two chart pixels would
    // share a logical pixel, and the pointer could not tell them apart. So each logical pixel
    // shows one chart pixel, and a chart pixel covers one or more whole logical pixels. Zoomed
    // out a logical pixel is wider than a chart pixel: the device grid, showing them all, stays.
    this.unit = this.deviceUnits && scale > ratio ? ratio : 1;
    const shrink = this.deviceUnits ? scale : 1;
    Object.assign(this.canvas.style, {
      width: `${(width * shrink) / scale}px`, height: `${(height * shrink) / scale}px`,
      transform: this.deviceUnits ? `scale(${1 / scale})` : '', transformOrigin: '0 0',
    });
    const clamp = (v, extent) => Math.min(extent - 1, Math.max(0, v));
    const shown = (d) => chartPixelOnGrid(d, scale, this.unit);
    this.columns = Int32Array.from({ length: width }, (_, d) => clamp(shown(d), this.width));
    this.rows = Int32Array.from({ length: height }, (_, d) => clamp(shown(d), this.height));
    this.frame = new ImageData(width, height);
    this.frameWords = new Uint32Array(this.frame.data.buffer);
  }

  plot(x, y) {
    if (x >= 0 && x < this.width && y >= 0 && y < this.height) {
      this.withCrossHair[y * this.width + x] = this.crossHair;
    }
  }

  // A horizontal or vertical line between two end points, both included.
  line([x1, y1, x2, y2]) {
    const [left, right] = [cell(Math.min(x1, x2)), cell(Math.max(x1, x2))];
    const [top, bottom] = [cell(Math.min(y1, y2)), cell(Math.max(y1, y2))];
    for (let y = Math.max(top, 0); y <= Math.min(bottom, this.height - 1); y += 1) {
      for (let x = Math.max(left, 0); x <= Math.min(right, this.width - 1); x += 1) this.plot(x, y);
    }
  }

  marker(left, top) {
    const [x0, y0, size] = [cell(left), cell(top), this.markerSize];
    for (let i = 0; i < size; i += 1) {
      this.plot(x0 + i, y0);
      this.plot(x0 + i, y0 + size - 1);
      this.plot(x0, y0 + i);
      this.plot(x0 + size - 1, y0 + i);
    }
  }

  // The chart with the cross-hair of the core's state: the marker lowest, then Line2, Line1.
  draw(state) {
    this.withCrossHair.set(this.chart);
    this.marker(state.markerLeft, state.markerTop);
    const [line1, line2] = state.lines;
    if (line2.visible) this.line(line2.ends);
    if (line1.visible) this.line(line1.ends);
    const { columns, rows, frameWords, withCrossHair } = this;
    if (this.scale === 1) {
      frameWords.set(withCrossHair);
    } else {
      const width = columns.length;
      for (let dy = 0; dy < rows.length; dy += 1) {
        const out = dy * width;
        if (dy > 0 && rows[dy] === rows[dy - 1]) {
          frameWords.copyWithin(out, out - width, out);  // the same chart row again
          continue;
        }
        const row = rows[dy] * this.width;
        for (let dx = 0; dx < width; dx += 1) frameWords[out + dx] = withCrossHair[row + columns[dx]];
      }
    }
    this.context.putImageData(this.frame, 0, 0);
  }

  // The chart pixel under a pointer event, in whole chart pixels; beyond the chart it goes on
  // counting, so a point beside it lies outside 0..499 or 0..399.
  pixelAt(event) {
    const { scale, unit } = this;
    let x;
    let y;
    if (this.deviceUnits && event.target === this.canvas) {
      [x, y] = [unitAt(event.offsetX, unit), unitAt(event.offsetY, unit)];
    } else {
      const box = this.canvas.getBoundingClientRect();
      [x, y] = [devicePixelAt(event.clientX, box.left, scale), devicePixelAt(event.clientY, box.top, scale)]
        .map((device) => Math.floor(device / unit));
    }
    return { x: chartPixelOfDevicePixel(x, scale / unit), y: chartPixelOfDevicePixel(y, scale / unit) };
  }
}

// Keeps the canvas on whole device pixels by nudging the window by less than a CSS pixel:
// otherwise the browser would resample it. `grid` is the cells of the chart's grid, device
// pixels or the pointer's units, per CSS pixel: the canvas starts on a whole one.
export function alignToDevicePixels(canvas, windowElement, grid) {
  windowElement.style.translate = '0 0';
  const box = canvas.getBoundingClientRect();
  const offset = (v) => (Math.round(v * grid) - v * grid) / grid;
  windowElement.style.translate = `${offset(box.left)}px ${offset(box.top)}px`;
}
