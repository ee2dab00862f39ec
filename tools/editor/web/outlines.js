// outlines.js: on a page of many layers, the outlines of the layers that
// have no box of their own, drawn on one canvas the size of the stage's
// view. A box per layer made every frame lay out, paint and hit-test
// thousands of positioned elements; the canvas is drawn again only when
// the layers, the selection or the scroll change, and only with the
// layers in sight.

import { $ } from "./api.js";

let source = null;  // () => {on, layers, skip(layer), offset}
let pending = false;

export function scheduleOutlines(from) {
  if (from) source = from;
  if (pending || !source) return;
  pending = true;
  requestAnimationFrame(() => {
    pending = false;
    paint();
  });
}

function paint() {
  const canvas = $("outlines"), stage = $("stage");
  const { on, layers, skip, offset } = source();
  canvas.hidden = !on;
  if (!on) return;
  const width = stage.clientWidth, height = stage.clientHeight;
  const ratio = window.devicePixelRatio || 1;
  if (canvas.width !== Math.round(width * ratio) || canvas.height !== Math.round(height * ratio)) {
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    canvas.style.width = width + "px";
    canvas.style.height = height + "px";
  }
  const context = canvas.getContext("2d");
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
  context.clearRect(0, 0, width, height);
  context.strokeStyle = "rgba(52, 101, 164, 0.6)";
  context.lineWidth = 1;
  const dx = offset - stage.scrollLeft, dy = offset - stage.scrollTop;
  context.beginPath();
  for (const layer of layers) {
    if (skip(layer)) continue;
    const x = layer.left + dx, y = layer.top + dy;
    const w = layer.width ?? 20, h = layer.height ?? 20;
    if (x > width || y > height || x + w < 0 || y + h < 0) continue;
    context.rect(x + 0.5, y + 0.5, Math.max(0, w - 1), Math.max(0, h - 1));
  }
  context.stroke();
}

$("stage").addEventListener("scroll", () => scheduleOutlines());
addEventListener("resize", () => scheduleOutlines());
