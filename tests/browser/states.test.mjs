// The four service states and the details shown for each.
import assert from "node:assert/strict";
import { test } from "node:test";
import { STATES, details, offline, online } from "./dashboard-server.mjs";
import { answer, readView, useDashboard, waitFor } from "./browser.mjs";

const dashboard = useDashboard();
const DASHES = Array(10).fill("—").join(" ");
const HIDDEN = ["Available when unlocked", false];

const unlocked = (overrides) => online({ unlocked: true, details: details(overrides) });

test("before the first answer the page is connecting", async (t) => {
  dashboard.server.reply = { body: STATES.locked, delay: 1500 };
  const { page, problems } = await dashboard.open(t);
  assert.deepEqual(await readView(page), {
    title: "Connecting...",
    description: "Checking the local service.",
    hint: null,
    dot: "state-dot connecting",
    counters: DASHES,
    onedrive: HIDDEN,
    google_drive: HIDDEN,
    sync: "Unavailable",
    message: null,
  });
  assert.deepEqual(problems, []);
});

test("each state shows its texts, dot, hint and badge", async (t) => {
  const cases = [
    {
      body: STATES.offline,
      view: {
        title: "Daemon unavailable.",
        description: "The local service is stopped, busy, or needs an update.",
        hint: "Choose Start daemon in the tray menu, or run pellamy daemon. Update both the CLI and daemon together.",
        dot: "state-dot offline",
        counters: DASHES,
        onedrive: HIDDEN,
        google_drive: HIDDEN,
        sync: "Unavailable",
        message: null,
      },
    },
    {
      body: STATES.setup,
      view: {
        title: "Ready for a new beginning.",
        description: "The service is running. Your local vault has not been initialized yet.",
        hint: "Run pellamy init in a terminal to set up your local password.",
        dot: "state-dot setup",
        counters: DASHES,
        onedrive: HIDDEN,
        google_drive: HIDDEN,
        sync: "Not configured",
        message: null,
      },
    },
    {
      // Details sent for a locked vault are still not shown.
      body: online({ details: details({ vaults: 4, providers: ["onedrive"] }) }),
      view: {
        title: "Your vault is locked.",
        description: "Pellamy is running. Library and synchronization details are hidden while locked.",
        hint: "Run pellamy unlock in a terminal to view more details.",
        dot: "state-dot locked",
        counters: DASHES,
        onedrive: HIDDEN,
        google_drive: HIDDEN,
        sync: "Locked",
        message: null,
      },
    },
    {
      body: unlocked({
        vaults: 3,
        proxies: 2,
        remote_sessions: 1,
        outbox_pending: 4,
        inbox_pending: 1,
        applied: 12345,
        rejected: 2,
        dirty_vaults: 1,
        providers: ["onedrive"],
      }),
      view: {
        title: "Your vault is unlocked.",
        description:
          "Your local service is ready. This page shows status without displaying your stored content.",
        hint: null,
        dot: "state-dot unlocked",
        counters: "3 3 2 1 5 4 1 12,345 2 1",
        onedrive: ["Connected", true],
        google_drive: ["Not connected", false],
        sync: "Ready",
        message: null,
      },
    },
  ];
  const { page, problems } = await dashboard.open(t);
  for (const { body, view } of cases) {
    await answer(page, dashboard.server, body, view.title);
    assert.deepEqual(await readView(page), view);
    // The style sheet keeps [hidden] hidden whatever the element's own rules.
    assert.equal(await page.isVisible("#state-hint"), view.hint !== null);
  }
  assert.deepEqual(problems, []);
});

test("provider lines, dots and the sync badge follow the unlocked details", async (t) => {
  const cases = [
    { providers: ["onedrive"], syncing: [], onedrive: ["Connected", true], google: ["Not connected", false], sync: "Ready" },
    { providers: ["onedrive"], syncing: ["onedrive"], onedrive: ["Syncing", true], google: ["Not connected", false], sync: "Syncing" },
    {
      providers: ["onedrive", "google_drive"],
      syncing: ["google_drive"],
      onedrive: ["Connected", true],
      google: ["Syncing", true],
      sync: "Syncing",
    },
    { providers: [], syncing: [], onedrive: ["Not connected", false], google: ["Not connected", false], sync: "Not configured" },
  ];
  const { page } = await dashboard.open(t);
  await answer(page, dashboard.server, STATES.locked, "Your vault is locked.");
  for (const { providers, syncing, onedrive, google, sync } of cases) {
    dashboard.server.reply = { body: unlocked({ providers, syncing }) };
    await page.click("#refresh");
    await waitFor(async () => {
      const view = await readView(page);
      return [view.onedrive, view.google_drive, view.sync];
    }, [onedrive, google, sync]);
  }
});

test("an unlocked vault without details shows dashes and a locked badge", async (t) => {
  const { page } = await dashboard.open(t);
  await answer(page, dashboard.server, online({ unlocked: true }), "Your vault is unlocked.");
  const view = await readView(page);
  assert.deepEqual([view.counters, view.onedrive, view.sync], [DASHES, HIDDEN, "Locked"]);
});

test("the footer names the platform, the version and the last check", async (t) => {
  // The browser runs in UTC, where the stand-in's check was at ten o'clock.
  const checked = ["10:00:00 AM", "2025-12-11T10:00:00.000Z"];
  const cases = [
    { body: offline(), footer: ["macOS", "v0.1.3", ...checked] },
    { body: offline(0), footer: ["macOS", "v0.1.3", "—", null] },
    { body: { ...offline(), platform: "windows" }, footer: ["Windows", "v0.1.3", ...checked] },
    { body: { ...offline(), platform: "linux" }, footer: ["Linux", "v0.1.3", ...checked] },
    { body: { ...offline(), platform: "plan9" }, footer: ["Pellamy", "v0.1.3", ...checked] },
  ];
  const { page } = await dashboard.open(t);
  const readFooter = () =>
    page.evaluate(() => {
      const $ = (id) => document.getElementById(id);
      return [$("platform").textContent, $("version").textContent, $("checked").textContent, $("checked").getAttribute("datetime")];
    });
  for (const { body, footer } of cases) {
    dashboard.server.reply = { body };
    await page.click("#refresh");
    await waitFor(readFooter, footer);
  }
});
