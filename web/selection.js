// The drive selection panel beside the window: a duty's entries, the core's proposals as a
// table, a button per drive that shows it on the window through the window's handlers, and the
// sheets for a quote: of the window's reading, and of each drive.

import { element } from './form.js';
import { SheetView } from './sheet_view.js';

export function buildSelectionPanel(module, core, panel, refresh) {
  const design = module.selectionForm();
  const heading = element('h2', { id: 'selection-heading', textContent: design.heading });
  panel.setAttribute('aria-labelledby', heading.id);

  const form = element('form', { id: 'selection-form', noValidate: true });
  const inputs = design.entries.map((entry) => {
    const id = `duty-${entry.name}`;
    const input = entry.choices.length > 0
      ? element('select', { id }, entry.choices.map((name) => element('option', { value: name, textContent: name })))
      : element('input', { id, type: 'text', value: entry.value, autocomplete: 'off', spellcheck: false });
    input.value = entry.value;
    form.append(element('label', { htmlFor: id, textContent: entry.caption }), input);
    return input;
  });
  form.append(element('button', { type: 'submit', id: 'selection-submit', textContent: design.selectButton }));

  const sheets = new SheetView(design);
  const reference = element('input', { id: 'sheet-reference', type: 'text', autocomplete: 'off' });
  const readingSheet = element('button', { type: 'button', id: 'reading-sheet', textContent: design.readingSheetButton });
  readingSheet.addEventListener('click', () =>
    sheets.show((date) => core.readingSheet(reference.value, date), readingSheet));
  const sheetForm = element('div', { id: 'sheet-form' }, [
    element('label', { htmlFor: reference.id, textContent: design.reference }), reference, readingSheet]);

  const status = element('p', { id: 'selection-status', role: 'status' });
  const head = element('tr', {}, ['', ...design.columns].map((c) => element('th', { scope: 'col', textContent: c })));
  const body = element('tbody');
  const table = element('table', { id: 'selection-table', hidden: true }, [
    element('caption', { textContent: design.caption }),
    element('thead', {}, [head]), body]);
  panel.append(heading, form, sheetForm, status, element('div', { className: 'selection-scroll' }, [table]));

  form.addEventListener('submit', (e) => {
    e.preventDefault();
    const result = core.select(inputs.map((input) => input.value));
    body.replaceChildren(...result.rows.map((row) => {
      const cells = row.cells.map((text, i) =>
        element('td', { textContent: text, className: row.red[i] ? 'red' : '' }));
      const first = element('th', { scope: 'row' });
      if (row.motor < 0) {
        first.textContent = design.answerRowHeading;
      } else {
        const show = element('button', { type: 'button', className: 'show-drive', textContent: design.showButton });
        show.setAttribute('aria-label', row.label);
        show.addEventListener('click', () => { core.showDrive(row.motor, row.drive); refresh(); });
        const sheet = element('button', { type: 'button', className: 'drive-sheet', textContent: design.sheetButton });
        sheet.setAttribute('aria-label', row.sheetLabel);
        sheet.addEventListener('click', () =>
          sheets.show((date) => core.proposalSheet(row.motor, row.drive, reference.value, date), sheet));
        first.append(show, sheet);
      }
      return element('tr', {}, [first, ...cells]);
    }));
    table.hidden = result.rows.length === 0;
    status.textContent = result.summary;
  });
}
