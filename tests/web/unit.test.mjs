// The runtime's pure parts under Node: it reads the parameters that the real library writes,
// in all three forms, paints faces exactly as snippo-render does, decodes .au sounds, and
// bounds its work on hostile parameters.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { test } from 'node:test';
import { faceWidget, overlapWidget } from './lib/fixtures.mjs';
import { appletParams, render, RUNTIME, tempDir, widgetHtml } from './lib/library.mjs';
import { firstDifference } from './lib/png.mjs';
import { button, item, menu, rgb, style, writeQwd } from './lib/widgets.mjs';

const Q = createRequire(import.meta.url)(RUNTIME);

function parseHtml(html) {
  const params = appletParams(html);
  const size = html.match(/ width="(\d+)" height="(\d+)">/);
  return Q.parseWidget(params.get, size[1], size[2], params.count);
}

// What the runtime must read from a widget description in one form: the visible items of
// the menus that have any, with addresses as the form writes them.
function expected(widget, form, preview) {
  const url = (name, web) => (!name ? '' : form === 0 ? preview + name : form === 1 ? web + name : name);
  const emitted = (m) => m && m.visible && m.items.some((i) => i.visible);
  const toMenu = (m, depth) => ({
    x: m.x, y: m.y, w: m.w, h: m.h, borderThick: m.thick, depth,
    styles: m.styles.map((s) => ({ back: s.back, font: s.font, backStyle: s.backStyle, borderStyle: s.borderStyle,
      effect: s.effect, fontName: s.fontName, fontSize: s.fontSize, fontStyle: s.fontStyle, imageAlign: s.imageAlign,
      textAlign: s.textAlign, imageOffset: s.imageOffset, textOffset: s.textOffset, border: s.border, fade: s.fade })),
    items: m.items.filter((i) => i.visible).map((i) => ({
      label: i.label, description: i.description,
      images: i.images.map((n, k) => url(n, i.webs[k])), sounds: i.sounds.map((n, k) => url(n, i.webs[3 + k])),
      target: i.target || '_self', link: i.link, sub: emitted(i.sub) ? toMenu(i.sub, depth + 1) : null,
    })),
  });
  return widget.buttons.filter(emitted).map((m) => toMenu(m, 0));
}

function withoutNumbers(menus) {
  return JSON.parse(JSON.stringify(menus, (k, v) => (k === 'number' || k === 'hasSub' ? undefined : v)));
}

