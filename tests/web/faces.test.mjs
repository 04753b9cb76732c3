// Faces in headless Chromium, pixel for pixel as snippo-render paints them, at device scales
// 1 and 2.
import { after, before, test } from 'node:test';
import { launch, serve } from './lib/browser.mjs';
import { checkFaces } from './lib/scenarios.mjs';

let browser, server;
before(async () => {
  server = await serve();
  browser = await launch('chrome');
});
after(async () => {
  await browser?.close();
  await server?.close();
});

for (const dpr of [1, 2]) test(`faces at device scale ${dpr}`, () => checkFaces(browser, server, dpr));
