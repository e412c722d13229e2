"use strict";
const path = require("node:path");
const fx = require("./fixtures.js");
const br = require("./browser.js");
// Screenshots of the player's windows at a desktop and a phone size, to be looked at beside the
// reader program's: node screenshots.js OUTDIR [WEB FOLDER] (run npm ci here first). Without a
// folder the hand-made list of every Topic type is shown; a folder published from
// tests/publish/everytypelist.cpp has the same Topics and more.
const out = process.argv[2] || ".";
(async () => {
  const dir = process.argv[3] || fx.writeFolder(fx.everyTypeList());
  for (const [w, h] of [[1280, 800], [390, 844]]) {
    const { context, close } = await br.launch({ width: w, height: h });
    const page = await context.newPage();
    page.on("pageerror", e => console.log("pageerror:", e.message));
    await page.goto(br.fileUrl(dir));
    const shot = (n) => page.screenshot({ path: path.join(out, `web-${w}-${n}.png`) });
    // Opens the Topic of that name from the menu, by keyboard.
    const open = async (name, selector) => {
      await page.keyboard.press("Home");
      while (await page.locator(".menuscreen .lb-row.sel").innerText() !== name) await page.keyboard.press("ArrowDown");
      await page.keyboard.press("Enter");
      await page.locator(selector).waitFor();
      await page.waitForTimeout(300);
    };
    await page.locator(".aboutbox").waitFor(); await shot("about");
    await page.keyboard.press("Enter");
    await page.locator(".intro").waitFor(); await shot("intro");
    await page.keyboard.press("Escape");
    await page.locator(".menuscreen").waitFor(); await page.waitForTimeout(200); await shot("menu");
    await open("Volcanoes", ".textpage"); await shot("page1"); await page.keyboard.press("Escape");
    await open("Glaciers", ".designed"); await shot("page5"); await page.keyboard.press("Escape");
    await open("Ball clip", ".mediaplayer video"); await shot("video"); await page.keyboard.press("Escape");
    await open("Tune", ".mediaplayer"); await shot("audio"); await page.keyboard.press("Escape");
    await open("Calculator", ".program"); await shot("program"); await page.keyboard.press("Escape");
    await open("My notes", ".notes"); await page.keyboard.press("Alt+E"); await page.keyboard.type("line"); await shot("notes");
    await page.locator(".notes textarea").press("Control+End");
    await page.keyboard.type(" and more");
    await page.keyboard.press("Escape");
    await page.waitForTimeout(100);
    await page.locator(".msgbox").waitFor(); await shot("notes-ask"); await page.keyboard.press("Alt+N");
    await page.locator(".menuscreen input.search").fill("magma");
    await page.locator(".menuscreen input.search").press("Enter");
    await page.locator(".results").waitFor(); await shot("results");
    await page.keyboard.press("Enter"); await page.locator(".textpage").waitFor(); await shot("page-marked");
    await close();
  }
})();
