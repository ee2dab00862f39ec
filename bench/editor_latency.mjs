// The editor's latency on a page of many layers, in headless Chromium:
// the time from choosing the page to the editor showing it, and from the
// release of a drag to the end of the first frame drawn once the answer
// is shown (timed in the page), the median of seven drags; the share of
// frame intervals within 20 ms while one layer is dragged across the
// page; and the bytes a move is answered with. Prints one line per figure, with the target
// beside it.
//
// Usage: node bench/editor_latency.mjs TOOL SITE_DIR LAYERS

import fs from 'node:fs';
import path from 'node:path';

import {launchBrowser} from '../tests/browser/browser.mjs';
import {answerTo, gridPage, openPage, settled, startServer} from '../tests/browser/editor_driver.mjs';

const [tool, siteDir, count] = process.argv.slice(2);
fs.writeFileSync(path.join(siteDir, 'grid.htm'), gridPage(Number(count)));
const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

// Times the next release to the end of the frame drawn after the answer.
const timeNextRelease = () => {
  window.settleTime = null;
  addEventListener('pointerup', () => {
    const released = performance.now();
    const busy = new MutationObserver(() => {
      if (document.body.dataset.busy) return;
      busy.disconnect();
      requestAnimationFrame(() => setTimeout(() => {
        window.settleTime = performance.now() - released;
      }, 0));
    });
    busy.observe(document.body, {attributes: true, attributeFilter: ['data-busy']});
  }, {capture: true, once: true});
};

const {server, address} = await startServer(tool, siteDir);
const browser = await launchBrowser();
try {
  const page = await browser.newPage({viewport: {width: 1400, height: 900}});
  await page.goto(address);
  await page.waitForSelector('#page-list button');
  const opening = Date.now();
  await openPage(page, 'grid.htm');
  await page.waitForSelector(`#boxes[data-count="${count}"]`, {state: 'attached'});
  const openTime = Date.now() - opening;
  const settleTimes = [], sizes = [];
  for (let i = 0; i < 7; ++i) {
    await page.evaluate(timeNextRelease);
    const origin = await page.locator('#boxes').boundingBox();
    const x = origin.x + 16 * (5 + i) + 7, y = origin.y + 7;  // layer 5 + i
    const answered = answerTo(page, '"left"');
    await page.mouse.move(x, y);
    await page.mouse.down();
    await page.mouse.move(x + 40, y, {steps: 5});
    await page.mouse.up();
    sizes.push((await (await answered).body()).length);
    await settled(page);
    settleTimes.push(await page.waitForFunction(() => window.settleTime)
        .then((handle) => handle.jsonValue()));
  }
  // Frames while one layer is dragged across the page: the intervals
  // between animation frames, timed in the page.
  await page.evaluate(() => {
    window.frameTimes = [];
    const record = (time) => {
      window.frameTimes.push(time);
      if (!window.framesDone) requestAnimationFrame(record);
    };
    window.framesDone = false;
    requestAnimationFrame(record);
  });
  const box = await page.locator('#boxes').boundingBox();
  await page.mouse.move(box.x + 16 * 50 + 7, box.y + 16 * 3 + 7);  // layer 350
  await page.mouse.down();
  for (let step = 1; step <= 120; ++step) {
    await page.mouse.move(box.x + 16 * 50 + 7 + 4 * step, box.y + 16 * 3 + 7 + 2 * step);
  }
  await page.mouse.up();
  const frames = await page.evaluate(() => {
    window.framesDone = true;
    return window.frameTimes;
  });
  await settled(page);
  const intervals = frames.slice(1).map((time, i) => time - frames[i]);
  const smooth = intervals.filter((interval) => interval <= 20).length / intervals.length;
  console.log(`editor, ${count} layers: a drag across the page drew ${intervals.length} frames, ` +
      `${(100 * smooth).toFixed(1)}% within 20 ms (target 95%: ${smooth >= 0.95 ? 'met' : 'NOT met'})`);
  console.log(`editor, ${count} layers: opened in ${openTime} ms (target 2000 ms)`);
  console.log(`editor, ${count} layers: a drag settled in ${Math.round(median(settleTimes))} ms ` +
      '(median of 7; target 100 ms)');
  console.log(`editor, ${count} layers: a move answered in ${median(sizes)} bytes`);
} finally {
  await browser.close();
  server.kill();
}
