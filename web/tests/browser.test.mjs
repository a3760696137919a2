// The built tufu.html in headless Chromium: typed into as a user types, and
// what it shows compared field by field with tufu-cli --json on the same
// inputs.  Cases that need a tufu-cli command this build does not have yet
// (--standard 2012, neighbours, grid) are compared another way or skipped,
// as each table says.
//   TUFU_HTML=build/web/tufu.html TUFU_CLI=build/cli/tufu-cli node --test web/tests/
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, open } from './browser.mjs';

const CLI = process.env.TUFU_CLI;
if (!CLI) throw new Error('TUFU_CLI names no tufu-cli');
const work = mkdtempSync(join(tmpdir(), 'tufu-web-test-'));

// ---------------------------------------------------------------- tufu-cli

function run(args) {
  return spawnSync(CLI, args, { encoding: 'utf8' });
}
const editionArgs = (edition) => (edition === 2012 ? ['--standard', '2012'] : []);
// The first JSON object that `tufu-cli --json ARGS` prints.
function cli(args, edition = 1992) {
  const r = run([...editionArgs(edition), '--json', ...args]);
  assert.ok(r.status === 0 || r.status === 1, `tufu-cli ${args.join(' ')}: ${r.stderr}`);
  return JSON.parse(r.stdout.split('\n')[0]);
}
// Every object of a `block --list` answer (one line).
function clilist(args) {
  return cli(['block', ...args, '--list']);
}

// What this tufu-cli offers.
const unknown = (r) => r.status === 2 && /未知(命令|选项)/.test(r.stderr);
const has = {
  standard2012: !unknown(run(['--standard', '2012', '--json', 'point', '1', '1'])),
  neighbours: !unknown(run(['--json', 'neighbours', 'J50'])),
  grid: !unknown(run(['grid'])),
};
const why = (what) => `tufu-cli has no ${what} yet`;
// The edition to ask tufu-cli for a case of the nine 1992 scales, whose
// answers the 2012 edition keeps: 1992 while tufu-cli has no --standard.
const asked = (year) => (has.standard2012 ? year : 1992);

// ---------------------------------------------------------------- the page

let browser, page;
before(async () => {
  browser = await launch();
  page = browser.page;
  await open(page);
});
after(async () => {
  if (browser) await browser.close();
  rmSync(work, { recursive: true, force: true });
});

async function edition(year) {
  if ((await page.inputValue('#edition')) !== String(year)) await page.selectOption('#edition', String(year));
}
async function tab(name) {
  await page.click(`#tab-${name}`);
}
// Empties a field and types `text` key by key, as a user would.
async function type(selector, text) {
  const field = page.locator(selector);
  await field.click();
  await page.keyboard.press('ControlOrMeta+A');
  await page.keyboard.press('Backspace');
  if (text !== '') await field.pressSequentially(text);
}
const textOf = (root, sel) => page.$eval(root, (r, s) => {
  const e = s ? r.querySelector(s) : r;
  return e ? e.textContent : null;
}, sel);

async function pointRows() {
  return page.$$eval('#point-result tbody tr', (rows) => rows.map((tr) => {
    const o = { scale: tr.dataset.scale };
    for (const e of tr.querySelectorAll('[data-f]')) o[e.dataset.f] = e.textContent;
    return o;
  }));
}
async function sheetShown() {
  return page.evaluate(() => {
    const box = document.getElementById('sheet-result');
    const o = { error: document.getElementById('sheet-error').textContent, shown: !box.classList.contains('empty') };
    for (const e of box.querySelectorAll('[data-f]')) o[e.dataset.f] = e.textContent;
    o.kind = document.getElementById('sheet-kind').textContent;
    o.containing = Array.from(document.querySelectorAll('#containing tbody tr[data-scale]'), (tr) => ({
      scale: tr.dataset.scale,
      new: tr.querySelector('[data-f=new]').textContent,
      old: tr.querySelector('[data-f=old]').textContent,
    }));
    o.neighbours = [0, 1, 2].map((r) => [0, 1, 2].map((c) => {
      const cell = document.querySelector(`#adjoin [data-pos="${r}${c}"]`);
      if (cell.classList.contains('none')) return null;
      return { number: cell.querySelector('.num').textContent, name: cell.querySelector('.nm').textContent };
    }));
    return o;
  });
}
async function corners(box) {
  return page.evaluate((id) => {
    const b = document.getElementById(id);
    if (b.classList.contains('empty')) return null;
    const o = {};
    for (const c of b.querySelectorAll('[data-corner]')) {
      o[c.dataset.corner] = {};
      for (const e of c.querySelectorAll('[data-f]')) o[c.dataset.corner][e.dataset.f] = e.textContent;
    }
    const count = b.querySelector('.count');
    o.count = count ? count.textContent : '';
    return o;
  }, box);
}
const corner = (c) => ({ new: c.new, old: c.old, name: c.name });

