// Starts Debian's chromium headless for the player tests; nothing here downloads a browser.
"use strict";

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

module.exports = { missing, launch, watchDialogs, fileUrl, CHROMIUM };
