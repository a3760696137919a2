// Headless Debian Chromium for the page's tests, benchmarks and screenshots,
// with a fresh profile and every request that leaves the local file watched.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

export const CHROMIUM = process.env.TUFU_CHROMIUM || '/usr/bin/chromium';
// This machine has no network; nothing in the browser may try to reach one.
export const ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

export function pageurl(html = process.env.TUFU_HTML) {
  if (!html) throw new Error('TUFU_HTML names no page (the built tufu.html)');
  return pathToFileURL(resolve(html)).href;
}

// Starts Chromium.  `requests` collects every URL that the page asks for
// other than its own file: and blob: URLs; such requests are refused.
export async function launch({ width = 1280, height = 900, mobile = false } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'tufu-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    args: ARGS,
    viewport: { width, height },
    deviceScaleFactor: 1,
    isMobile: mobile,
    hasTouch: mobile,
    acceptDownloads: true,
    locale: 'zh-CN',
  });
  const requests = [];
  const local = (url) => url.startsWith('file:') || url.startsWith('blob:');
  context.on('request', (r) => { if (!local(r.url())) requests.push(r.url()); });
  await context.route('**/*', (route) => {
    const url = route.request().url();
    if (local(url)) return route.continue();
    requests.push(url);
    return route.abort();
  });
  const page = context.pages()[0] || await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  return {
    context, page, requests, errors,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens the page and waits for its first answer.
export async function open(page, url = pageurl()) {
  await page.goto(url);
  await page.waitForSelector('html[data-ready="1"]', { timeout: 20000 });
}
