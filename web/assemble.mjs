// Puts the page together: index.html with style.css inlined at <!--STYLE-->
// and the Emscripten module followed by app.js inlined at <!--SCRIPT-->, so
// that the one file works from a file:// URL with nothing beside it.
//   node assemble.mjs PAGE_DIR MODULE_JS OUT_HTML
import { readFileSync, writeFileSync, renameSync } from 'node:fs';
import { join } from 'node:path';

const [pagedir, modulejs, out] = process.argv.slice(2);
if (!out) {
  console.error('usage: node assemble.mjs PAGE_DIR MODULE_JS OUT_HTML');
  process.exit(2);
}

const read = (f) => readFileSync(f, 'utf8');
const html = read(join(pagedir, 'index.html'));
const css = read(join(pagedir, 'style.css'));
const script = read(modulejs) + '\n' + read(join(pagedir, 'app.js'));

// Text that would end or confuse an inline element cannot be inlined.
for (const [what, text, bad] of [
  ['style', css, /<\/style/i],
  ['script', script, /<\/script|<!--/i],
]) {
  const m = bad.exec(text);
  if (m) {
    console.error(`assemble: the ${what} holds "${m[0]}" at offset ${m.index}`);
    process.exit(1);
  }
}

const parts = html.split(/<!--(STYLE|SCRIPT)-->/);
if (parts.length !== 5 || parts[1] !== 'STYLE' || parts[3] !== 'SCRIPT') {
  console.error('assemble: index.html needs <!--STYLE--> and then <!--SCRIPT--> once each');
  process.exit(1);
}
const page = parts[0] + '<style>\n' + css + '</style>' + parts[2] + '<script>\n' + script +
  '</script>' + parts[4];
writeFileSync(out + '.tmp', page);
renameSync(out + '.tmp', out);