test('parameters written by the library read back in the preview, web and relative forms', () => {
  const dir = tempDir();
  for (const f of ['n.gif', 'o.gif', 'c.png', 'over.au', 'click.wav']) fs.writeFileSync(path.join(dir, f), 'x');
  const s = (i) => style({ back: rgb(i, 2 * i, 3 * i), font: rgb(250, i, 7), backStyle: (i % 5) + 1, borderStyle: (i % 6) + 1,
    effect: i % 5, fontName: i % 3, fontSize: 9 + i, fontStyle: i % 3, imageAlign: i % 3, textAlign: (i + 1) % 3,
    imageOffset: -i, textOffset: i - 20, border: rgb(9, 8, i), fade: rgb(i, 255 - i, 128) });
  const leaf = menu({ x: -30, y: 999, w: 1, h: 2, thick: 0, styles: [s(40), s(41), s(42)],
    items: [item({ label: 'leaf, the end', link: 'l.htm' })] });
  const drop = menu({ x: 0, y: 26, w: 120, h: 22, thick: 2, styles: [s(30), s(31), s(32)], items: [
    item({ label: 'One', link: 'http://h/a?c=1&d="2"', target: '_blank' }),
    item({ label: 'Hidden', visible: 0, sub: leaf }),
    item({ label: 'Two,\r\nlines', description: 'Second <item> & "more"', images: ['n.gif', 'o.gif', ''],
      webs: ['http://img/', 'i/', '', '', ''], sub: leaf }),
    item({ label: 'Three', sounds: ['over.au', 'click.wav'], webs: ['', '', '', 'snd/', 'http://s/'],
      sub: menu({ visible: 0, items: [item()] }) }),
  ] });
  const widget = {
    width: 640, height: 48, back: rgb(1, 2, 3), fade: rgb(250, 251, 252), backStyle: 5, borderStyle: 3, borderThick: 4,
    border: rgb(7, 8, 9), image: 'c.png', imageWeb: 'bg/', imageMode: 1, imageX: 33, imageY: 44, sound: 'over.au',
    soundWeb: 'http://snd/', progressBar: 0, message: 'Wait please',
    buttons: [
      button(10, 10, 100, 26, { styles: [s(1), s(2), s(3)], item: { label: 'A,B\r\nC', images: ['n.gif', '', 'c.png'] } }),
      menu({ x: 120, y: 10, w: 90, h: 26, thick: 3, styles: [s(10), s(11), s(12)], items: [item({ label: 'Drop', sub: drop })] }),
      button(220, 10, 60, 26, { item: { label: 'Gone', visible: 0 } }),
    ],
  };
  const file = writeQwd(path.join(dir, 'w.qwd'), widget);
  const segments = widgetHtml(file, '/pv/');
  assert.equal(segments.length, 1);
  const forms = [segments[0].preview, segments[0].web, segments[0].relative];
  forms.forEach((html, form) => {
    const w = parseHtml(html);
    assert.deepEqual(withoutNumbers(w.buttons), expected(widget, form, '/pv/'), `form ${form}`);
    assert.equal(w.width, 640);
    assert.equal(w.height, 48);
    assert.deepEqual([w.back, w.fade, w.backStyle, w.borderStyle, w.borderThick, w.border, w.imageMode, w.imageX,
      w.imageY, w.progressBar, w.message], [rgb(1, 2, 3), rgb(250, 251, 252), 5, 3, 4, rgb(7, 8, 9), 1, 33, 44, 0,
      'Wait please']);
    assert.equal(w.image, ['/pv/c.png', 'bg/c.png', 'c.png'][form]);
    assert.equal(w.sound, ['/pv/over.au', 'http://snd/over.au', 'over.au'][form]);
  });
});

// The runtime's picture of a state, unpainted pixels white as snippo-render leaves them.
function runtimePicture(html, state) {
  const w = parseHtml(html);
  const pic = new Q.Picture(w.width, w.height);
  Q.paintPanel(pic, { x0: 0, y0: 0, x1: w.width, y1: w.height }, w, () => state);
  const rgba = new Uint8Array(w.width * w.height * 4);
  pic.pixels.forEach((p, i) => {
    const v = p === 0 ? 0xffffff : p;
    rgba.set([v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff, 255], i * 4);
  });
  return { width: w.width, height: w.height, rgba };
}

test('faces are painted pixel for pixel as snippo-render paints them', () => {
  const dir = tempDir();
  for (const [name, widget] of [['faces', faceWidget()], ['overlap', overlapWidget()]]) {
    const file = writeQwd(path.join(dir, name + '.qwd'), widget);
    const html = widgetHtml(file)[0].web;
    for (const state of [1, 2, 3])
      assert.equal(firstDifference(render(file, state), runtimePicture(html, state)), null, `${name}, state ${state}`);
  }
});

test('faces of degenerate sizes and thicknesses', () => {
  const dir = tempDir();
  const buttons = [];
  const sizes = [[1, 1], [2, 7], [7, 2], [0, 9], [30, 3]];
  sizes.forEach(([w, h], i) => {
    for (let b = 1; b <= 6; b++)
      buttons.push(menu({ x: 4 + 36 * b - 30, y: 4 + 14 * i, w, h, thick: [1, 2, 5, 2147483647][(i + b) % 4],
        styles: [0, 1, 2].map((s) => style({ back: rgb(255, 5, 250), fade: rgb(0, 250, 5), border: rgb(250, 250, 5 * s),
          backStyle: 1 + ((b + s) % 5), borderStyle: b })), items: [item({ label: '' })] }));
  });
  const file = writeQwd(path.join(dir, 'tiny.qwd'), { width: 230, height: 80, borderThick: 2147483647, borderStyle: 3, buttons });
  const html = widgetHtml(file)[0].relative;
  for (const state of [1, 2, 3]) assert.equal(firstDifference(render(file, state), runtimePicture(html, state)), null);
});