async function download(click) {
  const [d] = await Promise.all([page.waitForEvent('download'), click()]);
  const path = join(work, d.suggestedFilename());
  await d.saveAs(path);
  return readFileSync(path, 'utf8');
}

async function blockQuery(c) {
  await tab('block');
  if (c.region) {
    await page.selectOption('#region', c.region);
  } else {
    for (const [id, v] of Object.entries({ west: c.w, east: c.e, south: c.s, north: c.n })) await type(`#${id}`, v);
  }
  await page.click(`#block-scales label[data-scale="${c.scale}"]`);
}
// The bounds of a case as tufu-cli takes them.
async function boundsOf(c) {
  if (!c.region) return [c.w, c.e, c.s, c.n];
  return page.$$eval(['west', 'east', 'south', 'north'].map((k) => `#${k}`).join(','), (f) => f.map((x) => x.value));
}

// ---------------------------------------------------------------- point query

// Edge points: on a sheet edge of the scale named, and so on edges of the
// smaller scales' grids where they coincide; the limits of the numbering.
const POINTS = [
  ['114', '36', '1:100万 corner, an edge at every scale'],
  ['0', '0', 'origin'],
  ['180', '60', 'north-east limit'],
  ['117', '38', '1:50万'],
  ['115,30', '39', '1:25万'],
  ['116', '39,20', '1:20万'],
  ['116,30', '39,40', '1:10万'],
  ['116,15', '39,50', '1:5万'],
  ['116,7,30', '39,55', '1:2.5万'],
  ['116,3,45', '39,57,30', '1:1万'],
  ['116.03125', '39,58,45', '1:5000, 116°1′52.5″ in decimal degrees'],
  ['116.010416666667', '39,59,35', '1:2000, 116°0′37.5″'],
  ['114.005208333333', '36.003472222222', '1:1000, 114°0′18.75″ 36°0′12.5″'],
  ['114.002604166667', '36.001736111111', '1:500, 114°0′9.375″ 36°0′6.25″'],
  ['116.391667', '39.908333', 'decimal degrees inside sheets'],
];
const SHEET_KEYS = ['new', 'old', 'west', 'east', 'south', 'north', 'lonsize', 'latsize', 'name'];

function comparePoint(shown, expected, scalesToCompare) {
  const byScale = new Map(shown.map((r) => [r.scale, r]));
  for (const s of expected.sheets) {
    if (scalesToCompare && !scalesToCompare.includes(s.scale)) continue;
    const row = byScale.get(s.scale);
    assert.ok(row, `no row for ${s.scale}`);
    for (const k of SHEET_KEYS) assert.equal(row[k], s[k], `${s.scale} ${k}`);
  }
}

