// live.js: the one script that runs in the editor's preview of a page (an
// origin of its own, where the page's own scripts and handlers do not run).
// It finds each layer's block among the blocks the page writes, as the
// server said where each stands, and moves, resizes, restacks and hides
// them as the editor asks, so that a move is shown without loading the
// page again. It tells the editor whether it found every block.
"use strict";
(() => {
  const script = document.currentScript;
  const places = JSON.parse(script.dataset.places || "[]");
  const blocks = document.body
    ? [...document.body.children].filter((e) => e.tagName === "DIV")
    : [];
  const live = blocks.length === places.length;
  const byPlace = new Map();
  if (live) places.forEach((place, i) => byPlace.set(place, blocks[i]));

  const px = (value) => (value === null || value === undefined ? null : value + "px");
  function apply(layer) {
    const block = byPlace.get(layer.index);
    if (!block) return;
    const set = (name, value) => {
      if (value !== null && value !== undefined) block.style.setProperty(name, String(value));
    };
    set("left", px(layer.left));
    set("top", px(layer.top));
    set("width", px(layer.width));
    set("height", px(layer.height));
    set("z-index", layer.zIndex);
    set("visibility", layer.visibility);
    block.style.display = layer.hiddenInEditor ? "none" : "";
  }

  addEventListener("message", (event) => {
    if (event.source !== parent || !event.data || !Array.isArray(event.data.layers))
      return;
    event.data.layers.forEach(apply);
  });
  parent.postMessage({ htmlmemdocLive: live }, "*");
})();
