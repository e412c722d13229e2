// The player's decisions without a browser: geometry, the sequence, backgrounds, media, search.
"use strict";

const test = require("node:test");
const assert = require("node:assert/strict");
const P = require("../../../src/publish/player/player.js");
const { defaultSettings } = require("./fixtures.js");

test("the design keeps its proportions from a phone to 4K", () => {
  for (const [w, h] of [[390, 844], [1280, 800], [3840, 2160]]) {
    const fit = P.fitDesign(w, h);
    const width = 640 * fit.scale;
    const height = (480 + P.CAPTION_H) * fit.scale;
    assert.ok(width <= w + 0.5 && height <= h + 0.5, `${w}x${h} fits`);
    assert.ok(Math.abs(width - w) < 1 || Math.abs(height - h) < 1, `${w}x${h} fills one side`);
    assert.ok(fit.left >= 0 && fit.top >= 0);
  }
  // Text is enlarged on a phone and follows the browser's text size on a desktop.
  assert.ok(P.textZoom(16, P.fitDesign(390, 844).scale) > 1.3);
  assert.equal(P.textZoom(20, P.fitDesign(1280, 800).scale), 1.25);
});

test("page windows take the stored place, clamped", () => {
  const d = { TextLeft: 120, TextTop: 80, TextWidth: 400, TextHeight: 200, FullScreen: false };
  assert.deepEqual(P.textPageRect(d), { left: 120, top: 80, width: 403, height: 200 });
  assert.deepEqual(P.designedTextRect({ ...d, FullScreen: true }, 640, 480), { left: 0, top: 0, width: 640, height: 480 });
  assert.deepEqual(P.clampedRect(-99999, 5, 2e9, -3), { left: -8192, top: 5, width: 8192, height: 0 });
  // A window stays on the screen, so a phone reader can reach its buttons.
  assert.deepEqual(P.keepInside({ left: 500, top: -20, width: 403, height: 900 }, 640, 480),
                   { left: 237, top: 0, width: 403, height: 480 });
  assert.equal(P.textBarHeight({ size: 16 }), 32);
  assert.equal(P.textBarHeight({ size: 0 }), 20);
  assert.equal(P.textBarHeight({ size: 1e9 }), 480);
  assert.equal(P.authorLineCount(["a", "", "c", "", "", ""]), 3);
  assert.equal(P.commandPanelLeft(255, 216), 19);
  assert.equal(P.commentText(["one", "", "three", ""]), "one \n\nthree \n\n");
});

test("the sequence follows the reader program", () => {
  const kinds = (s, resumed) => P.planSequence(s, resumed).map((x) => x.kind);
  const s = defaultSettings();
  assert.deepEqual(kinds(s), ["backdrop", "menu"]);
  s.Presentation.UseOpeningCommand = true;
  s.Presentation.OpeningCommand = { CommandType: 2, CommandLine: "A.BMP,10", parts: { type: 2, picture: "A.BMP", seconds: 1 } };
  s.Presentation.UseAboutBox = true;
  s.Presentation.AboutBox.ShowWhen = 2;
  s.Presentation.UseIntroduction = true;
  s.Presentation.UseClosingCommand = true;
  s.Presentation.ClosingCommand = { CommandType: 10, CommandLine: "END.HTM", parts: { type: 10, file: "END.HTM" } };
  assert.deepEqual(kinds(s), ["backdrop", "media", "about", "intro", "menu", "about", "open"]);
  // A resumed attempt goes straight to the menu.
  assert.deepEqual(kinds(s, true), ["backdrop", "menu", "about", "open"]);
  // An opening command of type 10 does nothing; an untyped one is a program; an empty one is none.
  assert.equal(P.commandStep({ CommandType: 10, CommandLine: "X.HTM" }, false), null);
  assert.equal(P.commandStep({ CommandType: 0, CommandLine: "X.EXE" }, false).kind, "program");
  assert.equal(P.commandStep({ CommandType: 2, CommandLine: "" }, false), null);
  s.Presentation.AboutBox.ShowWhen = 3;
  assert.deepEqual(kinds(s), ["backdrop", "media", "intro", "menu", "open"]);
  s.UseMenuScreen = false;
  assert.deepEqual(kinds(s), ["list"]);
  assert.equal(P.topicTitle("[Bracketed]"), "Bracketed");
  assert.deepEqual([1, 5, 2, 7, 4, 9, 10, 13, 11].map(P.topicAction),
                   ["page", "designed", "media", "media", "program", "program", "web", "notes", "none"]);
});

