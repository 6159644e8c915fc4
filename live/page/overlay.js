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
    var figures = document.querySelectorAll('#strip .part, #strip .value, #band');
    for (var at = 0; at < figures.length; at += 1) {
      var node = figures[at];
      var box = node.getBoundingClientRect();
      if (box.width === 0) continue; // hidden
      // A figure wider than its box is cut at the box's edge.
      if (box.right > right || box.bottom > bottom || node.scrollWidth > node.clientWidth + 1) return false;
    }
    return true;
  }
  function fit() {
    var size = fullSize;
    // Measured at rest: a figure's bump would make it look wider than it stays.
    document.documentElement.classList.add('fitting');
    document.body.style.fontSize = '';
    while (size > smallestSize && !figuresFit()) {
      size -= 1;
      document.body.style.fontSize = size + 'px';
    }
    document.documentElement.classList.remove('fitting');
  }
  // The view resized (a browser source made smaller) fits the strip again.
  window.addEventListener('resize', fit);

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
  // Once every part holds its figures.
  t.onData(fit);
})();
