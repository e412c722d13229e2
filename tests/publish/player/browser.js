// Starts Debian's chromium headless for the player tests; nothing here downloads a browser.
"use strict";

const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");

const CHROMIUM = process.env.QUORVEL_CHROMIUM || "/usr/bin/chromium";

// Why the browser tests cannot run here, or "" when they can.
function missing() {
  if (!fs.existsSync(CHROMIUM)) return "chromium is not installed (" + CHROMIUM + "); install the chromium package";
  try {
    require.resolve("playwright-core");
  } catch (e) {
    return "playwright-core is not installed; run npm ci in tests/publish/player";
  }
  return "";
}

// A browser with a fresh profile of its own; close() also removes the profile. fontSize sets the
// browser's text size as a reader sets it in the browser's settings.
async function launch(viewport, fontSize) {
  const { chromium } = require("playwright-core");
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "quorvel-chromium-"));
  if (fontSize) {
    fs.mkdirSync(path.join(profile, "Default"));
    fs.writeFileSync(path.join(profile, "Default", "Preferences"),
                     JSON.stringify({ webkit: { webprefs: { default_font_size: fontSize } } }));
  }
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    viewport: viewport || { width: 1280, height: 800 },
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--no-first-run",
           "--disable-component-update", "--disable-sync", "--allow-file-access-from-files"]
  });
  const close = async () => {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { context, close };
}

// Every alert, confirm or prompt a page opens, so a test can tell that no script of a list ran.
function watchDialogs(page) {
  const seen = [];
  page.on("dialog", (d) => { seen.push(d.message()); d.dismiss().catch(() => {}); });
  return seen;
}

function fileUrl(dir, file) {
  return "file://" + path.join(dir, file || "index.html");
}

// A new tab on the url, recording the dialogs and script errors it raises.
async function openPage(context, url, viewport) {
  const page = await context.newPage();
  if (viewport) await page.setViewportSize(viewport);
  const dialogs = watchDialogs(page);
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  await page.goto(url);
  return { page, dialogs, errors };
}

// Media elements do not bubble "ended"; a capturing listener on the document sees every one.
// Windows that close by themselves are recorded as they open, however short they stay.
async function recordEnded(page) {
  await page.evaluate(() => {
    window.endedMedia = [];
    // A file's name, or a data: URI's type.
    document.addEventListener("ended", (e) => {
      const src = e.target.currentSrc;
      window.endedMedia.push(src.startsWith("data:") ? src.slice(5, src.indexOf(";")) : src.split("/").pop());
    }, true);
    window.openedWindows = [];
    new MutationObserver((changes) => changes.forEach((c) => c.addedNodes.forEach((n) => {
      if (n.classList && n.classList.contains("win")) window.openedWindows.push(n.className.replace("win ", ""));
    }))).observe(document.getElementById("box"), { childList: true });
  });
}
const lastOpened = (page) => page.evaluate(() => window.openedWindows[window.openedWindows.length - 1]);
const activeRole = (page) => page.evaluate(() => document.activeElement && document.activeElement.getAttribute("role"));

// About box (OK has the focus), then the introduction (Esc), then the menu with the list focused.
// `page` may be a frame, with the keyboard of the page that holds it.
async function toMenu(page, keyboard) {
  keyboard = keyboard || page.keyboard;
  await page.locator(".aboutbox").waitFor();
  await keyboard.press("Enter");
  await page.locator(".intro").waitFor();
  await keyboard.press("Escape");
  await page.locator(".menuscreen").waitFor();
  assert.equal(await activeRole(page), "listbox");
}

// A learning platform's launch page: scorm-again's API in the parent, the package in a frame.
// `state` is what an earlier attempt left (scormState), loaded into the API before the launch.
function launchPage(dir, edition, state) {
  fs.copyFileSync(require.resolve("scorm-again"), path.join(dir, "scorm-again.js"));
  const api = edition === "1.2" ? "window.API = new Scorm12API(settings);" : "window.API_1484_11 = new Scorm2004API(settings);";
  const load = state ? (edition === "1.2" ? "API" : "API_1484_11") + ".loadFromJSON(" + JSON.stringify(state) + ");" : "";
  const name = "launch-" + edition + (state ? "-again" : "") + ".html";
  fs.writeFileSync(path.join(dir, name), `<!DOCTYPE html><html><head><script src="scorm-again.js"></script><script>
    var settings = { autocommit: false, lmsCommitUrl: false, logLevel: 5 };
    ${api} ${load}
    window.setValues = {};
    var setter = ${JSON.stringify(edition === "1.2" ? "LMSSetValue" : "SetValue")};
    (window.API || window.API_1484_11).on(setter + ".cmi.*", function (el, v) { window.setValues[el] = v; });
    </script></head><body style="margin:0"><iframe src="index.html" style="width:800px;height:640px;border:0"></iframe></body></html>`);
  return fileUrl(dir, name);
}

// The launch page's completion status, and the state a second launch starts from.
const scormStatus = (page, edition) =>
  page.evaluate(edition === "1.2" ? "API.cmi.core.lesson_status" : "API_1484_11.cmi.completion_status");
const scormState = (page, edition) => page.evaluate(edition === "1.2"
  ? "({ core: { lesson_location: API.cmi.core.lesson_location, lesson_status: API.cmi.core.lesson_status }, suspend_data: API.cmi.suspend_data })"
  : "({ location: API_1484_11.cmi.location, completion_status: API_1484_11.cmi.completion_status, suspend_data: API_1484_11.cmi.suspend_data })");

module.exports = { missing, launch, watchDialogs, fileUrl, openPage, recordEnded, lastOpened, activeRole, toMenu,
                   launchPage, scormStatus, scormState, CHROMIUM };
