// Published web folders made by hand for the player tests, in the data file format the publisher
// writes (see src/publish/player/FORMAT.md), so these tests need no C++ build.
"use strict";

const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");

const PLAYER_DIR = path.resolve(__dirname, "../../../src/publish/player");
const MEDIA_DIR = path.join(__dirname, "media");

// The publisher's JSON: every "<" written as \u003c, so no text can close a script element.
function json(value) {
  return JSON.stringify(value).replace(/</g, "\\u003c");
}

const PRELUDE = "window.QuorvelData=window.QuorvelData||{_q:[]};";

function listFile(value) {
  return PRELUDE + '(QuorvelData.list||function(v){QuorvelData._q.push(["list",v]);})(' + json(value) + ");";
}
function searchFile(value) {
  return PRELUDE + '(QuorvelData.search||function(v){QuorvelData._q.push(["search",v]);})(' + json(value) + ");";
}
function pageFile(id, value) {
  return PRELUDE + '(QuorvelData.page||function(n,v){QuorvelData._q.push(["page",n,v]);})(' + json(String(id)) +
         "," + json(value) + ");";
}

function font(size, bold, family) {
  return { size, color: "#000000", bold: !!bold, italic: false, underline: false, strike: false,
           family: family || "'Times New Roman', 'Liberation Serif', serif" };
}

function windowDesign(over) {
  return Object.assign({ TextWindowColor: "#ffffff", FullScreen: true, BackgroundKind: 1, BackgroundColor: "#c0c0c0",
                         BackgroundGraphic: "", BackgroundTile: "", TextLeft: 120, TextTop: 80, TextWidth: 400,
                         TextHeight: 200, RLTop: 1, RLLeft: 1, Print: false }, over || {});
}

function command(over) {
  return Object.assign({ CommandType: 0, GraphicFile: "", PairGraphicFile: "", VoiceFile: "", PairSoundFile: "",
                         ProgramCommand: "", Duration: 0, CommandLine: "" }, over || {});
}

function bar(over) {
  return Object.assign({ Used: false, Text: "", Font: font(16, true), Color: "#c0c0c0" }, over || {});
}

// A new Study List's settings record, as the publisher turns it into JSON.
function defaultSettings() {
  return {
    Version: "2.21",
    UseMenuScreen: true,
    AlphabeticalTopics: false,
    Program: { Title: "", UseIcon: false, IconFile: "", UseHelpFile: false, HelpFile: "", HelpStartTopic: 0,
               ShowVideoModeAdvisory: false, BackgroundKind: 1, BackgroundColor: "#c0c0c0", BackgroundGraphic: "",
               BackgroundTile: "" },
    Presentation: {
      UseIntroduction: false,
      IntroScreen: { TitleBar: bar(), StatusBar: bar({ Font: font(8) }), Window: windowDesign(), UseMenuBar: true },
      UseOpeningCommand: false, OpeningCommand: command(),
      UseClosingCommand: false, ClosingCommand: command(),
      UseAboutBox: false,
      AboutBox: { ShowWhen: 0, Caption: "", UseIcon: false, IconFile: "", ProgramName: "", VersionText: "", Author: "",
                  Comments: ["", "", "", ""] },
      Captions: { AboutCaption: "&About", HelpCaption: "&Help", QuitCaption: "&Quit", CloseCaption: "&Close",
                  PrintCaption: "&Print", FindCaption: "&Find", StartPrompt: "Press the Start button" }
    },
    MenuScreen: {
      TitleBar: bar(), StatusBar: bar({ Font: font(8) }),
      Window: windowDesign({ TextLeft: 200, TextTop: 100, TextWidth: 255, TextHeight: 200 }),
      UseAuthorBox: false,
      Author: { Lines: ["", "", "", "", "", ""], Color: "#ffffff", Font: font(10, true, "'MS Sans Serif', 'Liberation Sans', sans-serif"),
                Top: 5, Left: 5, Height: 100, Width: 190, Carried1: 1, Carried2: 1 },
      UseMenuBar: true
    }
  };
}

