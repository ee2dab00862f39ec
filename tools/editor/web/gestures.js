// gestures.js: what a pointer and the keys on a layer's box do: a drag
// moves the selected layers and a drag of a corner resizes its layer,
// snapping to the page's and the other layers' edges and centres, a drag
// where no layer is selects with a rectangle, a double click or Enter
// opens a layer, and on a crowded page Tab walks the layers.

import { $ } from "./api.js";
import { state, layerAt, selectedLayers } from "./model.js";
import { targetsFor, snapAxis, boundsOf } from "./snap.js";
import { boxed, boxOf, ensureBox, isCrowded, place, setSelection, tellFrame,
         toggle } from "./stage.js";

const hooks = { send: null, open: null };

// `send(parts)` makes the changes [{layer, properties}] as one step;
// `open(index, box)` is told of a layer opened.
export function connectGestures(send, open) {
  hooks.send = send;
  hooks.open = open;
}

// On a crowded page Tab and Shift+Tab walk the layers from the one
// focused, in page order, as they walk the boxes of any other page; past
// the first or the last they leave the page.
function walkLayers(event) {
  if (!isCrowded() || event.key !== "Tab" || !event.target.classList.contains("box")) return;
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
  let finished = false;  // the pointer let go
  const show = () => {
    for (const layer of moving) {
      const box = boxOf(layer.index);
      if (resize && result) place(box, layer.left, layer.top, result.w, result.h);
      else if (result) place(box, layer.left + result.dx, layer.top + result.dy, layer.width, layer.height);
      else place(box, layer.left, layer.top, layer.width, layer.height);
    }
    // On a crowded page the frame is told once, when the pointer is let
    // go: laying out and painting it at every move made the drag lag.
    if (!isCrowded() || finished) tellFrame(moving.map((layer) => result === null ? layer : resize
      ? { ...layer, width: result.w, height: result.h }
      : { ...layer, left: layer.left + result.dx, top: layer.top + result.dy }));
  };
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
