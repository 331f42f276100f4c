// The sheet for a quote in a print view: the core's drawing of the window's reading or of a
// proposal, shown as the page it is, which the browser's own "Print" or "Save as PDF" gives
// whole; and its SVG to download.

import { element } from './form.js';

// Today in the reader's own calendar, as the sheet prints a date.
function today() {
  const now = new Date();
  const two = (n) => String(n).padStart(2, '0');
  return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`;
}

export class SheetView {
  constructor(design) {
    this.design = design;
    this.print = element('button', { type: 'button', id: 'sheet-print', textContent: design.printButton });
    this.download = element('a', { id: 'sheet-download', textContent: design.saveSvgButton, className: 'button' });
    this.close = element('button', { type: 'button', id: 'sheet-close', textContent: design.closeSheetButton });
    this.page = element('div', { id: 'sheet-page' });
    this.dialog = element('dialog', { id: 'sheet-view' }, [
      element('div', { className: 'sheet-actions' }, [this.print, this.download, this.close]), this.page]);
    this.dialog.setAttribute('aria-label', design.sheetButton);
    document.body.append(this.dialog);
    this.print.addEventListener('click', () => window.print());
    this.close.addEventListener('click', () => this.dialog.close());
    // Escape closes it as any dialog; the focus goes back to the button that opened it.
    this.dialog.addEventListener('close', () => {
      URL.revokeObjectURL(this.download.href);
      if (this.opener) this.opener.focus({ focusVisible: true });
    });
  }

  // Shows the SVG that `make(date)` draws; `opener` gets the focus back when it closes.
  show(make, opener) {
    const svg = make(today());
    if (!svg) return;
    this.opener = opener;
    this.page.innerHTML = svg.slice(svg.indexOf('<svg'));
    URL.revokeObjectURL(this.download.href);
    this.download.href = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
    this.download.download = `${this.design.sheetFileName}.svg`;
    this.dialog.showModal();
    this.print.focus();
  }
}
