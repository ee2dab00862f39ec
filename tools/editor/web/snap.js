// snap.js: where a dragged edge comes to rest. The targets (the page's
// edges, the other layers' edges and centres) are gathered once when a
// drag starts and sorted, so each pointer move costs a few binary
// searches however many layers the page holds; an optional grid snaps
// too.

const kReach = 6;  // pixels within which an edge is drawn to a target

// The sorted, distinct numbers of `values`.
const sorted = (values) => [...new Set(values)].sort((a, b) => a - b);

// The targets for moving or resizing `moving` (layer models) among
// `layers`: x positions and y positions.
export function targetsFor(layers, moving) {
  const skip = new Set(moving.map((layer) => layer.index));
  const xs = [0], ys = [0];
  for (const layer of layers) {
    if (skip.has(layer.index) || layer.left === null || layer.top === null) continue;
    const w = layer.width ?? 0, h = layer.height ?? 0;
    xs.push(layer.left, layer.left + w / 2, layer.left + w);
    ys.push(layer.top, layer.top + h / 2, layer.top + h);
  }
  return { xs: sorted(xs), ys: sorted(ys) };
}

// The target in `values` (sorted) nearest `at`.
function nearest(values, at) {
  let low = 0, high = values.length - 1;
  while (low < high) {
    const middle = (low + high) >> 1;
    if (values[middle] < at) low = middle + 1; else high = middle;
  }
  let best = values[low];
  if (low > 0 && Math.abs(values[low - 1] - at) < Math.abs(best - at)) best = values[low - 1];
  return best;
}

// How far to shift the edges `edges` (positions on one axis: left, centre,
// right say) so that the nearest one lies on a target or on the grid
// (`grid` pixels; 0: none): {shift, guide} (guide: where the edge came to
// rest, for a line to be drawn; null: no snap).
export function snapAxis(edges, values, grid) {
  let best = { shift: 0, guide: null, distance: kReach + 1 };
  for (const edge of edges) {
    const candidates = [nearest(values, edge)];
    if (grid > 0) candidates.push(Math.round(edge / grid) * grid);
    for (const target of candidates) {
      const distance = Math.abs(target - edge);
      if (distance < best.distance) best = { shift: target - edge, guide: target, distance };
    }
  }
  return best.distance <= kReach ? best : { shift: 0, guide: null };
}

// The bounding box of `layers`: {left, top, right, bottom}.
export function boundsOf(layers) {
  const bounds = { left: Infinity, top: Infinity, right: -Infinity, bottom: -Infinity };
  for (const layer of layers) {
    bounds.left = Math.min(bounds.left, layer.left);
    bounds.top = Math.min(bounds.top, layer.top);
    bounds.right = Math.max(bounds.right, layer.left + (layer.width ?? 0));
    bounds.bottom = Math.max(bounds.bottom, layer.top + (layer.height ?? 0));
  }
  return bounds;
}
