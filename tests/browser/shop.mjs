// Catalogues for browser tests: each test makes its own shop in a fresh
// program folder with vimra-cli, serves the output with `vimra-cli serve`
// and opens it in headless Chromium. Nothing leaves the machine: requests
// outside the catalogue's server are refused and reported as faults.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const here = path.dirname(fileURLToPath(import.meta.url));
export const programDir = process.env.VIMRA_PROGRAM_DIR || path.resolve(here, '../../build/vimra');
export const chromiumPath = process.env.VIMRA_CHROMIUM || '/usr/bin/chromium';
export const STEP_MS = 10000;

// What a run leaves in the program folder; a fresh shop starts without it.
const RUN_LEFTOVERS = ['output', 'tempout', 'search', 'ZK002.dat', 'ZK003.dat', 'zkas.dat', 'files01.dat'];

function runCli(shop, args, timeout = STEP_MS) {
  try {
    return execFileSync(shop.cli, args, { env: shop.env, timeout, stdio: 'pipe' }).toString();
  } catch (e) {
    const said = `${e.stdout || ''}${e.stderr || ''}`.trim();
    throw new Error(`vimra-cli ${args.join(' ')} failed: ${said || e.message}`);
  }
}

// Makes a shop and generates its catalogue.
//   key       names the temporary folder
//   settings  { name: value } for `vimra-cli settings set`
//   data      the data file's text; without it the shipped example is used
//   files     { 'relative/path': text or Buffer } written under the program
//             folder first (data files, pictures, order templates)
//   commands  further vimra-cli commands, run in order before `create`
export function makeShop({ key = 'shop', settings = {}, data, files = {}, commands = [] } = {}) {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), `vimra-shop-${key}-`));
  fs.cpSync(programDir, home, { recursive: true });
  for (const junk of RUN_LEFTOVERS) fs.rmSync(path.join(home, junk), { recursive: true, force: true });
  const shop = {
    key, home,
    cli: path.join(home, 'vimra-cli'),
    env: { ...process.env, VIMRA_HOME: home },
    run(args, timeout) { return runCli(shop, args, timeout); },
    remove() { fs.rmSync(home, { recursive: true, force: true }); shopFolders.delete(home); },
  };
  shopFolders.add(home);
  for (const [name, bytes] of Object.entries(files)) {
    const target = path.join(home, name);
    fs.mkdirSync(path.dirname(target), { recursive: true });
    fs.writeFileSync(target, bytes, typeof bytes === 'string' ? 'latin1' : undefined);
  }
  try {
    const sets = Object.entries(settings).map(([k, v]) => `${k}=${v}`);
    if (data !== undefined) {
      const file = path.join(home, 'test-shop.txt');
      fs.writeFileSync(file, data, 'latin1');
      sets.push(`inputFile=${file}`);
    }
    if (sets.length) shop.run(['settings', 'set', ...sets]);
    for (const args of commands) shop.run(args);
    shop.output = shop.run(['settings', 'get', 'outputDir']).trim();
    shop.run(['create'], 60000);
  } catch (e) {
    shop.remove();
    throw e;
  }
  return shop;
}

// Servers still running and shops not yet removed when the test process
// ends go with it, so that a test that fails or times out leaves nothing
// behind.
const servers = new Set();
const shopFolders = new Set();
process.on('exit', () => {
  for (const child of servers) child.kill('SIGKILL');
  for (const folder of shopFolders) fs.rmSync(folder, { recursive: true, force: true });
});
for (const signal of ['SIGINT', 'SIGTERM'])
  process.on(signal, () => process.exit(128 + (signal === 'SIGINT' ? 2 : 15)));

// Serves a folder with `vimra-cli serve` on a free port; resolves with the
// folder's address ("http://127.0.0.1:<port>/", from the catalogue address
// it prints) and a stop function.
export function serveFolder(shop, folder = shop.output) {
  return new Promise((resolve, reject) => {
    const child = spawn(shop.cli, ['serve', folder, '--port', '0'], { env: shop.env, stdio: ['ignore', 'pipe', 'pipe'] });
    servers.add(child);
    child.once('exit', () => servers.delete(child));
    let out = '', err = '';
    const timer = setTimeout(() => { child.kill('SIGKILL'); reject(new Error(`vimra-cli serve did not start: ${err}`)); }, STEP_MS);
    child.stderr.on('data', (d) => { err += d; });
    child.stdout.on('data', (d) => {
      out += d;
      const line = out.split('\n').find((l) => l.startsWith('http://'));
      if (!line) return;
      clearTimeout(timer);
      const stop = () => new Promise((done) => {
        if (child.exitCode !== null || child.signalCode !== null) return done();
        child.once('exit', () => done());
        child.kill('SIGINT');
        setTimeout(() => child.kill('SIGKILL'), 3000).unref();
      });
      const address = line.trim();
      resolve({ base: address.slice(0, address.lastIndexOf('/') + 1), stop });
    });
    child.once('exit', (code) => { clearTimeout(timer); reject(new Error(`vimra-cli serve ended (${code}): ${err}`)); });
  });
}

