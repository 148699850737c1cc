// The header frame, the scrolling text and the music window in headless
// Chromium: the scrolling text shows its words (browsers run no applets,
// so the text inside the applet element scrolls instead), the header's
// links and search cell render, and a home page with music loads without a
// script error whether or not the browser lets it open its window.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { makeShop, openShop } from './shop.mjs';

const WORDS = 'Fresh bread daily & <b>cakes</b>';

// The scrolling text in a frame: its words as shown, and whether it moves.
async function tickerIn(frame) {
  return frame.evaluate(() => {
    const box = document.querySelector('applet .zkticker');
    if (!box) return null;
    const span = box.querySelector('span');
    const moving = span.getAnimations().some((a) => a.playState === 'running');
    const r = box.getBoundingClientRect();
    return { text: box.innerText, moving, width: Math.round(r.width), height: Math.round(r.height),
      colour: getComputedStyle(box).color };
  });
}

for (const placement of [{ key: 'index', onIndex: 1, frame: 'ZKLIST' }, { key: 'header', onIndex: 0, frame: 'ZKHEADER' }]) {
  test(`scrolling text on the ${placement.key} page, links and search form in the header frame`, async () => {
    const shop = makeShop({
      key: `ticker-${placement.key}`,
      settings: {
        includeHeaderFrame: 1, navigationInHeader: 1, headerFrameHeight: 90, searchPlacement: 1, threeFrameStyle: 0,
        homeLink: 'zk000000.html', includeTicker: 1, scrollingTextOnIndex: placement.onIndex,
        'tickerColours.0': '000080', 'tickerColours.1': '#FFFFCC', 'tickerColours.2': '#FF0000',
        'tickerSize.0': 170, 'tickerSize.1': 22,
      },
      commands: [['ticker', 'set', WORDS]],
    });
    const s = await openShop(shop);
    try {
      assert.equal(fs.readFileSync(path.join(shop.output, 'zkticker.dat'), 'latin1'), WORDS);
      const frame = s.frame(placement.frame);
      await frame.waitForLoadState('load');
      const ticker = await tickerIn(frame);
      assert.ok(ticker, `no scrolling text on the ${placement.frame} page`);
      assert.equal(ticker.text.trim(), WORDS, 'the words are shown as text, markup and all');
      assert.ok(ticker.moving, 'the text scrolls');
      assert.deepEqual([ticker.width, ticker.height], [170, 22]);
      assert.equal(ticker.colour, 'rgb(255, 0, 0)');
      const other = placement.frame === 'ZKLIST' ? 'ZKHEADER' : 'ZKLIST';
      await s.frame(other).waitForLoadState('load');
      assert.equal(await tickerIn(s.frame(other)), null, `the ${other} page has no scrolling text`);

      const header = s.frame('ZKHEADER');
      await header.waitForLoadState('load');
      const cell = await header.evaluate(() => {
        const nobr = document.querySelector('td > nobr');
        const links = [...(nobr ? nobr.querySelectorAll('a') : [])]
          .map((a) => a.textContent.trim() || (a.querySelector('img') || {}).alt);
        const visible = nobr && nobr.getBoundingClientRect().width > 0;
        const box = document.querySelector('form[name=search] input[name=searchfor]');
        return { links, visible, searchBox: box ? box.getBoundingClientRect().width > 0 : null };
      });
      assert.ok(cell.visible, 'the links cell renders');
      assert.deepEqual(cell.links.slice(0, 2), ['basket', 'home']);
      // The search form follows the links once its writer fills it in.
      assert.notEqual(cell.searchBox, false, 'the search box renders');
      // The basket link of the header frame draws the basket into the item frame.
      await header.click('a[href*="ShowBasket"]');
      await s.page.waitForFunction(() => !!frames[2].document.querySelector('form table'));
      assert.deepEqual(s.faults(), []);
    } finally {
      await s.close();
      shop.remove();
    }
  });
}

test('a home page with background music loads without a script error', async () => {
  const shop = makeShop({ key: 'music', settings: { musicFlags: 7 } });
  const s = await openShop(shop);
  try {
    assert.ok(fs.existsSync(path.join(shop.output, 'swing01.mid')), 'the music file is copied');
    await s.frame('ZKLIST').waitForLoadState('load');
    assert.equal(s.popups.length, 1, 'this browser lets the page open its music window');
    await s.popups[0].waitForLoadState('load');
    assert.equal(await s.popups[0].evaluate(() => document.querySelector('embed').getAttribute('src')), 'swing01.mid');
    assert.deepEqual(s.faults(), []);

    // A browser that blocks windows opened without a click gives none.
    await s.page.addInitScript(() => { window.open = () => null; });
    await s.page.reload({ waitUntil: 'load' });
    await s.page.waitForFunction(() => window.frames.length >= 2);
    assert.equal(await s.page.evaluate(() => window.mw), null);
    assert.equal(s.popups.length, 1, 'no second window');
    assert.deepEqual(s.faults(), []);
  } finally {
    await s.close();
    shop.remove();
  }
});