describe('point query', () => {
  for (const [lon, lat, what] of POINTS) {
    test(`1992: ${lon} ${lat} (${what})`, async () => {
      await edition(1992);
      await tab('point');
      await type('#lon', lon);
      await type('#lat', lat);
      const shown = await pointRows();
      assert.equal(shown.length, 9);
      comparePoint(shown, cli(['point', lon, lat]));
    });
    test(`2012: ${lon} ${lat} (${what})`, async () => {
      await edition(2012);
      await tab('point');
      await type('#lon', lon);
      await type('#lat', lat);
      const shown = await pointRows();
      assert.equal(shown.length, 12);
      if (has.standard2012) {
        comparePoint(shown, cli(['point', lon, lat], 2012));
      } else {
        // The nine scales of 1992 answer as in 1992.
        comparePoint(shown, cli(['point', lon, lat]));
      }
    });
  }

  // Worked by hand from the sheet sizes: 116°0′37.5″ E is 7237.5″ east of
  // 114°, 39°59′35″ N is 14375″ north of 36°.
  const WORKED = [
    ['1:2000', { new: 'J50I001194', west: '116°0′37.5″', east: '116°1′15″', south: '39°59′35″', north: '40°0′0″', lonsize: '37.5″', latsize: '25″' }],
    ['1:1000', { new: 'J50J00020387', west: '116°0′37.5″', east: '116°0′56.25″', south: '39°59′35″', north: '39°59′47.5″', lonsize: '18.75″', latsize: '12.5″' }],
    ['1:500', { new: 'J50K00040773', west: '116°0′37.5″', east: '116°0′46.875″', south: '39°59′35″', north: '39°59′41.25″', lonsize: '9.375″', latsize: '6.25″' }],
  ];
  test('2012 large scales, worked by hand', async () => {
    await edition(2012);
    await tab('point');
    await type('#lon', '116.010416666667');
    await type('#lat', '39,59,35');
    const rows = new Map((await pointRows()).map((r) => [r.scale, r]));
    for (const [scale, want] of WORKED) {
      const row = rows.get(scale);
      for (const [k, v] of Object.entries(want)) assert.equal(row[k], v, `${scale} ${k}`);
      assert.equal(row.old, '', `${scale} has no old number`);
    }
  });

  const REFUSED = [['181', '30'], ['116', '60,0,1'], ['116.5.', '30'], ['-5', '30'], ['116', '４５'],
    ['116', ',']];
  for (const [lon, lat] of REFUSED) {
    test(`refused: ${lon} ${lat}`, async () => {
      await edition(1992);
      await tab('point');
      await type('#lon', lon);
      await type('#lat', lat);
      const want = cli(['point', lon, lat]);
      assert.equal(want.valid, false);
      assert.equal(await textOf('#point-error'), want.error);
      assert.ok((await pointRows()).every((r) => r.new === '' && r.old === '' && r.west === ''));
    });
  }
});

// ---------------------------------------------------------------- sheet query

const NUMBERS = [
  // [typed, edition]: accepted
  ['J50C001002', 1992], ['j50', 1992], ['I-48-XXXV', 1992], ['i-48-xxxv', 1992], ['J50I003004', 1992],
  ['D-45-48-(26)-C', 1992], ['L-48-14-C-03', 1992], ['K-049', 1992], ['M-47-2-(64)', 1992], ['O60H192192', 1992],
  ['A31', 1992], ['J50C001002', 2012], ['I-48-XXXV', 2012],
  // refused, each with its reason
  ['J5', 1992], ['J50C00100', 1992], ['J50A001001', 1992], ['J30', 1992], ['J61C001001', 1992],
  ['J50B003001', 1992], ['J50C001002 ', 1992], ['J50I007001', 1992], ['J50J00010001', 1992], ['Z-49', 1992],
  ['K-49X', 1992], ['K-49.5', 1992], ['I-48-IIII', 1992], ['J-50-145', 1992], ['L-51-[17]', 1992],
  ['L-51-[2', 1992], ['M-47-2-(65)', 1992], ['L-48-14-C-5', 1992], ['-K-49', 1992], ['K--49', 1992],
  ['A-31-1-A-1-1', 1992],
];
// Only with tufu-cli --standard 2012: the 2012 forms and their refusals.
const NUMBERS_2012 = ['J50I006006', 'J50I576576', 'J50J00010001', 'J50K23042304', 'J50I577001', 'J50K00012305',
  'J50J1152115'];