test("backgrounds follow the one rule", () => {
  const media = { "A.BMP": "media/A.PNG", "W.BMP": "media/W.PNG" };
  const f = (kind, graphic, tile) => ({ BackgroundKind: kind, BackgroundColor: "#112233", BackgroundGraphic: graphic, BackgroundTile: tile });
  assert.deepEqual(P.planBackground(f(2, "a.bmp", ""), media, "bykind"),
                   { color: null, layer: "stretched", url: "media/A.PNG", message: "" });
  assert.equal(P.planBackground(f(3, "", "w.bmp"), media, "first").layer, "tiled");
  const gone = P.planBackground(f(2, "GONE.JPG", ""), media, "bykind");
  assert.equal(gone.message, "The graphic file GONE.JPG was not found");
  assert.equal(gone.color, "#112233");
  const jpg = P.planBackground(f(3, "", "OLD.JPG"), media, "bykind");
  assert.equal(jpg.message, "Wallpaper must be a .BMP file.\n\r\n\rReplace OLD.JPG with a .BMP Graphic.");
  assert.equal(jpg.color, null);
  assert.equal(P.planBackground(f(3, "", "OLD.JPG"), media, "first").color, "#112233");
  assert.equal(P.planBackground(f(3, "", "NO.BMP"), media, "bykind").message, "The Wallpaper file NO.BMP was not found");
  assert.equal(P.planBackground(f(7, "", ""), media, "bykind").color, null);
});

test("media shows pick what to play", () => {
  const media = { "P.BMP": "media/P.PNG", "S.WAV": "media/S.WAV", "V.AVI": "media/V.WEBM", "M.MID": "media/M.OGG" };
  assert.equal(P.planMedia({ file: "v.avi", picture: "P.BMP" }, 7, media).show, "video");
  assert.deepEqual(P.planMedia({ picture: "P.BMP", sound: "S.WAV", seconds: 5 }, 6, media),
                   { show: "picture", picture: "media/P.PNG", sound: "media/S.WAV", seconds: 5, name: "P.BMP" });
  assert.equal(P.planMedia({ file: "S.WAV" }, 3, media).show, "wave");
  assert.equal(P.planMedia({ file: "M.MID" }, 8, media).show, "audio");
  assert.equal(P.planMedia({ picture: "P.BMP", sound: "GONE.WAV" }, 6, media).message, "The file GONE.WAV is missing");
  assert.equal(P.planMedia({ picture: "GONE.BMP" }, 2, media).message, "The file GONE.BMP is missing");
});

test("search folds case and accents and needs every word", () => {
  assert.equal(P.fold("Crème  BRÛLÉE\n\tﬁne"), "creme brulee fine");
  const index = [
    { t: 0, n: "volcanoes", x: "a volcano is an opening in the crust where magma rises" },
    { t: 1, n: "glaciers", x: "glaciers are rivers of ice. creme brulee is not." },
    { t: 2, n: "magma", x: "" }
  ];
  assert.deepEqual(P.searchIndex(index, "MAGMA", 0).map((h) => h.t), [0, 2]);
  assert.deepEqual(P.searchIndex(index, "Crème rivers", 0).map((h) => h.t), [1]);
  assert.deepEqual(P.searchIndex(index, "magma ice", 0), []);
  assert.deepEqual(P.searchIndex(index, "   ", 0), []);
  assert.match(P.searchIndex(index, "crust", 0)[0].snippet, /opening in the crust where/);
  // Marks land on the original text, accents and ligatures included.
  assert.deepEqual(P.markRanges("Une crème brûlée", ["creme", "brulee"]), [[4, 9], [10, 16]]);
  assert.deepEqual(P.markRanges("ﬁne fine", ["fine"]), [[0, 3], [4, 8]]);
});

test("Find walks the names as the reader program's Find does", () => {
  const names = ["Alpha", "alphabet", "Beta"];
  const state = { last: -1, text: "" };
  assert.equal(P.findNextName(names, state, "ALPH", 1), 0);
  assert.equal(P.findNextName(names, state, "ALPH", 2), 1);
  assert.equal(P.findNextName(names, state, "ALPH", 2), -1);
  assert.equal(state.last, 1);
  assert.deepEqual(P.menuOrder([{ name: "b" }, { name: "A" }, { name: "c" }], true), [1, 0, 2]);
  assert.deepEqual(P.parseCaption("E&xit"), { text: "Exit", mark: 1, key: "x" });
  assert.deepEqual(P.parseCaption("", "&Quit"), { text: "Quit", mark: 0, key: "q" });
});
