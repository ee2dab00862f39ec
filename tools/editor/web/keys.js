// keys.js: arrows move the selected layers by 1 px, with Shift by 10 px;
// with Ctrl they resize them. A burst of presses is sent as one change
// (one undo step) once the keys rest.

import { selectedLayers, state } from "./model.js";
import { boxed, boxOf, place, tellFrame } from "./stage.js";

let send = null;  // send(parts) makes the changes as one step
export const connectKeys = (sender) => { send = sender; };

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
    place(boxOf(layer.index), layer.left, layer.top, layer.width, layer.height);
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
  send(parts);
}
