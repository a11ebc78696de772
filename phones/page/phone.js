"use strict";
// The phone page of phone buzzers: a seat to pick, then one buzz button and, while this seat
// answers, four answer buttons. Presses are timed with the phone's own clock on pointerdown;
// the game moves them onto its clock with the pings it sends.
(function () {
  const token = new URLSearchParams(location.search).get("k") || "";
  const secretKey = "harvoline-seat-" + token;
  const connectTimeoutMs = 5000;
  const body = document.body;
  const el = (id) => document.getElementById(id);
  let socket = null;
  let texts = {};
  let state = { seat: 0, seats: [] };
  let retry = null;
  let lastBuzz = 0;

  function text(key, fallback) { return texts[key] || fallback || ""; }

  // A private tab may keep nothing: the seat is then only kept while the page lives.
  function remember(secret) {
    try {
      if (secret) localStorage.setItem(secretKey, secret);
      else localStorage.removeItem(secretKey);
    } catch (e) { /* nothing to keep it in */ }
  }
  function remembered() {
    try { return localStorage.getItem(secretKey); } catch (e) { return null; }
  }

  function showTexts() {
    document.querySelectorAll("[data-text]").forEach((node) => {
      const value = texts[node.dataset.text];
      if (value) node.textContent = value;
    });
    render();
  }

  function send(message) {
    if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(message));
  }

  function connect() {
    if (socket && (socket.readyState === WebSocket.OPEN ||
                   socket.readyState === WebSocket.CONNECTING)) return;
    clearTimeout(retry);
    const ws = new WebSocket("ws://" + location.host + "/ws?k=" + encodeURIComponent(token));
    socket = ws;
    const timeout = setTimeout(() => { if (ws.readyState !== WebSocket.OPEN) ws.close(); },
                               connectTimeoutMs);
    ws.onopen = () => {
      clearTimeout(timeout);
      el("link").hidden = true;
      const secret = remembered();
      if (secret) send({ t: "reclaim", secret: secret });
    };
    ws.onmessage = (event) => receive(JSON.parse(event.data));
    ws.onclose = () => {
      clearTimeout(timeout);
      if (socket !== ws) return;
      socket = null;
      el("link").hidden = false;
      retry = setTimeout(connect, 1000);
    };
  }

  function receive(message) {
    switch (message.t) {
      case "ping": send({ t: "pong", s: message.s, c: performance.now() }); break;
      case "texts": texts = message; showTexts(); break;
      case "state": state = message; render(); break;
      case "seated":
        remember(message.secret);
        el("refusal").textContent = "";
        break;
      case "refused":
        if (message.why === "gone") remember(null);
        else el("refusal").textContent = text(message.why, message.why);
        break;
      case "freed": remember(null); break;
    }
  }

  function render() {
    body.dataset.view = state.seat ? "play" : "picker";
    body.dataset.state = state.state || "over";
    renderSeats();
    if (!state.seat) return;
    body.style.setProperty("--seat", state.colour);
    el("name").textContent = state.name;
    el("score").textContent = state.score;
    el("state").textContent = text(state.state);
    const answers = state.answers || [];
    document.querySelectorAll("#answers button").forEach((button, i) => {
      button.style.background = answers[i] || "#888";
    });
  }

  function renderSeats() {
    const list = el("seats");
    list.replaceChildren();
    (state.seats || []).forEach((seat) => {
      const button = document.createElement("button");
      button.type = "button";
      button.dataset.seat = seat.n;
      button.textContent = seat.n + "  " + seat.name;
      button.style.setProperty("--seat", seat.colour);
      button.disabled = !seat.free;
      button.addEventListener("pointerdown", (event) => {
        event.preventDefault();
        send({ t: "join", seat: seat.n });
      });
      list.appendChild(button);
    });
  }

  el("buzz").addEventListener("pointerdown", (event) => {
    const at = performance.now();
    event.preventDefault();
    // Ten presses a second are more than a finger makes; the game closes floods.
    if (at - lastBuzz < 100) return;
    lastBuzz = at;
    send({ t: "buzz", at: at });
    if (navigator.vibrate) navigator.vibrate(30);
  });
  document.querySelectorAll("#answers button").forEach((button) => {
    button.addEventListener("pointerdown", (event) => {
      const at = performance.now();
      event.preventDefault();
      send({ t: "choose", n: Number(button.dataset.choice), at: at });
    });
  });

  // A phone that slept or a tab that comes back finds its link dead: connect again at once.
  document.addEventListener("visibilitychange", () => {
    if (document.visibilityState === "visible") connect();
  });
  window.addEventListener("pageshow", connect);
  window.addEventListener("online", connect);
  connect();
}());