function page(html) {
  return { html: '<div class="rtf">' + html + "</div>" };
}

// A wave file of `ms` milliseconds of a quiet tone, 8 kHz, 8 bits, mono.
function wave(ms) {
  const samples = Math.round(8 * ms);
  const b = Buffer.alloc(44 + samples);
  b.write("RIFF", 0); b.writeUInt32LE(36 + samples, 4); b.write("WAVE", 8); b.write("fmt ", 12);
  b.writeUInt32LE(16, 16); b.writeUInt16LE(1, 20); b.writeUInt16LE(1, 22); b.writeUInt32LE(8000, 24);
  b.writeUInt32LE(8000, 28); b.writeUInt16LE(1, 32); b.writeUInt16LE(8, 34); b.write("data", 36);
  b.writeUInt32LE(samples, 40);
  for (let i = 0; i < samples; ++i) b[44 + i] = 128 + Math.round(20 * Math.sin(i / 4));
  return b;
}

// One Topic of every type, with the introduction, the about box, the bars and the author box on.
function everyTypeList() {
  const s = defaultSettings();
  s.Program.Title = "Every Topic";
  s.Program.BackgroundKind = 3;
  s.Program.BackgroundTile = "TILE.BMP";
  s.Presentation.UseIntroduction = true;
  s.Presentation.IntroScreen.Window = windowDesign({ FullScreen: false, TextLeft: 100, TextTop: 60, TextWidth: 440,
                                                     TextHeight: 300, BackgroundKind: 2, BackgroundGraphic: "SUNSET.JPG" });
  s.Presentation.IntroScreen.TitleBar = bar({ Used: true, Text: "Welcome", Font: font(14, true) });
  s.Presentation.UseAboutBox = true;
  s.Presentation.AboutBox = { ShowWhen: 0, Caption: "About Every Topic", UseIcon: true, IconFile: "ICON.ICO",
                              ProgramName: "Every Topic", VersionText: "Version 1.0", Author: "A. Teacher",
                              Comments: ["One Topic of every kind.", "", "Made for the tests.", ""] };
  s.MenuScreen.TitleBar = bar({ Used: true, Text: "Every Topic", Font: font(16, true), Color: "#000080" });
  s.MenuScreen.TitleBar.Font.color = "#ffffff";
  s.MenuScreen.StatusBar = bar({ Used: true, Text: "Choose a Topic and press OK", Font: font(8) });
  s.MenuScreen.Window = windowDesign({ TextLeft: 200, TextTop: 100, TextWidth: 255, TextHeight: 200, BackgroundKind: 2,
                                       BackgroundGraphic: "SUNSET.JPG" });
  s.MenuScreen.UseAuthorBox = true;
  s.MenuScreen.Author.Lines = ["A. Teacher", "", "Room 12", "", "", ""];
  s.MenuScreen.Author.Color = "#ffffe0";

  const topics = [
    { name: "Volcanoes", type: 1, page: "1",
      display: windowDesign({ FullScreen: false, TextWindowColor: "#ffffe8", TextLeft: 120, TextTop: 80, TextWidth: 400, TextHeight: 260 }) },
    { name: "Sunset", type: 2, command: "SUNSET.JPG,15", picture: "SUNSET.JPG", seconds: 1.5 },
    { name: "Bell", type: 3, command: "BELL.WAV", file: "BELL.WAV" },
    { name: "Calculator", type: 4, command: "CALC.EXE", program: "CALC.EXE", argument: "" },
    { name: "Glaciers", type: 5, page: "2",
      display: windowDesign({ FullScreen: false, BackgroundKind: 3, BackgroundTile: "TILE.BMP", TextLeft: 80, TextTop: 60,
                              TextWidth: 480, TextHeight: 340 }) },
    { name: "Evening bell", type: 6, command: "SUNSET.JPG,BELL.WAV,5", picture: "SUNSET.JPG", sound: "BELL.WAV", seconds: 0.5 },
    { name: "Ball clip", type: 7, command: "CLIP.AVI", file: "CLIP.AVI" },
    { name: "Tune", type: 8, command: "TUNE.MID", file: "TUNE.MID" },
    { name: "Letter writer", type: 9, command: "WRITE.EXE LETTER.DOC", program: "WRITE.EXE", argument: "LETTER.DOC" },
    { name: "Web page", type: 10, command: "INFO.HTM", file: "INFO.HTM" },
    { name: "My notes", type: 13, command: "NOTES.TXT", file: "NOTES.TXT", notes: "First line of notes\nSecond line" }
  ];
  const pages = {
    intro: page('<p style="text-align:center"><span style="font-size:14pt"><b>Welcome to Every Topic</b></span></p>' +
                "<p>Press Esc to go on to the Topic menu.</p>"),
    1: page('<p><span style="font-family:Arial, \'Liberation Sans\', sans-serif;font-size:12pt"><b>Volcanoes</b></span></p>' +
            "<p>A volcano is an opening in the crust where magma rises.</p>" + "<p>Line</p>".repeat(30) +
            "<p>Deep down the magma chamber feeds it.</p>"),
    2: page('<p><span style="font-size:12pt;color:#003366"><b>Glaciers</b></span></p>' +
            "<p>Glaciers are rivers of ice. Crème brûlée is not.</p>")
  };
  const search = [
    { t: 0, n: "volcanoes", x: "volcanoes a volcano is an opening in the crust where magma rises." +
      " line".repeat(30) + " deep down the magma chamber feeds it." },
    { t: 1, n: "sunset", x: "" }, { t: 2, n: "bell", x: "" }, { t: 3, n: "calculator", x: "" },
    { t: 4, n: "glaciers", x: "glaciers glaciers are rivers of ice. creme brulee is not." },
    { t: 5, n: "evening bell", x: "" }, { t: 6, n: "ball clip", x: "" }, { t: 7, n: "tune", x: "" },
    { t: 8, n: "letter writer", x: "" }, { t: 9, n: "web page", x: "" }, { t: 10, n: "my notes", x: "" }
  ];
  const media = { "TILE.BMP": "media/TILE.PNG", "SUNSET.JPG": "media/SUNSET.PNG", "ICON.ICO": "media/ICON.PNG",
                  "BELL.WAV": "media/BELL.WAV", "CLIP.AVI": "media/CLIP.WEBM", "TUNE.MID": "media/TUNE.OGG",
                  "INFO.HTM": "media/INFO.HTM", "NOTES.TXT": "media/NOTES.TXT" };
  const files = {
    "TILE.PNG": fs.readFileSync(path.join(MEDIA_DIR, "TILE.PNG")),
    "SUNSET.PNG": fs.readFileSync(path.join(MEDIA_DIR, "SUNSET.PNG")),
    "ICON.PNG": fs.readFileSync(path.join(MEDIA_DIR, "ICON.PNG")),
    "CLIP.WEBM": fs.readFileSync(path.join(MEDIA_DIR, "CLIP.WEBM")),
    "TUNE.OGG": fs.readFileSync(path.join(MEDIA_DIR, "TUNE.OGG")),
    "BELL.WAV": wave(300),
    "INFO.HTM": "<!DOCTYPE html><title>Info</title><p>Information page</p>",
    "NOTES.TXT": "First line of notes\nSecond line"
  };
  return { list: { format: 1, title: "Every Topic", settings: s, topics, intro: "intro", media }, pages, search, files };
}

