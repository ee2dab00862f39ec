// stage.js: the page as a browser shows it, with a box over each layer that
// a person selects, drags, resizes and moves from the keyboard. The page
// is shown in a sandboxed frame whose one script (live.js) moves its
// layers as the boxes move, so that a change is shown without loading the
// page again; the frame never takes the pointer or the focus.

import { $ } from "./api.js";
import { state, layerAt, selectedLayers } from "./model.js";
import { targetsFor, snapAxis, boundsOf } from "./snap.js";
import { scheduleOutlines } from "./outlines.js";

const hooks = { send: null, selected: null, open: null };  // set by the editor

// `send(parts)` makes the changes [{layer, properties}] as one step;
// `selected()` is told when the selection changes; `open(index, box)` when
// a layer is opened (a double click, or Enter on its box).
export function connect(send, selected, open) {
  hooks.send = send;
  hooks.selected = selected;
  hooks.open = open;
}

// --- The frame -------------------------------------------------------

let live = false;  // whether the frame's script found every layer
addEventListener("message", (event) => {
  if (event.source === $("view").contentWindow && event.data &&
      "htmlmemdocLive" in event.data) {
    live = event.data.htmlmemdocLive === true;
    tellFrame(state.model ? state.model.layers : []);
  }
});

export function loadView(url) {
  live = false;
  $("view").src = url + "?t=" + Date.now();
}

// The boxes of `layers` as the frame is to show them; false when it
// cannot (the page must be loaded again).
export function tellFrame(layers) {
  if (!live) return false;
  $("view").contentWindow.postMessage({
    layers: layers.map((layer) => ({
      index: layer.index, left: layer.left, top: layer.top, width: layer.width,
      height: layer.height, zIndex: layer.zIndex, visibility: layer.visibility,
      hiddenInEditor: state.hidden.has(layer.index),
    })),
  }, "*");
  return true;
}

// --- Boxes -----------------------------------------------------------

const boxes = new Map();  // place in page order: its box
const kCrowded = 400;  // layers past which most are outlined, not boxed
let crowded = false;

// How far the page is shown from the stage's corner: far enough that a
// layer above or left of the page (a sound's layer at top -20, say), and
// its label, can still be seen and taken.
function pageOffset(layers) {
  let reach = 0;
  for (const layer of layers) {
    if (layer.left !== null) reach = Math.max(reach, -layer.left);
    if (layer.top !== null) reach = Math.max(reach, -layer.top);
  }
  return reach > 0 ? Math.min(reach, 100000) + 20 : 24;
}

let offset = 0;
function placeStage(layers) {
  const next = pageOffset(layers);
  if (next === offset) return;
  offset = next;
  for (const shown of [$("boxes"), $("view")]) {
    shown.style.left = offset + "px";
    shown.style.top = offset + "px";
  }
}

const name = (layer) => (layer.id ?? "(no id)") + " (" + layer.kind + ")";

function place(box, left, top, width, height) {
  box.style.left = left + "px";
  box.style.top = top + "px";
  box.style.width = (width ?? 20) + "px";
  box.style.height = (height ?? 20) + "px";
}

// The boxes stand in page order, the order Tab walks them; they carry no
// z-index (thousands of stacking contexts made each frame slow to
// composite), and a press picks the layer on top (layerAtPoint).
function dress(box, layer) {
  place(box, layer.left, layer.top, layer.width, layer.height);
  box.hidden = state.hidden.has(layer.index);
  box.classList.toggle("selected", state.selected.has(layer.index));
  box.classList.toggle("locked", state.locked.has(layer.index));
  box.classList.toggle("media", ["video", "embed", "live audio"].includes(layer.kind));
  box.dataset.kind = layer.kind;
  // What no editing view plays is named on its box: the movie a video
  // layer plays (its poster is shown), an embed's file, a sound.
  const badge = { video: "▶ ", embed: "◆ ", "live audio": "♪ " }[layer.kind];
  if (badge && layer.src) box.dataset.badge = badge + layer.src.split("/").pop();
  else delete box.dataset.badge;
  box.setAttribute("aria-pressed", String(state.selected.has(layer.index)));
  box.setAttribute("aria-label", layer.kind + " layer " + (layer.id ?? "without id") +
                   (state.locked.has(layer.index) ? ", locked" : ""));
  if (!box.firstChild) {
    const label = document.createElement("span");
    label.className = "label";
    const corner = document.createElement("span");
    corner.className = "corner";
    corner.setAttribute("aria-hidden", "true");
    box.append(label, corner);
  }
  box.firstChild.textContent = name(layer);
}

