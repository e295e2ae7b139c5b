// Headless Chromium from the system, kept off the network, plus the helpers
// every suite uses to open the dashboard and read what it shows.
import assert from "node:assert/strict";
import { after, before, beforeEach } from "node:test";
import { setTimeout as sleep } from "node:timers/promises";
import { isDeepStrictEqual } from "node:util";
import { chromium } from "playwright-core";
import { STATES, startDashboardServer } from "./dashboard-server.mjs";

const CHROMIUM_FLAGS = [
  "--no-sandbox",
  "--disable-gpu",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--no-first-run",
  "--disable-quic",
];

// One browser and one stand-in server for the whole file. `open` starts a
// test in a fresh context, so storage never leaks from one test to the next;
// `problems` gathers everything the console shows (the page's own output, CSP
// violations, the browser's network errors) and uncaught exceptions.
export function useDashboard() {
  const env = {
    async open(t, { url = env.server.url, stopTimers = false, initScript, ...contextOptions } = {}) {
      const context = await env.browser.newContext({ timezoneId: "UTC", ...contextOptions });
      t.after(() => context.close());
      if (initScript) await context.addInitScript(initScript);
      // With timers stopped the page asks once at load and never again.
      if (stopTimers) {
        await context.clock.install();
        await context.clock.pauseAt(new Date());
      }
      const page = await context.newPage();
      const problems = [];
      page.on("console", (message) => problems.push(message.text()));
      page.on("pageerror", (error) => problems.push(error.message));
      await page.goto(url);
      return { context, page, problems };
    },
  };
  before(async () => {
    env.browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: CHROMIUM_FLAGS });
    env.server = await startDashboardServer();
  });
  beforeEach(() => {
    env.server.reply = { body: STATES.offline };
    env.server.statusRequests.length = 0;
  });
  after(async () => {
    await env.browser?.close();
    await env.server?.close();
  });
  return env;
}

// The browser itself logs refused and failed requests; the page must not add
// anything of its own.
export function pageProblems(problems) {
  return problems.filter((text) => !text.startsWith("Failed to load resource"));
}

export async function waitFor(read, expected, timeout = 6000) {
  const deadline = Date.now() + timeout;
  let actual = await read();
  while (!isDeepStrictEqual(actual, expected) && Date.now() < deadline) {
    await sleep(50);
    actual = await read();
  }
  assert.deepEqual(actual, expected);
}

export function waitForTitle(page, title) {
  return waitFor(() => page.textContent("#state-title"), title);
}

// Has the page ask once more and waits until it has shown the answer. The
// click may fall on a poll already under way; either request counts.
export async function refreshOnce(page, server) {
  const before = server.statusRequests.length;
  await page.click("#refresh");
  await waitFor(() => server.statusRequests.length > before, true);
  await page.waitForSelector("#refresh:enabled");
}

// Makes the stand-in answer `body` and waits for the page to show `title`.
export async function answer(page, server, body, title) {
  server.reply = { body };
  await refreshOnce(page, server);
  await waitForTitle(page, title);
}

// Everything the page shows that depends on the status answer.
export function readView(page) {
  return page.evaluate(() => {
    const $ = (id) => document.getElementById(id);
    const shown = (id) => ($(id).hidden ? null : $(id).textContent);
    const counterIds = ["vaults", "connections", "proxies", "sessions", "pending"];
    const transferIds = ["uploads", "downloads", "applied", "rejected", "dirty"];
    const provider = (id) => [$(id).textContent, $(`${id}-dot`).classList.contains("active")];
    return {
      title: $("state-title").textContent,
      description: $("state-description").textContent,
      hint: shown("state-hint"),
      dot: $("state-dot").className,
      counters: [...counterIds, ...transferIds].map((id) => $(id).textContent).join(" "),
      onedrive: provider("onedrive"),
      google_drive: provider("google_drive"),
      sync: $("sync-label").textContent,
      message: shown("message"),
    };
  });
}

export function readActivity(page) {
  return page.$$eval("#activity li", (items) => items.map((item) => item.firstChild.textContent));
}

