// Generates the example shop with each index style and runs the pages in
// headless Chromium: no script errors, purchase blocks hand the basket what
// the page shows, and every link and picture points at a file that exists.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { makeShop, serveFolder, launchBrowser, keepToCatalogues, watch, STEP_MS } from './shop.mjs';

// One catalogue per index style; the other settings vary so that the image
// and the text add controls, the calculate button and the fixed quantity
// are all run.
const variants = [
  { key: 's0', settings: { indexStyle: 0 } },
  { key: 's1', settings: { indexStyle: 1, includeCalculateButton: 1, searchPlacement: 1 } },
  { key: 's2', settings: { indexStyle: 2, quantityAlwaysOne: 1, addButtonImage: '', searchPlacement: 2 } },
];

const shops = {};         // key -> shop
const bases = {};         // key -> address of its catalogue
const servers = [];
let browser, page;
const faults = [];        // script errors, console errors, failed requests
const dialogs = [];       // no page here has reason to alert

before(async () => {
  for (const v of variants) {
    shops[v.key] = makeShop({ key: v.key, settings: v.settings });
    const server = await serveFolder(shops[v.key]);
    servers.push(server);
    bases[v.key] = server.base;
  }
  browser = await launchBrowser();
  const { context } = browser;
  await keepToCatalogues(context, Object.values(bases), faults);
  page = context.pages()[0] || await context.newPage();
  watch(page, faults, dialogs);
});

after(async () => {
  if (browser) await browser.close();
  for (const server of servers) await server.stop();
  for (const shop of Object.values(shops)) shop.remove();
});

function takeFaults() {
  const alerts = dialogs.splice(0, dialogs.length).map((d) => `unexpected dialog: ${d}`);
  return [...faults.splice(0, faults.length), ...alerts];
}
const isIndex = (f) => /^zki\d{5}\.html$/.test(f);
const isItem = (f) => /^zk0\d{5}\.html$/.test(f) && f !== 'zk000000.html';
function pages(key) {
  return fs.readdirSync(shops[key].output).filter((f) => isIndex(f) || isItem(f)).sort();
}
function fileOf(key, url) {
  if (!url.startsWith(bases[key])) return null;
  return decodeURIComponent(new URL(url).pathname.slice(new URL(bases[key]).pathname.length));
}

// Calls the pages make through parent. are recorded in the home page, on
// their way to the basket: window.calls holds {name, args}, with page
// elements given by tag, name and value.
const RECORDED = ['cp', 'AddProdToQuote', 'GetProdDet', 'GetItNo', 'GetInd', 'GetTxt', 'DPVsel', 'CurrConv',
  'CurrConv2', 'TaxDisplay', 'IncTax', 'TaxAmt', 'BackLoc', 'ShowBasket', 'ShowImg', 'SRO', 'ROI', 'OI', 'ROI2',
  'OI2', 'IR1', 'IR2', 'IR3', 'IR4', 'SLR1', 'SLR2', 'AltImage', 'UpdItem', 'DelItem', 'Reset', 'OrderForm'];
// Calls whose object arguments must be real page elements (rollover images,
// table cells), so a rollover that names a missing image is caught.
const ELEMENT_ARGS = {
  ROI: [0], OI: [0], ROI2: [0], OI2: [0], IR1: [0], IR2: [0], IR3: [0], IR4: [0],
  SLR1: [0], SLR2: [0], SRO: [1], AltImage: [0],
};

function recordCalls(names) {
  window.calls = [];
  const plain = (a) => {
    if (a === undefined) return { undef: true };
    if (a && typeof a === 'object' && a.tagName)
      return { tag: String(a.tagName).toUpperCase(), name: a.name || a.getAttribute('name') || '',
        value: ('value' in a) ? String(a.value) : undefined };
    if (a && typeof a === 'object' && typeof a.length === 'number') return Array.prototype.slice.call(a);
    if (a && typeof a === 'object') return { object: String(a) };
    return a;
  };
  for (const n of names) {
    const real = window[n];
    if (typeof real !== 'function') continue;
    window[n] = function (...args) {
      window.calls.push({ name: n, args: args.map(plain) });
      return real.apply(this, args);
    };
  }
}

