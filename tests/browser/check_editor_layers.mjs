// Drives the editor's layer tools in headless Chromium as a person would,
// on welcome.htm: adds a layer of each kind (the text one snapped onto
// Title's edge and its text typed in place with a bold word and a line
// break; an image one from a dropped file), changes the title, deletes a
// layer, duplicates Rose, aligns three layers, moves Intro from the
// keyboard, sends Title to the front, undoes twice, redoes once and saves:
// the page on disk must read with exactly those changes. Also: axe-core
// finds no serious or critical violation, frames are edited, and a drag
// on a page of 8,000 layers is answered with the layer it moved.
// Screenshots land in SHOT_DIR. Exits 0 when every check holds, 1 when
// one fails, 77 (skipped) without Chromium or playwright-core.
//
// Usage: node check_editor_layers.mjs TOOL SITE_DIR SHOT_DIR

import fs from 'node:fs';
import path from 'node:path';
import {createRequire} from 'node:module';

import {launchBrowser} from './browser.mjs';
import {answerTo, drag, gridPage, layersOf, openPage, setField, settled, startServer,
  statusOf} from './editor_driver.mjs';

const [tool, siteDir, shotDir] = process.argv.slice(2);
const pageFile = path.join(siteDir, 'welcome.htm');
const original = fs.readFileSync(pageFile, 'latin1');
const problems = [];
const check = (ok, what) => { if (!ok) problems.push(what); };
fs.mkdirSync(shotDir, {recursive: true});
const shot = (page, name) => page.screenshot({path: path.join(shotDir, `layers-${name}.png`)});
// The pictures of docs/editor.md (scripts/update_editor_guide.sh copies them).
fs.mkdirSync(path.join(shotDir, 'guide'), {recursive: true});
const guide = (page, name) => page.screenshot(
    {path: path.join(shotDir, 'guide', `${name}.jpg`), type: 'jpeg', quality: 70});

// The status of the step the click of `selector` sends.
const clickAndWait = (page, selector, text = '') =>
  statusOf(page, text, () => page.click(selector));

async function addLayer(page, kind, file) {
  await page.click('#add');
  await page.selectOption('#add-kind', kind);
  if (file) await page.selectOption('#add-source', file);
  return clickAndWait(page, '#add-confirm', `"add":"${kind}"`);
}

const selectedIds = (page) => page.$$eval('.box.selected', (boxes) => boxes.map((b) => b.dataset.id));

