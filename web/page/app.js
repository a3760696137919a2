// The page: fields, live results, the sheet table and the exports.
//
// Every number, edge, size and name comes from the WebAssembly module
// (TufuModule, the same core as the desktop program); this script only
// shows what it returns and hands back what it was given.
'use strict';

(function () {
  const EXPORT_LIMIT = 100000;  // sheets in one GeoJSON or CSV export
  const EDITION_KEY = 'tufu-edition';

  // Sheet table geometry in twips (1/1440 inch; 15 to a pixel at 96 dpi).
  const GRID_LEFT = 1000, GRID_TOP = 1000, CELL_W = 1500, CELL_H = 1000;
  const TWIPS_PER_PX = 15;

  const $ = (id) => document.getElementById(id);
  const el = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined) e.textContent = text;
    return e;
  };

  // Texts are written only when they change, so that a keystroke lays out
  // only what it changed.
  const put = (e, text) => {
    if (e.textContent !== text) e.textContent = text;
  };

  let tufu = null;     // the module's Tufu: edition and merged names
  let tableLimit = null;  // the largest sheet table and its refusal, from the module
  let exportFields = null;  // the fields of an exported sheet, in order, from the module
  let scales = [];     // the edition's scales in list order
  const merged = [];   // names of the merged name files

  // ------------------------------------------------------------ storage

  function storedEdition() {
    try {
      return window.localStorage.getItem(EDITION_KEY) === '2012' ? 2012 : 1992;
    } catch (e) {
      return 1992;
    }
  }
  function storeEdition(year) {
    try {
      window.localStorage.setItem(EDITION_KEY, String(year));
    } catch (e) { /* storage refused: the choice lasts for this visit */ }
  }

  // ------------------------------------------------------------ tabs

  function setupTabs() {
    const tabs = Array.from(document.querySelectorAll('[role=tab]'));
    const select = (tab, focus) => {
      for (const t of tabs) {
        const on = t === tab;
        t.setAttribute('aria-selected', on ? 'true' : 'false');
        t.tabIndex = on ? 0 : -1;
        $(t.getAttribute('aria-controls')).hidden = !on;
      }
      if (focus) tab.focus();
    };
    tabs.forEach((tab, i) => {
      tab.addEventListener('click', () => select(tab, false));
      tab.addEventListener('keydown', (e) => {
        let next = -1;
        if (e.key === 'ArrowRight') next = (i + 1) % tabs.length;
        else if (e.key === 'ArrowLeft') next = (i + tabs.length - 1) % tabs.length;
        else if (e.key === 'Home') next = 0;
        else if (e.key === 'End') next = tabs.length - 1;
        if (next < 0) return;
        e.preventDefault();
        select(tabs[next], true);
      });
    });
    return (id) => select($(id), false);
  }
  let showTab = null;

  // ------------------------------------------------------------ point query

  const pointRows = [];  // one row per scale: the cells to fill

  function buildPointRows() {
    const body = document.querySelector('#point-result tbody');
    body.textContent = '';
    pointRows.length = 0;
    // Captions of the cells where the table is laid out as cards (phones).
    const heads = ['比例尺', '新', '旧', '经度', '纬度', '经差', '纬差', '图名'];
    for (const sc of scales) {
      const tr = el('tr');
      tr.dataset.scale = sc.label;
      const cells = heads.map((h) => {
        const td = el('td');
        td.dataset.h = h;
        tr.append(td);
        return td;
      });
      cells[0].textContent = sc.label;
      const row = { tr, cells, newb: numberButton(), oldb: numberButton() };
      row.newb.dataset.f = 'new';
      row.oldb.dataset.f = 'old';
      cells[1].append(row.newb);
      cells[2].append(row.oldb);
      row.edges = {};
      for (const [td, a, b] of [[cells[3], 'west', 'east'], [cells[4], 'south', 'north']]) {
        for (const key of [a, '', b]) {
          const span = el('span', key ? '' : 'dash');
          if (key) {
            span.dataset.f = key;
            row.edges[key] = span;
          }
          td.append(span);
        }
      }
      cells[5].dataset.f = 'lonsize';
      cells[6].dataset.f = 'latsize';
      cells[7].dataset.f = 'name';
      body.append(tr);
      pointRows.push(row);
    }
  }

  // A number that takes the user to the sheet-number query.
  function numberButton() {
    const b = el('button', 'num');
    b.type = 'button';
    b.addEventListener('click', () => {
      if (!b.dataset.query) return;
      $('number').value = b.dataset.query;
      sheetQuery();
      showTab('tab-sheet');
      $('number').focus();
    });
    return b;
  }

  function setNumber(b, shown, query) {
    put(b, shown);
    if (b.dataset.query !== query) b.dataset.query = query;
    if (b.hidden !== (shown === '')) b.hidden = shown === '';
  }

  function pointQuery() {
    const lon = $('lon').value, lat = $('lat').value;
    const r = lon === '' || lat === '' ? null : tufu.point(lon, lat);
    put($('point-error'), r && !r.valid ? r.error : '');
    put($('point-where'), r && r.valid ? `点位: 东经 ${r.lon}, 北纬 ${r.lat}` : '');
    pointRows.forEach((row, i) => {
      const s = r && r.valid ? r.sheets[i] : null;
      const c = row.cells;
      setNumber(row.newb, s ? s.new : '', s ? s.query : '');
      setNumber(row.oldb, s ? s.old : '', s ? s.query : '');
      for (const key of ['west', 'east', 'south', 'north']) put(row.edges[key], s ? s[key] : '');
      if (row.tr.classList.contains('empty') !== !s) row.tr.classList.toggle('empty', !s);
      put(c[5], s ? s.lonsize : '');
      put(c[6], s ? s.latsize : '');
      put(c[7], s ? s.name : '');
    });
  }

  // ------------------------------------------------------------ sheet query

  let adjoinCells = [];

  function buildAdjoin() {
    const box = $('adjoin');
    box.textContent = '';
    adjoinCells = [];
    const where = [['西北', '北', '东北'], ['西', '本幅', '东'], ['西南', '南', '东南']];
    for (let r = 0; r < 3; ++r) {
      for (let c = 0; c < 3; ++c) {
        const self = r === 1 && c === 1;
        const cell = el(self ? 'div' : 'button', self ? 'self' : '');
        if (!self) {
          cell.type = 'button';
          cell.addEventListener('click', () => {
            if (!cell.dataset.query) return;
            $('number').value = cell.dataset.query;
            sheetQuery();
          });
        }
        cell.dataset.pos = `${r}${c}`;
        cell.dataset.where = where[r][c];
        const nm = el('span', 'nm'), num = el('span', 'num');
        cell.append(nm, num);
        box.append(cell);
        adjoinCells.push({ cell, nm, num, self });
      }
    }
  }

  function showAdjoin(grid) {
    adjoinCells.forEach((a, i) => {
      const n = grid ? grid[Math.floor(i / 3)][i % 3] : null;
      const number = n ? (n.new || n.old) : '';
      put(a.nm, n && n.name ? n.name : '');
      put(a.num, number);
      a.cell.dataset.query = n ? n.query : '';
      a.cell.classList.toggle('none', !n);
      if (!a.self) {
        a.cell.disabled = !n;
        a.cell.setAttribute('aria-label', n ? `${a.cell.dataset.where}: ${n.label}` : `${a.cell.dataset.where}: 无`);
      }
      a.cell.title = n ? [n.new, n.old, n.name].filter(Boolean).join(' ') : '';
    });
  }

  function fillFacts(box, r) {
    for (const f of box.querySelectorAll('[data-f]')) {
      const key = f.dataset.f;
      put(f, r && key in r ? r[key] : '');
    }
  }

  let chosenTarget = -1;  // the scale chosen for the contained block

  function sheetQuery() {
    const input = $('number');
    // Letters a–z are taken as capitals as they are typed; no other letter
    // is (toUpperCase would turn the dotless ı into I).
    if (/[a-z]/.test(input.value)) {
      const at = input.selectionStart, end = input.selectionEnd;
      input.value = input.value.replace(/[a-z]/g, (c) => c.toUpperCase());
      input.setSelectionRange(at, end);
    }
    const text = input.value;
    const r = text === '' ? null : tufu.sheet(text);
    const ok = r && r.valid;
    $('sheet-error').textContent = r && !ok ? r.error : '';
    const result = $('sheet-result');
    result.classList.toggle('empty', !ok);
    if (ok) {
      const isnew = r.numbering === 'new';
      $('sheet-kind').textContent = isnew ? '该编号为新图幅编号' : '该编号为旧图幅编号';
      $('sheet-counterpart-label').textContent = isnew ? '对应旧编号为:' : '对应新编号为:';
      r.counterpart = isnew ? r.old : r.new;
    } else {
      $('sheet-kind').textContent = '该编号为  图幅编号';
      $('sheet-counterpart-label').textContent = '对应  编号为:';
    }
    fillFacts(result, ok ? r : null);

    const body = document.querySelector('#containing tbody');
    body.textContent = '';
    if (ok) {
      for (const c of r.containing) {
        const tr = el('tr');
        tr.dataset.scale = c.scale;
        tr.append(el('td', '', c.scale));
        for (const key of ['new', 'old']) {
          const td = el('td');
          const b = numberButton();
          b.dataset.f = key;
          setNumber(b, c[key], c.query);
          td.append(b);
          tr.append(td);
        }
        const nm = el('td', '', c.name);
        nm.dataset.f = 'name';
        tr.append(nm);
        body.append(tr);
      }
      if (r.containing.length === 0) {
        const td = el('td', 'none', '无');
        td.colSpan = 4;
        const tr = el('tr');
        tr.append(td);
        body.append(tr);
      }
    }
    showAdjoin(ok ? r.neighbours : null);
    showTargets(ok ? r.targets : []);
    containsQuery();
  }

  // The scales whose blocks the sheet contains, as a row of choices.
  function showTargets(ids) {
    const box = $('targets');
    if (ids.length && !ids.includes(chosenTarget)) chosenTarget = ids[0];
    for (const input of box.querySelectorAll('input')) {
      const id = Number(input.value);
      input.disabled = !ids.includes(id);
      input.checked = id === chosenTarget && !input.disabled;
    }
    markChoices(box);
  }

  function containsQuery() {
    const text = $('number').value;
    const input = document.querySelector('#targets input:checked');
    const r = text === '' || !input ? null : tufu.contains(text, Number(input.value));
    $('contains-error').textContent = r && !r.valid && text !== '' && $('sheet-error').textContent === '' ? r.error : '';
    showCorners($('contains-result'), r && r.valid ? r : null, 'relation');
    outputs.contains.set(r && r.valid ? r : null);
  }

  // ------------------------------------------------------------ block query

  function blockQuery() {
    const input = document.querySelector('#block-scales input:checked');
    const v = (id) => $(id).value;
    const filled = ['west', 'east', 'south', 'north'].every((id) => v(id) !== '');
    const r = !filled || !input ? null : tufu.block(v('west'), v('east'), v('south'), v('north'), Number(input.value));
    $('block-error').textContent = r && !r.valid ? r.error : '';
    showCorners($('block-result'), r && r.valid ? r : null, 'count');
    outputs.block.set(r && r.valid ? r : null);
  }

  function chooseRegion() {
    const name = $('region').value;
    const region = regions.find((g) => g.name === name);
    if (region) for (const k of ['west', 'east', 'south', 'north']) $(k).value = region[k];
    blockQuery();
  }

  // A typed bound makes the region list read 自定义 again, unless the four
  // fields still hold the region's bounds.
  function boundTyped() {
    const region = regions.find((g) => g.name === $('region').value);
    if (region && ['west', 'east', 'south', 'north'].some((k) => $(k).value !== region[k])) $('region').value = '';
    blockQuery();
  }
  let regions = [];

  // ------------------------------------------------------------ corners

  function showCorners(box, r, countkey) {
    box.classList.toggle('empty', !r);
    box.textContent = '';
    if (!r) return;
    const places = [['topleft', 'tl', '左上'], ['topright', 'tr', '右上'],
      ['bottomleft', 'bl', '左下'], ['bottomright', 'br', '右下']];
    for (const [key, cls, tag] of places) {
      const c = r[key];
      const d = el('div', `corner ${cls}`);
      d.dataset.corner = key;
      const n = el('span', 'num mono', c.new);
      n.dataset.f = 'new';
      const o = el('span', 'num mono', c.old);
      o.dataset.f = 'old';
      const nm = el('span', 'nm', c.name);
      nm.dataset.f = 'name';
      d.append(el('span', 'tag', tag), n, o, nm);
      d.style.gridRow = cls[0] === 't' ? '1' : '3';
      d.style.gridColumn = cls[1] === 'l' ? '1' : '3';
      box.append(d);
    }
    const count = el('div', 'count', r[countkey]);
    count.dataset.f = countkey;
    box.append(count);
  }

  // ------------------------------------------------------------ output

  // The output area under a block: the sheet table and the exports.
  class Output {
    constructor(box) {
      this.box = box;
      this.result = null;
      this.open = false;
      this.pending = 0;
      const tools = el('div', 'tools');
      this.tableButton = this.button(tools, '输出', () => this.showTable());
      this.button(tools, '导出 GeoJSON', () => this.exportGeoJSON());
      this.button(tools, '导出 CSV', () => this.exportCSV());
      this.alert = el('p', 'alert');
      this.alert.setAttribute('role', 'alert');
      this.wrap = el('div', 'tablewrap');
      this.wrap.hidden = true;
      const wtools = el('div', 'tools');
      this.button(wtools, '保存 SVG', () => this.saveSVG());
      this.button(wtools, '保存 PNG', () => this.savePNG());
      this.button(wtools, '关闭', () => this.close());
      this.scroll = el('div', 'tablescroll');
      this.scroll.tabIndex = 0;
      this.scroll.setAttribute('aria-label', '分幅表');
      this.wrap.append(wtools, this.scroll);
      box.append(tools, this.alert, this.wrap);
      this.tools = tools;
    }

    button(parent, text, act) {
      const b = el('button', '', text);
      b.type = 'button';
      b.addEventListener('click', act);
      parent.append(b);
      return b;
    }

    set(result) {
      this.result = result;
      for (const b of this.tools.querySelectorAll('button')) b.disabled = !result;
      this.alert.textContent = '';
      if (this.open) this.redraw();
    }

    tooLarge() {
      const r = this.result;
      return r.rows > tableLimit.rows || r.cols > tableLimit.cols;
    }

    showTable() {
      if (!this.result) return;
      if (this.tooLarge()) {
        this.alert.textContent = tableLimit.refusal;
        return;
      }
      this.open = true;
      this.wrap.hidden = false;
      this.draw();
      this.scroll.focus({ preventScroll: true });
      this.wrap.scrollIntoView({ block: 'nearest' });
    }

    close() {
      this.open = false;
      this.wrap.hidden = true;
      this.scroll.textContent = '';
      this.tableButton.focus();
    }

    // The open table follows the block.  A large table takes a tenth of a
    // second to draw, so it is drawn when typing pauses, after the results
    // of the keystrokes have been shown.
    redraw() {
      clearTimeout(this.pending);
      this.pending = setTimeout(() => {
        if (this.open) this.draw();
      }, 150);
    }

    draw() {
      const r = this.result;
      if (!r || this.tooLarge()) {
        this.scroll.textContent = '';
        this.svgText = '';
        if (r) this.alert.textContent = tableLimit.refusal;
        return;
      }
      const t = tufu.table(r.block);
      this.svgText = tableSVG(t);
      this.scroll.innerHTML = this.svgText;
      this.size = { w: tableWidth(t) / TWIPS_PER_PX, h: tableHeight(t) / TWIPS_PER_PX };
    }

    fileName(ext) {
      const r = this.result;
      const sw = r.bottomleft.query || 'block';
      return `tufu_${r.block.rows}x${r.block.cols}_${sw}.${ext}`.replace(/[\\/:*?"<>|]/g, '_');
    }

    list() {
      const r = this.result;
      if (!r) return null;
      const sheets = r.rows * r.cols > EXPORT_LIMIT ? null : tufu.sheets(r.block, EXPORT_LIMIT);
      if (!sheets) this.alert.textContent = `图幅过多！最多导出${EXPORT_LIMIT}幅`;
      return sheets;
    }

    exportGeoJSON() {
      const sheets = this.list();
      if (!sheets) return;
      const features = sheets.map((s) => ({
        type: 'Feature',
        properties: s,
        geometry: {
          type: 'Polygon',
          coordinates: [[[s.west, s.south], [s.east, s.south], [s.east, s.north], [s.west, s.north], [s.west, s.south]]],
        },
      }));
      const doc = {
        type: 'FeatureCollection',
        name: this.fileName('geojson').replace(/\.geojson$/, ''),
        crs: { type: 'name', properties: { name: 'urn:ogc:def:crs:EPSG::4490' } },
        features,
      };
      const text = '{"type":"FeatureCollection","name":' + JSON.stringify(doc.name) +
        ',"crs":' + JSON.stringify(doc.crs) + ',"features":[\n' +
        features.map((f) => JSON.stringify(f)).join(',\n') + '\n]}\n';
      download(this.fileName('geojson'), new Blob([text], { type: 'application/geo+json' }));
    }

    exportCSV() {
      const sheets = this.list();
      if (!sheets) return;
      const keys = exportFields;
      const quote = (v) => {
        const s = String(v);
        return /[",\r\n]/.test(s) ? '"' + s.replace(/"/g, '""') + '"' : s;
      };
      const lines = ['WKT,' + keys.join(',')];
      for (const s of sheets) {
        const wkt = `POLYGON ((${s.west} ${s.south},${s.east} ${s.south},${s.east} ${s.north},${s.west} ${s.north},${s.west} ${s.south}))`;
        lines.push([wkt, ...keys.map((k) => s[k])].map(quote).join(','));
      }
      // A byte order mark, so that spreadsheet programs read the names as UTF-8.
      download(this.fileName('csv'), new Blob(['\ufeff' + lines.join('\r\n') + '\r\n'], { type: 'text/csv' }));
    }

    saveSVG() {
      if (!this.svgText) return;
      download(this.fileName('svg'), new Blob(['<?xml version="1.0" encoding="UTF-8"?>\n' + this.svgText],
        { type: 'image/svg+xml' }));
    }

    savePNG() {
      if (!this.svgText) return;
      const { w, h } = this.size;
      const url = URL.createObjectURL(new Blob([this.svgText], { type: 'image/svg+xml' }));
      const img = new Image();
      img.onload = () => {
        const canvas = document.createElement('canvas');
        canvas.width = Math.ceil(w);
        canvas.height = Math.ceil(h);
        const g = canvas.getContext('2d');
        g.fillStyle = '#fff';
        g.fillRect(0, 0, canvas.width, canvas.height);
        g.drawImage(img, 0, 0, canvas.width, canvas.height);
        URL.revokeObjectURL(url);
        canvas.toBlob((blob) => {
          if (blob) download(this.fileName('png'), blob);
          else this.alert.textContent = '无法生成PNG图片';
        }, 'image/png');
      };
      img.onerror = () => {
        URL.revokeObjectURL(url);
        this.alert.textContent = '无法生成PNG图片';
      };
      img.src = url;
    }
  }
  const outputs = {};

  function download(name, blob) {
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    a.hidden = true;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  }

  // ------------------------------------------------------------ sheet table

  function tableWidth(t) { return Math.max(CELL_W * t.cols + 2 * GRID_LEFT, 8000); }
  function tableHeight(t) { return CELL_H * t.rows + GRID_TOP + 500; }

  const escapeXML = (s) => s.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);

  // The sheet division table as SVG in twips: the title, parallels and
  // meridians with their values, and per cell the new number, the old number
  // and the name over at most two lines of seven characters.
  function tableSVG(t) {
    const W = tableWidth(t), H = tableHeight(t);
    const right = GRID_LEFT + CELL_W * t.cols, bottom = GRID_TOP + CELL_H * t.rows;
    const out = [];
    const text = (x, y, s, cls) => out.push(`<text x="${x}" y="${y}"${cls ? ` class="${cls}"` : ''}>${escapeXML(s)}</text>`);
    out.push(`<svg xmlns="http://www.w3.org/2000/svg" width="${W / TWIPS_PER_PX}" height="${H / TWIPS_PER_PX}" viewBox="0 0 ${W} ${H}" font-size="180" font-family="DejaVu Sans, Noto Sans CJK SC, Microsoft YaHei, PingFang SC, sans-serif" dominant-baseline="hanging">`);
    out.push('<style>.n{fill:#0000ff}.m{fill:#ff0000}line{stroke:#000}</style>');
    out.push(`<rect width="${W}" height="${H}" fill="#fff"/>`);
    out.push(`<text x="${W / 2}" y="300" text-anchor="middle" class="title" xml:space="preserve">${escapeXML(t.title)}</text>`);
    out.push('<g class="graticule">');
    t.lats.forEach((l, i) => {
      const y = GRID_TOP + CELL_H * i;
      out.push(`<line x1="${GRID_LEFT}" y1="${y}" x2="${right}" y2="${y}" stroke-width="${l.weight * TWIPS_PER_PX}"/>`);
      text(100, y + 20, l.text, 'lat');
    });
    t.lons.forEach((l, i) => {
      const x = GRID_LEFT + CELL_W * i;
      out.push(`<line x1="${x}" y1="${GRID_TOP}" x2="${x}" y2="${bottom}" stroke-width="${l.weight * TWIPS_PER_PX}"/>`);
      text(x - 400, 700, l.text, 'lon');
    });
    out.push('</g>');
    t.cells.forEach((c, i) => {
      const row = Math.floor(i / t.cols), col = i % t.cols;
      const x = GRID_LEFT + CELL_W * col + 100, y = GRID_TOP + CELL_H * row;
      out.push(`<g class="cell" data-row="${row}" data-col="${col}">`);
      if (c.new) text(x, y + 100, c.new, 'n new');
      if (c.old) text(x, y + 350, c.old, 'n old');
      if (c.name) {
        const chars = Array.from(c.name);
        text(x, y + 600, chars.slice(0, 7).join(''), 'm name');
        if (chars.length > 7) text(x, y + 800, chars.slice(7).join(''), 'm name');
      }
      out.push('</g>');
    });
    out.push('</svg>');
    return out.join('');
  }

  // ------------------------------------------------------------ names

  async function mergeFiles(files) {
    const status = $('namesstatus');
    for (const file of files) {
      const bytes = new Uint8Array(await file.arrayBuffer());
      const error = tufu.mergeNames(bytes, file.name);
      if (error) {
        status.textContent = `图名表有误,未合并: ${error}`;
        status.classList.add('bad');
        return;
      }
      merged.push(file.name);
    }
    status.textContent = merged.length ? `已合并图名表: ${merged.join(', ')}` : '';
    status.classList.remove('bad');
    $('namesclear').hidden = merged.length === 0;
    refresh();
  }

  function clearNames() {
    tufu.clearNames();
    merged.length = 0;
    $('namesstatus').textContent = '已恢复内置图名';
    $('namesstatus').classList.remove('bad');
    $('namesclear').hidden = true;
    refresh();
  }

  function setupDrop() {
    let depth = 0;
    const hasFiles = (e) => e.dataTransfer && Array.from(e.dataTransfer.types).includes('Files');
    document.addEventListener('dragenter', (e) => {
      if (!hasFiles(e)) return;
      e.preventDefault();
      depth++;
      document.body.classList.add('dragging');
    });
    document.addEventListener('dragleave', () => {
      if (--depth <= 0) { depth = 0; document.body.classList.remove('dragging'); }
    });
    document.addEventListener('dragover', (e) => { if (hasFiles(e)) e.preventDefault(); });
    document.addEventListener('drop', (e) => {
      if (!hasFiles(e)) return;
      e.preventDefault();
      depth = 0;
      document.body.classList.remove('dragging');
      mergeFiles(Array.from(e.dataTransfer.files));
    });
  }

  // ------------------------------------------------------------ edition

  // The look of a row of scale choices follows its radio buttons (a class
  // on each label, for browsers without :has()).
  function markChoices(box) {
    for (const input of box.querySelectorAll('input')) {
      input.parentElement.classList.toggle('on', input.checked);
      input.parentElement.classList.toggle('off', input.disabled);
    }
  }

  function scaleChoices(box, name, onchange, keep) {
    const before = box.querySelector('input:checked');
    box.textContent = '';
    for (const sc of scales) {
      const label = el('label');
      const input = el('input');
      input.type = 'radio';
      input.name = name;
      input.value = String(sc.id);
      input.addEventListener('change', () => {
        markChoices(box);
        onchange();
      });
      input.addEventListener('focus', () => {
        let keyboard = true;
        try { keyboard = input.matches(':focus-visible'); } catch (e) { /* older browsers */ }
        label.classList.toggle('focus', keyboard);
      });
      input.addEventListener('blur', () => label.classList.remove('focus'));
      label.append(input, sc.short);
      label.dataset.scale = sc.label;
      box.append(label);
    }
    const want = before ? before.value : keep;
    const input = box.querySelector(`input[value="${want}"]`) || box.querySelector('input');
    input.checked = true;
    markChoices(box);
  }

  function setEdition(year) {
    tufu.setEdition(year);
    scales = tufu.scaleList();
    document.body.classList.toggle('e2012', year === 2012);
    $('edition').value = String(year);
    buildPointRows();
    scaleChoices($('block-scales'), 'bscale', blockQuery, '0');
    scaleChoices($('targets'), 'tscale', () => {
      chosenTarget = Number(document.querySelector('#targets input:checked').value);
      containsQuery();
    }, '1');
    refresh();
  }

  function refresh() {
    pointQuery();
    sheetQuery();
    blockQuery();
  }

  // ------------------------------------------------------------ start

  function start(module) {
    performance.mark('tufu-module');
    tufu = new module.Tufu();
    tableLimit = tufu.tableLimit();
    exportFields = tufu.exportFields();
    showTab = setupTabs();
    buildAdjoin();
    outputs.block = new Output($('block-output'));
    outputs.contains = new Output($('contains-output'));
    regions = tufu.regionList();
    for (const g of regions) {
      const o = el('option', '', g.name);
      o.value = g.name;
      $('region').append(o);
    }
    $('region').value = '北京';

    $('lon').addEventListener('input', pointQuery);
    $('lat').addEventListener('input', pointQuery);
    $('number').addEventListener('input', sheetQuery);
    for (const b of document.querySelectorAll('button.ex')) {
      b.addEventListener('click', () => {
        $('number').value = b.textContent;
        sheetQuery();
        $('number').focus();
      });
    }
    for (const id of ['west', 'east', 'south', 'north']) $(id).addEventListener('input', boundTyped);
    $('region').addEventListener('change', chooseRegion);
    $('edition').addEventListener('change', () => {
      const year = Number($('edition').value);
      storeEdition(year);
      setEdition(year);
    });
    $('namesfile').addEventListener('change', (e) => {
      mergeFiles(Array.from(e.target.files));
      e.target.value = '';
    });
    $('namesclear').addEventListener('click', clearNames);
    setupDrop();

    setEdition(storedEdition());
    document.documentElement.dataset.ready = '1';
    performance.mark('tufu-first-answer');
  }

  // eslint-disable-next-line no-undef
  TufuModule().then(start, (e) => {
    document.body.prepend(el('p', 'error', '无法启动计算核心: ' + e));
  });
})();
