(function () {
  'use strict';
  var data = JSON.parse(document.getElementById('summary').textContent);
  var root = document.documentElement;
  var palette = ['#5aa9ff', '#f7b955', '#b483ff', '#3ecf8e', '#ff7eb6', '#4dd4d8', '#ff8f5a', '#a8d45b',
                 '#8fa2ff', '#e0d45a'];
  var formColours = ['#5aa9ff', '#f7b955', '#b483ff', '#3ecf8e', '#ff7eb6'];
  var formLabels = ['Points', 'Goals', 'Assists', 'Saves', 'Shots'];
  var numbers = new Intl.NumberFormat();
  var dateTime = new Intl.DateTimeFormat(undefined, { dateStyle: 'medium', timeStyle: 'short' });
  var dateOnly = new Intl.DateTimeFormat(undefined, { dateStyle: 'medium' });
  var weekdayDate = new Intl.DateTimeFormat(undefined, { weekday: 'short', day: 'numeric', month: 'short', year: 'numeric' });
  var timeOnly = new Intl.DateTimeFormat(undefined, { timeStyle: 'short' });

  // --- small helpers: every text from the file goes into the page as text, never as markup ---
  function el(tag, className, text) {
    var node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined && text !== null) node.textContent = String(text);
    return node;
  }
  function escapeHtml(text) {
    return String(text).replace(/[&<>"']/g, function (c) {
      return { '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;', "'": '&#39;' }[c];
    });
  }
  function date(seconds) { return new Date(seconds * 1000); }
  function percent(share) { return share === null ? '\u2013' : (share * 100).toFixed(1) + '%'; }
  function signed(n) { return n > 0 ? '+' + numbers.format(n) : n < 0 ? '\u2212' + numbers.format(-n) : '\u00b10'; }
  function trend(n) { return n > 0 ? 'up' : n < 0 ? 'down' : ''; }
  function streak(n) { return n > 0 ? n + 'W' : n < 0 ? (-n) + 'L' : '\u2013'; }
  function fixed(n, digits) { return Number(n).toFixed(digits); }
  function duration(seconds) {
    var minutes = Math.round(seconds / 60);
    if (minutes < 60) return minutes + ' min';
    return Math.floor(minutes / 60) + ' h ' + (minutes % 60 < 10 ? '0' : '') + (minutes % 60) + ' min';
  }
  function playlistColour(index) { return palette[index % palette.length]; }
  function displayName(name) { return name === '' ? '(no title)' : name; }

  // --- headline ---
  function tile(label, value, detail, valueClass) {
    var node = el('div', 'tile');
    node.appendChild(el('div', 'label', label));
    node.appendChild(el('div', 'value' + (valueClass ? ' ' + valueClass : ''), value));
    if (detail) node.appendChild(el('div', 'detail', detail));
    return node;
  }
  function ratingTile(playlist, index) {
    var node = el('div', 'tile rating');
    node.style.setProperty('--series', playlistColour(index));
    node.appendChild(el('div', 'label', displayName(playlist.name)));
    node.appendChild(el('div', 'value', numbers.format(playlist.currentRating)));
    var detail = el('div', 'detail');
    [['7 d', playlist.ratingChange7Days], ['30 d', playlist.ratingChange30Days]].forEach(function (pair) {
      var part = el('span', 'change');
      part.appendChild(document.createTextNode(pair[0] + ' '));
      part.appendChild(el('span', trend(pair[1]), signed(pair[1])));
      detail.appendChild(part);
    });
    node.appendChild(detail);
    node.title = playlist.name;
    return node;
  }
  function headline() {
    var tiles = document.getElementById('tiles');
    var span = data.matches ? dateOnly.format(date(data.firstMatch)) + ' \u2013 ' + dateOnly.format(date(data.lastMatch)) : 'no matches yet';
    var days = data.matches ? Math.max(1, Math.round((data.lastMatch - data.firstMatch) / 86400)) : 0;
    tiles.appendChild(tile('Matches', numbers.format(data.matches), numbers.format(data.sessionCount) + ' sessions'));
    var record = tile('Wins \u2013 losses', '', 'best run ' + data.bestWinStreak + ' wins');
    var value = record.querySelector('.value');
    value.className += ' compact';
    value.appendChild(el('span', 'up', numbers.format(data.wins)));
    value.appendChild(el('span', 'dash', '\u2009\u2013\u2009'));
    value.appendChild(el('span', 'down', numbers.format(data.losses)));
    tiles.appendChild(record);
    tiles.appendChild(tile('Win rate', percent(data.winRate), 'current streak ' + streak(data.currentStreak),
                           data.winRate === null ? '' : data.winRate >= 0.5 ? 'up' : 'down'));
    tiles.appendChild(tile('Span', days + (days === 1 ? ' day' : ' days'), span));
    data.playlists.forEach(function (playlist, index) {
      if (playlist.ranked && playlist.currentRating !== null) tiles.appendChild(ratingTile(playlist, index));
    });
    document.getElementById('subtitle').textContent = data.file + ' \u00b7 ' + span;
    document.title = 'Tallyglass \u2013 ' + data.file;
  }

  // --- tables ---
  function table(id, headings, rows) {
    var node = document.getElementById(id);
    var head = el('thead');
    var headRow = el('tr');
    headings.forEach(function (text) {
      var left = text.charAt(0) === '<';
      headRow.appendChild(el('th', left ? 'text' : null, left ? text.slice(1) : text));
    });
    head.appendChild(headRow);
    node.appendChild(head);
    var body = el('tbody');
    rows.forEach(function (row) { body.appendChild(row); });
    node.appendChild(body);
  }
  function cell(text, className) { return el('td', className, text); }

  function playlistsTable() {
    var rows = data.playlists.map(function (p, index) {
      var row = el('tr');
      var name = el('td', 'name');
      var dot = el('span', 'dot');
      dot.style.background = playlistColour(index);
      name.appendChild(dot);
      name.appendChild(document.createTextNode(displayName(p.name)));
      if (p.ranked) name.appendChild(el('span', 'tag', 'ranked'));
      name.title = p.name;
      row.appendChild(name);
      row.appendChild(cell(numbers.format(p.matches)));
      row.appendChild(cell(numbers.format(p.wins) + ' \u2013 ' + numbers.format(p.losses)));
      var rate = cell(percent(p.winRate));
      var bar = el('span', 'bar');
      var fill = el('i');
      fill.style.width = (p.winRate * 100).toFixed(1) + '%';
      bar.appendChild(fill);
      rate.appendChild(bar);
      row.appendChild(rate);
      row.appendChild(cell(p.currentRating === null ? '\u2013' : numbers.format(p.currentRating)));
      row.appendChild(cell(p.bestWinStreak));
      row.appendChild(cell(streak(p.currentStreak), trend(p.currentStreak)));
      ['points', 'goals', 'assists', 'saves', 'shots', 'demos'].forEach(function (key) {
        row.appendChild(cell(fixed(p.averages[key], key === 'points' ? 0 : 2)));
      });
      row.appendChild(cell(percent(p.mvpRate)));
      row.appendChild(cell(dateOnly.format(date(p.lastPlayed))));
      return row;
    });
    table('playlists', ['Playlist', 'Matches', 'W \u2013 L', 'Win rate', 'Rating', 'Best run', 'Streak',
                        'Points', 'Goals', 'Assists', 'Saves', 'Shots', 'Demos', 'MVP', 'Last played'], rows);
  }

  function sessionsTable() {
    var rows = data.sessions.map(function (s) {
      var row = el('tr');
      row.appendChild(cell(weekdayDate.format(date(s.start))));
      row.appendChild(cell(timeOnly.format(date(s.start)) + ' \u2013 ' + timeOnly.format(date(s.end))));
      row.appendChild(cell(duration(s.end - s.start)));
      row.appendChild(cell(s.matches));
      var record = cell('');
      record.appendChild(el('span', 'up', s.wins));
      record.appendChild(document.createTextNode(' \u2013 '));
      record.appendChild(el('span', 'down', s.losses));
      row.appendChild(record);
      var changes = cell('', 'text');
      Object.keys(s.ratingChange).forEach(function (name) {
        var part = el('span', 'change');
        part.appendChild(document.createTextNode(displayName(name) + ' '));
        part.appendChild(el('span', trend(s.ratingChange[name]), signed(s.ratingChange[name])));
        changes.appendChild(part);
      });
      row.appendChild(changes);
      row.appendChild(cell(fixed(s.averagePoints, 0)));
      return row;
    });
    table('sessions', ['Date', 'Time', 'Length', 'Matches', 'W \u2013 L', '<Rating change', 'Avg points'], rows);
    document.getElementById('sessions-hint').textContent = data.sessionCount > data.sessions.length
      ? 'the latest ' + data.sessions.length + ' of ' + numbers.format(data.sessionCount) + ' \u00b7 a break of more than 30 minutes starts a new session'
      : 'a break of more than 30 minutes starts a new session';
  }

  function skippedTable() {
    var note = document.getElementById('skipped-note');
    if (data.skippedCount === 0) {
      note.textContent = 'Every line of the file was read.';
      return;
    }
    note.textContent = numbers.format(data.skippedCount) + (data.skippedCount === 1 ? ' line was' : ' lines were') +
      ' not read as a match' + (data.skippedCount > data.skipped.length ? '; the first ' + data.skipped.length + ' are listed.' : '.') +
      ' Line numbers count the header as line 1.';
    table('skipped', ['Line', '<Why'], data.skipped.map(function (s) {
      var row = el('tr');
      row.appendChild(cell(s.line));
      row.appendChild(cell(s.reason, 'text'));
      return row;
    }));
  }

  // --- charts (Dygraphs) ---
  var pendingCharts = 0;
  function chartDrawn() {
    pendingCharts -= 1;
    if (pendingCharts === 0) markDrawn();
  }
  function markDrawn() {
    root.setAttribute('data-draw-ms', String(Math.round(performance.now()))); // since the page began to load
    root.setAttribute('data-drawn', 'yes');
  }

  // Rows sorted by time; values at the same moment share a row.
  function mergeRows(events, width) {
    events.sort(function (a, b) { return a[0] - b[0]; });
    var rows = [];
    events.forEach(function (event) {
      var last = rows[rows.length - 1];
      if (!last || last[0].getTime() !== event[0] * 1000) {
        last = [date(event[0])];
        for (var i = 0; i < width; i += 1) last.push(null);
        rows.push(last);
      }
      last[event[1] + 1] = event[2];
    });
    return rows;
  }

  function legendFormatter(names, colours) {
    return function (legend) {
      var html = legend.x === undefined || legend.x === null ? '' : '<span class="when">' + escapeHtml(dateTime.format(new Date(legend.x))) + '</span>';
      legend.series.forEach(function (series, index) {
        var value = legend.x === undefined || legend.x === null || series.y === undefined || series.y === null || isNaN(series.y)
          ? '' : ' <b>' + escapeHtml(Number(series.y).toLocaleString(undefined, { maximumFractionDigits: 2 })) + '</b>';
        html += '<span class="entry"><span class="swatch" style="background:' + colours[index] + '"></span>' +
          escapeHtml(names[index]) + value + '</span>';
      });
      return html;
    };
  }

  var axisStyle = {
    axisLineColor: '#3a4654',
    gridLineColor: '#26303c',
    axisLabelFontSize: 12,
  };
  // Both charts zoom through the strip below them, drawn alike.
  var rangeSelectorStyle = {
    showRangeSelector: true,
    rangeSelectorHeight: 34,
    rangeSelectorPlotFillColor: '#2b4a6b',
    rangeSelectorPlotStrokeColor: '#5aa9ff',
    rangeSelectorBackgroundStrokeColor: '#3a4654',
    rangeSelectorForegroundStrokeColor: '#8b97a6',
  };

  function options(extra) {
    var result = {};
    [axisStyle, rangeSelectorStyle, extra].forEach(function (source) {
      Object.keys(source).forEach(function (key) { result[key] = source[key]; });
    });
    return result;
  }

  function ratingChart() {
    var charts = data.charts;
    var seriesOf = {};
    var names = [];
    var colours = [];
    function series(playlist) {
      if (seriesOf[playlist] === undefined) {
        seriesOf[playlist] = names.length;
        names.push(displayName(data.playlists[playlist].name));
        colours.push(playlistColour(playlist));
      }
      return seriesOf[playlist];
    }
    // Used playlists in table order, so colours match the tiles and the table.
    var used = {};
    charts.ratingBuckets.forEach(function (b) { used[b[1]] = true; });
    charts.ratingPoints.forEach(function (p) { used[p[1]] = true; });
    Object.keys(used).map(Number).sort(function (a, b) { return a - b; }).forEach(series);
    var note = document.getElementById('rating-note');
    if (names.length === 0) {
      document.getElementById('rating-chart').style.display = 'none';
      note.textContent = 'No match in the file carries a rating yet.';
      return;
    }
    var events = [];
    var reducedEnd = charts.ratingPoints.length ? charts.ratingPoints[0][0] : Infinity;
    charts.ratingBuckets.forEach(function (b) {
      var s = series(b[1]);
      var end = Math.min(b[0] + charts.bucketSeconds - 1, reducedEnd - 1);
      events.push([b[0], s, [b[4], b[2], b[5]]]);
      if (end > b[0]) events.push([end, s, [b[4], b[3], b[5]]]);
    });
    charts.ratingPoints.forEach(function (p) { events.push([p[0], series(p[1]), [p[2], p[2], p[2]]]); });
    if (charts.ratingBuckets.length) {
      note.textContent = 'Before ' + dateOnly.format(date(reducedEnd === Infinity ? data.lastMatch : reducedEnd)) +
        ' each ' + (charts.bucketSeconds === 86400 ? 'day' : 'period of ' + Math.round(charts.bucketSeconds / 86400) + ' days') +
        ' is drawn as its first and last rating, with the band from its lowest to its highest.';
    }
    var labels = ['Time'].concat(names.map(function (_, i) { return 's' + i; }));
    pendingCharts += 1;
    new Dygraph(document.getElementById('rating-chart'), mergeRows(events, names.length), options({
      labels: labels,
      colors: colours,
      customBars: true,
      connectSeparatedPoints: true,
      strokeWidth: 1.6,
      drawPoints: events.length < 400,
      pointSize: 2,
      highlightCircleSize: 4,
      legend: 'always',
      labelsDiv: document.getElementById('rating-legend'),
      legendFormatter: legendFormatter(names, colours),
      axes: { y: { axisLabelWidth: 56 } },
      drawCallback: function (graph, initial) { if (initial) chartDrawn(); },
    }));
  }

  function formChart() {
    var charts = data.charts;
    document.getElementById('form-hint').textContent = 'average of the last ' + charts.formWindow +
      ' matches \u00b7 points on the right axis \u00b7 the latest six weeks; drag the range below for more';
    var rows = charts.formBuckets.concat(charts.formPoints).map(function (point) {
      return [date(point[0])].concat(point.slice(1));
    });
    rows.sort(function (a, b) { return a[0] - b[0]; });
    if (rows.length === 0) {
      document.getElementById('form-panel').style.display = 'none';
      return;
    }
    var labels = ['Time'].concat(formLabels);
    // The latest weeks at first: a year of rolling averages at once is a blur; the range below widens it.
    var newest = rows[rows.length - 1][0].getTime();
    var range = [Math.max(rows[0][0].getTime(), newest - 42 * 86400 * 1000), newest];
    pendingCharts += 1;
    new Dygraph(document.getElementById('form-chart'), rows, options({
      labels: labels,
      colors: formColours,
      strokeWidth: 1.4,
      highlightCircleSize: 3,
      legend: 'always',
      labelsDiv: document.getElementById('form-legend'),
      legendFormatter: legendFormatter(formLabels, formColours),
      series: { Points: { axis: 'y2' } },
      dateWindow: range[0] < range[1] ? range : null,
      axes: { y: { axisLabelWidth: 40 }, y2: { axisLabelWidth: 48, drawGrid: false, independentTicks: true } },
      drawCallback: function (graph, initial) { if (initial) chartDrawn(); },
    }));
  }

  headline();
  playlistsTable();
  sessionsTable();
  skippedTable();
  document.getElementById('footer').textContent = 'Made by tallyglass-report from ' + data.file +
    ' \u00b7 report time ' + dateTime.format(date(data.now)) + ' \u00b7 times in your local time zone';
  pendingCharts += 1; // held until both charts are set up
  ratingChart();
  formChart();
  chartDrawn();
})();
