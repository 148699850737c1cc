// The basket hands the order on, in headless Chromium: a payment provider's
// hidden form carries the basket's lines, the generic provider posts the
// whole order as one string, the SecureTrading order page and the shop's own
// order form receive the order in their address. Nothing leaves the
// machine: the test answers the providers' and forms' addresses itself and
// reads what would have been sent.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { makeShop, inBrowser, eventually } from './shop.mjs';
import { addToBasket, basketTable } from './basket_pages.mjs';

const DATA = '#!CODE=Code;\nMug,M-1,4.50,,Stoneware mug\nCup,C-2,2.25,,Tea cup\nSpoon,S-3,0.80,,Spoon\n';
const NO_ITEMS = 'There are no items ordered';
const RECEIVED = { status: 200, contentType: 'text/html', body: '<html><body>received</body></html>' };
// Three frames, a text add button, the basket's buttons, a custom form at
// an address of its own (a provider's form needs a custom form).
const BASE = {
  threeFrameStyle: 1,
  addButtonImage: '',
  orderFormFlags: 1,
  useCustomForm: 1,
  customFormUrl: 'https://forms.example/order.html',
};

// The fields of a form in the basket frame, by name.
function formFields(s, formName) {
  return s.basketFrame().evaluate((name) => {
    const form = document.forms[name];
    return form ? Object.fromEntries([...form.elements].map((e) => [e.name, e.value])) : null;
  }, formName);
}

// Answers every request to address with a small page; resolves with the
// fields of the first POST.
async function catchPost(s, address) {
  let resolve;
  const posted = new Promise((r) => { resolve = r; });
  await s.page.context().route(address, async (route) => {
    const request = route.request();
    if (request.method() === 'POST') resolve(Object.fromEntries(new URLSearchParams(request.postData() || '')));
    await route.fulfill(RECEIVED);
  });
  return posted;
}

// A shop of its own for the test, removed when it ends.
function shopFor(t, key, settings, commands = []) {
  const shop = makeShop({ key, settings: { ...BASE, ...settings }, data: DATA, commands });
  t.after(() => shop.remove());
  return shop;
}

const FIRST_ITEM = 'zk000000.html?zk000002';

const WORLDPAY = { paymentGateway: 1, worldPayAction: 'https://pay.example/purchase', worldPayStore: '1234' };

test('the WorldPay form has an entry for each basket line and their number', async (t) => {
  const shop = shopFor(t, 'pay-worldpay', { ...WORLDPAY, worldPayCompany: 'GBP' });
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    const fields = await formFields(s, 'WorldPay');
    assert.deepEqual(fields, {
      store: '1234', cname: 'GBP',
      code1: 'M-1', desc1: 'Stoneware mug', cost1: '4.5', qty1: '2',
      code2: 'C-2', desc2: 'Tea cup', cost2: '2.25', qty2: '1',
      max: '2',
    });
    const posted = catchPost(s, 'https://pay.example/**');
    await s.basketFrame().click('[onclick="CallWorldPay()"]');
    assert.deepEqual(await posted, fields);
  });
});

test('with tax and delivery the WorldPay form adds a tax entry and a delivery entry', async (t) => {
  const shop = shopFor(t, 'pay-worldpay-tax', { ...WORLDPAY, includeTax: 1, orderFormFlags: 3 },
    [['tax', 'add', 'VAT', '17.5'], ['delivery', 'add-formula', 'Post', '--initial', '2', '--factor', '0']]);
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    const fields = await formFields(s, 'WorldPay');
    assert.equal(fields.max, '4');
    assert.deepEqual([fields.code1, fields.code2, fields.code3, fields.code4], ['M-1', 'C-2', '~WP_TAX', '~WP_PNP']);
    assert.deepEqual([fields.desc3, fields.qty3, fields.qty4], ['VAT', '1', '1']);
    const posted = catchPost(s, 'https://pay.example/**');
    await s.basketFrame().click('[onclick="CallWorldPay()"]');
    const sent = await posted;
    assert.deepEqual([sent.max, sent.cost4, sent.desc4], ['4', '2.00', 'Delivery - Post']);
  });
});

