// Timings of the page in headless Chromium, reported and not checked:
// - load: from navigation to the first answer shown (the performance mark
//   tufu-first-answer), opened from a local file; the first load with a
//   fresh profile and the median of the loads after it;
// - keystroke: from a key's keydown to its results in the page, laid out
//   (the page's input handler has run and layout is done), per field;
// - sheet table: drawing the largest table (60 × 48 sheets) after "输出".
//   TUFU_HTML=build/web/tufu.html node web/tests/bench.mjs
import { statSync } from 'node:fs';
import { launch, open, pageurl } from './browser.mjs';

const LOADS = 10;
const median = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
const p95 = (a) => [...a].sort((x, y) => x - y)[Math.min(a.length - 1, Math.floor(a.length * 0.95))];
const ms = (x) => `${x.toFixed(2)} ms`;

const b = await launch();
const { page } = b;

const loads = [];
for (let i = 0; i < LOADS; ++i) {
  await open(page, pageurl());
  loads.push(await page.evaluate(() => performance.getEntriesByName('tufu-first-answer')[0].startTime));
}

// Each keystroke's time from keydown to its results laid out.
await page.evaluate(() => {
  window.__keys = [];
  let down = 0;
  document.addEventListener('keydown', (e) => { down = e.timeStamp; }, true);
  window.addEventListener('input', () => {
    void document.body.offsetHeight;  // the results laid out
    window.__keys.push(performance.now() - down);
  });
});
async function keystrokes(tab, field, text, rounds) {
  await page.click(`#tab-${tab}`);
  await page.click(field);
  await page.evaluate(() => { window.__keys = []; });
  for (let r = 0; r < rounds; ++r) {
    await page.keyboard.press('End');
    for (let i = 0; i < text.length; ++i) await page.keyboard.press('Backspace');
    await page.keyboard.type(text);
  }
  return page.evaluate(() => window.__keys);
}
const keys = {
  'point query, latitude (9 scales)': await keystrokes('point', '#lat', '39,54,30', 8),
  'sheet-number query': await keystrokes('sheet', '#number', 'J50D005003', 6),
};
await page.selectOption('#edition', '2012');
keys['point query, latitude (12 scales)'] = await keystrokes('point', '#lat', '39,54,30', 8);
await page.selectOption('#edition', '1992');
await page.click('#tab-block');
await page.click('#block-scales label[data-scale="1:5万"]');
keys['block query, north bound'] = await keystrokes('block', '#north', '41,30', 8);

// The largest sheet table: 60 rows by 48 columns of 1:10万 sheets.
for (const [id, v] of [['west', '72'], ['east', '96'], ['south', '20'], ['north', '40']]) await page.fill(`#${id}`, v);
await page.dispatchEvent('#north', 'input');
await page.click('#block-scales label[data-scale="1:10万"]');
const table = [];
for (let i = 0; i < 5; ++i) {
  table.push(await page.evaluate(() => {
    const close = Array.from(document.querySelectorAll('#block-output button')).find((x) => x.textContent === '关闭');
    close.click();
    const out = Array.from(document.querySelectorAll('#block-output button')).find((x) => x.textContent === '输出');
    const t0 = performance.now();
    out.click();
    void document.body.offsetHeight;
    return performance.now() - t0;
  }));
}
const cells = await page.$$eval('#block-output svg g.cell', (g) => g.length);

console.log(`tufu.html: ${statSync(process.env.TUFU_HTML).size} bytes`);
console.log(`load to first answer: first ${ms(loads[0])}, median of the next ${LOADS - 1} ${ms(median(loads.slice(1)))}`);
for (const [what, t] of Object.entries(keys)) {
  console.log(`keystroke to results, ${what}: median ${ms(median(t))}, 95% ${ms(p95(t))}, max ${ms(Math.max(...t))} (${t.length} keys)`);
}
console.log(`sheet table of ${cells} sheets drawn: median ${ms(median(table))}`);
if (b.requests.length || b.errors.length) {
  console.error('requests:', b.requests, 'errors:', b.errors);
  process.exitCode = 1;
}
await b.close();