// No serious or critical accessibility violation in the editor.
async function checkAccessibility(page, when) {
  const require = createRequire(import.meta.url);
  await page.evaluate(fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8'));
  const result = await page.evaluate(() => window.axe.run(document, {iframes: false}));
  for (const violation of result.violations) {
    if (violation.impact === 'serious' || violation.impact === 'critical') {
      problems.push(`accessibility (${when}): ${violation.id}: ${violation.help} ` +
          `(${violation.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')})`);
    }
  }
}

fs.writeFileSync(path.join(siteDir, 'big.htm'), gridPage(8000));
const {server, address} = await startServer(tool, siteDir);
const browser = await launchBrowser();
try {
  const page = await browser.newPage({viewport: {width: 1400, height: 900}});
  page.on('dialog', (dialog) => dialog.accept());
  await page.goto(address);
  await openPage(page, 'welcome.htm');
  await guide(page, 'open');
  await checkAccessibility(page, 'a page open');
  // What the editing view does not play is named on its box; the page as
  // a current browser plays its export is shown beside.
  check(await page.getAttribute('.box[data-id="Tour"]', 'data-badge') === '▶ tour.mpg',
      'the video layer does not name its movie');
  check((await page.textContent('#page-list button[data-path="welcome.htm"]'))
      .includes('3 files play once exported'), 'the page list does not say what needs the export');
  await page.click('#side-by-side');
  await page.frameLocator('#modern-view').locator('#Title').waitFor({timeout: 30000})
      .catch(() => problems.push('the view for current browsers is not shown beside'));
  await shot(page, 'side-by-side');
  await guide(page, 'current-browser');
  await page.click('#side-by-side');

  // One layer of each kind; the new one is selected. The text layer,
  // dragged to end 3 px right of Title's left edge, snaps onto it.
  check(await addLayer(page, 'text') === 200, 'adding a text layer refused');
  check((await selectedIds(page)).join() === 'Text1', 'the new text layer is not selected');
  const text = await page.locator('.box[data-id="Text1"]').evaluate((b) => parseInt(b.style.left));
  check(await drag(page, '.box[data-id="Text1"]', 40 + 3 - text, 0, 'left') === 200,
      'the snapping drag refused');
  await shot(page, 'snapped');
  // Its text typed in place, one word made bold, a line break: one step.
  await page.dblclick('.box[data-id="Text1"]');
  await page.waitForSelector('#text-editor');
  await page.keyboard.press('Control+a');
  await page.keyboard.type('Open on Sundays');
  for (let i = 0; i < 7; ++i) await page.keyboard.press('Shift+ArrowLeft');
  await page.keyboard.press('Control+b');
  await page.keyboard.press('End');
  await page.keyboard.press('Enter');
  await page.keyboard.type('Come along');
  await shot(page, 'text-in-place');
  await guide(page, 'text');
  check(await statusOf(page, '"content"', () => page.keyboard.press('Control+Enter')) === 200,
      'the text edited in place was refused');
  check(await setField(page, 'page-title', 'The garden club') === 200, 'the title was refused');
  for (const [kind, file] of [['image', 'images/tulip.gif'], ['video', 'video/tour.mpg'],
    ['embed', 'media/map.swf'], ['live audio', 'audio/chime.wav']])
    check(await addLayer(page, kind, file) === 200, `adding a ${kind} layer refused`);
  const offered = await page.$$eval('#add-source option', (o) => o.map((x) => x.value));
  check(offered.every((file) => file === '' || /\.(wav|mid|midi|mp3)$/.test(file)),
      `a live-audio layer is offered ${offered}`);
  // A picture dropped from the computer: copied into images/ under a name
  // safe for any server, and shown by a new layer where it was dropped.
  const gif = fs.readFileSync(path.join(siteDir, 'images', 'tulip.gif')).toString('base64');
  const dropped = await page.evaluateHandle((data) => {
    const transfer = new DataTransfer();
    const bytes = Uint8Array.from(atob(data), (c) => c.charCodeAt(0));
    transfer.items.add(new File([bytes], 'Blue Flower.GIF', {type: 'image/gif'}));
    return transfer;
  }, gif);
  const stage = await page.locator('#boxes').boundingBox();
  await page.dispatchEvent('#stage', 'drop', {dataTransfer: dropped,
    clientX: stage.x + 600, clientY: stage.y + 500});
  await page.waitForSelector('#add-dialog[open]');
  check(await page.inputValue('#add-kind') === 'image', 'a dropped picture is not offered as an image');
  check(await page.inputValue('#add-folder') === 'images', 'a dropped picture is not offered images/');
  await page.waitForFunction(() => {
    const preview = document.getElementById('add-preview');
    return !preview.hidden && preview.complete && preview.naturalWidth > 0;
  }, null, {timeout: 5000}).catch(() => problems.push('the dropped picture is not shown'));
  await shot(page, 'dropped');
  await guide(page, 'drop');
  check(await clickAndWait(page, '#add-confirm', 'images/blue_flower.gif') === 200,
      'the layer of the dropped file was refused');
  check(fs.existsSync(path.join(siteDir, 'images', 'blue_flower.gif')),
      'the dropped file is not in the site under the name shown');
  await shot(page, 'added');
  // Delete the embed, from the list and the Delete key.
  await page.click('#layer-list li:has-text("Embed1") .choose');
  check(await statusOf(page, '"remove":true', () => page.keyboard.press('Delete')) === 200,
      'delete refused');
  check(await page.$('.box[data-id="Embed1"]') === null, 'the deleted layer keeps its box');
  // Duplicate Rose.
  await page.click('.box[data-id="Rose"] .label');
  check(await statusOf(page, '"copyAs":"Rose1"', () => page.keyboard.press('Control+d')) === 200,
      'duplicate refused');
  // Three layers selected (a click, then Shift+clicks) aligned on the left.
  await page.click('.box[data-id="Rose"] .label');
  await page.click('.box[data-id="Map"] .label', {modifiers: ['Shift']});
  await page.click('.box[data-id="Rose1"] .label', {modifiers: ['Shift']});
  check((await selectedIds(page)).length === 3, 'Shift+click does not add to the selection');
  check(await clickAndWait(page, '#align-left', '"with"') === 200, 'align refused');
  check(await clickAndWait(page, '#distribute-vertical', '"with"') === 200, 'distribute refused');
  await shot(page, 'aligned');
  await guide(page, 'align');
  // Tab from the last control of the toolbars reaches the layers in page
  // order; the arrows move the one reached, in one step.
  await page.focus('#grid');
  await page.keyboard.press('Tab');
  check(await page.evaluate(() => document.activeElement.dataset.id) === 'Title',
      'Tab does not reach the first layer');
  await page.keyboard.press('Tab');
  check(await page.evaluate(() => document.activeElement.getAttribute('aria-label')) ===
      'text layer Intro', 'the second layer is not reached, or is not named');
  check(await statusOf(page, '"left":43', async () => {
    for (const key of ['ArrowRight', 'ArrowRight', 'ArrowRight', 'Shift+ArrowDown'])
      await page.keyboard.press(key);
  }) === 200, 'the keyboard move refused');
  // Title to the front; undone, with the keyboard move; the move redone.
  await page.click('.box[data-id="Title"] .label');
  check(await clickAndWait(page, '#z-front', '"zIndex"') === 200, 'to front refused');
  for (const action of ['undo', 'undo', 'redo']) {
    const stepped = page.waitForResponse((r) => r.url().endsWith('/api/' + action));
    await page.click('#' + action);
    await stepped;
    await settled(page);
  }
  await guide(page, 'undo');
  await checkAccessibility(page, 'layers selected and moved');
  const saved = page.waitForResponse((r) => r.url().endsWith('/api/save'));
  await page.click('#save');
  check((await saved).status() === 200, 'save refused');
  await page.waitForSelector('#message.ok');
  await shot(page, 'saved');
  await guide(page, 'save');

  // A frameset page: a frame shows another page, the columns change.
  await openPage(page, 'frames.htm');
  check(await statusOf(page, '"frameSrc":"roses.htm"', () =>
    page.selectOption('#frame-list select[data-frame="0"]', 'roses.htm')) === 200,
  'a frame\'s page was refused');
  check(await setField(page, 'frameCols', '30%,*') === 200, 'the frameset\'s columns were refused');
  await shot(page, 'frames');

  // A page of 8,000 layers: it opens, and a drag is answered with the
  // layer it moved, not the page (bench/editor_latency.sh times both).
  await openPage(page, 'big.htm');
  await page.waitForSelector('#boxes[data-count="8000"]', {state: 'attached'});
  const origin = await page.locator('#boxes').boundingBox();
  const answered = answerTo(page, '"left"');
  await page.mouse.move(origin.x + 87, origin.y + 7);  // L5, at (80, 0)
  await page.mouse.down();
  await page.mouse.move(origin.x + 127, origin.y + 7, {steps: 5});
  await page.mouse.up();
  const reply = JSON.parse(await (await answered).body());
  await settled(page);
  const moved = reply.changed.layers;
  check(moved.length === 1 && moved[0].id === 'L5' && moved[0].left > 100,
      `a move on the 8,000-layer page answered ${JSON.stringify(reply.changed).slice(0, 200)}`);
  await shot(page, 'big');
} finally {
  await browser.close();
  server.kill();
}

// The page on disk: the changes made, every other layer as it was.
const layers = layersOf(tool, pageFile);
check(layers !== null, 'the saved page does not read again');
if (layers) {
  const want = {
    Rose: {left: 360}, Map: {left: 360}, Rose1: {left: 360, top: 175},
    Text1: {left: 40}, Intro: {left: 43, top: 100}, Title: {zIndex: 1},
    Image1: {kind: 'image', src: 'images/tulip.gif'},
    Video1: {kind: 'video', src: 'video/tour.mpg'},
    Sound1: {kind: 'live audio', src: 'audio/chime.wav'},
    Image2: {kind: 'image', src: 'images/blue_flower.gif', left: 600, top: 500},
  };
  for (const [id, values] of Object.entries(want)) {
    for (const [key, value] of Object.entries(values)) {
      check(layers[id] && layers[id][key] === value,
          `${id}.${key} is ${layers[id] && layers[id][key]}, not ${value}`);
    }
  }
  check(!layers.Embed1, 'the deleted layer was saved');
  const content = layers.Text1 ? layers.Text1.content : '';
  check(/^Open on <b>Sundays(<\/b><br>|<br>)Come along(<\/b>)?$/.test(content),
      `the text edited in place was saved as ${content}`);
  const block = (text, id) => (text.match(new RegExp(`<div id="${id}"[^]*?</div>`)) || [''])[0];
  const saved = fs.readFileSync(pageFile, 'latin1');
  for (const id of ['Title', 'Tour', 'qBgSound'])
    check(block(saved, id) === block(original, id), `layer ${id} changed`);
  check(saved.split('</head>')[0] ===
        original.split('</head>')[0].replace(/<title>[^<]*/, '<title>The garden club'),
      'the head changed otherwise than in its title');
}
for (const problem of problems) console.log(`FAIL: ${problem}`);
console.log(problems.length === 0 ? 'editor layers: ok' : `editor layers: ${problems.length} failed`);
process.exit(problems.length === 0 ? 0 : 1);
