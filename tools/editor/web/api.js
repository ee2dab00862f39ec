// api.js: how the editor's page talks to its server, and says what
// happened. Every request carries the access token in a header; a server
// gone is said at once, and nothing is offered after it that would seem
// to work.

export const $ = (id) => document.getElementById(id);

export const status = { lost: false };

// A refusal is announced at once (an alert); other news politely.
export function say(text, ok) {
  if (status.lost) text = "";  // the banner says it all
  const message = $("message");
  message.setAttribute("role", ok || !text ? "status" : "alert");
  message.textContent = text || "";
  message.className = ok ? "ok" : "";
}

// The server is gone: the changes made are in its journal.
function lose() {
  status.lost = true;
  $("lost").hidden = false;
  say("");
  for (const control of document.querySelectorAll("button, input, select, textarea"))
    control.disabled = true;
}

// Requests in progress, shown as data-busy on the body (a person sees the
// page settle; a test waits for it).
let pending = 0;
function setBusy(step) {
  pending += step;
  document.body.dataset.busy = pending > 0 ? "1" : "";
}

// `action` (an async function) run with the editor marked busy.
export const busy = (action) => async (...args) => {
  setBusy(1);
  try {
    return await action(...args);
  } finally {
    setBusy(-1);
  }
};

// The access token: brought once by the address htmlmemdoc serve printed,
// then kept in this tab's storage (which no other port or site can read)
// and sent as a header, never as a cookie.
const token = (() => {
  const given = new URLSearchParams(location.search).get("token");
  if (given) {
    sessionStorage.setItem("htmlmemdoc-token", given);
    history.replaceState(null, "", "/");
  }
  return sessionStorage.getItem("htmlmemdoc-token") || "";
})();

// The server's answer to one request: its status and its JSON body. A
// body that is a file (a Blob) is sent as its bytes, any other as JSON.
export async function call(method, url, body) {
  const headers = { "X-Htmlmemdoc-Token": token };
  const bytes = body instanceof Blob;
  if (body) headers["Content-Type"] = bytes ? "application/octet-stream" : "application/json";
  let response;
  try {
    response = await fetch(url, {
      method,
      headers,
      body: body ? (bytes ? body : JSON.stringify(body)) : undefined,
    });
  } catch (error) {
    lose();
    return { status: 0, answer: { error: "the editor's server does not answer" } };
  }
  const answer = await response.json().catch(() => ({}));
  return { status: response.status, answer };
}
