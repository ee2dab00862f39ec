// adding.js: the dialog that makes a layer: of a kind, showing a file of
// the site or a file from the person's computer, which is first copied
// into a folder of the site they choose (never over a file without
// asking). A file dropped onto the page opens it, with the layer to be
// placed where the file was dropped.

import { $, say, call, busy } from "./api.js";
import { state, freeId } from "./model.js";
import { fillChoices, fits, fromPage, siteUrl, sourceKind } from "./files.js";

const hooks = { send: null, refresh: null };

// `send(parts)` makes the change; `refresh()` lists the site's files again.
export function connectAdding(send, refresh) {
  hooks.send = send;
  hooks.refresh = refresh;
}

const kStems = { text: "Text", image: "Image", video: "Video", embed: "Embed",
                 "live audio": "Sound" };
let place = null;   // where the new layer goes; null: the view's middle
let local = null;   // the computer's file chosen or dropped

// The page's point at the middle of what the stage shows, less half a
// new layer's 100 px.
function viewCentre() {
  const stage = $("stage"), boxes = $("boxes");
  return {
    left: Math.max(0, Math.round(stage.scrollLeft + stage.clientWidth / 2 - boxes.offsetLeft - 50)),
    top: Math.max(0, Math.round(stage.scrollTop + stage.clientHeight / 2 - boxes.offsetTop - 50)),
  };
}

// The layer kind that shows a file of this name.
function kindFor(name) {
  if (fits(name, "image")) return "image";
  if (fits(name, "movie")) return "video";
  if (fits(name, "sound")) return "live audio";
  return "embed";
}

// The folders of the site, the one holding most files of `kind` first.
function folders(kind) {
  const counts = new Map([["", 0]]);
  for (const file of state.files) {
    const folder = file.includes("/") ? file.slice(0, file.lastIndexOf("/")) : "";
    counts.set(folder, (counts.get(folder) || 0) + (fits(file, kind) ? 1 : 0));
  }
  return [...counts.entries()].sort((a, b) => b[1] - a[1] || a[0].localeCompare(b[0]))
    .map(([folder]) => folder);
}

export function openAddDialog(file = null, at = null) {
  local = file;
  place = at;
  $("add-file").value = "";
  $("add-dialog").returnValue = "";  // Esc keeps the last one otherwise
  if (file) $("add-kind").value = kindFor(file.name);
  $("add-where").textContent = at ? "The layer is placed where the file was dropped."
                                  : "The layer is placed in the middle of the view.";
  showKind();
  $("add-dialog").showModal();
}

function showKind() {
  const kind = $("add-kind").value;
  $("add-source-field").hidden = kind === "text";
  fillChoices($("add-source"), sourceKind(kind), "", "(choose a file)");
  const select = $("add-folder");
  select.replaceChildren(...folders(sourceKind(kind)).map((f) => new Option(f || "(the site's folder)", f)));
  showChoice();
}

// What the dialog shows of the file chosen: the site's, or the computer's.
function showChoice() {
  const kind = $("add-kind").value;
  $("add-folder-field").hidden = $("add-local").hidden = !local;
  if (local) $("add-local").textContent = `From this computer: ${local.name} ` +
      "(named in the site in lower case, blanks and signs made \"_\")";
  $("add-source").disabled = !!local;
  const preview = $("add-preview");
  const src = $("add-source").value;
  const image = local ? fits(local.name, "image") : src && sourceKind(kind) === "image";
  preview.hidden = !image;
  if (!image) return;
  if (preview.src.startsWith("blob:")) URL.revokeObjectURL(preview.src);
  preview.src = local ? URL.createObjectURL(local) : siteUrl(src);
}

// Copies the computer's file into `folder`; the path below the site it
// took, or null (said why).
async function copyIn(file, folder) {
  const query = (name, replace) => "/api/upload?folder=" + encodeURIComponent(folder) +
    "&name=" + encodeURIComponent(name) + (replace ? "&replace=1" : "");
  let { status, answer } = await call("POST", query(file.name, false), file);
  if (status === 409 && answer.suggestion) {
    const replace = confirm(`${answer.error}. Replace it? ` +
        `(Cancel keeps both: the new one is named ${answer.suggestion}.)`);
    const name = replace ? file.name : answer.suggestion.split("/").pop();
    ({ status, answer } = await call("POST", query(name, replace), file));
  }
  if (status !== 200) {
    say("The file was not copied: " + (answer.error || "the server refused it"));
    return null;
  }
  await hooks.refresh();
  return answer.path;
}

const add = busy(async function add() {
  const kind = $("add-kind").value;
  let src = $("add-source").value;
  if (kind !== "text" && local) {
    const path = await copyIn(local, $("add-folder").value);
    if (!path) return;
    src = fromPage(path);
  }
  if (kind !== "text" && !src) return say("Choose the file the new layer shows.");
  const { left, top } = place || viewCentre();
  const properties = { add: kind, left, top };
  if (kind === "text") Object.assign(properties, { width: 200, height: 40 });
  else properties.src = src;
  await hooks.send([{ layer: { index: -1, id: freeId(kStems[kind]) }, properties }]);
});

$("add-kind").addEventListener("change", showKind);
$("add-source").addEventListener("change", showChoice);
$("add-file").addEventListener("change", () => {
  local = $("add-file").files[0] || null;
  if (local) $("add-kind").value = kindFor(local.name);
  showKind();
});
$("add-dialog").addEventListener("close", () => {
  if ($("add-dialog").returnValue === "add") add();
});

// A file dropped onto the page: the dialog, for the layer to show it there.
$("stage").addEventListener("dragover", (event) => {
  if (state.session && event.dataTransfer.types.includes("Files")) event.preventDefault();
});
$("stage").addEventListener("drop", (event) => {
  const file = event.dataTransfer.files[0];
  if (!state.session || !file) return;
  event.preventDefault();
  const origin = $("boxes").getBoundingClientRect();
  openAddDialog(file, { left: Math.max(0, Math.round(event.clientX - origin.left)),
                        top: Math.max(0, Math.round(event.clientY - origin.top)) });
});
