// Tax types, item tax types and alternate currencies in the basket: each
// test makes its own catalogue with vimra-cli, adds items through the item
// pages' add buttons and reads the basket table the basket frame shows.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { withShop, STEP_MS } from './shop.mjs';
import { addToBasket, basketRows, basketWithRows, chooseInBasket, optionLabels } from './basket_pages.mjs';

// Text add buttons, the basket in its own frame; a data file with a code
// column and input units, so that every add call carries them.
const SETTINGS = { threeFrameStyle: 1, orderFormFlags: 1, addButtonImage: '', updateButtonImage: '', currencyDecimals: 2 };
const HEADER = '#!CODE=Ref;UNIT1=Weight;\n';
const ITEMS = 'Lamp,L-7,40.00,1,,Desk lamp\nBook,B-2,6.00,1,,Picture book\n';

// Runs body on a fresh catalogue with SETTINGS under the test's own.
function withTaxShop(options, body) {
  return withShop({ ...options, settings: { ...SETTINGS, ...options.settings } }, 'zk000000.html', body);
}

test('one tax type: each line and the totals carry the rate; an updated line is taxed again', async () => {
  await withTaxShop({
    key: 'tax-one',
    settings: { includeTax: 1, taxRate: 17.5, taxDescription: 'VAT' },
    data: HEADER + ITEMS,
    commands: [['tax', 'add', 'VAT', '17.5']],
  }, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    let rows = await basketWithRows(s, 3);
    assert.deepEqual(rows[0], ['Item', 'Ref', 'Unit Price', 'Quantity', 'Cost (£)', '+VAT 17.50%', 'Remove']);
    assert.deepEqual(rows[1].slice(0, 6), ['Desk lamp', 'L-7', '40.00', '2', '80.00', '94.00']);
    assert.deepEqual(rows[2].slice(1, 3), ['80.00', '94.00']);

    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    rows = await basketWithRows(s, 4);
    assert.deepEqual(rows[2].slice(4, 6), ['6.00', '7.05']);
    assert.deepEqual(rows[3].slice(1, 3), ['86.00', '101.05']);

    await addToBasket(s, { page: 'zk000002.html', quantity: 3 });
    await s.basketFrame().waitForFunction(() => document.body.innerText.includes('120.00'), null, { timeout: STEP_MS });
    rows = await basketRows(s);
    assert.deepEqual(rows[1].slice(3, 6), ['3', '120.00', '141.00']);
    assert.deepEqual(rows[3].slice(1, 3), ['126.00', '148.05']);
  });
});

test('two tax types: the basket offers the first two and retaxes every line with the chosen one', async () => {
  await withTaxShop({
    key: 'tax-two',
    settings: { includeTax: 1, taxRate: 17.5, taxDescription: 'VAT' },
    data: HEADER + ITEMS,
    commands: [['tax', 'add', 'VAT', '17.5'], ['tax', 'add', 'Reduced', '5'], ['tax', 'add', 'Luxury', '25']],
  }, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    let rows = await basketWithRows(s, 3);
    assert.deepEqual(await optionLabels(s, 'select[name=ttsel]'), ['VAT', 'Reduced']);
    assert.equal(rows[1][5], '94.00');
    assert.equal(rows[2][2], '94.00');

    await chooseInBasket(s, 'select[name=ttsel]', 'Reduced');
    rows = await basketRows(s);
    assert.equal(rows[1][5], '84.00');
    assert.equal(rows[2][2], '84.00');

    // A line updated while the second type is chosen is taxed at its rate.
    await addToBasket(s, { page: 'zk000002.html', quantity: 1 });
    await s.basketFrame().waitForFunction(() => document.body.innerText.includes('42.00'), null, { timeout: STEP_MS });
    rows = await basketRows(s);
    assert.deepEqual(rows[1].slice(3, 6), ['1', '40.00', '42.00']);
    assert.deepEqual(rows[2].slice(1, 3), ['40.00', '42.00']);
    assert.equal(await s.page.evaluate(() => window.TName), 'Reduced');

    await chooseInBasket(s, 'select[name=ttsel]', 'VAT');
    rows = await basketRows(s);
    assert.deepEqual(rows[2].slice(1, 3), ['40.00', '47.00']);
  });
});

