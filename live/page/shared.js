(function () {
  'use strict';
  var root = document.documentElement;

  // The data comes from session.js beside the page, which sets window.tallyglassSession. A page from
  // disk cannot fetch a file, but it can load a script: a fresh script element every second loads it
  // again, and the page draws only when the data changed, in place, without reloading itself.
  var drawers = [];
  var shownText = null;
  var draws = 0;
  function deliver() {
    var data = window.tallyglassSession;
    if (!data || drawers.length === 0) return;
    var text = JSON.stringify(data);
    if (text === shownText) return;
    shownText = text;
    drawers.forEach(function (draw) { draw(data); });
    draws += 1;
    root.setAttribute('data-draws', String(draws));
  }
  function reload() {
    var script = document.createElement('script');
    script.src = 'session.js?' + Date.now();
    script.onload = function () { script.remove(); root.removeAttribute('data-no-data'); deliver(); };
    // Between two writes of the program, or before it ran: the last drawing stays.
    script.onerror = function () { script.remove(); root.setAttribute('data-no-data', 'yes'); };
    document.head.appendChild(script);
  }
  setInterval(reload, 1000);

  // Small helpers both pages use: every text from the file goes in as text, never as markup.
  window.tallyglass = {
    onData: function (draw) {
      drawers.push(draw);
      shownText = null;
      deliver();
    },
    el: function (tag, className, text) {
      var node = document.createElement(tag);
      if (className) node.className = className;
      if (text !== undefined && text !== null) node.textContent = String(text);
      return node;
    },
    // Replaces the text of a node only when it differs, so nothing is redrawn that did not change.
    setText: function (node, text) {
      text = String(text);
      if (node.textContent !== text) node.textContent = text;
    },
    signed: function (n) { return n > 0 ? '+' + n : n < 0 ? '\u2212' + (-n) : '\u00b10'; },
    streak: function (n) { return n > 0 ? 'W' + n : n < 0 ? 'L' + (-n) : '\u2013'; },
    title: function (name) { return name === '' ? '(no title)' : name; },
    // A band and the points to the next: "Diamond II \u00b7 80 to Champion I"; the top band says so.
    bandText: function (band) {
      return band.name + ' \u00b7 ' + (band.nextName === null ? 'top band' : band.toNext + ' to ' + band.nextName);
    },
    ago: function (seconds, now) {
      var minutes = Math.max(0, Math.floor((now - seconds) / 60));
      if (minutes < 1) return 'just now';
      if (minutes < 60) return minutes + ' min ago';
      var hours = Math.floor(minutes / 60);
      if (hours < 48) return hours + ' h ' + (minutes % 60) + ' min ago';
      return Math.floor(hours / 24) + ' days ago';
    },
  };
})();
