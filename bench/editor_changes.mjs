// The editor server's time for one property change on a large page: opens
// PAGE, as the tool writes it back, in `htmlmemdoc serve`, moves a hundred of its layers one at a time
// and prints the median, 95th percentile and largest time from sending a
// change to its whole answer (on the loopback, so an upper bound of the
// server's own time), the size of an answer, and a save beside the tool's
// `render -o` of the same page. Each figure has its target beside it.
//
// Usage: node bench/editor_changes.mjs TOOL PAGE

import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import {startServer} from '../tests/browser/editor_driver.mjs';

const [tool, page] = process.argv.slice(2);
const site = fs.mkdtempSync(path.join(os.tmpdir(), 'htmlmemdoc-changes-'));
// The page as the tool writes it back: what the editor saves without
// loss (its plain layers and page script are not written).
const edited = path.join(site, 'page.htm');
execFileSync(tool, ['render', page, '-o', edited, '--allow-loss'], {stdio: 'ignore'});
const layers = JSON.parse(execFileSync(tool, ['show', '--json', edited],
    {maxBuffer: 1 << 28})).layers.filter((layer) =>
  layer.id !== null && layer.left !== null && layer.kind !== 'plain');
const sorted = (values) => [...values].sort((a, b) => a - b);
const at = (values, share) =>
  sorted(values)[Math.min(values.length - 1, Math.floor(values.length * share))];

const {server, address} = await startServer(tool, site);
const origin = new URL(address).origin;
const headers = {'Content-Type': 'application/json', 'Origin': origin,
  'X-Htmlmemdoc-Token': new URL(address).searchParams.get('token')};
const post = async (action, body) => {
  const started = performance.now();
  const answer = await fetch(`${origin}/api/${action}`,
      {method: 'POST', headers, body: JSON.stringify(body)});
  const text = await answer.text();
  if (!answer.ok) throw new Error(`${action}: ${answer.status} ${text}`);
  return {time: performance.now() - started, bytes: text.length,
    json: JSON.parse(text)};
};

try {
  const {session} = (await post('open', {path: 'page.htm'})).json;
  const times = [], sizes = [];
  for (let i = 0; i < 100; ++i) {
    const layer = layers[(i * 37) % layers.length];
    const moved = await post('edit', {session, layer: layer.id,
      properties: {left: layer.left + 1 + i}});
    times.push(moved.time);
    sizes.push(moved.bytes);
  }
  const save = await post('save', {session});
  const rendered = path.join(site, 'rendered.htm');
  const renders = [];
  for (let i = 0; i < 5; ++i) {
    const started = performance.now();
    execFileSync(tool, ['render', edited, '-o', rendered],
        {stdio: 'ignore'});
    renders.push(performance.now() - started);
  }
  const render = sorted(renders)[0];
  const line = (name, ms, target) => console.log(
      `| ${name} | ${ms.toFixed(2)} ms | ${target} |`);
  console.log(`| editor, ${path.basename(page)} (${fs.statSync(edited).size} bytes), ${layers.length} layers | time | target |`);
  console.log('|---|---|---|');
  line('a change, median of 100', at(times, 0.5),
      `at most 5 ms: ${at(times, 0.5) <= 5 ? 'met' : 'NOT met'}`);
  line('a change, 95th percentile', at(times, 0.95), '');
  line('a change, largest', at(times, 1), '');
  console.log(`| a change's answer, median | ${at(sizes, 0.5)} bytes | what changed |`);
  line('a save', save.time, `at most 3 x render -o (${(3 * render).toFixed(2)} ms): ` +
      (save.time <= 3 * render ? 'met' : 'NOT met'));
  line('render -o of the page, best of 5', render, '');
} finally {
  server.kill();
  fs.rmSync(site, {recursive: true, force: true});
}
