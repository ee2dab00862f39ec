// model.js: the open page as this tab knows it. The server sends the whole
// model when the page opens and, with every answer after, what changed
// (the changed layers, or a stretch of layers replaced, and the page's
// properties) with a revision number; answers are applied in that order,
// whatever order they arrive in.

// `selected` holds the selected layers' places in page order (ids may
// repeat); `locked` and `hidden` the layers the person locked or hid in
// the editor (the page is not changed by either).
export const state = {
  session: null, path: null, model: null, files: [], pages: [], changes: 0,
  canUndo: false, canRedo: false,
  selected: new Set(), locked: new Set(), hidden: new Set(),
};

let waiting = new Map();  // answers that came before the one due first

export const layerAt = (index) => state.model && state.model.layers[index];

export const selectedLayers = () =>
  [...state.selected].sort((a, b) => a - b).map(layerAt).filter(Boolean);

// A page just opened: its whole model.
export function openModel(answer) {
  state.session = answer.session;
  state.model = answer.model;
  state.selected = new Set();
  state.locked = new Set();
  state.hidden = new Set();
  waiting = new Map();
  takeSteps(answer);
}

function takeSteps(answer) {
  state.changes = answer.changes || 0;
  state.canUndo = !!answer.canUndo;
  state.canRedo = !!answer.canRedo;
}

// The places in `set` after `remove` layers from `at` on were replaced by
// `added`: those removed are dropped, those after them shifted.
function shifted(set, at, remove, added) {
  const next = new Set();
  for (const index of set) {
    if (index < at) next.add(index);
    else if (index >= at + remove) next.add(index - remove + added);
  }
  return next;
}

// Applies one answer's changes; returns what it changed, for the views to
// update ({whole} when they must be drawn again, else {layers: [places]}),
// once for each answer now in order, or null when it waits for another.
export function applyAnswer(answer) {
  if (!answer.changed || answer.session !== state.session) return null;
  waiting.set(answer.changed.revision, answer);
  const updates = [];
  for (let next; (next = waiting.get(state.model.revision + 1));) {
    waiting.delete(next.changed.revision);
    updates.push(applyChanges(next));
  }
  if (updates.length === 0) return null;
  return updates.reduce((all, one) => ({
    whole: all.whole || one.whole,
    layers: [...all.layers, ...one.layers],
    added: one.added || all.added,
    boxOnly: all.boxOnly && one.boxOnly,
  }));
}

const kBox = ["left", "top", "width", "height", "zIndex", "visibility"];

// Whether the two models of a layer differ in their box alone.
function boxOnly(before, after) {
  if (!before || before.kind !== after.kind) return false;
  return Object.keys(after).every((key) =>
    kBox.includes(key) || JSON.stringify(before[key]) === JSON.stringify(after[key]));
}

function applyChanges(answer) {
  const { changed } = answer;
  const model = state.model;
  model.revision = changed.revision;
  Object.assign(model, changed.page);
  takeSteps(answer);
  if (changed.splice) {
    const { at, remove, layers } = changed.splice;
    model.layers.splice(at, remove, ...layers);
    model.layers.forEach((layer, i) => { layer.index = i; });
    for (const name of ["selected", "locked", "hidden"])
      state[name] = shifted(state[name], at, remove, layers.length);
    return { whole: true, layers: [], boxOnly: false,
             added: layers.length > remove ? layers.map((l) => l.index) : null };
  }
  let onlyBoxes = true;
  for (const layer of changed.layers) {
    onlyBoxes = onlyBoxes && boxOnly(model.layers[layer.index], layer);
    model.layers[layer.index] = layer;
  }
  return { whole: false, layers: changed.layers.map((l) => l.index),
           boxOnly: onlyBoxes, added: null };
}

// An id no layer of the page has: `stem` and the first free number.
export function freeId(stem, taken = new Set()) {
  const ids = new Set(state.model.layers.map((layer) => layer.id));
  for (let n = 1; ; n++) {
    const id = stem + n;
    if (!ids.has(id) && !taken.has(id)) return id;
  }
}
