// The live widget in headless Chromium: labels, hints, nested menus, the keyboard walk,
// links, sounds, accessibility, the list for pages without scripts, hostile parameters.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import { after, before, test } from 'node:test';
import { launch, openPage, serve, widgetPage } from './lib/browser.mjs';
import { RUNTIME } from './lib/library.mjs';
import {
  checkHoverMenus, checkLabelsInside, checkLinks, control, expectNoErrors, hover, isShown, publishMenu, spySounds,
} from './lib/scenarios.mjs';

const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

let browser, server, menu;
before(async () => {
  server = await serve();
  browser = await launch('chrome');
  // A page that animates its lists: reduced motion must still stop it.
  menu = publishMenu(server, 'menu', '<style>nav li{transition:opacity 1s}</style>');
});
after(async () => {
  await browser?.close();
  await server?.close();
});

const focused = (page) => page.evaluate(() => {
  const e = document.activeElement;
  return e && e.closest('nav') ? e.textContent : null;
});
const expanded = async (page, name, role = 'button') => (await control(page, name, role)).evaluate((e) => e.getAttribute('aria-expanded'));

test('labels stay inside their buttons; hover opens hints and menus to any depth', async () => {
  const page = await openPage(browser, menu.url);
  await checkLabelsInside(page);
  await checkHoverMenus(page);
  expectNoErrors(page);
  await page.close();
});

test('keyboard: Tab reaches every button, Enter and arrows open and walk menus, Escape closes the innermost', async () => {
  const page = await openPage(browser, menu.url);
  await page.keyboard.press('Tab');
  assert.equal(await focused(page), 'Home');
  assert.equal(await isShown(page, 'Back to the start page'), true, 'focus shows the hint');
  const ring = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
  assert.equal(ring, 'solid', 'a visible focus outline');
  const home = await (await control(page, 'Home', 'link')).evaluate((e) => ({
    expanded: e.getAttribute('aria-expanded'), describedBy: document.getElementById(e.getAttribute('aria-describedby'))?.textContent,
  }));
  assert.deepEqual(home, { expanded: null, describedBy: 'Back to the start page' });

  await page.keyboard.press('Tab');
  assert.equal(await focused(page), 'Products');
  assert.equal(await isShown(page, 'Back to the start page'), false);
  assert.equal(await expanded(page, 'Products'), 'true', 'focus shows the menu');
  await page.keyboard.press('Escape');
  assert.equal(await expanded(page, 'Products'), 'false');
  assert.equal(await isShown(page, 'Catalogue'), false);
  await page.keyboard.press('Enter');
  assert.equal(await focused(page), 'Catalogue');
  assert.equal(await expanded(page, 'Products'), 'true');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(page), 'More');
  assert.equal(await expanded(page, 'More'), 'true');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(page), 'Prices, 2024', 'the hidden item is skipped');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(page), 'Catalogue', 'the walk wraps');
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('ArrowUp');
  assert.equal(await focused(page), 'More');
  await page.keyboard.press('ArrowRight');
  assert.equal(await focused(page), 'Deeper');
  await page.keyboard.press(' ');
  assert.equal(await focused(page), 'Deepest');
  await page.keyboard.press('Escape');
  assert.equal(await focused(page), 'Deeper');
  assert.equal(await isShown(page, 'Deepest'), false);
  assert.equal(await expanded(page, 'Deeper'), 'false');
  await page.keyboard.press('ArrowLeft');
  assert.equal(await focused(page), 'More');
  await page.keyboard.press('Escape');
  assert.equal(await focused(page), 'Products');
  assert.equal(await expanded(page, 'Products'), 'false');
  assert.equal(await isShown(page, 'Catalogue'), false);
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(page), 'Catalogue');
  // Tab walks through every menu that the focus opens, then on to the next button.
  const walk = [];
  for (let i = 0; i < 6; i++) {
    await page.keyboard.press('Tab');
    walk.push(await focused(page));
  }
  assert.deepEqual(walk, ['More', 'Deeper', 'Deepest', 'Deeper link', 'Prices, 2024', 'About\nus']);
  assert.equal(await expanded(page, 'Products'), 'false', 'leaving a menu closes it');
  assert.equal(await isShown(page, 'Who we are'), true);
  await page.keyboard.press('ArrowLeft');
  assert.equal(await focused(page), 'Products');
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  assert.equal(await focused(page), 'Home');
  expectNoErrors(page);
  await page.close();
});

