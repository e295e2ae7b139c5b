// A stand-in for the tray's dashboard server: the same routes, content types
// and security headers, and a status endpoint whose answers each test scripts.
import { randomBytes } from "node:crypto";
import { readFile } from "node:fs/promises";
import { createServer } from "node:http";

const ASSETS = new URL("../../src/desktop/web/assets/", import.meta.url);

const ROUTES = new Map([
  ["/", ["index.html", "text/html; charset=utf-8"]],
  ["/app.css", ["app.css", "text/css; charset=utf-8"]],
  ["/app.js", ["app.js", "text/javascript; charset=utf-8"]],
  ["/fonts/dm-sans.ttf", ["fonts/dm-sans.ttf", "font/ttf"]],
  ["/fonts/instrument-serif.ttf", ["fonts/instrument-serif.ttf", "font/ttf"]],
]);

const SECURITY_HEADERS = [
  ["cache-control", "no-store"],
  ["referrer-policy", "no-referrer"],
  ["x-content-type-options", "nosniff"],
  ["x-frame-options", "DENY"],
  ["cross-origin-resource-policy", "same-origin"],
  [
    "content-security-policy",
    "default-src 'none'; script-src 'self'; style-src 'self'; font-src 'self'; " +
      "connect-src 'self'; img-src 'self' data:; base-uri 'none'; frame-ancestors 'none'; " +
      "form-action 'none'",
  ],
];

// Status documents as the tray writes them.
const CHECKED_AT = 1765447200; // 2025-12-11 10:00:00 UTC

export function offline(checkedAt = CHECKED_AT) {
  return { connected: false, checked_at: checkedAt, app_version: "0.1.3", platform: "macos", service: null };
}

export function online({ initialized = true, unlocked = false, details = null } = {}) {
  return {
    ...offline(),
    connected: true,
    service: { version: "0.4.0", initialized, unlocked, details },
  };
}

export function details(overrides = {}) {
  return {
    vaults: 0,
    proxies: 0,
    remote_sessions: 0,
    providers: [],
    syncing: [],
    outbox_pending: 0,
    inbox_pending: 0,
    applied: 0,
    rejected: 0,
    dirty_vaults: 0,
    ...overrides,
  };
}

export const STATES = {
  offline: offline(),
  setup: online({ initialized: false }),
  locked: online(),
  unlocked: online({ unlocked: true, details: details() }),
};

// `reply` decides each answer of "/api/status": { status, body, delay }, a
// body that is not a string is sent as JSON. `statusRequests` records every
// request of the page, with or without the token.
export async function startDashboardServer() {
  const token = randomBytes(32).toString("hex");
  const assets = new Map();
  for (const [path, [file, type]] of ROUTES) {
    assets.set(path, { type, body: await readFile(new URL(file, ASSETS)) });
  }
  const timers = new Set();
  const dashboard = {
    token,
    reply: { body: STATES.offline },
    statusRequests: [],
  };

  const answerStatus = (response) => {
    const { status = 200, body, delay = 0 } = dashboard.reply;
    const timer = setTimeout(() => {
      timers.delete(timer);
      response.writeHead(status, { "content-type": "application/json" });
      response.end(typeof body === "string" ? body : JSON.stringify(body));
    }, delay);
    timers.add(timer);
  };

  const server = createServer((request, response) => {
    for (const [name, value] of SECURITY_HEADERS) response.setHeader(name, value);
    const path = new URL(request.url, "http://127.0.0.1").pathname;
    if (path.startsWith("/api/")) {
      const authorized = request.headers.authorization === `Bearer ${token}`;
      if (path === "/api/status") dashboard.statusRequests.push({ authorized });
      if (!authorized) return response.writeHead(401).end();
      if (path === "/api/status") return answerStatus(response);
    }
    const asset = assets.get(path);
    if (!asset) return response.writeHead(404).end();
    response.writeHead(200, { "content-type": asset.type }).end(asset.body);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));

  dashboard.origin = `http://127.0.0.1:${server.address().port}`;
  dashboard.url = `${dashboard.origin}/#token=${token}`;
  dashboard.close = () => {
    for (const timer of timers) clearTimeout(timer);
    server.closeAllConnections();
    return new Promise((resolve) => server.close(resolve));
  };
  return dashboard;
}
