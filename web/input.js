// Hands every user action to the core: pointer on the chart, the two scroll bars, typing
// and the buttons. After each action the page shows the core's new state.

// Mouse buttons and modifier keys as the chart's handlers count them, with the masks the core
// gives. A finger or a pen has no right button and no modifier keys: it counts as the right
// button, so that it places the cross-hair and drags it as the right mouse button does.
function eventMasks(mouse) {
  const buttonOfEvent = [mouse.left, mouse.middle, mouse.right];  // event.button 0, 1, 2
  const isMouse = (e) => e.pointerType === 'mouse';
  const held = (e) => (e.buttons & 1 ? mouse.left : 0) | (e.buttons & 2 ? mouse.right : 0)
    | (e.buttons & 4 ? mouse.middle : 0);  // event.buttons: 1 left, 2 right, 4 middle
  return {
    shiftMask: (e) => (e.shiftKey ? mouse.shift : 0) | (e.ctrlKey ? mouse.ctrl : 0) | (e.altKey ? mouse.alt : 0),
    buttonOf: (e) => (isMouse(e) ? buttonOfEvent[e.button] : mouse.right),
    buttonsMask: (e) => (isMouse(e) ? held(e) : (e.buttons && mouse.right)),
  };
}

export function wireChart(picture1, chart, core, refresh, mouse) {
  const { shiftMask, buttonOf, buttonsMask } = eventMasks(mouse);
  const at = (e) => chart.pixelAt(e);
  // While a button pressed on the chart is held, the chart follows the pointer anywhere.
  let pressed = false;
  picture1.addEventListener('pointerdown', (e) => {
    const button = buttonOf(e);
    if (button === undefined) return;
    e.preventDefault();
    picture1.focus({ preventScroll: true });
    // Where the canvas counts device pixels, its moves reach it wherever the pointer goes.
    if (chart.deviceUnits && e.target === chart.canvas) chart.canvas.setPointerCapture(e.pointerId);
    pressed = true;
    const { x, y } = at(e);
    core.mouseDown(button, shiftMask(e), x, y);
    refresh();
  });
  window.addEventListener('pointermove', (e) => {
    const buttons = buttonsMask(e);
    if (!pressed || buttons === 0) return;
    const { x, y } = at(e);
    core.mouseMove(buttons, shiftMask(e), x, y);
    refresh();
  });
  const release = (e) => { if (buttonsMask(e) === 0) pressed = false; };
  window.addEventListener('pointerup', release);
  window.addEventListener('pointercancel', () => { pressed = false; });
  picture1.addEventListener('contextmenu', (e) => e.preventDefault());
}

const REPEAT_DELAY_MS = 300;
const REPEAT_INTERVAL_MS = 50;

// A scroll bar as on the desktop: arrows and trough step by 1 and repeat while held, keys step
// by 1, Home and End go to the ends, and a dragged thumb moves nothing until it is released.
export class ScrollBar {
  constructor(element, vertical, setValue) {
    this.element = element;
    this.vertical = vertical;
    this.setValue = setValue;
    this.value = 0;
    this.maximum = 0;
    this.dragging = null;
    this.thumb = element.querySelector('.thumb');
    this.trough = element.querySelector('.trough');
    element.setAttribute('aria-valuemin', '0');
    element.addEventListener('pointerdown', (e) => this.pointerDown(e));
    element.addEventListener('pointermove', (e) => this.pointerMove(e));
    element.addEventListener('pointerup', (e) => this.pointerUp(e));
    element.addEventListener('pointercancel', () => this.cancel());
    element.addEventListener('lostpointercapture', () => this.stop());
    element.addEventListener('keydown', (e) => this.keyDown(e));
  }

  show(value, maximum, valueText) {
    this.value = value;
    this.maximum = maximum;
    this.element.setAttribute('aria-valuenow', String(value));
    this.element.setAttribute('aria-valuetext', valueText);
    this.element.setAttribute('aria-valuemax', String(maximum));
    if (!this.dragging) this.placeThumb(value);
  }

  // Pixel length of the trough and of the thumb, along the bar.
  geometry() {
    const along = this.vertical ? this.element.clientHeight : this.element.clientWidth;
    const arrow = this.vertical ? this.element.clientWidth : this.element.clientHeight;
    const thumb = arrow;
    return { start: arrow, travel: Math.max(0, along - 2 * arrow - thumb), thumb };
  }

  placeThumb(value) {
    const { start, travel } = this.geometry();
    const offset = this.maximum > 0 ? Math.round((value * travel) / this.maximum) : 0;
    this.thumb.style[this.vertical ? 'top' : 'left'] = `${start + offset}px`;
  }

  step(delta) {
    const next = Math.min(this.maximum, Math.max(0, this.value + delta));
    if (next !== this.value) this.setValue(next);
  }

  position(e) {
    const box = this.element.getBoundingClientRect();
    return this.vertical ? e.clientY - box.top : e.clientX - box.left;
  }

  pointerDown(e) {
    if (e.button !== 0) return;
    e.preventDefault();
    this.element.focus({ preventScroll: true });
    this.element.setPointerCapture(e.pointerId);
    const { start, travel, thumb } = this.geometry();
    const at = this.position(e);
    const thumbAt = start + (this.maximum > 0 ? Math.round((this.value * travel) / this.maximum) : 0);
    if (e.target === this.thumb) {
      this.dragging = { grip: at - thumbAt, value: this.value };
      return;
    }
    let delta;
    if (at < start) delta = -1;
    else if (at >= start + travel + thumb) delta = 1;
    else delta = at < thumbAt ? -1 : 1;
    const trough = e.target === this.trough;
    this.step(delta);
    this.repeat = setTimeout(() => {
      this.repeat = setInterval(() => {
        // The trough stops repeating once the thumb reaches the pointer.
        if (trough) {
          const now = start + (this.maximum > 0 ? Math.round((this.value * travel) / this.maximum) : 0);
          if ((delta < 0 && at >= now) || (delta > 0 && at < now + thumb)) return;
        }
        this.step(delta);
      }, REPEAT_INTERVAL_MS);
    }, REPEAT_DELAY_MS);
  }

  pointerMove(e) {
    if (!this.dragging) return;
    const { start, travel } = this.geometry();
    const offset = Math.min(travel, Math.max(0, this.position(e) - this.dragging.grip - start));
    this.dragging.value = travel > 0 ? Math.round((offset * this.maximum) / travel) : 0;
    this.placeThumb(this.dragging.value);
  }

  pointerUp(e) {
    if (this.dragging) {
      this.pointerMove(e);
      const { value } = this.dragging;
      this.dragging = null;
      if (value !== this.value) this.setValue(value);
      else this.placeThumb(this.value);
    }
    this.stop();
  }

  cancel() {
    this.dragging = null;
    this.placeThumb(this.value);
    this.stop();
  }

  stop() {
    clearTimeout(this.repeat);
    clearInterval(this.repeat);
    this.repeat = undefined;
  }

  keyDown(e) {
    const steps = {
      ArrowLeft: -1, ArrowUp: -1, PageUp: -1, ArrowRight: 1, ArrowDown: 1, PageDown: 1,
    };
    if (e.key in steps) this.step(steps[e.key]);
    else if (e.key === 'Home') this.step(-this.value);
    else if (e.key === 'End') this.step(this.maximum - this.value);
    else return;
    e.preventDefault();
  }
}

// Text boxes hand each edit to the core, which reads them when a Calculate button is pressed.
export function wireTextBox(element, index, core) {
  element.addEventListener('input', () => core.setText(index, element.value));
}