const HOSTILE = "<img src=x onerror=alert(1)>";

// Names, captions and texts with markup and quotes, a 60-character name and a missing picture.
function hostileList() {
  const s = defaultSettings();
  s.Program.Title = HOSTILE;
  s.Presentation.UseAboutBox = true;
  s.Presentation.AboutBox = Object.assign(s.Presentation.AboutBox, { Caption: HOSTILE, ProgramName: "<b>bold</b>",
                                                                     Comments: ["</script><script>alert(3)</script>", "", "", ""] });
  s.Presentation.Captions.QuitCaption = "<i>&Quit</i>";
  s.MenuScreen.TitleBar = bar({ Used: true, Text: "<script>alert(4)</script>" });
  s.MenuScreen.UseAuthorBox = true;
  s.MenuScreen.Author.Lines = ['"><svg onload=alert(5)>', "", "", "", "", ""];
  s.MenuScreen.Window.BackgroundKind = 3;
  s.MenuScreen.Window.BackgroundTile = 'x") ; background:url(javascript:alert(6)';
  const topics = [
    { name: HOSTILE, type: 1, page: "1", display: windowDesign({ FullScreen: false }) },
    { name: "\"quoted\" & 'apos' </script><script>alert(2)</script>", type: 2, command: "GONE.BMP", picture: "GONE.BMP", seconds: 1 },
    { name: "N".repeat(60), type: 4, command: "<b>RUN.EXE</b>", program: "<b>RUN.EXE</b>", argument: "" }
  ];
  const search = [{ t: 0, n: "<img src=x onerror=alert(1)>", x: "hostile page" },
                  { t: 1, n: "\"quoted\" & 'apos' </script><script>alert(2)</script>", x: "" },
                  { t: 2, n: "n".repeat(60), x: "" }];
  return { list: { format: 1, title: HOSTILE, settings: s, topics, intro: null, media: {} },
           pages: { 1: page("<p>hostile page</p>") }, search, files: {} };
}

