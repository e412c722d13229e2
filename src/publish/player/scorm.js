/* Quorvel player: reporting to a learning platform (SCORM 1.2 and SCORM 2004 4th edition).
 *
 * index.html names the edition in <meta name="quorvel-scorm" content="none|1.2|2004">. With
 * "none", or when no platform offers its API, everything here does nothing and the list runs as
 * a plain web folder.
 *
 * What is reported: the attempt is incomplete until every Topic has been opened, then completed
 * (2004 also reports progress_measure = opened / Topics and success_status unknown); the last Topic
 * opened is the bookmark; the set of opened Topics goes into suspend_data, so a later launch goes
 * on from there. Every change is committed at once; the session ends on quit or when the page goes.
 */
(function (root) {
  "use strict";

  var EDITIONS = {
    "1.2": {
      api: "API", init: "LMSInitialize", get: "LMSGetValue", set: "LMSSetValue", commit: "LMSCommit",
      finish: "LMSFinish", status: "cmi.core.lesson_status", location: "cmi.core.lesson_location",
      entry: "cmi.core.entry", exit: "cmi.core.exit", time: "cmi.core.session_time"
    },
    "2004": {
      api: "API_1484_11", init: "Initialize", get: "GetValue", set: "SetValue", commit: "Commit",
      finish: "Terminate", status: "cmi.completion_status", location: "cmi.location",
      entry: "cmi.entry", exit: "cmi.exit", time: "cmi.session_time"
    }
  };

  // The platform's API object: this window and up to seven parents, then the opener and its
  // parents. A frame of another origin cannot be looked into and is passed over.
  function findApi(win, name) {
    var seek = function (w) {
      for (var i = 0; w && i <= 7; ++i) {
        try {
          if (w[name]) return w[name];
        } catch (e) { /* another origin */ }
        var parent;
        try { parent = w.parent; } catch (e) { parent = null; }
        if (!parent || parent === w) break;
        w = parent;
      }
      return null;
    };
    var api = seek(win);
    if (api) return api;
    try {
      if (win.opener) api = seek(win.opener);
    } catch (e) { api = null; }
    return api || null;
  }

  // The opened set as text: "Q1." + Topic count + "." + the bits in base 64, which keeps 10,000
  // Topics within the 4096 characters that SCORM 1.2 allows for suspend_data.
  function encodeOpened(opened, count) {
    var bytes = new Uint8Array(Math.ceil(count / 8));
    opened.forEach(function (i) {
      if (i >= 0 && i < count) bytes[i >> 3] |= 1 << (i & 7);
    });
    var bin = "";
    for (var k = 0; k < bytes.length; ++k) bin += String.fromCharCode(bytes[k]);
    return "Q1." + count + "." + btoa(bin);
  }

  // Opened indices from suspend_data; data of another Topic count (the list changed since) or of
  // another shape give none.
  function decodeOpened(text, count) {
    var m = /^Q1\.(\d+)\.([A-Za-z0-9+/=]*)$/.exec(String(text || ""));
    if (!m || Number(m[1]) !== count) return [];
    var bin;
    try { bin = atob(m[2]); } catch (e) { return []; }
    var out = [];
    for (var i = 0; i < count && (i >> 3) < bin.length; ++i) {
      if (bin.charCodeAt(i >> 3) & (1 << (i & 7))) out.push(i);
    }
    return out;
  }

  function sessionTime(ms, edition) {
    var secs = Math.max(0, ms) / 1000;
    if (edition === "2004") return "PT" + Math.floor(secs / 3600) + "H" + Math.floor(secs / 60) % 60 + "M" +
                                   (secs % 60).toFixed(2) + "S";
    var hh = Math.min(9999, Math.floor(secs / 3600));
    var pad = function (n, w) { return String(n).padStart(w, "0"); };
    return pad(hh, 4) + ":" + pad(Math.floor(secs / 60) % 60, 2) + ":" + pad((secs % 60).toFixed(2), 5);
  }

  // One attempt on a platform's API object.
  function Tracker(api, edition, count, now) {
    this.api = api;
    this.ed = EDITIONS[edition];
    this.edition = edition;
    this.count = count;
    this.opened = new Set();
    this.active = false;
    this.now = now || Date.now;
  }

  Tracker.prototype.call = function (fn, a, b) {
    try {
      return fn === this.ed.set ? this.api[fn](a, b) : this.api[fn](a === undefined ? "" : a);
    } catch (e) {
      return "";
    }
  };
  Tracker.prototype.get = function (key) { return String(this.call(this.ed.get, key) || ""); };
  Tracker.prototype.set = function (key, value) { return this.call(this.ed.set, key, String(value)); };

  // Initialises and reads back where the learner was: {resumed, bookmark (-1 for none), opened}.
  Tracker.prototype.begin = function () {
    var ok = this.call(this.ed.init, "");
    this.active = ok === true || ok === "true";
    var result = { resumed: false, bookmark: -1, opened: [] };
    if (!this.active) return result;
    this.started = this.now();
    var self = this;
    decodeOpened(this.get("cmi.suspend_data"), this.count).forEach(function (i) { self.opened.add(i); });
    var location = this.get(this.ed.location);
    var bookmark = /^\d+$/.test(location) ? Number(location) : -1;
    if (bookmark >= this.count) bookmark = -1;
    var status = this.get(this.ed.status);
    if (this.edition === "2004") this.set("cmi.success_status", "unknown");
    this.wasCompleted = status === "completed" || status === "passed";
    // A status the platform already holds is not written again ("passed" stays "passed").
    this.reported = this.wasCompleted ? "completed" : "";
    this.report();
    this.commit();
    result.resumed = bookmark >= 0;
    result.bookmark = bookmark;
    result.opened = Array.from(this.opened).sort(function (a, b) { return a - b; });
    return result;
  };

  function progress(opened, count) {
    return count > 0 ? String(Math.round(Math.min(1, opened / count) * 10000) / 10000) : "1";
  }

  Tracker.prototype.complete = function () { return this.opened.size >= this.count; };

  // Status (and in 2004 the progress) from the opened set. A completed attempt stays completed,
  // also when the list changed since and its opened set was dropped.
  Tracker.prototype.report = function () {
    if (this.edition === "2004") this.set("cmi.progress_measure", progress(this.opened.size, this.count));
    if (this.complete()) this.wasCompleted = true;
    var status = this.wasCompleted ? "completed" : "incomplete";
    if (status !== this.reported) this.set(this.ed.status, status);
    this.reported = status;
  };

  Tracker.prototype.topicOpened = function (index) {
    if (!this.active || !(index >= 0 && index < this.count)) return;
    this.opened.add(index);
    this.set(this.ed.location, String(index));
    this.set("cmi.suspend_data", encodeOpened(this.opened, this.count));
    this.report();
    this.commit();
  };

  Tracker.prototype.commit = function () { this.call(this.ed.commit, ""); };

  // Ends the session, kept for resuming: the learner may come back to the bookmark.
  Tracker.prototype.finish = function () {
    if (!this.active) return;
    this.active = false;
    this.set(this.ed.exit, "suspend");
    this.set(this.ed.time, sessionTime(this.now() - this.started, this.edition));
    this.commit();
    this.call(this.ed.finish, "");
  };

  var scorm = {
    findApi: findApi, encodeOpened: encodeOpened, decodeOpened: decodeOpened, Tracker: Tracker,
    sessionTime: sessionTime, EDITIONS: EDITIONS
  };
  if (typeof module === "object" && module.exports) module.exports = scorm;
  if (typeof document === "undefined") return;

  // The page's side: what player.js calls.
  var tracker = null;
  var meta = document.querySelector('meta[name="quorvel-scorm"]');
  var edition = meta ? meta.getAttribute("content") : "none";

  root.QuorvelScorm = {
    edition: edition,
    begin: function (count) {
      var none = { resumed: false, bookmark: -1, opened: [] };
      if (!EDITIONS[edition]) return none;
      var api = findApi(root, EDITIONS[edition].api);
      if (!api) return none;
      tracker = new Tracker(api, edition, count);
      var state = tracker.begin();
      if (!tracker.active) tracker = null;
      return state;
    },
    topicOpened: function (index) { if (tracker) tracker.topicOpened(index); },
    finish: function () {
      if (tracker) tracker.finish();
      tracker = null;
    }
  };
  root.addEventListener("pagehide", root.QuorvelScorm.finish);
  root.addEventListener("beforeunload", root.QuorvelScorm.finish);
})(typeof window !== "undefined" ? window : globalThis);
