// Checks an export in headless Chromium against the site it was made
// from, both served over HTTP from this process (Ruffle fetches its .wasm,
// which a file: address refuses): for every page that reads, each layer
// of the export has the box, z-index, visibility and text of the same
// layer of the site, and the page the same background; every <audio> and
// <video> of the export loads with no error and a duration; the sound
// control starts the background sound at one click (sound that starts by
// itself is blocked, as for a person); Ruffle's player stands where each
// Flash <embed> stood and reads its movie; hovering a swap image swaps
// it; nothing is fetched from anywhere else. Saves a screenshot of each page before and after. Exits 0 when every
// check holds, 1 when one fails, 77 (skipped) without Chromium.
//
// Usage: node check_export.mjs SITE_DIR EXPORT_DIR REPORT_JSON SHOT_DIR

import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

import {launchBrowser} from './browser.mjs';

const [siteDir, exportDir, reportFile, shotDir] = process.argv.slice(2);
const report = JSON.parse(fs.readFileSync(reportFile, 'utf8'));

const kTypes = {
  '.htm': 'text/html', '.html': 'text/html', '.gif': 'image/gif',
  '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.opus': 'audio/ogg', '.mp3': 'audio/mpeg', '.wav': 'audio/wav',
  '.mp4': 'video/mp4', '.swf': 'application/x-shockwave-flash',
};

// Serves /site/... from the site and /export/... from the export.
function serve() {
  const roots = {site: siteDir, export: exportDir};
  const server = http.createServer((req, res) => {
    const [, root, ...rest] = decodeURIComponent(req.url.split('?')[0]).split('/');
    const file = roots[root] && path.join(roots[root], ...rest);
    if (!file || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, {'Content-Type':
      kTypes[path.extname(file).toLowerCase()] || 'application/octet-stream'});
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () => resolve(server)));
}