function makeBox(layer) {
  const box = document.createElement("div");
  box.className = "box";
  box.tabIndex = 0;
  box.setAttribute("role", "button");
  box.dataset.index = layer.index;
  box.dataset.id = layer.id ?? "";
  dress(box, layer);
  return box;
}

// Whether a layer has a box: it must be placed by its style.
const boxed = (layer) => layer.left !== null && layer.top !== null;

// On a crowded page only the selected layers, and the one that stands for
// all of them in the Tab order (`entry`), have a box; the others are
// outlined on a canvas (outlines.js) and taken by where they are.
let entry = -1;
const keepsBox = (index) => !crowded || state.selected.has(index) || index === entry;

function ensureBox(index) {
  const layer = layerAt(index);
  if (boxes.has(index) || !layer || !boxed(layer)) return boxes.get(index) || null;
  const box = makeBox(layer);
  boxes.set(index, box);
  $("boxes").append(box);
  return box;
}

function dropBox(index) {
  const box = boxes.get(index);
  if (!box) return;
  box.remove();
  boxes.delete(index);
}

const outlines = () => ({
  on: crowded, layers: state.model.layers, offset,
  skip: (layer) => !boxed(layer) || boxes.has(layer.index) || state.hidden.has(layer.index),
});

export function drawAll() {
  boxes.clear();
  const layers = state.model.layers;
  crowded = layers.length > kCrowded;
  const first = layers.find(boxed);
  entry = first ? first.index : -1;
  placeStage(layers);
  const all = document.createDocumentFragment();
  for (const layer of layers) {
    if (!boxed(layer) || !keepsBox(layer.index)) continue;
    const box = makeBox(layer);
    boxes.set(layer.index, box);
    all.append(box);
  }
  $("boxes").replaceChildren(all);
  $("boxes").dataset.count = String(layers.length);
  scheduleOutlines(outlines);
}

// The boxes of the layers at `indices` as their models now are.
export function updateBoxes(indices) {
  placeStage(state.model.layers);
  for (const index of indices) {
    const layer = layerAt(index), box = boxes.get(index);
    if (layer && box && boxed(layer)) {
      dress(box, layer);
      box.dataset.id = layer.id ?? "";
    }
  }
  scheduleOutlines();
}

export const boxOf = (index) => boxes.get(index);

// --- Selection -------------------------------------------------------

export function setSelection(indices, focus) {
  const before = state.selected;
  state.selected = new Set(indices);
  if (focus && state.selected.size === 1) entry = [...state.selected][0];
  for (const index of new Set([...before, ...state.selected, entry])) {
    if (!keepsBox(index)) {
      dropBox(index);
      continue;
    }
    const box = ensureBox(index);
    if (box) dress(box, layerAt(index));
  }
  if (focus && state.selected.size === 1) {
    const box = boxes.get([...state.selected][0]);
    if (box && document.activeElement !== box) {
      box.focus({ preventScroll: true });
      box.scrollIntoView({ block: "nearest", inline: "nearest" });
    }
  }
  scheduleOutlines();
  hooks.selected();
}

function toggle(index) {
  const next = new Set(state.selected);
  if (next.has(index)) next.delete(index); else next.add(index);
  setSelection(next);
}

