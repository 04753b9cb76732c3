// The same faces and the pointer and link flows in Firefox, driven over WebDriver BiDi.
import { after, before, test } from 'node:test';
import { launch, openPage, serve } from './lib/browser.mjs';
import { checkFaces, checkHoverMenus, checkLinks, expectNoErrors, publishMenu } from './lib/scenarios.mjs';

let browser, server;
before(async () => {
  server = await serve();
  browser = await launch('firefox');
});
after(async () => {
  await browser?.close();
  await server?.close();
});

for (const dpr of [1, 2]) test(`faces at device scale ${dpr}`, () => checkFaces(browser, server, dpr));

test('hover opens menus level by level, clicks follow links into their targets', async () => {
  const { url } = publishMenu(server, 'menu');
  const page = await openPage(browser, url);
  await checkHoverMenus(page);
  await checkLinks(browser, page, server.origin);
  expectNoErrors(page);
  await page.close();
});
