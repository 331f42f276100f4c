// Draws the chart from the core's own raster, one chart pixel per canvas pixel, and the
// cross-hair over it into the same pixels, so that lines and marker cover exactly the pixel
// blocks of the chart pixels they stand on at every display scale.

export const CHART_WIDTH = 500;
export const CHART_HEIGHT = 400;

// The cell [i, i + 1) that holds a coordinate, as the core counts pixels.
const cell = (coordinate) => Math.floor(coordinate);

export class ChartCanvas {
  // `pixels`: the raster's colours as 0x00BBGGRR, row by row; `crossHair`: the design
  // colour of the lines and the marker.
  constructor(canvas, pixels, crossHair, markerSize) {
    this.markerSize = markerSize;
    this.context = canvas.getContext('2d', { alpha: false });
    this.chart = new ImageData(CHART_WIDTH, CHART_HEIGHT);
    const rgba = new Uint32Array(this.chart.data.buffer);
    // ImageData is RGBA in memory; on a little-endian machine that reads 0xAABBGGRR.
    for (let i = 0; i < pixels.length; i += 1) rgba[i] = 0xFF000000 | pixels[i];
    this.frame = new ImageData(CHART_WIDTH, CHART_HEIGHT);
    this.frameWords = new Uint32Array(this.frame.data.buffer);
    this.crossHair = 0xFF000000 | crossHair;
  }

  plot(x, y) {
    if (x >= 0 && x < CHART_WIDTH && y >= 0 && y < CHART_HEIGHT) this.frameWords[y * CHART_WIDTH + x] = this.crossHair;
  }

  // A horizontal or vertical line between two end points, both included.
  line([x1, y1, x2, y2]) {
    const [left, right] = [cell(Math.min(x1, x2)), cell(Math.max(x1, x2))];
    const [top, bottom] = [cell(Math.min(y1, y2)), cell(Math.max(y1, y2))];
    for (let y = Math.max(top, 0); y <= Math.min(bottom, CHART_HEIGHT - 1); y += 1) {
      for (let x = Math.max(left, 0); x <= Math.min(right, CHART_WIDTH - 1); x += 1) this.plot(x, y);
    }
  }

  marker(left, top, size) {
    const [x0, y0] = [cell(left), cell(top)];
    for (let i = 0; i < size; i += 1) {
      this.plot(x0 + i, y0);
      this.plot(x0 + i, y0 + size - 1);
      this.plot(x0, y0 + i);
      this.plot(x0 + size - 1, y0 + i);
    }
  }

  // The chart with the cross-hair of the core's state: the marker lowest, then Line2, Line1.
  draw(state) {
    this.frame.data.set(this.chart.data);
    this.marker(state.markerLeft, state.markerTop, this.markerSize);
    const [line1, line2] = state.lines;
    if (line2.visible) this.line(line2.ends);
    if (line1.visible) this.line(line1.ends);
    this.context.putImageData(this.frame, 0, 0);
  }
}

// The chart pixel under a pointer: the canvas shows one chart pixel per CSS pixel, drawn
// nearest-neighbour, so the pixel whose block holds the pointer is the one that it reads.
export function chartPixelAt(canvas, clientX, clientY) {
  const box = canvas.getBoundingClientRect();
  return {
    x: Math.floor((clientX - box.left) * CHART_WIDTH / box.width),
    y: Math.floor((clientY - box.top) * CHART_HEIGHT / box.height),
  };
}

// Keeps the canvas on whole device pixels, whatever the display scale, by nudging the
// window by less than a CSS pixel: otherwise the browser resamples the chart.
export function alignToDevicePixels(canvas, windowElement) {
  windowElement.style.translate = '0 0';
  const scale = window.devicePixelRatio || 1;
  const box = canvas.getBoundingClientRect();
  const offset = (v) => (Math.round(v * scale) - v * scale) / scale;
  windowElement.style.translate = `${offset(box.left)}px ${offset(box.top)}px`;
}
