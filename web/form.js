// Builds the main window from the one layout table that the core carries: every control at
// its designed place and size, with its design name as id, in tab order.

// An element with its properties and children.
export function element(tag, properties = {}, children = []) {
  const node = Object.assign(document.createElement(tag), properties);
  node.append(...children);
  return node;
}

// The system colours as CSS, by their design value from the layout; set when the window is built.
const SYSTEM_COLOURS = new Map();
const CSS_OF_SYSTEM_COLOUR = {
  windowBackground: 'Canvas',
  windowText: 'CanvasText',
  titleBarText: '#ffffff',  // white in the usual schemes
};

// A design colour (0x00BBGGRR, or 0x800000nn for a system colour) as CSS; null for the
// kind's own colour.
export function cssColour(colour, kindDefault = 0xFFFFFFFF) {
  if (colour === kindDefault) return null;
  if (SYSTEM_COLOURS.has(colour)) return SYSTEM_COLOURS.get(colour);
  return `rgb(${colour & 0xFF}, ${(colour >> 8) & 0xFF}, ${(colour >> 16) & 0xFF})`;
}

function place(element, control, zIndex) {
  Object.assign(element.style, {
    left: `${control.left}px`, top: `${control.top}px`,
    width: `${control.width}px`, height: `${control.height}px`, zIndex: String(zIndex),
  });
}

function describe(element, control) {
  if (control.accessibleName) element.setAttribute('aria-label', control.accessibleName);
  if (control.accessibleDescription) element.setAttribute('aria-description', control.accessibleDescription);
  if (control.toolTip) element.title = control.toolTip;
}

function createScrollBar(control) {
  const bar = document.createElement('div');
  const vertical = control.kind === 'VScrollBar';
  bar.setAttribute('role', 'scrollbar');
  bar.setAttribute('aria-orientation', vertical ? 'vertical' : 'horizontal');
  bar.setAttribute('aria-controls', 'Picture1');
  bar.className = `scrollbar ${vertical ? 'vertical' : 'horizontal'}`;
  for (const part of ['trough', 'arrow decrease', 'thumb', 'arrow increase']) {
    const piece = document.createElement('div');
    piece.className = part;
    piece.setAttribute('aria-hidden', 'true');
    bar.append(piece);
  }
  return bar;
}

function createControl(control, layout) {
  const colour = (value) => cssColour(value, layout.kindDefault);
  let element;
  switch (control.kind) {
    case 'Button':
      element = document.createElement('button');
      element.type = 'button';
      element.textContent = control.caption;
      break;
    case 'TextBox':
      element = document.createElement('input');
      element.type = 'text';
      element.spellcheck = false;
      element.autocomplete = 'off';
      break;
    case 'HScrollBar':
    case 'VScrollBar':
      element = createScrollBar(control);
      break;
    case 'PictureBox':
      element = document.createElement('div');
      element.setAttribute('role', 'img');
      break;
    case 'Shape':
      element = document.createElement('div');
      element.setAttribute('aria-hidden', 'true');
      if (colour(control.fillColour)) element.style.background = colour(control.fillColour);
      element.style.borderColor = colour(control.foreColour) ?? 'CanvasText';
      break;
    default:
      element = document.createElement('div');
      element.textContent = control.caption;
      element.style.textAlign = control.align;
      if (colour(control.foreColour)) element.style.color = colour(control.foreColour);
      if (colour(control.backColour)) element.style.background = colour(control.backColour);
  }
  element.id = control.name;
  element.classList.add(control.kind.toLowerCase());
  if (control.namedFont) element.classList.add('named-font');
  if (control.border) element.classList.add('bordered');
  if (control.focusable) element.tabIndex = 0;
  // A read-out that Tab reaches is a read-only field; the core names it with its value.
  if (control.readOut) {
    element.setAttribute('role', 'textbox');
    element.setAttribute('aria-readonly', 'true');
  }
  describe(element, control);
  return element;
}

