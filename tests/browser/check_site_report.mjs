// Opens the HTML report of `htmlmemdoc site` in headless Chromium and
// checks it against the JSON report of the same run: the page loads with
// nothing fetched but itself, every count it shows equals the JSON's, it
// lists one row per problem, and each page link resolves to a file.
// Exits 0 when every check holds, 1 when one fails, 77 when skipped.
//
// Usage: node check_site_report.mjs REPORT.html REPORT.json

import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

import {launchBrowser} from './browser.mjs';

const [htmlFile, jsonFile] = process.argv.slice(2);
const report = JSON.parse(fs.readFileSync(jsonFile, 'utf8'));
const problemKinds = new Set(['case', 'missing', 'outside', 'unsafe']);

function expectedRows() {
  let rows = 0;
  for (const page of report.pages) {
    if (!page.readable) rows++;
    rows += page.references.filter((r) => problemKinds.has(r.kind)).length;
  }
  return rows;
}

async function main() {
  const browser = await launchBrowser();
  const failures = [];
  try {
    const page = await browser.newPage();
    const url = pathToFileURL(path.resolve(htmlFile)).href;
    const fetched = [];
    page.on('request', (request) => fetched.push(request.url()));
    await page.goto(url, {waitUntil: 'load'});
    if (fetched.some((u) => u !== url)) {
      failures.push(`fetched more than the report: ${fetched.join(' ')}`);
    }
    const shown = await page.evaluate(() => ({
      counts: Object.fromEntries([...document.querySelectorAll('[data-count]')]
          .map((cell) => [cell.dataset.count, Number(cell.textContent)])),
      rows: document.querySelectorAll('#problems tr').length - 1,
      links: [...document.querySelectorAll('#problems a')].map((a) => a.href),
    }));
    const want = {...report.summary, pages: report.pages.length};
    for (const [name, count] of Object.entries(shown.counts)) {
      if (want[name] !== count) {
        failures.push(`${name}: the page shows ${count}, the JSON ${want[name]}`);
      }
    }
    if (Object.keys(shown.counts).length < 10) failures.push('counts missing');
    if (shown.rows !== expectedRows()) {
      failures.push(`${shown.rows} problem rows, ${expectedRows()} problems`);
    }
    if (shown.links.length === 0) failures.push('no page links');
    for (const link of shown.links) {
      if (!fs.existsSync(fileURLToPath(link))) failures.push(`dead link ${link}`);
    }
  } finally {
    await browser.close();
  }
  failures.forEach((failure) => console.log(`FAIL ${failure}`));
  console.log(`site report: ${failures.length === 0 ? 'ok' : 'failed'}`);
  process.exit(failures.length === 0 ? 0 : 1);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
