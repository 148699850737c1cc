// The shopping basket driven through the real home page in headless
// Chromium: adding, replacing, removing and resetting lines, bad
// quantities, selection lists that change the price, product codes and
// units, every shape of the add call, both basket layouts, and the home
// page's query string. Each test makes its own catalogue and fails on any
// script or console error.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { withShop, eventually } from './shop.mjs';
import { fileOf, itemPage, openItem, addToBasket, basketTable, openOrderForm, orderRows } from './basket_pages.mjs';

// Waits until the basket shows these lines and this total.
async function expectBasket(s, what, lines, total) {
  let seen;
  await eventually(what, async () => {
    seen = await basketTable(s);
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
    await addToBasket(s, { quantity: 3 });
    // Three frames: the basket redraws after every add without being asked.
    await expectBasket(s, 'the first line', [line('Crisp apple', '1.500', 3, '4.500')], '4.500');

    await addToBasket(s, { quantity: 2 });
    await expectBasket(s, 'the line replaced, not added to', [line('Crisp apple', '1.500', 2, '3.000')], '3.000');

    await openItem(s, 'zk000003.html');
    await addToBasket(s, { quantity: 1 });
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
    await addToBasket(s, { quantity: '2a' });
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

    await addToBasket(s, { reload: true });
    const medium = line('Cotton tee', '11.50', 2, '23.00', { Size: 'Medium (1.50)' });
    await expectBasket(s, 'the medium line', [medium], '23.00');

    await item.selectOption('select[name=SLT0]', { index: 2 });
    await addToBasket(s, { quantity: 1, reload: true });
    await expectBasket(s, 'a second line for the large one',
      [medium, line('Cotton tee', '12.50', 1, '12.50', { Size: 'Large (2.50)' })], '35.50');
  });
});

const coded = '#!CODE=Ref;UNIT1=kg;\nFlour,FL-1,1.20,1.5,,Strong white flour\nOats,OT-2,0.90,0.5,,Rolled oats\n';

test('a product-code column and input units: the basket shows the codes and keeps the units', async () => {
  await withShop({ key: 'codes', settings: textButtons, data: coded }, undefined, async (s) => {
    await itemPage(s, 'zk000002.html');
    await addToBasket(s, { quantity: 2 });
    await openItem(s, 'zk000003.html');
    await addToBasket(s, { quantity: 3 });
    await expectBasket(s, 'both lines with their codes', [
      line('Strong white flour', '1.20', 2, '2.40', { Ref: 'FL-1' }),
      line('Rolled oats', '0.90', 3, '2.70', { Ref: 'OT-2' }),
    ], '5.10');
    const kept = await s.page.evaluate(() => ({ lines: [1, 2].map((n) => [prods[n].pc, prods[n].u]), units: Tu1 }));
    assert.deepEqual(kept, { lines: [['FL-1', 1.5], ['OT-2', 0.5]], units: 4.5 });
  });
});

// Flour 2 at 1.20 and oats 3 at 0.90, added from their item pages.
async function fillCodedBasket(s) {
  await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
  await addToBasket(s, { page: 'zk000003.html', quantity: 3 });
}

test('the default order form lists each line with its product code', async () => {
  await withShop({ key: 'codes-form', settings: { ...textButtons, orderFormFlags: 1 }, data: coded }, undefined, async (s) => {
    await fillCodedBasket(s);
    const form = await openOrderForm(s);
    assert.deepEqual(await orderRows(form), [
      ['Item', 'Ref', 'Unit Price', 'Quantity', 'Cost (£)'],
      ['Strong white flour', 'FL-1', '1.20', '2', '2.40'],
      ['Rolled oats', 'OT-2', '0.90', '3', '2.70'],
      ['', '5.10'],
    ]);
  });
});

test('the order hand-over to an order address carries the product codes', async () => {
  const settings = { ...textButtons, orderFormFlags: 1, orderFormUrl: 'order.html' };
  await withShop({ key: 'codes-handover', settings, data: coded }, undefined, async (s) => {
    await fillCodedBasket(s);
    const handedOver = s.page.context().waitForEvent('request', (r) => /\/order\.html\?det=/.test(r.url()));
    await s.basketFrame().click('input[value="Order Form"]');
    const det = unescape(new URL((await handedOver).url()).search.slice('?det='.length));
    // Totals, lines, schedule and tax (none), one extra column, currency,
    // the code column's label; then per line its description, code, unit
    // price, quantity, cost and cost with tax.
    assert.equal(det, '5.10\\0.00\\0.00\\2\\\\\\1\\&#163;\\10\\\\Ref\\'
      + 'Strong white flour\\FL-1\\1.20\\2\\2.40\\0.00\\'
      + 'Rolled oats\\OT-2\\0.90\\3\\2.70\\0.00\\');
    // The order page written from the shop's template shows them too.
    const form = s.popups.at(-1) ?? s.page;
    await form.waitForURL(/order\.html\?det=/);
    await form.waitForSelector('form[name=OrdForm]');
    assert.deepEqual((await orderRows(form)).slice(1, 3), [
      ['Strong white flour', 'FL-1', '1.20', '2', '2.40'],
      ['Rolled oats', 'OT-2', '0.90', '3', '2.70'],
    ]);
  });
});

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
      await addToBasket(s, { quantity: 2 });
      await eventually('a line in the basket', async () => await s.page.evaluate(() => iNextProd) === 2);
      const got = await s.page.evaluate((keys) =>
        Object.fromEntries(keys.map((k) => [k, k === 'up' ? Number(prods[1].up) : prods[1][k]])), Object.keys(shape.want));
      assert.deepEqual(got, shape.want);
      assert.equal(await s.page.evaluate(() => Number(prods[1].qty)), 2);
      const drawn = await basketTable(s);
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
    await addToBasket(s, { quantity: 2 });
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
