// Dashboard page: reads the tray's status every 2 seconds and shows it in the
// reader's language. Everything rendered comes from the latest answer, so a
// language switch only needs a render, never a request.
"use strict";

(() => {
  const TOKEN_KEY = "pellamy-status-token";
  const LANGUAGE_KEY = "pellamy-status-language";
  const REFRESH_MS = 2000;
  const TIMEOUT_MS = 4000;
  const ACTIVITY_LIMIT = 6;
  const DASH = "—";
  const PROVIDERS = ["onedrive", "google_drive"];
  const PLATFORMS = new Map([
    ["macos", "macOS"],
    ["windows", "Windows"],
    ["linux", "Linux"],
  ]);

  // Element id -> value taken from the details of an unlocked vault.
  const COUNTERS = {
    vaults: (d) => d.vaults,
    proxies: (d) => d.proxies,
    sessions: (d) => d.remote_sessions,
    connections: (d) => d.proxies + d.remote_sessions,
    pending: (d) => d.outbox_pending + d.inbox_pending,
    uploads: (d) => d.outbox_pending,
    downloads: (d) => d.inbox_pending,
    applied: (d) => d.applied,
    rejected: (d) => d.rejected,
    dirty: (d) => d.dirty_vaults,
  };

  const TEXTS = {
    en: {
      applied: "applied",
      rejected: "rejected",
      dirty: "awaiting sync",
      local: "ON THIS DEVICE",
      overview: "YOUR DEVICE / OVERVIEW",
      headline: "A little peace of mind.",
      lead: "Your Pellamy service, at a glance.",
      refresh: "Refresh status",
      vaultState: "VAULT STATUS",
      readOnly: "Read-only view",
      noSecrets: "Your content stays in your vault.",
      libraries: "Libraries",
      libraryNote: "Encrypted libraries on this device",
      connections: "Active connections",
      proxies: "proxies",
      sessions: "remote sessions",
      pending: "Pending transfers",
      uploads: "uploads",
      downloads: "downloads",
      sync: "Cloud synchronization",
      activity: "Recent status changes",
      live: "LIVE",
      activityNote: "Changes observed while this page is open.",
      lastChecked: "Last checked",
      refreshInterval: "Refreshes every 2 seconds",
      language: "Language",
      connectingTitle: "Connecting...",
      connectingDescription: "Checking the local service.",
      offlineTitle: "Daemon unavailable.",
      offlineDescription: "The local service is stopped, busy, or needs an update.",
      offlineHint: "Choose Start daemon in the tray menu, or run pellamy daemon. Update both the CLI and daemon together.",
      setupTitle: "Ready for a new beginning.",
      setupDescription: "The service is running. Your local vault has not been initialized yet.",
      setupHint: "Run pellamy init in a terminal to set up your local password.",
      lockedTitle: "Your vault is locked.",
      lockedDescription: "Pellamy is running. Library and synchronization details are hidden while locked.",
      lockedHint: "Run pellamy unlock in a terminal to view more details.",
      unlockedTitle: "Your vault is unlocked.",
      unlockedDescription: "Your local service is ready. This page shows status without displaying your stored content.",
      connectedProvider: "Connected",
      notConnected: "Not connected",
      hiddenStatus: "Available when unlocked",
      syncIdle: "Ready",
      syncRunning: "Syncing",
      syncLocked: "Locked",
      syncOff: "Not configured",
      unavailable: "Unavailable",
      authError: "This dashboard session is unavailable. Open the status dashboard again from the tray menu.",
      fetchError: "The dashboard has disconnected. Reopen it from the tray menu if the service was restarted.",
      opened: "Dashboard opened",
    },
    zh: {
      applied: "已应用",
      rejected: "已拒绝",
      dirty: "待同步资料库",
      local: "当前设备",
      overview: "设备 / 状态概览",
      headline: "此刻状态，一目了然。",
      lead: "随时掌握 Pellamy 的运行情况。",
      refresh: "刷新状态",
      vaultState: "保险库状态",
      readOnly: "只读视图",
      noSecrets: "内容始终保留在保险库中。",
      libraries: "资料库",
      libraryNote: "当前设备上的加密资料库",
      connections: "活跃连接",
      proxies: "个代理",
      sessions: "个远程会话",
      pending: "待处理传输",
      uploads: "项上传",
      downloads: "项下载",
      sync: "云端同步",
      activity: "最近状态变化",
      live: "实时",
      activityNote: "仅记录此页面打开期间观察到的变化。",
      lastChecked: "最近检查",
      refreshInterval: "每 2 秒刷新",
      language: "语言",
      connectingTitle: "正在连接…",
      connectingDescription: "正在检查本地服务。",
      offlineTitle: "守护进程暂不可用。",
      offlineDescription: "本地服务可能已停止、正忙或需要更新。",
      offlineHint: "在托盘菜单中选择“启动守护进程”，或运行 pellamy daemon。请同时更新 CLI 和守护进程。",
      setupTitle: "准备好，开始记录。",
      setupDescription: "服务已启动，本地保险库尚未初始化。",
      setupHint: "在终端运行 pellamy init，设置本地密码。",
      lockedTitle: "保险库已锁定。",
      lockedDescription: "Pellamy 正在运行。锁定期间隐藏资料库和同步详情。",
      lockedHint: "在终端运行 pellamy unlock，查看详细状态。",
      unlockedTitle: "保险库已解锁。",
      unlockedDescription: "本地服务已就绪。此页面仅显示状态，不显示保存的内容。",
      connectedProvider: "已连接",
      notConnected: "未连接",
      hiddenStatus: "解锁后可查看",
      syncIdle: "就绪",
      syncRunning: "同步中",
      syncLocked: "已锁定",
      syncOff: "未配置",
      unavailable: "不可用",
      authError: "当前状态页会话已失效，请从托盘菜单重新打开状态页。",
      fetchError: "状态页连接已断开。如服务已重启，请从托盘菜单重新打开。",
      opened: "已打开状态页",
    },
    ja: {
      applied: "適用済み",
      rejected: "拒否済み",
      dirty: "同期待ち",
      local: "このデバイス",
      overview: "デバイス / 概要",
      headline: "状態が見える、安心。",
      lead: "Pellamy の動作状況をひと目で確認。",
      refresh: "状態を更新",
      vaultState: "保管庫の状態",
      readOnly: "読み取り専用",
      noSecrets: "内容は保管庫に保管されます。",
      libraries: "ライブラリ",
      libraryNote: "このデバイスの暗号化ライブラリ",
      connections: "接続中",
      proxies: "プロキシ",
      sessions: "リモートセッション",
      pending: "待機中の転送",
      uploads: "アップロード",
      downloads: "ダウンロード",
      sync: "クラウド同期",
      activity: "最近の状態変更",
      live: "ライブ",
      activityNote: "このページを開いている間の変更です。",
      lastChecked: "最終確認",
      refreshInterval: "2 秒ごとに更新",
      language: "言語",
      connectingTitle: "接続中…",
      connectingDescription: "ローカルサービスを確認しています。",
      offlineTitle: "サービスを利用できません。",
      offlineDescription: "サービスは停止中、処理中、または更新が必要です。",
      offlineHint: "トレイメニューからサービスを開始するか、pellamy daemon を実行してください。CLI とデーモンを両方更新してください。",
      setupTitle: "新しく始める準備ができました。",
      setupDescription: "サービスは動作中です。保管庫の初期設定が必要です。",
      setupHint: "ターミナルで pellamy init を実行してパスワードを設定してください。",
      lockedTitle: "保管庫はロック中です。",
      lockedDescription: "Pellamy は動作中です。ライブラリと同期の詳細は非表示です。",
      lockedHint: "ターミナルで pellamy unlock を実行してください。",
      unlockedTitle: "保管庫はロック解除済みです。",
      unlockedDescription: "ローカルサービスは準備完了です。保存した内容は表示しません。",
      connectedProvider: "接続済み",
      notConnected: "未接続",
      hiddenStatus: "ロック解除後に表示",
      syncIdle: "準備完了",
      syncRunning: "同期中",
      syncLocked: "ロック中",
      syncOff: "未設定",
      unavailable: "利用不可",
      authError: "セッションが無効です。トレイメニューから開き直してください。",
      fetchError: "接続が切れました。サービスを再起動した場合はトレイメニューから開き直してください。",
      opened: "状態ページを開きました",
    },
    de: {
      applied: "angewendet",
      rejected: "abgelehnt",
      dirty: "wartend",
      local: "AUF DIESEM GERÄT",
      overview: "GERÄT / ÜBERSICHT",
      headline: "Ein gutes Gefühl.",
      lead: "Ihr Pellamy-Dienst auf einen Blick.",
      refresh: "Aktualisieren",
      vaultState: "TRESORSTATUS",
      readOnly: "Nur lesend",
      noSecrets: "Ihre Inhalte bleiben im Tresor.",
      libraries: "Bibliotheken",
      libraryNote: "Verschlüsselte Bibliotheken auf diesem Gerät",
      connections: "Aktive Verbindungen",
      proxies: "Proxys",
      sessions: "Remote-Sitzungen",
      pending: "Ausstehende Übertragungen",
      uploads: "Uploads",
      downloads: "Downloads",
      sync: "Cloud-Synchronisierung",
      activity: "Letzte Statusänderungen",
      live: "LIVE",
      activityNote: "Während diese Seite geöffnet ist beobachtete Änderungen.",
      lastChecked: "Zuletzt geprüft",
      refreshInterval: "Aktualisierung alle 2 Sekunden",
      language: "Sprache",
      connectingTitle: "Verbindung wird hergestellt…",
      connectingDescription: "Lokaler Dienst wird geprüft.",
      offlineTitle: "Dienst nicht verfügbar.",
      offlineDescription: "Der Dienst ist beendet, beschäftigt oder benötigt ein Update.",
      offlineHint: "Starten Sie den Dienst im Tray-Menü oder mit pellamy daemon. Aktualisieren Sie CLI und Daemon gemeinsam.",
      setupTitle: "Bereit für den Anfang.",
      setupDescription: "Der Dienst läuft. Der Tresor ist noch nicht eingerichtet.",
      setupHint: "Führen Sie pellamy init im Terminal aus, um ein Passwort festzulegen.",
      lockedTitle: "Ihr Tresor ist gesperrt.",
      lockedDescription: "Pellamy läuft. Bibliotheks- und Synchronisierungsdetails sind ausgeblendet.",
      lockedHint: "Führen Sie pellamy unlock im Terminal aus, um Details anzuzeigen.",
      unlockedTitle: "Ihr Tresor ist entsperrt.",
      unlockedDescription: "Der lokale Dienst ist bereit. Gespeicherte Inhalte werden hier nicht angezeigt.",
      connectedProvider: "Verbunden",
      notConnected: "Nicht verbunden",
      hiddenStatus: "Nach dem Entsperren verfügbar",
      syncIdle: "Bereit",
      syncRunning: "Synchronisierung",
      syncLocked: "Gesperrt",
      syncOff: "Nicht eingerichtet",
      unavailable: "Nicht verfügbar",
      authError: "Diese Sitzung ist nicht verfügbar. Öffnen Sie die Statusseite erneut im Tray-Menü.",
      fetchError: "Die Verbindung wurde getrennt. Öffnen Sie die Seite nach einem Neustart erneut im Tray-Menü.",
      opened: "Statusseite geöffnet",
    },
    fr: {
      applied: "appliqués",
      rejected: "rejetés",
      dirty: "en attente",
      local: "SUR CET APPAREIL",
      overview: "APPAREIL / APERÇU",
      headline: "L'esprit un peu plus tranquille.",
      lead: "Votre service Pellamy, en un coup d'œil.",
      refresh: "Actualiser",
      vaultState: "ÉTAT DU COFFRE",
      readOnly: "Lecture seule",
      noSecrets: "Vos contenus restent dans votre coffre.",
      libraries: "Bibliothèques",
      libraryNote: "Bibliothèques chiffrées sur cet appareil",
      connections: "Connexions actives",
      proxies: "proxys",
      sessions: "sessions distantes",
      pending: "Transferts en attente",
      uploads: "envois",
      downloads: "réceptions",
      sync: "Synchronisation cloud",
      activity: "Changements récents",
      live: "EN DIRECT",
      activityNote: "Changements observés pendant l'ouverture de cette page.",
      lastChecked: "Dernière vérification",
      refreshInterval: "Actualisation toutes les 2 secondes",
      language: "Langue",
      connectingTitle: "Connexion…",
      connectingDescription: "Vérification du service local.",
      offlineTitle: "Service indisponible.",
      offlineDescription: "Le service est arrêté, occupé ou nécessite une mise à jour.",
      offlineHint: "Démarrez le service depuis le menu ou exécutez pellamy daemon. Mettez à jour le CLI et le service ensemble.",
      setupTitle: "Prêt pour un nouveau départ.",
      setupDescription: "Le service fonctionne. Votre coffre n'est pas encore configuré.",
      setupHint: "Exécutez pellamy init dans un terminal pour définir votre mot de passe.",
      lockedTitle: "Votre coffre est verrouillé.",
      lockedDescription: "Pellamy fonctionne. Les détails des bibliothèques et de la synchronisation sont masqués.",
      lockedHint: "Exécutez pellamy unlock dans un terminal pour afficher les détails.",
      unlockedTitle: "Votre coffre est déverrouillé.",
      unlockedDescription: "Le service local est prêt. Cette page affiche l'état sans montrer vos contenus.",
      connectedProvider: "Connecté",
      notConnected: "Non connecté",
      hiddenStatus: "Disponible après déverrouillage",
      syncIdle: "Prêt",
      syncRunning: "Synchronisation",
      syncLocked: "Verrouillé",
      syncOff: "Non configuré",
      unavailable: "Indisponible",
      authError: "Cette session n'est plus disponible. Rouvrez la page depuis le menu de l'application.",
      fetchError: "La connexion a été interrompue. Rouvrez la page depuis le menu après un redémarrage du service.",
      opened: "Page d'état ouverte",
    },
  };

  const $ = (id) => document.getElementById(id);
  const known = (code) => Object.hasOwn(TEXTS, code);
  const list = (value) => (Array.isArray(value) ? value : []);

  const page = {
    token: "",
    language: "en",
    snapshot: null,
    stateKey: "connecting",
    lastState: null,
    busy: false,
    errorKey: null,
    activity: [{ key: "opened", at: new Date() }],
  };

  function text(key) {
    return TEXTS[page.language][key] ?? TEXTS.en[key] ?? key;
  }

  // Hints never fall back to English: a missing hint hides the box.
  function hint(stateKey) {
    const strings = TEXTS[page.language];
    const key = `${stateKey}Hint`;
    return Object.hasOwn(strings, key) ? strings[key] : null;
  }

  function browserLanguage() {
    const code = (navigator.language || "").split("-")[0].toLowerCase();
    return known(code) ? code : "en";
  }

  function forgetToken() {
    page.token = "";
    try {
      sessionStorage.removeItem(TOKEN_KEY);
    } catch {
      // Storage is off: the token only lived in memory.
    }
  }

  function chooseState(answer) {
    if (!answer?.connected) return "offline";
    if (!answer.service?.initialized) return "setup";
    return answer.service.unlocked ? "unlocked" : "locked";
  }

  function update(answer, errorKey) {
    page.snapshot = answer;
    page.errorKey = errorKey;
    page.stateKey = chooseState(answer);
    if (page.stateKey !== page.lastState) {
      page.activity.unshift({ key: `${page.stateKey}Title`, at: new Date() });
      page.activity.length = Math.min(page.activity.length, ACTIVITY_LIMIT);
      page.lastState = page.stateKey;
    }
    render();
  }

  async function refresh() {
    if (page.busy) return;
    if (!page.token) {
      update(null, "authError");
      return;
    }
    page.busy = true;
    $("refresh").disabled = true;
    const abort = new AbortController();
    const timer = setTimeout(() => abort.abort(), TIMEOUT_MS);
    let answer = null;
    let errorKey = "fetchError";
    try {
      const response = await fetch("/api/status", {
        headers: { Authorization: `Bearer ${page.token}` },
        cache: "no-store",
        credentials: "omit",
        signal: abort.signal,
      });
      if (response.status === 401 || response.status === 403) {
        forgetToken();
        errorKey = "authError";
      } else if (response.ok) {
        answer = await response.json();
        errorKey = null;
      }
    } catch {
      // No connection, the deadline passed or the body is not JSON.
    } finally {
      clearTimeout(timer);
      page.busy = false;
      $("refresh").disabled = false;
    }
    update(answer, errorKey);
  }

  function clockFormat() {
    return new Intl.DateTimeFormat(page.language, {
      hour: "2-digit",
      minute: "2-digit",
      second: "2-digit",
    });
  }

  function showTime(element, date, clock) {
    if (date) {
      element.textContent = clock.format(date);
      element.dateTime = date.toISOString();
    } else {
      element.textContent = DASH;
      element.removeAttribute("datetime");
    }
  }

  // Details are shown only for an unlocked vault.
  function visibleDetails(answer) {
    if (!answer?.connected || answer.service?.unlocked !== true) return null;
    return answer.service.details ?? null;
  }

  function renderStatus() {
    const { stateKey } = page;
    $("state-title").textContent = text(`${stateKey}Title`);
    $("state-description").textContent = text(`${stateKey}Description`);
    $("state-dot").className = `state-dot ${stateKey}`;
    const hintText = hint(stateKey);
    $("state-hint").textContent = hintText ?? "";
    $("state-hint").hidden = hintText === null;
  }

  function renderCounters(details) {
    const numbers = new Intl.NumberFormat(page.language);
    for (const [id, pick] of Object.entries(COUNTERS)) {
      const value = details ? pick(details) : undefined;
      $(id).textContent = Number.isFinite(value) ? numbers.format(value) : DASH;
    }
  }

  function renderProviders(details) {
    for (const name of PROVIDERS) {
      const connected = list(details?.providers).includes(name);
      const syncing = list(details?.syncing).includes(name);
      let key = "notConnected";
      if (!details) key = "hiddenStatus";
      else if (syncing) key = "syncRunning";
      else if (connected) key = "connectedProvider";
      $(name).textContent = text(key);
      $(`${name}-dot`).classList.toggle("active", connected);
    }
  }

  function syncKey(answer, details) {
    if (!answer?.connected) return "unavailable";
    if (!details) return answer.service?.initialized ? "syncLocked" : "syncOff";
    if (list(details.syncing).length > 0) return "syncRunning";
    return list(details.providers).length > 0 ? "syncIdle" : "syncOff";
  }

  function renderFooter(answer, clock) {
    $("platform").textContent = PLATFORMS.get(answer?.platform) ?? "Pellamy";
    $("version").textContent = answer?.app_version ? `v${answer.app_version}` : DASH;
    const checked = answer?.checked_at > 0 ? new Date(answer.checked_at * 1000) : null;
    showTime($("checked"), checked, clock);
  }

  function renderActivity(clock) {
    const entries = page.activity.map(({ key, at }) => {
      const item = document.createElement("li");
      const label = document.createElement("span");
      const time = document.createElement("time");
      label.textContent = text(key);
      showTime(time, at, clock);
      item.append(label, time);
      return item;
    });
    $("activity").replaceChildren(...entries);
  }

  function render() {
    const answer = page.snapshot;
    const details = visibleDetails(answer);
    const clock = clockFormat();
    document.documentElement.lang = page.language;
    $("language").value = page.language;
    for (const element of document.querySelectorAll("[data-i18n]")) {
      element.textContent = text(element.dataset.i18n);
    }
    $("language").setAttribute("aria-label", text("language"));
    $("refresh").setAttribute("aria-label", text("refresh"));
    renderStatus();
    renderCounters(details);
    renderProviders(details);
    $("sync-label").textContent = text(syncKey(answer, details));
    renderFooter(answer, clock);
    $("message").textContent = page.errorKey ? text(page.errorKey) : "";
    $("message").hidden = !page.errorKey;
    renderActivity(clock);
  }

  function start() {
    const fragmentToken = new URLSearchParams(location.hash.slice(1)).get("token") ?? "";
    page.token = fragmentToken;
    page.language = browserLanguage();
    try {
      if (fragmentToken) sessionStorage.setItem(TOKEN_KEY, fragmentToken);
      else page.token = sessionStorage.getItem(TOKEN_KEY) ?? "";
      const stored = localStorage.getItem(LANGUAGE_KEY);
      if (known(stored)) page.language = stored;
    } catch {
      // Storage is off: keep the token in memory, forget the language choice.
    }
    // Keep the token out of the address bar, history and bookmarks.
    history.replaceState(null, "", location.pathname);

    $("language").addEventListener("change", (event) => {
      if (!known(event.target.value)) return;
      page.language = event.target.value;
      try {
        localStorage.setItem(LANGUAGE_KEY, page.language);
      } catch {
        // Not remembered; the choice still holds for this page.
      }
      render();
    });
    $("refresh").addEventListener("click", refresh);

    render();
    refresh();
    setInterval(refresh, REFRESH_MS);
  }

  start();
})();
