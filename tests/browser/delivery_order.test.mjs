// Delivery charges and the default order form in headless Chromium: the
// basket's schedule selector with a formula and a range schedule, the charge
// following the basket, and the order form listing exactly the basket's
// lines with its totals and delivery row.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { makeShop, inBrowser } from './shop.mjs';
import { addToBasket, chooseInBasket, openOrderForm, orderRows } from './basket_pages.mjs';

// Two items, one on each item page (zk000002.html, zk000003.html).
const DATA = 'Apple,1.50,,Crisp apple\nPear,2.00,,Sweet pear\n';
const SCHEDULES = [
  ['delivery', 'add-formula', 'Standard', '--initial', '2.5', '--factor', '0.1'],
  ['delivery', 'add-range', 'By count', '--basis', 'items', '1:3', '5:6'],
];

let shop;
before(() => {
  shop = makeShop({
    key: 'delivery-order',
    settings: { threeFrameStyle: 1, orderFormFlags: 3, currencyDecimals: 2 },
    data: DATA,
    commands: [...SCHEDULES, ['order-form', 'set', 'address1', 'Corner Shop'],
               ['order-form', 'set', 'text', 'Thank you']],
  });
});
after(() => shop?.remove());

// The value of a field of the basket's form.
async function basketValue(s, selector) {
  return s.basketFrame().$eval(selector, (e) => e.value);
}

test('the basket charges the chosen schedule and follows the basket', async () => {
  await inBrowser(shop, 'zk000000.html?zk000002', async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    // The first schedule is in force: 2.5 + 0.1 * 3.00.
    assert.equal(await basketValue(s, 'input[name=dc]'), '2.80');
    await chooseInBasket(s, 'select[name=ds]', 'By count');
    assert.equal(await basketValue(s, 'input[name=dc]'), '3.00');   // 2 items: from 1 on, 3.00
    await addToBasket(s, { page: 'zk000003.html', quantity: 3 });
    // Five items reach the second range; the basket keeps the chosen schedule.
    assert.equal(await basketValue(s, 'input[name=dc]'), '6.00');
    assert.equal(await s.basketFrame().$eval('select[name=ds]', (e) => e.selectedIndex), 1);
    const popup = await openOrderForm(s);
    const rows = await orderRows(popup);
    assert.deepEqual(rows.at(-1), ['including delivery cost (By count) 6.00', '15.00']);
  });
});

test('the order form lists exactly the basket lines with totals and delivery', async () => {
  await inBrowser(shop, 'zk000000.html?zk000002', async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 3 });
    await addToBasket(s, { page: 'zk000002.html', quantity: 1 });   // the line is replaced, not added to
    await addToBasket(s, { page: 'zk000003.html', quantity: 4 });
    // Remove the pear's line (the innermost row that names it): a removed
    // line is not ordered.
    await s.basketFrame().locator('tr', { hasText: 'Sweet pear' }).last().locator('input[type=checkbox]').click();
    const popup = await openOrderForm(s);
    assert.deepEqual(await orderRows(popup), [
      ['Item', 'Unit Price', 'Quantity', 'Cost (£)'],
      ['Crisp apple', '1.50', '1', '1.50'],
      ['', '1.50'],
      ['including delivery cost (Standard) 2.65', '4.15'],
    ]);
    const text = await popup.innerText('body');
    assert.match(text, /Fill in your details/);
    assert.match(text, /Print and send to\s+Corner Shop/);
    assert.match(text, /Thank you/);
    // The basket frame shows the basket again.
    assert.match(await s.basketFrame().innerText('body'), /Crisp apple/);
  });
});

test('ordering from an empty basket only says so', async () => {
  await inBrowser(shop, 'zk000000.html?zk000002', async (s) => {
    await s.basketFrame().click('input[value="Order Form"]');
    await s.page.waitForTimeout(300);
    assert.deepEqual(s.dialogs, ['There are no items ordered']);
    assert.equal(s.popups.length, 0);
  });
});

// With tax the order form adds a column for the tax type chosen in the
// basket, the lines' costs with tax and the total with tax.
let taxShop;
before(() => {
  taxShop = makeShop({
    key: 'order-tax',
    settings: { threeFrameStyle: 1, orderFormFlags: 3, currencyDecimals: 2, includeTax: 1, taxRate: 20, taxDescription: 'VAT' },
    data: DATA,
    commands: [SCHEDULES[0], ['tax', 'add', 'VAT', '20'], ['tax', 'add', 'Reduced', '5']],
  });
});
after(() => taxShop?.remove());

