// The widgets the tests use, as descriptions for writeQwd.
import { button, item, menu, rgb, style } from './widgets.mjs';

// Faces only: no labels, no hints; every background style, border style and a range of
// thicknesses (up to more than half a button) over a gradient panel with a bevel border.
// The buttons do not overlap, so each can be hovered and pressed alone.
export function faceWidget() {
  const thick = [0, 1, 2, 3, 5, 8, 15, 40];
  const buttons = thick.map((t, i) => {
    const styles = [0, 1, 2].map((s) => style({
      back: rgb(20 + 30 * i, 200 - 20 * s, 90 + 10 * i), fade: rgb(250 - 25 * i, 40 * s, 200),
      border: rgb(250, 10 * i, 5 + 120 * s), backStyle: (i + s) % 6, borderStyle: (2 * i + s) % 7,
    }));
    const x = 12 + (i % 2) * 100;
    const y = 12 + Math.floor(i / 2) * 40;
    return menu({ x, y, w: 90 - (i % 3), h: 30 + (i % 2), thick: t, styles, items: [item({ label: '' })] });
  });
  return { width: 214, height: 176, back: rgb(200, 220, 240), fade: rgb(40, 60, 90), backStyle: 4, borderStyle: 5,
    borderThick: 7, border: rgb(120, 130, 250), buttons };
}

// Overlapping buttons, transparent faces over others and the panel's edge: for the whole
// picture only.
export function overlapWidget() {
  const w = faceWidget();
  w.buttons[1].x = 60;
  w.buttons[1].y = 20;
  w.buttons[3].x = 190;   // reaches past the panel's right edge
  w.backStyle = 3;
  w.borderStyle = 6;
  w.borderThick = 9;
  return w;
}

const linkStyle = (over) => style({ back: rgb(40, 60, 120), fade: rgb(120, 160, 230), font: rgb(255, 255, 255),
  backStyle: 2, borderStyle: 1, fontName: 1, fontSize: 13, textAlign: 1, ...over });

// A menu bar: three buttons with labels; the first links away in a new window and has a
// one-line hint; the second opens a drop-down of four items (one hidden), whose second item
// opens a sub-menu two levels deep; the third has a hint that describes it.
export function menuWidget(files = {}) {
  const dropStyles = [linkStyle({ backStyle: 1, textAlign: 0, fontSize: 12 }),
    linkStyle({ backStyle: 1, back: rgb(250, 220, 120), font: rgb(20, 20, 20), textAlign: 0, fontSize: 12 }),
    linkStyle({ backStyle: 1, back: rgb(200, 40, 40), textAlign: 0, fontSize: 12 })];
  const drop = (x, y, items) => menu({ x, y, w: 110, h: 22, thick: 1, styles: dropStyles.map((s) => ({ ...s })), items });
  const deepest = drop(110, 0, [item({ label: 'Deepest', link: 'deepest.htm' })]);
  const deeper = drop(110, 0, [item({ label: 'Deeper', sub: deepest }), item({ label: 'Deeper link', link: 'deeper.htm' })]);
  const products = drop(0, 26, [
    item({ label: 'Catalogue', link: 'catalogue.htm?a=1&b=2', target: '_self' }),
    item({ label: 'More', sub: deeper }),
    item({ label: 'Hidden', link: 'hidden.htm', visible: 0 }),
    item({ label: 'Prices, 2024', link: 'prices.htm', target: 'prices' }),
  ]);
  const styles = [linkStyle({}), linkStyle({ backStyle: 3, font: rgb(255, 255, 0) }), linkStyle({ backStyle: 5, borderStyle: 2 })];
  const withStyles = (m) => { m.styles = styles.map((s) => ({ ...s })); return m; };
  const home = withStyles(button(10, 10, 100, 26, {}, 'Back to the start page'));
  Object.assign(home.items[0], { label: 'Home', link: 'home.htm', target: '_blank', sounds: [files.over || '', files.click || ''],
    images: [files.image || '', files.imageOver || '', ''] });
  Object.assign(home.items[0].sub, { x: 15, y: 28, w: 150 });
  const prod = withStyles(menu({ x: 120, y: 10, w: 100, h: 26, items: [item({ label: 'Products', sub: products })] }));
  const about = withStyles(button(230, 10, 100, 26, {}, 'Who we are'));
  about.items[0].label = 'About\r\nus';
  about.h = 36;
  Object.assign(about.items[0].sub, { x: 0, y: 38, w: 100 });
  return { width: 360, height: 48, back: rgb(230, 230, 240), backStyle: 1, borderStyle: 0, borderThick: 0, buttons: [home, prod, about] };
}
