// The five languages: chosen from the browser, a stored choice or the chooser.
import assert from "node:assert/strict";
import { test } from "node:test";
import { STATES, details, online } from "./dashboard-server.mjs";
import { readActivity, readView, useDashboard, waitForTitle } from "./browser.mjs";

const dashboard = useDashboard();
const HEADLINES = {
  en: "A little peace of mind.",
  zh: "此刻状态，一目了然。",
  ja: "状態が見える、安心。",
  de: "Ein gutes Gefühl.",
  fr: "L'esprit un peu plus tranquille.",
};

const readLanguage = (page) =>
  page.evaluate(() => [document.documentElement.lang, document.getElementById("language").value]);

test("the start language comes from the browser unless one is stored", async (t) => {
  const cases = [
    { locale: "de-DE", language: "de" },
    { locale: "zh-CN", language: "zh" },
    { locale: "pt-BR", language: "en" },
    { locale: "de-DE", stored: "ja", language: "ja" },
    { locale: "fr-CA", stored: "xx", language: "fr" },
  ];
  for (const { locale, stored, language } of cases) {
    await t.test(`${locale}, stored ${stored}`, async (t) => {
      const storageState = stored && {
        origins: [{ origin: dashboard.server.origin, localStorage: [{ name: "pellamy-status-language", value: stored }] }],
      };
      const { page, problems } = await dashboard.open(t, { locale, storageState });
      assert.deepEqual(await readLanguage(page), [language, language]);
      assert.equal(await page.textContent("h1"), HEADLINES[language]);
      assert.deepEqual(problems, []);
    });
  }
});

test("switching the language translates everything at once without a request", async (t) => {
  const { server } = dashboard;
  server.reply = { body: online({ unlocked: true, details: details({ applied: 12345, providers: ["onedrive"] }) }) };
  const { page, problems } = await dashboard.open(t, { stopTimers: true });
  await waitForTitle(page, "Your vault is unlocked.");
  const readTexts = () => page.$$eval("[data-i18n]", (elements) => elements.map((element) => element.textContent));
  const english = await readTexts();

  await page.selectOption("#language", "de");
  assert.deepEqual(await readLanguage(page), ["de", "de"]);
  const german = await readTexts();
  const untranslated = english.filter((text, index) => text === german[index] && text !== "LIVE");
  assert.deepEqual(untranslated, []);
  assert.equal(german[english.indexOf("A little peace of mind.")], HEADLINES.de);

  const view = await readView(page);
  assert.deepEqual(
    [view.title, view.description, view.onedrive, view.google_drive, view.sync, view.counters.split(" ")[7]],
    [
      "Ihr Tresor ist entsperrt.",
      "Der lokale Dienst ist bereit. Gespeicherte Inhalte werden hier nicht angezeigt.",
      ["Verbunden", true],
      ["Nicht verbunden", false],
      "Bereit",
      "12.345",
    ],
  );
  assert.deepEqual(await readActivity(page), ["Ihr Tresor ist entsperrt.", "Statusseite geöffnet"]);
  assert.equal(await page.textContent("#checked"), "10:00:00");
  assert.deepEqual(
    await page.evaluate(() => ["language", "refresh"].map((id) => document.getElementById(id).ariaLabel)),
    ["Sprache", "Aktualisieren"],
  );
  assert.equal(await page.evaluate(() => localStorage.getItem("pellamy-status-language")), "de");
  assert.equal(server.statusRequests.length, 1);
  assert.deepEqual(problems, []);
});

test("hints follow the language", async (t) => {
  const hints = {
    zh: "在终端运行 pellamy init，设置本地密码。",
    ja: "ターミナルで pellamy init を実行してパスワードを設定してください。",
    de: "Führen Sie pellamy init im Terminal aus, um ein Passwort festzulegen.",
    fr: "Exécutez pellamy init dans un terminal pour définir votre mot de passe.",
  };
  dashboard.server.reply = { body: STATES.setup };
  const { page } = await dashboard.open(t, { stopTimers: true });
  await waitForTitle(page, "Ready for a new beginning.");
  for (const [language, hint] of Object.entries(hints)) {
    await page.selectOption("#language", language);
    assert.equal((await readView(page)).hint, hint);
  }
});
