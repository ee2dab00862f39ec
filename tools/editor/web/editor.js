// The editor: the server holds the page; this script shows it, turns
// pointer gestures and panel changes into change requests, and shows
// whatever model the server answers with. It never writes markup.
"use strict";

// `selected` is the selected layer's place in page order (ids may repeat);
// `changes` the changes in effect that are not saved; `lost` whether the
// server is gone.
const state = { session: null, path: null, model: null, files: [],
                selected: null, changes: 0, lost: false };
const $ = (id) => document.getElementById(id);

// A refusal is announced at once (an alert); other news politely.
function say(text, ok) {
  if (state.lost) text = "";  // the banner says it all
  $("message").setAttribute("role", ok || !text ? "status" : "alert");
  $("message").textContent = text || "";
  $("message").className = ok ? "ok" : "";
}

// The server is gone: say so at once, and offer nothing that would seem
// to work (the changes made are in the journal).
function lose() {
  state.lost = true;
  $("lost").hidden = false;
  say("");
  for (const control of document.querySelectorAll("button, input, select, textarea"))
    control.disabled = true;
}

// Requests in progress, shown as data-busy on the body (a person sees the
// page settle; a test waits for it).
let pending = 0;
function setBusy(step) {
  pending += step;
  document.body.dataset.busy = pending > 0 ? "1" : "";
}

// Runs `action` (an async function) with the editor marked busy.
const busy = (action) => async (...args) => {
  setBusy(1);
  try { return await action(...args); } finally { setBusy(-1); }
};

// The access token: brought once by the address htmlmemdoc serve printed,
// then kept in this tab's storage (which no other port or site can read)
// and sent as a header, never as a cookie.
const token = (() => {
  const given = new URLSearchParams(location.search).get("token");
  if (given) {
    sessionStorage.setItem("htmlmemdoc-token", given);
    history.replaceState(null, "", "/");
  }
  return sessionStorage.getItem("htmlmemdoc-token") || "";
})();

async function call(method, url, body) {
  const headers = { "X-Htmlmemdoc-Token": token };
  if (body) headers["Content-Type"] = "application/json";
  let response;
  try {
    response = await fetch(url, {
      method,
      headers,
      body: body ? JSON.stringify(body) : undefined,
    });
  } catch (error) {
    lose();
    return { status: 0, answer: { error: "the editor's server does not answer" } };
  }
  const answer = await response.json().catch(() => ({}));
  return { status: response.status, answer };
}

async function listPages() {
  const { status, answer } = await call("GET", "/api/pages");
  if (status !== 200) return say(answer.error || "the pages cannot be listed");
  state.files = answer.files;
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
    button.addEventListener("click", () => openPage(page.path, page.key));
    const item = document.createElement("li");
    item.append(button);
    list.append(item);
  }
  fillChoices($("page-background"), state.files);
  fillChoices($("page-sound"), state.files);
}

// The files below DIR as the open page names them: from its own folder
// ("../images/a.gif" for a page in a subfolder), as the page's sources
// are resolved.
function fillChoices(select, files) {
  select.replaceChildren(new Option("(none)", ""));
  for (const file of files) {
    const name = fromPage(file);
    select.append(new Option(name, name));
  }
}

function fromPage(file) {
  const folder = (state.path || "").split("/").slice(0, -1);
  const parts = file.split("/");
  let shared = 0;
  while (shared < folder.length && shared < parts.length - 1 &&
         folder[shared] === parts[shared]) shared++;
  return "../".repeat(folder.length - shared) + parts.slice(shared).join("/");
}

