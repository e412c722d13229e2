/* Quorvel browser player: presents a published Study List the way the reader program does.
 *
 * Plain script, no modules and no fetch, so a folder opened from disk (file://) works. The data
 * files (data/list.js, data/search.js, data/pages/P<n>.js) call QuorvelData.list/search/page; they
 * may run before this file, in which case they queue their values in QuorvelData._q.
 *
 * Nothing of the list ever becomes markup: names, captions and texts go in through textContent.
 * The one exception is a page's HTML, made by the publisher's converter, which is the page.
 *
 * The first half of this file is pure logic (geometry, the preview sequence, backgrounds, media
 * parts, folding and search), exported for the node tests; the second half draws the screens.
 */
(function (root) {
  "use strict";

  // ---------------------------------------------------------------------------------------------
  // Pure logic

  var DESIGN_W = 640;
  var DESIGN_H = 480;
  // The caption of a window sits above its client area, so the scaled box is this much higher.
  var CAPTION_H = 22;
  var MAX_EXTENT = 8192;
  var DEFAULT_FONT_SIZE = 10;
  // Text is never drawn below this fraction of its designed size, however small the screen.
  var MIN_TEXT_SCALE = 0.85;

  function clamp(v, lo, hi) {
    v = Number(v);
    if (!isFinite(v)) v = 0;
    return Math.min(hi, Math.max(lo, Math.trunc(v)));
  }

  // A stored rectangle: position within +-MAX_EXTENT, size within 0..MAX_EXTENT.
  function clampedRect(left, top, width, height) {
    return {
      left: clamp(left, -MAX_EXTENT, MAX_EXTENT),
      top: clamp(top, -MAX_EXTENT, MAX_EXTENT),
      width: clamp(width, 0, MAX_EXTENT),
      height: clamp(height, 0, MAX_EXTENT)
    };
  }

  function storedTextRect(w) {
    w = w || {};
    return clampedRect(w.TextLeft, w.TextTop, w.TextWidth, w.TextHeight);
  }

  // The text window of a designed screen: the whole screen when FullScreen, else the stored place.
  function designedTextRect(w, screenW, screenH) {
    if (w && w.FullScreen) return { left: 0, top: 0, width: screenW, height: screenH };
    return storedTextRect(w);
  }

  // The text page window: at the text window's place, three pixels wider, as high.
  function textPageRect(w) {
    var r = storedTextRect(w);
    return { left: r.left, top: r.top, width: r.width + 3, height: r.height };
  }

  // A window kept inside the design area, so every part of it can be reached on a small screen.
  function keepInside(r, areaW, areaH) {
    var width = Math.min(r.width, areaW);
    var height = Math.min(r.height, areaH);
    return {
      left: Math.min(Math.max(r.left, 0), areaW - width),
      top: Math.min(Math.max(r.top, 0), areaH - height),
      width: width,
      height: height
    };
  }

  // Scale and offset that fit the design box (640 x 480 plus the caption) into a viewport,
  // keeping its proportions and centring it.
  function fitDesign(viewW, viewH) {
    var boxH = DESIGN_H + CAPTION_H;
    var scale = Math.min(viewW / DESIGN_W, viewH / boxH);
    if (!(scale > 0)) scale = 1;
    return {
      scale: scale,
      left: Math.round((viewW - DESIGN_W * scale) / 2),
      top: Math.round((viewH - boxH * scale) / 2)
    };
  }

  // How much page and list text is enlarged: the browser's text size (root font size against the
  // usual 16 px), and at least enough that scaling down for a phone keeps it readable.
  function textZoom(rootFontPx, scale) {
    var byBrowser = rootFontPx > 0 ? rootFontPx / 16 : 1;
    return Math.max(byBrowser, MIN_TEXT_SCALE / scale);
  }

  function fontSize(font) {
    var size = font && Number(font.size);
    return size > 0 && isFinite(size) ? size : DEFAULT_FONT_SIZE;
  }

  // A title or status bar is twice its font's point size high, at most a design screen's height.
  function textBarHeight(font) {
    var size = fontSize(font);
    return size > DESIGN_H / 2 ? DESIGN_H : 2 * Math.trunc(size);
  }

  // The author box shows its lines up to the last one that holds text.
  function authorLineCount(lines) {
    lines = lines || [];
    for (var i = Math.min(lines.length, 6); i > 0; --i) {
      if (lines[i - 1]) return i;
    }
    return 0;
  }

  function commandPanelLeft(panelWidth, commandWidth) {
    return Math.trunc(panelWidth / 2) - Math.trunc(commandWidth / 2);
  }

  // About box comments: a filled line followed by a blank, an empty line a paragraph break.
  function commentText(comments) {
    var text = "";
    (comments || []).forEach(function (line) {
      text += line ? line + " " : "\n\n";
    });
    return text;
  }

  // "&Quit" -> the text to show, the underlined letter's index and the access key.
  function parseCaption(caption, fallback) {
    var raw = caption ? String(caption) : fallback;
    var text = "";
    var mark = -1;
    for (var i = 0; i < raw.length; ++i) {
      if (raw[i] === "&" && i + 1 < raw.length) {
        ++i;
        if (raw[i] !== "&" && mark < 0) mark = text.length;
      }
      text += raw[i];
    }
    return { text: text, mark: mark, key: mark >= 0 ? text[mark].toLowerCase() : "" };
  }

  function mediaUrl(media, name) {
    if (!name || !media) return null;
    var key = String(name).toUpperCase();
    return Object.prototype.hasOwnProperty.call(media, key) ? media[key] : null;
  }

  function extensionOf(name) {
    var s = String(name || "");
    var dot = s.lastIndexOf(".");
    return dot >= 0 ? s.slice(dot).toUpperCase() : "";
  }

  function graphicNotFound(name) {
    return "The graphic file " + name + " was not found";
  }
  function wallpaperNotBmp(name) {
    return "Wallpaper must be a .BMP file.\n\r\n\rReplace " + name + " with a .BMP Graphic.";
  }
  function wallpaperNotFound(name) {
    return "The Wallpaper file " + name + " was not found";
  }

  // What a screen background shows, from its four fields. rule "first": the menu screen paints its
  // colour whatever the kind; rule "bykind": the backdrop, pages and the introduction take it for
  // kind 1 and as the fallback for a missing file, and keep their default colour otherwise.
  // Result: {color (null = default), layer "none"|"stretched"|"tiled", url, message}.
  function planBackground(f, media, rule) {
    var plan = { color: rule === "first" ? f.BackgroundColor : null, layer: "none", url: null, message: "" };
    var kind = Number(f.BackgroundKind);
    // The picture when the list holds it; otherwise the message and the colour.
    var picture = function (name, layer, notFound) {
      var url = mediaUrl(media, name);
      if (url) {
        plan.layer = layer;
        plan.url = url;
      } else {
        plan.message = notFound(name || "");
        plan.color = f.BackgroundColor;
      }
    };
    if (kind === 1) plan.color = f.BackgroundColor;
    else if (kind === 2) picture(f.BackgroundGraphic, "stretched", graphicNotFound);
    // Only the stored name counts: the publisher may have converted the file to PNG.
    else if (kind === 3 && extensionOf(f.BackgroundTile) === ".JPG") plan.message = wallpaperNotBmp(f.BackgroundTile);
    else if (kind === 3) picture(f.BackgroundTile, "tiled", wallpaperNotFound);
    return plan;
  }

  // An opening or closing command as a step, or null when it runs nothing. The opening command
  // knows media shows (2, 3, 6) and programs (4, 9); the closing command also opens a file (10).
  function commandStep(cmd, closing) {
    if (!cmd || !cmd.CommandLine) return null;
    var type = Number(cmd.CommandType) || 4;
    var parts = cmd.parts || {};
    if (type === 2 || type === 3 || type === 6) return { kind: "media", type: type, parts: parts };
    if (type === 4 || type === 9) return { kind: "program", type: type, parts: parts };
    if (type === 10 && closing) return { kind: "open", type: type, parts: parts };
    return null;
  }

  // The reader's sequence of screens. A resumed attempt of a learning platform goes straight to
  // the Topic menu: the learner has seen the opening screens already.
  function planSequence(settings, resumed) {
    var s = settings || {};
    if (!s.UseMenuScreen) return [{ kind: "list" }];
    var pres = s.Presentation || {};
    var about = pres.UseAboutBox ? Number((pres.AboutBox || {}).ShowWhen) || 0 : -1;
    var steps = [{ kind: "backdrop" }];
    if (!resumed) {
      var opening = pres.UseOpeningCommand ? commandStep(pres.OpeningCommand, false) : null;
      if (opening) steps.push(opening);
      if (about === 0 || about === 2) steps.push({ kind: "about" });
      if (pres.UseIntroduction) steps.push({ kind: "intro" });
    }
    steps.push({ kind: "menu" });
    if (about === 1 || about === 2) steps.push({ kind: "about" });
    var closing = pres.UseClosingCommand ? commandStep(pres.ClosingCommand, true) : null;
    if (closing) steps.push(closing);
    return steps;
  }

  // What the topic runner does with a Topic's type code.
  function topicAction(type) {
    switch (Number(type)) {
      case 1: return "page";
      case 5: return "designed";
      case 2: case 3: case 6: case 7: case 8: return "media";
      case 4: case 9: return "program";
      case 10: return "web";
      case 13: return "notes";
      default: return "none";
    }
  }

  // The title a Topic runs with: a name that still carries its square brackets loses them.
  function topicTitle(name) {
    name = String(name || "");
    return name[0] === "[" ? name.slice(1, -1) : name;
  }

  // What a media show plays, from a command's parts. Result: {show: "video"|"picture"|"wave"|
  // "audio"|"none", picture, sound, video (urls), seconds} or {message} for a missing file.
  function planMedia(parts, type, media) {
    parts = parts || {};
    type = Number(type);
    var picture = parts.picture || "";
    var sound = parts.sound || "";
    var video = "";
    var file = parts.file || "";
    if (file) {
      var ext = extensionOf(file);
      if (type === 7 || ext === ".AVI" || ext === ".WEBM") video = file;
      else sound = file;
    }
    var missing = function (name) { return { message: "The file " + name + " is missing" }; };
    if (video) {
      var v = mediaUrl(media, video);
      return v ? { show: "video", video: v, name: video } : missing(video);
    }
    var p = picture ? mediaUrl(media, picture) : null;
    if (picture && !p) return missing(picture);
    var s = sound ? mediaUrl(media, sound) : null;
    if (sound && !s) return missing(sound);
    var seconds = Number(parts.seconds) || 0;
    if (p) return { show: "picture", picture: p, sound: s, seconds: seconds, name: picture };
    if (s) return { show: extensionOf(sound) === ".WAV" ? "wave" : "audio", sound: s, name: sound };
    return { show: "none" };
  }

  // Lower case, accents dropped, runs of white space made one blank: as the publisher folds.
  function fold(text) {
    return String(text || "").normalize("NFKD").replace(/\p{M}/gu, "").toLowerCase().replace(/\s+/g, " ");
  }

  function queryWords(query) {
    return fold(query).split(" ").filter(function (w) { return w.length > 0; });
  }

  // Every Topic whose folded name or text holds every word, in index order, with a snippet of
  // the text around the first hit.
  function searchIndex(index, query, limit) {
    var words = queryWords(query);
    var hits = [];
    if (!words.length || !index) return hits;
    for (var i = 0; i < index.length; ++i) {
      var e = index[i];
      var n = e.n || "";
      var x = e.x || "";
      var all = true;
      for (var k = 0; k < words.length && all; ++k) {
        all = n.indexOf(words[k]) >= 0 || x.indexOf(words[k]) >= 0;
      }
      if (!all) continue;
      hits.push({ t: e.t, snippet: snippetOf(x, words) });
      if (limit && hits.length >= limit) break;
    }
    return hits;
  }

  var SNIPPET_BEFORE = 40;
  var SNIPPET_LENGTH = 140;

  function snippetOf(x, words) {
    var first = -1;
    words.forEach(function (w) {
      var at = x.indexOf(w);
      if (at >= 0 && (first < 0 || at < first)) first = at;
    });
    if (first < 0) return "";
    var start = Math.max(0, first - SNIPPET_BEFORE);
    if (start > 0) {
      var blank = x.indexOf(" ", start);
      if (blank >= 0 && blank < first) start = blank + 1;
    }
    var end = Math.min(x.length, start + SNIPPET_LENGTH);
    return (start > 0 ? "\u2026" : "") + x.slice(start, end) + (end < x.length ? "\u2026" : "");
  }

  // Folds text character by character and keeps, for each folded character, the index of the
  // character it came from, so a hit in folded text can be marked in the original.
  function foldWithMap(text) {
    var out = "";
    var map = [];
    var i = 0;
    for (var ch of String(text)) {
      var f = fold(ch);
      for (var k = 0; k < f.length; ++k) map.push(i);
      out += f;
      i += ch.length;
    }
    map.push(i);
    return { text: out, map: map };
  }

  // Ranges [start, end) of the original text that hold one of the words.
  function markRanges(text, words) {
    var folded = foldWithMap(text);
    var ranges = [];
    words.forEach(function (w) {
      var at = folded.text.indexOf(w);
      while (at >= 0) {
        ranges.push([folded.map[at], folded.map[at + w.length]]);
        at = folded.text.indexOf(w, at + w.length);
      }
    });
    ranges.sort(function (a, b) { return a[0] - b[0]; });
    var merged = [];
    ranges.forEach(function (r) {
      var last = merged[merged.length - 1];
      if (last && r[0] <= last[1]) last[1] = Math.max(last[1], r[1]);
      else merged.push([r[0], r[1]]);
    });
    return merged;
  }

  // The name search of the reader's Find: from after the last hit, the first name holding the
  // text in any letter case. mode 1 "Find First" starts afresh, 2 "Find Next" goes on.
  function findNextName(names, state, text, mode) {
    if (mode === 1) state.last = -1;
    state.text = text;
    var needle = String(text).toUpperCase();
    for (var i = state.last + 1; i < names.length; ++i) {
      if (String(names[i]).toUpperCase().indexOf(needle) >= 0) {
        state.last = i;
        return i;
      }
    }
    return -1;
  }

  // Store positions in menu order.
  function menuOrder(topics, alphabetical) {
    var order = topics.map(function (_, i) { return i; });
    if (alphabetical) {
      var collator = new Intl.Collator(undefined, { sensitivity: "base", numeric: true });
      order.sort(function (a, b) { return collator.compare(topics[a].name, topics[b].name) || a - b; });
    }
    return order;
  }

  var logic = {
    DESIGN_W: DESIGN_W, DESIGN_H: DESIGN_H, CAPTION_H: CAPTION_H,
    clampedRect: clampedRect, designedTextRect: designedTextRect, textPageRect: textPageRect,
    keepInside: keepInside, fitDesign: fitDesign, textZoom: textZoom, textBarHeight: textBarHeight,
    authorLineCount: authorLineCount, commandPanelLeft: commandPanelLeft, commentText: commentText,
    parseCaption: parseCaption, planBackground: planBackground, commandStep: commandStep,
    planSequence: planSequence, topicAction: topicAction, topicTitle: topicTitle, planMedia: planMedia,
    fold: fold, queryWords: queryWords, searchIndex: searchIndex, markRanges: markRanges,
    findNextName: findNextName, menuOrder: menuOrder, mediaUrl: mediaUrl
  };

  if (typeof module === "object" && module.exports) module.exports = logic;

  // ---------------------------------------------------------------------------------------------
  // Data arriving from the data files

  var data = root.QuorvelData = root.QuorvelData || { _q: [] };
  var store = { list: null, search: [], pages: {} };
  var pageWaiters = {};

  data.list = function (value) { store.list = value; };
  data.search = function (value) { store.search = Array.isArray(value) ? value : []; };
  data.page = function (id, value) {
    store.pages[id] = value;
    var waiting = pageWaiters[id];
    if (waiting) {
      delete pageWaiters[id];
      waiting.forEach(function (w) { w.resolve(value); });
    }
  };
  (data._q || []).forEach(function (call) {
    if (call[0] === "page") data.page(call[1], call[2]);
    else if (typeof data[call[0]] === "function") data[call[0]](call[1]);
  });
  data._q = [];

  if (typeof document === "undefined") return;

  // ---------------------------------------------------------------------------------------------
  // Screens

  var list = null;
  var settings = null;
  var topics = [];
  var stage = null;
  var box = null;
  var live = null;
  var windows = [];

  function h(tag, props, kids) {
    var e = document.createElement(tag);
    if (props) {
      Object.keys(props).forEach(function (k) {
        var v = props[k];
        if (v === undefined || v === null || v === false) return;
        if (k === "text") e.textContent = v;
        else if (k === "class") e.className = v;
        else if (k === "style") Object.assign(e.style, v);
        else if (k.slice(0, 2) === "on") e.addEventListener(k.slice(2), v);
        else e.setAttribute(k, v === true ? "" : v);
      });
    }
    (kids || []).forEach(function (kid) {
      if (kid === null || kid === undefined) return;
      e.appendChild(typeof kid === "string" ? document.createTextNode(kid) : kid);
    });
    return e;
  }

  // A caption with its accelerator letter underlined (built from text nodes only).
  function captionNodes(el, caption) {
    var c = typeof caption === "string" ? parseCaption(caption, caption) : caption;
    el.textContent = "";
    if (c.mark < 0) {
      el.textContent = c.text;
    } else {
      el.appendChild(document.createTextNode(c.text.slice(0, c.mark)));
      el.appendChild(h("u", { text: c.text[c.mark] }));
      el.appendChild(document.createTextNode(c.text.slice(c.mark + 1)));
      el.setAttribute("data-key", c.key);
    }
    el.setAttribute("aria-label", c.text);
    return el;
  }

  function button(caption, onClick, props) {
    var b = h("button", Object.assign({ type: "button", class: "btn" }, props || {}));
    // The caption's text sits in a span: a flex button would drop the blank before <u>.
    var face = b.appendChild(h("span"));
    captionNodes(face, caption);
    b.setAttribute("aria-label", face.getAttribute("aria-label"));
    face.removeAttribute("aria-label");
    if (face.hasAttribute("data-key")) b.setAttribute("data-key", face.getAttribute("data-key"));
    b.addEventListener("click", onClick);
    return b;
  }

  function px(v) { return v + "px"; }

  function place(el, r) {
    el.style.left = px(r.left);
    el.style.top = px(r.top);
    el.style.width = px(r.width);
    el.style.height = px(r.height);
  }

  function font(el, f) {
    if (!f) return;
    el.style.fontFamily = f.family || "";
    el.style.fontSize = "calc(" + fontSize(f) + "pt * var(--tz))";
    el.style.color = f.color || "";
    el.style.fontWeight = f.bold ? "bold" : "normal";
    el.style.fontStyle = f.italic ? "italic" : "normal";
    var deco = [];
    if (f.underline) deco.push("underline");
    if (f.strike) deco.push("line-through");
    el.style.textDecoration = deco.join(" ") || "none";
  }

  function applyBackground(el, plan) {
    if (plan.color) el.style.backgroundColor = plan.color;
    if (plan.layer === "none") return;
    // url() of a string the publisher made: quotes and backslashes cannot break out of it.
    el.style.backgroundImage = "url(" + JSON.stringify(plan.url) + ")";
    if (plan.layer === "stretched") {
      el.style.backgroundSize = "100% 100%";
      el.style.backgroundRepeat = "no-repeat";
    } else {
      el.style.backgroundSize = "auto";
      el.style.backgroundRepeat = "repeat";
      el.style.backgroundPosition = "0 0";
    }
  }

  function fields(w) {
    w = w || {};
    return { BackgroundKind: w.BackgroundKind, BackgroundColor: w.BackgroundColor,
             BackgroundGraphic: w.BackgroundGraphic, BackgroundTile: w.BackgroundTile };
  }

  // Draws a background; a message (missing file) is shown first, as the reader program does.
  function background(el, f, rule) {
    var plan = planBackground(f, list.media, rule);
    applyBackground(el, plan);
    return plan.message ? message(plan.message) : Promise.resolve();
  }

  function announce(text) {
    live.textContent = "";
    live.textContent = text;
  }

  function rescale() {
    var fit = fitDesign(window.innerWidth, window.innerHeight);
    var rootPx = parseFloat(getComputedStyle(document.documentElement).fontSize) || 16;
    box.style.transform = "translate(" + fit.left + "px," + fit.top + "px) scale(" + fit.scale + ")";
    box.style.setProperty("--tz", String(textZoom(rootPx, fit.scale)));
  }

  function focusables(el) {
    return Array.prototype.filter.call(
      el.querySelectorAll("button, input, textarea, [tabindex], a[href], audio[controls], video[controls]"),
      function (x) { return !x.disabled && x.tabIndex >= 0 && x.offsetParent !== null; });
  }

  // A window of the design: caption bar above a client area placed at r (client coordinates of
  // the 640 x 480 screen). Only the top window takes input; the ones below are inert.
  function openWindow(opt) {
    var frame = h("section", { class: "win " + (opt.cls || ""), role: "dialog", "aria-modal": "true",
                                "aria-label": opt.caption });
    var title = h("span", { class: "caption-text", text: opt.caption });
    var close = h("button", { type: "button", class: "caption-close", "aria-label": opt.closeLabel || "Close",
                               title: opt.closeLabel || "Close", text: "\u00d7" });
    var client = h("div", { class: "client" });
    frame.appendChild(h("div", { class: "caption" }, [title, close]));
    frame.appendChild(client);
    var w = {
      frame: frame, client: client, opt: opt, before: document.activeElement,
      setCaption: function (text) { title.textContent = text; frame.setAttribute("aria-label", text); },
      close: function () {
        var at = windows.indexOf(w);
        if (at < 0) return;
        windows.splice(at, 1);
        frame.remove();
        if (opt.onClosed) opt.onClosed();
        var top = windows[windows.length - 1];
        if (top) top.frame.inert = false;
        if (w.before && document.contains(w.before) && !w.before.closest("[inert]")) w.before.focus();
        else if (top) focusFirst(top);
      }
    };
    close.addEventListener("click", function () { (opt.onCloseBox || w.close)(); });
    if (opt.rect) {
      var r = keepInside(opt.rect, DESIGN_W, DESIGN_H);
      frame.style.left = px(r.left);
      frame.style.top = px(r.top);
      client.style.width = px(r.width);
      client.style.height = px(r.height);
    }
    windows.forEach(function (other) { other.frame.inert = true; });
    windows.push(w);
    box.appendChild(frame);
    if (!opt.rect) {
      // Centred in the design area, again whenever its content changes its size.
      var centre = function () {
        frame.style.left = px(Math.max(0, Math.round((DESIGN_W - frame.offsetWidth) / 2)));
        frame.style.top = px(Math.max(0, Math.round((DESIGN_H + CAPTION_H - frame.offsetHeight) / 2)));
      };
      centre();
      new ResizeObserver(centre).observe(frame);
    }
    return w;
  }

  function focusFirst(w, preferred) {
    var target = preferred || w.frame.querySelector("[data-autofocus]") || focusables(w.client)[0] ||
                 w.frame.querySelector(".caption-close");
    if (target) target.focus();
  }

  function topWindow() { return windows[windows.length - 1]; }

  document.addEventListener("keydown", function (e) {
    var w = topWindow();
    if (!w) return;
    if (e.altKey && !e.ctrlKey && e.key && e.key.length === 1) {
      var target = w.frame.querySelector('[data-key="' + e.key.toLowerCase().replace(/["\\]/g, "") + '"]');
      if (target && !target.disabled) {
        e.preventDefault();
        target.click();
        return;
      }
    }
    if (w.opt.onKey) w.opt.onKey(e);
  });

  // The error and information box of the reader program: the message and "OK".
  function message(text) {
    return new Promise(function (resolve) {
      var w = openWindow({ caption: (list && list.title) || "Quorvel", cls: "msgbox", onClosed: resolve,
                           onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
      var ok = button("OK", function () { w.close(); }, { "data-autofocus": true });
      w.client.appendChild(h("p", { class: "msg-text", role: "alert", text: String(text).replace(/\r/g, "") }));
      w.client.appendChild(h("div", { class: "btnrow" }, [ok]));
      ok.focus();
    });
  }

  // Yes, No and Cancel: resolves "yes", "no" or "cancel".
  function askYesNoCancel(text) {
    return new Promise(function (resolve) {
      var answer = "cancel";
      var w = openWindow({ caption: (list && list.title) || "Quorvel", cls: "msgbox",
                           onClosed: function () { resolve(answer); },
                           onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
      var pick = function (a) { return function () { answer = a; w.close(); }; };
      w.client.appendChild(h("p", { class: "msg-text", role: "alert", text: text }));
      var yes = button("&Yes", pick("yes"));
      w.client.appendChild(h("div", { class: "btnrow" }, [yes, button("&No", pick("no")), button("Cancel", pick("cancel"))]));
      yes.focus();
    });
  }

  // A title or status bar of a designed screen.
  function textBar(bar, cls) {
    if (!bar || !bar.Used) return null;
    var el = h("div", { class: "textbar " + cls, text: bar.Text || "" });
    font(el, bar.Font);
    el.style.height = px(textBarHeight(bar.Font));
    el.style.fontSize = "calc(" + Math.trunc(textBarHeight(bar.Font) / 2) + "pt * var(--tz))";
    el.style.backgroundColor = bar.Color || "";
    return el;
  }

  // A designed screen's column: its menu bar (when it has items, with About when the list has an
  // about box; the reader's Help opens a Windows help file, which no browser shows), title bar,
  // the screen itself and status bar.
  function screenColumn(client, screen, items, titleBar, statusBar) {
    var pres = settings.Presentation || {};
    client.classList.add("column");
    if (items) {
      if (pres.UseAboutBox) {
        items.push({ caption: (pres.Captions || {}).AboutCaption || "&About", action: function () { showAbout(pres.AboutBox); } });
      }
      client.appendChild(menuBar(items));
    }
    var title = textBar(titleBar, "titlebar");
    if (title) client.appendChild(title);
    client.appendChild(screen);
    var status = textBar(statusBar, "statusbar");
    if (status) client.appendChild(status);
  }

  function menuBar(items) {
    var bar = h("div", { class: "menubar", role: "menubar", "aria-label": "Menu" });
    items.forEach(function (it) {
      bar.appendChild(button(it.caption, it.action, { role: "menuitem", class: "menuitem" }));
    });
    bar.addEventListener("keydown", function (e) {
      if (e.key !== "ArrowRight" && e.key !== "ArrowLeft") return;
      var all = Array.prototype.slice.call(bar.children);
      var at = all.indexOf(document.activeElement);
      if (at < 0) return;
      e.preventDefault();
      all[(at + (e.key === "ArrowRight" ? 1 : all.length - 1)) % all.length].focus();
    });
    return bar;
  }

  // A keyboard-driven list (role listbox): arrows, Home, End, Page keys, a typed first letter;
  // Enter and a double click choose. render(i, row) fills a row with text nodes.
  var listIds = 0;
  var FIRST_ROWS = 200;
  function listBox(count, render, opt) {
    var id = "lb" + (++listIds) + "-";
    var el = h("div", { class: "listbox " + (opt.cls || ""), role: "listbox", tabindex: "0", "aria-label": opt.label });
    var rows = [];
    // The first rows go in at once and the rest after the first paint, so a list of 10,000
    // Topics is on screen as fast as one of ten.
    var grow = function (upTo) {
      if (upTo <= rows.length) return;
      var frag = document.createDocumentFragment();
      for (var i = rows.length; i < upTo; ++i) {
        var row = document.createElement("div");
        row.className = "lb-row";
        row.setAttribute("role", "option");
        row.id = id + i;
        row.setAttribute("data-i", String(i));
        render(i, row);
        rows.push(row);
        frag.appendChild(row);
      }
      el.appendChild(frag);
    };
    grow(Math.min(count, FIRST_ROWS));
    // The browser's element timing then tells when the first row was painted.
    if (opt.timing && rows.length) rows[0].setAttribute("elementtiming", opt.timing);
    if (count > FIRST_ROWS) requestAnimationFrame(function () { setTimeout(function () { grow(count); }, 0); });
    var current = -1;
    var typed = "";
    var typedAt = 0;
    var lb = {
      el: el,
      get current() { return current; },
      select: function (i) {
        if (i < 0 || i >= count) return;
        grow(i + 1);
        if (current >= 0) {
          rows[current].classList.remove("sel");
          rows[current].removeAttribute("aria-selected");
        }
        current = i;
        rows[i].classList.add("sel");
        rows[i].setAttribute("aria-selected", "true");
        el.setAttribute("aria-activedescendant", rows[i].id);
        var top = rows[i].offsetTop;
        var bottom = top + rows[i].offsetHeight;
        if (top < el.scrollTop) el.scrollTop = top;
        else if (bottom > el.scrollTop + el.clientHeight) el.scrollTop = bottom - el.clientHeight;
      }
    };
    var pageRows = function () {
      var hgt = rows.length ? rows[0].offsetHeight : 1;
      return Math.max(1, Math.floor(el.clientHeight / Math.max(1, hgt)) - 1);
    };
    el.addEventListener("keydown", function (e) {
      var to = null;
      if (e.key === "ArrowDown") to = Math.min(count - 1, current + 1);
      else if (e.key === "ArrowUp") to = Math.max(0, current - 1);
      else if (e.key === "Home") to = 0;
      else if (e.key === "End") to = count - 1;
      else if (e.key === "PageDown") to = Math.min(count - 1, current + pageRows());
      else if (e.key === "PageUp") to = Math.max(0, current - pageRows());
      else if (e.key === "Enter") {
        e.preventDefault();
        e.stopPropagation();
        if (current >= 0) opt.onChoose(current);
        return;
      } else if (e.key.length === 1 && !e.ctrlKey && !e.altKey && !e.metaKey && opt.nameOf) {
        var now = Date.now();
        typed = (now - typedAt < 800 ? typed : "") + e.key.toUpperCase();
        typedAt = now;
        for (var k = 0; k < count; ++k) {
          var at = (Math.max(current, 0) + (typed.length > 1 ? 0 : 1) + k) % count;
          if (String(opt.nameOf(at)).toUpperCase().indexOf(typed) === 0) { to = at; break; }
        }
        if (to === null) return;
      } else {
        return;
      }
      e.preventDefault();
      lb.select(to);
    });
    el.addEventListener("click", function (e) {
      var row = e.target.closest(".lb-row");
      if (row) lb.select(Number(row.getAttribute("data-i")));
    });
    el.addEventListener("dblclick", function (e) {
      var row = e.target.closest(".lb-row");
      if (row) opt.onChoose(Number(row.getAttribute("data-i")));
    });
    return lb;
  }

  // The reader's find dialog: resolves 0 cancelled, 1 "Find First", 2 "Find Next" and the text.
  function askFindText(text) {
    return new Promise(function (resolve) {
      var result = { mode: 0, text: text };
      var w = openWindow({ caption: "Find", cls: "finddlg", onClosed: function () { resolve(result); },
                           onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
      var input = h("input", { type: "text", class: "edit", id: "find-entry", value: text, "aria-label": "Entry to Find" });
      var go = function (mode) { return function () { result = { mode: mode, text: input.value }; w.close(); }; };
      input.addEventListener("keydown", function (e) { if (e.key === "Enter") { e.preventDefault(); go(1)(); } });
      w.client.appendChild(h("label", { class: "lbl", for: "find-entry", text: "Entry to Find :" }));
      w.client.appendChild(input);
      w.client.appendChild(h("div", { class: "btnrow" }, [button("Find First", go(1)), button("Find Next", go(2)),
                                                          button("Cancel", function () { w.close(); })]));
      input.focus();
      input.select();
    });
  }

  function findInList(lb, names, state, confirm) {
    return askFindText(state.text).then(function (r) {
      var hit = r.mode ? findNextName(names, state, r.text, r.mode) : -1;
      lb.select(hit >= 0 ? hit : 0);
      confirm.focus();
    });
  }

  // ----- pages

  function loadPage(id) {
    id = String(id);
    if (store.pages[id]) return Promise.resolve(store.pages[id]);
    return new Promise(function (resolve, reject) {
      var waiting = pageWaiters[id] = pageWaiters[id] || [];
      waiting.push({ resolve: resolve });
      if (waiting.length > 1) return;
      if (!/^[A-Za-z0-9_-]+$/.test(id)) { reject(new Error("bad page")); return; }
      var s = document.createElement("script");
      s.src = "data/pages/P" + id + ".js";
      s.onerror = function () {
        delete pageWaiters[id];
        s.remove();
        reject(new Error("missing page"));
      };
      document.body.appendChild(s);
    });
  }

  // The page text window: the publisher's HTML, scrolled by keyboard as well as by mouse.
  function textWindow(colour, page, words) {
    var panel = h("div", { class: "textpnl" });
    panel.style.backgroundColor = colour || "#ffffff";
    var scroller = h("div", { class: "textscroll", tabindex: "0", role: "document", "aria-label": "Page text" });
    var inner = h("div", { class: "pagetext" });
    inner.innerHTML = (page && page.html) || "";
    scroller.appendChild(inner);
    panel.appendChild(scroller);
    if (words && words.length) markWords(inner, words);
    return { panel: panel, scroller: scroller, inner: inner };
  }

  function markWords(rootEl, words) {
    var walker = document.createTreeWalker(rootEl, NodeFilter.SHOW_TEXT);
    var nodes = [];
    while (walker.nextNode()) nodes.push(walker.currentNode);
    nodes.forEach(function (node) {
      var ranges = markRanges(node.nodeValue, words);
      for (var k = ranges.length - 1; k >= 0; --k) {
        var r = document.createRange();
        r.setStart(node, ranges[k][0]);
        r.setEnd(node, ranges[k][1]);
        var mark = document.createElement("mark");
        r.surroundContents(mark);
      }
    });
  }

  function scrollToMark(scroller) {
    var first = scroller.querySelector("mark");
    if (first) scroller.scrollTop = Math.max(0, first.offsetTop - scroller.clientHeight / 3);
  }

  function pageOf(topic) {
    return loadPage(topic.page).catch(function () {
      return message("The page of " + topicTitle(topic.name) + " could not be read").then(function () { return null; });
    });
  }

  // Type 1: the text page window at the designed place, with "&OK" in its bottom strip.
  function showTextPage(topic, title, words) {
    return pageOf(topic).then(function (page) {
      if (!page) return;
      return new Promise(function (resolve) {
        var d = topic.display || {};
        var w = openWindow({ caption: title, cls: "textpage", rect: textPageRect(d), onClosed: resolve,
                             onKey: function (e) {
                               if (e.defaultPrevented) return; // the Enter that closed the Find box
                               if (e.key === "Escape" || (e.key === "Enter" && e.target.tagName !== "BUTTON")) {
                                 e.preventDefault();
                                 w.close();
                               }
                             } });
        var text = textWindow(d.TextWindowColor, page, words);
        w.client.appendChild(text.panel);
        var caps = (settings.Presentation || {}).Captions || {};
        var findState = { text: (words || []).join(" ") };
        // Find marks the words in the page as the search does; Print prints this page alone.
        var find = function () {
          askFindText(findState.text).then(function (r) {
            if (!r) return;
            findState.text = r.text;
            text.inner.querySelectorAll("mark").forEach(function (m) { m.replaceWith.apply(m, Array.from(m.childNodes)); });
            text.inner.normalize();
            markWords(text.inner, queryWords(r.text));
            scrollToMark(text.scroller);
            text.scroller.focus();
          });
        };
        var print = function () {
          document.body.classList.add("printing-page");
          root.print();
          document.body.classList.remove("printing-page");
        };
        var ok = button("&OK", function () { w.close(); }, { class: "btn ok" });
        // As in the reader, a text window too narrow for three buttons keeps OK alone.
        var roomy = textPageRect(d).width >= 3 * 75 + 2 * 4;
        w.client.appendChild(h("div", { class: "strip" }, roomy ? [
          button(caps.FindCaption || "&Find", find, { class: "btn page-find" }), ok,
          button(caps.PrintCaption || "&Print", print, { class: "btn page-print" })] : [ok]));
        text.scroller.focus();
        scrollToMark(text.scroller);
      });
    });
  }

  // A 640 x 480 screen of a window design: background, then the text window at its place.
  function designedScreen(w, design, page, words, onBackground) {
    var screen = h("div", { class: "screenpnl" });
    w.client.appendChild(screen);
    var text = textWindow(design.TextWindowColor, page, words);
    screen.appendChild(text.panel);
    var r = designedTextRect(design, screen.clientWidth, screen.clientHeight);
    place(text.panel, r);
    screen.addEventListener("mousedown", function (e) {
      if (e.button === 0 && e.target === screen) onBackground();
    });
    return { screen: screen, text: text };
  }

  // Type 5: the page on its own designed screen. Esc or a press on the background closes it.
  function showDesignedPage(topic, title, words) {
    return pageOf(topic).then(function (page) {
      if (!page) return;
      var d = topic.display || {};
      return new Promise(function (resolve) {
        var w = openWindow({ caption: title, cls: "designed", rect: { left: 0, top: 0, width: DESIGN_W, height: DESIGN_H },
                             onClosed: resolve,
                             onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
        var s = designedScreen(w, d, page, words, function () { w.close(); });
        s.text.scroller.focus();
        scrollToMark(s.text.scroller);
        background(s.screen, fields(d), "bykind");
      });
    });
  }

  // ----- media

  // Browsers hold sound back until the reader has pressed something; a refused start waits for
  // the first press anywhere and tries again.
  function play(media) {
    var p = media.play();
    if (!p || !p.catch) return;
    p.catch(function (err) {
      if (!err || err.name !== "NotAllowedError") return;
      var retry = function () {
        document.removeEventListener("pointerdown", retry, true);
        document.removeEventListener("keydown", retry, true);
        if (media.isConnected) media.play().catch(function () {});
      };
      document.addEventListener("pointerdown", retry, true);
      document.addEventListener("keydown", retry, true);
    });
  }

  function showMedia(parts, type, caption) {
    var m = planMedia(parts, type, list.media);
    if (m.message) return message(m.message);
    if (m.show === "picture") return showPicture(m, caption);
    if (m.show === "video" || m.show === "audio" || m.show === "wave") return showPlayer(m);
    return Promise.resolve();
  }

  // Types 2 and 6: the picture stretched over a 640 x 480 window, for its time; with a sound the
  // window stays at least until the sound ends.
  function showPicture(m, caption) {
    return new Promise(function (resolve) {
      var audio = null;
      var due = false;
      var w = openWindow({ caption: caption, cls: "picture", rect: { left: 0, top: 0, width: DESIGN_W, height: DESIGN_H },
                           onClosed: function () { if (audio) audio.pause(); resolve(); },
                           onKey: function (e) {
                             if (e.key === "Escape" || e.key === "Enter") { e.preventDefault(); w.close(); }
                           } });
      var img = h("img", { class: "stretched", src: m.picture, alt: caption, tabindex: "0" });
      img.addEventListener("mousedown", function (e) { if (e.button === 0) w.close(); });
      w.client.appendChild(img);
      if (m.sound) {
        audio = h("audio", { src: m.sound, preload: "auto" });
        audio.addEventListener("ended", function () { if (due) w.close(); });
        w.client.appendChild(audio);
        play(audio);
      }
      if (m.seconds > 0) {
        setTimeout(function () {
          due = true;
          if (!audio || audio.ended || audio.error) w.close();
        }, m.seconds * 1000);
      }
      img.focus();
    });
  }

  function timeText(t) {
    if (!isFinite(t)) t = 0;
    var s = Math.floor(t);
    return Math.floor(s / 60) + ":" + String(s % 60).padStart(2, "0");
  }

  // The media window: Start, Pause, Stop and Previous, a gauge of the position, and the video in
  // a frame below them. A wave sound closes it when it ends, as the reader program's wave player
  // returns when the sound has ended; a tune or a video stays until Esc or the close box.
  function showPlayer(m) {
    return new Promise(function (resolve) {
      var prompt = ((settings.Presentation || {}).Captions || {}).StartPrompt || "Press the Start button";
      var isVideo = m.show === "video";
      var el = h(isVideo ? "video" : "audio", { src: m.video || m.sound, preload: "auto", playsinline: true,
                                                 "aria-label": m.name });
      var w = openWindow({ caption: prompt, cls: "mediaplayer" + (isVideo ? " has-video" : ""),
                           onClosed: function () { el.pause(); resolve(); },
                           onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
      var gauge = h("progress", { class: "gauge", max: "1", value: "0", "aria-label": "Position" });
      var bar = h("div", { class: "player-buttons", role: "toolbar", "aria-label": "Player" }, [
        button("Start", function () { play(el); }, { class: "btn media", title: "Start" }),
        button("Pause", function () { el.pause(); }, { class: "btn media", title: "Pause" }),
        button("Stop", function () { el.pause(); el.currentTime = 0; }, { class: "btn media", title: "Stop" }),
        button("Previous", function () { el.currentTime = 0; }, { class: "btn media", title: "Previous" })
      ]);
      var clock = h("span", { class: "clock", text: "0:00" });
      w.client.appendChild(h("div", { class: "player-top" }, [bar, gauge, clock]));
      var bevel = h("div", { class: "bevel" }, [el]);
      w.client.appendChild(bevel);
      el.addEventListener("timeupdate", function () {
        if (el.duration > 0 && isFinite(el.duration)) gauge.value = el.currentTime / el.duration;
        clock.textContent = timeText(el.currentTime);
      });
      el.addEventListener("ended", function () {
        gauge.value = 1;
        if (m.show === "wave") w.close();
      });
      el.addEventListener("error", function () {
        w.close();
        message("Cannot play the file " + m.name);
      });
      bar.firstChild.focus();
      play(el);
    });
  }

  // Types 4 and 9: nothing runs in a browser; the panel says which program the Topic starts.
  function showProgram(parts, caption) {
    return new Promise(function (resolve) {
      var w = openWindow({ caption: caption, cls: "program", onClosed: resolve,
                           onKey: function (e) { if (e.key === "Escape" || e.key === "Enter") { e.preventDefault(); w.close(); } } });
      var line = [parts.program || parts.command || "", parts.argument || ""].join(" ").trim();
      w.client.appendChild(h("p", { class: "msg-text", text: "This Topic starts a program on a computer:" }));
      w.client.appendChild(h("p", { class: "program-name", text: line }));
      w.client.appendChild(h("p", { class: "msg-text", text: "A web browser cannot start programs, so nothing runs here." }));
      var ok = button("&OK", function () { w.close(); });
      w.client.appendChild(h("div", { class: "btnrow" }, [ok]));
      ok.focus();
    });
  }

  // A data: URI (the publisher writes them in base64) as a blob: address. Browsers open no data:
  // address in a tab of its own, and a single page holds its web pages as data: URIs.
  function tabUrl(url) {
    if (!/^data:/.test(url)) return url;
    var comma = url.indexOf(",");
    var head = url.slice(5, comma);
    var body = atob(url.slice(comma + 1));
    var bytes = new Uint8Array(body.length);
    for (var i = 0; i < body.length; ++i) bytes[i] = body.charCodeAt(i);
    return URL.createObjectURL(new Blob([bytes], { type: head.split(";")[0] }));
  }

  // Type 10: the page opens in a new tab. A browser that refuses the tab gets a link to press.
  function openDocument(name) {
    var url = mediaUrl(list.media, name);
    if (!url) return message("The file " + name + " is missing");
    url = tabUrl(url);
    var tab = window.open(url, "_blank");
    if (tab) {
      try { tab.opener = null; } catch (e) { /* another origin */ }
      return Promise.resolve();
    }
    return new Promise(function (resolve) {
      var w = openWindow({ caption: name, cls: "program", onClosed: resolve,
                           onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
      var link = h("a", { href: url, target: "_blank", rel: "noopener", class: "btn link", text: "Open " + name });
      link.addEventListener("click", function () { setTimeout(function () { w.close(); }, 0); });
      w.client.appendChild(h("p", { class: "msg-text", text: "The browser kept the page from opening by itself." }));
      w.client.appendChild(h("div", { class: "btnrow" }, [link, button("&Close", function () { w.close(); })]));
      link.focus();
    });
  }

  // ----- notes

  function notesKey(file) {
    return "quorvel:notes:" + ((list && list.title) || "") + ":" + String(file || "").toUpperCase();
  }

  function readNotes(file, fallback) {
    try {
      var stored = root.localStorage.getItem(notesKey(file));
      if (stored !== null) return stored;
    } catch (e) { /* storage switched off */ }
    return fallback || "";
  }

  function downloadName(file) {
    var base = String(file || "NOTES").replace(/^.*[\\/]/, "");
    return /\.txt$/i.test(base) ? base : base.replace(/\.[^.]*$/, "") + ".TXT";
  }

  // Type 13: the notes editor, on the notes text as published or as last saved in this browser.
  function showNotes(topic) {
    var file = topic.file || "NOTES.TXT";
    return new Promise(function (resolve) {
      var memo = h("textarea", { class: "memo", "aria-label": "Notes", spellcheck: "false" });
      memo.value = readNotes(file, topic.notes);
      memo.setSelectionRange(0, 0);
      var modified = false;
      memo.addEventListener("input", function () { modified = true; });
      var status = h("span", { class: "notes-status", role: "status" });
      var shortName = String(file).replace(/^.*[\\/]/, "");

      var save = function () {
        try {
          root.localStorage.setItem(notesKey(file), memo.value);
          modified = false;
          status.textContent = "Saved in this browser";
        } catch (e) {
          status.textContent = "This browser keeps no notes";
        }
      };
      var closeAsked = function () {
        if (!modified) { w.close(); return; }
        askYesNoCancel("File " + shortName + " has changed. Save Now?").then(function (a) {
          if (a === "cancel") { memo.focus(); return; }
          if (a === "yes") save();
          w.close();
        });
      };
      var w = openWindow({ caption: "Current File : " + file, cls: "notes", onClosed: resolve, onCloseBox: closeAsked,
                           onKey: function (e) {
                             if (e.key === "Escape") { e.preventDefault(); closeAsked(); }
                             else if (e.ctrlKey && (e.key === "s" || e.key === "S")) { e.preventDefault(); save(); }
                           } });

      var findBox = h("input", { type: "text", class: "edit", "aria-label": "Find" });
      var replaceBox = h("input", { type: "text", class: "edit", "aria-label": "Replace with" });
      var replaceRow = h("div", { class: "findrow", hidden: true }, [h("span", { class: "lbl", text: "Replace with :" }), replaceBox]);
      // Forward from the end of the selection, exact text; found text is selected.
      var findNext = function () {
        var needle = findBox.value;
        var at = needle ? memo.value.indexOf(needle, memo.selectionEnd) : -1;
        if (at < 0) {
          status.textContent = "Not found";
          memo.focus();
          return false;
        }
        status.textContent = "";
        memo.focus();
        memo.setSelectionRange(at, at + needle.length);
        var before = memo.value.slice(0, at).split("\n").length - 1;
        memo.scrollTop = Math.max(0, before * 16 - memo.clientHeight / 2);
        return true;
      };
      var replaceOne = function () {
        var needle = findBox.value;
        if (!needle) return false;
        var selected = memo.value.slice(memo.selectionStart, memo.selectionEnd);
        if (selected !== needle && !findNext()) return false;
        memo.setRangeText(replaceBox.value, memo.selectionStart, memo.selectionEnd, "end");
        modified = true;
        return true;
      };
      var replaceAll = function () {
        var n = 0;
        memo.setSelectionRange(0, 0);
        while (replaceOne()) ++n;
        status.textContent = n + " replaced";
      };
      var findRow = h("div", { class: "findrow", hidden: true }, [
        h("span", { class: "lbl", text: "Find :" }), findBox,
        button("Find &Next", findNext), button("&Replace", replaceOne, { class: "btn replace-only" }),
        button("Replace &All", replaceAll, { class: "btn replace-only" })]);
      findBox.addEventListener("keydown", function (e) { if (e.key === "Enter") { e.preventDefault(); findNext(); } });
      var openFind = function (replacing) {
        findRow.hidden = false;
        replaceRow.hidden = !replacing;
        findRow.querySelectorAll(".replace-only").forEach(function (b) { b.hidden = !replacing; });
        findBox.focus();
        findBox.select();
      };
      var download = function () {
        var blob = new Blob([memo.value.replace(/\r?\n/g, "\r\n")], { type: "text/plain" });
        var a = h("a", { href: URL.createObjectURL(blob), download: downloadName(file) });
        document.body.appendChild(a);
        a.click();
        a.remove();
        setTimeout(function () { URL.revokeObjectURL(a.href); }, 10000);
      };
      var tools = h("div", { class: "notes-tools", role: "toolbar", "aria-label": "Notes" }, [
        button("&New", function () {
          var clear = function () { memo.value = ""; modified = false; memo.focus(); };
          if (!modified) { clear(); return; }
          askYesNoCancel("File " + shortName + " has changed. Save Now?").then(function (a) {
            if (a === "cancel") { memo.focus(); return; }
            if (a === "yes") save();
            clear();
          });
        }),
        button("&Save", save), button("&Download .TXT", download),
        button("&Find...", function () { openFind(false); }), button("R&eplace...", function () { openFind(true); }),
        status]);
      w.client.appendChild(tools);
      w.client.appendChild(findRow);
      w.client.appendChild(replaceRow);
      w.client.appendChild(memo);
      memo.focus();
    });
  }

  // ----- the about box

  function showAbout(aboutBox) {
    var b = aboutBox || {};
    var icon = null;
    if (b.UseIcon) {
      icon = mediaUrl(list.media, b.IconFile);
      if (!icon) return message("The Icon file " + (b.IconFile || "") + " is missing");
    }
    return new Promise(function (resolve) {
      var w = openWindow({ caption: b.Caption || "", cls: "aboutbox", onClosed: resolve,
                           onKey: function (e) { if (e.key === "Escape" || e.key === "Enter") { e.preventDefault(); w.close(); } } });
      var panel = h("div", { class: "about-panel" + (icon ? "" : " no-icon") }, [
        icon ? h("img", { class: "about-icon", src: icon, alt: "" }) : null,
        h("div", { class: "about-product", text: b.ProgramName || "" }),
        h("div", { class: "about-version", text: b.VersionText || "" }),
        h("div", { class: "about-author", text: b.Author || "" }),
        h("div", { class: "about-comms", text: commentText(b.Comments) })]);
      var ok = button("OK", function () { w.close(); });
      w.client.appendChild(panel);
      w.client.appendChild(h("div", { class: "btnrow" }, [ok]));
      ok.focus();
    });
  }

  // ----- introduction

  function showIntro() {
    var pres = settings.Presentation || {};
    var intro = pres.IntroScreen || {};
    var caps = pres.Captions || {};
    var design = intro.Window || {};
    var pageP = list.intro ? loadPage(list.intro).catch(function () { return null; }) : Promise.resolve(null);
    return pageP.then(function (page) {
      return new Promise(function (resolve) {
        var w = openWindow({ caption: settings.Program.Title || list.title || "", cls: "intro",
                             rect: { left: 0, top: 0, width: DESIGN_W, height: DESIGN_H },
                             closeLabel: parseCaption(caps.CloseCaption, "&Close").text, onClosed: resolve,
                             onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
        var holder = h("div", { class: "screen-holder" });
        var items = intro.UseMenuBar ? [{ caption: caps.CloseCaption || "&Close", action: function () { w.close(); } }] : null;
        screenColumn(w.client, holder, items, intro.TitleBar, intro.StatusBar);
        var s = designedScreen({ client: holder }, design, page, null, function () { w.close(); });
        s.text.scroller.focus();
        background(s.screen, fields(design), "bykind");
      });
    });
  }

  // ----- the Topic menu screen

  var order = [];
  var runTopicHook = null;

  function nameAt(row) { return topics[order[row]].name; }

  function showMenu(startRow, openAtStart) {
    var ms = settings.MenuScreen || {};
    var pres = settings.Presentation || {};
    var caps = pres.Captions || {};
    var findState = { last: -1, text: "" };
    return new Promise(function (resolve) {
      var quit = function () { w.close(); };
      var w = openWindow({ caption: settings.Program.Title || list.title || "", cls: "menuscreen",
                           rect: { left: 0, top: 0, width: DESIGN_W, height: DESIGN_H },
                           closeLabel: parseCaption(caps.QuitCaption, "&Quit").text, onClosed: resolve,
                           onKey: function (e) {
                             if (e.key !== "Enter" || e.defaultPrevented) return;
                             var t = e.target;
                             if (t.tagName === "BUTTON" || t.tagName === "INPUT" || t.tagName === "A") return;
                             e.preventDefault();
                             run();
                           } });
      var search = h("input", { type: "search", class: "edit search", "aria-label": "Search every page",
                                placeholder: "Search every page", enterkeyhint: "search" });
      var main = h("div", { class: "mainpnl" });
      var items = ms.UseMenuBar ? [{ caption: caps.QuitCaption || "&Quit", action: quit }] : null;
      screenColumn(w.client, main, items, ms.TitleBar, ms.StatusBar);
      if (items) {
        w.client.querySelector(".menubar").appendChild(
          button(caps.FindCaption || "&Find", function () { search.focus(); }, { role: "menuitem", class: "menuitem" }));
      }

      if (ms.UseAuthorBox) {
        var a = ms.Author || {};
        var author = h("div", { class: "authorpnl", role: "note", "aria-label": "Author" });
        place(author, clampedRect(a.Left, a.Top, a.Width, a.Height));
        author.style.backgroundColor = a.Color || "";
        font(author, a.Font);
        var count = authorLineCount(a.Lines);
        for (var i = 0; i < count; ++i) author.appendChild(h("div", { class: "author-line", text: (a.Lines || [])[i] || "" }));
        main.appendChild(author);
      }

      var panel = h("div", { class: "menupnl" });
      place(panel, clampedRect((ms.Window || {}).TextLeft, (ms.Window || {}).TextTop,
                               (ms.Window || {}).TextWidth, (ms.Window || {}).TextHeight));
      var lb = listBox(order.length, function (i, row) { row.textContent = nameAt(i); },
                       { label: "Topics", cls: "topics", onChoose: function (i) { lb.select(i); run(); }, nameOf: nameAt,
                         timing: "topic-menu" });
      var ok = button("&OK", function () { run(); });
      var commands = h("div", { class: "commandpnl" }, [
        button("&Find", function () { findInList(lb, order.map(nameAt), findState, ok); }), ok, button("&Close", quit)]);
      panel.appendChild(h("div", { class: "topstrip" }, [search]));
      panel.appendChild(lb.el);
      panel.appendChild(h("div", { class: "bottomstrip" }, [commands]));
      main.appendChild(panel);

      var run = function () {
        if (lb.current < 0) return;
        runTopicHook(order[lb.current]);
      };
      search.addEventListener("keydown", function (e) {
        if (e.key === "Enter") {
          e.preventDefault();
          showResults(search.value).then(function () { if (document.contains(search)) search.focus(); });
        } else if (e.key === "ArrowDown") {
          e.preventDefault();
          lb.el.focus();
        }
      });

      lb.select(Math.min(Math.max(startRow, 0), order.length - 1));
      background(main, fields(ms.Window), "first").then(function () {
        lb.el.focus();
        if (openAtStart) run();
      });
      lb.el.focus();
    });
  }

  // The hits of a page search: name and snippet with the words marked; Enter opens the Topic
  // with the words marked in its page.
  function showResults(query) {
    var words = queryWords(query);
    if (!words.length) return Promise.resolve();
    var hits = searchIndex(store.search, query, 1000);
    return new Promise(function (resolve) {
      var w = openWindow({ caption: "Find : " + query, cls: "results", rect: { left: 80, top: 60, width: 480, height: 330 },
                           onClosed: resolve,
                           onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
      var summary = hits.length === 0 ? "No Topic holds these words"
                                      : hits.length === 1 ? "1 Topic holds these words" : hits.length + " Topics hold these words";
      w.client.appendChild(h("div", { class: "results-count", role: "status", text: summary }));
      var markedText = function (el, text) {
        var ranges = markRanges(text, words);
        var at = 0;
        ranges.forEach(function (r) {
          el.appendChild(document.createTextNode(text.slice(at, r[0])));
          el.appendChild(h("mark", { text: text.slice(r[0], r[1]) }));
          at = r[1];
        });
        el.appendChild(document.createTextNode(text.slice(at)));
        return el;
      };
      var open = function (i) {
        var t = hits[i].t;
        if (t >= 0 && t < topics.length) runTopicHook(t, words);
      };
      var lb = listBox(hits.length, function (i, row) {
        var t = topics[hits[i].t] || { name: "" };
        row.appendChild(markedText(h("div", { class: "hit-name" }), t.name));
        if (hits[i].snippet) row.appendChild(markedText(h("div", { class: "hit-snippet" }), hits[i].snippet));
      }, { label: "Topics found", cls: "hits", onChoose: open });
      w.client.appendChild(lb.el);
      var openBtn = button("&Open", function () { if (lb.current >= 0) open(lb.current); });
      w.client.appendChild(h("div", { class: "btnrow" }, [openBtn, button("&Close", function () { w.close(); })]));
      if (hits.length) {
        lb.select(0);
        lb.el.focus();
      } else {
        openBtn.disabled = true;
        w.client.querySelector(".btnrow .btn:last-child").focus();
      }
      announce(summary);
    });
  }

  // The plain Topic list, used when the list has no menu screen: resolves the chosen row or -1.
  function showTopicList(startRow) {
    var findState = { last: -1, text: "" };
    return new Promise(function (resolve) {
      var chosen = -1;
      var w = openWindow({ caption: settings.Program.Title || list.title || "", cls: "topiclist",
                           onClosed: function () { resolve(chosen); }, closeLabel: "Cancel",
                           onKey: function (e) { if (e.key === "Escape") { e.preventDefault(); w.close(); } } });
      var choose = function () { chosen = lb.current; w.close(); };
      var lb = listBox(order.length, function (i, row) { row.textContent = nameAt(i); },
                       { label: "Topics", cls: "topics", onChoose: function (i) { lb.select(i); choose(); }, nameOf: nameAt });
      var ok = button("&OK", choose);
      w.client.appendChild(lb.el);
      w.client.appendChild(h("div", { class: "btnrow" }, [ok, button("&Cancel", function () { w.close(); }),
        button("&Find", function () { findInList(lb, order.map(nameAt), findState, ok); })]));
      if (order.length > 1) lb.select(1);
      lb.select(Math.min(Math.max(startRow, 0), order.length - 1));
      lb.el.focus();
    });
  }

  // ----- the topic runner

  function runTopic(index, words) {
    var topic = topics[index];
    if (!topic) return Promise.resolve();
    if (root.QuorvelScorm) root.QuorvelScorm.topicOpened(index);
    var title = topicTitle(topic.name);
    document.title = title;
    var done = function () { document.title = settings.Program.Title || list.title || ""; };
    var shown;
    switch (topicAction(topic.type)) {
      case "page": shown = showTextPage(topic, title, words); break;
      case "designed": shown = showDesignedPage(topic, title, words); break;
      case "media": shown = showMedia(topic, topic.type, title); break;
      case "program": shown = showProgram(topic, title); break;
      case "web": shown = openDocument(topic.file || ""); break;
      case "notes": shown = showNotes(topic); break;
      default: shown = Promise.resolve();
    }
    return Promise.resolve(shown).then(done, done);
  }

  // ----- the sequence

  function showBackdrop() {
    var p = settings.Program || {};
    stage.classList.add("backdrop");
    return background(stage, fields(p), "bykind");
  }

  function runCommandStep(step) {
    var caption = settings.Program.Title || list.title || "";
    if (step.kind === "media") return showMedia(step.parts, step.parts.type || step.type, caption);
    if (step.kind === "program") return showProgram(step.parts, caption);
    if (step.kind === "open") return openDocument(step.parts.file || step.parts.command || "");
    return Promise.resolve();
  }

  function showEnd() {
    return new Promise(function () {
      var w = openWindow({ caption: settings.Program.Title || list.title || "", cls: "ended" });
      w.client.appendChild(h("p", { class: "msg-text", role: "status", text: "The Study List has ended." }));
      var again = button("Start &again", function () { w.close(); start(false); });
      w.client.appendChild(h("div", { class: "btnrow" }, [again]));
      again.focus();
    });
  }

  function bookmarkRow(bookmark) {
    var row = order.indexOf(bookmark);
    return row >= 0 ? row : 0;
  }

  async function runSequence(resume) {
    var bookmark = resume ? resume.bookmark : -1;
    var resumed = bookmark >= 0 && bookmark < topics.length;
    var steps = planSequence(settings, resumed);
    for (var k = 0; k < steps.length; ++k) {
      var step = steps[k];
      if (step.kind === "list") {
        var row = resumed ? bookmarkRow(bookmark) : 0;
        if (resumed) await runTopic(order[row]);
        for (;;) {
          var chosen = await showTopicList(row);
          if (chosen < 0) break;
          await runTopic(order[chosen]);
          row = chosen;
        }
      } else if (step.kind === "backdrop") {
        await showBackdrop();
      } else if (step.kind === "about") {
        await showAbout((settings.Presentation || {}).AboutBox);
      } else if (step.kind === "intro") {
        await showIntro();
      } else if (step.kind === "menu") {
        await showMenu(resumed ? bookmarkRow(bookmark) : 0, resumed);
      } else {
        await runCommandStep(step);
      }
    }
  }

  function start(first) {
    var resume = first && root.QuorvelScorm ? root.QuorvelScorm.begin(topics.length) : null;
    runSequence(resume).catch(function (e) {
      return message(String(e && e.message ? e.message : e));
    }).then(function () {
      if (root.QuorvelScorm) root.QuorvelScorm.finish();
      return showEnd();
    });
  }

  function boot() {
    stage = document.getElementById("stage") || document.body.appendChild(h("div", { id: "stage" }));
    box = h("div", { id: "box" });
    live = h("div", { class: "live", "aria-live": "polite" });
    stage.appendChild(box);
    stage.appendChild(live);
    window.addEventListener("resize", rescale);
    rescale();
    list = store.list;
    if (!list || !Array.isArray(list.topics)) {
      box.appendChild(h("p", { class: "msg-text", role: "alert", text: "The Study List's data could not be read." }));
      return;
    }
    settings = list.settings || {};
    settings.Program = settings.Program || {};
    topics = list.topics;
    order = menuOrder(topics, settings.AlphabeticalTopics);
    runTopicHook = runTopic;
    document.title = settings.Program.Title || list.title || "";
    start(true);
  }

  if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", boot);
  else boot();
})(typeof window !== "undefined" ? window : globalThis);
