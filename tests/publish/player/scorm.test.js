// What the player reports to a learning platform, on a recording stand-in for the platform's API.
"use strict";

const test = require("node:test");
const assert = require("node:assert/strict");
const S = require("../../../src/publish/player/scorm.js");

function fakeApi(edition, stored) {
  const e = S.EDITIONS[edition];
  const values = Object.assign({}, stored || {});
  const calls = [];
  const api = {
    values, calls,
    [e.init]: () => { calls.push("init"); return "true"; },
    [e.get]: (k) => values[k] || "",
    [e.set]: (k, v) => { values[k] = v; calls.push(k + "=" + v); return "true"; },
    [e.commit]: () => { calls.push("commit"); return "true"; },
    [e.finish]: () => { calls.push("finish"); return "true"; }
  };
  return api;
}

test("the opened set survives suspend_data, also for 10,000 Topics", () => {
  const opened = new Set([0, 7, 8, 9999]);
  const text = S.encodeOpened(opened, 10000);
  assert.ok(text.length < 4096, "fits SCORM 1.2 suspend_data");
  assert.deepEqual(S.decodeOpened(text, 10000), [0, 7, 8, 9999]);
  // Data of a list that has changed since gives nothing rather than wrong Topics.
  assert.deepEqual(S.decodeOpened(text, 9999), []);
  assert.deepEqual(S.decodeOpened("garbage", 10), []);
});

test("SCORM 2004: incomplete, progress, then completed with the bookmark", () => {
  const api = fakeApi("2004");
  const t = new S.Tracker(api, "2004", 2, () => 0);
  assert.deepEqual(t.begin(), { resumed: false, bookmark: -1, opened: [] });
  assert.equal(api.values["cmi.completion_status"], "incomplete");
  assert.equal(api.values["cmi.success_status"], "unknown");
  assert.equal(api.values["cmi.progress_measure"], "0");
  t.topicOpened(1);
  assert.equal(api.values["cmi.progress_measure"], "0.5");
  assert.equal(api.values["cmi.location"], "1");
  t.topicOpened(0);
  assert.equal(api.values["cmi.completion_status"], "completed");
  assert.equal(api.values["cmi.progress_measure"], "1");
  t.finish();
  assert.equal(api.values["cmi.exit"], "suspend");
  assert.match(api.values["cmi.session_time"], /^PT\d+H\d+M[\d.]+S$/);
  assert.deepEqual(api.calls.slice(-2), ["commit", "finish"]);
  t.finish();
  assert.equal(api.calls.filter((c) => c === "finish").length, 1, "terminates once");
});

test("SCORM 1.2: a second launch resumes and a completed attempt stays completed", () => {
  const first = fakeApi("1.2");
  const t = new S.Tracker(first, "1.2", 3, () => 0);
  t.begin();
  t.topicOpened(2);
  assert.equal(first.values["cmi.core.lesson_status"], "incomplete");
  t.finish();
  const second = fakeApi("1.2", { "cmi.core.lesson_location": "2", "cmi.suspend_data": first.values["cmi.suspend_data"],
                                  "cmi.core.lesson_status": "incomplete" });
  const again = new S.Tracker(second, "1.2", 3, () => 0);
  assert.deepEqual(again.begin(), { resumed: true, bookmark: 2, opened: [2] });
  const passed = fakeApi("1.2", { "cmi.core.lesson_status": "passed" });
  const done = new S.Tracker(passed, "1.2", 3, () => 0);
  done.begin();
  done.topicOpened(0);
  assert.equal(passed.values["cmi.core.lesson_status"], "passed");
  assert.equal(S.sessionTime(3723500, "1.2"), "0001:02:03.50");
});

test("the API is found in a parent frame or the opener, and a foreign frame is passed over", () => {
  const api = {};
  const top = { API: api };
  top.parent = top;
  const foreign = { parent: top };
  Object.defineProperty(foreign, "API", { get() { throw new Error("SecurityError"); } });
  const frame = { parent: foreign };
  assert.equal(S.findApi(frame, "API"), api);
  const opener = { API_1484_11: api };
  opener.parent = opener;
  const popup = { opener };
  popup.parent = popup;
  assert.equal(S.findApi(popup, "API_1484_11"), api);
  assert.equal(S.findApi(popup, "API"), null);
});