function au(encoding, rate, channels, data, { size = data.length, offset = 24 } = {}) {
  const b = Buffer.alloc(Math.max(24, offset) + data.length);
  b.write('.snd', 0, 'latin1');
  b.writeUInt32BE(offset, 4);
  b.writeUInt32BE(size, 8);
  b.writeUInt32BE(encoding, 12);
  b.writeUInt32BE(rate, 16);
  b.writeUInt32BE(channels, 20);
  Buffer.from(data).copy(b, Math.max(24, offset));
  return new Uint8Array(b);
}

test('.au sounds: mu-law, 8-bit and 16-bit linear, and files that are not sounds', () => {
  const mu = Q.decodeAu(au(1, 8000, 1, [0xff, 0x7f, 0x00, 0x80, 0x8f, 0x1f]));
  assert.equal(mu.sampleRate, 8000);
  assert.deepEqual([...mu.channels[0]].map((v) => Math.round(v * 32768)), [0, 0, -32124, 32124, 16764, -8316]);

  const lin8 = Q.decodeAu(au(2, 11025, 2, [0x80, 0x7f, 0x00, 0x40, 0xff]));   // the odd byte is no frame
  assert.deepEqual(lin8.channels.map((c) => [...c]), [[-1, 0], [127 / 128, 0.5]]);

  const lin16 = Q.decodeAu(au(3, 44100, 1, [0x80, 0x00, 0x7f, 0xff, 0x00, 0x01, 0xff, 0xff], { size: 0xffffffff, offset: 32 }));
  assert.deepEqual([...lin16.channels[0]], [-1, 32767 / 32768, 1 / 32768, -1 / 32768]);
  // A size beyond the data is cut to it.
  assert.equal(Q.decodeAu(au(3, 8000, 1, [1, 2, 3, 4], { size: 1000 })).channels[0].length, 2);

  for (const bad of [au(4, 8000, 1, [1, 2]), au(1, 0, 1, [1]), au(1, 8000, 0, [1]), au(1, 8000, 1, [1], { offset: 12 }),
    au(1, 8000, 1, []), new Uint8Array(10), new TextEncoder().encode('RIFF....WAVEfmt ................'), null])
    assert.equal(Q.decodeAu(bad), null);
});