// On a crowded page Tab and Shift+Tab walk the layers from the one
// focused, in page order, as they walk the boxes of any other page; past
// the first or the last they leave the page.
function walkLayers(event) {
  if (!crowded || event.key !== "Tab" || !event.target.classList.contains("box")) return;
  const layers = state.model.layers;
  const step = event.shiftKey ? -1 : 1;
  let index = Number(event.target.dataset.index) + step;
  while (index >= 0 && index < layers.length &&
         (!boxed(layers[index]) || state.hidden.has(index))) index += step;
  if (index < 0 || index >= layers.length) return;
  event.preventDefault();
  setSelection([index], true);
}

// --- Gestures --------------------------------------------------------

const guides = { x: null, y: null };
function showGuides(x, y) {
  for (const [axis, at] of [["x", x], ["y", y]]) {
    if (at === null) {
      if (guides[axis]) guides[axis].hidden = true;
      continue;
    }
    if (!guides[axis]) {
      guides[axis] = document.createElement("div");
      guides[axis].className = "guide guide-" + axis;
      $("boxes").append(guides[axis]);
    }
    if (!guides[axis].isConnected) $("boxes").append(guides[axis]);
    guides[axis].hidden = false;
    guides[axis].style[axis === "x" ? "left" : "top"] = at + "px";
  }
}

export const snapping = { on: true, grid: 0 };

// The shift (dx, dy) of a move of `moving` by the pointer's (dx, dy),
// snapped unless Alt is held or snapping is off.
function snapMove(moving, targets, dx, dy, alt) {
  if (alt || !snapping.on) return { dx, dy, gx: null, gy: null };
  const b = boundsOf(moving);
  const sx = snapAxis([b.left + dx, (b.left + b.right) / 2 + dx, b.right + dx],
                      targets.xs, snapping.grid);
  const sy = snapAxis([b.top + dy, (b.top + b.bottom) / 2 + dy, b.bottom + dy],
                      targets.ys, snapping.grid);
  return { dx: dx + Math.round(sx.shift), dy: dy + Math.round(sy.shift),
           gx: sx.guide, gy: sy.guide };
}

function snapResize(layer, targets, w, h, alt) {
  if (alt || !snapping.on) return { w, h, gx: null, gy: null };
  const sx = snapAxis([layer.left + w], targets.xs, snapping.grid);
  const sy = snapAxis([layer.top + h], targets.ys, snapping.grid);
  return { w: w + Math.round(sx.shift), h: h + Math.round(sy.shift),
           gx: sx.guide, gy: sy.guide };
}

