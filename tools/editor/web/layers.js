// layers.js: the list of every layer in page order, with its kind, id,
// z-index and visibility, a lock (a locked layer is not moved by a drag or
// the arrows) and a switch that hides it in the editor (to reach the ones
// under it; the page keeps it). Choosing a layer here selects it on the
// page, and the page's selection is shown here. Only the rows in sight
// are made, so a page of thousands of layers lists at once.

import { $ } from "./api.js";
import { state, layerAt } from "./model.js";

const rows = new Map();  // place in page order: its row, while in sight
const kRowHeight = 22;   // pixels, as editor.css gives a row
const kMargin = 10;      // rows made above and below those in sight
const hooks = { choose: null, hide: null };

// `choose(index, adding)` selects a layer; `hide()` is told when a layer
// was hidden or shown.
export function connectList(choose, hide) {
  hooks.choose = choose;
  hooks.hide = hide;
}

function describe(layer) {
  return (layer.id ?? "(no id)") + " · " + layer.kind +
         (layer.zIndex !== null ? " · z " + layer.zIndex : "") +
         (layer.visibility === "hidden" ? " · hidden" : "");
}

function toggleIn(set, index, on) {
  if (on) set.add(index); else set.delete(index);
}

function makeRow(layer) {
  const row = document.createElement("li");
  const choose = document.createElement("button");
  choose.className = "choose";
  const lock = document.createElement("input");
  lock.type = "checkbox";
  lock.className = "lock";
  const hide = document.createElement("input");
  hide.type = "checkbox";
  hide.className = "hide";
  row.append(choose, lock, hide);
  row.dataset.index = layer.index;
  row.style.top = layer.index * kRowHeight + "px";
  row.setAttribute("aria-posinset", String(layer.index + 1));
  row.setAttribute("aria-setsize", String(state.model.layers.length));
  fillRow(row, layer);
  return row;
}

function fillRow(row, layer) {
  const [choose, lock, hide] = row.children;
  const index = layer.index;
  choose.textContent = describe(layer);
  choose.setAttribute("aria-pressed", String(state.selected.has(index)));
  row.classList.toggle("selected", state.selected.has(index));
  lock.checked = state.locked.has(index);
  lock.setAttribute("aria-label", "Lock " + layer.kind + " layer " + (layer.id ?? ""));
  hide.checked = state.hidden.has(index);
  hide.setAttribute("aria-label", "Hide " + layer.kind + " layer " + (layer.id ?? "") +
                    " in the editor");
}

// The rows in sight of the list's scroller, made anew; those that stay
// in sight are kept (a row being clicked must not be replaced under the
// pointer).
function drawRows() {
  if (!state.model) return;
  const scroller = $("layer-scroll");
  const count = state.model.layers.length;
  const first = Math.max(0, Math.floor(scroller.scrollTop / kRowHeight) - kMargin);
  const last = Math.min(count, Math.ceil((scroller.scrollTop + scroller.clientHeight) /
                                         kRowHeight) + kMargin);
  for (const [index, row] of rows) {
    if (index < first || index >= last) {
      row.remove();
      rows.delete(index);
    }
  }
  const list = $("layer-list");
  for (let index = first; index < last; ++index) {
    if (rows.has(index)) continue;
    const row = makeRow(state.model.layers[index]);
    rows.set(index, row);
    list.append(row);
  }
}

export function drawList() {
  rows.clear();
  $("layer-list").replaceChildren();
  $("layer-list").style.height = state.model.layers.length * kRowHeight + "px";
  drawRows();
}

export function updateRows(indices) {
  for (const index of indices) {
    const row = rows.get(index), layer = layerAt(index);
    if (row && layer) fillRow(row, layer);
  }
}

export function showSelection(before) {
  updateRows(new Set([...before, ...state.selected]));
  if (state.selected.size !== 1) return;
  const scroller = $("layer-scroll");
  const top = [...state.selected][0] * kRowHeight;
  if (top < scroller.scrollTop || top + kRowHeight > scroller.scrollTop + scroller.clientHeight)
    scroller.scrollTop = top - scroller.clientHeight / 2;
  drawRows();
}

$("layer-scroll").addEventListener("scroll", drawRows);

$("layer-list").addEventListener("click", (event) => {
  const row = event.target.closest("li");
  if (!row) return;
  const index = Number(row.dataset.index);
  if (event.target.classList.contains("choose")) hooks.choose(index, event.shiftKey);
  if (event.target.classList.contains("lock")) {
    toggleIn(state.locked, index, event.target.checked);
    hooks.hide([index]);
  }
  if (event.target.classList.contains("hide")) {
    toggleIn(state.hidden, index, event.target.checked);
    hooks.hide([index]);
  }
});