// Builds Form4 into `root` and returns its elements by design name. The controls inside the
// chart box (the cross-hair) are drawn on the chart canvas; they get an element each for
// their name and place only.
export function buildForm4(layout, root) {
  for (const [name, css] of Object.entries(CSS_OF_SYSTEM_COLOUR)) SYSTEM_COLOURS.set(layout.systemColours[name], css);
  document.title = layout.caption;
  root.style.width = `${layout.clientWidth}px`;
  root.style.height = `${layout.clientHeight}px`;
  root.setAttribute('aria-label', layout.caption.trim());

  const count = layout.controls.length;
  const byName = new Map();
  const inTabOrder = [];
  layout.controls.forEach((control, stackIndex) => {
    if (control.inPicture1) return;
    const element = createControl(control, layout);
    // Windowed controls lie above whatever is drawn on the window's own surface.
    place(element, control, count - stackIndex + (control.focusable ? count : 0));
    byName.set(control.name, element);
    inTabOrder.push([control.tabIndex, element]);
  });
  // Document order is the tab order, for the keyboard and for screen readers alike.
  inTabOrder.sort((a, b) => a[0] - b[0]);
  root.append(...inTabOrder.map(([, element]) => element));

  const picture1 = byName.get('Picture1');
  const canvas = document.createElement('canvas');
  canvas.id = 'chart';
  canvas.width = layout.chartWidth;
  canvas.height = layout.chartHeight;
  canvas.setAttribute('aria-hidden', 'true');
  picture1.append(canvas);
  for (const control of layout.controls.filter((c) => c.inPicture1)) {
    const element = document.createElement('div');
    element.id = control.name;
    element.className = 'cross-hair-part';
    element.setAttribute('aria-hidden', 'true');
    picture1.append(element);
    byName.set(control.name, element);
  }

  const rotor = document.createElement('img');
  rotor.src = 'rotor.gif';
  rotor.alt = '';
  rotor.draggable = false;
  byName.get('Picture2').append(rotor);
  return byName;
}

// The outline drawing window, built on first use: a modeless in-page window with a title
// bar, a close box and its own Picture1.
export function buildForm10(layout, root) {
  const form = document.createElement('section');
  form.id = 'Form10';
  form.className = 'window';
  form.setAttribute('role', 'dialog');
  form.setAttribute('aria-modal', 'false');
  form.setAttribute('aria-label', layout.accessibleName);

  const titleBar = document.createElement('div');
  titleBar.className = 'title-bar';
  const icon = document.createElement('img');
  icon.src = 'icon-192.png';
  icon.alt = '';
  icon.draggable = false;
  const title = document.createElement('span');
  title.id = 'Form10-title';
  title.className = 'caption';
  title.textContent = layout.caption;
  const closeBox = document.createElement('button');
  closeBox.type = 'button';
  closeBox.className = 'close-box';
  closeBox.setAttribute('aria-label', 'Close');
  closeBox.textContent = '\u2715';
  titleBar.append(icon, title, closeBox);

  const client = document.createElement('div');
  client.className = 'client';
  client.style.width = `${layout.clientWidth}px`;
  client.style.height = `${layout.clientHeight}px`;
  const picture = document.createElement('div');
  // Picture1 is the design name here too; the id names its window, since ids are unique.
  picture.id = 'Form10-Picture1';
  picture.dataset.designName = 'Picture1';
  picture.className = 'picturebox sunken';
  picture.tabIndex = 0;
  picture.setAttribute('role', 'img');
  picture.setAttribute('aria-label', layout.pictureAccessibleName);
  picture.setAttribute('aria-description', layout.pictureAccessibleDescription);
  Object.assign(picture.style, {
    left: `${layout.pictureLeft}px`, top: `${layout.pictureTop}px`,
    width: `${layout.pictureWidth}px`, height: `${layout.pictureHeight}px`,
    borderWidth: `${layout.pictureBorder}px`,
  });
  const drawing = document.createElement('img');
  drawing.src = 'outline_drawing.png';
  drawing.alt = '';
  drawing.draggable = false;
  picture.append(drawing);
  client.append(picture);
  form.append(titleBar, client);
  root.append(form);
  return { form, titleBar, closeBox, picture };
}
