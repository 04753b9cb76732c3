// What the browser tests do, shared by the browsers that run them. Every page is made from
// the library's own HTML of a widget file; controls are found by role and name.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { faceWidget, menuWidget } from './fixtures.mjs';
import { navBox, openPage, screenshot, widgetPage } from './browser.mjs';
import { render, RUNTIME, tempDir, widgetHtml } from './library.mjs';
import { encodePng, firstDifference } from './png.mjs';
import { writeQwd } from './widgets.mjs';

// Writes the widget file, asks the library for its HTML (relative form, with the runtime)
// and serves the page and its files under /name/.
export function publish(server, name, widget, files = {}, extra = '') {
  const dir = tempDir();
  for (const [f, body] of Object.entries(files)) fs.writeFileSync(path.join(dir, f), body);
  const file = writeQwd(path.join(dir, name + '.qwd'), widget, { WebRuntime: 1 });
  const segments = widgetHtml(file);
  assert.deepEqual(segments.map((s) => s.position), ['cursor', 'script']);
  server.set(`/${name}/index.htm`, widgetPage(segments[0].relative, segments[1].relative, extra));
  server.set(`/${name}/qlnbtn.js`, fs.readFileSync(RUNTIME));
  for (const [f, body] of Object.entries(files)) server.set(`/${name}/${f}`, body);
  return { file, url: `${server.origin}/${name}/index.htm`, html: segments[0].relative };
}

export function expectNoErrors(page) {
  assert.deepEqual(page.errors, [], 'no page or console errors');
}

const away = async (page) => page.mouse.move(790, 590);

// Faces with empty labels in the three states, compared with snippo-render's pictures: the
// whole panel at rest, then each button hovered and pressed.
export async function checkFaces(browser, server, dpr) {
  const widget = faceWidget();
  const { file, url } = publish(server, 'faces' + dpr, widget);
  const refs = [1, 2, 3].map((s) => render(file, s));
  const page = await openPage(browser, url, { dpr });
  try {
    const box = await navBox(page);
    assert.deepEqual([box.width, box.height], [widget.width, widget.height]);
    // The browser reports an input event done before its effect is on the screen: a few
    // frames may pass. A wrong face never turns right, however long one waits.
    const waitFace = async (ref, clip, region) => {
      let diff;
      for (let attempt = 0; attempt < 20; attempt++) {
        diff = firstDifference(ref, await screenshot(page, clip), dpr, region);
        if (!diff) return null;
      }
      return diff;
    };
    const expectFace = async (ref, clip, region, what) => assert.equal(await waitFace(ref, clip, region), null, what);
    await away(page);
    await expectFace(refs[0], box, null, 'state 1');
    // The page's first press (which also unlocks sound) is made away from the widget: in
    // headless Chromium the very first press on a page is at times not shown as pressed.
    await page.mouse.down();
    await page.mouse.up();
    for (const [i, b] of widget.buttons.entries()) {
      const clip = { x: box.x + b.x, y: box.y + b.y, width: b.w, height: b.h };
      const region = { x: b.x, y: b.y, w: b.w, h: b.h };
      await page.mouse.move(clip.x + b.w / 2, clip.y + b.h / 2);
      await expectFace(refs[1], clip, region, `button ${i}, state 2`);
      await page.mouse.down();
      // Headless Chromium at times shows a press as the hovered face (about one sweep in
      // ten, more often on a busy machine; cause not found): such a press is made again, at
      // most three times, and noted.
      for (let retry = 0; retry < 3 && (await waitFace(refs[2], clip, region)); retry++) {
        console.warn(`button ${i}: the press showed the hovered face; pressing again`);
        await page.mouse.up();
        await page.mouse.down();
      }
      await expectFace(refs[2], clip, region, `button ${i}, state 3`);
      await page.mouse.up();
      await away(page);
      await expectFace(refs[0], clip, region, `button ${i} again`);
    }
    expectNoErrors(page);
  } finally {
    await page.close();
  }
}

