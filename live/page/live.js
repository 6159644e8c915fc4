(function () {
  'use strict';
  var t = window.tallyglass;
  var palette = ['#5aa9ff', '#f7b955', '#b483ff', '#3ecf8e', '#ff7eb6', '#4dd4d8', '#ff8f5a', '#a8d45b'];
  var timeOnly = new Intl.DateTimeFormat(undefined, { hour: '2-digit', minute: '2-digit' });
  var numbers = new Intl.NumberFormat();
  var byId = function (id) { return document.getElementById(id); };
  var shown = null;   // the data last drawn
  var chart = null;
  var chartKey = '';
  var newestShown = null;

  function colourOf(index) { return palette[index % palette.length]; }
  function clock(seconds) { return timeOnly.format(new Date(seconds * 1000)); }
  function nowSeconds() { return Math.floor(Date.now() / 1000); }
  function trend(n) { return n > 0 ? 'up' : n < 0 ? 'down' : ''; }
  function setClass(node, className) { if (node.className !== className) node.className = className; }
  function duration(seconds) {
    var minutes = Math.max(0, Math.round(seconds / 60));
    if (minutes < 60) return minutes + ' min';
    return Math.floor(minutes / 60) + ' h ' + (minutes % 60 < 10 ? '0' : '') + (minutes % 60) + ' min';
  }

  function tiles(data) {
    t.setText(byId('wins'), data.wins);
    t.setText(byId('losses'), data.losses);
    t.setText(byId('record-detail'), data.matches === 1 ? '1 match' : data.matches + ' matches');
    var bar = byId('win-rate-bar');
    if (data.winRate === null) {
      t.setText(byId('win-rate'), '\u2013');
      bar.style.width = '0';
      setClass(bar.parentNode, 'rate-bar none');
    } else {
      t.setText(byId('win-rate'), (data.winRate * 100).toFixed(data.winRate === 1 || data.winRate === 0 ? 0 : 1) + '%');
      bar.style.width = (data.winRate * 100) + '%';
      setClass(bar.parentNode, 'rate-bar');
    }
    var streak = byId('streak');
    t.setText(streak, t.streak(data.streak));
    setClass(streak, 'value ' + (data.streak > 0 ? 'up' : data.streak < 0 ? 'down' : ''));
    t.setText(byId('streak-detail'), data.streak > 1 ? data.streak + ' wins in a row' :
      data.streak < -1 ? (-data.streak) + ' losses in a row' : '');
    var change = byId('change');
    var playlist = data.lastPlaylist === null ? null : data.playlists[data.lastPlaylist];
    if (!playlist || playlist.ratingChange === null) {
      t.setText(byId('change-label'), 'Rating change');
      t.setText(change, '\u2013');
      setClass(change, 'value');
      t.setText(byId('change-detail'), playlist ? 'no rating in ' + t.title(playlist.name) : '');
    } else {
      t.setText(byId('change-label'), t.title(playlist.name));
      t.setText(change, t.signed(playlist.ratingChange));
      setClass(change, 'value ' + trend(playlist.ratingChange));
      t.setText(byId('change-detail'), 'rating ' + numbers.format(playlist.rating) + ' \u00b7 from ' + numbers.format(playlist.ratingBefore) +
        (playlist.ratingFromBefore ? ' \u00b7 before the last match' : ''));
    }
  }

  // The session's sums, in the order and with the headings session.json gives.
  function totals(data) {
    var box = byId('totals');
    box.replaceChildren.apply(box, data.totalColumns.map(function (column) {
      var cell = t.el('div', 'total');
      cell.appendChild(t.el('div', 'figure', numbers.format(data.totals[column.key])));
      cell.appendChild(t.el('div', 'name', column.name));
      return cell;
    }));
  }

  function playlistRow(playlist, index, last) {
    var row = t.el('div', 'playlist' + (last ? ' last' : ''));
    var swatch = t.el('div', 'swatch');
    swatch.style.background = colourOf(index);
    row.appendChild(swatch);
    var about = t.el('div');
    var name = t.el('div', 'name', t.title(playlist.name));
    name.title = playlist.name;
    if (playlist.ranked) name.appendChild(t.el('span', 'tag', 'ranked'));
    about.appendChild(name);
    about.appendChild(t.el('div', 'sub', playlist.matches === 1 ? '1 match' : playlist.matches + ' matches'));
    row.appendChild(about);
    var record = t.el('div', 'rec');
    record.appendChild(t.el('span', 'up', playlist.wins));
    record.appendChild(t.el('span', 'sep', '\u2013'));
    record.appendChild(t.el('span', 'down', playlist.losses));
    row.appendChild(record);
    var rating = t.el('div', 'rating');
    if (playlist.rating === null) {
      rating.appendChild(t.el('span', 'sub', 'no rating'));
    } else {
      rating.appendChild(t.el('b', '', numbers.format(playlist.rating)));
      rating.appendChild(t.el('span', 'change ' + trend(playlist.ratingChange), t.signed(playlist.ratingChange)));
    }
    row.appendChild(rating);
    return row;
  }

  function playlists(data) {
    var box = byId('playlists');
    var rows = data.playlists.map(function (playlist, index) { return playlistRow(playlist, index, index === data.lastPlaylist); });
    box.replaceChildren.apply(box, rows);
    if (rows.length === 0) box.appendChild(t.el('p', 'empty-note', 'No match in this session yet.'));
  }

  // Each match's rating change: from the rating before it to the one after it, where both are known.
  function ratingChanges(data) {
    return data.matchList.map(function (match) {
      return match.rating === null || match.ratingAfter === null ? null : match.ratingAfter - match.rating;
    });
  }

  // The figures' headings, from the columns session.json names, before the rating's.
  function matchHeadings(columns) {
    var ratingHeading = byId('rating-after');
    var names = columns.map(function (column) { return column.name; }).join('\n');
    if (ratingHeading.getAttribute('data-columns') === names) return;
    var row = ratingHeading.parentNode;
    while (ratingHeading.previousSibling && ratingHeading.previousSibling.className !== 'text') {
      row.removeChild(ratingHeading.previousSibling);
    }
    columns.forEach(function (column) { row.insertBefore(t.el('th', '', column.name), ratingHeading); });
    ratingHeading.setAttribute('data-columns', names);
  }

  function matchRow(match, columns, change, fresh) {
    var row = t.el('tr', fresh ? 'fresh' : '');
    row.appendChild(t.el('td', 'text time', clock(match.time)));
    var name = t.el('td', 'text playlist-name', t.title(match.playlist));
    name.title = match.playlist;
    row.appendChild(name);
    var result = t.el('td', 'text');
    result.appendChild(t.el('span', 'result ' + (match.win ? 'win' : 'loss'), match.win ? 'W' : 'L'));
    result.appendChild(document.createTextNode(match.myGoals + ' \u2013 ' + match.otherGoals));
    if (match.mvp) result.appendChild(t.el('span', 'mvp', 'MVP'));
    row.appendChild(result);
    columns.forEach(function (column) { row.appendChild(t.el('td', '', match[column.key])); });
    var rating = t.el('td');
    if (match.ratingAfter === null) {
      rating.textContent = '\u2013';
    } else {
      rating.appendChild(document.createTextNode(numbers.format(match.ratingAfter)));
      if (change !== null) rating.appendChild(t.el('span', 'small ' + trend(change), t.signed(change)));
    }
    row.appendChild(rating);
    return row;
  }

  function matches(data) {
    var body = byId('matches').tBodies[0];
    var changes = ratingChanges(data);
    matchHeadings(data.matchColumns);
    var newest = data.matchList.length ? data.matchList[0].time : null;
    var rows = data.matchList.map(function (match, at) {
      return matchRow(match, data.matchColumns, changes[at], shown !== null && newestShown !== null && match.time > newestShown);
    });
    body.replaceChildren.apply(body, rows);
    newestShown = newest;
    byId('matches').hidden = rows.length === 0;
    t.setText(byId('matches-note'), rows.length ? (data.matches > rows.length ? 'The newest ' + rows.length + ' of ' + data.matches + ' matches.' : '') :
      'The matches of the session appear here as they are recorded.');
  }

  // Rating by match of the session: 0 is each playlist's rating before it, each match's point the rating
  // after it; a playlist's last match whose rating after is not known ends at the rating that stands.
  function ratingChart(data) {
    var rated = [];
    data.playlists.forEach(function (playlist, index) { if (playlist.ratingBefore !== null) rated.push(index); });
    var legend = byId('chart-legend');
    var box = byId('chart');
    var note = byId('chart-note');
    if (rated.length === 0 || data.matches === 0 || typeof Dygraph === 'undefined') {
      if (chart) { chart.destroy(); chart = null; chartKey = ''; }
      box.hidden = true;
      legend.replaceChildren();
      t.setText(note, data.matches === 0 ? 'The rating of each playlist appears here as the session goes on.' :
        'No match of this session carries a rating.');
      return;
    }
    box.hidden = false;
    t.setText(note, '');
    var rows = [[0].concat(rated.map(function (index) { return data.playlists[index].ratingBefore; }))];
    var oldestFirst = data.matchList.slice().reverse();
    var offset = data.matches - oldestFirst.length;
    var lastOf = {};
    oldestFirst.forEach(function (match, at) { lastOf[match.playlist] = at; });
    oldestFirst.forEach(function (match, at) {
      var row = [offset + at + 1];
      rated.forEach(function (index) {
        var playlist = data.playlists[index];
        var value = null;
        if (match.playlist === playlist.name) {
          value = match.ratingAfter;
          if (value === null && lastOf[match.playlist] === at && playlist.ratingFromBefore) value = playlist.rating;
        }
        row.push(value);
      });
      rows.push(row);
    });
    var labels = ['Match'].concat(rated.map(function (index) { return 'p' + index; }));
    var colours = rated.map(colourOf);
    legend.replaceChildren.apply(legend, rated.map(function (index) {
      var entry = t.el('span', 'entry');
      var key = t.el('span', 'key');
      key.style.background = colourOf(index);
      entry.appendChild(key);
      entry.appendChild(document.createTextNode(t.title(data.playlists[index].name)));
      return entry;
    }));
    var options = {
      labels: labels,
      colors: colours,
      connectSeparatedPoints: true,
      drawPoints: true,
      pointSize: 3,
      strokeWidth: 2,
      legend: 'never',
      gridLineColor: '#26303c',
      axisLineColor: '#3a4553',
      axes: {
        x: { drawGrid: false, pixelsPerLabel: 40, valueFormatter: function (x) { return 'match ' + x; },
             axisLabelFormatter: function (x) { return Number.isInteger(x) ? String(x) : ''; } },
        y: { axisLabelWidth: 56 },
      },
      includeZero: false,
      xRangePad: 12,
      yRangePad: 12,
      interactionModel: {},
    };
    var key = labels.join('|');
    if (chart && key === chartKey) {
      chart.updateOptions({ file: rows, colors: colours });
    } else {
      if (chart) chart.destroy();
      chart = new Dygraph(box, rows, options);
      chartKey = key;
    }
  }

  function header(data) {
    var when = byId('when');
    var now = nowSeconds();
    var parts = [];
    if (data.sessionStart !== null) {
      parts.push('since ' + clock(data.sessionStart) + ' \u00b7 ' + duration(data.lastMatch.time - data.sessionStart));
      parts.push('last match ' + t.ago(data.lastMatch.time, now));
    } else if (data.newestMatch !== null) {
      parts.push('last match ' + t.ago(data.newestMatch, now) + ' \u00b7 a new session starts with the next one');
    } else {
      parts.push('no match yet');
    }
    t.setText(when, parts.join(' \u00b7 '));
    var status = byId('status');
    status.hidden = data.status === null;
    t.setText(status, data.status === null ? '' : data.status);
    var footer = (data.file === null ? 'No stats file yet' : 'From ' + data.file) + ' \u00b7 a break of more than ' + data.sessionGapMinutes + ' min starts a new session';
    if (data.sinceStart !== null) footer += ' \u00b7 matches since ' + clock(data.sinceStart);
    if (data.skippedLines > 0) footer += ' \u00b7 ' + data.skippedLines + (data.skippedLines === 1 ? ' line' : ' lines') + ' of the file skipped';
    t.setText(byId('footer'), footer);
  }

  function draw(data) {
    tiles(data);
    totals(data);
    header(data);
    playlists(data);
    matches(data);
    ratingChart(data);
    shown = data;
    document.documentElement.setAttribute('data-matches', String(data.matches));
  }

  t.onData(draw);
  // The band of the last match's playlist by the player's bands (--bands), and the points to the next.
  t.onData(function (data) {
    var playlist = data.lastPlaylist === null ? null : data.playlists[data.lastPlaylist];
    var node = byId('band-detail');
    node.hidden = !playlist || !playlist.band;
    t.setText(node, node.hidden ? '' : t.bandText(playlist.band));
  });
  // The relative times move on by themselves.
  setInterval(function () { if (shown) header(shown); }, 15000);
})();