async function settle(p) {
  await p.waitForLoadState('load');
  await p.waitForTimeout(50);
}

async function openHome(key) {
  await page.goto(`${bases[key]}zk000000.html`, { waitUntil: 'load' });
  await page.waitForFunction(() => window.frames.length >= 2, null, { timeout: STEP_MS });
  await page.evaluate(recordCalls, RECORDED);
  return { list: page.frame({ name: 'ZKLIST' }), item: page.frame({ name: 'ZKITEM' }) };
}

async function loadInFrame(frame, key, name) {
  await frame.goto(`${bases[key]}${name}`, { waitUntil: 'load' });
  await page.waitForTimeout(30);
}

function calls() { return page.evaluate(() => window.calls.splice(0, window.calls.length)); }

// Pictures of a frame: every <img> (those written by scripts included) must
// name a file of the output folder and have loaded.
async function checkPictures(frame, key, where) {
  const imgs = await frame.evaluate(() => Array.from(document.images).map((i) => ({
    src: i.getAttribute('src'), url: i.src, ok: i.complete && i.naturalWidth > 0 })));
  const problems = [];
  for (const img of imgs) {
    const f = fileOf(key, img.url);
    if (!f || !fs.existsSync(path.join(shops[key].output, f))) problems.push(`${where}: picture ${img.src} is not in the output folder`);
    else if (!img.ok) problems.push(`${where}: picture ${img.src} did not load`);
  }
  return problems;
}

// Rollover handlers must reach the basket script with the elements they name.
async function runRollovers(frame, where) {
  await frame.evaluate(() => {
    for (const el of document.querySelectorAll('[onmouseover],[onmouseout]')) {
      el.dispatchEvent(new MouseEvent('mouseover', { bubbles: false }));
      el.dispatchEvent(new MouseEvent('mouseout', { bubbles: false }));
    }
  });
  const problems = [];
  for (const c of await calls()) {
    for (const i of ELEMENT_ARGS[c.name] || []) {
      const a = c.args[i];
      if (!a || !a.tag) problems.push(`${where}: ${c.name} called without a page element (${JSON.stringify(c.args)})`);
    }
  }
  return problems;
}