// A drag moves the selected layers, a drag of a corner resizes its layer;
// the change is sent once, when the pointer is let go (one undo step per
// gesture). Shift at the start adds to the selection or takes away from
// it; Shift while moving keeps the move to one axis; Alt turns snapping
// off; Esc puts the boxes back.
function startGesture(event, index, box) {
  event.preventDefault();
  if (event.shiftKey && !event.target.classList.contains("corner")) {
    toggle(index);
    return;
  }
  if (!state.selected.has(index)) setSelection([index]);
  const resize = event.target.classList.contains("corner");
  const moving = resize ? [layerAt(index)] : selectedLayers().filter(boxed);
  if (moving.some((layer) => state.locked.has(layer.index))) return;
  const targets = targetsFor(state.model.layers.filter((l) => !state.hidden.has(l.index)),
                             moving);
  const start = { x: event.clientX, y: event.clientY };
  const target = resize ? event.target : box;
  target.setPointerCapture(event.pointerId);
  let result = null;
  const show = () => {
    for (const layer of moving) {
      const box = boxes.get(layer.index);
      if (resize && result) place(box, layer.left, layer.top, result.w, result.h);
      else if (result) place(box, layer.left + result.dx, layer.top + result.dy, layer.width, layer.height);
      else place(box, layer.left, layer.top, layer.width, layer.height);
    }
    // On a crowded page the frame is told once, when the pointer is let
    // go: laying out and painting it at every move made the drag lag.
    if (!crowded || finished) tellFrame(moving.map((layer) => result === null ? layer : resize
      ? { ...layer, width: result.w, height: result.h }
      : { ...layer, left: layer.left + result.dx, top: layer.top + result.dy }));
  };
  let finished = false;
  const move = (e) => {
    let dx = Math.round(e.clientX - start.x), dy = Math.round(e.clientY - start.y);
    if (e.shiftKey && !resize) {
      if (Math.abs(dx) < Math.abs(dy)) dx = 0; else dy = 0;
    }
    const layer = moving[0];
    result = resize
      ? snapResize(layer, targets, Math.max(1, (layer.width ?? 20) + dx),
                   Math.max(1, (layer.height ?? 20) + dy), e.altKey)
      : snapMove(moving, targets, dx, dy, e.altKey);
    showGuides(result.gx, result.gy);
    show();
  };
  const cancel = (e) => {
    if (e.key !== "Escape") return;
    result = null;
    show();
    finish();
  };
  const finish = () => {
    target.removeEventListener("pointermove", move);
    target.removeEventListener("pointerup", end);
    target.removeEventListener("pointercancel", end);
    document.removeEventListener("keydown", cancel);
    if (target.hasPointerCapture(event.pointerId)) target.releasePointerCapture(event.pointerId);
    showGuides(null, null);
  };
  const end = () => {
    finish();
    finished = true;
    show();
    if (result === null) return;
    const parts = resize
      ? [{ layer: moving[0], properties: { width: result.w, height: result.h } }]
      : moving.map((layer) => ({ layer, properties: { left: layer.left + result.dx,
                                                       top: layer.top + result.dy } }));
    if (resize ? result.w !== moving[0].width || result.h !== moving[0].height
               : result.dx !== 0 || result.dy !== 0)
      hooks.send(parts);
  };
  target.addEventListener("pointermove", move);
  target.addEventListener("pointerup", end);
  target.addEventListener("pointercancel", end);
  document.addEventListener("keydown", cancel);
}