test('with tax the order form shows the chosen tax type, the lines and the total with tax', async () => {
  await inBrowser(taxShop, 'zk000000.html?zk000002', async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 3 });
    const form = await openOrderForm(s);
    assert.deepEqual(await orderRows(form), [
      ['Item', 'Unit Price', 'Quantity', 'Cost (£)', '+VAT(20.00%)'],
      ['Crisp apple', '1.50', '2', '3.00', '3.60'],
      ['Sweet pear', '2.00', '3', '6.00', '7.20'],
      ['', '10.80'],
      ['including delivery cost (Standard) 3.40', '14.20'],
    ]);
    // Another type chosen in the basket: the form, ordered again, follows it.
    await chooseInBasket(s, 'select[name=ttsel]', 'Reduced');
    assert.equal(await openOrderForm(s), form);
    assert.deepEqual(await orderRows(form), [
      ['Item', 'Unit Price', 'Quantity', 'Cost (£)', '+Reduced(5.00%)'],
      ['Crisp apple', '1.50', '2', '3.00', '3.15'],
      ['Sweet pear', '2.00', '3', '6.00', '6.30'],
      ['', '9.45'],
      ['including delivery cost (Standard) 3.40', '12.85'],
    ]);
  });
});

// The order form delivered as zkof01.dat, filled in for an order address:
// it reads the order from the address the basket opens it with, extra
// columns (here a product code) included.
const CODED_DATA = '#!CODE=Ref;\nApple,A-1,1.50,,Crisp apple\nPear,P-2,2.00,,Sweet pear\n';
let templateShop;
before(() => {
  templateShop = makeShop({
    key: 'order-template',
    settings: { threeFrameStyle: 1, orderFormFlags: 3, currencyDecimals: 2, orderFormUrl: 'order.html' },
    data: CODED_DATA,
    commands: [SCHEDULES[0], ['order-form', 'set', 'address1', 'Corner Shop']],
  });
});
after(() => templateShop?.remove());

test('the delivered order form template shows the order it is handed', async () => {
  await inBrowser(templateShop, 'zk000000.html?zk000002', async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 3 });
    await s.basketFrame().locator('tr', { hasText: 'Sweet pear' }).last().locator('input[type=checkbox]').click();
    await s.basketFrame().click('input[value="Order Form"]');
    await s.page.waitForURL(/order\.html\?det=/);
    const form = s.popups.at(-1) ?? s.page;
    await form.waitForSelector('form[name=OrdForm]');
    assert.deepEqual(await orderRows(form), [
      ['Item', 'Ref', 'Unit Price', 'Quantity', 'Cost (£)'],
      ['Crisp apple', 'A-1', '1.50', '2', '3.00'],
      ['', '3.00'],
      ['including delivery cost (Standard) 2.80', '5.80'],
    ]);
    const hidden = await form.$$eval('form[name=OrdForm] input[type=hidden]', (inputs) =>
      inputs.map((i) => `${i.name}=${i.value}`));
    assert.deepEqual(hidden, ['ITEM1=Crisp apple|A-1 : 2 @ 1.50 = 3.00', 'ITEMSTOTAL=total of items is 3.00',
      'GRANDTOTAL=including delivery (Standard) of 2.80 is 5.80']);
    assert.match(await form.innerText('body'), /or print and send to\s+Corner Shop/);
    // The template's own check stops a form without a name.
    await form.click('input[type=submit]');
    assert.deepEqual(s.dialogs, ['please enter your name']);
  });
});

// With a form handler the order form carries the lines as hidden fields
// numbered as the basket numbers them, and checks the name and the e-mail
// address before it sends.
let handlerShop;
before(() => {
  handlerShop = makeShop({
    key: 'order-handler',
    settings: { threeFrameStyle: 1, orderFormFlags: 3, currencyDecimals: 2, includeCgiAction: 1,
                cgiAction: 'ACTION=order-received.html', insistName: 1, insistEmail: 1 },
    data: DATA,
    commands: [SCHEDULES[0]],
  });
});
after(() => handlerShop?.remove());

test('the order form hands the lines to the form handler and checks the details', async () => {
  await inBrowser(handlerShop, 'zk000000.html?zk000002', async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    await s.basketFrame().locator('tr', { hasText: 'Crisp apple' }).last().locator('input[type=checkbox]').click();
    const popup = await openOrderForm(s);
    const hidden = await popup.$$eval('form[name=OrdForm] input[type=hidden]', (inputs) =>
      inputs.map((i) => `${i.name}=${i.value}`));
    // The unit price goes as the item page gave it, unformatted.
    assert.deepEqual(hidden, ['ITEM2=Sweet pear : 1 @ 2 = 2.00', 'ITEMSTOTAL=total of items is 2.00',
      'GRANDTOTAL=including delivery (Standard) of 2.70 is 4.70']);
    const submit = 'input[type=submit][name=SUBMIT]';
    await popup.click(submit);
    await popup.fill('input[name=NAME]', 'Ann Smith');
    for (const address of ['ann', 'ann@shop', '@shop.example', 'ann smith@shop.example']) {
      await popup.fill('input[name=email]', address);
      await popup.click(submit);
    }
    assert.deepEqual(s.dialogs, ['please enter your name', ...Array(4).fill('please enter a valid email address')]);
    assert.match(popup.url(), /^about:blank/, 'nothing was sent');
  });
});
