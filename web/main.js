// Starts the tool: loads the core, builds the window from its layout table, draws the chart
// and shows the core's state after every action.

import createCore from './qnte_core.js';
import { buildForm4, buildForm10, cssColour } from './form.js';
import { ChartCanvas, alignToDevicePixels, displayScale } from './chart_canvas.js';
import { ScrollBar, wireChart, wireTextBox } from './input.js';
import { buildSelectionPanel } from './selection.js';

let module;
try {
  module = await createCore();
} catch (error) {
  // Without WebAssembly (or its exception handling) there is no tool: say so, not a blank page.
  const notice = document.getElementById('unsupported-template').content.cloneNode(true);
  document.getElementById('Form4').replaceWith(notice);
  throw error;
}
performance.mark('qnte-core-loaded');
const layout = module.form4Layout();
const form4 = document.getElementById('Form4');
const controls = buildForm4(layout, form4);
performance.mark('qnte-window-built');
const design = (name) => layout.controls.find((c) => c.name === name);
// The controls whose text the core writes, in the order of its state's arrays.
const textControls = layout.textControls;
const canvas = document.getElementById('chart');
const chart = new ChartCanvas(canvas, module.chartRgba(), design('Line1').foreColour, design('Shape2').width);
const core = new module.PageCore();
const announcer = document.getElementById('announcer');

const scrollBars = layout.scrollBars.map((name, bar) => new ScrollBar(
  controls.get(name), design(name).kind === 'VScrollBar', (value) => { core.setScrollValue(bar, value); refresh(); }));

// Shows a read-out's text and colour and what a screen reader hears of it: all from the core.
function showReadOut(element, text, colour, spokenName, description) {
  if (element instanceof HTMLInputElement) {
    if (element.value !== text) element.value = text;
  } else if (element.textContent !== text) {
    element.textContent = text;
  }
  element.style.color = colour === 0 ? '' : cssColour(colour);
  if (spokenName) element.setAttribute('aria-label', spokenName);
  if (description) element.setAttribute('aria-description', description);
  else element.removeAttribute('aria-description');
}

// A pointer button held anywhere on the page: the action is not over yet, so a drag is said
// where it ends and a held arrow where it is let go. Set before the target's own handlers run.
let held = false;
window.addEventListener('pointerdown', (e) => { held = e.buttons !== 0; }, true);
window.addEventListener('pointermove', (e) => { if (held && e.buttons === 0) { held = false; announce(); } });
window.addEventListener('pointerup', (e) => { held = e.buttons !== 0; announce(); });
window.addEventListener('pointercancel', () => { held = false; announce(); });

// Says the core's sentence for the new reading once the action that made it is over.
function announce() {
  if (held) return;
  const words = core.takeAnnouncement();
  if (words) announcer.textContent = words;
}

function refresh() {
  const state = core.state();
  chart.draw(state);
  scrollBars.forEach((bar, i) => bar.show(state.scrollValue[i], state.scrollMaximum[i], state.scrollValueText[i]));
  textControls.forEach(({ name }, i) => showReadOut(controls.get(name), state.texts[i], state.colours[i],
    state.spokenNames[i], state.descriptions[i]));
  // Name and place only: the cross-hair is drawn on the canvas.
  const [line1, line2] = state.lines;
  Object.assign(controls.get('Line1').style, { left: `${line1.ends[0]}px`, top: `${line1.ends[1]}px` });
  Object.assign(controls.get('Line2').style, { left: `${line2.ends[0]}px`, top: `${line2.ends[1]}px` });
  Object.assign(controls.get('Shape2').style, { left: `${state.markerLeft}px`, top: `${state.markerTop}px` });
  announce();
}

wireChart(controls.get('Picture1'), chart, core, refresh, layout.mouse);
textControls.forEach(({ name, entry }, i) => { if (entry) wireTextBox(controls.get(name), i, core); });
controls.get('Command1').addEventListener('click', () => { core.command1Click(); refresh(); });
controls.get('Command2').addEventListener('click', () => { core.command2Click(); refresh(); });
buildSelectionPanel(module, core, document.getElementById('selection'), refresh);

// A click that a key made (Enter, Space, a screen reader) has no pointer and a detail of 0.
// The focus it moves is shown as a keyboard's, which Firefox and WebKit would not guess
// for a focus set by script.
const byKeyboard = (click) => click.detail === 0;

// The outline drawing window: made on first use, then shown again as it was.
let form10 = null;
controls.get('Command4').addEventListener('click', (click) => {
  if (!form10) {
    form10 = buildForm10(module.form10Layout(), document.body);
    // Closed by its close box or by Escape, as a dialog is; the focus goes back to "Air End".
    const closeForm10 = (focusVisible) => {
      form10.form.hidden = true;
      controls.get('Command4').focus({ focusVisible });
    };
    form10.closeBox.addEventListener('click', (e) => closeForm10(byKeyboard(e)));
    form10.form.addEventListener('keydown', (e) => {
      if (e.key !== 'Escape') return;
      e.preventDefault();
      closeForm10(true);
    });
    makeMovable(form10.form, form10.titleBar);
    // Beside the main window where the browser window is wide enough, else cascaded over it.
    const box = form4.getBoundingClientRect();
    const beside = box.right + 16 + form10.form.offsetWidth <= document.documentElement.clientWidth;
    form10.form.style.left = `${Math.round(beside ? box.right + 16 : box.left + 48) + window.scrollX}px`;
    form10.form.style.top = `${Math.round(beside ? box.top : box.top + 48) + window.scrollY}px`;
  }
  form10.form.hidden = false;
  form10.picture.focus({ focusVisible: byKeyboard(click) });
});

// "Close" ends the tool: a page may close only a tab that a script opened or that holds no
// other page (asking for more only earns a warning in the console), so elsewhere the tool is
// ended in its tab, with a way to start it again.
controls.get('Command3').addEventListener('click', () => {
  if (window.opener || window.history.length === 1) window.close();
  document.body.replaceChildren(document.getElementById('closed-template').content.cloneNode(true));
  document.getElementById('restart').addEventListener('click', () => window.location.reload());
});

function makeMovable(windowElement, handle) {
  handle.addEventListener('pointerdown', (e) => {
    if (e.button !== 0 || e.target.closest('button')) return;
    const start = { x: e.clientX - windowElement.offsetLeft, y: e.clientY - windowElement.offsetTop };
    handle.setPointerCapture(e.pointerId);
    const move = (m) => {
      windowElement.style.left = `${Math.max(0, m.clientX - start.x)}px`;
      windowElement.style.top = `${Math.max(0, m.clientY - start.y)}px`;
    };
    handle.addEventListener('pointermove', move);
    const stop = () => handle.removeEventListener('pointermove', move);
    handle.addEventListener('lostpointercapture', stop, { once: true });
  });
}

// The canvas in device pixels, on whole cells of its grid, at the present display scale.
function align() {
  const scale = displayScale();
  if (chart.scale !== scale) {
    chart.setScale(scale);
    chart.draw(core.state());
  }
  alignToDevicePixels(canvas, form4, scale / chart.unit);
}
align();
// A change of display scale (another screen, or zoom) needs the canvas aligned anew.
(function watchScale() {
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
    align();
    watchScale();
  }, { once: true });
}());
window.addEventListener('resize', align);

refresh();
controls.get('Text1').focus();
document.documentElement.dataset.ready = 'true';
window.qnteReadyAt = performance.now();

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