test('links open in their targets', async () => {
  const page = await openPage(browser, menu.url);
  await checkLinks(browser, page, server.origin);
  expectNoErrors(page);
  await page.close();
});

test('sounds wait for the first click; .au is decoded by the runtime, other sounds go to an audio element', async () => {
  const page = await openPage(browser, menu.url, { before: spySounds });
  const sounds = () => page.evaluate(() => window.__sounds);
  await hover(page, await control(page, 'Home', 'link'));
  await hover(page, await control(page, 'About us', 'button'));
  assert.deepEqual(await sounds(), [], 'nothing before the first click');
  // The click is the first gesture: its own sound may play, and so may every later one.
  await (await control(page, 'About us', 'button')).click();
  await page.waitForFunction(() => window.__sounds.length > 0, { timeout: 5000 });
  assert.deepEqual(await sounds(), [{ kind: 'element', src: `${server.origin}/menu/click.wav` }]);
  await page.mouse.move(790, 590);
  await hover(page, await control(page, 'Home', 'link'));
  await page.waitForFunction(() => window.__sounds.length > 1, { timeout: 5000 });
  assert.deepEqual((await sounds())[1], { kind: 'buffer', rate: 8000, length: 800, first: [-32124 / 32768, 32124 / 32768] });
  expectNoErrors(page);
  await page.close();
});

test('axe finds no violations with a drop-down open; forced colours and reduced motion', async () => {
  const page = await openPage(browser, menu.url);
  await hover(page, await control(page, 'Products', 'button'));
  await hover(page, await control(page, 'More', 'button'));
  await page.addScriptTag({ content: fs.readFileSync(AXE, 'utf8') });
  const result = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }));
  assert.deepEqual(result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);

  const cdp = await page.createCDPSession();
  await cdp.send('Emulation.setEmulatedMedia', {
    features: [{ name: 'forced-colors', value: 'active' }, { name: 'prefers-reduced-motion', value: 'reduce' }],
  });
  const look = await page.evaluate(() => {
    const lum = (c) => {
      const [r, g, b] = c.match(/\d+/g).map((v) => { v /= 255; return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4; });
      return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    const contrast = (a, b) => (Math.max(lum(a), lum(b)) + 0.05) / (Math.min(lum(a), lum(b)) + 0.05);
    const ctls = [...document.querySelectorAll('nav a, nav button')].filter((e) => e.checkVisibility());
    return {
      canvases: [...document.querySelectorAll('nav canvas')].map((c) => getComputedStyle(c).display),
      worst: Math.min(...ctls.map((e) => contrast(getComputedStyle(e.querySelector('span')).color, getComputedStyle(e).backgroundColor))),
      transitions: [...document.querySelectorAll('nav, nav *')].map((e) => getComputedStyle(e).transitionDuration)
        .filter((d) => d.split(',').some((x) => parseFloat(x) > 0)),
    };
  });
  assert.ok(look.canvases.length > 1 && look.canvases.every((d) => d === 'none'), 'faces give way to system colours');
  assert.ok(look.worst >= 4.5, `every label readable, worst contrast ${look.worst}`);
  assert.deepEqual(look.transitions, [], 'nothing animates, whatever the page asks');
  expectNoErrors(page);
  await page.close();
});

