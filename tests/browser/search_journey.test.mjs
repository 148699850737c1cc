// The search from end to end on real servers: the example shop generated
// with the search form on its top index, sent with `vimra-cli upload` to a
// loopback FTP server whose folder is the document root of a loopback
// lighttpd running the search script as a CGI program; a visitor types a
// word into the form, the results page lists the item, and its link opens
// the item page in the item frame.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { makeShop, launchBrowser, STEP_MS } from './shop.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const FTP_SERVER = path.resolve(here, '../upload/ftp_test_server.py');
const LIGHTTPD = '/usr/sbin/lighttpd';
const PERL = '/usr/bin/perl';
const haveServers = fs.existsSync(LIGHTTPD) && fs.existsSync(PERL) && fs.existsSync('/usr/bin/python3');

const children = new Set();
process.on('exit', () => { for (const child of children) child.kill('SIGKILL'); });

let work, shop, ftp, web, browser;

// Starts a child and resolves once it printed what ready() looks for.
function startChild(program, args, ready, what) {
  return new Promise((resolve, reject) => {
    const child = spawn(program, args, { stdio: ['pipe', 'pipe', 'pipe'] });
    children.add(child);
    child.once('exit', () => children.delete(child));
    let out = '', err = '';
    const timer = setTimeout(() => { child.kill('SIGKILL'); reject(new Error(`${what} did not start: ${err}`)); }, STEP_MS);
    const look = () => {
      const found = ready(out, err);
      if (found === undefined) return;
      clearTimeout(timer);
      resolve({ child, found });
    };
    child.stdout.on('data', (d) => { out += d; look(); });
    child.stderr.on('data', (d) => { err += d; look(); });
    child.once('exit', (code) => { clearTimeout(timer); reject(new Error(`${what} ended (${code}): ${err}`)); });
  });
}

function stopChild(child, signal) {
  return new Promise((done) => {
    if (!child || child.exitCode !== null || child.signalCode !== null) return done();
    child.once('exit', () => done());
    if (signal) child.kill(signal); else child.stdin.end();
    setTimeout(() => child.kill('SIGKILL'), 3000).unref();
  });
}

function answers(port) {
  return new Promise((resolve) => {
    const socket = net.connect(port, '127.0.0.1');
    socket.once('connect', () => { socket.destroy(); resolve(true); });
    socket.once('error', () => resolve(false));
  });
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer();
    probe.once('error', reject);
    probe.listen(0, '127.0.0.1', () => { const { port } = probe.address(); probe.close(() => resolve(port)); });
  });
}

// A web server on loopback serving root, with .pl files run by perl.
async function startWebServer(root) {
  const port = await freePort();
  const conf = path.join(work, 'lighttpd.conf');
  fs.writeFileSync(conf, [
    'server.modules = ("mod_cgi")',
    `server.document-root = "${root}"`,
    'server.bind = "127.0.0.1"',
    `server.port = ${port}`,
    `server.errorlog = "${path.join(work, 'lighttpd-error.log')}"`,
    'index-file.names = ("zk000000.html")',
    'mimetype.assign = (".html" => "text/html", ".gif" => "image/gif", ".jpg" => "image/jpeg",',
    '  ".png" => "image/png", ".js" => "text/javascript", ".css" => "text/css", ".txt" => "text/plain")',
    `cgi.assign = (".pl" => "${PERL}")`,
    '',
  ].join('\n'));
  execFileSync(LIGHTTPD, ['-tt', '-f', conf], { stdio: 'pipe' });
  const child = spawn(LIGHTTPD, ['-D', '-f', conf], { stdio: ['ignore', 'ignore', 'pipe'] });
  children.add(child);
  child.once('exit', () => children.delete(child));
  // It says nothing when it is ready: wait until it answers on its port.
  const deadline = Date.now() + STEP_MS;
  while (!(await answers(port))) {
    if (child.exitCode !== null || Date.now() > deadline)
      throw new Error(`lighttpd did not start: ${fs.readFileSync(path.join(work, 'lighttpd-error.log'), 'utf8')}`);
    await new Promise((r) => setTimeout(r, 50));
  }
  return { child, port };
}