test('the InternetSecure form lists the lines in its Products field', async (t) => {
  const shop = shopFor(t, 'pay-internetsecure', {
    paymentGateway: 2, internetSecureMerchant: 'M42', internetSecureLanguage: 'English', internetSecureUsDollars: 1,
  });
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    const posted = catchPost(s, 'https://secure.internetsecure.com/**');
    await s.basketFrame().click('[onclick="CallInternetSecure()"]');
    const sent = await posted;
    assert.deepEqual([sent.MerchantNumber, sent.language], ['M42', 'English']);
    assert.equal(sent.Products,
      'Unit Price::Quantity::Code::Item::Flags|4.5::2::M-1::Stoneware mug::{US}|2.25::1::C-2::Tea cup::{US}');
  });
});

// A new invoice number each time the basket is drawn.
test('the Authorize.Net form describes the lines and carries the total', async (t) => {
  const shop = shopFor(t, 'pay-authorizenet', { paymentGateway: 3, authorizeNetLogin: 'shop42' });
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    const first = (await formFields(s, 'AuthorizeNet')).x_Invoice_Num;
    await s.page.waitForTimeout(5);
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    const fields = await formFields(s, 'AuthorizeNet');
    assert.notEqual(fields.x_Invoice_Num, first);
    const posted = catchPost(s, 'https://secure.authorize.net/**');
    await s.basketFrame().click('[onclick="CallAuthorizeNet()"]');
    const sent = await posted;
    assert.deepEqual(sent, fields);
    assert.deepEqual([sent.x_Login, sent.x_Amount, sent.x_Version, sent.x_Show_Form],
      ['shop42', '11.25', '3.0', 'PAYMENT_FORM']);
    assert.equal(sent.x_Description, 'Stoneware mug, M-1  , 2@4.5  , 9.00; Tea cup, C-2  , 1@2.25  , 2.25; ');
  });
});

// A line taken out of the basket stays in the order string with quantity 0.
test('the generic provider posts the whole basket as one order string', async (t) => {
  const shop = shopFor(t, 'pay-generic', { paymentGateway: 5, genericAction: 'https://orders.example/take' });
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    const pay = '[onclick="CallGeneric()"]';
    await s.basketFrame().click(pay);
    assert.deepEqual(s.dialogs, [NO_ITEMS]);
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    await addToBasket(s, { page: 'zk000004.html', quantity: 4 });
    await s.basketFrame().click('[onclick="parent.DelItem(3)"]');
    const posted = catchPost(s, 'https://orders.example/**');
    await s.basketFrame().click(pay);
    // The summary (totals, delivery, lines, schedule, tax, one extra column,
    // currency, "10", an empty field, the code label), then each line.
    assert.equal(unescape((await posted).order_string),
      '11.25\\0.00\\0.00\\3\\\\\\1\\&#163;\\10\\\\Code\\' +
      'Stoneware mug\\M-1\\4.50\\2\\9.00\\0.00\\' +
      'Tea cup\\C-2\\2.25\\1\\2.25\\0.00\\' +
      'Spoon\\S-3\\0.80\\0\\0.00\\0.00\\');
  });
});

test('the order button opens the form at its address with the order in the address', async (t) => {
  const shop = shopFor(t, 'order-address', { customFormSeparateWindow: 1 });
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await s.page.context().route('https://forms.example/**', (route) => route.fulfill(RECEIVED));
    await addToBasket(s, { page: 'zk000002.html', quantity: 3 });
    const opened = s.page.context().waitForEvent('page');
    await s.basketFrame().click('[onclick="parent.OrderForm()"]');
    const page = await opened;
    await page.waitForLoadState();
    const form = new URL(page.url());
    assert.equal(form.origin + form.pathname, 'https://forms.example/order.html');
    assert.equal(unescape(form.search.slice('?det='.length)),
      '13.50\\0.00\\0.00\\1\\\\\\1\\&#163;\\10\\\\Code\\Stoneware mug\\M-1\\4.50\\3\\13.50\\0.00\\');
  });
});

test('a custom form is copied beside the home page and opened from there', async (t) => {
  const shop = shopFor(t, 'order-custom', { customFormSeparateWindow: 1, customFormUrl: '' });
  fs.writeFileSync(path.join(shop.home, 'my form.html'), '<html><body>our form</body></html>\n');
  shop.run(['settings', 'set', `customFormFile=${path.join(shop.home, 'my form.html')}`]);
  shop.run(['create'], 60000);
  assert.ok(fs.existsSync(path.join(shop.output, 'my form.html')));
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await s.basketFrame().click('[onclick="parent.OrderForm()"]');
    assert.deepEqual(s.dialogs, [NO_ITEMS]);
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    const opened = s.page.context().waitForEvent('page');
    await s.basketFrame().click('[onclick="parent.OrderForm()"]');
    const form = await opened;
    await form.waitForLoadState();
    assert.ok(form.url().startsWith(s.url('my%20form.html?det=')), form.url());
    assert.equal(await form.textContent('body'), 'our form\n');
  });
});

