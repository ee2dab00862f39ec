// Drives the editor (`htmlmemdoc serve`) in headless Chromium as a person
// would: opens welcome.htm, drags the layer Rose 30 px to the right,
// resizes Tour by its corner, moves Intro down 30 px with three presses of
// Shift+Down (one change), changes the text and then the colour of Title,
// undoes the colour, and saves. Then it moves Rose again, reloads, and
// must be offered that unsaved change back (and undoes it), and once the
// server is killed must see it said at once with Save no longer offered.
// The page file must differ from the one it was, line for line, in
// exactly the saved layers (every other line equal), and read again.
// Screenshots of the editor land in SHOT_DIR.
// Exits 0 when every check holds, 1 when one fails, 77 (skipped) when
// Chromium or playwright-core is missing.
//
// Usage: node check_editor.mjs TOOL SITE_DIR SHOT_DIR

import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

import {launchBrowser} from './browser.mjs';
import {drag, openPage, setField, settled, startServer, statusOf} from './editor_driver.mjs';

const [tool, siteDir, shotDir] = process.argv.slice(2);
const pageFile = path.join(siteDir, 'welcome.htm');
const before = fs.readFileSync(pageFile, 'latin1').split('\r\n');
const problems = [];
const check = (ok, what) => { if (!ok) problems.push(what); };

