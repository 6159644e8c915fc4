(function () {
  'use strict';
  var t = window.tallyglass;
  var byId = function (id) { return document.getElementById(id); };

  // Sets a figure's text; one that changed is briefly highlighted.
  function figure(node, text, className) {
    text = String(text);
    if (className !== undefined && node.className.replace(/ ?bump/, '') !== className) node.className = className;
    if (node.textContent === text) return;
    node.textContent = text;
    node.classList.remove('bump');
    void node.offsetWidth; // restarts the animation
    node.classList.add('bump');
  }

  // The strip fits the view whole: the title gives way first (by the style); where even the figures
  // alone are wider or taller than the view, the type is made smaller until they fit.
  var fullSize = 30;
  var smallestSize = 12;
  function figuresFit() {
    var view = document.documentElement;
    var right = view.clientWidth;
    var bottom = view.clientHeight;
    var parts = document.querySelectorAll('#strip .part');
    for (var at = 0; at < parts.length; at += 1) {
      var part = parts[at];
      if (part.hidden) continue;
      var box = part.getBoundingClientRect();
      // A figure wider than its part shows past the part's edge.
      if (box.right > right || box.bottom > bottom || part.scrollWidth > part.clientWidth + 1) return false;
    }
    return true;
  }
  function fit() {
    var size = fullSize;
    document.body.style.fontSize = '';
    while (size > smallestSize && !figuresFit()) {
      size -= 1;
      document.body.style.fontSize = size + 'px';
    }
  }
  // Any part changing its size (a figure drawn, a part shown) or the view resized fits the strip again.
  if (typeof ResizeObserver === 'function') {
    var observer = new ResizeObserver(function () { window.requestAnimationFrame(fit); });
    observer.observe(document.documentElement);
    observer.observe(byId('strip'));
    Array.prototype.forEach.call(document.querySelectorAll('#strip .part, #strip .value'), function (node) { observer.observe(node); });
  }

  function draw(data) {
    figure(byId('wins'), data.wins);
    figure(byId('losses'), data.losses);
    figure(byId('streak'), t.streak(data.streak), 'value' + (data.streak > 0 ? ' up' : data.streak < 0 ? ' down' : ''));
    var playlist = data.lastPlaylist === null ? null : data.playlists[data.lastPlaylist];
    var part = byId('rating-part');
    part.hidden = !playlist || playlist.rating === null;
    if (!part.hidden) {
      t.setText(byId('playlist'), t.title(playlist.name));
      figure(byId('rating'), playlist.rating);
      figure(byId('change'), t.signed(playlist.ratingChange),
             'change' + (playlist.ratingChange > 0 ? ' up' : playlist.ratingChange < 0 ? ' down' : ''));
    }
    fit();
    document.documentElement.setAttribute('data-matches', String(data.matches));
  }

  t.onData(draw);
  // The band of the last match's playlist by the player's bands (--bands), under its rating.
  t.onData(function (data) {
    var playlist = data.lastPlaylist === null ? null : data.playlists[data.lastPlaylist];
    var node = byId('band');
    node.hidden = !playlist || !playlist.band;
    t.setText(node, node.hidden ? '' : playlist.band.name + ' \u00b7 ' +
      (playlist.band.nextName === null ? 'top band' : playlist.band.toNext + ' to go'));
  });
})();
