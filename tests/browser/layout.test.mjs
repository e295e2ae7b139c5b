// The page at the three widths it is designed for, its fonts and its motion.
// Screenshots go to PELLAMY_SCREENSHOT_DIR for a person to look at.
import assert from "node:assert/strict";
import { mkdir } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import { STATES, details, online } from "./dashboard-server.mjs";
import { answer, useDashboard, waitFor, waitForTitle } from "./browser.mjs";

const dashboard = useDashboard();
const SCREENSHOTS = process.env.PELLAMY_SCREENSHOT_DIR ?? join(tmpdir(), "pellamy-screenshots");
const BUSY = online({
  unlocked: true,
  details: details({
    vaults: 3,
    proxies: 2,
    remote_sessions: 1,
    outbox_pending: 4,
    inbox_pending: 1,
    applied: 1280,
    rejected: 2,
    dirty_vaults: 1,
    providers: ["onedrive", "google_drive"],
    syncing: ["google_drive"],
  }),
});

// Which parts each width shows.
const WIDTHS = [
  { width: 1280, deviceTag: true, refreshText: true, seal: true, cardIndex: true },
  { width: 760, deviceTag: false, refreshText: false, seal: true, cardIndex: false },
  { width: 430, deviceTag: false, refreshText: false, seal: false, cardIndex: false },
];

const readLayout = (page) =>
  page.evaluate(() => {
    const visible = (selector) => document.querySelector(selector).checkVisibility();
    return {
      deviceTag: visible(".device-tag"),
      refreshText: visible(".refresh-text"),
      seal: visible(".seal"),
      cardIndex: visible(".card-index"),
      overflow: document.documentElement.scrollWidth > innerWidth,
    };
  });

test("each width shows its parts without overflowing", async (t) => {
  await mkdir(SCREENSHOTS, { recursive: true });
  for (const { width, ...parts } of WIDTHS) {
    await t.test(`${width} px`, async (t) => {
      dashboard.server.reply = { body: BUSY };
      const { page, problems } = await dashboard.open(t, { viewport: { width, height: 900 }, reducedMotion: "reduce" });
      await waitForTitle(page, "Your vault is unlocked.");
      await page.evaluate(() => document.fonts.ready);
      assert.deepEqual(await readLayout(page), { ...parts, overflow: false });
      await page.screenshot({ path: join(SCREENSHOTS, `unlocked-${width}.png`), fullPage: true });

      // A long German hint and the message box must fit as well.
      await page.selectOption("#language", "de");
      dashboard.server.reply = { status: 500, body: "" };
      await waitForTitle(page, "Dienst nicht verfügbar.");
      await waitFor(() => page.isVisible("#message"), true);
      assert.equal((await readLayout(page)).overflow, false);
      await page.screenshot({ path: join(SCREENSHOTS, `offline-de-${width}.png`), fullPage: true });
      assert.deepEqual(problems.filter((text) => !text.startsWith("Failed to load resource")), []);
    });
  }
});

test("both fonts load from the page's own origin", async (t) => {
  const { page } = await dashboard.open(t);
  await answer(page, dashboard.server, STATES.locked, "Your vault is locked.");
  const loaded = await page.evaluate(async () => {
    await document.fonts.ready;
    return [...document.fonts].filter((font) => font.status === "loaded").map((font) => font.family);
  });
  assert.deepEqual(loaded.sort(), ["DM Sans", "Instrument Serif"]);
});

test("entrance animations run unless reduced motion is asked for", async (t) => {
  const readDelays = (page) =>
    page.evaluate(() => document.getAnimations().map((animation) => animation.effect.getTiming().delay));
  for (const [reducedMotion, delays] of [
    ["no-preference", [0, 80, 140, 200]],
    ["reduce", []],
  ]) {
    const { page } = await dashboard.open(t, { reducedMotion });
    assert.deepEqual((await readDelays(page)).sort((a, b) => a - b), delays);
  }
});

test("Chinese and Japanese set their headings upright and looser", async (t) => {
  const cases = [
    { language: "en", width: 1280, headline: "56.32px", title: ["40px", "Instrument Serif"] },
    { language: "zh", width: 1280, headline: "42px", title: ["30px", "DM Sans"] },
    { language: "ja", width: 760, headline: "30px", title: ["30px", "DM Sans"] },
    { language: "de", width: 760, headline: "36px", title: ["34px", "Instrument Serif"] },
  ];
  const { page } = await dashboard.open(t, { stopTimers: true });
  for (const { language, width, headline, title } of cases) {
    await page.setViewportSize({ width, height: 900 });
    await page.selectOption("#language", language);
    const sizes = await page.evaluate(() => {
      const style = (selector) => getComputedStyle(document.querySelector(selector));
      const family = style(".state-title").fontFamily.split(",")[0].replaceAll('"', "");
      return { headline: style("h1").fontSize, title: [style(".state-title").fontSize, family] };
    });
    assert.deepEqual(sizes, { headline, title }, `${language} at ${width} px`);
  }
});