export async function launchBrowser() {
  const userData = fs.mkdtempSync(path.join(os.tmpdir(), 'vimra-browser-profile-'));
  shopFolders.add(userData);
  const context = await chromium.launchPersistentContext(userData, {
    executablePath: chromiumPath,
    headless: true,
    timeout: 30000,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  context.setDefaultTimeout(STEP_MS);
  context.setDefaultNavigationTimeout(STEP_MS);
  const close = async () => {
    await context.close();
    fs.rmSync(userData, { recursive: true, force: true });
    shopFolders.delete(userData);
  };
  return { context, close };
}

// Nothing leaves the machine: a request to anything but the catalogues at
// these addresses is refused and becomes a fault.
export async function keepToCatalogues(context, bases, faults) {
  await context.route('**/*', (route) => {
    const u = route.request().url();
    if (bases.some((b) => u.startsWith(b)) || u.startsWith('about:') || u.startsWith('data:')) return route.continue();
    faults.push(`request outside the catalogue: ${u}`);
    return route.abort();
  });
}

// Watches a page: script errors, console errors and failed requests become
// faults; alerts and confirms are recorded and accepted.
export function watch(page, faults, dialogs) {
  page.on('pageerror', (e) => faults.push(`script error on ${page.url()}: ${e.message}`));
  page.on('console', (m) => {
    if (m.type() === 'error') faults.push(`console error on ${m.location().url}: ${m.text()}`);
  });
  page.on('response', (r) => {
    if (r.status() >= 400 && !r.url().endsWith('/favicon.ico')) faults.push(`HTTP ${r.status()} for ${r.url()}`);
  });
  page.on('dialog', (d) => { dialogs.push(d.message()); d.accept().catch(() => {}); });
}

// Opens a page of the shop's catalogue (default the home page) in a fresh
// browser and serves the catalogue for as long as the session lasts.
//   s.page                the Playwright page
//   s.frame(name)         a frame by name: 'ZKLIST', 'ZKITEM', 'ZKHEADER'
//   s.basketFrame()       the frame the basket is drawn into
//   s.dialogs             alert texts seen so far
//   s.popups              pages opened by window.open, in order
//   s.faults()            the faults so far, taken
//   s.url(name)           the address of a catalogue file
//   s.close()
export async function openShop(shop, pagePath = 'zk000000.html') {
  const server = await serveFolder(shop);
  const browser = await launchBrowser();
  const { context } = browser;
  const faults = [], dialogs = [], popups = [];
  await keepToCatalogues(context, [server.base], faults);
  const page = context.pages()[0] || await context.newPage();
  watch(page, faults, dialogs);
  context.on('page', (p) => { if (p !== page) { popups.push(p); watch(p, faults, dialogs); } });
  const s = {
    shop, page, dialogs, popups, base: server.base,
    url: (name) => server.base + name,
    frame: (name) => page.frame({ name }),
    basketFrame() {
      const named = new Set(['ZKLIST', 'ZKITEM', 'ZKHEADER']);
      const own = page.frames().find((f) => f !== page.mainFrame() && !named.has(f.name()));
      return own || page.frame({ name: 'ZKITEM' });
    },
    faults: () => faults.splice(0, faults.length),
    async close() {
      await browser.close().catch(() => {});
      await server.stop();
    },
  };
  try {
    await page.goto(s.url(pagePath), { waitUntil: 'load' });
    if (pagePath.startsWith('zk000000.html'))
      await page.waitForFunction(() => window.frames.length >= 2, null, { timeout: STEP_MS });
  } catch (e) {
    await s.close();
    throw e;
  }
  return s;
}

// Opens a page of the shop in a browser for the length of body(s); body
// passes only if the catalogue's script caused no fault meanwhile.
export async function inBrowser(shop, pagePath, body) {
  const s = await openShop(shop, pagePath);
  try {
    await body(s);
    assert.deepEqual(s.faults(), []);
  } finally {
    await s.close();
  }
}

// A shop of one test: made, opened as inBrowser does, and removed.
export async function withShop(options, pagePath, body) {
  const shop = makeShop(options);
  try {
    await inBrowser(shop, pagePath, body);
  } finally {
    shop.remove();
  }
}

// Resolves once check() resolves to true; fails after STEP_MS with what
// was awaited and the last error check() threw.
export async function eventually(what, check) {
  const until = Date.now() + STEP_MS;
  for (;;) {
    const last = await check().catch((e) => e);
    if (last === true) return;
    if (Date.now() > until) assert.fail(`${what}: ${last instanceof Error ? last.message : 'not yet'}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}
