// Headless browsers of the machine (Debian's chromium and firefox-esr) driven by
// puppeteer-core, and a server on the loopback interface for the pages they open.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export const CHROMIUM = process.env.SNIPPO_CHROMIUM || '/usr/bin/chromium';
export const FIREFOX = process.env.SNIPPO_FIREFOX || '/usr/bin/firefox-esr';

export async function launch(kind = 'chrome') {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `qlnbtn-${kind}-`));
  const options = kind === 'firefox'
    ? {
      browser: 'firefox', executablePath: FIREFOX, headless: true, userDataDir: profile,
      extraPrefsFirefox: { 'media.autoplay.default': 0, 'browser.shell.checkDefaultBrowser': false,
        'app.update.enabled': false, 'datareporting.policy.dataSubmissionEnabled': false },
    }
    : {
      executablePath: CHROMIUM, headless: true, userDataDir: profile,
      args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--force-color-profile=srgb', '--mute-audio',
        '--hide-scrollbars', '--autoplay-policy=user-gesture-required'],
    };
  const browser = await puppeteer.launch({ ...options, protocolTimeout: 120000 });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

const TYPES = { '.htm': 'text/html; charset=utf-8', '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png', '.gif': 'image/gif',
  '.au': 'audio/basic', '.wav': 'audio/wav' };

// Serves files from memory: set(path, body) adds one; anything else is a 404.
export async function serve() {
  const files = new Map();
  const server = http.createServer((req, res) => {
    const p = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const body = files.get(p);
    if (body === undefined) {
      res.writeHead(404, { 'content-type': 'text/plain' });
      res.end('missing');
      return;
    }
    res.writeHead(200, { 'content-type': TYPES[path.extname(p)] || 'application/octet-stream', 'cache-control': 'no-store' });
    res.end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const origin = `http://127.0.0.1:${server.address().port}`;
  return {
    origin,
    set: (p, body) => files.set(p, body),
    close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
  };
}

// A page of the widget HTML: the head segment and the body segment as the library gives
// them, left-aligned so that the widget lies on whole pixels.
export function widgetPage(body, head = '', extra = '') {
  return `<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Widget</title><link rel="icon" href="data:,">
<style>body{margin:20px;background:#fff;font-family:sans-serif}h1{font-size:24px;line-height:32px;margin:0 0 16px}
p[align]{text-align:left;margin:0;line-height:0}</style>
${head}${extra}</head>
<body><main><h1>Widget</h1>
${body}</main></body></html>`;
}

// A new page whose errors are collected: page errors, console errors, failed requests.
export async function openPage(browser, url, { dpr = 1, width = 800, height = 600, before } = {}) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push('page error: ' + (e && e.message)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push('console: ' + m.text()); });
  await page.setViewport({ width, height, deviceScaleFactor: dpr });
  if (before) await before(page);
  await page.goto(url, { waitUntil: 'load' });
  page.errors = errors;
  return page;
}

// Waits until what the last events painted has reached the screen.
export async function settle(page) {
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
}

export async function screenshot(page, clip) {
  const { decodePng } = await import('./png.mjs');
  await settle(page);
  return decodePng(Buffer.from(await page.screenshot({ type: 'png', clip })));
}

// The widget's rectangle in CSS pixels; whole pixels or the comparison means nothing.
export async function navBox(page, index = 0) {
  const box = await page.evaluate((i) => {
    const r = document.querySelectorAll('nav.qlnbtn')[i].getBoundingClientRect();
    return { x: r.x, y: r.y, width: r.width, height: r.height };
  }, index);
  for (const v of Object.values(box)) if (!Number.isInteger(v)) throw new Error('widget off the pixel grid: ' + JSON.stringify(box));
  return box;
}
