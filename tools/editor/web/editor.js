// editor.js: the editor's page. The server holds the page; this script
// shows it, turns gestures, keys and fields into change requests, and
// shows what the server answers. It never writes markup.

import { $, say, busy, call, status } from "./api.js";
import { state, layerAt, selectedLayers, openModel, applyAnswer, freeId } from "./model.js";
import { connect, loadView, tellFrame, drawAll, updateBoxes, setSelection,
         boxOf } from "./stage.js";
import { connectGestures, snapping } from "./gestures.js";
import { connectKeys, onArrow, flushNudge } from "./keys.js";
import { editText, styleEditedText } from "./textedit.js";
import { connectList, drawList, updateRows, showSelection } from "./layers.js";
import { connectPanel, fillPanel } from "./panel.js";
import { connectAdding, openAddDialog } from "./adding.js";
import { align, distribute, restack } from "./arrange.js";

// --- Pages -----------------------------------------------------------

async function listPages() {
  const { status: code, answer } = await call("GET", "/api/pages");
  if (code !== 200) return say(answer.error || "the pages cannot be listed");
  state.files = answer.files;
  state.pages = answer.pages.map((page) => page.path);
  const list = $("page-list");
  list.replaceChildren();
  for (const page of answer.pages) {
    const button = document.createElement("button");
    button.textContent = page.path;
    button.dataset.path = page.path;
    button.dataset.key = page.key;
    const verdict = document.createElement("span");
    const clean = page.verdict === "ok" && page.warnings.length === 0;
    verdict.className = "verdict" + (clean ? " ok" : "");
    verdict.textContent = page.verdict === "ok" && !clean
      ? "ok, " + page.warnings.length + " warning(s)" : page.verdict;
    verdict.title = page.warnings.join("\n");
    button.append(verdict);
    if (page.plays && page.plays !== "plays as it is") {
      const plays = document.createElement("span");
      plays.className = "verdict plays";
      plays.textContent = page.plays;
      button.append(plays);
    }
    button.addEventListener("click", () => openPage(page.path, page.key));
    const item = document.createElement("li");
    item.append(button);
    list.append(item);
  }
}

const openPage = busy(async function openPage(path, key) {
  flushNudge();
  if (state.changes > 0 && path !== state.path &&
      !confirm(`${state.path} has ${state.changes} unsaved change(s). ` +
               "Leave it? (They are kept, and offered when you open it again.)"))
    return;
  const { status: code, answer } = await call("POST", "/api/open", { key });
  if (code !== 200) return say(answer.error);
  state.path = path;
  openModel(answer);
  if (answer.unsaved) await offerUnsaved(answer);
  for (const b of document.querySelectorAll("#page-list button"))
    b.classList.toggle("current", b.dataset.path === path);
  $("page-name").textContent = path;
  $("modern").href = answer.view.replace(/\/view$/, "/modern");
  $("modern").hidden = false;
  $("side-by-side").disabled = false;
  say("");
  showWhole(answer);
  showModern();
});

// Changes an earlier session of the page left unsaved: made again, or
// dropped, as the person chooses.
async function offerUnsaved(opened) {
  const { count, time, fileChanged } = opened.unsaved;
  const restore = confirm(
      `${count} change(s) to this page made at ${time} were not saved` +
      (fileChanged ? " (the file has changed on disk since)" : "") +
      ". Restore them?");
  const reply = await call("POST", "/api/" + (restore ? "restore" : "discard"),
                           { session: opened.session });
  if (reply.status === 200 && reply.answer.error) say(reply.answer.error);
  applyAnswer(reply.answer);
}

// --- Showing answers -------------------------------------------------

function showSteps() {
  $("undo").disabled = !state.canUndo;
  $("redo").disabled = !state.canRedo;
  $("diff").disabled = $("save").disabled = false;
}

// What writing the page back would lose, shown as soon as it is open.
function showLosses(losses) {
  $("losses").hidden = losses.length === 0;
  $("losses-list").replaceChildren(...losses.map((loss) => {
    const item = document.createElement("li");
    item.textContent = (loss.line ? "line " + loss.line + ": " : "") +
        loss.kind + (loss.id ? " " + loss.id : "") + ": " + loss.what;
    return item;
  }));
}

