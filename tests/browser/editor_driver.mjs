// What the editor's browser checks share: the server started on a site
// (its journal in a folder of the check's own), and the gestures a person
// makes, each waiting until the editor has shown what it changed.

import {execFileSync, spawn} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

// `htmlmemdoc serve siteDir`, and the address it prints.
export function startServer(tool, siteDir) {
  const env = {...process.env,
    XDG_STATE_HOME: fs.mkdtempSync(path.join(os.tmpdir(), 'htmlmemdoc-state-'))};
  const server = spawn(tool, ['serve', siteDir],
      {stdio: ['ignore', 'pipe', 'inherit'], env});
  return new Promise((resolve, reject) => {
    let output = '';
    server.stdout.on('data', (chunk) => {
      output += chunk;
      const address = output.match(/http:\/\/127\.0\.0\.1:\d+\/\?token=[0-9a-f]+/);
      if (address) resolve({server, address: address[0]});
    });
    server.on('exit', () => reject(new Error(`serve ended: ${output}`)));
  });
}

// Waits until the editor has shown the answers to every request.
export const settled = (page) => page.waitForSelector('body:not([data-busy="1"])');

// Opens the page at `path` from the list and waits until it is shown (a
// wait for a box alone may be met by the page shown before).
export async function openPage(page, path) {
  const opened = page.waitForResponse((r) => r.url().endsWith('/api/open'));
  await page.click(`#page-list button[data-path="${path}"]`);
  await opened;
  await settled(page);
}

// The answer to the change request whose body holds `text`.
export function answerTo(page, text) {
  return page.waitForResponse((r) => r.url().endsWith('/api/edit') &&
      (r.request().postData() || '').includes(text));
}

// The status of the change request holding `text` that `act` (an async
// function) sends, once the editor has shown its answer.
export async function statusOf(page, text, act) {
  const answered = answerTo(page, text);
  await act();
  const status = (await answered).status();
  await settled(page);
  return status;
}

// Sends a pointer drag from the centre of `selector` by (dx, dy) and waits
// for the change it makes; returns its status.
export async function drag(page, selector, dx, dy, property) {
  const box = await page.locator(selector).boundingBox();
  const x = box.x + box.width / 2;
  const y = box.y + box.height / 2;
  return statusOf(page, `"${property}"`, async () => {
    await page.mouse.move(x, y);
    await page.mouse.down();
    await page.mouse.move(x + dx, y + dy, {steps: 5});
    await page.mouse.up();
  });
}

// Sets the panel's field `id` to `value` and leaves it; returns the
// answer's status.
export function setField(page, id, value) {
  return statusOf(page, JSON.stringify(value), async () => {
    await page.fill(`#${id}`, value);
    await page.press(`#${id}`, 'Tab');  // leaving the field commits it
  });
}

// The layers of the page `file` as `htmlmemdoc show --json` reads them,
// by id; null when it does not read.
export function layersOf(tool, file) {
  try {
    const {layers} = JSON.parse(execFileSync(tool, ['show', '--json', file]));
    return Object.fromEntries(layers.map((layer) => [layer.id, layer]));
  } catch { return null; }
}

// A page of `count` 14 px text layers in rows of 100, each 16 px apart.
export function gridPage(count) {
  const layers = [];
  for (let i = 0; i < count; ++i) {
    layers.push(`<div id="L${i}" style="position:absolute; left:${(i % 100) * 16}px; ` +
        `top:${Math.floor(i / 100) * 16}px; width:14px; height:14px; z-index:${i}">\n` +
        `<p align="left">${i}</p></div>\n`);
  }
  return `<html>\n<head>\n<title>Grid</title>\n</head>\n<body>\n${layers.join('\n')}</body>\n</html>\n`;
}