async function compareSheet(typed, year) {
  await edition(year);
  await tab('sheet');
  await type('#number', typed);
  const shown = await sheetShown();
  const want = cli(['sheet', typed], asked(year));
  if (!want.valid) {
    assert.equal(shown.error, want.error);
    assert.equal(shown.shown, false);
    assert.deepEqual(shown.containing, []);
    return;
  }
  assert.equal(shown.error, '');
  assert.equal(shown.kind, want.numbering === 'new' ? '该编号为新图幅编号' : '该编号为旧图幅编号');
  assert.equal(shown.scale, want.scale);
  assert.equal(shown.counterpart, want.numbering === 'new' ? want.old : want.new);
  for (const k of ['west', 'east', 'south', 'north', 'lonsize', 'latsize', 'name']) assert.equal(shown[k], want[k], k);
  assert.deepEqual(shown.containing, want.containing);
  // The typed letters are shown as capitals.
  assert.equal(await page.inputValue('#number'), typed.toUpperCase());
}

describe('sheet-number query', () => {
  for (const [typed, year] of NUMBERS) {
    test(`${year}: "${typed}"`, () => compareSheet(typed, year));
  }
  for (const typed of NUMBERS_2012) {
    test(`2012: "${typed}"`, { skip: !has.standard2012 && why('--standard 2012') }, () => compareSheet(typed, 2012));
  }

  // The clash of code I, worked by hand: J50I006006 is a 1:20万 sheet in
  // 1992 (compared with tufu-cli above) and the 1:2000 sheet in row 6,
  // column 6 of J50 in 2012: 5 × 37.5″ east of 114°, 570 × 25″ north of 36°.
  test('2012: J50I006006 is 1:2000', async () => {
    await edition(2012);
    await tab('sheet');
    await type('#number', 'J50I006006');
    const shown = await sheetShown();
    assert.equal(shown.scale, '1:2000');
    assert.equal(shown.counterpart, '');
    assert.deepEqual([shown.west, shown.east, shown.south, shown.north],
      ['114°3′7.5″', '114°3′45″', '39°57′30″', '39°57′55″']);
    assert.deepEqual(shown.containing.map((c) => [c.scale, c.new]), [
      ['1:5000', 'J50H002002'], ['1:1万', 'J50G001001'], ['1:2.5万', 'J50F001001'], ['1:5万', 'J50E001001'],
      ['1:10万', 'J50D001001'], ['1:25万', 'J50C001001'], ['1:50万', 'J50B001001'], ['1:100万', 'J50'],
      ['1:20万', '']]);
    assert.equal(shown.containing.at(-1).old, 'J-50-I');
  });
  test('2012: refusals carry a reason', async () => {
    await edition(2012);
    await tab('sheet');
    for (const typed of ['J50I577001', 'J50K00012305', 'J50J0001000']) {
      await type('#number', typed);
      const shown = await sheetShown();
      assert.equal(shown.shown, false, typed);
      assert.notEqual(shown.error, '', typed);
    }
  });
  // Only a-z are capitalised: the dotless ı is no I, here as in tufu-cli.
  test('a dotless ı is refused', async () => {
    await edition(1992);
    await tab('sheet');
    for (const typed of ['ı50c001002', 'ı-48-xxxv', 'ı-49-15-b']) {
      await type('#number', typed);
      const shown = await sheetShown();
      assert.equal(shown.shown, false, typed);
      assert.equal(cli(['sheet', typed]).valid, false, typed);
    }
  });
});

// ---------------------------------------------------------------- neighbours

const NEIGHBOURS = [
  ['J50C001004', 1992, 'east across a zone border'],
  ['J50C001001', 1992, 'north across a row border'],
  ['A31', 1992, 'south-west corner of the numbering'],
  ['O60', 1992, 'north-east corner: nothing beyond 60° N or 180° E'],
  ['J50I003004', 1992, '1:20万 by its code'],
  ['I-48-XXXV', 1992, '1:20万 by its old number'],
  ['J50H192192', 1992, '1:5000 in the corner of a 1:100万 sheet'],
  ['K-49', 2012, '1:100万 in 2012'],
];