// The benchmark list: 10,000 page Topics on the default menu screen.
function bigList(count) {
  const s = defaultSettings();
  s.Program.Title = "Ten thousand Topics";
  const topics = [];
  const search = [];
  const pages = {};
  for (let i = 0; i < count; ++i) {
    if (i < 100) pages[i + 1] = page("<p>page " + (i + 1) + "</p>");
    const name = "Topic " + String(i + 1).padStart(5, "0");
    topics.push({ name, type: 1, page: String(i + 1), display: windowDesign() });
    search.push({ t: i, n: name.toLowerCase(), x: "page " + (i + 1) + " about subject " + (i % 97) });
  }
  return { list: { format: 1, title: s.Program.Title, settings: s, topics, intro: null, media: {} },
           pages, search, files: {} };
}

// Writes a web folder: the player's four files and the list's data and media. edition sets the
// quorvel-scorm meta as the publisher does for a package.
function writeFolder(fixture, edition, dir) {
  dir = dir || fs.mkdtempSync(path.join(os.tmpdir(), "quorvel-player-"));
  fs.mkdirSync(path.join(dir, "data", "pages"), { recursive: true });
  fs.mkdirSync(path.join(dir, "media"), { recursive: true });
  for (const f of ["player.js", "style.css", "scorm.js"]) fs.copyFileSync(path.join(PLAYER_DIR, f), path.join(dir, f));
  let index = fs.readFileSync(path.join(PLAYER_DIR, "index.html"), "utf8");
  index = index.replace('content="none"', 'content="' + (edition || "none") + '"');
  fs.writeFileSync(path.join(dir, "index.html"), index);
  fs.writeFileSync(path.join(dir, "data", "list.js"), listFile(fixture.list));
  fs.writeFileSync(path.join(dir, "data", "search.js"), searchFile(fixture.search));
  for (const [id, value] of Object.entries(fixture.pages)) {
    fs.writeFileSync(path.join(dir, "data", "pages", "P" + id + ".js"), pageFile(id, value));
  }
  for (const [name, bytes] of Object.entries(fixture.files)) fs.writeFileSync(path.join(dir, "media", name), bytes);
  return dir;
}

module.exports = { everyTypeList, hostileList, bigList, writeFolder, defaultSettings, windowDesign, HOSTILE };
