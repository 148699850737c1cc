// Driving a catalogue's pages as a visitor does, for the browser tests:
// item pages in the item frame, their add controls, the basket as drawn
// and the order form it opens. Every function takes a session of openShop.
import assert from 'node:assert/strict';
import { eventually, STEP_MS } from './shop.mjs';

// The file a frame or page shows, e.g. "zk000002.html".
export const fileOf = (url) => new URL(url).pathname.replace(/^\//, '');

// The item frame once it shows the named page, loaded.
export async function itemPage(s, name) {
  const item = s.frame('ZKITEM');
  await eventually(`item frame shows ${name}`, async () =>
    fileOf(item.url()) === name && await item.evaluate(() => document.readyState === 'complete'));
  return item;
}

// Loads an item page into the item frame.
export async function openItem(s, name) {
  await s.frame('ZKITEM').goto(s.url(name), { waitUntil: 'load' });
  return itemPage(s, name);
}

// The basket's lines as the home page holds them.
const heldLines = (s) => s.page.evaluate(() =>
  JSON.stringify(Array.from({ length: iNextProd - 1 }, (_, i) => prods[i + 1])));

// Adds item p of an item page to the basket with its own add control (the
// text button or the image link): shows page first unless the item frame
// already does, types quantity when given, and waits until the basket holds
// something new or an alert is shown. A javascript: link runs after the
// click returns, hence the wait; adding exactly what a line holds already
// changes nothing and would time out. With reload, also waits for the item
// page to come back (a line with selection lists reloads it for a fresh line
// code).
export async function addToBasket(s, { page, p = 0, quantity, reload = false } = {}) {
  const item = page && fileOf(s.frame('ZKITEM').url()) !== page ? await openItem(s, page) : s.frame('ZKITEM');
  if (quantity !== undefined) await item.fill(`input[name=inp${p}]`, String(quantity));
  const control = await item.$(`input[name=qtbut${p}]`) || await item.$(`a[href^="javascript:cpl${p}();parent.AddProdToQuote("]`);
  assert.ok(control, `an add control for item ${p}`);
  const before = await heldLines(s);
  const alerts = s.dialogs.length;
  const shown = fileOf(item.url());
  if (reload) {
    await Promise.all([item.waitForNavigation({ waitUntil: 'load' }), control.click()]);
    await itemPage(s, shown);
  } else {
    await control.click();
  }
  await eventually(`the basket takes item ${p} of ${shown}`, async () =>
    s.dialogs.length > alerts || await heldLines(s) !== before);
}

// The basket's table (the first in its form) as rows of cell texts: the
// heading, the lines, the totals and, with item tax types, the legend.
// No basket drawn: no rows.
export async function basketRows(s) {
  return ((await readBasket(s)) || []).map((row) => row.cells);
}

// The basket once its table has count rows.
export async function basketWithRows(s, count) {
  await s.basketFrame().waitForFunction((n) => {
    const table = document.forms[0] && document.forms[0].querySelector('table');
    return table && table.rows.length === n;
  }, count, { timeout: STEP_MS });
  return basketRows(s);
}

// The basket as drawn: its header cells, its lines (rows with a remove box)
// as { header: text } objects, and the order total; null before it is drawn.
export async function basketTable(s) {
  const rows = await readBasket(s);
  if (!rows) return null;
  const header = rows[0].cells;
  const lines = rows.filter((r) => r.removable).map((r) => Object.fromEntries(r.cells.map((c, i) => [header[i], c])));
  const totals = rows.find((r) => r.spans);
  return { header, lines, total: totals ? totals.cells[1] : null };
}

function readBasket(s) {
  return s.basketFrame().evaluate(() => {
    const table = document.forms[0] && document.forms[0].querySelector('table');
    if (!table) return null;
    return Array.from(table.rows, (row) => ({
      cells: Array.from(row.cells, (cell) => cell.innerText.replace(/\u00a0/g, ' ').trim()),
      removable: row.querySelector('input[type=checkbox]') !== null,
      spans: row.cells.length > 1 && row.cells[0].colSpan > 1,
    }));
  });
}

// Chooses an option of a basket selector by its label and waits until the
// redrawn basket shows it chosen.
export async function chooseInBasket(s, selector, label) {
  const basket = s.basketFrame();
  await basket.selectOption(selector, { label });
  await basket.waitForFunction(([sel, text]) => {
    const select = document.querySelector(sel);
    return select && select.options[select.selectedIndex].text === text;
  }, [selector, label], { timeout: STEP_MS });
}

export async function optionLabels(s, selector) {
  return s.basketFrame().$$eval(`${selector} option`, (options) => options.map((o) => o.text));
}

// Presses the basket's "Order Form" button and returns the window the
// default order form is written into, once its form is there. The form
// has a window of its own, opened on the first order and written again on
// each later one; a mark on the old form shows when that has happened.
export async function openOrderForm(s) {
  const before = s.popups.length;
  const old = s.popups.findLast((p) => !p.isClosed());
  if (old) await old.evaluate(() => document.forms.OrdForm?.setAttribute('data-shown', ''));
  await s.basketFrame().click('input[value="Order Form"]');
  await eventually('the order form is written', async () => s.popups.length > before
    || (old !== undefined && await old.evaluate(() => !!document.forms.OrdForm && !document.forms.OrdForm.hasAttribute('data-shown'))));
  assert.ok(s.popups.length <= before + 1, 'one window for the order form');
  const popup = s.popups.length > before ? s.popups.at(-1) : old;
  await popup.waitForLoadState();
  await popup.waitForSelector('form[name=OrdForm]');
  return popup;
}

// The rows of an order form's first table (the order), as cell texts.
export async function orderRows(form) {
  return form.$eval('table', (table) =>
    Array.from(table.rows, (r) => Array.from(r.cells, (c) => c.innerText.replace(/\u00a0/g, ' ').trim())));
}