// The neighbours as tufu-cli gives them: from its neighbours command, or
// else as the sheets that hold the middle points of the eight cells around
// the sheet.
function expectedNeighbours(number, year) {
  const cell = (c) => (c ? { number: c.new || c.old, name: c.name } : null);
  if (has.neighbours) return cli(['neighbours', number], asked(year)).grid.map((row) => row.map(cell));
  year = asked(year);
  const s = cli(['sheet', number], year);
  const [w, so, e, n] = s.bounds;
  return [1, 0, -1].map((dy) => [-1, 0, 1].map((dx) => {
    const lon = w + (dx + 0.5) * (e - w), lat = so + (dy + 0.5) * (n - so);
    if (lon < 0 || lat < 0) return null;
    const p = cli(['point', lon.toFixed(9), lat.toFixed(9), '--scale', s.scale], year);
    return p.valid === false ? null : cell(p.sheets[0]);
  }));
}

describe('adjoining-sheet diagram', () => {
  for (const [number, year, what] of NEIGHBOURS) {
    test(`${number} (${what})`, async () => {
      await edition(year);
      await tab('sheet');
      await type('#number', number);
      const shown = (await sheetShown()).neighbours;
      assert.deepEqual(shown, expectedNeighbours(number, year));
    });
  }
  test('a neighbour chosen with the keyboard becomes the current sheet', async () => {
    await edition(1992);
    await page.focus('#tab-point');
    await page.keyboard.press('ArrowRight');
    assert.equal(await page.getAttribute('#tab-sheet', 'aria-selected'), 'true');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'number');
    await page.keyboard.press('ControlOrMeta+A');
    await page.keyboard.type('j50c001004');
    await page.focus('#adjoin [data-pos="12"]');
    await page.keyboard.press('Enter');
    assert.equal(await page.inputValue('#number'), 'J51C001001');
    await page.keyboard.press('Enter');
    assert.equal(await page.inputValue('#number'), 'J51C001002');
  });
});

// ---------------------------------------------------------------- contained block

const CONTAINS = [
  ['J50D005003', '1:1万'],
  ['J50', '1:2.5万'],
  ['I-48-XXXV', '1:10万'],
  ['J-50-C', '1:20万'],
  ['L-48-14-C-3', '1:5000'],
];

describe('contained block', () => {
  for (const [number, target] of CONTAINS) {
    test(`${number} at ${target}`, async () => {
      await edition(1992);
      await tab('sheet');
      await type('#number', number);
      await page.click(`#targets label[data-scale="${target}"]`);
      const shown = await corners('contains-result');
      const want = cli(['contains', number, '--scale', target]);
      assert.equal(shown.count, want.relation);
      for (const k of ['topleft', 'bottomleft', 'topright', 'bottomright']) assert.deepEqual(shown[k], want[k], k);
    });
  }
  test('only the scales that nest can be chosen', async () => {
    await edition(1992);
    await tab('sheet');
    await type('#number', 'C-50-[1]');  // 1:25万: 1:20万 does not nest in it
    const enabled = await page.$$eval('#targets input:not(:disabled)', (l) => l.map((i) => i.parentElement.dataset.scale));
    assert.deepEqual(enabled, ['1:10万', '1:5万', '1:2.5万', '1:1万', '1:5000']);
  });
});

// ---------------------------------------------------------------- block query and the sheet table

const BLOCKS = [
  // bounds or region, scale, and what 输出 gives: the table or the refusal
  { region: '北京', scale: '1:100万', table: true },
  { region: '江苏', scale: '1:100万', table: true },
  { region: '北京', scale: '1:25万', table: true },
  { region: '海南', scale: '1:20万', table: true },
  { w: '119,59', e: '120', s: '30', n: '30,1', scale: '1:5000', table: true },
  { w: '116', e: '116,5', s: '39,50', n: '39,52', scale: '1:5000', table: true },
  { w: '72', e: '96', s: '20', n: '40', scale: '1:10万', table: true },        // 60 × 48, the largest table
  { w: '72', e: '96', s: '20', n: '40,20', scale: '1:10万', table: false },    // 61 rows
  { w: '72', e: '96,30', s: '20', n: '40', scale: '1:10万', table: false },    // 49 columns
  { region: '新疆', scale: '1:10万', table: false },
];
const label = (c) => `${c.region || [c.w, c.e, c.s, c.n].join(' ')} at ${c.scale}`;

