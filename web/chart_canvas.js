// Draws the chart from the core's own raster and the cross-hair over it. The canvas has one
// pixel per device pixel and this module decides which chart pixel each device pixel shows:
// then a pointer on any device pixel reads exactly the chart pixel drawn there, at every
// display scale, with no resampling by the browser.

// The cell [i, i + 1) that holds a coordinate, as the core counts pixels.
const cell = (coordinate) => Math.floor(coordinate);

// The chart pixel shown on device pixel `device` at display scale `scale`: the one whose
// block holds the device pixel's centre.
export const chartPixelOfDevicePixel = (device, scale) => Math.floor((device + 0.5) / scale);

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
    this.canvas.style.width = `${width / scale}px`;
    this.canvas.style.height = `${height / scale}px`;
    const clamp = (v, extent) => Math.min(extent - 1, Math.max(0, v));
    this.columns = Int32Array.from({ length: width }, (_, d) => clamp(chartPixelOfDevicePixel(d, scale), this.width));
    this.rows = Int32Array.from({ length: height }, (_, d) => clamp(chartPixelOfDevicePixel(d, scale), this.height));
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

  // The chart pixel under a pointer, in whole chart pixels; beyond the chart it goes on
  // counting, so a point beside it lies outside 0..499 or 0..399.
  pixelAt(clientX, clientY) {
    const box = this.canvas.getBoundingClientRect();
    const device = (offset) => Math.floor(offset * this.scale);
    return {
      x: chartPixelOfDevicePixel(device(clientX - box.left), this.scale),
      y: chartPixelOfDevicePixel(device(clientY - box.top), this.scale),
    };
  }
}

// Keeps the canvas on whole device pixels by nudging the window by less than a CSS pixel:
// otherwise the browser would resample it.
export function alignToDevicePixels(canvas, windowElement) {
  windowElement.style.translate = '0 0';
  const scale = window.devicePixelRatio || 1;
  const box = canvas.getBoundingClientRect();
  const offset = (v) => (Math.round(v * scale) - v * scale) / scale;
  windowElement.style.translate = `${offset(box.left)}px ${offset(box.top)}px`;
}