// Hostile parameter sets: the parser never throws, never hangs, shows what it can.
test('hostile parameters are bounded', () => {
  const run = (map, count = Object.keys(map).length, size = ['105', '215']) => {
    const t = Date.now();
    const w = Q.parseWidget((n) => map[n], size[0], size[1], count);
    assert.ok(Date.now() - t < 3000, 'bounded time');
    return w;
  };
  const one = { 'MStyle-0': 'ffffff,00,0,0,1,2,3,4,5,6', 'I0-0': 'a,,,,,,,_self,x.htm' };

  assert.equal(run({ Misc: '2147483647,', ...one }).buttons.length, 0);
  assert.equal(run({}).buttons.length, 0);
  // A menu linked twice and a link that would close a cycle: each menu hangs below one item
  // at most, and never below itself.
  let w = run({ Misc: '4,1,1,1,1,-0,0-1,2-1,1-0,', ...one }, 100);
  assert.equal(w.buttons.length, 1);
  assert.equal(w.buttons[0].items[0].sub.number, 1);
  assert.equal(w.buttons[0].items[0].sub.items[0].sub, null);
  // Positions out of range are skipped; missing keys take defaults.
  w = run({ Misc: '4,1,1,0,0,-0,0-1,-7,5-2,', ...one }, 100);
  assert.deepEqual(w.buttons.map((b) => b.items[0].label), ['a']);
  assert.deepEqual([w.buttons[0].items[0].sub.x, w.buttons[0].items[0].sub.w], [40, 80]);
  assert.equal(w.buttons[0].items[0].sub.items[0].label, '');
  // Huge numbers are clamped.
  w = run({ Misc: '1,1,-0,', 'MStyle-0': '0,0,0,0,-99999999999,99999999999,99999999999,-5,0,2147483647',
    'I0-0': ',,,,,,,,' }, 3, ['99999999999', '-3']);
  assert.deepEqual([w.width, w.height, w.buttons[0].x, w.buttons[0].y, w.buttons[0].w, w.buttons[0].h],
    [4096, 0, -65536, 65536, 4096, 0]);
  // A 5 MB value claiming a million menus: the parameters present bound what is read.
  const big = '2000000,' + '1,'.repeat(2000000) + '-0,'.repeat(500000);
  assert.ok(big.length > 5e6);
  assert.equal(run({ Misc: big, ...one }).buttons.length, 0);
  w = run({ Misc: '1,1,-0,', 'I0-0': 'x'.repeat(5e6) });
  assert.equal(w.buttons[0].items[0].label.length, 5e6);
  // A chain 100,000 menus deep is cut where the library cuts it; the item cap holds.
  const n = 100000;
  const chain = [n + ',', '1,'.repeat(n), '-0,'];
  for (let i = 0; i < n - 1; i++) chain.push(i + '-' + (i + 1) + ',');
  w = run({ Misc: chain.join('') }, 2 * n);
  let depth = 0;
  for (let m = w.buttons[0]; m.items[0].sub; m = m.items[0].sub) depth++;
  assert.equal(depth, Q.LIMITS.depth - 1);
  w = run({ Misc: '1,' + (10 * Q.LIMITS.items) + ',-0,' }, 10 * Q.LIMITS.items);
  assert.equal(w.buttons[0].items.length, Q.LIMITS.items);

  // Painting a huge border costs no more than a large one.
  const pic = new Q.Picture(50, 40);
  const t = Date.now();
  Q.drawBorder(pic, { x0: 0, y0: 0, x1: 50, y1: 40 }, { left: 0, top: 0, right: 50, bottom: 40 }, 0x808080, 2147483647, 4);
  Q.drawBorder(pic, { x0: 0, y0: 0, x1: 50, y1: 40 }, { left: -9e5, top: 0, right: 9e5, bottom: 40 }, 0, 2147483647, 6);
  assert.ok(Date.now() - t < 1000);
});

test('items whose fields hold commas', () => {
  assert.deepEqual(Q.parseItem('L~@^`1|_#`2,d,a.gif,,,,,_blank,http://x/a,b'), {
    label: 'L,1\r\n2', description: 'd', images: ['a.gif', '', ''], sounds: ['', ''], target: '_blank',
    link: 'http://x/a,b', sub: null });
  const it = Q.parseItem('L,one, two,a.gif,,,s.au,,_self,p.htm');
  assert.deepEqual([it.description, it.images[0], it.sounds[0], it.target, it.link], ['one, two', 'a.gif', 's.au', '_self', 'p.htm']);
  assert.deepEqual(Q.parsePair('16'), [1, 6]);
  assert.deepEqual(Q.parsePair('-12x'), [-12, 0]);
  assert.equal(Q.parseColour('a8a6ec'), rgb(0xa8, 0xa6, 0xec));
  assert.equal(Q.parseColour('a8a6e'), 0);
  assert.equal(Q.parseNumber(' -12ab'), -12);
  assert.equal(Q.parseNumber('99999999999'), 2147483647);
  assert.equal(Q.fontPixels(14), 15);
  assert.equal(Q.fontPixels(3), 0);
});