describe('block query and sheet table', () => {
  for (const c of BLOCKS) {
    test(label(c), async () => {
      await edition(1992);
      await blockQuery(c);
      const bounds = await boundsOf(c);
      const want = cli(['block', ...bounds, '--scale', c.scale]);
      const shown = await corners('block-result');
      assert.equal(shown.count, want.count);
      for (const k of ['topleft', 'bottomleft', 'topright', 'bottomright']) assert.deepEqual(shown[k], want[k], k);

      await page.click('#block-output .tools button:text-is("输出")');
      const alert = await textOf('#block-output .alert');
      if (!c.table) {
        assert.equal(alert, '图幅过大！最大输出60*48');
        assert.equal(await page.isHidden('#block-output .tablewrap'), true);
        return;
      }
      assert.equal(alert, '');
      const cells = await page.$$eval('#block-output svg g.cell', (gs) => gs.map((g) => ({
        new: g.querySelector('.new')?.textContent ?? '',
        old: g.querySelector('.old')?.textContent ?? '',
        name: Array.from(g.querySelectorAll('.name'), (t) => t.textContent).join(''),
      })));
      assert.equal(cells.length, want.rows * want.cols);
      const list = clilist([...bounds, '--scale', c.scale]).sheets;
      assert.deepEqual(cells, list.map((s) => ({ new: s.new, old: s.old, name: s.name })));
      await page.click('#block-output .tablewrap button:text-is("关闭")');
    });
  }

  test('a region fills the four bounds', async () => {
    await edition(1992);
    await tab('block');
    await page.selectOption('#region', '海南');
    assert.deepEqual(await boundsOf({ region: '海南' }), ['108', '111,30', '18', '20,20']);
  });
  test('refused bounds carry tufu-cli\'s reason', async () => {
    await edition(1992);
    for (const c of [{ w: '118', e: '114', s: '39', n: '41' }, { w: '114', e: '118', s: '41', n: '41' },
      { w: '114', e: '181', s: '39', n: '41' }]) {
      await blockQuery({ ...c, scale: '1:100万' });
      const want = cli(['block', c.w, c.e, c.s, c.n, '--scale', '1:100万']);
      assert.equal(await textOf('#block-error'), want.error);
      assert.equal(await corners('block-result'), null);
    }
  });
});

// ---------------------------------------------------------------- exports

const EXPORTS = [
  { region: '北京', scale: '1:25万' },
  { w: '114', e: '117', s: '38', n: '40', scale: '1:20万' },
  { w: '116', e: '116,5', s: '39,50', n: '39,52', scale: '1:5000' },
];
const near = (a, b) => Math.abs(a - b) < 1e-9;

function compareFeatures(features, list, scale) {
  assert.equal(features.length, list.length);
  features.forEach((f, i) => {
    const s = list[i], p = f.properties;
    assert.equal(p.new_no, s.new);
    assert.equal(p.old_no, s.old);
    assert.equal(p.name, s.name);
    assert.equal(p.scale, scale);
    assert.equal(p.denom, Number(scale.replace('1:', '').replace('万', '0000')));
    const [w, so, e, n] = s.bounds;
    assert.ok(near(p.west, w) && near(p.south, so) && near(p.east, e) && near(p.north, n), `${s.new || s.old} bounds`);
    assert.equal(f.geometry.type, 'Polygon');
    const xs = f.geometry.coordinates[0].map((q) => q[0]), ys = f.geometry.coordinates[0].map((q) => q[1]);
    assert.ok(near(Math.min(...xs), w) && near(Math.max(...xs), e) && near(Math.min(...ys), so) && near(Math.max(...ys), n));
  });
}

