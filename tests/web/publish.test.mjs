// snippo-publish: the folder it writes works as it is in a browser, and a failure leaves the
// output folder exactly as it was.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { launch, openPage, serve } from './lib/browser.mjs';
import { menuWidget } from './lib/fixtures.mjs';
import { RUNTIME, runPublish, tempDir } from './lib/library.mjs';
import { expectNoErrors, menuFiles } from './lib/scenarios.mjs';
import { writeQwd } from './lib/widgets.mjs';

let browser, server, source;
before(async () => {
  server = await serve();
  browser = await launch('chrome');
  source = tempDir();
  for (const [f, body] of Object.entries(menuFiles())) fs.writeFileSync(path.join(source, f), body);
  const widget = menuWidget({ over: 'over.au', click: 'click.wav', image: 'home.png', imageOver: 'home-over.png' });
  writeQwd(path.join(source, 'menu.qwd'), widget, { WebRuntime: 1 });
});
after(async () => {
  await browser?.close();
  await server?.close();
});

const listing = (dir) => fs.readdirSync(dir).sort();

test('the published folder opens in a browser with every support file found', async () => {
  const out = path.join(tempDir(), 'site', 'menu');
  const png = path.join(path.dirname(out), 'menu.png');
  const r = runPublish([path.join(source, 'menu.qwd'), out, '--png', png]);
  assert.equal(r.status, 0, r.stderr);
  assert.deepEqual(listing(out), ['click.wav', 'home-over.png', 'home.png', 'index.html', 'over.au', 'qlnbtn.class', 'qlnbtn.js']);
  assert.deepEqual(fs.readFileSync(path.join(out, 'qlnbtn.js')), fs.readFileSync(RUNTIME));
  assert.deepEqual([...fs.readFileSync(png).subarray(0, 4)], [0x89, 0x50, 0x4e, 0x47]);
  assert.deepEqual(listing(path.dirname(out)), ['menu', 'menu.png'], 'no staging folder left');

  for (const f of listing(out)) server.set(`/published/${f}`, fs.readFileSync(path.join(out, f)));
  server.set('/favicon.ico', '');   // the browser's own request, not the page's
  const statuses = [];
  const page = await browser.newPage();
  page.on('response', (res) => statuses.push([new URL(res.url()).pathname, res.status()]));
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(`${server.origin}/published/index.html`, { waitUntil: 'networkidle0' });
  // Hovering fetches the mouse-over face and sound as well.
  const home = await page.$('aria/Home[role="link"]');
  await home.hover();
  await new Promise((resolve) => setTimeout(resolve, 300));
  assert.deepEqual(statuses.filter(([, s]) => s >= 400), [], 'no request failed');
  const fetched = new Set(statuses.map(([p]) => p));
  for (const f of ['index.html', 'qlnbtn.js', 'home.png']) assert.ok(fetched.has(`/published/${f}`), `${f} was loaded`);
  assert.equal(await page.title(), 'menu', 'an untitled widget is named after its file');
  assert.equal(await page.$$eval('nav.qlnbtn', (n) => n.length), 1);
  page.errors = errors;
  expectNoErrors(page);
  await page.close();
});

test('--fragment prints the HTML to paste, --web-path puts the prefix before every support file', () => {
  const out = path.join(tempDir(), 'fragment');
  const r = runPublish([path.join(source, 'menu.qwd'), out, '--web-path', '/static/menu/', '--fragment']);
  assert.equal(r.status, 0, r.stderr);
  assert.ok(!fs.existsSync(path.join(out, 'index.html')), 'no page with --fragment');
  assert.ok(fs.existsSync(path.join(out, 'qlnbtn.js')));
  assert.match(r.stdout, /^<script src="\/static\/menu\/qlnbtn\.js" defer><\/script>/);
  assert.match(r.stdout, /<applet codebase="\/static\/menu\/" code="qlnbtn\.class"/);
  assert.match(r.stdout, /value="[^"]*\/static\/menu\/home\.png/);
  assert.doesNotMatch(r.stdout, /<html|<body/i);
});

test('failures say why, exit non-zero and leave the output folder as it was', () => {
  const dir = tempDir();
  const out = path.join(dir, 'out');
  fs.mkdirSync(out);
  fs.writeFileSync(path.join(out, 'index.html'), 'the old page');
  const foreign = path.join(dir, 'other.qwd');
  fs.writeFileSync(foreign, fs.readFileSync(path.join(source, 'menu.qwd'), 'latin1')
    .replace(/ProgID = SnippoServer\.GlimButton/, 'ProgID = Other.Widget'), 'latin1');
  const notWidget = path.join(dir, 'picture.qwd');
  fs.writeFileSync(notWidget, fs.readFileSync(path.join(source, 'home.png')));
  const emptyRegistry = tempDir();
  const blocked = path.join(dir, 'a-file');
  fs.writeFileSync(blocked, 'x');
  const menu = path.join(source, 'menu.qwd');

  const cases = [
    [[path.join(dir, 'missing.qwd'), out], {}, `cannot read "${path.join(dir, 'missing.qwd')}": no such file`],
    [[foreign, out], {}, `"${foreign}" is a widget of "Other.Widget", not of SnippoServer.GlimButton`],
    [[notWidget, out], {}, `"${notWidget}" is not a widget file`],
    [[menu, out], { SNIPPO_REGISTRY: emptyRegistry, SNIPPO_SYSTEM_REGISTRY: emptyRegistry }, 'the widget server SnippoServer.GlimButton is not registered'],
    [[menu, path.join(blocked, 'out')], {}, `cannot create "${path.join(blocked, 'out')}"`],
    [[menu, blocked], {}, `"${blocked}" is not a folder`],
    // Fails after the new output folder's missing parents were made: they go again.
    [[menu, path.join(dir, 'new', 'deeper', 'out'), '--png', path.join(blocked, 'p.png')], {}, ''],
  ];
  for (const [args, env, message] of cases) {
    const r = runPublish(args, env);
    assert.equal(r.status, 1, args.join(' '));
    const said = r.stderr.split('\n').find((l) => l.startsWith('snippo-publish: ')) ?? '';
    assert.ok(said.startsWith('snippo-publish: ' + message), r.stderr);
    assert.deepEqual(listing(out), ['index.html']);
    assert.equal(fs.readFileSync(path.join(out, 'index.html'), 'utf8'), 'the old page');
    assert.deepEqual(listing(dir), ['a-file', 'other.qwd', 'out', 'picture.qwd']);
  }
  assert.equal(runPublish([menu]).status, 2);
});