before(async () => {
  if (!haveServers) return;
  work = fs.mkdtempSync(path.join(os.tmpdir(), 'vimra-search-journey-'));
  const root = path.join(work, 'www');
  for (const folder of ['shop', 'cgi-bin']) fs.mkdirSync(path.join(root, folder), { recursive: true });

  const started = await startChild('/usr/bin/python3',
    [FTP_SERVER, '--home', root, '--user', 'shop', '--password', 'secret'],
    (out) => { const line = out.split('\n')[0]; return /^\d+\n/.test(out) ? Number(line) : undefined; }, 'FTP server');
  ftp = started.child;
  const ftpPort = started.found;

  shop = makeShop({ key: 'search', settings: { searchPlacement: 1, searchUrl: '/cgi-bin/zksearch2.pl' } });
  const target = (n, folder) => [`ftpTargets.${n}.host=127.0.0.1`, `ftpTargets.${n}.port=${ftpPort}`,
    `ftpTargets.${n}.userName=shop`, `ftpTargets.${n}.password=secret`, `ftpTargets.${n}.serverDirectory=${folder}`];
  shop.run(['settings', 'set', ...target(0, '/shop'), ...target(1, '/cgi-bin')]);
  shop.run(['upload', '--catalogue', '--search'], 120000);

  web = await startWebServer(root);
});

after(async () => {
  if (browser) await browser.close();
  await stopChild(web && web.child, 'SIGINT');
  await stopChild(ftp);
  if (shop) shop.remove();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

test('a word typed into the search form finds the item and opens its page', { skip: !haveServers && 'no lighttpd, perl or python3' }, async () => {
  const base = `http://127.0.0.1:${web.port}/`;
  browser = await launchBrowser();
  const { context } = browser;
  const faults = [];
  await context.route('**/*', (route) => {
    const u = route.request().url();
    if (u.startsWith(base) || u.startsWith('about:') || u.startsWith('data:')) return route.continue();
    faults.push(`request outside the servers: ${u}`);
    return route.abort();
  });
  const page = context.pages()[0] || await context.newPage();
  page.on('pageerror', (e) => faults.push(`script error: ${e.message}`));
  page.on('console', (m) => { if (m.type() === 'error') faults.push(`console error on ${m.location().url}: ${m.text()}`); });
  page.on('response', (r) => { if (r.status() >= 400 && !r.url().endsWith('/favicon.ico')) faults.push(`HTTP ${r.status()} for ${r.url()}`); });
  page.on('dialog', (d) => { faults.push(`unexpected dialog: ${d.message()}`); d.dismiss().catch(() => {}); });

  await page.goto(`${base}shop/zk000000.html`, { waitUntil: 'load' });
  await page.waitForFunction(() => window.frames.length >= 2, null, { timeout: STEP_MS });
  const index = page.frame({ name: 'ZKLIST' });
  await index.waitForSelector('input[name=searchfor]');

  // The index page's form sends the words to the script on the web server.
  await index.fill('input[name=searchfor]', 'BlackCurrant');
  await Promise.all([index.waitForNavigation({ url: /zksearch2\.pl\?/ }), index.click('input[type=submit]')]);
  const results = page.frame({ name: 'ZKLIST' });
  const shown = await results.textContent('body');
  assert.match(shown, /Search Results/);
  assert.match(shown, /"BlackCurrant"/);
  assert.match(shown, /Kenya Peaberry/);
  assert.doesNotMatch(shown, /No items found/);

  const link = results.locator('a[target=ZKITEM]', { hasText: 'Kenya Peaberry' });
  await Promise.all([page.frame({ name: 'ZKITEM' }).waitForNavigation(), link.click()]);
  const item = page.frame({ name: 'ZKITEM' });
  assert.match(item.url(), new RegExp(`^${base}shop/zk0\\d{5}\\.html$`));
  assert.match(await item.textContent('body'), /Kenya Peaberry/);
  assert.match(await item.textContent('body'), /blackcurrant/);

  // A word no item has.
  await page.goto(`${base}shop/zk000000.html`, { waitUntil: 'load' });
  const again = page.frame({ name: 'ZKLIST' });
  await again.waitForSelector('input[name=searchfor]');
  await again.fill('input[name=searchfor]', 'xylophone <b>');
  await Promise.all([again.waitForNavigation({ url: /zksearch2\.pl\?/ }), again.click('input[type=submit]')]);
  const none = page.frame({ name: 'ZKLIST' });
  assert.match(await none.textContent('body'), /No items found/);
  // Shown as typed: the tag in it is text, not markup.
  assert.match(await none.textContent('body'), /"xylophone <b>"/);

  assert.deepEqual(faults, []);
});