// A drag over the page where no layer is draws a rectangle: the layers it
// touches are selected (with Shift, added to the selection).
function startBand(event) {
  event.preventDefault();
  const origin = $("boxes").getBoundingClientRect();
  const from = { x: event.clientX - origin.left, y: event.clientY - origin.top };
  const band = document.createElement("div");
  band.className = "band";
  $("boxes").append(band);
  const adding = event.shiftKey ? new Set(state.selected) : new Set();
  let rect = null;
  const move = (e) => {
    const x = e.clientX - origin.left, y = e.clientY - origin.top;
    rect = { left: Math.min(from.x, x), top: Math.min(from.y, y),
             right: Math.max(from.x, x), bottom: Math.max(from.y, y) };
    place(band, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  };
  const end = () => {
    removeEventListener("pointermove", move);
    removeEventListener("pointerup", end);
    band.remove();
    if (rect === null) return setSelection(adding);
    for (const layer of state.model.layers) {
      if (!boxed(layer) || state.hidden.has(layer.index)) continue;
      const w = layer.width ?? 20, h = layer.height ?? 20;
      if (layer.left < rect.right && layer.left + w > rect.left &&
          layer.top < rect.bottom && layer.top + h > rect.top)
        adding.add(layer.index);
    }
    setSelection(adding);
  };
  addEventListener("pointermove", move);
  addEventListener("pointerup", end);
}

// Whether `a` is stacked above `b` (layer models) as a browser stacks
// them: by z-index, then page order.
const above = (a, b) => (a.zIndex ?? 0) > (b.zIndex ?? 0) ||
  ((a.zIndex ?? 0) === (b.zIndex ?? 0) && a.index > b.index);

// The layer a press at (x, y) of the page takes: the one on top there of
// those shown; null when none is there.
function layerAtPoint(x, y) {
  let top = null;
  for (const layer of state.model.layers) {
    if (!boxed(layer) || state.hidden.has(layer.index)) continue;
    const w = layer.width ?? 20, h = layer.height ?? 20;
    if (x >= layer.left && x < layer.left + w && y >= layer.top && y < layer.top + h &&
        (top === null || above(layer, top)))
      top = layer;
  }
  return top;
}

// A press on a label or a corner takes its box; any other press on the
// page the layer on top there, whether its box is drawn or outlined.
$("boxes").addEventListener("pointerdown", (event) => {
  let box = event.target.matches(".label, .corner") ? event.target.parentElement : null;
  if (!box) {
    const origin = $("boxes").getBoundingClientRect();
    const layer = layerAtPoint(event.clientX - origin.left, event.clientY - origin.top);
    box = layer && ensureBox(layer.index);
  }
  if (!box) return;
  event.stopPropagation();
  startGesture(event, Number(box.dataset.index), box);
});
$("boxes").addEventListener("keydown", walkLayers);
$("boxes").addEventListener("dblclick", (event) => {
  const box = event.target.closest(".box");
  if (box) hooks.open(Number(box.dataset.index), box);
});
$("boxes").addEventListener("keydown", (event) => {
  if (event.key === "Enter" && event.target.classList.contains("box")) {
    event.preventDefault();
    hooks.open(Number(event.target.dataset.index), event.target);
  }
});
$("stage").addEventListener("pointerdown", startBand);
// A box reached by Tab is selected, as a click would select it.
$("boxes").addEventListener("focusin", (event) => {
  const box = event.target.closest(".box");
  if (box && !state.selected.has(Number(box.dataset.index)))
    setSelection([Number(box.dataset.index)]);
});

// --- The keyboard ----------------------------------------------------

// Arrows move the selected layers by 1 px, with Shift by 10 px; with Ctrl
// they resize them. A burst of presses is sent as one change (one undo
// step) once the keys rest.
const nudge = { dx: 0, dy: 0, resize: false, timer: null, layers: [] };
const arrows = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };

function nudged(layer) {
  return nudge.resize
    ? { ...layer, width: Math.max(0, (layer.width ?? 0) + nudge.dx),
        height: Math.max(0, (layer.height ?? 0) + nudge.dy) }
    : { ...layer, left: layer.left + nudge.dx, top: layer.top + nudge.dy };
}

export function onArrow(event) {
  const arrow = arrows[event.key];
  if (!arrow || state.selected.size === 0) return false;
  const resize = event.ctrlKey || event.metaKey;
  if (nudge.layers.length && resize !== nudge.resize) flushNudge();
  const layers = selectedLayers().filter((l) => boxed(l) && !state.locked.has(l.index));
  if (layers.length === 0) return false;
  event.preventDefault();
  nudge.resize = resize;
  nudge.layers = layers;
  const step = event.shiftKey ? 10 : 1;
  nudge.dx += arrow[0] * step;
  nudge.dy += arrow[1] * step;
  const shown = layers.map(nudged);
  for (const layer of shown)
    place(boxes.get(layer.index), layer.left, layer.top, layer.width, layer.height);
  tellFrame(shown);
  clearTimeout(nudge.timer);
  nudge.timer = setTimeout(flushNudge, 400);
  return true;
}

export function flushNudge() {
  clearTimeout(nudge.timer);
  if (nudge.layers.length === 0 || (nudge.dx === 0 && nudge.dy === 0)) {
    nudge.layers = [];
    return;
  }
  const parts = nudge.layers.map((layer) => {
    const to = nudged(layer);
    return { layer, properties: nudge.resize ? { width: to.width, height: to.height }
                                             : { left: to.left, top: to.top } };
  });
  nudge.dx = nudge.dy = 0;
  nudge.layers = [];
  hooks.send(parts);
}