for (const v of variants) {
  test(`index style ${v.settings.indexStyle}: every page opened on its own takes the visitor into the frames`, async () => {
    takeFaults();
    const problems = [];
    for (const name of [...pages(v.key), 'zko00001.html', 'zk100000.html']) {
      await page.goto(`${bases[v.key]}${name}`, { waitUntil: 'load' });
      await settle(page);
      if (isIndex(name) || isItem(name)) {
        // The home page is asked for this page in its frame.
        await page.waitForURL((u) => u.pathname.endsWith('/zk000000.html'), { timeout: STEP_MS }).catch(() => {});
        await settle(page);
        if (fileOf(v.key, page.url()) !== 'zk000000.html' || !new URL(page.url()).search.startsWith(`?${name.slice(0, 8)}`))
          problems.push(`${name}: opened on its own it does not go back to the frames (at ${page.url()})`);
        const frame = page.frame({ name: isIndex(name) ? 'ZKLIST' : 'ZKITEM' });
        if (!frame || fileOf(v.key, frame.url()) !== name)
          problems.push(`${name}: back in the frames ${frame ? fileOf(v.key, frame.url()) : 'nothing'} is shown instead`);
      }
      problems.push(...takeFaults().map((f) => `${name}: ${f}`));
    }
    assert.deepEqual(problems, []);
  });

  test(`index style ${v.settings.indexStyle}: every page runs inside the frames without script errors or missing pictures`, async () => {
    takeFaults();
    const { list, item } = await openHome(v.key);
    const problems = [];
    await settle(page);
    takeFaults();
    for (const name of pages(v.key)) {
      const frame = isIndex(name) ? list : item;
      await loadInFrame(frame, v.key, name);
      await calls();
      problems.push(...await checkPictures(frame, v.key, name));
      problems.push(...await runRollovers(frame, name));
      problems.push(...takeFaults().map((f) => `${name}: ${f}`));
    }
    assert.deepEqual(problems, []);
  });

  test(`index style ${v.settings.indexStyle}: links from the index pages lead to files of the catalogue`, async () => {
    takeFaults();
    const { list, item } = await openHome(v.key);
    await settle(page);
    const problems = [];
    const seen = new Set(['zki00000.html']);
    const queue = ['zki00000.html'];
    while (queue.length) {
      const name = queue.shift();
      const frame = isIndex(name) ? list : item;
      await loadInFrame(frame, v.key, name);
      const links = await frame.evaluate(() => Array.from(document.querySelectorAll('a[href], area[href]'))
        .map((a) => ({ raw: a.getAttribute('href'), url: a.href })));
      for (const l of links) {
        if (/^(javascript|mailto):/i.test(l.raw) || l.raw.startsWith('#')) continue;
        const u = new URL(l.url);
        if (u.origin !== new URL(bases[v.key]).origin) continue;   // the shop's own pages elsewhere on the web
        const f = fileOf(v.key, l.url);
        if (!f || !fs.existsSync(path.join(shops[v.key].output, f))) { problems.push(`${name}: link ${l.raw} has no file`); continue; }
        if ((isIndex(f) || isItem(f)) && !seen.has(f)) { seen.add(f); queue.push(f); }
      }
    }
    await calls();
    for (const name of pages(v.key))
      if (!seen.has(name)) problems.push(`${name} cannot be reached from zki00000.html`);
    problems.push(...takeFaults());
    assert.deepEqual(problems, []);
  });

  test(`index style ${v.settings.indexStyle}: the add control hands the basket the item as the page shows it`, async () => {
    takeFaults();
    const { item } = await openHome(v.key);
    await settle(page);
    const withBlocks = pages(v.key).filter((n) => isItem(n) &&
      /NAME="inp\d+"/i.test(fs.readFileSync(path.join(shops[v.key].output, n), 'latin1')));
    // The first few single-item pages and every page with several blocks.
    const multi = withBlocks.filter((n) => (fs.readFileSync(path.join(shops[v.key].output, n), 'latin1').match(/NAME="inp\d+"/gi) || []).length > 1);
    const chosen = [...new Set([...withBlocks.slice(0, 4), ...multi])];
    assert.ok(chosen.length > 0, 'the example catalogue has item pages with purchase blocks');
    let checked = 0;
    for (const name of chosen) {
      await loadInFrame(item, v.key, name);
      await calls();
      const blocks = await item.evaluate(() => Array.from(document.querySelectorAll('input[name^="inp"]'))
        .map((i) => Number(i.name.slice(3))).filter((n) => !isNaN(n)));
      for (const p of blocks) {
        const where = `${name} block ${p}`;
        const shown = await item.evaluate((p) => {
          const form = document.forms[0];
          const inp = form.elements['inp' + p];
          const control = form.elements['qtbut' + p] ||
            document.querySelector(`a[href^="javascript:cpl${p}();parent.AddProdToQuote"]`);
          // The price as the page shows it: the nearest amount before the
          // add control, outside scripts and option lists.
          const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
          let price = null, node;
          while ((node = walker.nextNode())) {
            if (!control || control.compareDocumentPosition(node) & Node.DOCUMENT_POSITION_FOLLOWING) break;
            if (node.parentElement.closest('script,select,option')) continue;
            const m = node.data.replace(/\u00a0/g, ' ').match(/[£$€]\s*(\d+(?:\.\d+)?)/g);
            if (m) price = parseFloat(m[m.length - 1].replace(/^[^\d]+/, ''));
          }
          // Choose the last option of each list and type into free-text lists.
          const lists = [];
          for (let k = 0; k < 4; k++) {
            const el = form.elements['SLT' + (p * 10 + k)];
            if (!el) continue;
            if (el.tagName === 'SELECT') {
              el.selectedIndex = el.options.length - 1;
              el.dispatchEvent(new Event('change'));
              const opt = el.options[el.selectedIndex].text;
              const extra = el.getAttribute('onchange') ? (opt.match(/\((\d+(?:\.\d+)?)\)/) || [0, '0'])[1] : '0';
              lists.push({ value: opt, extra: parseFloat(extra) });
            } else {
              el.value = 'Happy birthday ' + p;
              lists.push({ value: el.value, extra: 0 });
            }
          }
          const editable = inp.type !== 'hidden';
          if (editable) inp.value = '3';
          const text = document.body.innerText.replace(/\s+/g, ' ').replace(/'/g, '');
          return { price, lists, qty: inp.value, editable, text };
        }, p);
        await calls();   // the change handlers' own cost updates
        const link = item.locator(`a[href^="javascript:cpl${p}();parent.AddProdToQuote"]`);
        const button = item.locator(`input[name="qtbut${p}"]`);
        const control = (await link.count()) ? link.first() : button.first();
        assert.ok(await control.count(), `${where}: no add control`);
        await control.click({ timeout: STEP_MS });
        await page.waitForFunction(() => window.calls.some((c) => c.name === 'AddProdToQuote'), null, { timeout: STEP_MS });
        // An item with choices is reloaded by the basket, so that its next
        // add gets a fresh line code.
        const reloaded = shown.lists.length > 0;
        if (reloaded) await page.waitForTimeout(150);
        await item.waitForLoadState('load');
        const got = await calls();
        const cpAt = got.findIndex((c) => c.name === 'cp');
        const addAt = got.findIndex((c) => c.name === 'AddProdToQuote');
        assert.ok(cpAt >= 0 && cpAt < addAt, `${where}: the cost is worked out before the add (${JSON.stringify(got)})`);
        const cpArgs = got[cpAt].args;
        const add = got[addAt].args;
        assert.ok(shown.price !== null, `${where}: no price shown before the add control`);
        const unit = shown.price + shown.lists.reduce((s, l) => s + l.extra, 0);
        assert.equal(cpArgs[0].name, `inp${p}`, `${where}: cp reads the quantity field`);
        assert.equal(cpArgs[0].value, shown.qty, `${where}: cp sees the quantity`);
        assert.ok(Math.abs(Number(cpArgs[1]) - unit) < 0.005, `${where}: cp unit price ${cpArgs[1]}, page shows ${unit}`);
        assert.equal(cpArgs[2].name, `res${p}`, `${where}: cp writes the cost field`);
        const [cd, desc, up, qty, h, ps, ...rest] = add;
        assert.ok(cd !== '' && cd !== null && !(cd && cd.undef), `${where}: item code ${JSON.stringify(cd)}`);
        assert.equal(typeof desc, 'string', `${where}: description`);
        const stem = desc.replace(/\.\.\.$/, '').replace(/\s+/g, ' ').trim();
        assert.ok(stem.length > 0 && shown.text.includes(stem), `${where}: description "${desc}" is not on the page`);
        assert.ok(desc.length <= 53, `${where}: description too long (${desc.length})`);
        assert.equal(qty, shown.qty, `${where}: quantity`);
        assert.equal(up, (Math.round(Number(shown.qty) * unit * 100) / 100).toFixed(2), `${where}: cost`);
        assert.equal(h, item.url(), `${where}: item address`);
        assert.equal(ps, p, `${where}: position`);
        for (const l of shown.lists)
          assert.ok(rest.includes(l.value), `${where}: choice "${l.value}" not passed (${JSON.stringify(rest)})`);
        if (!reloaded && !(await link.count())) {
          assert.equal(await button.first().inputValue(), 'update basket', `${where}: button caption after adding`);
        }
        checked++;
      }
    }
    assert.ok(checked > 0);
    assert.deepEqual(takeFaults(), []);
  });
}