test('without scripts the page lists the links; the runtime replaces the list', async () => {
  const page = await openPage(browser, menu.url, { before: (p) => p.setJavaScriptEnabled(false) });
  const links = await page.$$eval('a', (as) => as.map((a) => [a.textContent, a.getAttribute('href'), a.getAttribute('target')]));
  assert.deepEqual(links, [['Home', 'home.htm', '_blank'], ['Catalogue', 'catalogue.htm?a=1&b=2', '_self'],
    ['Deepest', 'deepest.htm', null], ['Deeper link', 'deeper.htm', null], ['Prices, 2024', 'prices.htm', 'prices']]);
  await page.close();

  const live = await openPage(browser, menu.url);
  await live.waitForFunction(() => document.querySelectorAll('nav li').length === 11);
  assert.deepEqual(await live.evaluate(() => [document.querySelectorAll('applet').length, document.querySelectorAll('ul').length,
    document.querySelectorAll('nav ul').length, [...document.querySelectorAll('nav a')].map((a) => a.getAttribute('href'))]),
  [0, 6, 6, ['home.htm', 'catalogue.htm?a=1&b=2', 'deepest.htm', 'deeper.htm', 'prices.htm']]);
  expectNoErrors(live);
  await live.close();
});

// Applets written by hand with parameters the library would never write.
function hostilePage() {
  const p = (n, v) => `<param name="${n}" value="${v}">`;
  const applet = (code, params, w = 100, h = 50) => `<applet code="${code}" width="${w}" height="${h}">${params.join('')}</applet>`;
  const item = p('I0-0', 'a,,,,,,,_self,javascript:alert(1)') + p('MStyle-0', 'zzzzzz,00,0,0,1,1,50,20,5,3,0,0,0');
  const chain = [p('Misc', '3000,' + '1,'.repeat(3000) + '-0,' + Array.from({ length: 2999 }, (_, i) => `${i}-${i + 1},`).join(''))];
  for (let j = 0; j < 3000; j++) chain.push(p(`I${j}-0`, `L${j},,,,,,,_self,d${j}.htm`));
  return widgetPage([
    applet('qlnbtn.class', [p('Misc', '3,1,1,1,-0,0-1,1-0,-2,99-0,0-77'), item, p('I1-0', 'b'), p('I2-0', 'c')]),
    applet('dir/QLNBTN.CLASS', [p('Misc', '2147483647,-1,x,--,-'), p('ApStyle', ',,,,,,,99,2147483647,zz'), item], 99999999, -5),
    applet('QlnBtn.Class', [p('Misc', '1,1,-0,'), p('I0-0', 'x'.repeat(5 * 1024 * 1024)), p('IStyle-0', '1,'.repeat(100000))]),
    applet('qlnbtn.class', []),
    applet('qlnbtn.class', chain, 400, 400),
    applet('other.class', [p('Misc', '1,1,-0,')]),
  ].join('\n'), '<script src="qlnbtn.js" defer></script>');
}

test('hostile parameters throw nothing and show what they can', async () => {
  server.set('/hostile/index.htm', hostilePage());
  server.set('/hostile/qlnbtn.js', fs.readFileSync(RUNTIME));
  const t = Date.now();
  const page = await openPage(browser, `${server.origin}/hostile/index.htm`);
  // Menus below the buttons are built in slices after the first paint.
  await page.waitForFunction(() => document.querySelectorAll('nav')[4]?.querySelectorAll('li').length >= 256, { timeout: 10000 });
  const found = await page.evaluate(() => ({
    navs: [...document.querySelectorAll('nav')].map((n) => n.querySelectorAll('li').length),
    applets: [...document.querySelectorAll('applet')].map((a) => a.getAttribute('code')),
    hrefs: [...document.querySelectorAll('nav a')].slice(0, 2).map((a) => a.getAttribute('href')),
    again: window.QlnBtn.upgrade(),
  }));
  assert.ok(Date.now() - t < 20000, 'bounded time');
  // The link that would make a cycle is refused; the chain is cut at 256 levels.
  assert.deepEqual(found.navs, [2, 0, 1, 0, 256]);
  assert.deepEqual(found.applets, ['other.class']);
  assert.deepEqual(found.hrefs, ['d0.htm', 'd1.htm'], 'no script links');
  assert.equal(found.again, 0);
  await hover(page, await control(page, 'L0', 'link'));
  await page.keyboard.press('Escape');
  expectNoErrors(page);
  await page.close();
});
