// stage.js: the page as a browser shows it, with a box over each layer a
// person selects (gestures.js and keys.js move them). The page is shown in
// a sandboxed frame whose one script (live.js) moves its layers as the
// boxes move, so that a change is shown without loading the page again;
// the frame never takes the pointer or the focus.

import { $ } from "./api.js";
import { state, layerAt } from "./model.js";
import { scheduleOutlines } from "./outlines.js";

let selected = () => {};  // told when the selection changes

export const connect = (told) => { selected = told; };

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
export const isCrowded = () => crowded;

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

export function place(box, left, top, width, height) {
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
export const boxed = (layer) => layer.left !== null && layer.top !== null;

// On a crowded page only the selected layers, and the one that stands for
// all of them in the Tab order (`entry`), have a box; the others are
// outlined on a canvas (outlines.js) and taken by where they are.
let entry = -1;
const keepsBox = (index) => !crowded || state.selected.has(index) || index === entry;

export function ensureBox(index) {
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
  selected();
}

export function toggle(index) {
  const next = new Set(state.selected);
  if (next.has(index)) next.delete(index); else next.add(index);
  setSelection(next);
}