const {server, address} = await startServer(tool, siteDir);
const browser = await launchBrowser();
try {
  const page = await browser.newPage({viewport: {width: 1400, height: 900}});
  await page.goto(address);
  check(!page.url().includes('token='), 'the token stayed in the address');
  await openPage(page, 'welcome.htm');
  // The preview shows the page's own images, served in its sandbox; the
  // token lives in the tab, never in a cookie another port would get.
  const preview = page.frameLocator('#view');
  await preview.locator('#RoseImage').evaluate(
      (img) => img.complete || new Promise((done) => { img.onload = done; }))
      .catch(() => {});
  check(await preview.locator('#RoseImage').evaluate((img) => img.naturalWidth) > 0,
      'the preview does not show the page\'s image');
  check((await page.context().cookies()).length === 0, 'the editor set a cookie');
  fs.mkdirSync(shotDir, {recursive: true});
  await page.screenshot({path: path.join(shotDir, 'editor-opened.png')});
  // The view for current browsers, in a tab of its own: the movie plays as
  // a <video>, the sound has its control, the Flash movie its player.
  const [modern] = await Promise.all([page.waitForEvent('popup'),
    page.click('#modern')]);
  await modern.waitForLoadState('load');
  const converters = ['ffmpeg', 'fluidsynth'].every((program) => {
    try { execFileSync('which', [program]); return true; } catch { return false; }
  });
  if (converters) {
    const movie = await modern.waitForFunction(() => {
      const video = document.querySelector('video#TourClip');
      return video && (video.readyState >= 1 || video.error) &&
          {ready: video.readyState, error: video.error && video.error.code};
    }, null, {timeout: 20000}).then((h) => h.jsonValue()).catch(() => null);
    check(movie && movie.ready >= 1 && !movie.error,
        `the movie does not play in the view for current browsers: ${JSON.stringify(movie)}`);
    check(await modern.$('#htmlmemdoc-sound button') !== null,
        'no sound control in the view for current browsers');
  }
  if (process.env.HTMLMEMDOC_RUFFLE) {
    await modern.waitForSelector('ruffle-embed', {timeout: 10000})
        .catch(() => problems.push('no Flash player in the view for current browsers'));
  }
  await modern.screenshot({path: path.join(shotDir, 'editor-modern.png')});
  await modern.close();

  // The sound's layer at top -20 stands above the page, yet can be taken.
  await page.click('.box[data-id="qBgSound"] .label');
  check((await page.textContent('#layer-title')).includes('qBgSound'),
      'the layer above the page cannot be selected');
  check(await drag(page, '.box[data-id="Rose"]', 30, 0, 'left') === 200, 'drag refused');
  check(await drag(page, '.box[data-id="Tour"] .corner', 20, 10, 'width') === 200,
      'resize refused');
  await page.click('.box[data-id="Intro"] .label');
  check(await statusOf(page, '"top":120', async () => {
    for (let i = 0; i < 3; ++i) await page.keyboard.press('Shift+ArrowDown');
  }) === 200, 'the nudge was refused');
  await page.click('.box[data-id="Title"] .label');
  check(await setField(page, 'text', 'Hello from the editor') === 200,
      'text refused');
  check(await setField(page, 'color', '#aa0000') === 200, 'colour refused');
  const refused = await setField(page, 'color', '#12');
  check(refused === 422, `a wrong colour answered ${refused}`);
  await page.waitForFunction(
      () => document.getElementById('message').textContent.includes('not a colour'),
      null, {timeout: 5000}).catch(() => problems.push('the refusal is not shown'));
  // A click on the page itself leaves the keys with the editor: Ctrl+Z
  // undoes.
  const undone = page.waitForResponse((r) => r.url().endsWith('/api/undo'),
      {timeout: 5000}).catch(() => null);
  await page.mouse.click(1000, 800);
  check(await page.evaluate(() => document.activeElement.id) !== 'view',
      'a click on the page moved the focus into it');
  await page.keyboard.press('Control+z');
  check(await undone !== null, 'Ctrl+Z after a click on the page undid nothing');
  await settled(page);
  await page.click('#diff');
  await page.waitForSelector('#diff-text:not([hidden])');
  await page.screenshot({path: path.join(shotDir, 'editor-changed.png')});
  const saved = page.waitForResponse((r) => r.url().endsWith('/api/save'));
  await page.click('#save');
  check((await saved).status() === 200, 'save refused');
  await page.waitForSelector('#message.ok');
  await page.screenshot({path: path.join(shotDir, 'editor-saved.png')});

  // A click where two layers overlap picks the one on top (Rose, z 3,
  // over Intro, z 2, once Intro is dragged under it).
  page.on('dialog', (dialog) => dialog.accept());
  check(await drag(page, '.box[data-id="Intro"] .label', 100, 0, 'left') === 200,
      'the drag under Rose was refused');
  const intro = await page.locator('.box[data-id="Intro"]').boundingBox();
  const rose = await page.locator('.box[data-id="Rose"]').boundingBox();
  await page.mouse.click((Math.max(intro.x, rose.x) + intro.x + intro.width) / 2,
      (Math.max(intro.y, rose.y) + Math.min(intro.y + intro.height, rose.y + rose.height)) / 2);
  check(await page.locator('.box.selected').getAttribute('data-id') === 'Rose',
      'a click on two layers did not pick the one on top');
  // In a field Ctrl+Z is the field's; elsewhere it undoes the drag.
  let undos = 0;
  page.on('request', (r) => { if (r.url().endsWith('/api/undo')) ++undos; });
  await page.click('#zIndex');
  await page.keyboard.press('Control+z');
  await page.waitForTimeout(300);
  check(undos === 0, 'Ctrl+Z in a field undid a change of the page');
  await page.evaluate(() => document.activeElement.blur());
  const undoneDrag = page.waitForResponse((r) => r.url().endsWith('/api/undo'));
  await page.keyboard.press('Control+z');
  await undoneDrag;
  await settled(page);
  // A save over a file changed behind the editor's back is refused, the
  // change stays, and the diff against the file on disk is shown.
  check(await drag(page, '.box[data-id="Intro"] .label', 10, 0, 'left') === 200,
      'the drag before the conflict was refused');
  const savedText = fs.readFileSync(pageFile);
  fs.writeFileSync(pageFile, Buffer.concat([savedText, Buffer.from('\r\n')]));
  const conflict = page.waitForResponse((r) => r.url().endsWith('/api/save'));
  await page.click('#save');
  check((await conflict).status() === 409, 'a save over another write was not refused');
  await page.waitForSelector('#diff-text:not([hidden])');
  await settled(page);
  check((await page.textContent('#message')).startsWith('Not saved'),
      'a refused save is not said');
  check(!(await page.locator('#undo').isDisabled()), 'the refused save lost the change');
  await page.screenshot({path: path.join(shotDir, 'editor-conflict.png')});
  fs.writeFileSync(pageFile, savedText);
  const undoneConflict = page.waitForResponse((r) => r.url().endsWith('/api/undo'));
  await page.click('#undo');
  await undoneConflict;
  await settled(page);

  // A page in a folder is offered the files as it names them.
  await openPage(page, 'club/news.htm');
  const offered = await page.locator('#page-background option')
      .evaluateAll((options) => options.map((o) => o.value));
  // (images/paper.gif stays offered: the copied page names it.)
  check(offered.includes('../images/rose.gif') &&
        !offered.includes('images/rose.gif'),
      `a page in a folder is offered ${offered}`);
  check(await statusOf(page, '../images/paper.gif', () =>
    page.selectOption('#page-background', '../images/paper.gif')) === 200,
  'a background from a folder refused');
  await openPage(page, 'welcome.htm');

  // A change not saved outlives a reload: the page offers it back.
  check(await drag(page, '.box[data-id="Rose"]', 10, 0, 'left') === 200,
      'the second drag was refused');
  await page.reload();
  const restored = page.waitForResponse((r) => r.url().endsWith('/api/restore'));
  await page.click('#page-list button[data-path="welcome.htm"]');
  const restoredAnswer = await (await restored).json();
  await settled(page);
  check((restoredAnswer.changed.layers || []).some((l) => l.id === 'Rose' && l.left === 400) &&
        await page.locator('.box[data-id="Rose"]').evaluate((b) => b.style.left) === '400px',
      'the unsaved change was not offered back');
  const undoneAgain = page.waitForResponse((r) => r.url().endsWith('/api/undo'));
  await page.click('#undo');
  await undoneAgain;
  await settled(page);
  // The server gone: said at once, and nothing seems to work.
  server.kill();
  await page.click('#diff');
  await page.waitForSelector('#lost:not([hidden])', {timeout: 5000})
      .catch(() => problems.push('a lost server is not shown'));
  check(await page.locator('#save').isDisabled(), 'Save stays offered');
  check(await page.locator('#page-background').isDisabled(),
      'the page\'s fields stay offered');
  await page.screenshot({path: path.join(shotDir, 'editor-server-lost.png')});
} finally {
  await browser.close();
  server.kill();
}

// Line for line: the layers changed, nothing else.
const after = fs.readFileSync(pageFile, 'latin1').split('\r\n');
check(after.length === before.length,
    `${before.length} lines became ${after.length}`);
const changed = before.map((line, i) => [line, after[i]])
    .filter(([a, b]) => a !== b);
const want = [
  [/id="Rose"/, /left:390px/],
  [/id="Tour"/, /width:340px; height:250px/],
  [/id="Intro"/, /top:120px/],
  [/Welcome to the garden club/, /Hello from the editor/],
];
check(changed.length === want.length,
    `changed lines: ${JSON.stringify(changed, null, 1)}`);
for (const [was, is] of want) {
  check(changed.some(([a, b]) => was.test(a) && is.test(b)),
      `no line changed from ${was} to ${is}`);
}
check(!after.join('\n').includes('#aa0000'), 'the undone colour was saved');
try {
  execFileSync(tool, ['check', pageFile]);
} catch {
  problems.push('the saved page does not read again');
}
for (const problem of problems) console.log(`FAIL: ${problem}`);
console.log(problems.length === 0 ? 'editor: ok' : `editor: ${problems.length} failed`);
process.exit(problems.length === 0 ? 0 : 1);
