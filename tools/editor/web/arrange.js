// arrange.js: the changes that align, distribute and restack layers, each
// a list of {layer, properties} the editor sends as one step.

import { boundsOf } from "./snap.js";

const placed = (layers) =>
  layers.filter((layer) => layer.left !== null && layer.top !== null);

// Aligns `layers` on the edge or centre `how` of their bounding box:
// "left", "center", "right", "top", "middle" or "bottom".
export function align(layers, how) {
  const bounds = boundsOf(placed(layers));
  const changes = [];
  for (const layer of placed(layers)) {
    const w = layer.width ?? 0, h = layer.height ?? 0;
    const to = {
      left: { left: bounds.left },
      center: { left: Math.round((bounds.left + bounds.right - w) / 2) },
      right: { left: bounds.right - w },
      top: { top: bounds.top },
      middle: { top: Math.round((bounds.top + bounds.bottom - h) / 2) },
      bottom: { top: bounds.bottom - h },
    }[how];
    const [property, value] = Object.entries(to)[0];
    if (layer[property] !== value) changes.push({ layer, properties: to });
  }
  return changes;
}

// Spreads `layers` (three or more) so that the gaps between them along
// `axis` ("horizontal" or "vertical") are equal, the first and the last
// staying where they are.
export function distribute(layers, axis) {
  const [start, size] = axis === "horizontal" ? ["left", "width"] : ["top", "height"];
  const ordered = placed(layers).sort((a, b) => a[start] - b[start]);
  if (ordered.length < 3) return [];
  const first = ordered[0], last = ordered[ordered.length - 1];
  const span = last[start] + (last[size] ?? 0) - first[start];
  const total = ordered.reduce((sum, layer) => sum + (layer[size] ?? 0), 0);
  const gap = (span - total) / (ordered.length - 1);
  const changes = [];
  let at = first[start];
  for (const layer of ordered) {
    const value = Math.round(at);
    if (layer[start] !== value) changes.push({ layer, properties: { [start]: value } });
    at += (layer[size] ?? 0) + gap;
  }
  return changes;
}

// The z-index changes that bring `layers` forward or back one place
// ("forward", "backward") or to the front or back of all `all` layers.
export function restack(layers, all, how) {
  const zs = all.map((layer) => layer.zIndex ?? 0);
  const top = Math.max(0, ...zs), bottom = Math.min(0, ...zs);
  return layers.map((layer, i) => {
    const z = layer.zIndex ?? 0;
    const to = { forward: z + 1, backward: z - 1, front: top + 1 + i,
                 back: bottom - layers.length + i }[how];
    return { layer, properties: { zIndex: to } };
  });
}