test('item tax types: each line at its item\'s rate with a footnote, and the legend, while the items\' rates apply', async () => {
  await withTaxShop({
    key: 'tax-items',
    settings: { includeTax: 1, taxRate: 0, taxDescription: 'Tax' },
    data: '#!CODE=Ref;UNIT1=Weight;\n#!TAX1=Standard;17.5;TAX2=Zero;0;\n'
      + 'Lamp,L-7,40.00,1,,1,Desk lamp\nBook,B-2,6.00,1,,2,Picture book\nMug,M-1,5.00,1,,1,Mug\n',
    commands: [['tax', 'add', 'Item rates', '0', '--item-rates'], ['tax', 'add', 'Flat', '10']],
  }, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await basketWithRows(s, 4);
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    let rows = await basketWithRows(s, 5);
    assert.equal(rows[1][5], '94.001');
    assert.equal(rows[2][5], '6.002');
    assert.deepEqual(rows[3].slice(1, 3), ['86.00', '100.00']);
    assert.equal(rows[4][0], '1 Standard  2 Zero');
    const footnotes = await s.basketFrame().$$eval('sup', (sups) => sups.map((e) => e.innerText.replace(/\u00a0/g, ' ')));
    assert.deepEqual(footnotes, ['1', '2', ' ', '1', '2']);

    // A rate of its own for every line: no footnotes, no legend.
    await chooseInBasket(s, 'select[name=ttsel]', 'Flat');
    rows = await basketRows(s);
    assert.equal(rows.length, 4);
    assert.deepEqual([rows[1][5], rows[2][5]], ['88.00', '6.60']);
    assert.deepEqual(rows[3].slice(1, 3), ['86.00', '94.60']);
    assert.equal(await s.basketFrame().$$eval('sup', (sups) => sups.length), 0);
    // A line added now is taxed at the chosen rate as well, in its cell and in the total.
    await addToBasket(s, { page: 'zk000004.html', quantity: 1 });
    rows = await basketWithRows(s, 5);
    assert.equal(rows[3][5], '5.50');
    assert.deepEqual(rows[4].slice(1, 3), ['91.00', '100.10']);

    await chooseInBasket(s, 'select[name=ttsel]', 'Item rates');
    rows = await basketRows(s);
    assert.equal(rows.length, 6);
    assert.equal(rows[3][5], '5.881');
    assert.deepEqual(rows[4].slice(1, 3), ['91.00', '105.88']);
  });
});

test('alternate currencies: choosing one converts the basket\'s prices and totals with its decimals', async () => {
  await withTaxShop({
    key: 'currencies',
    settings: { includeTax: 1, taxRate: 17.5, taxDescription: 'VAT' },
    data: HEADER + ITEMS,
    commands: [
      ['tax', 'add', 'VAT', '17.5'],
      ['currency', 'add', 'EUR', '1.165'],
      ['currency', 'add', 'JPY', '182.5', '--after', '--decimals', '0'],
      ['currency', 'text', 'Pay in:'],
      ['currency', 'conversion', 'on'],
    ],
  }, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await basketWithRows(s, 3);
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    let rows = await basketWithRows(s, 4);
    assert.equal(rows[0][4], 'Cost (£)');
    assert.deepEqual(rows[1].slice(2, 6), ['40.00', '2', '80.00', '94.00']);
    assert.deepEqual(rows[3].slice(1, 3), ['86.00', '101.05']);
    assert.deepEqual(await optionLabels(s, 'select[name=ac]'), ['£', 'EUR', 'JPY']);
    assert.match(await s.basketFrame().evaluate(() => document.body.innerText), /Pay in:/);

    await chooseInBasket(s, 'select[name=ac]', 'JPY');
    rows = await basketRows(s);
    assert.equal(rows[0][4], 'Cost (JPY)');
    assert.deepEqual(rows[1].slice(2, 6), ['7300', '2', '14600', '17155']);
    assert.deepEqual(rows[2].slice(2, 6), ['1095', '1', '1095', '1287']);
    assert.deepEqual(rows[3].slice(1, 3), ['15695', '18442']);

    await chooseInBasket(s, 'select[name=ac]', 'EUR');
    rows = await basketRows(s);
    assert.equal(rows[0][4], 'Cost (EUR)');
    assert.deepEqual(rows[1].slice(2, 6), ['46.60', '2', '93.20', '109.51']);
    assert.deepEqual(rows[2].slice(2, 6), ['6.99', '1', '6.99', '8.21']);
    assert.deepEqual(rows[3].slice(1, 3), ['100.19', '117.72']);

    // The item page's running cost follows the chosen currency too.
    const item = s.frame('ZKITEM');
    await item.fill('input[name=inp0]', '3');
    await item.evaluate(() => cpl0());
    assert.equal(await item.inputValue('input[name=res0]'), '20.97');
  });
});

test('item tax types with alternate currencies: a line updated in another currency keeps its tax in the main currency', async () => {
  await withTaxShop({
    key: 'tax-items-currencies',
    settings: { includeTax: 1, taxRate: 0, taxDescription: 'Tax' },
    data: '#!CODE=Ref;UNIT1=Weight;\n#!TAX1=Standard;17.5;TAX2=Zero;0;\nLamp,L-7,40.00,1,,1,Desk lamp\n',
    commands: [['currency', 'add', 'EUR', '1.165'], ['currency', 'conversion', 'on']],
  }, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await basketWithRows(s, 4);
    await chooseInBasket(s, 'select[name=ac]', 'EUR');
    await addToBasket(s, { page: 'zk000002.html', quantity: 1 });
    await s.basketFrame().waitForFunction(() => document.body.innerText.includes('46.60'), null, { timeout: STEP_MS });
    const rows = await basketRows(s);
    assert.deepEqual(rows[1].slice(2, 6), ['46.60', '1', '46.60', '54.761']);
    // What the order form hands on: the main currency's totals.
    assert.deepEqual(await s.page.evaluate(() => [fa(fOrderTotal), fa(fIncTax)]), ['40.00', '47.00']);
  });
});
