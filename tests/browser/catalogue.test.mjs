// Generates the example shop with each index style and runs the pages in
// headless Chromium: no script errors, purchase blocks hand the basket what
// the page shows, and every link and picture points at a file that exists.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { HARNESS_NAME, harnessHtml, ELEMENT_ARGS } from './harness.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const programDir = process.env.VIMRA_PROGRAM_DIR || path.resolve(here, '../../build/vimra');
const chromiumPath = process.env.VIMRA_CHROMIUM || '/usr/bin/chromium';
const STEP_MS = 10000;
// An index page that changes the item frame as it opens has no item frame
// when it is opened outside the frameset; that one error is reported, not
// failed.
const KNOWN_ALONE = /script error on \S+\/zki\d{5}\.html: Cannot set properties of undefined \(setting 'location'\)$/;

// One catalogue per index style; the other settings vary so that the image
// and the text add controls, the calculate button and the fixed quantity
// are all run.
const variants = [
  { key: 's0', settings: { indexStyle: 0 } },
  { key: 's1', settings: { indexStyle: 1, includeCalculateButton: 1, searchPlacement: 1 } },
  { key: 's2', settings: { indexStyle: 2, quantityAlwaysOne: 1, addButtonImage: '', searchPlacement: 2 } },
];

const homes = [];
let server, base, context, page;
const faults = [];        // script errors, console errors, failed requests
const outputs = {};       // key -> output dir

function generate(v) {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), `vimra-browser-${v.key}-`));
  homes.push(home);
  fs.cpSync(programDir, home, { recursive: true });
  for (const junk of ['output', 'tempout', 'search', 'ZK002.dat', 'ZK003.dat', 'files01.dat'])
    fs.rmSync(path.join(home, junk), { recursive: true, force: true });
  const env = { ...process.env, VIMRA_HOME: home };
  const cli = path.join(home, 'vimra-cli');
  const sets = Object.entries(v.settings).map(([k, val]) => `${k}=${val}`);
  execFileSync(cli, ['settings', 'set', ...sets], { env, timeout: STEP_MS, stdio: 'pipe' });
  const out = execFileSync(cli, ['settings', 'get', 'outputDir'], { env, timeout: STEP_MS }).toString().trim();
  execFileSync(cli, ['create'], { env, timeout: 60000, stdio: 'pipe' });
  fs.writeFileSync(path.join(out, HARNESS_NAME), harnessHtml(), 'latin1');
  return out;
}

