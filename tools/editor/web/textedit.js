// textedit.js: a text layer's content edited where it stands (a double
// click on it, or Enter on its box). The content is shown as the page
// writes it (bold, italic, fonts, line breaks) and written back in the
// page's own forms: <b>, <i>, <font> and <br>. Every piece the person did
// not touch is written back as it came, byte for byte; the server checks
// the result and makes it one undo step.

import { $, say } from "./api.js";

const kTag = /<(\/?)([a-zA-Z]+)\b[^>]*>/g;
const kept = new WeakMap();  // node: {raw, end, text} as it came

// `raw`, text with character references, as the text it stands for
// (a textarea's content is text only: nothing in it is made or run).
const decoder = document.createElement("textarea");
function decode(raw) {
  decoder.innerHTML = raw;
  return decoder.value;
}

// The attributes of a font start tag worth showing while editing.
function fontOf(raw) {
  const font = document.createElement("font");
  const parsed = new DOMParser().parseFromString(raw + "</font>", "text/html");
  const source = parsed.body.firstElementChild;
  for (const name of ["face", "size", "color"])
    if (source && source.hasAttribute(name)) font.setAttribute(name, source.getAttribute(name));
  return font;
}

function addText(parent, raw) {
  if (raw === "") return;
  const node = document.createTextNode(decode(raw));
  kept.set(node, { raw, text: node.data });
  parent.append(node);
}

// The content's markup as nodes of `root`; false when it holds markup this
// editor does not edit (the server refuses it too).
function build(content, root) {
  const open = [root];
  let from = 0;
  for (const match of content.matchAll(kTag)) {
    addText(open[open.length - 1], content.slice(from, match.index));
    from = match.index + match[0].length;
    const [raw, closing, tagName] = match;
    const name = tagName.toLowerCase();
    if (closing) {
      const element = open.pop();
      if (open.length === 0 || element.localName !== name) return false;
      kept.get(element).end = raw;
    } else if (name === "br") {
      const br = document.createElement("br");
      kept.set(br, { raw });
      open[open.length - 1].append(br);
    } else if (name === "b" || name === "i" || name === "font") {
      const element = name === "font" ? fontOf(raw) : document.createElement(name);
      kept.set(element, { raw });
      open[open.length - 1].append(element);
      open.push(element);
    } else {
      return false;
    }
  }
  addText(open[open.length - 1], content.slice(from));
  return open.length === 1 && !/[<>]/.test(content.replace(kTag, ""));
}

const escape = (text) => text.replace(/&/g, "&amp;").replace(/</g, "&lt;")
  .replace(/>/g, "&gt;").replace(/\u00a0/g, "&nbsp;");

const quoted = (value) => '"' + value.replace(/&/g, "&amp;").replace(/"/g, "&quot;") + '"';

// A font made while editing, in the page's form.
function newFont(element) {
  let tag = "<font";
  for (const name of ["face", "size", "color"])
    if (element.hasAttribute(name)) tag += " " + name + "=" + quoted(element.getAttribute(name));
  return tag + ">";
}

// The markup of `node`'s children.
function serialize(node) {
  let markup = "";
  for (const child of node.childNodes) markup += serializeNode(child);
  return markup;
}

function serializeNode(node) {
  const was = kept.get(node);
  if (node.nodeType === Node.TEXT_NODE)
    return was && was.text === node.data ? was.raw : escape(node.data);
  if (node.nodeType !== Node.ELEMENT_NODE) return "";
  const name = { strong: "b", em: "i" }[node.localName] || node.localName;
  if (name === "br") return was ? was.raw : "<br>";
  if (name === "div" || name === "p")  // a line the browser made
    return (node.previousSibling ? "<br>" : "") + serialize(node);
  if (name !== "b" && name !== "i" && name !== "font") return serialize(node);
  const start = was ? was.raw : name === "font" ? newFont(node) : "<" + name + ">";
  const end = was && was.end ? was.end : "</" + name + ">";
  return start + serialize(node) + end;
}

// Opens the editor over the text layer `layer` (its model), shown in the
// page at `box`; `send(content)` makes the change.
export function editText(layer, box, send) {
  if (layer.kind !== "text" || layer.content === null) return false;
  const editor = document.createElement("div");
  if (!build(layer.content, editor)) {
    say(`${layer.id}'s text holds markup the editor does not edit in place ` +
        "(a link, an image): change its text in the panel.");
    return false;
  }
  editor.id = "text-editor";
  editor.contentEditable = "true";
  editor.setAttribute("role", "textbox");
  editor.setAttribute("aria-multiline", "true");
  editor.setAttribute("aria-label", "Text of layer " + (layer.id ?? "") +
                      ": Ctrl+B bold, Ctrl+I italic, Enter a line break, " +
                      "Ctrl+Enter or leaving it to keep, Esc to cancel");
  for (const side of ["left", "top", "width", "height"]) editor.style[side] = box.style[side];
  const original = serialize(editor);
  let done = false;
  const finish = (keep) => {
    if (done) return;
    done = true;
    const content = serialize(editor);
    editor.remove();
    box.focus({ preventScroll: true });
    if (keep && content !== original) send(content);
  };
  editor.addEventListener("keydown", (event) => {
    event.stopPropagation();  // the editor's own keys stay out
    const ctrl = event.ctrlKey || event.metaKey;
    if (event.key === "Escape") finish(false);
    else if (event.key === "Enter" && ctrl) finish(true);
    else if (event.key === "Enter") {
      event.preventDefault();
      document.execCommand("insertLineBreak");
    } else if (ctrl && (event.key === "b" || event.key === "i")) {
      event.preventDefault();
      document.execCommand(event.key === "b" ? "bold" : "italic");
    }
  });
  editor.addEventListener("blur", () => finish(true));
  editor.addEventListener("pointerdown", (event) => event.stopPropagation());
  box.parentElement.append(editor);
  editor.focus();
  return true;
}

// Bold or italic on the text being edited, from the panel's buttons.
export function styleEditedText(command) {
  if (document.activeElement && document.activeElement.id === "text-editor")
    document.execCommand(command);
}