describe('exports', () => {
  for (const c of EXPORTS) {
    test(`GeoJSON and CSV: ${label(c)}`, async () => {
      await edition(1992);
      await blockQuery(c);
      const bounds = await boundsOf(c);
      const list = clilist([...bounds, '--scale', c.scale]).sheets;

      const geo = JSON.parse(await download(() => page.click('#block-output button:text-is("导出 GeoJSON")')));
      assert.equal(geo.type, 'FeatureCollection');
      assert.equal(geo.crs.properties.name, 'urn:ogc:def:crs:EPSG::4490');
      compareFeatures(geo.features, list, c.scale);

      const csv = (await download(() => page.click('#block-output button:text-is("导出 CSV")'))).replace(/^\ufeff/, '');
      const lines = csv.trimEnd().split('\r\n');
      assert.equal(lines[0], 'WKT,new_no,old_no,scale,denom,name,west,south,east,north');
      assert.equal(lines.length - 1, list.length);
      lines.slice(1).forEach((line, i) => {
        const f = line.match(/^"POLYGON \(\(.*\)\)",(.*)$/)[1].split(',');
        assert.deepEqual(f.slice(0, 3), [list[i].new, list[i].old, c.scale]);
        assert.equal(f[4], list[i].name);
        f.slice(5).map(Number).forEach((v, k) => assert.ok(near(v, list[i].bounds[k])));
      });
    });
  }

  // The same block through tufu-cli's own GeoJSON writer.
  for (const c of EXPORTS) {
    test(`GeoJSON against tufu-cli grid: ${label(c)}`, { skip: !has.grid && why('grid') }, async () => {
      await edition(1992);
      await blockQuery(c);
      const bounds = await boundsOf(c);
      const file = join(work, `grid-${EXPORTS.indexOf(c)}.geojson`);
      const r = run(['grid', '--bounds', ...bounds, '--scale', c.scale, '-o', file, '--overwrite']);
      assert.equal(r.status, 0, r.stderr);
      const theirs = JSON.parse(readFileSync(file, 'utf8')).features;
      const ours = JSON.parse(await download(() => page.click('#block-output button:text-is("导出 GeoJSON")'))).features;
      assert.equal(ours.length, theirs.length);
      const key = (f) => `${f.properties.new_no}|${f.properties.old_no}`;
      const byKey = new Map(theirs.map((f) => [key(f), f.properties]));
      for (const f of ours) {
        const t = byKey.get(key(f));
        assert.ok(t, key(f));
        for (const k of ['new_no', 'old_no', 'scale', 'name']) assert.equal(f.properties[k], t[k] ?? '', k);
        assert.equal(Number(f.properties.denom), Number(t.denom));
        for (const k of ['west', 'south', 'east', 'north']) assert.ok(near(f.properties[k], t[k]), k);
      }
    });
  }

  test('SVG and PNG of the sheet table', async () => {
    await edition(1992);
    await blockQuery({ region: '北京', scale: '1:25万' });
    await page.click('#block-output .tools button:text-is("输出")');
    const svg = await download(() => page.click('#block-output button:text-is("保存 SVG")'));
    assert.match(svg, /^<\?xml/);
    assert.match(svg, /1:25万地形图分幅表/);
    assert.equal((svg.match(/<g class="cell"/g) || []).length, (await corners('block-result')).count.split('*').reduce((a, b) => a * b));
    const [d] = await Promise.all([page.waitForEvent('download'),
      page.click('#block-output button:text-is("保存 PNG")')]);
    const png = readFileSync(await d.path());
    assert.equal(png.subarray(1, 4).toString(), 'PNG');
    const width = png.readUInt32BE(16), height = png.readUInt32BE(20);
    const size = await page.$eval('#block-output svg', (s) => [Number(s.getAttribute('width')), Number(s.getAttribute('height'))]);
    assert.deepEqual([width, height], size.map(Math.ceil));
  });
});

// ---------------------------------------------------------------- names, edition, phone