test('the SecureTrading order page shows the basket it is opened with', async (t) => {
  const shop = shopFor(t, 'pay-securetrading', { paymentGateway: 4, customFormSeparateWindow: 1 });
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 2 });
    await addToBasket(s, { page: 'zk000003.html', quantity: 1 });
    const opened = s.page.context().waitForEvent('page');
    await s.basketFrame().click('[onclick="CallSecureTrading()"]');
    const orderPage = await opened;
    await orderPage.waitForLoadState();
    assert.ok(orderPage.url().startsWith(s.url('zkorderpage.html?det=')), orderPage.url());
    const rows = await orderPage.$$eval('#order tr', (trs) => trs.map((tr) => [...tr.cells].map((c) => c.textContent)));
    assert.deepEqual(rows, [
      ['Item', 'Code', 'Unit Price', 'Quantity', 'Cost (\u00a3)'],
      ['Stoneware mug', 'M-1', '4.50', '2', '9.00'],
      ['Tea cup', 'C-2', '2.25', '1', '2.25'],
      ['Total', '11.25'],
    ]);
  });
});

// What a visitor types reaches the basket, the provider's form and the
// provider as typed: never as markup, never cutting an attribute short.
test('a typed message with markup and quotes stays text in the basket and in the form', async (t) => {
  const typed = '<i>Love</i> & "Mum"';
  const shop = makeShop({
    key: 'pay-typed',
    settings: { ...BASE, ...WORLDPAY },
    data: '#!CODE=Code;TXTOPT1=Message;\nCard,K-1,3.00,,,Birthday card\n',
  });
  t.after(() => shop.remove());
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    const item = s.frame('ZKITEM');
    await item.fill('input[name=SLT0]', typed);
    await addToBasket(s, { page: 'zk000002.html', quantity: 1, reload: true });
    const { lines } = await basketTable(s);
    assert.equal(lines[0].Message, typed);
    assert.equal(await s.basketFrame().evaluate(() => document.querySelectorAll('form i').length), 0);
    const fields = await formFields(s, 'WorldPay');
    assert.equal(fields.desc1, `Birthday card, ${typed}`);
    const posted = catchPost(s, 'https://pay.example/**');
    await s.basketFrame().click('[onclick="CallWorldPay()"]');
    assert.equal((await posted).desc1, `Birthday card, ${typed}`);
  });
});

// Paying a second time, after the first payment window was closed, sends the
// delivery once.
test('InternetSecure sends the delivery entry once however often the visitor pays', async (t) => {
  const shop = shopFor(t, 'pay-internetsecure-twice',
    { paymentGateway: 2, internetSecureMerchant: 'M42', orderFormFlags: 3, customFormSeparateWindow: 1 },
    [['delivery', 'add-formula', 'Post', '--initial', '2', '--factor', '0']]);
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await addToBasket(s, { page: 'zk000002.html', quantity: 1 });
    const products = [];
    await s.page.context().route('https://secure.internetsecure.com/**', async (route) => {
      products.push(new URLSearchParams(route.request().postData() || '').get('Products'));
      await route.fulfill(RECEIVED);
    });
    for (let i = 0; i < 2; i++) {
      await s.basketFrame().click('[onclick="CallInternetSecure()"]');
      await eventually(`payment ${i + 1} sent`, async () => products.length === i + 1);
    }
    for (const sent of products)
      assert.equal(sent, 'Unit Price::Quantity::Code::Item:: |4.5::1::M-1::Stoneware mug::|2.00::1::DLV::Post::::');
  });
});

test('SecureTrading with an empty basket says there is nothing to order', async (t) => {
  const shop = shopFor(t, 'pay-securetrading-empty', { paymentGateway: 4, customFormSeparateWindow: 1 });
  await inBrowser(shop, FIRST_ITEM, async (s) => {
    await s.basketFrame().click('[onclick="CallSecureTrading()"]');
    await eventually('the alert', async () => s.dialogs.length === 1);
    assert.deepEqual(s.dialogs, [NO_ITEMS]);
    assert.equal(s.popups.length, 0);
  });
});
