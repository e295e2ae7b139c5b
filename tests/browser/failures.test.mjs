// Slow, broken and vanished servers.
import assert from "node:assert/strict";
import { test } from "node:test";
import { setTimeout as sleep } from "node:timers/promises";
import { STATES, startDashboardServer } from "./dashboard-server.mjs";
import { pageProblems, readView, useDashboard, waitFor, waitForTitle } from "./browser.mjs";

const dashboard = useDashboard();
const FETCH_ERROR = "The dashboard has disconnected. Reopen it from the tray menu if the service was restarted.";

const readFooter = (page) =>
  page.evaluate(() => ["platform", "version", "checked"].map((id) => document.getElementById(id).textContent));

test("a server slower than 4 seconds is given up and asked again", async (t) => {
  const { server } = dashboard;
  server.reply = { body: STATES.locked, delay: 6000 };
  const { page, problems } = await dashboard.open(t);
  await sleep(3000);
  // The ticks during the request were dropped, not queued.
  assert.equal(server.statusRequests.length, 1);
  assert.equal(await page.isDisabled("#refresh"), true);

  await waitFor(() => page.textContent("#message"), FETCH_ERROR);
  assert.equal((await readView(page)).title, "Daemon unavailable.");

  // A request sent before the change may still be waiting out its 4 seconds.
  server.reply = { body: STATES.unlocked };
  await waitFor(() => page.textContent("#state-title"), "Your vault is unlocked.", 15000);
  assert.equal(await page.isVisible("#message"), false);
  assert.deepEqual(pageProblems(problems), []);
});

test("a failed answer shows the disconnection message and keeps the token", async (t) => {
  const cases = [
    { name: "server error", reply: { status: 500, body: "" } },
    { name: "unknown route", reply: { status: 404, body: "" } },
    { name: "body that is not JSON", reply: { body: "<html>" } },
  ];
  for (const { name, reply } of cases) {
    await t.test(name, async (t) => {
      dashboard.server.reply = reply;
      const { page, problems } = await dashboard.open(t);
      await waitFor(() => page.textContent("#message"), FETCH_ERROR);
      const view = await readView(page);
      assert.deepEqual([view.title, view.sync], ["Daemon unavailable.", "Unavailable"]);
      assert.deepEqual(await readFooter(page), ["Pellamy", "—", "—"]);
      assert.equal(
        await page.evaluate(() => sessionStorage.getItem("pellamy-status-token")),
        dashboard.server.token,
      );
      assert.deepEqual(pageProblems(problems), []);
    });
  }
});

test("a tray that quit leaves the page disconnected", async (t) => {
  const server = await startDashboardServer();
  t.after(() => server.close());
  server.reply = { body: STATES.locked };
  const { page, problems } = await dashboard.open(t, { url: server.url });
  await waitForTitle(page, "Your vault is locked.");
  await server.close();
  await waitFor(() => page.textContent("#message"), FETCH_ERROR);
  assert.deepEqual(pageProblems(problems), []);
});
