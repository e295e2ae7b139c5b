// The access token: taken from the fragment, kept for the tab, forgotten when
// the server refuses it.
import assert from "node:assert/strict";
import { test } from "node:test";
import { setTimeout as sleep } from "node:timers/promises";
import { STATES } from "./dashboard-server.mjs";
import { pageProblems, readView, useDashboard, waitFor, waitForTitle } from "./browser.mjs";

const dashboard = useDashboard();
const AUTH_ERROR = "This dashboard session is unavailable. Open the status dashboard again from the tray menu.";
// Longer than one refresh period, so a request the page should not send would show.
const ONE_TICK = 2300;

const storedToken = (page) => page.evaluate(() => sessionStorage.getItem("pellamy-status-token"));

test("the token leaves the address bar and survives a reload", async (t) => {
  const { server } = dashboard;
  server.reply = { body: STATES.locked };
  const { page, problems } = await dashboard.open(t);
  await waitForTitle(page, "Your vault is locked.");
  assert.equal(page.url(), `${server.origin}/`);
  assert.equal(await storedToken(page), server.token);

  server.reply = { body: STATES.unlocked };
  await page.reload();
  await waitForTitle(page, "Your vault is unlocked.");
  assert.ok(server.statusRequests.length >= 2);
  assert.ok(server.statusRequests.every((request) => request.authorized));
  assert.deepEqual(problems, []);
});

test("a bare address in a new tab shows the session message and asks nothing", async (t) => {
  const { server } = dashboard;
  const { context, page: first } = await dashboard.open(t);
  await waitForTitle(first, "Daemon unavailable.");
  await first.close();
  server.statusRequests.length = 0;

  const page = await context.newPage();
  await page.goto(`${server.origin}/`);
  await waitFor(() => page.textContent("#message"), AUTH_ERROR);
  await sleep(ONE_TICK);
  const view = await readView(page);
  assert.deepEqual([view.title, view.dot, view.message], ["Daemon unavailable.", "state-dot offline", AUTH_ERROR]);
  assert.deepEqual(server.statusRequests, []);
});

test("a refused token is forgotten and never sent again", async (t) => {
  const cases = [
    { name: "401 for a token of an earlier run", url: () => `${dashboard.server.origin}/#token=${"0".repeat(64)}` },
    { name: "403 from the request checks", url: () => dashboard.server.url, reply: { status: 403, body: "" } },
  ];
  for (const { name, url, reply } of cases) {
    await t.test(name, async (t) => {
      const { server } = dashboard;
      server.statusRequests.length = 0;
      if (reply) server.reply = reply;
      const { page, problems } = await dashboard.open(t, { url: url() });
      await waitFor(() => page.textContent("#message"), AUTH_ERROR);
      assert.equal(await storedToken(page), null);
      await sleep(ONE_TICK);
      assert.equal(server.statusRequests.length, 1);
      assert.equal((await readView(page)).title, "Daemon unavailable.");
      assert.deepEqual(pageProblems(problems), []);
    });
  }
});

test("without storage the token lives in memory and the page still works", async (t) => {
  const { server } = dashboard;
  server.reply = { body: STATES.locked };
  // What a browser that blocks site data does on every access.
  const blockStorage = () => {
    for (const name of ["sessionStorage", "localStorage"]) {
      Object.defineProperty(window, name, {
        get() {
          throw new DOMException("Access is denied", "SecurityError");
        },
      });
    }
  };
  const { page, problems } = await dashboard.open(t, { initScript: blockStorage });
  await waitForTitle(page, "Your vault is locked.");
  assert.equal(page.url(), `${server.origin}/`);
  await page.selectOption("#language", "fr");
  await waitForTitle(page, "Votre coffre est verrouillé.");
  assert.ok(server.statusRequests.every((request) => request.authorized));
  assert.deepEqual(problems, []);
});
