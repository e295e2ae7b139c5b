// The log of state changes seen while the page is open.
import assert from "node:assert/strict";
import { test } from "node:test";
import { STATES, details, online } from "./dashboard-server.mjs";
import { answer, readActivity, refreshOnce, useDashboard } from "./browser.mjs";

const dashboard = useDashboard();

test("the log starts with the opening and records changes only", async (t) => {
  const { server } = dashboard;
  server.reply = { body: STATES.locked };
  const { page, problems } = await dashboard.open(t);
  await answer(page, server, STATES.locked, "Your vault is locked.");
  assert.deepEqual(await readActivity(page), ["Your vault is locked.", "Dashboard opened"]);

  await refreshOnce(page, server);
  assert.deepEqual(await readActivity(page), ["Your vault is locked.", "Dashboard opened"]);

  await answer(page, server, online({ unlocked: true, details: details() }), "Your vault is unlocked.");
  server.reply = { body: online({ unlocked: true, details: details({ providers: ["onedrive"], syncing: ["onedrive"] }) }) };
  await refreshOnce(page, server);
  assert.deepEqual(await readActivity(page), ["Your vault is unlocked.", "Your vault is locked.", "Dashboard opened"]);

  const stamps = await page.$$eval("#activity time", (times) => times.map((time) => time.dateTime));
  for (const stamp of stamps) assert.match(stamp, /^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$/);
  assert.deepEqual(problems, []);
});

test("the log keeps the six newest changes, newest first", async (t) => {
  const { server } = dashboard;
  const { page } = await dashboard.open(t);
  const changes = [
    [STATES.locked, "Your vault is locked."],
    [STATES.unlocked, "Your vault is unlocked."],
    [STATES.setup, "Ready for a new beginning."],
    [STATES.offline, "Daemon unavailable."],
    [STATES.locked, "Your vault is locked."],
    [STATES.unlocked, "Your vault is unlocked."],
  ];
  for (const [body, title] of changes) await answer(page, server, body, title);
  const titles = changes.map(([, title]) => title).reverse();
  // The first answer was offline too; "Dashboard opened" has been pushed out.
  assert.deepEqual(await readActivity(page), titles);
});