function showWhole(answer) {
  showSteps();
  showLosses(state.model.losses || []);
  loadView(answer.view);
  drawAll();
  drawList();
  fillPanel();
}

// An answer's changes: the boxes and rows of the layers changed; the
// page's frame moves them itself when only their boxes changed, else it
// is loaded again.
function showAnswer(answer) {
  const update = applyAnswer(answer);
  if (!update) return;
  showSteps();
  showLosses(state.model.losses || []);
  if (update.whole) {
    drawAll();
    drawList();
    if (update.added) setSelection(update.added, true);
  } else {
    updateBoxes(update.layers);
    updateRows(update.layers);
  }
  if (!update.boxOnly || !tellFrame(update.layers.map(layerAt)))
    loadView(answer.view);
  showModernSoon();
  fillPanel();
  if (!$("diff-text").hidden) showDiff();
}

// The view for current browsers beside the editing view: loaded again a
// moment after the changes stop (the export converts what it plays).
let modernTimer = null;
function showModern() {
  const shown = $("side-by-side").getAttribute("aria-pressed") === "true";
  $("modern-view").hidden = !shown;
  if (shown && state.session) $("modern-view").src = $("modern").href + "?t=" + Date.now();
}
function showModernSoon() {
  clearTimeout(modernTimer);
  if ($("side-by-side").getAttribute("aria-pressed") === "true")
    modernTimer = setTimeout(showModern, 1500);
}
$("side-by-side").addEventListener("click", () => {
  const shown = $("side-by-side").getAttribute("aria-pressed") !== "true";
  $("side-by-side").setAttribute("aria-pressed", String(shown));
  showModern();
});

// --- Changes ---------------------------------------------------------

// Makes `parts` ([{layer, properties}], a layer null for the page) as one
// step; a refusal is shown and changes nothing (the boxes go back).
const send = busy(async function send(parts) {
  if (!state.session || parts.length === 0) return;
  const named = parts.map(({ layer, properties }) => ({
    ...(layer ? { index: layer.index, layer: layer.id ?? "" } : { layer: "" }),
    properties,
  }));
  const { status: code, answer } = await call("POST", "/api/edit", {
    session: state.session, page: state.path, ...named[0], with: named.slice(1) });
  say(code === 200 ? "" : answer.error || "the change was refused");
  showAnswer(answer);
  if (code !== 200) {
    updateBoxes(parts.filter((p) => p.layer).map((p) => p.layer.index));
    tellFrame(state.model.layers);
  }
});

const step = busy(async function step(action) {
  flushNudge();
  if (!state.session) return;
  const { status: code, answer } = await call("POST", "/api/" + action,
                                              { session: state.session });
  say(code === 200 ? "" : answer.error);
  showAnswer(answer);
});

// The changes against the file as opened, or as it is on disk now (after
// another program wrote it).
const showDiff = busy(async function showDiff(against) {
  const { status: code, answer } = await call("GET", "/api/diff?session=" +
      state.session + (against ? "&against=" + against : ""));
  if (code !== 200) return say(answer.error || "the changes cannot be shown");
  $("diff-text").textContent = answer.diff || "No changes against the file on disk.";
  $("diff-text").hidden = false;
  $("diff").setAttribute("aria-expanded", "true");
});

const save = busy(async function save() {
  flushNudge();
  const { status: code, answer } = await call("POST", "/api/save",
                                              { session: state.session });
  if (code === 200) {
    say(answer.saved ? "Saved " + state.path + "." : answer.note, true);
    showAnswer(answer);
    return;
  }
  say("Not saved: " + answer.error);
  showAnswer(answer);
  if (code === 409) showDiff("disk");  // the changes stay; here is why
});

// --- Making and removing layers --------------------------------------

function duplicate() {
  const taken = new Set();
  send(selectedLayers().filter((l) => l.kind !== "plain").map((layer) => {
    // An id is one word: a copy of "a b" is "ab1".
    const stem = (layer.id ?? "Layer").replace(/\s+/g, "").replace(/[0-9]+$/, "");
    const id = freeId(stem, taken);
    taken.add(id);
    const properties = { copyAs: id };
    if (layer.left !== null) Object.assign(properties, { left: layer.left + 10, top: layer.top + 10 });
    return { layer, properties };
  }));
}

