// The browser player goes here. Until then this only takes the data files' queued values, so a
// published folder can be checked for loading without script errors.
window.QuorvelData = window.QuorvelData || {_q: []};
(function (data) {
  var queue = data._q || [];
  data.received = {list: null, search: null, pages: {}};
  data.list = function (v) { data.received.list = v; };
  data.search = function (v) { data.received.search = v; };
  data.page = function (n, v) { data.received.pages[n] = v; };
  queue.forEach(function (call) { data[call[0]].apply(null, call.slice(1)); });
  data._q = [];
  var list = data.received.list;
  document.getElementById('player').textContent = list ? list.title + ': ' + list.topics.length + ' Topics' : 'no list';
})(window.QuorvelData);