// Files for the menu widget: an image and the two kinds of sound.
export function menuFiles() {
  const au = Buffer.alloc(24 + 800);
  au.write('.snd', 0, 'latin1');
  au.writeUInt32BE(24, 4);
  au.writeUInt32BE(800, 8);
  au.writeUInt32BE(1, 12);
  au.writeUInt32BE(8000, 16);
  au.writeUInt32BE(1, 20);
  for (let i = 0; i < 800; i++) au[24 + i] = i % 2 ? 0x80 : 0x00;   // full-scale square wave
  const wav = Buffer.alloc(44 + 800);
  wav.write('RIFF', 0, 'latin1');
  wav.writeUInt32LE(36 + 800, 4);
  wav.write('WAVEfmt ', 8, 'latin1');
  wav.writeUInt32LE(16, 16);
  wav.writeUInt16LE(1, 20);
  wav.writeUInt16LE(1, 22);
  wav.writeUInt32LE(8000, 24);
  wav.writeUInt32LE(8000, 28);
  wav.writeUInt16LE(1, 32);
  wav.writeUInt16LE(8, 34);
  wav.write('data', 36, 'latin1');
  wav.writeUInt32LE(800, 40);
  wav.fill(128, 44);
  return {
    'home.png': encodePng(12, 12, (x, y) => ((x + y) % 2 ? [255, 0, 0] : [0, 0, 255])),
    'home-over.png': encodePng(16, 10, () => [0, 200, 0]),
    'over.au': au, 'click.wav': wav,
    'home.htm': '<!DOCTYPE html><title>Home</title><link rel="icon" href="data:,">Home',
    'catalogue.htm': '<!DOCTYPE html><title>Catalogue</title><link rel="icon" href="data:,">Catalogue',
    'prices.htm': '<!DOCTYPE html><title>Prices</title><link rel="icon" href="data:,">Prices',
  };
}

export function publishMenu(server, name, extra = '') {
  const widget = menuWidget({ over: 'over.au', click: 'click.wav', image: 'home.png', imageOver: 'home-over.png' });
  widget.buttons[2].items[0].sounds = ['', 'click.wav'];
  return publish(server, name, widget, menuFiles(), extra);
}

// Records the sounds that start: Web Audio buffers and audio elements.
export async function spySounds(page) {
  await page.evaluateOnNewDocument(() => {
    window.__sounds = [];
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      const b = this.buffer;
      window.__sounds.push({ kind: 'buffer', rate: b.sampleRate, length: b.length, first: Array.from(b.getChannelData(0).slice(0, 2)) });
      return start.apply(this, args);
    };
    const play = HTMLMediaElement.prototype.play;
    HTMLMediaElement.prototype.play = function () {
      window.__sounds.push({ kind: 'element', src: this.src });
      return play.call(this);
    };
  });
}

export const control = async (page, name, role) => {
  const el = await page.$(`aria/${name}${role ? `[role="${role}"]` : ''}`);
  assert.ok(el, `control "${name}"`);
  return el;
};

export async function isShown(page, text) {
  const el = await page.$(`::-p-text(${text})`);
  if (!el) return false;
  return el.evaluate((e) => e.checkVisibility() && e.getBoundingClientRect().width > 0);
}

async function centre(el) {
  const b = await el.boundingBox();
  return [b.x + b.width / 2, b.y + b.height / 2];
}

export async function hover(page, el) {
  await page.mouse.move(...(await centre(el)));
}

// Hovering shows a hint and the menus below it, level by level; leaving closes them after a
// short grace, not at once.
export async function checkHoverMenus(page) {
  assert.equal(await isShown(page, 'Back to the start page'), false);
  await hover(page, await control(page, 'Home', 'link'));
  assert.equal(await isShown(page, 'Back to the start page'), true);
  await hover(page, await control(page, 'Products', 'button'));
  assert.equal(await isShown(page, 'Back to the start page'), false, 'a neighbour closes at once');
  assert.equal(await isShown(page, 'Catalogue'), true);
  assert.equal(await isShown(page, 'Hidden'), false, 'hidden items are not shown');
  assert.equal(await isShown(page, 'Deeper'), false);
  await hover(page, await control(page, 'More', 'button'));
  await hover(page, await control(page, 'Deeper', 'button'));
  await hover(page, await control(page, 'Deepest', 'link'));
  for (const t of ['Catalogue', 'Deeper link', 'Deepest']) assert.equal(await isShown(page, t), true, t);
  await away(page);
  assert.equal(await isShown(page, 'Deepest'), true, 'within the grace period');
  await page.waitForFunction(() => !document.querySelector('nav [aria-expanded="true"]'), { timeout: 3000 });
  assert.equal(await isShown(page, 'Catalogue'), false);
  assert.equal(await isShown(page, 'Deepest'), false);
}