describe('name files, edition, phone width', () => {
  test('a merged name file names sheets everywhere', async () => {
    const good = join(work, 'names.tsv');
    writeFileSync(good, '# own names\nJ50C001002\t测试图名\nJ50I001003\t二十万测试\n');
    await edition(1992);
    await page.setInputFiles('#namesfile', good);
    await page.waitForFunction(() => document.getElementById('namesstatus').textContent.includes('names.tsv'));
    await tab('point');
    await type('#lon', '116,23,30');
    await type('#lat', '39,54,30');
    comparePoint(await pointRows(), cli(['--names', good, 'point', '116,23,30', '39,54,30']));
    await blockQuery({ region: '北京', scale: '1:25万' });
    await page.click('#block-output .tools button:text-is("输出")');
    const names = await page.$$eval('#block-output svg .name', (t) => t.map((x) => x.textContent));
    assert.ok(names.includes('测试图名'));
    await page.click('#namesclear');
    await tab('point');
    assert.equal((await pointRows())[2].name, '');
  });

  test('a name file dropped onto the page is merged', async () => {
    await edition(1992);
    await page.evaluate(() => {
      const dt = new DataTransfer();
      dt.items.add(new File(['K50\t拖放测试\n'], 'dropped.tsv', { type: 'text/tab-separated-values' }));
      for (const type of ['dragenter', 'dragover', 'drop']) {
        document.body.dispatchEvent(new DragEvent(type, { dataTransfer: dt, bubbles: true, cancelable: true }));
      }
    });
    await page.waitForFunction(() => document.getElementById('namesstatus').textContent.includes('dropped.tsv'));
    await tab('sheet');
    await type('#number', 'J50');
    assert.equal((await sheetShown()).neighbours[0][1].name, '拖放测试');
    await page.click('#namesclear');
    assert.equal((await sheetShown()).neighbours[0][1].name, '张家口');
  });

  const BAD = [
    ['J50C001002\t甲\nJ50C001003\n', 'no tab'],
    ['# x\n\nJ50F001001\t乙\n', 'a key of a scale without names'],
    ['J50C001002\t甲\nJ50C001002\t乙\n', 'a repeated key'],
    ['J50C001002\t一二三四五六七八九十一二三四五六\n', 'a name too long'],
  ];
  for (const [text, what] of BAD) {
    test(`a bad name file is refused with its line: ${what}`, async () => {
      const file = join(work, 'bad.tsv');
      writeFileSync(file, text);
      const r = run(['--names', file, 'point', '116', '39']);
      assert.equal(r.status, 2);
      const want = r.stderr.trim().replace(`tufu-cli: ${file}`, 'bad.tsv');
      await page.setInputFiles('#namesfile', file);
      await page.waitForFunction(() => document.getElementById('namesstatus').textContent.includes('bad.tsv'));
      assert.equal(await textOf('#namesstatus'), `图名表有误,未合并: ${want}`);
    });
  }

  test('the edition is remembered', async () => {
    await edition(2012);
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    assert.equal(await page.inputValue('#edition'), '2012');
    assert.equal((await pointRows()).length, 12);
    await edition(1992);
    await page.reload();
    await page.waitForSelector('html[data-ready="1"]');
    assert.equal(await page.inputValue('#edition'), '1992');
    assert.equal((await pointRows()).length, 9);
  });

  test('nothing is wider than a phone', async () => {
    await page.setViewportSize({ width: 360, height: 740 });
    try {
      for (const year of [1992, 2012]) {
        await edition(year);
        for (const name of ['point', 'sheet', 'block']) {
          await tab(name);
          const wide = await page.evaluate(() => document.documentElement.scrollWidth);
          assert.ok(wide <= 360, `${name} in ${year}: ${wide} px wide`);
        }
      }
    } finally {
      await page.setViewportSize({ width: 1280, height: 900 });
    }
  });

  test('no request left the page, no script error', () => {
    assert.deepEqual(browser.requests, []);
    assert.deepEqual(browser.errors, []);
  });
});
