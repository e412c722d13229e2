"use strict";
const fx = require("./fixtures.js");
const br = require("./browser.js");
// Screenshots of the player's windows at a desktop and a phone size, to be looked at beside the
// reader program's: node screenshots.js OUTDIR (run npm ci here first).
const out = process.argv[2] || ".";
(async () => {
  const dir = fx.writeFolder(fx.everyTypeList());
  for (const [w, h] of [[1280, 800], [390, 844]]) {
    const { context, close } = await br.launch({ width: w, height: h });
    const page = await context.newPage();
    page.on("pageerror", e => console.log("pageerror:", e.message));
    await page.goto(br.fileUrl(dir));
    const shot = (n) => page.screenshot({ path: require("node:path").join(out, `web-${w}-${n}.png`) });
    await page.locator(".aboutbox").waitFor(); await shot("about");
    await page.keyboard.press("Enter");
    await page.locator(".intro").waitFor(); await shot("intro");
    await page.keyboard.press("Escape");
    await page.locator(".menuscreen").waitFor(); await page.waitForTimeout(200); await shot("menu");
    await page.keyboard.press("Enter"); await page.locator(".textpage").waitFor(); await shot("page1");
    await page.keyboard.press("Escape");
    for (let i = 0; i < 4; i++) await page.keyboard.press("ArrowDown");
    await page.keyboard.press("Enter"); await page.locator(".designed").waitFor(); await shot("page5");
    await page.keyboard.press("Escape");
    await page.keyboard.press("ArrowDown"); await page.keyboard.press("ArrowDown");
    await page.keyboard.press("Enter"); await page.locator(".mediaplayer video").waitFor(); await page.waitForTimeout(300); await shot("video");
    await page.keyboard.press("Escape");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("Enter"); await page.locator(".mediaplayer").waitFor(); await page.waitForTimeout(200); await shot("audio");
    await page.keyboard.press("Escape");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("Enter"); await page.locator(".program").waitFor(); await shot("program");
    await page.keyboard.press("Escape");
    await page.keyboard.press("End");
    await page.keyboard.press("Enter"); await page.locator(".notes").waitFor(); await page.keyboard.press("Alt+E"); await page.keyboard.type("line"); await shot("notes");
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