const openPage = busy(async function openPage(path, key) {
  if (state.changes > 0 && path !== state.path &&
      !confirm(`${state.path} has ${state.changes} unsaved change(s). ` +
               "Leave it? (They are kept, and offered when you open it again.)"))
    return;
  let { status, answer } = await call("POST", "/api/open", { key });
  if (status !== 200) return say(answer.error);
  if (answer.unsaved) ({ status, answer } = await offerUnsaved(answer));
  state.session = answer.session;
  state.path = path;
  fillChoices($("page-background"), state.files);
  fillChoices($("page-sound"), state.files);
  state.selected = null;
  for (const b of document.querySelectorAll("#page-list button"))
    b.classList.toggle("current", b.dataset.path === path);
  $("page-name").textContent = path;
  say("");
  show(answer);
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
  return reply.status === 200 ? reply : { status: 200, answer: opened };
}

// Shows the page the server answered with: the rendering, a box per layer
// and the panel.
function show(answer) {
  state.model = answer.model;
  state.changes = answer.changes || 0;
  showLosses(answer.model.losses || []);
  $("undo").disabled = !answer.canUndo;
  $("redo").disabled = !answer.canRedo;
  $("diff").disabled = $("save").disabled = false;
  $("view").src = answer.view + "?t=" + Date.now();
  $("modern").href = answer.view.replace(/\/view$/, "/modern");
  $("modern").hidden = false;
  drawBoxes();
  fillPanel();
  if (!$("diff-text").hidden) showDiff();
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

function layerAt(index) {
  return state.model.layers.find((layer) => layer.index === index);
}

// Boxes stack as the browser stacks their layers: by z-index, then page
// order, so a click picks the layer on top.
function stackOrder(layers) {
  return [...layers].sort((a, b) =>
    (a.zIndex ?? 0) - (b.zIndex ?? 0) || a.index - b.index);
}

// How far the page is shown from the stage's corner: far enough that a
// layer above or left of the page (a sound's layer at top -20, say), and
// its label, can still be seen and taken.
function pageOffset(layers) {
  let reach = 0;
  for (const layer of layers) {
    if (layer.left !== null) reach = Math.max(reach, -layer.left);
    if (layer.top !== null) reach = Math.max(reach, -layer.top);
  }
  return reach > 0 ? Math.min(reach, 100000) + 20 : 0;
}

function drawBoxes() {
  const boxes = $("boxes");
  boxes.replaceChildren();
  const offset = pageOffset(state.model.layers) + "px";
  for (const shown of [boxes, $("view")]) {
    shown.style.left = offset;
    shown.style.top = offset;
  }
  for (const layer of stackOrder(state.model.layers)) {
    if (layer.id === null || layer.left === null || layer.top === null) continue;
    const box = document.createElement("div");
    box.className = "box" + (layer.index === state.selected ? " selected" : "");
    box.dataset.id = layer.id;
    box.dataset.index = layer.index;
    place(box, layer.left, layer.top, layer.width, layer.height);
    const label = document.createElement("span");
    label.className = "label";
    label.textContent = layer.id + " (" + layer.kind + ")";
    const corner = document.createElement("span");
    corner.className = "corner";
    box.append(label, corner);
    box.addEventListener("pointerdown", (e) => startGesture(e, box, layer));
    boxes.append(box);
  }
}

function place(box, left, top, width, height) {
  box.style.left = left + "px";
  box.style.top = top + "px";
  box.style.width = (width ?? 20) + "px";
  box.style.height = (height ?? 20) + "px";
}

// A drag moves the layer, a drag of its corner resizes it; the change is
// sent once, when the pointer is let go (one undo step per gesture). Shift
// keeps a move to one axis; Esc puts the box back.
function startGesture(event, box, layer) {
  event.preventDefault();
  select(layer.index);
  const resize = event.target.classList.contains("corner");
  const start = { x: event.clientX, y: event.clientY };
  const target = event.target;
  target.setPointerCapture(event.pointerId);
  let dx = 0, dy = 0;
  const move = (e) => {
    dx = Math.round(e.clientX - start.x);
    dy = Math.round(e.clientY - start.y);
    if (e.shiftKey && !resize) {
      if (Math.abs(dx) < Math.abs(dy)) dx = 0; else dy = 0;
    }
    if (resize) {
      place(box, layer.left, layer.top, Math.max(1, (layer.width ?? 20) + dx),
            Math.max(1, (layer.height ?? 20) + dy));
    } else {
      place(box, layer.left + dx, layer.top + dy, layer.width, layer.height);
    }
  };
  const cancel = (e) => {
    if (e.key !== "Escape") return;
    dx = dy = 0;
    place(box, layer.left, layer.top, layer.width, layer.height);
    target.releasePointerCapture(event.pointerId);
  };
  const end = () => {
    target.removeEventListener("pointermove", move);
    target.removeEventListener("pointerup", end);
    target.removeEventListener("pointercancel", end);
    document.removeEventListener("keydown", cancel);
    if (dx === 0 && dy === 0) return;
    const properties = resize
      ? { width: Math.max(1, (layer.width ?? 20) + dx),
          height: Math.max(1, (layer.height ?? 20) + dy) }
      : { left: layer.left + dx, top: layer.top + dy };
    change(layer, properties);
  };
  target.addEventListener("pointermove", move);
  target.addEventListener("pointerup", end);
  target.addEventListener("pointercancel", end);
  document.addEventListener("keydown", cancel);
}

function select(index) {
  state.selected = index;
  for (const box of document.querySelectorAll(".box"))
    box.classList.toggle("selected", Number(box.dataset.index) === index);
  fillPanel();
}

// Sets a field from the model unless the person is typing in it.
function fill(id, value) {
  if (document.activeElement !== $(id)) $(id).value = value;
}

function fillPanel() {
  const model = state.model;
  setChoice($("page-background"), model.background);
  setChoice($("page-sound"), model.backgroundSound ? model.backgroundSound.src : "");
  const layer = state.selected !== null && layerAt(state.selected);
  $("layer-fields").hidden = !layer;
  $("layer-title").textContent = layer ? "Layer " + layer.id + " (" + layer.kind + ")" : "Layer";
  if (!layer) return;
  fill("zIndex", layer.zIndex ?? "");
  fill("visibility", layer.visibility ?? "");
  const isText = layer.kind === "text";
  const hasSource = ["image", "video", "embed"].includes(layer.kind);
  document.querySelector(".only-text").hidden = !isText;
  document.querySelector(".only-source").hidden = !hasSource;
  if (isText) {
    fill("text", layer.text ?? "");
    fill("fontSize", layer.fontSize ?? "");
    fill("color", layer.color ?? "");
  }
  if (hasSource) {
    fillChoices($("src"), state.files);
    setChoice($("src"), layer.src);
  }
}

function setChoice(select, value) {
  if (value && ![...select.options].some((o) => o.value === value))
    select.append(new Option(value, value));
  select.value = value || "";
}

// Sends one change (several properties of one layer, named by its place
// in page order and its id, or of the page when `layer` is null); a
// refusal is shown and changes nothing.
const change = busy(async function change(layer, properties) {
  const named = layer ? { index: layer.index, layer: layer.id } : { layer: "" };
  const { status, answer } = await call("POST", "/api/edit", {
    session: state.session, page: state.path, ...named, properties });
  if (status !== 200) {
    say(answer.error || "the change was refused");
    if (answer.model) show(answer); else drawBoxes();
    return;
  }
  say("");
  show(answer);
});

const step = busy(async function step(action) {
  if (!state.session) return;
  const { status, answer } = await call("POST", "/api/" + action,
                                        { session: state.session });
  say(status === 200 ? "" : answer.error);
  if (status === 200) show(answer);
});

// The changes against the file as opened, or as it is on disk now (after
// another program wrote it).
const showDiff = busy(async function showDiff(against) {
  const { status, answer } = await call("GET", "/api/diff?session=" +
      state.session + (against ? "&against=" + against : ""));
  if (status !== 200) return say(answer.error || "the changes cannot be shown");
  $("diff-text").textContent = answer.diff || "No changes against the file on disk.";
  $("diff-text").hidden = false;
  $("diff").setAttribute("aria-expanded", "true");
});

const save = busy(async function save() {
  const { status, answer } = await call("POST", "/api/save",
                                        { session: state.session });
  if (status === 200) {
    say(answer.saved ? "Saved " + state.path + "." : answer.note, true);
    show(answer);
    return;
  }
  say("Not saved: " + answer.error);
  if (status === 409) showDiff("disk");  // the changes stay; here is why
});

function onField(id, property, parse) {
  $(id).addEventListener("change", () => {
    const value = parse($(id).value);
    if (value === null) return;
    change(layerAt(state.selected), { [property]: value });
  });
}

// A number field's text as the person typed it: a whole number is sent as
// one; anything else is sent as it is, for the server to refuse with the
// reason (parseInt would have made "1.5" a 1 and "abc" nothing).
const number = (text) => {
  const typed = text.trim();
  if (typed === "") return null;
  return /^[+-]?[0-9]+$/.test(typed) ? Number(typed) : typed;
};
const plain = (text) => text;
onField("zIndex", "zIndex", number);
onField("visibility", "visibility", (t) => (t === "" ? null : t));
onField("text", "text", plain);
onField("fontSize", "fontSize", number);
onField("color", "color", plain);
onField("src", "src", plain);
$("page-background").addEventListener("change", () =>
  change(null, { background: $("page-background").value }));
$("page-sound").addEventListener("change", () => {
  const src = $("page-sound").value;
  change(null, src ? { sound: src } : { noSound: true });
});
$("undo").addEventListener("click", () => step("undo"));
$("redo").addEventListener("click", () => step("redo"));
$("diff").addEventListener("click", () => {
  if ($("diff-text").hidden) return showDiff();
  $("diff-text").hidden = true;
  $("diff").setAttribute("aria-expanded", "false");
});
$("save").addEventListener("click", save);
// Arrow keys move the selected layer by 1 px, with Shift by 10 px; a burst
// of presses is sent as one change (one undo step) once they stop.
const nudge = { dx: 0, dy: 0, timer: null };
const arrows = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1],
                 ArrowDown: [0, 1] };
