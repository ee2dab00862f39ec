// panel.js: the fields of the page and of the selected layer. A field the
// person is typing in is never overwritten by an answer; a change is sent
// when the field is left or Enter is pressed, and the server checks it.

import { $ } from "./api.js";
import { state, selectedLayers } from "./model.js";
import { fillChoices, fromPage, siteUrl, sourceKind } from "./files.js";

let send = null;  // send(parts) makes the changes as one step
export const connectPanel = (sender) => { send = sender; };

// Sets a field from the model unless the person is typing in it.
function fill(id, value) {
  if (document.activeElement !== $(id)) $(id).value = value ?? "";
}

export function fillPanel() {
  const model = state.model;
  if (!model) return;
  fill("page-title", model.title);
  fill("page-color", model.backgroundColor);
  fillChoices($("page-background"), "image", model.background);
  fillChoices($("page-sound"), "sound",
              model.backgroundSound ? model.backgroundSound.src : "");
  fillFrames(model);
  const layers = selectedLayers();
  const layer = layers.length === 1 ? layers[0] : null;
  $("layer-fields").hidden = !layer;
  $("layer-title").textContent = layer
    ? "Layer " + (layer.id ?? "") + " (" + layer.kind + ")"
    : layers.length > 1 ? layers.length + " layers selected" : "Layer";
  for (const control of document.querySelectorAll(".needs-selection"))
    control.disabled = layers.length === 0;
  for (const control of document.querySelectorAll(".needs-two"))
    control.disabled = layers.length < 2;
  for (const control of document.querySelectorAll(".needs-three"))
    control.disabled = layers.length < 3;
  if (!layer) return;
  for (const field of ["left", "top", "width", "height", "zIndex"])
    fill(field, layer[field]);
  fill("visibility", layer.visibility ?? "");
  const isText = layer.kind === "text";
  const hasSource = layer.kind !== "text" && layer.kind !== "plain";
  document.querySelector(".only-text").hidden = !isText;
  document.querySelector(".only-source").hidden = !hasSource;
  if (isText) {
    fill("text", layer.text);
    fill("textAlign", layer.textAlign ?? "");
    fill("fontFamily", layer.fontFamily);
    fill("fontSize", layer.fontSize);
    fill("color", layer.color);
  }
  if (hasSource && document.activeElement !== $("src"))
    fillChoices($("src"), sourceKind(layer.kind), layer.src);
  // An image layer's picture, or a video's poster, as the site has it.
  const picture = layer.kind === "image" ? layer.src : layer.kind === "video" ? layer.poster : null;
  $("src-preview").hidden = !picture;
  if (picture) $("src-preview").src = siteUrl(picture);
}

// The frameset's columns and rows, and each frame's page and size (a
// size only where its tag gives one: the library changes no other).
function fillFrames(model) {
  const frames = model.frames || [];
  $("frames").hidden = frames.length === 0;
  if (frames.length === 0) return;
  fill("frameCols", model.frameset && model.frameset.cols);
  fill("frameRows", model.frameset && model.frameset.rows);
  const list = $("frame-list");
  if (list.contains(document.activeElement)) return;
  list.replaceChildren(...frames.map((frame, index) => {
    const item = document.createElement("li");
    const page = document.createElement("select");
    page.dataset.frame = index;
    page.dataset.property = "frameSrc";
    page.setAttribute("aria-label", "Page of frame " + (frame.name ?? index + 1));
    page.append(...state.pages.map((path) => new Option(fromPage(path), fromPage(path))));
    if (frame.src && ![...page.options].some((o) => o.value === frame.src))
      page.append(new Option(frame.src, frame.src));
    page.value = frame.src ?? "";
    item.append((frame.name ?? "frame " + (index + 1)) + " ", page);
    for (const [property, size] of [["frameWidth", frame.width], ["frameHeight", frame.height]]) {
      if (!size) continue;
      const field = document.createElement("input");
      field.type = "number";
      field.value = size.value;
      field.dataset.frame = index;
      field.dataset.property = property;
      field.setAttribute("aria-label", (property === "frameWidth" ? "Width" : "Height") +
                         " of frame " + (frame.name ?? index + 1) + " (" + size.unit + ")");
      item.append(field);
    }
    return item;
  }));
}

// A number field's text as the person typed it: a whole number is sent as
// one; anything else is sent as it is, for the server to refuse with the
// reason (parseInt would have made "1.5" a 1 and "abc" nothing).
const number = (text) => {
  const typed = text.trim();
  if (typed === "") return null;
  return /^[+-]?[0-9]+$/.test(typed) ? Number(typed) : typed;
};
const plain = (text) => text;

function onField(id, property, parse) {
  $(id).addEventListener("change", () => {
    const layers = selectedLayers();
    const value = parse($(id).value);
    if (layers.length !== 1 || value === null) return;
    send([{ layer: layers[0], properties: { [property]: value } }]);
  });
}

for (const field of ["left", "top", "width", "height", "zIndex", "fontSize"])
  onField(field, field, number);
onField("visibility", "visibility", (t) => (t === "" ? null : t));
onField("text", "text", plain);
onField("textAlign", "textAlign", (t) => (t === "" ? null : t));
onField("fontFamily", "fontFamily", plain);
onField("color", "color", plain);
onField("src", "src", plain);
for (const property of ["frameCols", "frameRows"])
  $(property).addEventListener("change", () =>
    send([{ layer: null, properties: { [property]: $(property).value } }]));
$("frame-list").addEventListener("change", (event) => {
  const { frame, property } = event.target.dataset;
  const value = property === "frameSrc" ? event.target.value : number(event.target.value);
  if (value !== null) send([{ layer: null, properties: { frame: Number(frame), [property]: value } }]);
});
$("page-color").addEventListener("change", () =>
  send([{ layer: null, properties: { backgroundColor: $("page-color").value } }]));
$("page-title").addEventListener("change", () =>
  send([{ layer: null, properties: { title: $("page-title").value } }]));
$("page-background").addEventListener("change", () =>
  send([{ layer: null, properties: { background: $("page-background").value } }]));
$("page-sound").addEventListener("change", () => {
  const src = $("page-sound").value;
  send([{ layer: null, properties: src ? { sound: src } : { noSound: true } }]);
});