// Each removal is made on the page as the ones before left it: the last
// in page order goes first, so the places of the others hold.
function remove() {
  const layers = selectedLayers().reverse();
  send(layers.map((layer) => ({ layer, properties: { remove: true } })));
}

// --- Controls and keys -----------------------------------------------

// A text layer opened: its text edited where it stands, one step.
function openLayer(index, box) {
  const layer = layerAt(index);
  if (!layer || layer.kind !== "text" || state.locked.has(index)) return;
  editText(layer, box, (content) => send([{ layer, properties: { content } }]));
}

let previous = new Set();  // the selection the list last showed
connect(() => {
  showSelection(previous);
  previous = new Set(state.selected);
  fillPanel();
});
connectGestures(send, openLayer);
connectKeys(send);
connectList((index, adding) => {
  const next = adding ? new Set(state.selected) : new Set();
  if (adding && next.has(index)) next.delete(index); else next.add(index);
  setSelection(next, true);
}, (indices) => {
  updateBoxes(indices);
  updateRows(indices);
  tellFrame(indices.map(layerAt));
});
connectPanel(send);
connectAdding(send, listPages);

$("undo").addEventListener("click", () => step("undo"));
$("redo").addEventListener("click", () => step("redo"));
$("diff").addEventListener("click", () => {
  if ($("diff-text").hidden) return showDiff();
  $("diff-text").hidden = true;
  $("diff").setAttribute("aria-expanded", "false");
});
$("save").addEventListener("click", save);
$("add").addEventListener("click", () => openAddDialog());
$("edit-text").addEventListener("click", () => {
  const [layer] = selectedLayers();
  if (layer && boxOf(layer.index)) openLayer(layer.index, boxOf(layer.index));
});
for (const command of ["bold", "italic"]) {
  // The text being edited keeps the focus: the button acts on its choice.
  $(command).addEventListener("pointerdown", (e) => e.preventDefault());
  $(command).addEventListener("click", () => styleEditedText(command));
}
$("duplicate").addEventListener("click", duplicate);
$("delete").addEventListener("click", remove);
for (const how of ["forward", "backward", "front", "back"])
  $("z-" + how).addEventListener("click", () =>
    send(restack(selectedLayers(), state.model.layers, how)));
for (const how of ["left", "center", "right", "top", "middle", "bottom"])
  $("align-" + how).addEventListener("click", () => send(align(selectedLayers(), how)));
for (const axis of ["horizontal", "vertical"])
  $("distribute-" + axis).addEventListener("click", () =>
    send(distribute(selectedLayers(), axis)));
$("snap").addEventListener("change", () => { snapping.on = $("snap").checked; });
$("grid").addEventListener("change", () => {
  snapping.grid = Math.max(0, Number($("grid").value) || 0);
});

const inField = (e) => e.target.matches("input, textarea, select, [contenteditable]");
document.addEventListener("keydown", (e) => {
  if (!state.session || status.lost || $("add-dialog").open) return;
  if (!inField(e) && onArrow(e)) return;
  if (inField(e)) return;  // in a field, the keys are the field's own
  const ctrl = e.ctrlKey || e.metaKey;
  const key = e.key.toLowerCase();
  if (ctrl && key === "z") { e.preventDefault(); step(e.shiftKey ? "redo" : "undo"); }
  else if (ctrl && key === "y") { e.preventDefault(); step("redo"); }
  else if (ctrl && key === "d") { e.preventDefault(); duplicate(); }
  else if (ctrl && key === "a") {
    e.preventDefault();
    setSelection(state.model.layers.map((l) => l.index));
  } else if (e.key === "Delete" && state.selected.size > 0) { e.preventDefault(); remove(); }
  else if (e.key === "Escape" && state.selected.size > 0) setSelection([]);
});
// Leaving with unsaved changes asks first (they are journaled all the same).
window.addEventListener("beforeunload", (e) => {
  if (state.changes > 0 && !status.lost) e.preventDefault();
});
listPages();