document.addEventListener("keydown", (e) => {
  const arrow = arrows[e.key];
  if (!arrow || state.selected === null ||
      e.target.matches("input, textarea, select"))
    return;
  const layer = layerAt(state.selected);
  if (!layer || layer.left === null || layer.top === null) return;
  e.preventDefault();
  const step = e.shiftKey ? 10 : 1;
  nudge.dx += arrow[0] * step;
  nudge.dy += arrow[1] * step;
  const box = document.querySelector(`.box[data-index="${layer.index}"]`);
  if (box) place(box, layer.left + nudge.dx, layer.top + nudge.dy,
                 layer.width, layer.height);
  clearTimeout(nudge.timer);
  nudge.timer = setTimeout(() => {
    const properties = { left: layer.left + nudge.dx, top: layer.top + nudge.dy };
    nudge.dx = nudge.dy = 0;
    change(layer, properties);
  }, 400);
});

document.addEventListener("keydown", (e) => {
  // In a field, Ctrl+Z is the field's own.
  if (!(e.ctrlKey || e.metaKey) || e.target.matches("input, textarea, select"))
    return;
  if (e.key === "z") { e.preventDefault(); step("undo"); }
  if (e.key === "y") { e.preventDefault(); step("redo"); }
});
// Leaving with unsaved changes asks first (they are journaled all the same).
window.addEventListener("beforeunload", (e) => {
  if (state.changes > 0 && !state.lost) e.preventDefault();
});
listPages();
