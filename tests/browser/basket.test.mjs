// The shopping basket driven through the real home page in headless
// Chromium: adding, replacing, removing and resetting lines, bad
// quantities, selection lists that change the price, product codes and
// units, every shape of the add call, both basket layouts, and the home
// page's query string. Each test makes its own catalogue and fails on any
// script or console error.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { makeShop, openShop, STEP_MS } from './shop.mjs';

// A shop with its catalogue served and open in a browser; the body runs
// with the session, and everything is removed afterwards.
async function withShop(options, pagePath, body) {
  const shop = makeShop(options);
  let s;
  try {
    s = await openShop(shop, pagePath);
    await body(s);
    assert.deepEqual(s.faults(), []);
  } finally {
    if (s) await s.close();
    shop.remove();
  }
}

async function eventually(what, check) {
  const until = Date.now() + STEP_MS;
  for (;;) {
    const last = await check().catch((e) => e);
    if (last === true) return;
    if (Date.now() > until) assert.fail(`${what}: ${last instanceof Error ? last.message : 'not yet'}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}

const fileOf = (url) => new URL(url).pathname.replace(/^\//, '');

// The item frame once it shows the named page, loaded.
async function itemPage(s, name) {
  const item = s.frame('ZKITEM');
  await eventually(`item frame shows ${name}`, async () =>
    fileOf(item.url()) === name && await item.evaluate(() => document.readyState === 'complete'));
  return item;
}

async function openItem(s, name) {
  await s.frame('ZKITEM').goto(s.url(name), { waitUntil: 'load' });
  return itemPage(s, name);
}

// Types the quantity of item p and presses its add control: the text
// button, or the image link. With reload, waits for the item page to come
// back (a line with selection lists reloads it for a fresh line code).
async function add(s, { p = 0, quantity, reload = false } = {}) {
  const item = s.frame('ZKITEM');
  if (quantity !== undefined) await item.fill(`input[name=inp${p}]`, String(quantity));
  const control = await item.$(`input[name=qtbut${p}]`) || await item.$(`a[href^="javascript:cpl${p}();parent.AddProdToQuote("]`);
  assert.ok(control, `an add control for item ${p}`);
  const page = fileOf(item.url());
  if (reload) {
    await Promise.all([item.waitForNavigation({ waitUntil: 'load' }), control.click()]);
    await itemPage(s, page);
  } else {
    await control.click();
  }
}

// The basket as drawn: its header cells, its lines (rows with a remove box)
// as { header: text } objects, and the order total.
async function basket(s) {
  return s.basketFrame().evaluate(() => {
    const text = (cell) => cell.innerText.replace(/\u00a0/g, ' ').trim();
    const table = document.querySelector('form table');
    if (!table) return null;
    const rows = Array.from(table.rows);
    const header = Array.from(rows[0].cells).map(text);
    const lines = rows.filter((r) => r.querySelector('input[type=checkbox]')).map((r) =>
      Object.fromEntries(Array.from(r.cells).map((c, i) => [header[i], text(c)])));
    const totals = rows.find((r) => r.cells.length > 1 && r.cells[0].colSpan > 1);
    return { header, lines, total: totals ? text(totals.cells[1]) : null };
  });
}

// Waits until the basket shows these lines and this total.
async function expectBasket(s, what, lines, total) {
  let seen;
  await eventually(what, async () => {
    seen = await basket(s);
    return seen !== null && JSON.stringify(seen.lines) === JSON.stringify(lines) && seen.total === total;
  }).catch(() => assert.deepEqual({ lines: seen?.lines, total: seen?.total }, { lines, total }, what));
}

const line = (desc, unitPrice, quantity, cost, extra = {}) =>
  ({ Item: desc, ...extra, 'Unit Price': unitPrice, Quantity: String(quantity), 'Cost (£)': cost, Remove: '' });

const fruit = 'Apple,1.50,,Crisp apple\nPear,2.25,,Juicy pear\n';
const textButtons = { addButtonImage: '', updateButtonImage: '' };

test('adding, adding again, removing and resetting; amounts with the shop\'s decimals', async () => {
  await withShop({ key: 'lines', settings: { ...textButtons, currencyDecimals: 3 }, data: fruit }, undefined, async (s) => {
    await itemPage(s, 'zk000002.html');
    await add(s, { quantity: 3 });
    // Three frames: the basket redraws after every add without being asked.
    await expectBasket(s, 'the first line', [line('Crisp apple', '1.500', 3, '4.500')], '4.500');

    await add(s, { quantity: 2 });
    await expectBasket(s, 'the line replaced, not added to', [line('Crisp apple', '1.500', 2, '3.000')], '3.000');

    await openItem(s, 'zk000003.html');
    await add(s, { quantity: 1 });
    await expectBasket(s, 'a second line',
      [line('Crisp apple', '1.500', 2, '3.000'), line('Juicy pear', '2.250', 1, '2.250')], '5.250');

    await s.basketFrame().click('tr:has-text("Crisp apple") input[type=checkbox]');
    await expectBasket(s, 'the first line removed', [line('Juicy pear', '2.250', 1, '2.250')], '2.250');

    await s.basketFrame().click('input[value=Reset]');
    await expectBasket(s, 'an empty basket', [], '0.000');
    assert.deepEqual(s.dialogs, []);
  });
});

test('a quantity of "2a" is refused with an alert and adds nothing visible', async () => {
  await withShop({ key: 'bad-quantity', settings: textButtons, data: fruit }, undefined, async (s) => {
    await itemPage(s, 'zk000002.html');
    await add(s, { quantity: '2a' });
    await eventually('the alert', async () => s.dialogs.length > 0);
    await expectBasket(s, 'no line shown', [], '0.00');
    assert.deepEqual(s.dialogs, ['invalid number [2a]']);
  });
});

test('a price-varying selection list: the cost follows the option, two choices make two lines', async () => {
  const data = '#!SELECT1=Size;\nTee,10.00,,#!PV;Small|Medium (1.50)|Large (2.50),Cotton tee\n';
  await withShop({ key: 'options', settings: textButtons, data }, undefined, async (s) => {
    const item = await itemPage(s, 'zk000002.html');
    await item.fill('input[name=inp0]', '2');
    await item.selectOption('select[name=SLT0]', { index: 1 });
    await eventually('the cost of two mediums', async () =>
      await item.evaluate(() => document.forms[0].res0.value) === '23.00');

    await add(s, { reload: true });
    const medium = line('Cotton tee', '11.50', 2, '23.00', { Size: 'Medium (1.50)' });
    await expectBasket(s, 'the medium line', [medium], '23.00');

    await item.selectOption('select[name=SLT0]', { index: 2 });
    await add(s, { quantity: 1, reload: true });
    await expectBasket(s, 'a second line for the large one',
      [medium, line('Cotton tee', '12.50', 1, '12.50', { Size: 'Large (2.50)' })], '35.50');
  });
});

test('a product-code column and input units: the basket shows the codes and keeps the units', async () => {
  const data = '#!CODE=Ref;UNIT1=kg;\nFlour,FL-1,1.20,1.5,,Strong white flour\nOats,OT-2,0.90,0.5,,Rolled oats\n';
  await withShop({ key: 'codes', settings: textButtons, data }, undefined, async (s) => {
    await itemPage(s, 'zk000002.html');
    await add(s, { quantity: 2 });
    await openItem(s, 'zk000003.html');
    await add(s, { quantity: 3 });
    await expectBasket(s, 'both lines with their codes', [
      line('Strong white flour', '1.20', 2, '2.40', { Ref: 'FL-1' }),
      line('Rolled oats', '0.90', 3, '2.70', { Ref: 'OT-2' }),
    ], '5.10');
    const kept = await s.page.evaluate(() => ({ lines: [1, 2].map((n) => [prods[n].pc, prods[n].u]), units: Tu1 }));
    assert.deepEqual(kept, { lines: [['FL-1', 1.5], ['OT-2', 0.5]], units: 4.5 });
  });
});

// Left for the order form's tests: the hand-over of a basket with codes.
test.todo('the order hand-over carries the product codes');

// Every shape of item's add call: the line must arrive with the values the
// page shows, whatever extra arguments the basket takes.
const shapes = [
  {
    name: 'no code, no units, no lists, text button',
    settings: textButtons,
    data: 'Jam,3.20,,Plum jam\n',
    want: { desc: 'Plum jam', up: 3.2 },
  },
  {
    name: 'code and units, add and update images',
    settings: {},
    data: '#!CODE=Ref;UNIT1=kg;\nJam,J-1,3.20,0.45,,Plum jam\n',
    want: { desc: 'Plum jam', up: 3.2, pc: 'J-1', u: 0.45 },
  },
  {
    name: 'code, two lists (several options and one), text button',
    settings: textButtons,
    data: '#!CODE=Ref;SELECT1=Size;SELECT2=Colour;\nTee,T-1,10.00,,Small|Large,Red,Cotton tee\n',
    choose: { SLT0: 1 },
    want: { desc: 'Cotton tee', up: 10, pc: 'T-1', sl1: 'Large', sl2: 'Red' },
  },
  {
    name: 'units, a free-text list, item tax types without tax, add image only',
    settings: { updateButtonImage: '' },
    data: '#!UNIT1=kg;TXTOPT1=Message;TAX1=Zero;0;TAX2=Standard;17.5;\nCake,4.00,2.0,,Happy birthday,2,Fruit cake\n',
    want: { desc: 'Fruit cake', up: 4, u: 2, sl1: 'Happy birthday' },
  },
  {
    name: 'code, units, two lists and item tax types with tax, add and update images',
    settings: { includeTax: 1 },
    data: '#!CODE=Ref;UNIT1=kg;SELECT1=Grind;SELECT2=Size;TAX1=Zero;0;TAX2=Standard;17.5;\n'
      + 'Beans,B-1,7.00,0.25,,Whole|Ground,#!PV;250g|1kg (14.00),2,House beans\n',
    choose: { SLT0: 1, SLT1: 1 },
    want: { desc: 'House beans', up: 21, pc: 'B-1', u: 0.25, sl1: 'Ground', sl2: '1kg (14.00)', itt: 1 },
  },
  {
    name: 'units, one list and item tax types with tax, text button',
    settings: { ...textButtons, includeTax: 1 },
    data: '#!UNIT1=kg;SELECT1=Size;TAX1=Zero;0;TAX2=Standard;17.5;\nTea,1.50,0.1,,Small|Large,1,Green tea\n',
    want: { desc: 'Green tea', up: 1.5, u: 0.1, sl1: 'Small', itt: 0 },
  },
];

for (const shape of shapes) {
  test(`the add call agrees with the basket: ${shape.name}`, async () => {
    await withShop({ key: 'shape', settings: shape.settings, data: shape.data }, undefined, async (s) => {
      const item = await itemPage(s, 'zk000002.html');
      for (const [list, index] of Object.entries(shape.choose || {}))
        await item.selectOption(`select[name=${list}]`, { index });
      await add(s, { quantity: 2 });
      await eventually('a line in the basket', async () => await s.page.evaluate(() => iNextProd) === 2);
      const got = await s.page.evaluate((keys) =>
        Object.fromEntries(keys.map((k) => [k, k === 'up' ? Number(prods[1].up) : prods[1][k]])), Object.keys(shape.want));
      assert.deepEqual(got, shape.want);
      assert.equal(await s.page.evaluate(() => Number(prods[1].qty)), 2);
      const drawn = await basket(s);
      assert.equal(drawn.lines.length, 1);
      assert.equal(drawn.lines[0].Item, shape.want.desc);
      assert.equal(drawn.lines[0].Quantity, '2');
      if (shape.want.pc) assert.equal(drawn.lines[0].Ref, shape.want.pc);
    });
  });
}

test('two frames: the basket shows when its link is followed', async () => {
  await withShop({ key: 'two-frames', settings: { ...textButtons, threeFrameStyle: 0 }, data: fruit }, undefined, async (s) => {
    const item = await itemPage(s, 'zk000002.html');
    await add(s, { quantity: 2 });
    await eventually('the line kept', async () => await s.page.evaluate(() => iNextProd) === 2);
    assert.ok(await item.$('input[name=qtbut0]'), 'the item page stays until the basket is asked for');
    await s.frame('ZKLIST').click('a[href="javascript:parent.ShowBasket();"]');
    await expectBasket(s, 'the basket in the item frame', [line('Crisp apple', '1.50', 2, '3.00')], '3.00');
  });
});

// Index page 2 shows its first item (page 4) as it opens.
const nested = 'Top,1.00,,Top item\nLone,1.50,,Lone item\nMore,,INDEX,\nInner,2.00,,Inner item\nEND INDEX\n';

test('the home page asked for an index page and an item page opens both', async () => {
  await withShop({ key: 'query', settings: textButtons, data: nested }, 'zk000000.html?zki00002zk000003', async (s) => {
    await eventually('index page 2', async () => fileOf(s.frame('ZKLIST').url()) === 'zki00002.html'
      && await s.frame('ZKLIST').evaluate(() => document.readyState === 'complete'));
    await new Promise((r) => setTimeout(r, 300));
    assert.equal(fileOf(s.frame('ZKITEM').url()), 'zk000003.html');

    // Once the catalogue is open, the index page shows its first item again.
    await s.frame('ZKLIST').goto(s.url('zki00002.html'), { waitUntil: 'load' });
    await itemPage(s, 'zk000004.html');
  });
});

test('an index page opened on its own takes the visitor into the frameset', async () => {
  await withShop({ key: 'alone', settings: textButtons, data: nested }, 'zki00002.html', async (s) => {
    await eventually('the home page', async () => /\/zk000000\.html\?zki00002\.html$/.test(s.page.url()));
    await eventually('index page 2 in its frame', async () =>
      s.frame('ZKLIST') !== null && fileOf(s.frame('ZKLIST').url()) === 'zki00002.html');
    await itemPage(s, 'zk000004.html');
  });
});