// Serves each output folder under /<key>/. A request for the home page that
// the catalogue does not have yet is answered with the test frameset, so a
// page opened on its own can take its way back into the frames.
function startServer() {
  return new Promise((resolve) => {
    const srv = http.createServer((req, res) => {
      const url = new URL(req.url, 'http://127.0.0.1');
      const [, key, ...rest] = decodeURIComponent(url.pathname).split('/');
      const dir = outputs[key];
      const name = rest.join('/');
      let file = dir && path.join(dir, name);
      if (file && !fs.existsSync(file) && name === 'zk000000.html') file = path.join(dir, HARNESS_NAME);
      if (!file || !file.startsWith(dir + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
        res.writeHead(404); res.end('not found'); return;
      }
      const ext = path.extname(file).toLowerCase();
      const type = { '.html': 'text/html', '.gif': 'image/gif', '.jpg': 'image/jpeg', '.jpeg': 'image/jpeg',
        '.png': 'image/png', '.js': 'text/javascript', '.css': 'text/css' }[ext] || 'application/octet-stream';
      res.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-store' });
      res.end(fs.readFileSync(file));
    });
    srv.listen(0, '127.0.0.1', () => resolve(srv));
  });
}

before(async () => {
  for (const v of variants) outputs[v.key] = generate(v);
  server = await startServer();
  base = `http://127.0.0.1:${server.address().port}`;
  const userData = fs.mkdtempSync(path.join(os.tmpdir(), 'vimra-browser-profile-'));
  homes.push(userData);
  context = await chromium.launchPersistentContext(userData, {
    executablePath: chromiumPath,
    headless: true,
    timeout: 30000,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  context.setDefaultTimeout(STEP_MS);
  context.setDefaultNavigationTimeout(STEP_MS);
  // Nothing leaves the machine: only the loopback server answers.
  await context.route('**/*', (route) => {
    const u = route.request().url();
    if (u.startsWith(base + '/') || u.startsWith('about:') || u.startsWith('data:')) return route.continue();
    faults.push(`request outside the catalogue: ${u}`);
    return route.abort();
  });
  page = context.pages()[0] || await context.newPage();
  page.on('pageerror', (e) => faults.push(`script error on ${page.url()}: ${e.message}`));
  page.on('console', (m) => { if (m.type() === 'error') faults.push(`console error on ${m.location().url}: ${m.text()}`); });
  page.on('response', (r) => { if (r.status() >= 400) faults.push(`HTTP ${r.status()} for ${r.url()}`); });
  page.on('dialog', (d) => { faults.push(`unexpected dialog: ${d.message()}`); d.dismiss().catch(() => {}); });
});

after(async () => {
  if (context) await context.close();
  if (server) server.close();
  for (const h of homes) fs.rmSync(h, { recursive: true, force: true });
});

function takeFaults() { return faults.splice(0, faults.length); }
function pages(key) {
  return fs.readdirSync(outputs[key]).filter((f) => /^zk.*\.html$/.test(f) && f !== HARNESS_NAME).sort();
}
const isIndex = (f) => /^zki\d{5}\.html$/.test(f);
const isItem = (f) => /^zk\d{6}\.html$/.test(f);
function fileOf(key, url) {
  const u = new URL(url);
  if (u.origin !== base) return null;
  const prefix = `/${key}/`;
  if (!u.pathname.startsWith(prefix)) return null;
  return decodeURIComponent(u.pathname.slice(prefix.length));
}

async function settle(p) {
  await p.waitForLoadState('load');
  await p.waitForTimeout(50);
}

async function openHarness(key) {
  await page.goto(`${base}/${key}/${HARNESS_NAME}`, { waitUntil: 'load' });
  await page.waitForFunction(() => window.frames.length === 2, null, { timeout: STEP_MS });
  return { list: page.frame({ name: 'ZKLIST' }), item: page.frame({ name: 'ZKITEM' }) };
}

async function loadInFrame(frame, key, name) {
  await frame.goto(`${base}/${key}/${name}`, { waitUntil: 'load' });
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
    if (!f || !fs.existsSync(path.join(outputs[key], f))) problems.push(`${where}: picture ${img.src} is not in the output folder`);
    else if (!img.ok) problems.push(`${where}: picture ${img.src} did not load`);
  }
  return problems;
}

// Rollover handlers must reach the stubs with the elements they name.
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
  test(`index style ${v.settings.indexStyle}: every page opens on its own without script errors`, async (t) => {
    takeFaults();
    const problems = [], replaced = [], alone = [];
    for (const name of pages(v.key)) {
      await page.goto(`${base}/${v.key}/${name}`, { waitUntil: 'load' });
      await settle(page);
      if (isItem(name)) {
        // An item page outside the frames takes the visitor to the home page
        // and asks for itself in the item frame.
        await page.waitForURL((u) => u.pathname.endsWith('/zk000000.html'), { timeout: STEP_MS }).catch(() => {});
        await settle(page);
        if (fileOf(v.key, page.url()) !== 'zk000000.html' || new URL(page.url()).search !== `?${name}`)
          problems.push(`${name}: opened on its own it does not go back to the frames (at ${page.url()})`);
        const item = page.frame({ name: 'ZKITEM' });
        if (item && fileOf(v.key, item.url()) !== name)
          replaced.push(`${name} -> ${fileOf(v.key, item.url())}`);
      }
      for (const f of takeFaults()) {
        if (isIndex(name) && KNOWN_ALONE.test(f)) alone.push(name);
        else problems.push(`${name}: ${f}`);
      }
    }
    if (replaced.length) t.diagnostic(`back in the frames the start index page replaced the item asked for: ${replaced.join(', ')}`);
    if (alone.length) t.diagnostic(`index pages that cannot change the missing item frame when opened alone: ${alone.join(', ')}`);
    assert.deepEqual(problems, []);
  });

  test(`index style ${v.settings.indexStyle}: every page runs inside the frames without script errors or missing pictures`, async () => {
    takeFaults();
    const { list, item } = await openHarness(v.key);
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
    const { list, item } = await openHarness(v.key);
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
        if (u.origin !== base) continue;   // the shop's own pages elsewhere on the web
        const f = fileOf(v.key, l.url);
        if (!f || !fs.existsSync(path.join(outputs[v.key], f))) { problems.push(`${name}: link ${l.raw} has no file`); continue; }
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
    const { item } = await openHarness(v.key);
    await settle(page);
    const withBlocks = pages(v.key).filter((n) => isItem(n) &&
      /NAME="inp\d+"/i.test(fs.readFileSync(path.join(outputs[v.key], n), 'latin1')));
    // The first few single-item pages and every page with several blocks.
    const multi = withBlocks.filter((n) => (fs.readFileSync(path.join(outputs[v.key], n), 'latin1').match(/NAME="inp\d+"/gi) || []).length > 1);
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
        if (!(await link.count())) {
          assert.equal(await button.first().inputValue(), 'update basket', `${where}: button caption after adding`);
        }
        checked++;
      }
    }
    assert.ok(checked > 0);
    assert.deepEqual(takeFaults(), []);
  });
}
