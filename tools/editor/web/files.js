// files.js: the site's files as a page names them, and which of them fit
// a use: images for image layers, posters and the background, sounds for
// live audio and the background sound, movies for video layers, any file
// for an embed.

import { state } from "./model.js";

const kKinds = {
  image: ["gif", "jpg", "jpeg", "png", "bmp", "webp", "svg"],
  sound: ["mid", "midi", "wav", "mp3", "au", "aif", "aiff", "ra", "rm", "ogg", "opus", "wma"],
  movie: ["avi", "mpg", "mpeg", "mov", "mp4", "wmv", "asf", "webm", "m4v", "qt"],
};

// The kind of file a layer's source is: "image", "sound", "movie" or
// null (any file).
export const sourceKind = (layerKind) =>
  ({ image: "image", video: "movie", "live audio": "sound" })[layerKind] ?? null;

const extension = (file) => {
  const dot = file.lastIndexOf(".");
  return dot < 0 ? "" : file.slice(dot + 1).toLowerCase();
};

export const fits = (file, kind) => kind === null || kKinds[kind].includes(extension(file));

// `file`, a path below DIR, as the open page names it: from its own folder
// ("../images/a.gif" for a page in a subfolder), as the page's sources
// are resolved.
export function fromPage(file) {
  const folder = (state.path || "").split("/").slice(0, -1);
  const parts = file.split("/");
  let shared = 0;
  while (shared < folder.length && shared < parts.length - 1 &&
         folder[shared] === parts[shared]) shared++;
  return "../".repeat(folder.length - shared) + parts.slice(shared).join("/");
}

// Fills `select` with the site's files of `kind` (null: all), the current
// `value` kept among them even when it is of another kind or missing.
export function fillChoices(select, kind, value, none = "(none)") {
  select.replaceChildren(new Option(none, ""));
  for (const file of state.files) {
    if (!fits(file, kind)) continue;
    const name = fromPage(file);
    select.append(new Option(name, name));
  }
  if (value && ![...select.options].some((o) => o.value === value))
    select.append(new Option(value, value));
  select.value = value || "";
}

// Where the editor loads `name`, as the open page names it, from: the
// site's files below the page view's secret path.
export function siteUrl(name) {
  const page = state.path.split("/").map(encodeURIComponent).join("/");
  return document.getElementById("view").src.replace(/\/view(\?.*)?$/, "/site") +
    new URL(name, "http://x/" + page).pathname;
}