// What the browser shows of each layer (a div of the body with an id)
// and of the page's background.
function measure() {
  const layers = [...document.querySelectorAll('body > div[id]')]
      .filter((div) => div.id !== 'htmlmemdoc-sound')
      .map((div) => {
        const box = div.getBoundingClientRect();
        const style = getComputedStyle(div);
        const flash = div.querySelector('embed[src$=".swf"], ruffle-embed');
        const flashBox = flash && flash.getBoundingClientRect();
        return {
          id: div.id,
          box: [box.left + scrollX, box.top + scrollY, box.width, box.height]
              .map(Math.round).join(','),
          zIndex: style.zIndex,
          visibility: style.visibility,
          text: div.innerText.replace(/\s+/g, ' ').trim(),
          flash: flashBox && [flashBox.left, flashBox.top, flashBox.width,
            flashBox.height].map(Math.round).join(','),
        };
      });
  const body = document.body && getComputedStyle(document.body);
  return {
    layers,
    background: body && [body.backgroundColor,
      body.backgroundImage.replace(/^url\("[^"]*\/(site|export)\//, 'url("')],
  };
}

// Every <audio> and <video>: loaded far enough to know its duration, or
// failed.
async function mediaStates(page) {
  return page.evaluate(() => Promise.all(
      [...document.querySelectorAll('audio, video')].map((media) =>
        new Promise((resolve) => {
          const done = () => resolve({
            src: media.getAttribute('src'), error: media.error && media.error.code,
            readyState: media.readyState, duration: media.duration,
          });
          if (media.readyState >= 1 || media.error) return done();
          media.preload = 'auto';
          media.addEventListener('loadedmetadata', done);
          media.addEventListener('error', done);
          media.load();
          setTimeout(done, 10000);
        }))));
}

async function main() {
  const server = await serve();
  const base = `http://127.0.0.1:${server.address().port}`;
  fs.mkdirSync(shotDir, {recursive: true});
  const browser = await launchBrowser(['--autoplay-policy=user-gesture-required']);
  let passed = 0;
  let failed = 0;
  const check = (ok, what) => {
    if (ok) {
      passed++;
    } else {
      failed++;
      console.log(`FAIL ${what}`);
    }
  };
  try {
    const page = await browser.newPage({viewport: {width: 1024, height: 768}});
    page.on('request', (request) => {
      const url = request.url();
      if (!/^(data|blob):/.test(url) && !url.startsWith(base))
        check(false, `a request left the export: ${url}`);
    });
    for (const entry of report.pages.filter((p) => p.readable)) {
      const name = entry.page;
      const shot = (side) => path.join(shotDir,
          `export_${side}_${name.replace(/[/.]/g, '_')}.png`);
      await page.goto(`${base}/site/${name}`, {waitUntil: 'load'});
      const before = await page.evaluate(measure);
      await page.screenshot({path: shot('before'), fullPage: true});
      await page.goto(`${base}/export/${name}`, {waitUntil: 'load'});
      if (entry.flash) {
        await page.waitForSelector('ruffle-embed', {timeout: 10000})
            .catch(() => null);
      }
      const after = await page.evaluate(measure);
      check(JSON.stringify(before.background) === JSON.stringify(after.background),
          `${name}: background ${before.background} became ${after.background}`);
      check(before.layers.length === after.layers.length,
          `${name}: ${before.layers.length} layers became ${after.layers.length}`);
      before.layers.forEach((layer, i) => {
        const seen = after.layers[i] || {};
        for (const key of ['id', 'box', 'zIndex', 'visibility', 'text', 'flash']) {
          check(layer[key] === seen[key],
              `${name} #${layer.id}: ${key} ${layer[key]} became ${seen[key]}`);
        }
      });
      for (const media of await mediaStates(page)) {
        check(!media.error && media.readyState >= 1 && media.duration > 0,
            `${name}: ${media.src} does not play: ${JSON.stringify(media)}`);
      }
      if (entry.flash) {
        const movie = await page.evaluate(async () => {
          const player = document.querySelector('ruffle-embed');
          for (let i = 0; player && !player.metadata && i < 100; i++)
            await new Promise((resolve) => setTimeout(resolve, 100));
          return player && player.metadata && player.metadata.width;
        });
        check(movie === 180, `${name}: Ruffle did not read the Flash movie (${movie})`);
      }
      if (await page.$('#htmlmemdoc-sound')) {
        const paused = () => page.evaluate(() =>
          document.querySelector('#htmlmemdoc-sound audio').paused);
        check(await paused(), `${name}: the background sound started by itself`);
        const control = await page.evaluate(() => {
          const box = (e) => e.getBoundingClientRect();
          const mine = box(document.querySelector('#htmlmemdoc-sound button'));
          const covered = [...document.querySelectorAll('body > div[id]')]
              .filter((div) => div.id !== 'htmlmemdoc-sound')
              .filter((div) => { const b = box(div); return b.width && b.height &&
                b.left < mine.right && mine.left < b.right &&
                b.top < mine.bottom && mine.top < b.bottom; })
              .map((div) => div.id);
          return {covered, focusable: document.querySelector(
              '#htmlmemdoc-sound button').tabIndex >= 0};
        });
        check(control.covered.length === 0 && control.focusable,
            `${name}: the sound control covers ${control.covered} or is out of the keyboard's reach`);
        await page.click('#htmlmemdoc-sound button');
        await page.waitForFunction(() =>
          !document.querySelector('#htmlmemdoc-sound audio').paused,
        null, {timeout: 5000}).catch(() => null);
        check(!(await paused()), `${name}: the sound control did not start the sound`);
      }
      if (await page.$('#SwapImage')) {
        await page.hover('#SwapImage');
        const src = await page.getAttribute('#SwapImage', 'src');
        check(src === 'images/rose_over.gif', `${name}: hover did not swap (${src})`);
      }
      await page.screenshot({path: shot('after'), fullPage: true});
      console.log(`${name}: ${before.layers.length} layers, ${shot('after')}`);
    }
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
