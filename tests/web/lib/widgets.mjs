// Widget files (*.qwd) written from short descriptions, in the configuration form that the
// library reads. The tests never write the HTML form themselves: the library makes it.
import fs from 'node:fs';
import path from 'node:path';

export const LINE_BREAK_ESCAPE = '|_#`';
export const COMMA_ESCAPE = '~@^`';

// Colours as the model keeps them: red in the low byte.
export const rgb = (r, g, b) => r | (g << 8) | (b << 16);

export function style(over = {}) {
  return {
    back: rgb(0x80, 0x40, 0x40), font: 0, backStyle: 3, effect: 0, fontName: 0, fontSize: 14, fontStyle: 0,
    imageAlign: 0, textAlign: 0, imageOffset: 0, textOffset: 0, border: rgb(0x8c, 0x6f, 0x42), borderStyle: 1,
    fade: rgb(0xff, 0xff, 0x80), ...over,
  };
}

export function menu(over = {}) {
  return { x: 40, y: 15, w: 80, h: 20, thick: 6, visible: 1, styles: [style(), style(), style()], items: [], ...over };
}

export function item(over = {}) {
  return { label: 'Button', description: '', link: '', target: '', images: ['', '', ''], sounds: ['', ''],
    webs: ['', '', '', '', ''], visible: 1, sub: null, ...over };
}

// A button as the editor makes one: its item, and a yellow one-item hint at (15, 10).
export function button(x, y, w, h, over = {}, hint = 'Hint') {
  const hintStyle = style({ back: rgb(255, 255, 0), font: 0, border: 0, backStyle: 1, borderStyle: 1, textAlign: 1 });
  const sub = hint === null ? null
    : menu({ x: 15, y: 10, w: 30, h: 20, thick: 1, styles: [hintStyle, { ...hintStyle }, { ...hintStyle }],
      items: [item({ label: hint })] });
  return menu({ x, y, w, h, items: [item({ sub, ...(over.item || {}) })], ...over, item: undefined });
}

function escapeLabel(label) {
  return label.split('\r\n').join(LINE_BREAK_ESCAPE).split(',').join(COMMA_ESCAPE);
}

// The configuration form of a widget: {name: value}.
export function parameters(widget) {
  const w = {
    name: 'GlimButton', align: 0, width: 105, height: 215, back: rgb(0xa8, 0xa6, 0xec), fade: rgb(0x79, 0x76, 0xe2),
    image: '', imageMode: 0, imageX: 0, imageY: 0, sound: '', backStyle: 1, borderStyle: 6, borderThick: 10,
    border: rgb(0xa8, 0xa6, 0xec), imageWeb: '', soundWeb: '', classWeb: '', progressBar: 1,
    message: 'Loading image ...', buttons: [], ...widget,
  };
  const p = {
    Version: '1.0',
    WindowPosition: '95,221,111,159,217,221',
    ApStyle: [w.name, w.align, w.width, w.height, w.back, w.fade, w.image, w.imageMode, w.imageX, w.imageY, w.sound,
      w.backStyle, w.borderStyle, w.borderThick, w.border, w.imageWeb, w.soundWeb, w.classWeb, w.progressBar,
      w.message].join(','),
  };
  const counts = [];
  const flat = [];   // sub-menu number of every item, by flat position
  let counter = 0;
  const write = (m) => {
    const n = counter++;
    counts.push(m.items.length);
    p['MStyle-' + n] = [0, 0, 0, 0, m.x, m.y, m.w, m.h, 5, m.thick, 0, 0, 0, m.name || 'GlimButton', m.visible].join(',');
    p['IStyle-' + n] = m.styles.map((s) => [s.back, s.font, s.backStyle, s.effect, s.fontName, s.fontSize,
      s.fontStyle, s.imageAlign, s.textAlign, s.imageOffset, s.textOffset, s.border, s.borderStyle, s.fade]
      .map((v) => v + ',').join('')).join('');
    const first = flat.length;
    m.items.forEach((it, k) => {
      flat.push(-1);
      p['I' + n + '-' + (k + 1)] = [escapeLabel(it.label), it.description, it.link, it.target, ...it.images,
        ...it.sounds, it.visible, ...it.webs].join(',');
    });
    m.items.forEach((it, k) => {
      flat[first + k] = counter;
      write(it.sub || menu());
    });
    return n;
  };
  const top = w.buttons.map(write);
  p.Misc = counter + ',' + counts.map((c) => c + ',').join('') + top.map((n) => '-' + n + ',').join('') +
    flat.map((m, i) => i + '-' + m + ',').join('');
  return p;
}

export function qwdText(widget, description = {}) {
  const lines = ['========== Description Part Begin ==========',
    'ProgID = SnippoServer.GlimButton'];
  for (const [k, v] of Object.entries(description)) lines.push(k + ' = ' + v);
  lines.push('========== Description Part End ==========', '', '========== Parameter Part Begin ==========');
  for (const [k, v] of Object.entries(parameters(widget))) lines.push(k + ' = ' + v);
  lines.push('========== Parameter Part End ==========', '');
  return lines.join('\r\n') + '\r\n';
}

export function writeQwd(file, widget, description = {}) {
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, qwdText(widget, description), 'utf8');
  return file;
}