// Every label lies inside its control, for the buttons and an open menu; menus stand where
// their parameters place them.
export async function checkLabelsInside(page) {
  // Each state shows its own image (or the normal one), at margin + 3 from the left edge,
  // centred from top to bottom.
  const image = () => page.evaluate(() => {
    const ctl = document.querySelector('nav a');
    const shown = [...ctl.querySelectorAll('img')].filter((i) => i.checkVisibility());
    const c = ctl.getBoundingClientRect();
    return shown.map((i) => {
      const r = i.getBoundingClientRect();
      return [i.getAttribute('src'), r.x - c.x, r.y - c.y + r.height / 2 - c.height / 2, r.width];
    });
  });
  await page.waitForFunction(() => [...document.images].every((i) => i.complete));
  assert.deepEqual(await image(), [['home.png', 9, 0, 12]]);
  await hover(page, await control(page, 'Home', 'link'));
  assert.deepEqual(await image(), [['home-over.png', 9, 0, 16]]);
  await page.mouse.down();
  assert.deepEqual(await image(), [['home.png', 9, 0, 12]], 'no clicked image: the normal one');
  await away(page);
  await page.mouse.up();
  await hover(page, await control(page, 'Products', 'button'));
  const outside = await page.evaluate(() => {
    const bad = [];
    for (const ctl of document.querySelectorAll('nav a, nav button')) {
      if (!ctl.checkVisibility()) continue;
      const c = ctl.getBoundingClientRect();
      for (const node of ctl.querySelectorAll('span')) {
        const r = node.getBoundingClientRect();
        if (r.left < c.left - 0.5 || r.right > c.right + 0.5 || r.top < c.top - 0.5 || r.bottom > c.bottom + 0.5)
          bad.push(`${node.textContent}: ${JSON.stringify(r)} outside ${JSON.stringify(c)}`);
      }
    }
    return bad;
  });
  assert.deepEqual(outside, []);
  const shown = await page.evaluate(() => [...document.querySelectorAll('nav a, nav button')]
    .filter((e) => e.checkVisibility()).map((e) => e.textContent));
  assert.deepEqual(shown, ['Home', 'Products', 'Catalogue', 'More', 'Prices, 2024', 'About\nus']);
  // Each menu stands at its offset from the item that owns it, its items one below the other.
  await hover(page, await control(page, 'More', 'button'));
  const boxes = await page.evaluate(() => {
    const nav = document.querySelector('nav').getBoundingClientRect();
    return [...document.querySelectorAll('nav a, nav button')].filter((e) => e.checkVisibility()).map((e) => {
      const r = e.getBoundingClientRect();
      return [e.textContent, r.x - nav.x, r.y - nav.y, r.width, r.height];
    });
  });
  assert.deepEqual(boxes, [['Home', 10, 10, 100, 26], ['Products', 120, 10, 100, 26], ['Catalogue', 120, 36, 110, 22],
    ['More', 120, 58, 110, 22], ['Deeper', 230, 58, 110, 22], ['Deeper link', 230, 80, 110, 22],
    ['Prices, 2024', 120, 80, 110, 22], ['About\nus', 230, 10, 100, 36]]);
  await away(page);
}

// Links open in their targets: _blank in a new window without an opener, a named target
// in a window of that name, _self in place.
export async function checkLinks(browser, page, origin) {
  const home = await control(page, 'Home', 'link');
  assert.equal(await home.evaluate((e) => e.getAttribute('rel')), 'noopener');
  const opened = browser.waitForTarget((t) => t.url() === `${origin}/menu/home.htm`, { timeout: 10000 });
  await home.click();
  const homePage = await (await opened).page();
  assert.equal(await homePage.evaluate(() => window.opener), null);
  await homePage.close();
  assert.equal(page.url(), `${origin}/menu/index.htm`);

  await hover(page, await control(page, 'Products', 'button'));
  const named = browser.waitForTarget((t) => t.url() === `${origin}/menu/prices.htm`, { timeout: 10000 });
  await (await control(page, 'Prices, 2024', 'link')).click();
  const pricesPage = await (await named).page();
  assert.equal(await pricesPage.evaluate(() => window.name), 'prices');
  await pricesPage.close();

  await hover(page, await control(page, 'Products', 'button'));
  const catalogue = await control(page, 'Catalogue', 'link');
  await Promise.all([page.waitForNavigation(), catalogue.click()]);
  assert.equal(page.url(), `${origin}/menu/catalogue.htm?a=1&b=2`);
}
