/*
 * qlnbtn.js: the menu-button widget in current browsers.
 *
 * Pages made with Tessaly GlimButton embed the widget as an `applet` tag (code
 * "qlnbtn.class") with `param` children. Browsers no longer run applets; this script finds
 * those tags, reads the same parameters and puts a live widget in their place: button faces
 * painted on canvas with the layout editor's own arithmetic, text and structure in the DOM
 * (a `nav` of nested lists, links and buttons, in the disclosure-navigation pattern), menus
 * nested to any depth, sounds and links.
 *
 * Plain ES2020, no dependencies, no network access of its own beyond the widget's images and
 * sounds. It runs on DOMContentLoaded; `QlnBtn.upgrade(root)` upgrades what has been added
 * since. Nothing it meets in a page makes it throw: bad parameters show what they can.
 */
(function (global) {
  'use strict';

  // ---------------------------------------------------------------- limits -------------
  // Work is bounded by the parameters' own size, as the library's reader bounds it, and
  // by these caps on what is built.
  const LIMITS = Object.freeze({
    side: 4096,           // applet and menu sides, pixels
    coord: 65536,         // menu offsets, pixels
    items: 20000,         // items shown per widget
    depth: 256,           // menu levels below a button (the library cuts there too)
    fontPx: 400,
    text: 4096,           // characters of a label laid out
    backingPixels: 16 * 1024 * 1024,
    graceMs: 400,         // a menu stays this long after the pointer leaves it
    soundBytes: 16 * 1024 * 1024,
  });

  // ---------------------------------------------------------------- text fields --------
  const LINE_BREAK_ESCAPE = '|_#`';
  const COMMA_ESCAPE = '~@^`';

  // A decimal number as the library reads one: leading blanks, a sign, digits; anything
  // else ends it; no digits read 0; values beyond 32 bits are clamped.
  function parseNumber(text) {
    if (typeof text !== 'string') return 0;
    const c = text.charCodeAt(0);
    let v;
    if ((c >= 48 && c <= 57) || c === 43 || c === 45) {
      v = parseInt(text, 10);   // the common case, and the fast one
    } else {
      // Only these blanks may come first (parseInt would skip others too).
      let i = 0;
      while (i < text.length && ' \t\r\n'.includes(text[i])) i++;
      const d = text.charCodeAt(i);
      v = i > 0 && ((d >= 48 && d <= 57) || d === 43 || d === 45) ? parseInt(text.slice(i), 10) : 0;
    }
    return (v !== v ? 0 : v > 2147483647 ? 2147483647 : v < -2147483648 ? -2147483648 : v) | 0;
  }

  function clamp(v, lo, hi) {
    return v < lo ? lo : v > hi ? hi : v;
  }

  // Labels travel with commas and line breaks escaped.
  function unescapeLabel(text) {
    return text.split(COMMA_ESCAPE).join(',').split(LINE_BREAK_ESCAPE).join('\r\n');
  }

  // Six hexadecimal digits, red first, as a colour with red in the low byte.
  function parseColour(text) {
    if (typeof text !== 'string' || !/^[0-9a-fA-F]{6}$/.test(text)) return 0;
    const v = parseInt(text, 16);
    return ((v >> 16) & 0xff) | (v & 0xff00) | ((v & 0xff) << 16);
  }

  // Two numbers written back to back ("%d%d"); the second is always one digit.
  function parsePair(text) {
    if (typeof text !== 'string' || text.length === 0) return [0, 0];
    const last = text.charCodeAt(text.length - 1) - 48;
    return [parseNumber(text.slice(0, -1)), last >= 0 && last <= 9 ? last : 0];
  }

  function field(fields, k) {
    return k < fields.length ? fields[k] : '';
  }

  // ---------------------------------------------------------------- parameters ---------
  function defaultStyle(state) {
    return {
      back: 0x404080, fade: 0x80ffff, font: state === 1 ? 0xffffff : 0, border: 0x426f8c,
      backStyle: [3, 2, 5][state], borderStyle: [1, 2, 4][state],
      effect: 0, fontName: 0, fontSize: 14, fontStyle: 0,
      textAlign: 0, textOffset: 0, imageAlign: 0, imageOffset: 0,
    };
  }

  function parseApStyle(value) {
    const w = {
      back: 0xeca6a8, fade: 0xe27679, image: '', imageMode: 0, imageX: 0, imageY: 0, sound: '',
      backStyle: 1, borderStyle: 6, borderThick: 10, border: 0xeca6a8, progressBar: 1,
      message: 'Loading image ...',
    };
    if (typeof value !== 'string') return w;
    const f = value.split(',');
    w.back = parseColour(field(f, 0));
    w.fade = parseColour(field(f, 1));
    w.image = field(f, 2);
    w.imageMode = parseNumber(field(f, 3));
    w.imageX = clamp(parseNumber(field(f, 4)), -LIMITS.coord, LIMITS.coord);
    w.imageY = clamp(parseNumber(field(f, 5)), -LIMITS.coord, LIMITS.coord);
    w.sound = field(f, 6);
    [w.backStyle, w.borderStyle] = parsePair(field(f, 7));
    w.borderThick = parseNumber(field(f, 8));
    w.border = parseColour(field(f, 9));
    w.progressBar = parseNumber(field(f, 10));
    // The message is written last and as it is: it keeps any commas.
    w.message = f.length > 11 ? f.slice(11).join(',') : '';
    return w;
  }

  function parseMenuStyle(value) {
    const f = (typeof value === 'string' ? value : '0,00,0,0,40,15,80,20,5,6,0,0,0').split(',');
    return {
      x: clamp(parseNumber(field(f, 4)), -LIMITS.coord, LIMITS.coord),
      y: clamp(parseNumber(field(f, 5)), -LIMITS.coord, LIMITS.coord),
      w: clamp(parseNumber(field(f, 6)), 0, LIMITS.side),
      h: clamp(parseNumber(field(f, 7)), 0, LIMITS.side),
      borderThick: parseNumber(field(f, 9)),
    };
  }

  function parseItemStyles(value) {
    if (typeof value !== 'string') return [defaultStyle(0), defaultStyle(1), defaultStyle(2)];
    const f = value.split(',');
    const styles = [];
    for (let s = 0; s < 3; s++) {
      const b = s * 14;
      const [backStyle, borderStyle] = parsePair(field(f, b + 2));
      const [imageAlign, textAlign] = parsePair(field(f, b + 7));
      styles.push({
        back: parseColour(field(f, b)), font: parseColour(field(f, b + 1)),
        backStyle, borderStyle,
        effect: parseNumber(field(f, b + 3)),
        fontName: parseNumber(field(f, b + 4)),
        fontSize: parseNumber(field(f, b + 5)),
        fontStyle: parseNumber(field(f, b + 6)),
        imageAlign, textAlign,
        imageOffset: clamp(parseNumber(field(f, b + 8)), -LIMITS.coord, LIMITS.coord),
        textOffset: clamp(parseNumber(field(f, b + 9)), -LIMITS.coord, LIMITS.coord),
        border: parseColour(field(f, b + 12)),
        fade: parseColour(field(f, b + 13)),
      });
    }
    return styles;
  }

  const TARGET_NAME = /^[A-Za-z_][A-Za-z0-9_-]*$/;
  const URL_FIELD = /^\S*$/;

  // "label,description,image normal,over,click,sound over,click,target,link". Only the label
  // is escaped: a comma in the description or in the link makes more fields than nine. The
  // target (never empty in this form) and the five addresses around it decide where the
  // description ends; the link keeps the rest.
  function parseItem(value) {
    const f = typeof value === 'string' ? value.split(',') : [];
    let t = 7;
    if (f.length > 9) {
      for (let c = 7; c <= f.length - 2; c++) {
        if (!TARGET_NAME.test(f[c])) continue;
        let urls = true;
        for (let u = c - 5; u < c; u++) if (!URL_FIELD.test(f[u])) urls = false;
        if (urls) { t = c; break; }
      }
    }
    return {
      label: unescapeLabel(field(f, 0)),
      description: t > 7 ? f.slice(1, t - 5).join(',') : field(f, 1),
      images: [field(f, t - 5), field(f, t - 4), field(f, t - 3)],
      sounds: [field(f, t - 2), field(f, t - 1)],
      target: field(f, t),
      link: f.length > t + 1 ? f.slice(t + 1).join(',') : '',
      sub: null,
    };
  }

  // The widget from its parameters. `get(name)` gives a parameter's value or undefined;
  // `paramCount` bounds the counts that Misc may claim (every menu and every item has its
  // own parameter line).
  function parseWidget(get, width, height, paramCount) {
    const widget = parseApStyle(get('ApStyle'));
    widget.width = clamp(parseNumber(width), 0, LIMITS.side);
    widget.height = clamp(parseNumber(height), 0, LIMITS.side);
    widget.buttons = [];
    const miscText = get('Misc');
    if (typeof miscText !== 'string' || miscText === '') return widget;
    const misc = miscText.split(',');
    const budget = Math.max(0, paramCount | 0);

    const menuCount = Math.min(Math.max(0, parseNumber(misc[0])), misc.length - 1, budget);
    const counts = new Array(menuCount);
    const first = new Array(menuCount);
    let itemTotal = 0;
    let itemBudget = budget;
    for (let j = 0; j < menuCount; j++) {
      const c = Math.min(Math.max(0, parseNumber(misc[j + 1])), itemBudget);
      itemBudget -= c;
      counts[j] = c;
      first[j] = itemTotal;
      itemTotal += c;
    }
    const itemMenu = new Int32Array(itemTotal);
    for (let j = 0; j < menuCount; j++) itemMenu.fill(j, first[j], first[j] + counts[j]);

    // Links as the library's reader takes them: each menu linked once, never below itself.
    const root = new Int32Array(menuCount);
    for (let j = 0; j < menuCount; j++) root[j] = j;
    const findRoot = (m) => {
      while (root[m] !== m) { root[m] = root[root[m]]; m = root[m]; }
      return m;
    };
    const position = (text, size) => {
      const v = parseNumber(text);
      return v >= 0 && v < size ? v : -1;
    };
    const linked = new Uint8Array(menuCount);
    const subOf = new Int32Array(itemTotal).fill(-1);
    const topLevel = [];
    const linkEnd = Math.min(misc.length, 2 * menuCount + 1);
    for (let f = menuCount + 1; f < linkEnd; f++) {
      const parts = misc[f].split('-');
      if (parts[0] === '') continue;
      const i = position(parts[0], itemTotal);
      const m = parts.length > 1 ? position(parts[1], menuCount) : -1;
      if (i < 0 || m < 0 || subOf[i] !== -1 || linked[m]) continue;
      const owner = findRoot(itemMenu[i]);
      if (owner === m) continue;
      subOf[i] = m;
      linked[m] = 1;
      root[m] = owner;
    }
    for (let f = menuCount + 1; f < linkEnd; f++) {
      const parts = misc[f].split('-');
      if (parts[0] !== '') continue;
      const m = parts.length > 1 ? position(parts[1], menuCount) : -1;
      if (m < 0 || linked[m]) continue;
      linked[m] = 1;
      topLevel.push(m);
    }

    // A menu is read when it is first asked for: the buttons at once, the menus below them
    // as the page shows them. `hasSub` tells beforehand whether an item's menu has items.
    // Menus of one kind share their style values: each distinct value is read once, and
    // the three states it gives are shared (and never changed).
    let shown = 0;
    const styles = new Map();
    const build = (j, depth) => {
      const menu = parseMenuStyle(get('MStyle-' + j));
      const value = get('IStyle-' + j);
      menu.styles = styles.get(value);
      if (!menu.styles) styles.set(value, (menu.styles = parseItemStyles(value)));
      menu.items = [];
      menu.depth = depth;
      menu.number = j;
      const n = Math.min(counts[j], LIMITS.items - shown);
      shown += n;
      for (let k = 0; k < n; k++) {
        const item = parseItem(get('I' + j + '-' + k));
        const s = subOf[first[j] + k];
        item.hasSub = s >= 0 && counts[s] > 0 && depth + 1 < LIMITS.depth;
        if (item.hasSub) laterSub(item, s, depth + 1);
        menu.items.push(item);
      }
      return menu;
    };
    const laterSub = (item, s, depth) => {
      let sub;
      Object.defineProperty(item, 'sub', {
        enumerable: true,
        configurable: true,
        get() {
          if (sub === undefined) sub = shown < LIMITS.items ? build(s, depth) : null;
          return sub;
        },
      });
    };
    for (const m of topLevel) {
      if (shown >= LIMITS.items) break;
      widget.buttons.push(build(m, 0));
    }
    return widget;
  }

  // ---------------------------------------------------------------- painting -----------
  // A picture of 32-bit pixels (RGBA bytes in memory: red in the low byte, as colours are
  // kept); 0 is transparent. Every shape is a solid rectangle, so painting is exact.
  class Picture {
    constructor(width, height) {
      this.width = width;
      this.height = height;
      this.pixels = new Uint32Array(width * height);
    }
    // A w x h block at (x, y) inside `clip` ({x0, y0, x1, y1}, within the picture).
    fill(x, y, w, h, colour, clip) {
      const x0 = Math.max(x, clip.x0);
      const y0 = Math.max(y, clip.y0);
      const x1 = Math.min(x + w, clip.x1);
      const y1 = Math.min(y + h, clip.y1);
      if (x0 >= x1 || y0 >= y1) return;
      const v = (colour & 0xffffff) | 0xff000000;
      const px = this.pixels;
      const stride = this.width;
      if (x1 - x0 < 16) {
        // Columns and short lines: a call to fill costs more than the pixels.
        for (let row = y0; row < y1; row++)
          for (let i = row * stride + x0, e = row * stride + x1; i < e; i++) px[i] = v;
      } else {
        for (let row = y0; row < y1; row++) px.fill(v, row * stride + x0, row * stride + x1);
      }
    }
    clear(clip) {
      for (let row = clip.y0; row < clip.y1; row++)
        this.pixels.fill(0, row * this.width + clip.x0, row * this.width + clip.x1);
    }
  }

  function intersect(a, b) {
    return { x0: Math.max(a.x0, b.x0), y0: Math.max(a.y0, b.y0), x1: Math.min(a.x1, b.x1), y1: Math.min(a.y1, b.y1) };
  }
  function isEmpty(r) {
    return r.x0 >= r.x1 || r.y0 >= r.y1;
  }

  function channel(c, shift) {
    return (c >> shift) & 0xff;
  }
  function adjust(c, amount) {
    const ch = (s) => clamp(channel(c, s) + amount, 0, 255);
    return ch(0) | (ch(8) << 8) | (ch(16) << 16);
  }

  // One-pixel lines that exclude their end point, in either direction.
  function hLine(pic, clip, y, x1, x2, c) {
    if (x2 > x1) pic.fill(x1, y, x2 - x1, 1, c, clip);
    else if (x2 < x1) pic.fill(x2 + 1, y, x1 - x2, 1, c, clip);
  }
  function vLine(pic, clip, x, y1, y2, c) {
    if (y2 > y1) pic.fill(x, y1, 1, y2 - y1, c, clip);
    else if (y2 < y1) pic.fill(x, y2 + 1, 1, y1 - y2, c, clip);
  }

  // Lines stepping from c1 to c2 over the rectangle {left, top, right, bottom}: horizontal
  // lines from the top down or vertical lines from the left; mirrored, from both edges in.
  function gradientFill(pic, clip, r, c1, c2, horizontal, mirrored) {
    const extent = horizontal ? r.bottom - r.top : r.right - r.left;
    const n = mirrored ? Math.trunc((extent + 1) / 2) : extent;
    if (n <= 0) return;
    const r1 = channel(c1, 0), g1 = channel(c1, 8), b1 = channel(c1, 16);
    const r2 = channel(c2, 0), g2 = channel(c2, 8), b2 = channel(c2, 16);
    const rs = (r2 - r1) / n, gs = (g2 - g1) / n, bs = (b2 - b1) / n;
    // Each channel truncated toward zero and never past the second colour.
    const at = (from, to, step, i) => {
      const x = Math.trunc(from + i * step);
      return from <= to ? Math.min(x, to) : Math.max(x, to);
    };
    // Lines past the clip paint nothing: start and stop where they stop mattering.
    let lo = 0;
    let hi = n;
    if (!mirrored) {
      const a = horizontal ? clip.y0 - r.top : clip.x0 - r.left;
      const b = horizontal ? clip.y1 - r.top : clip.x1 - r.left;
      lo = clamp(a, 0, n);
      hi = clamp(b, 0, n);
    }
    for (let i = lo; i < hi; i++) {
      const c = at(r1, r2, rs, i) | (at(g1, g2, gs, i) << 8) | (at(b1, b2, bs, i) << 16);
      if (horizontal) {
        hLine(pic, clip, r.top + i, r.left, r.right, c);
        if (mirrored) hLine(pic, clip, r.bottom - 1 - i, r.left, r.right, c);
      } else {
        vLine(pic, clip, r.left + i, r.top, r.bottom, c);
        if (mirrored) vLine(pic, clip, r.right - 1 - i, r.top, r.bottom, c);
      }
    }
  }

  // Background styles: 1 solid, 2 top-to-bottom gradient, 3 the same mirrored, 4 left-to-
  // right gradient, 5 the same mirrored; anything else leaves what lies beneath.
  function fillBackground(pic, clip, r, back, fade, style) {
    switch (style) {
      case 1: gradientFill(pic, clip, r, back, back, true, false); break;
      case 2: gradientFill(pic, clip, r, back, fade, true, false); break;
      case 3: gradientFill(pic, clip, r, back, fade, true, true); break;
      case 4: gradientFill(pic, clip, r, back, fade, false, false); break;
      case 5: gradientFill(pic, clip, r, back, fade, false, true); break;
      default: break;
    }
  }

  function ring(pic, clip, r, j, topLeft, bottomRight) {
    const l = r.left + j;
    const t = r.top + j;
    const rr = r.right - 1 - j;
    const b = r.bottom - 1 - j;
    hLine(pic, clip, t, l, rr, topLeft);
    vLine(pic, clip, l, t, b, topLeft);
    hLine(pic, clip, b, l, rr, bottomRight);
    vLine(pic, clip, rr, t, b, bottomRight);
    pic.fill(rr, b, 1, 1, bottomRight, clip);
  }

  // `f` concentric bevel rings, styles 1..6, as the editor draws them. Rings further in than
  // the rectangle is large paint nothing, and a ring paints only along its own two rows and
  // two columns: rings that miss the clip are skipped before their colours are worked out,
  // so a huge thickness costs no more than a large one.
  function drawBorder(pic, clip, r, colour, f, style) {
    if (f <= 0 || style < 1 || style > 6) return;
    const lim = Math.min(f, Math.max(r.right - r.left, r.bottom - r.top) + 1);
    const g = Math.trunc(f / 2);
    const touches = (j) => {
      const t = r.top + j, b = r.bottom - 1 - j, l = r.left + j, rr = r.right - 1 - j;
      return (t >= clip.y0 && t < clip.y1) || (b >= clip.y0 && b < clip.y1) ||
        (l >= clip.x0 && l < clip.x1) || (rr >= clip.x0 && rr < clip.x1);
    };
    const raised = (j, k) => touches(j) && ring(pic, clip, r, j, adjust(colour, k), adjust(colour, -k));
    const sunken = (j, k) => touches(j) && ring(pic, clip, r, j, adjust(colour, -k), adjust(colour, k));
    let j;
    switch (style) {
      case 1: for (j = 0; j < lim; j++) raised(j, 10 * j); break;
      case 2: for (j = 0; j < lim; j++) sunken(j, 10 * j); break;
      case 3: for (j = lim - 1; j >= 0; j--) raised(j, 15 * (f - 1 - j)); break;
      case 4: for (j = lim - 1; j >= 0; j--) sunken(j, 15 * (f - 1 - j)); break;
      case 5:
        for (j = Math.min(g, lim) - 1; j >= 0; j--) raised(j, 15 * (g - 1 - j));
        for (j = g; j < lim; j++) sunken(j, 15 * (j - g));
        break;
      case 6:
        for (j = Math.min(g, lim) - 1; j >= 0; j--) raised(j, 15 * (g - 1 - j));
        for (j = lim - 1; j >= g; j--) raised(j, 15 * (f - 1 - j));
        break;
    }
  }

  // One item's face (no label: labels are text in the page) in the state's style.
  function paintFace(pic, clip, r, menu, state) {
    const area = intersect(clip, { x0: r.left, y0: r.top, x1: r.right, y1: r.bottom });
    if (isEmpty(area)) return;
    const s = menu.styles[state - 1];
    fillBackground(pic, area, r, s.back, s.fade, s.backStyle);
    drawBorder(pic, area, r, s.border, menu.borderThick, s.borderStyle);
  }

  // The box of item k of a menu, relative to the menu's origin: items stand one below the
  // other, each as large as the menu says.
  function itemBox(menu, k) {
    return { left: 0, top: k * menu.h, right: menu.w, bottom: (k + 1) * menu.h };
  }
  function offsetBox(b, dx, dy) {
    return { left: b.left + dx, top: b.top + dy, right: b.right + dx, bottom: b.bottom + dy };
  }

  // The applet panel in `clip`: its background and border, then every button face, back to
  // front. `stateOf(menu, k)` tells the state (1..3) of item k of a button.
  function paintPanel(pic, clip, widget, stateOf) {
    const panel = { left: 0, top: 0, right: widget.width, bottom: widget.height };
    fillBackground(pic, clip, panel, widget.back, widget.fade, widget.backStyle);
    drawBorder(pic, clip, panel, widget.border, widget.borderThick, widget.borderStyle);
    for (const menu of widget.buttons)
      for (let k = 0; k < menu.items.length; k++)
        paintFace(pic, clip, offsetBox(itemBox(menu, k), menu.x, menu.y), menu, stateOf(menu, k));
  }

  // ---------------------------------------------------------------- sounds -------------
  // Sun/NeXT audio: ".snd", data offset, data size, encoding, sample rate, channels (all
  // big-endian 32-bit). Encodings 1 (8-bit mu-law), 2 (8-bit linear) and 3 (16-bit linear).
  // Returns {sampleRate, channels: [Float32Array, ...]} or null.
  function decodeAu(bytes) {
    if (!(bytes instanceof Uint8Array) || bytes.length < 24) return null;
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    if (view.getUint32(0) !== 0x2e736e64) return null;
    const offset = view.getUint32(4);
    let size = view.getUint32(8);
    const encoding = view.getUint32(12);
    const rate = view.getUint32(16);
    const count = view.getUint32(20);
    if (offset < 24 || offset > bytes.length || count < 1 || count > 32 || rate < 1 || rate > 768000) return null;
    const width = encoding === 1 || encoding === 2 ? 1 : encoding === 3 ? 2 : 0;
    if (!width) return null;
    size = Math.min(size, bytes.length - offset);   // 0xffffffff: to the end
    const frames = Math.floor(size / (width * count));
    if (frames < 1) return null;
    const channels = [];
    for (let c = 0; c < count; c++) channels.push(new Float32Array(frames));
    let p = offset;
    for (let i = 0; i < frames; i++) {
      for (let c = 0; c < count; c++) {
        let v;
        if (encoding === 1) v = MU_LAW[bytes[p]] / 32768;
        else if (encoding === 2) v = view.getInt8(p) / 128;
        else v = view.getInt16(p) / 32768;
        channels[c][i] = v;
        p += width;
      }
    }
    return { sampleRate: rate, channels };
  }

  const MU_LAW = (() => {
    const t = new Int16Array(256);
    for (let b = 0; b < 256; b++) {
      const u = ~b & 0xff;
      const exponent = (u >> 4) & 7;
      const magnitude = ((((u & 0x0f) << 3) + 0x84) << exponent) - 0x84;
      t[b] = u & 0x80 ? -magnitude : magnitude;
    }
    return t;
  })();

  // Sounds wait for the visitor's first click or key press, as browsers require; before it
  // nothing is played or fetched. Failures of any kind are silent.
  const sound = {
    unlocked: false,
    context: null,
    buffers: new Map(),
    unlock() {
      if (sound.unlocked) return;
      sound.unlocked = true;
      try {
        const Context = global.AudioContext || global.webkitAudioContext;
        if (Context) sound.context = new Context();
      } catch (e) {
        sound.context = null;
      }
    },
    play(url) {
      if (!url || !sound.unlocked) return;
      try {
        if (/\.au$/i.test(url.split(/[?#]/)[0]) && sound.context) sound.playAu(url);
        else sound.playElement(url);
      } catch (e) { /* nothing to play */ }
    },
    playElement(url) {
      const a = new global.Audio(url);
      const p = a.play();
      if (p && p.catch) p.catch(() => {});
    },
    playAu(url) {
      let pending = sound.buffers.get(url);
      if (!pending) {
        if (sound.buffers.size >= 64) sound.buffers.clear();
        pending = global.fetch(url)
          .then((r) => (r.ok ? r.arrayBuffer() : null))
          .then((data) => {
            if (!data || data.byteLength > LIMITS.soundBytes) return null;
            const au = decodeAu(new Uint8Array(data));
            if (!au) return null;
            const buffer = sound.context.createBuffer(au.channels.length, au.channels[0].length, au.sampleRate);
            au.channels.forEach((samples, c) => buffer.getChannelData(c).set(samples));
            return buffer;
          })
          .catch(() => null);
        sound.buffers.set(url, pending);
      }
      pending.then((buffer) => {
        if (!buffer) return;
        try {
          if (sound.context.state === 'suspended') sound.context.resume().catch(() => {});
          const source = sound.context.createBufferSource();
          source.buffer = buffer;
          source.connect(sound.context.destination);
          source.start();
        } catch (e) { /* nothing to play */ }
      });
    },
  };

  // ---------------------------------------------------------------- the live widget ----
  const CSS = `
.qlnbtn{position:relative;display:inline-block;box-sizing:border-box;margin:0;padding:0;text-align:left;
  line-height:normal;white-space:normal;font-size:16px}
.qlnbtn ul{list-style:none;margin:0;padding:0}
.qlnbtn li{position:absolute;margin:0;padding:0}
.qlnbtn li.qlnbtn-open{z-index:1}
.qlnbtn-face{position:absolute;left:0;top:0;pointer-events:none;image-rendering:pixelated}
.qlnbtn-back{position:absolute;left:0;top:0;pointer-events:none}
.qlnbtn-ctl{position:absolute;left:0;top:0;width:100%;height:100%;box-sizing:border-box;display:flex;
  align-items:center;margin:0;padding:0;border:0;border-radius:0;background:transparent;overflow:hidden;
  text-decoration:none;cursor:pointer;font:inherit;color:inherit;-webkit-appearance:none;appearance:none;
  -webkit-tap-highlight-color:transparent}
.qlnbtn-ctl:focus{outline:none}
.qlnbtn-ctl:focus-visible{outline:2px solid #000;outline-offset:-2px;box-shadow:inset 0 0 0 3px #fff}
.qlnbtn-label{flex:none;position:relative;white-space:pre;pointer-events:none}
.qlnbtn-img{position:absolute;top:50%;transform:translateY(-50%);pointer-events:none}
.qlnbtn-pop{position:absolute;left:0;top:0}
.qlnbtn-pop[hidden],.qlnbtn-img[hidden]{display:none}
@media (forced-colors:active){
  .qlnbtn-face,.qlnbtn-back{display:none}
  .qlnbtn-ctl{border:1px solid ButtonText;background:ButtonFace}
  .qlnbtn-label{text-shadow:none!important}
  .qlnbtn-ctl:focus-visible{outline-color:Highlight}
}
@media (prefers-reduced-motion:reduce){
  .qlnbtn,.qlnbtn *{transition:none!important;animation:none!important}
}`;

  function installStyles(doc) {
    if (doc.__qlnbtnStyled) return;
    doc.__qlnbtnStyled = true;
    addRules(doc, CSS);
  }

  // Rules in a sheet of their own: a constructed sheet where the document takes one (no
  // style element for a content security policy to refuse), else a style element.
  function addRules(doc, text) {
    try {
      const Sheet = doc.defaultView && doc.defaultView.CSSStyleSheet;
      if (Sheet && 'adoptedStyleSheets' in doc) {
        const sheet = new Sheet();
        sheet.replaceSync(text);
        doc.adoptedStyleSheets = [...doc.adoptedStyleSheets, sheet];
        return;
      }
    } catch (e) { /* fall back to an element */ }
    const style = doc.createElement('style');
    style.textContent = text;
    (doc.head || doc.documentElement).appendChild(style);
  }

  const FONT_FACES = ['"Times New Roman",Times,"Liberation Serif",serif', 'Arial,Helvetica,"Liberation Sans",sans-serif',
    'Courier,"Courier New","Liberation Mono",monospace'];

  // The label's pixel height as the editor asks for it: size - 3 points at 96 pixels per
  // inch, rounded; 0 means the default size.
  function fontPixels(size) {
    return Math.min(LIMITS.fontPx, Math.trunc((Math.abs(size * 10 - 30) * 96 + 360) / 720));
  }

  function textShadow(effect, s) {
    const c = colourCss(s.border);
    switch (effect) {
      case 1: return `-1px 0 ${c},1px 0 ${c},0 -1px ${c},0 1px ${c}`;
      case 2: return `-1px -1px ${colourCss(adjust(s.back, -80))},1px 1px ${colourCss(adjust(s.back, 80))}`;
      case 3: return `-1px -1px ${colourCss(adjust(s.back, 80))},1px 1px ${colourCss(adjust(s.back, -80))}`;
      case 4: return `2px 2px ${c}`;
      default: return '';
    }
  }

  function colourCss(c) {
    return '#' + (0x1000000 | ((c & 0xff) << 16) | (c & 0xff00) | ((c >> 16) & 0xff)).toString(16).slice(1);
  }

  function safeLink(link, doc) {
    if (!link) return '';
    try {
      const url = new URL(link, doc.baseURI);
      return /^(javascript|vbscript|data):$/i.test(url.protocol) ? '' : link;
    } catch (e) {
      return '';
    }
  }

  // A menu whose one item has no link only describes its owner: it shows like any menu but
  // is the owner's accessible description, and is no stop of its own when it leads nowhere.
  function describes(menu) {
    return !!menu && menu.items.length === 1 && !menu.items[0].link;
  }

  // A canvas that shows a Picture, its backing store in device pixels: each picture pixel
  // becomes a block of device pixels (nearest neighbour), so integer scales double exactly.
  class Surface {
    constructor(doc, width, height) {
      this.canvas = doc.createElement('canvas');
      this.canvas.className = 'qlnbtn-face';
      this.canvas.setAttribute('aria-hidden', 'true');
      // A menu as tall as a thousand items stays paintable: what lies past the picture
      // is left unpainted.
      const w = Math.min(width, LIMITS.side);
      this.picture = new Picture(w, Math.min(height, Math.floor(LIMITS.backingPixels / Math.max(1, w))));
      this.scale = 0;
      this.resize(doc);
    }
    resize(doc) {
      const w = this.picture.width;
      const h = this.picture.height;
      let scale = (doc.defaultView && doc.defaultView.devicePixelRatio) || 1;
      if (!(scale > 0) || w * h * scale * scale > LIMITS.backingPixels) scale = 1;
      if (scale === this.scale) return false;
      this.scale = scale;
      this.image = null;
      this.canvas.width = Math.max(1, Math.round(w * scale));
      this.canvas.height = Math.max(1, Math.round(h * scale));
      this.canvas.style.width = w + 'px';
      this.canvas.style.height = h + 'px';
      this.context = this.canvas.getContext('2d');
      return true;
    }
    // Copies the clip's pixels to the canvas. At scale 1 the picture's own memory is handed
    // over; at other scales each device pixel takes the picture pixel it falls in.
    show(clip) {
      const pic = this.picture;
      if (!this.context || isEmpty(clip)) return;
      const bw = this.canvas.width;
      const bh = this.canvas.height;
      if (bw === pic.width && bh === pic.height) {
        if (!this.image)
          this.image = new ImageData(new Uint8ClampedArray(pic.pixels.buffer, 0, bw * bh * 4), bw, bh);
        this.context.putImageData(this.image, 0, 0, clip.x0, clip.y0, clip.x1 - clip.x0, clip.y1 - clip.y0);
        return;
      }
      const X0 = Math.floor((clip.x0 * bw) / pic.width);
      const Y0 = Math.floor((clip.y0 * bh) / pic.height);
      const X1 = Math.min(bw, Math.ceil((clip.x1 * bw) / pic.width));
      const Y1 = Math.min(bh, Math.ceil((clip.y1 * bh) / pic.height));
      if (X0 >= X1 || Y0 >= Y1) return;
      const image = this.context.createImageData(X1 - X0, Y1 - Y0);
      const out = new Uint32Array(image.data.buffer);
      const src = pic.pixels;
      const cols = new Int32Array(X1 - X0);
      for (let X = X0; X < X1; X++) cols[X - X0] = Math.min(pic.width - 1, Math.floor(((X + 0.5) * pic.width) / bw));
      let o = 0;
      for (let Y = Y0; Y < Y1; Y++) {
        const row = Math.min(pic.height - 1, Math.floor(((Y + 0.5) * pic.height) / bh)) * pic.width;
        for (let i = 0; i < cols.length; i++) out[o++] = src[row + cols[i]];
      }
      this.context.putImageData(image, X0, Y0);
    }
  }

  let widgetCount = 0;

  // One widget: the model, its DOM, and the state of its items and menus.
  class Widget {
    constructor(doc, model, applet, index) {
      this.doc = doc;
      this.model = model;
      this.id = 'qlnbtn' + index;
      this.serial = 0;
      this.nodes = [];      // every item, in document order
      this.hover = [];      // items whose subtree holds the pointer, outermost first
      this.focusEl = null;  // the focused element inside the widget
      this.looks = new Map();   // a look's rule text: its class
      this.rules = [];          // rules not yet in a style sheet
      this.build(applet);
    }

    build(applet) {
      const doc = this.doc;
      const m = this.model;
      const nav = (this.nav = doc.createElement('nav'));
      nav.className = 'qlnbtn';
      nav.style.width = m.width + 'px';
      nav.style.height = m.height + 'px';
      const align = (applet.getAttribute('align') || 'baseline').toLowerCase();
      if (align === 'left' || align === 'right') nav.style.float = align;
      else nav.style.verticalAlign = { top: 'top', middle: 'middle', absmiddle: 'middle', bottom: 'bottom',
        texttop: 'text-top', absbottom: 'bottom' }[align] || 'baseline';
      nav.setAttribute('aria-label', applet.getAttribute('alt') || applet.getAttribute('name') ||
        (this.id === 'qlnbtn0' ? 'Menu buttons' : 'Menu buttons ' + this.id.slice(6)));

      this.panel = { surface: new Surface(doc, m.width, m.height), nodes: [], owner: null };
      nav.appendChild(this.panel.surface.canvas);
      if (m.image) nav.appendChild(this.backgroundImage());

      const list = doc.createElement('ul');
      nav.appendChild(list);
      // Every look a button can take, in one style sheet, before anything is shown.
      for (const menu of m.buttons) for (let state = 1; state <= 3; state++) this.lookClass(menu, state);
      this.flushRules();
      // The buttons now; their menus are built when first shown, or soon after loading.
      this.unbuilt = [];
      for (const menu of m.buttons)
        menu.items.forEach((item, k) => this.makeNode({ item, menu, k, list, container: this.panel }));
      this.paintPanel(null);
      this.listen();
      this.buildLater();
    }

    // Builds the menus not yet built a slice of time at a time, outermost first, so that
    // the whole tree of links soon stands in the page without holding up the first paint.
    buildLater() {
      let next = 0;   // building a menu queues the menus below it
      const step = guard(() => {
        const end = performance.now() + 8;
        while (next < this.unbuilt.length && performance.now() < end) this.buildPop(this.unbuilt[next++]);
        if (next < this.unbuilt.length) setTimeout(step, 0);
        else this.unbuilt = [];
      });
      if (this.unbuilt.length) setTimeout(step, 0);
    }

    backgroundImage() {
      const m = this.model;
      const div = this.doc.createElement('div');
      div.className = 'qlnbtn-back';
      div.setAttribute('aria-hidden', 'true');
      div.style.width = m.width + 'px';
      div.style.height = m.height + 'px';
      const url = m.image.replace(/["\\\n\r\f]/g, (c) => '\\' + c.charCodeAt(0).toString(16) + ' ');
      div.style.backgroundImage = `url("${url}")`;
      if (m.imageMode === 1) {
        div.style.backgroundRepeat = 'repeat';
      } else {
        div.style.backgroundRepeat = 'no-repeat';
        div.style.backgroundPosition = `${m.imageX}px ${m.imageY}px`;
      }
      const inset = clamp(m.borderThick, 0, LIMITS.side);
      if (inset > 0) div.style.clipPath = `inset(${inset}px)`;
      return div;
    }

    // One item: its list entry, its link or button, its images and label. `container` is
    // the panel for a button, else the menu that holds the item.
    makeNode({ item, menu, k, list, container }) {
      const doc = this.doc;
      const node = { item, menu, k, container, pop: null, state: 1,
        hovered: false, pressed: false, focusVisible: false };
      const box = container === this.panel ? offsetBox(itemBox(menu, k), menu.x, menu.y) : itemBox(menu, k);
      node.box = box;
      const li = (node.li = doc.createElement('li'));
      li.style.cssText = `left:${box.left}px;top:${box.top}px;width:${menu.w}px;height:${menu.h}px`;
      li.__qlnbtn = node;
      const link = safeLink(item.link, doc);
      const ctl = (node.ctl = doc.createElement(link ? 'a' : 'button'));
      ctl.className = 'qlnbtn-ctl';
      if (link) {
        ctl.href = link;
        const target = item.target && item.target !== '_self' ? item.target : '';
        if (target) ctl.target = target;
        if (target.toLowerCase() === '_blank') ctl.rel = 'noopener';
      } else {
        ctl.type = 'button';
      }
      node.images = [];
      const seen = new Map();
      item.images.forEach((url, s) => {
        if (!url) return;
        if (!seen.has(url)) {
          const img = doc.createElement('img');
          img.className = 'qlnbtn-img';
          img.alt = '';
          img.draggable = false;
          img.src = url;
          img.hidden = true;
          ctl.appendChild(img);
          seen.set(url, img);
        }
        node.images[s] = seen.get(url);
      });
      const label = (node.label = doc.createElement('span'));
      label.className = 'qlnbtn-label';
      label.id = this.id + '-' + this.serial++;
      label.textContent = item.label.slice(0, LIMITS.text).replace(/\r\n/g, '\n');
      ctl.appendChild(label);
      if (!item.label.trim())
        ctl.setAttribute('aria-label', (item.description || item.link).slice(0, LIMITS.text) || 'Item ' + (k + 1));
      li.appendChild(ctl);
      list.appendChild(li);
      container.nodes.push(node);
      this.nodes.push(node);
      // Inside a menu that only describes its owner, the item is no stop of the tab walk.
      if (container.quiet) ctl.tabIndex = -1;
      this.styleNode(node);
      if (item.hasSub) this.makePop(node);
      return node;
    }

    // A menu below an item: its state now, its elements when it is built.
    makePop(owner) {
      const menu = owner.item.sub;
      if (!menu || !menu.items.length) return null;   // past the cap on items
      const pop = { menu, owner, nodes: [], open: false, pinned: false, suppressed: false, grace: 0, surface: null,
        id: this.id + '-' + this.serial++, wrap: null };
      pop.quiet = describes(menu) && !menu.items[0].hasSub;
      owner.pop = pop;
      if (!pop.quiet) {
        owner.ctl.setAttribute('aria-expanded', 'false');
        owner.ctl.setAttribute('aria-controls', pop.id);
      }
      this.unbuilt.push(pop);
      return pop;
    }

    buildPop(pop) {
      if (pop.wrap) return;
      const doc = this.doc;
      const menu = pop.menu;
      const wrap = (pop.wrap = doc.createElement('div'));
      wrap.className = 'qlnbtn-pop';
      wrap.id = pop.id;
      wrap.hidden = true;
      wrap.style.cssText = `left:${menu.x}px;top:${menu.y}px;width:${menu.w}px;height:${menu.h * menu.items.length}px`;
      if (pop.quiet) wrap.setAttribute('aria-hidden', 'true');
      for (let state = 1; state <= 3; state++) this.lookClass(menu, state);
      this.flushRules();
      const list = (pop.list = doc.createElement('ul'));
      wrap.appendChild(list);
      menu.items.forEach((item, k) => this.makeNode({ item, menu, k, list, container: pop }));
      pop.owner.li.appendChild(wrap);
      this.describe(pop);
    }

    // The first item of a describing menu labels its owner once it exists.
    describe(pop) {
      if (describes(pop.menu) && pop.nodes[0] && pop.menu.items[0].label.trim())
        pop.owner.ctl.setAttribute('aria-describedby', pop.nodes[0].label.id);
    }

    // The look of a menu's items in a state as a class: one rule a distinct look, so that
    // building and restyling items sets a class name and parses no style.
    lookClass(menu, state) {
      // Kept per style values and border (the margin): menus of one kind share them.
      const known = menu.styles.looks || (menu.styles.looks = new Map());
      const cached = known.get(menu.borderThick * 4 + state);
      if (cached) return cached;
      const s = menu.styles[state - 1];
      const margin = clamp(menu.borderThick, -LIMITS.coord, LIMITS.coord);
      const px = fontPixels(s.fontSize);
      const a = s.textAlign;
      const i = s.imageAlign;
      // The editor's placement: margin + 3 from the left or the right edge, or centred;
      // then moved by the offset.
      const ctl = `justify-content:${a === 2 ? 'flex-end' : a === 1 ? 'center' : 'flex-start'}`;
      const label = `font-family:${FONT_FACES[s.fontName === 0 ? 0 : s.fontName === 1 ? 1 : 2]};` +
        (px > 0 ? `font-size:${px}px;` : '') +
        `font-weight:${s.fontStyle === 1 ? 700 : 400};font-style:${s.fontStyle === 2 ? 'italic' : 'normal'};` +
        `color:${colourCss(s.font)};text-shadow:${textShadow(s.effect, s) || 'none'};` +
        `text-align:${a === 2 ? 'right' : a === 1 ? 'center' : 'left'};` +
        `margin:0 ${a === 2 ? margin + 3 : 0}px 0 ${a === 0 ? margin + 3 : 0}px;left:${s.textOffset}px`;
      const img = i === 2 ? `right:${margin + 3 - s.imageOffset}px`
        : i === 1 ? `left:calc(50% + ${s.imageOffset}px);transform:translate(-50%,-50%)`
          : `left:${margin + 3 + s.imageOffset}px`;
      const key = ctl + '|' + label + '|' + img;
      let name = this.looks.get(key);
      if (!name) {
        name = `${this.id}-${this.looks.size}`;
        this.looks.set(key, name);
        this.rules.push(`.${name}{${ctl}}`, `.${name}>.qlnbtn-label{${label}}`, `.${name}>.qlnbtn-img{${img}}`);
      }
      known.set(menu.borderThick * 4 + state, name);
      return name;
    }

    styleNode(node) {
      node.ctl.className = 'qlnbtn-ctl ' + this.lookClass(node.menu, node.state);
      if (!node.images.length) return;
      const shown = node.images[node.state - 1] || node.images[0];
      for (const img of node.images) if (img) img.hidden = img !== shown;
    }

    // New rules go to the widget's own style sheet.
    flushRules() {
      if (!this.rules.length) return;
      const text = this.rules.join('\n');
      this.rules = [];
      addRules(this.doc, text);
    }

    // ------------------------------------------------ painting
    // `area` null: the first paint, on a picture still transparent.
    paintPanel(area) {
      const surface = this.panel.surface;
      const pic = surface.picture;
      const full = { x0: 0, y0: 0, x1: pic.width, y1: pic.height };
      const clip = area ? intersect(full, area) : full;
      if (isEmpty(clip)) return;
      if (area) pic.clear(clip);
      const panel = { left: 0, top: 0, right: this.model.width, bottom: this.model.height };
      const m = this.model;
      fillBackground(pic, clip, panel, m.back, m.fade, m.backStyle);
      drawBorder(pic, clip, panel, m.border, m.borderThick, m.borderStyle);
      for (const node of this.panel.nodes) {
        const b = node.box;
        if (b.right <= clip.x0 || b.left >= clip.x1 || b.bottom <= clip.y0 || b.top >= clip.y1) continue;
        paintFace(pic, clip, b, node.menu, node.state);
      }
      surface.show(clip);
    }

    paintPop(pop, node) {
      if (!pop.surface) {
        pop.surface = new Surface(this.doc, pop.menu.w, pop.menu.h * pop.menu.items.length);
        pop.wrap.insertBefore(pop.surface.canvas, pop.list);
        node = null;
      }
      const pic = pop.surface.picture;
      const full = { x0: 0, y0: 0, x1: pic.width, y1: pic.height };
      const targets = node ? [node] : pop.nodes;
      for (const n of targets) {
        const clip = intersect(full, { x0: n.box.left, y0: n.box.top, x1: n.box.right, y1: n.box.bottom });
        if (isEmpty(clip)) continue;
        pic.clear(clip);
        paintFace(pic, clip, n.box, n.menu, n.state);
        pop.surface.show(clip);
      }
    }

    repaint(node) {
      if (node.container === this.panel) {
        const b = node.box;
        this.paintPanel({ x0: b.left, y0: b.top, x1: b.right, y1: b.bottom });
      } else if (node.container.open) {
        this.paintPop(node.container, node);
      }
    }

    rescale() {
      const show = (surface) => surface.show({ x0: 0, y0: 0, x1: surface.picture.width, y1: surface.picture.height });
      if (this.panel.surface.resize(this.doc)) show(this.panel.surface);
      for (const node of this.nodes)
        if (node.pop && node.pop.surface && node.pop.surface.resize(this.doc)) show(node.pop.surface);
    }

    // ------------------------------------------------ state
    updateState(node) {
      const state = node.pressed ? 3 : node.hovered || node.focusVisible ? 2 : 1;
      if (state === node.state) return;
      node.state = state;
      this.styleNode(node);
      this.repaint(node);
    }

    // A menu shows while its owner is hovered or keyboard-focused, while focus is inside
    // it, for a grace period after the pointer leaves, or when opened on purpose.
    updatePop(pop) {
      const owner = pop.owner;
      const focusInside = !!this.focusEl && !!pop.wrap && pop.wrap.contains(this.focusEl);
      const open = focusInside || (!pop.suppressed && (owner.hovered || owner.focusVisible || pop.pinned || pop.grace !== 0));
      if (open === pop.open) return;
      if (open) this.buildPop(pop);
      pop.open = open;
      // A closed menu is not repainted; it is painted afresh when it opens.
      if (open) this.paintPop(pop, null);
      pop.wrap.hidden = !open;
      owner.li.classList.toggle('qlnbtn-open', open);
      if (!pop.quiet) owner.ctl.setAttribute('aria-expanded', open ? 'true' : 'false');
      if (!open) {
        pop.pinned = false;
        for (const n of pop.nodes) if (n.pop) this.closePop(n.pop);
      }
    }

    // `keepShut`: the menu stays shut, although its owner keeps the focus or the pointer,
    // until they leave it or it is opened on purpose.
    closePop(pop, keepShut) {
      pop.pinned = false;
      if (pop.grace) { clearTimeout(pop.grace); pop.grace = 0; }
      const before = pop.suppressed;
      pop.suppressed = true;
      this.updatePop(pop);
      if (!keepShut) pop.suppressed = before;
    }

    openPop(pop, focusItem) {
      pop.suppressed = false;
      pop.pinned = true;
      this.closeSiblings(pop.owner);
      this.updatePop(pop);
      if (focusItem && pop.nodes.length) focusNode(pop.nodes[focusItem === 'last' ? pop.nodes.length - 1 : 0]);
    }

    // Another item's menu opening closes the menus of its neighbours at once.
    closeSiblings(node) {
      for (const n of node.container.nodes) if (n !== node && n.pop && n.pop.open) this.closePop(n.pop);
    }

    setHover(chain) {
      const before = new Set(this.hover);
      const after = new Set(chain);
      this.hover = chain;
      for (const node of before) {
        if (after.has(node)) continue;
        node.hovered = false;
        node.pressed = false;
        this.updateState(node);
        if (node.pop && node.pop.open) {
          const pop = node.pop;
          if (pop.grace) clearTimeout(pop.grace);
          pop.grace = setTimeout(guard(() => { pop.grace = 0; this.updatePop(pop); }), LIMITS.graceMs);
        }
      }
      for (const node of chain) {
        if (before.has(node)) continue;
        node.hovered = true;
        this.updateState(node);
        sound.play(node.item.sounds[0]);
        if (node.pop) {
          if (node.pop.grace) { clearTimeout(node.pop.grace); node.pop.grace = 0; }
          node.pop.suppressed = false;
          if (!node.pop.open) this.closeSiblings(node);
          this.updatePop(node.pop);
        }
      }
    }

    // The items whose subtree holds `el`, outermost first.
    chainOf(el) {
      const chain = [];
      for (let e = el; e && e !== this.nav; e = e.parentNode) if (e.__qlnbtn) chain.push(e.__qlnbtn);
      return chain.reverse();
    }

    listen() {
      const nav = this.nav;
      nav.addEventListener('pointerover', guard((e) => this.setHover(this.chainOf(e.target))));
      nav.addEventListener('pointerleave', guard(() => this.setHover([])));
      nav.addEventListener('pointerdown', guard((e) => {
        if (e.button !== 0) return;
        const node = this.nodeOfControl(e.target);
        if (!node) return;
        node.pressed = true;
        this.updateState(node);
        // A first tap on a touch screen opens the menu rather than following the link.
        node.touchOpened = e.pointerType === 'touch' && !!node.pop && !node.pop.open;
      }));
      nav.addEventListener('click', guard((e) => this.onClick(e)));
      nav.addEventListener('keydown', guard((e) => this.onKey(e, true)));
      nav.addEventListener('keyup', guard((e) => this.onKey(e, false)));
      nav.addEventListener('focusin', guard((e) => this.onFocus(e.target)));
      nav.addEventListener('focusout', guard((e) => this.onFocus(e.relatedTarget)));
      const doc = this.doc;
      const release = guard(() => {
        for (const node of this.nodes) if (node.pressed) { node.pressed = false; this.updateState(node); }
      });
      doc.addEventListener('pointerup', release, true);
      doc.addEventListener('pointercancel', release, true);
      doc.addEventListener('pointerdown', guard((e) => {
        if (nav.contains(e.target)) return;
        for (const node of this.panel.nodes) if (node.pop && node.pop.pinned) this.closePop(node.pop);
      }), true);
      doc.addEventListener('keydown', guard((e) => {
        // Escape closes what the pointer opened, wherever the focus is.
        if (e.key !== 'Escape' || nav.contains(doc.activeElement)) return;
        const open = this.hover.filter((n) => n.pop && n.pop.open);
        if (open.length) this.closePop(open[open.length - 1].pop, true);
      }));
      let played = false;
      const first = guard(() => {
        if (played || !this.model.sound) return;
        played = true;
        sound.play(this.model.sound);
      });
      nav.addEventListener('pointerup', first);
      nav.addEventListener('keyup', first);
    }

    nodeOfControl(el) {
      for (let e = el; e && e !== this.nav; e = e.parentNode) {
        if (e.__qlnbtn) return null;
        if (e.classList && e.classList.contains('qlnbtn-ctl')) return e.parentNode.__qlnbtn || null;
      }
      return null;
    }

    onClick(e) {
      const node = this.nodeOfControl(e.target);
      if (!node) return;
      if (node.touchOpened) {
        node.touchOpened = false;
        e.preventDefault();
        this.openPop(node.pop, false);
        return;
      }
      sound.play(node.item.sounds[1]);
      if (!node.pop || node.pop.quiet || node.ctl.tagName === 'A') return;
      const keyboard = e.detail === 0;
      if (keyboard || !node.pop.pinned) this.openPop(node.pop, keyboard);
      else this.closePop(node.pop);
    }

    // `target`: the element in the widget that has or is about to get the focus, or null.
    // (While focus moves, the document's active element is neither.)
    onFocus(target) {
      this.focusEl = target && this.nav.contains(target) ? target : null;
      const focused = new Set(this.chainOf(this.focusEl));
      const active = this.focusEl ? this.nodeOfControl(this.focusEl) : null;
      for (const node of this.nodes) {
        const visible = node === active && matchesFocusVisible(node.ctl);
        if (node.focusVisible !== visible) {
          node.focusVisible = visible;
          this.updateState(node);
        }
        if (!node.pop) continue;
        const inside = focused.has(node);
        // Focus leaving a menu ends its being opened on purpose; shut on purpose, it may
        // open again once focus and pointer have both left it.
        if (!inside) {
          node.pop.pinned = false;
          if (!node.hovered) node.pop.suppressed = false;
        }
        if (node.pop.open || inside || visible) this.updatePop(node.pop);
      }
    }

    onKey(e, down) {
      const node = this.nodeOfControl(e.target);
      if (!node) return;
      const key = e.key;
      const isButton = node.ctl.tagName !== 'A';
      if (key === 'Enter' || key === ' ') {
        if (down && (isButton || key === 'Enter') && !node.pressed) {
          node.pressed = true;
          this.updateState(node);
        } else if (!down) {
          // The key may come up elsewhere: activating a button can move the focus.
          for (const n of this.nodes) if (n.pressed) { n.pressed = false; this.updateState(n); }
        }
      }
      if (!down) return;
      const pop = node.pop && !node.pop.quiet ? node.pop : null;
      const siblings = node.container.nodes.filter((n) => !n.ctl.hasAttribute('tabindex'));
      const at = siblings.indexOf(node);
      const move = (i) => {
        if (!siblings.length) return;
        focusNode(siblings[(i + siblings.length) % siblings.length]);
        e.preventDefault();
      };
      const inMenu = node.container !== this.panel;
      switch (key) {
        case ' ':
          if (!isButton && pop) { e.preventDefault(); this.openPop(pop, true); }
          break;
        case 'ArrowDown':
          if (inMenu) move(at + 1);
          else if (pop) { e.preventDefault(); this.openPop(pop, true); }
          break;
        case 'ArrowUp':
          if (inMenu) move(at - 1);
          else if (pop) { e.preventDefault(); this.openPop(pop, 'last'); }
          break;
        case 'ArrowRight':
          if (inMenu && pop) { e.preventDefault(); this.openPop(pop, true); } else if (!inMenu) move(at + 1);
          break;
        case 'ArrowLeft':
          if (inMenu) { e.preventDefault(); this.escape(node.container); } else move(at - 1);
          break;
        case 'Home': move(0); break;
        case 'End': move(siblings.length - 1); break;
        case 'Escape':
          e.preventDefault();
          if (pop && pop.open) this.closePop(pop, true);
          else if (inMenu) this.escape(node.container);
          break;
      }
    }

    // Closes a menu and gives the focus back to its owner; the menu stays shut while the
    // focus stays there.
    escape(pop) {
      pop.suppressed = true;
      pop.pinned = false;
      if (pop.grace) { clearTimeout(pop.grace); pop.grace = 0; }
      focusNode(pop.owner);
      this.updatePop(pop);
    }
  }

  function focusNode(node) {
    try {
      node.ctl.focus({ focusVisible: true });
    } catch (e) {
      node.ctl.focus();
    }
  }

  function matchesFocusVisible(el) {
    try {
      return el.matches(':focus-visible');
    } catch (e) {
      return true;
    }
  }

  // Calls from the page's event loop never throw into it.
  function guard(fn) {
    return function (...args) {
      try {
        return fn.apply(this, args);
      } catch (e) {
        return undefined;
      }
    };
  }

  // ---------------------------------------------------------------- upgrading ----------
  function isWidgetApplet(el) {
    const code = el.getAttribute('code');
    if (!code) return false;
    const name = code.trim().split(/[\\/]/).pop();
    return name.toLowerCase() === 'qlnbtn.class';
  }

  // Parameter names are compared without case, as the applet's host compared them; the
  // first of a name counts.
  function readParams(applet) {
    const map = new Map();
    let count = 0;
    for (let child = applet.firstElementChild; child; child = child.nextElementSibling) {
      if (child.localName !== 'param') continue;
      count++;
      const name = (child.getAttribute('name') || '').toLowerCase();
      if (!map.has(name)) map.set(name, child.getAttribute('value') || '');
    }
    return { get: (name) => map.get(name.toLowerCase()), count };
  }

  const widgets = new Set();

  function upgradeApplet(applet) {
    const doc = applet.ownerDocument;
    const params = readParams(applet);
    const model = parseWidget(params.get, applet.getAttribute('width'), applet.getAttribute('height'), params.count);
    const widget = new Widget(doc, model, applet, widgetCount++);
    widget.nav.__qlnbtnWidget = widget;
    applet.replaceWith(widget.nav);
    widgets.add(widget);
    return widget;
  }

  let listening = false;
  function listenOnce(doc) {
    if (listening) return;
    listening = true;
    const view = doc.defaultView || global;
    const unlock = guard(() => sound.unlock());
    view.addEventListener('pointerdown', unlock, true);
    view.addEventListener('keydown', unlock, true);
    // A new device scale (zoom, another screen) gets new backing stores.
    const watch = () => {
      try {
        const query = view.matchMedia(`(resolution: ${view.devicePixelRatio || 1}dppx)`);
        query.addEventListener('change', guard(() => {
          for (const w of widgets) if (w.nav.isConnected) w.rescale();
          watch();
        }), { once: true });
      } catch (e) { /* no media queries */ }
    };
    watch();
  }

  // Replaces every widget applet under `root` (the document by default) by a live widget
  // and returns how many were replaced. Applets that fail to upgrade stay as they are.
  function upgrade(root) {
    let done = 0;
    try {
      const scope = root || global.document;
      if (!scope || !scope.querySelectorAll) return 0;
      const doc = scope.ownerDocument || scope;
      const found = Array.from(scope.querySelectorAll('applet'));
      if (scope.localName === 'applet') found.unshift(scope);
      const applets = found.filter((a) => { try { return isWidgetApplet(a); } catch (e) { return false; } });
      if (!applets.length) return 0;
      installStyles(doc);
      listenOnce(doc);
      for (const applet of applets) {
        try {
          upgradeApplet(applet);
          done++;
        } catch (e) { /* leave it: its list of links still shows */ }
      }
    } catch (e) { /* nothing more to do */ }
    return done;
  }

  const api = {
    version: '1.0',
    upgrade,
    // For tests and tools: the pure parts.
    parseNumber, parseColour, parsePair, unescapeLabel, parseItem, parseWidget, decodeAu,
    Picture, fillBackground, drawBorder, paintPanel, itemBox, fontPixels, LIMITS,
  };

  if (typeof module === 'object' && module && module.exports) module.exports = api;
  if (global.document && typeof global.document.addEventListener === 'function') {
    global.QlnBtn = api;
    // A deferred script runs just before DOMContentLoaded, a script added later after it.
    let started = global.document.readyState === 'complete';
    try {
      const nav = global.performance.getEntriesByType('navigation')[0];
      if (nav && nav.domContentLoadedEventStart > 0) started = true;
    } catch (e) { /* no timing: go by the ready state */ }
    if (!started && global.document.readyState !== 'loading' && !global.performance) started = true;
    if (started) upgrade(global.document);
    else global.document.addEventListener('DOMContentLoaded', () => upgrade(global.document));
  }
})(typeof window !== 'undefined' ? window : globalThis);
