// The real library and tools of this build: the HTML a widget file gives, and the pictures
// that snippo-render paints of it. Paths come from the test's environment (CTest sets them).
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { decodePng } from './png.mjs';

export const BUILD = process.env.SNIPPO_BUILD_DIR || path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../../build');
export const BIN = path.join(BUILD, 'bin');
export const LIB = path.join(BUILD, 'lib', 'snippo');
export const RUNTIME = path.join(LIB, 'qlnbtn.js');

let registry = null;

function environment() {
  if (!registry) {
    registry = fs.mkdtempSync(path.join(os.tmpdir(), 'qlnbtn-registry-'));
    process.on('exit', () => fs.rmSync(registry, { recursive: true, force: true }));
    execFileSync(path.join(BIN, 'snippo-regsvr'), [path.join(LIB, 'libSnippoGlimButton.so')],
      { env: { ...process.env, SNIPPO_REGISTRY: registry }, stdio: 'pipe' });
  }
  return { ...process.env, SNIPPO_REGISTRY: registry, QT_QPA_PLATFORM: 'offscreen' };
}

const quote = (text) => '"' + text.replace(/\\/g, '\\\\').replace(/"/g, '\\"').replace(/\r/g, '\\r')
  .replace(/\n/g, '\\n').replace(/\t/g, '\\t') + '"';

// Calls the widget object through snippo-call: one line a call, one JSON result a line.
export function callWidget(lines) {
  const out = execFileSync(path.join(BIN, 'snippo-call'), ['SnippoServer.GlimButton'],
    { env: environment(), input: lines.join('\n') + '\n', maxBuffer: 256 * 1024 * 1024 }).toString('utf8');
  return out.split('\n').filter((l) => l !== '').map((l) => {
    if (l.startsWith('error:')) throw new Error('snippo-call: ' + l);
    return JSON.parse(l);
  });
}

// snippo-publish of this build, with its registry: {status, stdout, stderr}.
export function runPublish(args, env = {}) {
  const r = spawnSync(path.join(BIN, 'snippo-publish'), args, { env: { ...environment(), ...env } });
  return { status: r.status, stdout: r.stdout.toString('utf8'), stderr: r.stderr.toString('utf8') };
}

// The HTML segments of a widget file in the three forms: [{position, preview, web, relative}].
export function widgetHtml(file, previewPath = '') {
  const lines = ['ReadConfigFile ' + quote(file), 'PreviewPath = ' + quote(previewPath), 'GetHTMLSegmentNumber'];
  for (let s = 0; s < 2; s++) lines.push('GetHTMLPosition ' + s, ...[0, 1, 2].map((m) => `GetHTMLBody ${s} ${m}`));
  const [read, , count, ...out] = callWidget(lines);
  if (read !== true) throw new Error('cannot read ' + file);
  const segments = [];
  for (let s = 0; s < count; s++) {
    const [position, preview, web, relative] = out.slice(s * 4, s * 4 + 4);
    segments.push({ position, preview, web, relative });
  }
  return segments;
}

// snippo-render's picture of a widget file in a state: {width, height, rgba}.
export function render(file, state) {
  const out = path.join(path.dirname(file), `${path.basename(file, '.qwd')}-${state}.png`);
  execFileSync(path.join(BIN, 'snippo-render'), [file, String(state), out], { env: environment(), stdio: 'pipe' });
  return decodePng(fs.readFileSync(out));
}

// The `param` lines of applet HTML as the browser hands them over: {name: value}, entities
// decoded. Only what the library writes needs reading here.
export function appletParams(html) {
  const params = new Map();
  const entity = { amp: '&', quot: '"', lt: '<', gt: '>' };
  for (const m of html.matchAll(/<param name="([^"]*)" value="([^"]*)">/g)) {
    const value = m[2].replace(/&(amp|quot|lt|gt);/g, (_, e) => entity[e]);
    if (!params.has(m[1].toLowerCase())) params.set(m[1].toLowerCase(), value);
  }
  return { get: (name) => params.get(name.toLowerCase()), count: params.size };
}

export function tempDir(prefix = 'qlnbtn-') {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  process.on('exit', () => fs.rmSync(dir, { recursive: true, force: true }));
  return dir;
}
