// Loads every page of SITE_DIR that has a model beside it (PAGE.model.json,
// what `htmlmemdoc show --json` reads from PAGE.htm) in headless Chromium
// (the system's browser, driven by playwright-core) and checks, per layer,
// that what the browser lays out is what the document model says: the
// div's box (left, top, width, height), its computed visibility and
// z-index, a text layer's visible text, and that an image layer's image
// loads from the file the model names. Saves a full-page screenshot of each
// page. Exits 0 when every check holds, 1 when one fails, and 77 (skipped)
// when Chromium or playwright-core is not installed.
//
// Usage: node check_pages.mjs SITE_DIR SCREENSHOT_DIR

import fs from 'node:fs';
import path from 'node:path';

import {launchBrowser} from './browser.mjs';

const [siteDir, shotDir] = process.argv.slice(2);

// What the browser shows of each layer's div.
function measure(ids) {
  return ids.map((id) => {
    const div = document.getElementById(id);
    if (!div) return null;
    const box = div.getBoundingClientRect();
    const style = getComputedStyle(div);
    const img = div.querySelector('img');
    return {
      left: box.left + window.scrollX,
      top: box.top + window.scrollY,
      width: box.width,
      height: box.height,
      visibility: style.visibility,
      zIndex: style.zIndex,
      text: div.innerText,
      image: img && {src: img.getAttribute('src'),
        loaded: img.complete && img.naturalWidth > 0},
    };
  });
}

const normalize = (text) => text.replace(/\s+/g, ' ').trim();

// The differences between one layer of the model and what the browser shows.
function compare(layer, seen) {
  if (!seen) return [`no element with the id ${layer.id}`];
  const problems = [];
  const expect = (what, want, got) => {
    if (want !== got) problems.push(`${what}: model ${want}, browser ${got}`);
  };
  for (const side of ['left', 'top', 'width', 'height']) {
    if (layer[side] !== null) expect(side, layer[side], seen[side]);
  }
  expect('visibility', layer.visibility ?? 'visible', seen.visibility);
  expect('z-index', layer.zIndex === null ? 'auto' : String(layer.zIndex),
      seen.zIndex);
  if ('text' in layer && seen.visibility === 'visible') {
    expect('text', normalize(layer.text), normalize(seen.text));
  }
  if (layer.kind === 'image') {
    expect('image source', layer.src, seen.image && seen.image.src);
    expect('image loaded', true, Boolean(seen.image && seen.image.loaded));
  }
  return problems;
}

async function main() {
  const manifest = fs.readdirSync(siteDir)
      .filter((file) => file.endsWith('.model.json'))
      .map((file) => ({
        page: file.replace(/\.model\.json$/, '.htm'),
        layers: JSON.parse(fs.readFileSync(path.join(siteDir, file))).layers,
      }));
  fs.mkdirSync(shotDir, {recursive: true});
  const browser = await launchBrowser();
  let passed = 0;
  let failed = 0;
  try {
    const page = await browser.newPage({viewport: {width: 1024, height: 768}});
    for (const entry of manifest) {
      await page.goto('file://' + path.resolve(siteDir, entry.page),
          {waitUntil: 'load'});
      const seen = await page.evaluate(measure, entry.layers.map((l) => l.id));
      entry.layers.forEach((layer, i) => {
        const problems = compare(layer, seen[i]);
        if (problems.length === 0) {
          passed++;
        } else {
          failed++;
          console.log(`FAIL ${entry.page} #${layer.id}: ${problems.join('; ')}`);
        }
      });
      const shot = path.join(shotDir, entry.page.replace(/\.html?$/, '.png'));
      await page.screenshot({path: shot, fullPage: true});
      console.log(`${entry.page}: ${entry.layers.length} layers, ${shot}`);
    }
  } finally {
    await browser.close();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
