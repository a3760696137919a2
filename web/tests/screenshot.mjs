// Screenshots of the page in headless Chromium, at a desktop and a phone
// width, one per panel, for looking at and for docs/ (web-sheet.png is
// desktop-sheet.png, web-phone.png is phone-point.png).
//   TUFU_HTML=build/web/tufu.html node web/tests/screenshot.mjs OUT_DIR
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { launch, open } from './browser.mjs';

const out = process.argv[2] || '.';
mkdirSync(out, { recursive: true });

const widths = { desktop: [1200, 900], phone: [390, 844] };
for (const [kind, [width, height]] of Object.entries(widths)) {
  const b = await launch({ width, height, mobile: kind === 'phone' });
  const { page } = b;
  await open(page);
  await page.screenshot({ path: join(out, `${kind}-point.png`), fullPage: true });

  await page.click('#tab-sheet');
  await page.fill('#number', 'J50');
  await page.dispatchEvent('#number', 'input');
  await page.click('#targets label[data-scale="1:50万"]');
  await page.screenshot({ path: join(out, `${kind}-sheet.png`), fullPage: true });

  await page.click('#tab-block');
  await page.selectOption('#region', '北京');
  await page.click('#block-scales label[data-scale="1:25万"]');
  await page.click('#block-output .tools button:text-is("输出")');
  await page.screenshot({ path: join(out, `${kind}-block.png`), fullPage: true });

  await page.selectOption('#edition', '2012');
  await page.click('#tab-point');
  await page.screenshot({ path: join(out, `${kind}-point-2012.png`), fullPage: true });
  await page.selectOption('#edition', '1992');
  if (b.requests.length || b.errors.length) console.error(b.requests, b.errors);
  await b.close();
}
