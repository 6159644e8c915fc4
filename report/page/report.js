(function () {
  'use strict';
  var data = JSON.parse(document.getElementById('summary').textContent);
  var root = document.documentElement;
  var palette = ['#5aa9ff', '#f7b955', '#b483ff', '#3ecf8e', '#ff7eb6', '#4dd4d8', '#ff8f5a', '#a8d45b',
                 '#8fa2ff', '#e0d45a'];
  var formColours = ['#5aa9ff', '#f7b955', '#b483ff', '#3ecf8e', '#ff7eb6'];
  // The form chart's series are named as the stats file's header names their columns.
  var formLabels = data.charts.formStatistics.map(function (key) {
    return data.averagedColumns.filter(function (column) { return column.key === key; })[0].name;
  });
  // Figures are written by the console's rule (report/FigureText.h): whole numbers grouped by
  // thousands with commas, fractions rounded half away from zero from the exact fraction of whole numbers.
  var numbers = new Intl.NumberFormat('en-US');
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
  // numerator / denominator with `decimals` decimals; both whole numbers, so no binary fraction
  // decides a tie.
  function ratioText(numerator, denominator, decimals) {
    var scale = Math.pow(10, decimals);
    var units = Math.floor((2 * Math.abs(numerator) * scale + denominator) / (2 * denominator));
    var text = numbers.format(Math.floor(units / scale));
    if (decimals > 0) {
      var fraction = String(units % scale);
      while (fraction.length < decimals) fraction = '0' + fraction;
      text += '.' + fraction;
    }
    return (numerator < 0 && units > 0 ? '-' : '') + text;
  }
  function percentOf(part, whole) { return whole ? ratioText(part * 100, whole, 1) + '%' : '\u2013'; }
  // The JSON carries shares and averages; their whole-number parts come back exactly from them.
  function shareText(share, whole) { return share === null ? '\u2013' : percentOf(Math.round(share * whole), whole); }
  function averageText(average, count, decimals) { return ratioText(Math.round(average * count), count, decimals); }
  function counted(n, one, many) { return numbers.format(n) + ' ' + (n === 1 ? one : many); }
  function signed(n) { return n > 0 ? '+' + numbers.format(n) : n < 0 ? '\u2212' + numbers.format(-n) : '\u00b10'; }
  function trend(n) { return n > 0 ? 'up' : n < 0 ? 'down' : ''; }
  function streak(n) { return n > 0 ? n + 'W' : n < 0 ? (-n) + 'L' : '\u2013'; }
  function duration(seconds) {
    var minutes = Math.round(seconds / 60);
    if (minutes < 60) return minutes + ' min';
    return Math.floor(minutes / 60) + ' h ' + (minutes % 60 < 10 ? '0' : '') + (minutes % 60) + ' min';
  }
  function playlistColour(index) { return palette[index % palette.length]; }
  function displayName(name) { return name === '' ? '(no title)' : name; }
  // A current rating that is the one before the playlist's last match: no rating after it is known.
  var fromBeforeText = 'before the last match';

  // --- the period shown: the whole history, or the last 365, 90, 30 or 7 days (the switch above the
  // tiles, or #days=30 in the address, beside #by-match or #by-date: "#by-date&days=30") ---
  var addressParts = location.hash.replace(/^#/, '').split('&');
  var shownDays = null;
  addressParts.forEach(function (part) {
    var days = /^days=(\d+)$/.exec(part);
    if (days && data.periods.some(function (p) { return p.days === Number(days[1]); })) shownDays = Number(days[1]);
  });
  function shownPeriod() {
    return shownDays === null ? null : data.periods.filter(function (p) { return p.days === shownDays; })[0];
  }
  function periodStart() { return data.now - shownDays * 86400; }
  // A playlist's figures in the period shown; null when it has no match in it.
  function inPeriod(name) {
    return shownPeriod().playlists.filter(function (p) { return p.name === name; })[0] || null;
  }

  // --- bands: the player's own table (--bands FILE) ---
  function bandText(band) {
    if (band.nextName === null) return band.name + ' \u00b7 top band';
    return band.name + ' \u00b7 ' + numbers.format(band.toNext) + ' to ' + band.nextName;
  }

  // --- headline ---
  function tile(label, value, detail, valueClass) {
    var node = el('div', 'tile');
    node.appendChild(el('div', 'label', label));
    node.appendChild(el('div', 'value' + (valueClass ? ' ' + valueClass : ''), value));
    if (detail) node.appendChild(el('div', 'detail', detail));
    return node;
  }
  function changePart(label, change) {
    var part = el('span', 'change');
    part.appendChild(document.createTextNode(label + ' '));
    part.appendChild(el('span', trend(change), signed(change)));
    return part;
  }
  function ratingTile(playlist, index) {
    var node = el('div', 'tile rating');
    node.style.setProperty('--series', playlistColour(index));
    node.appendChild(el('div', 'label', displayName(playlist.name)));
    node.appendChild(el('div', 'value', numbers.format(playlist.currentRating)));
    var detail = el('div', 'detail');
    if (shownDays === null) {
      detail.appendChild(changePart('7 d', playlist.ratingChange7Days));
      detail.appendChild(changePart('30 d', playlist.ratingChange30Days));
      node.appendChild(detail);
      node.appendChild(el('div', 'detail', 'peak ' + numbers.format(playlist.peakRating)));
    } else {
      var period = inPeriod(playlist.name);
      detail.appendChild(changePart(shownDays + ' d', period ? period.ratingChange : 0));
      node.appendChild(detail);
      node.appendChild(el('div', 'detail', period === null ? 'no match in those days'
        : period.peakRating === null ? 'no rating in those days' : 'peak ' + numbers.format(period.peakRating)));
    }
    if (playlist.band) {
      var band = el('div', 'detail band', playlist.band.name + ' \u00b7 ' +
        (playlist.band.nextName === null ? 'top band' : numbers.format(playlist.band.toNext) + ' to go'));
      band.title = bandText(playlist.band);
      node.appendChild(band);
    }
    if (playlist.currentRatingFromBefore) node.appendChild(el('div', 'detail', fromBeforeText));
    node.title = playlist.name + (playlist.band ? ' \u00b7 ' + bandText(playlist.band) : '');
    return node;
  }
  // Calendar days from the first match's to the last match's, both counted, in local time.
  function daysPlayed() {
    var first = date(data.firstMatch);
    var last = date(data.lastMatch);
    var firstDay = Date.UTC(first.getFullYear(), first.getMonth(), first.getDate());
    var lastDay = Date.UTC(last.getFullYear(), last.getMonth(), last.getDate());
    return Math.round((lastDay - firstDay) / 86400000) + 1;
  }
  function recordTile(wins, losses, detail) {
    var record = tile('Wins \u2013 losses', '', detail);
    var value = record.querySelector('.value');
    value.className += ' compact';
    value.appendChild(el('span', 'up', numbers.format(wins)));
    value.appendChild(el('span', 'dash', '\u2009\u2013\u2009'));
    value.appendChild(el('span', 'down', numbers.format(losses)));
    return record;
  }
  function rateClass(wins, matches) { return matches === 0 ? '' : 2 * wins >= matches ? 'up' : 'down'; }
  function headline() {
    var tiles = document.getElementById('tiles');
    tiles.replaceChildren();
    var period = shownPeriod();
    if (period === null) {
      var span = data.matches ? dateOnly.format(date(data.firstMatch)) + ' \u2013 ' + dateOnly.format(date(data.lastMatch)) : 'no matches yet';
      tiles.appendChild(tile('Matches', numbers.format(data.matches), counted(data.sessionCount, 'session', 'sessions')));
      tiles.appendChild(recordTile(data.wins, data.losses, 'best run ' + counted(data.bestWinStreak, 'win', 'wins')));
      tiles.appendChild(tile('Win rate', percentOf(data.wins, data.matches), 'current streak ' + streak(data.currentStreak),
                             rateClass(data.wins, data.matches)));
      tiles.appendChild(tile('Span', data.matches ? counted(daysPlayed(), 'day', 'days') : '\u2013', span));
    } else {
      var since = 'since ' + dateTime.format(date(periodStart()));
      tiles.appendChild(tile('Matches', numbers.format(period.matches), 'in the last ' + counted(period.days, 'day', 'days')));
      tiles.appendChild(recordTile(period.wins, period.losses, counted(period.playlists.length, 'playlist', 'playlists') + ' played'));
      tiles.appendChild(tile('Win rate', percentOf(period.wins, period.matches), since, rateClass(period.wins, period.matches)));
      tiles.appendChild(tile('Period', counted(period.days, 'day', 'days'),
                             dateOnly.format(date(periodStart())) + ' \u2013 ' + dateOnly.format(date(data.now))));
    }
    data.playlists.forEach(function (playlist, index) {
      if (playlist.ranked && playlist.currentRating !== null) tiles.appendChild(ratingTile(playlist, index));
    });
  }
  function titles() {
    var span = data.matches ? dateOnly.format(date(data.firstMatch)) + ' \u2013 ' + dateOnly.format(date(data.lastMatch)) : 'no matches yet';
    document.getElementById('subtitle').textContent = data.file + ' \u00b7 ' + span;
    document.title = 'Tallyglass \u2013 ' + data.file;
    if (data.outOfPlace > 0) {
      // The console's sentence, word for word.
      document.getElementById('order-note').textContent = 'The lines are not in time order: ' +
        counted(data.outOfPlace, 'match is', 'matches are') + ' out of place (each earlier than a match on a line above it; ' +
        'the first on line ' + numbers.format(data.firstOutOfPlaceLine) + '). Every figure is worked out in time order.';
    }
  }

  // --- tables ---
  function table(id, headings, rows) {
    var node = document.getElementById(id);
    node.replaceChildren();
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

  function nameCell(p, index) {
    var name = el('td', 'name');
    var dot = el('span', 'dot');
    dot.style.background = playlistColour(index);
    name.appendChild(dot);
    name.appendChild(document.createTextNode(displayName(p.name)));
    if (p.ranked) name.appendChild(el('span', 'tag', 'ranked'));
    name.title = p.name;
    return name;
  }
  function recordCells(row, matches, wins, losses) {
    row.appendChild(cell(numbers.format(matches)));
    row.appendChild(cell(numbers.format(wins) + ' \u2013 ' + numbers.format(losses)));
    var rate = cell(percentOf(wins, matches));
    var bar = el('span', 'bar');
    var fill = el('i');
    fill.style.width = (matches ? wins / matches * 100 : 0).toFixed(1) + '%';
    bar.appendChild(fill);
    rate.appendChild(bar);
    row.appendChild(rate);
  }
  function ratingCell(p) {
    var rating = cell(p.currentRating === null ? '\u2013' : numbers.format(p.currentRating));
    if (p.currentRatingFromBefore) {
      rating.appendChild(el('span', 'mark', '*'));
      rating.title = fromBeforeText;
    }
    return rating;
  }
  function peakCell(peak, time) {
    var node = cell(peak === null ? '\u2013' : numbers.format(peak));
    if (peak !== null && time !== undefined) node.title = 'reached ' + dateTime.format(date(time));
    return node;
  }
  function bandCell(band) {
    if (!band) return cell('\u2013', 'text');
    // The band's name over the distance to the next, so that the column stays as narrow as a name.
    var node = cell(band.name, 'text band');
    node.appendChild(el('span', 'mark below', band.nextName === null ? 'top band' : numbers.format(band.toNext) + ' to go'));
    node.title = bandText(band);
    return node;
  }

  function playlistsTable() {
    var anyBand = data.playlists.some(function (p) { return p.band !== null; });
    var period = shownPeriod();
    var bandHeadings = anyBand ? ['<Band'] : [];
    var rows = [];
    if (period === null) {
      rows = data.playlists.map(function (p, index) {
        var row = el('tr');
        row.appendChild(nameCell(p, index));
        recordCells(row, p.matches, p.wins, p.losses);
        row.appendChild(ratingCell(p));
        row.appendChild(peakCell(p.peakRating, p.peakRatingTime));
        if (anyBand) row.appendChild(bandCell(p.band));
        row.appendChild(cell(numbers.format(p.bestWinStreak)));
        row.appendChild(cell(streak(p.currentStreak), trend(p.currentStreak)));
        data.averagedColumns.forEach(function (column) {
          row.appendChild(cell(averageText(p.averages[column.key], p.matches, column.key === 'points' ? 0 : 2)));
        });
        row.appendChild(cell(shareText(p.mvpRate, p.matches)));
        row.appendChild(cell(dateOnly.format(date(p.lastPlayed))));
        return row;
      });
      var averagedNames = data.averagedColumns.map(function (column) { return column.name; });
      table('playlists', ['Playlist', 'Matches', 'W \u2013 L', 'Win rate', 'Rating', 'Peak'].concat(bandHeadings,
        ['Best run', 'Streak'], averagedNames, ['MVP', 'Last played']), rows);
    } else {
      data.playlists.forEach(function (p, index) {
        var figures = inPeriod(p.name);
        if (figures === null) return;
        var row = el('tr');
        row.appendChild(nameCell(p, index));
        recordCells(row, figures.matches, figures.wins, figures.losses);
        row.appendChild(ratingCell(p));
        row.appendChild(cell(figures.ratingChange === null ? '\u2013' : signed(figures.ratingChange), trend(figures.ratingChange)));
        row.appendChild(peakCell(figures.peakRating));
        if (anyBand) row.appendChild(bandCell(p.band));
        row.appendChild(cell(dateOnly.format(date(p.lastPlayed))));
        rows.push(row);
      });
      table('playlists', ['Playlist', 'Matches', 'W \u2013 L', 'Win rate', 'Rating', 'Change', 'Peak'].concat(bandHeadings,
        ['Last played']), rows);
    }
    var notes = [];
    if (period !== null) {
      notes.push(period.matches === 0 ? 'No match in the last ' + counted(period.days, 'day', 'days') + '.'
        : 'The last ' + counted(period.days, 'day', 'days') + ': the change is the current rating minus the rating as it stood ' +
          dateTime.format(date(periodStart())) + '; the peak, the highest rating before or after a match of those days.');
    }
    if (data.playlists.some(function (p) { return p.currentRatingFromBefore; }))
      notes.push('* the rating ' + fromBeforeText +
        ': the file holds no rating after it (a file from before Tallyglass kept it, or the rating came too late).');
    document.getElementById('playlists-note').textContent = notes.join(' ');
  }

  function sessionsTable() {
    var rows = data.sessions.map(function (s) {
      var row = el('tr');
      row.appendChild(cell(weekdayDate.format(date(s.start))));
      row.appendChild(cell(timeOnly.format(date(s.start)) + ' \u2013 ' + timeOnly.format(date(s.end))));
      row.appendChild(cell(duration(s.end - s.start)));
      row.appendChild(cell(numbers.format(s.matches)));
      var record = cell('');
      record.appendChild(el('span', 'up', numbers.format(s.wins)));
      record.appendChild(document.createTextNode(' \u2013 '));
      record.appendChild(el('span', 'down', numbers.format(s.losses)));
      row.appendChild(record);
      var changes = cell('', 'text');
      Object.keys(s.ratingChange).forEach(function (name) {
        var part = el('span', 'change');
        part.appendChild(document.createTextNode(displayName(name) + ' '));
        part.appendChild(el('span', trend(s.ratingChange[name]), signed(s.ratingChange[name])));
        changes.appendChild(part);
      });
      row.appendChild(changes);
      row.appendChild(cell(averageText(s.averagePoints, s.matches, 0)));
      return row;
    });
    table('sessions', ['Date', 'Time', 'Length', 'Matches', 'W \u2013 L', '<Rating change', 'Avg points'], rows);
    var rule = 'a break of more than ' + counted(data.sessionGapSeconds / 60, 'minute', 'minutes') + ' starts a new session';
    document.getElementById('sessions-hint').textContent = data.sessionCount > data.sessions.length
      ? 'the latest ' + data.sessions.length + ' of ' + numbers.format(data.sessionCount) + ' \u00b7 ' + rule : rule;
  }

  function skippedTable() {
    var note = document.getElementById('skipped-note');
    if (data.skippedCount === 0) {
      note.textContent = 'Every line of the file was read.';
      return;
    }
    note.textContent = counted(data.skippedCount, 'line was', 'lines were') +
      ' not read as a match' + (data.skippedCount > data.skipped.length ? '; the first ' + numbers.format(data.skipped.length) + ' are listed.' : '.') +
      ' Line numbers count the header as line 1.';
    table('skipped', ['Line', '<Why'], data.skipped.map(function (s) {
      var row = el('tr');
      row.appendChild(cell(numbers.format(s.line)));
      row.appendChild(cell(s.reason, 'text'));
      return row;
    }));
  }

  // --- charts (Dygraphs) ---
  // The x axis runs by date or by match number (a control above the rating chart, or #by-date /
  // #by-match in the address). By match, only the matches drawn one point each are shown: all of a
  // history of up to 2,000. A break between sessions is a gap in the rating lines either way.
  var charts = data.charts;
  var detailTimes = charts.formPoints.map(function (point) { return point[0]; });
  var firstDetailNumber = data.matches - detailTimes.length + 1;
  var axisMode = addressParts.indexOf('by-date') >= 0 ? 'date' : addressParts.indexOf('by-match') >= 0 ? 'match'
    : charts.ratingBuckets.length || charts.formBuckets.length ? 'date' : 'match';
  var pendingCharts = 0;
  var shownCharts = [];
  function chartDrawn() {
    pendingCharts -= 1;
    if (pendingCharts === 0) markDrawn();
  }
  function markDrawn() {
    root.setAttribute('data-draw-ms', String(Math.round(performance.now()))); // since the page began to load
    root.setAttribute('data-drawn', 'yes');
    root.setAttribute('data-axis', axisMode);
  }

  // The match numbers after which a session ends, among the matches drawn one point each.
  function sessionEnds() {
    var ends = [];
    for (var i = 1; i < detailTimes.length; i += 1)
      if (detailTimes[i] - detailTimes[i - 1] > data.sessionGapSeconds) ends.push(firstDetailNumber + i - 1);
    return ends;
  }
  function timeOfMatch(number) { return detailTimes[number - firstDetailNumber]; }
  function xValue(key) { return axisMode === 'date' ? date(key) : key; }

  // Rows sorted by x; values at the same x share a row. An event [x key, series, value], or [x key,
  // null] for a gap in every series.
  function mergeRows(events, width, gapValue) {
    events.sort(function (a, b) { return a[0] - b[0]; });
    var rows = [];
    var lastKey = null;
    events.forEach(function (event) {
      var last = rows[rows.length - 1];
      if (!last || lastKey !== event[0]) {
        last = [xValue(event[0])];
        for (var i = 0; i < width; i += 1) last.push(null);
        rows.push(last);
        lastKey = event[0];
      }
      if (event[1] === null) {
        for (var j = 1; j <= width; j += 1) if (last[j] === null) last[j] = gapValue;
      } else {
        last[event[1] + 1] = event[2];
      }
    });
    return rows;
  }

  function whenText(x) {
    if (axisMode === 'date') return dateTime.format(new Date(x));
    var time = timeOfMatch(x);
    return 'Match ' + numbers.format(x) + (time === undefined ? '' : ' \u00b7 ' + dateTime.format(date(time)));
  }
  function legendFormatter(names, colours) {
    return function (legend) {
      var html = legend.x === undefined || legend.x === null ? '' : '<span class="when">' + escapeHtml(whenText(legend.x)) + '</span>';
      legend.series.forEach(function (series, index) {
        var value = legend.x === undefined || legend.x === null || series.y === undefined || series.y === null || isNaN(series.y)
          ? '' : ' <b>' + escapeHtml(Number(series.y).toLocaleString('en-US', { maximumFractionDigits: 2 })) + '</b>';
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
  // Both charts zoom through the strip below them, drawn alike; a short history needs none.
  var rangeSelectorStyle = {
    showRangeSelector: data.matches > 40,
    rangeSelectorHeight: 34,
    rangeSelectorPlotFillColor: '#2b4a6b',
    rangeSelectorPlotStrokeColor: '#5aa9ff',
    rangeSelectorBackgroundStrokeColor: '#3a4654',
    rangeSelectorForegroundStrokeColor: '#8b97a6',
  };
  // The first match number drawn one point each that falls in the period shown; null when none does.
  function firstNumberInPeriod() {
    for (var i = 0; i < detailTimes.length; i += 1)
      if (detailTimes[i] > periodStart()) return firstDetailNumber + i;
    return null;
  }
  // Room at either end, so the first and last points show whole: half a match, or a little time. With a
  // period shown, the range starts where the period does (by match: its first match drawn).
  function xWindow(from) {
    if (!data.matches) return null;
    var inPeriodFrom = shownDays === null ? null : axisMode === 'match' ? firstNumberInPeriod() : periodStart() * 1000;
    if (axisMode === 'match') {
      if (!detailTimes.length) return null;
      return [(inPeriodFrom === null ? firstDetailNumber : inPeriodFrom) - 0.5, data.matches + 0.5];
    }
    var first = inPeriodFrom !== null ? inPeriodFrom : from === undefined ? data.firstMatch * 1000 : from;
    var pad = Math.max((data.lastMatch * 1000 - first) / 50, 20 * 60 * 1000);
    return [first - pad, data.lastMatch * 1000 + pad];
  }
  function xAxis() {
    if (axisMode === 'date') return {};
    return {
      valueFormatter: function (x) { return 'Match ' + numbers.format(x); },
      axisLabelFormatter: function (x) { return Number.isInteger(x) ? numbers.format(x) : ''; },
      pixelsPerLabel: 60,
    };
  }

  function options(extra) {
    var result = {};
    [axisStyle, rangeSelectorStyle, extra].forEach(function (source) {
      Object.keys(source).forEach(function (key) { result[key] = source[key]; });
    });
    return result;
  }

  function ratingChart() {
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
    if (axisMode === 'date') charts.ratingBuckets.forEach(function (b) { used[b[1]] = true; });
    charts.ratingPoints.forEach(function (p) { used[p[1]] = true; });
    Object.keys(used).map(Number).sort(function (a, b) { return a - b; }).forEach(series);
    var note = document.getElementById('rating-note');
    note.textContent = '';
    document.getElementById('rating-chart').style.display = '';
    if (names.length === 0) {
      document.getElementById('rating-chart').style.display = 'none';
      note.textContent = 'No match in the file carries a rating yet.';
      return;
    }
    var events = [];
    if (axisMode === 'date') {
      var reducedEnd = charts.ratingPoints.length ? charts.ratingPoints[0][0] : Infinity;
      charts.ratingBuckets.forEach(function (b) {
        var s = series(b[1]);
        var end = Math.min(b[0] + charts.bucketSeconds - 1, reducedEnd - 1);
        events.push([b[0], s, [b[4], b[2], b[5]]]);
        if (end > b[0]) events.push([end, s, [b[4], b[3], b[5]]]);
      });
      charts.ratingPoints.forEach(function (p) { events.push([p[0], series(p[1]), [p[2], p[2], p[2]]]); });
      sessionEnds().forEach(function (number) { events.push([timeOfMatch(number) + 1, null]); });
      if (charts.ratingBuckets.length) {
        note.textContent = 'Before ' + dateOnly.format(date(reducedEnd === Infinity ? data.lastMatch : reducedEnd)) +
          ' each ' + (charts.bucketSeconds === 86400 ? 'day' : 'period of ' + Math.round(charts.bucketSeconds / 86400) + ' days') +
          ' is drawn as its first and last rating, with the band from its lowest to its highest.';
      }
    } else {
      charts.ratingPoints.forEach(function (p) { events.push([p[3], series(p[1]), [p[2], p[2], p[2]]]); });
      sessionEnds().forEach(function (number) { events.push([number + 0.5, null]); });
      document.getElementById('rating-chart').setAttribute('data-session-breaks', String(sessionEnds().length));
      if (firstDetailNumber > 1) {
        note.textContent = 'By match: the latest ' + numbers.format(detailTimes.length) + ' of ' +
          counted(data.matches, 'match', 'matches') + '; by date shows them all.';
      }
    }
    var labels = ['x'].concat(names.map(function (_, i) { return 's' + i; }));
    pendingCharts += 1;
    var points = events.filter(function (event) { return event[1] !== null; }).length;
    shownCharts.push(new Dygraph(document.getElementById('rating-chart'), mergeRows(events, names.length, [NaN, NaN, NaN]), options({
      labels: labels,
      colors: colours,
      customBars: true,
      connectSeparatedPoints: true,
      strokeWidth: 1.6,
      drawPoints: points < 400,
      pointSize: points < 60 ? 3 : 2,
      highlightCircleSize: 4,
      legend: 'always',
      labelsDiv: document.getElementById('rating-legend'),
      legendFormatter: legendFormatter(names, colours),
      axes: { x: xAxis(), y: { axisLabelWidth: 56 } },
      dateWindow: xWindow(),
      drawCallback: function (graph, initial) { if (initial) chartDrawn(); },
    })));
  }

  function formHint() {
    var size = charts.formWindow;
    var over = data.matches < size
      ? 'each point: the average of all matches up to it (' + counted(data.matches, 'match', 'matches') +
        ' in all; the window is the last ' + size + ' once there are that many)'
      : 'average of the last ' + size + ' matches (of all before them at the start)';
    var sixWeeks = shownDays === null && axisMode === 'date' && data.lastMatch - data.firstMatch > 42 * 86400
      ? ' \u00b7 the latest six weeks; drag the range below for more' : '';
    return over + ' \u00b7 points on the right axis' + sixWeeks;
  }

  function formChart() {
    document.getElementById('form-hint').textContent = formHint();
    var source = axisMode === 'date' ? charts.formBuckets.concat(charts.formPoints) : charts.formPoints;
    var rows = source.map(function (point, index) {
      var x = axisMode === 'date' ? date(point[0]) : firstDetailNumber + index;
      return [x].concat(point.slice(1));
    });
    rows.sort(function (a, b) { return a[0] - b[0]; });
    if (rows.length === 0) {
      document.getElementById('form-panel').style.display = 'none';
      return;
    }
    var labels = ['x'].concat(formLabels);
    // By date, the latest weeks at first: a year of rolling averages at once is a blur; the range
    // below widens it.
    var newest = Number(rows[rows.length - 1][0]);
    var range = [Math.max(Number(rows[0][0]), newest - 42 * 86400 * 1000), newest];
    pendingCharts += 1;
    shownCharts.push(new Dygraph(document.getElementById('form-chart'), rows, options({
      labels: labels,
      colors: formColours,
      strokeWidth: 1.4,
      drawPoints: rows.length < 60,
      pointSize: 2.5,
      highlightCircleSize: 3,
      legend: 'always',
      labelsDiv: document.getElementById('form-legend'),
      legendFormatter: legendFormatter(formLabels, formColours),
      // Points run in the hundreds, the rest in ones: points get the right-hand axis.
      series: (function () {
        var series = {};
        series[formLabels[data.charts.formStatistics.indexOf('points')]] = { axis: 'y2' };
        return series;
      })(),
      dateWindow: xWindow(axisMode === 'date' ? range[0] : undefined),
      axes: { x: xAxis(), y: { axisLabelWidth: 40 }, y2: { axisLabelWidth: 48, drawGrid: false, independentTicks: true } },
      drawCallback: function (graph, initial) { if (initial) chartDrawn(); },
    })));
  }

  function drawCharts() {
    shownCharts.forEach(function (chart) { chart.destroy(); });
    shownCharts = [];
    document.querySelectorAll('.axis-switch button').forEach(function (button) {
      button.setAttribute('aria-pressed', String(button.getAttribute('data-axis') === axisMode));
    });
    pendingCharts += 1; // held until both charts are set up
    ratingChart();
    formChart();
    chartDrawn();
  }
  // The address keeps both switches: "#by-date&days=30".
  function keepInAddress() {
    var parts = [axisMode === 'date' ? 'by-date' : 'by-match'];
    if (shownDays !== null) parts.push('days=' + shownDays);
    try {
      history.replaceState(null, '', '#' + parts.join('&'));
    } catch (ignored) {
      // Some browsers keep a page opened from disk from changing its address; the page still switches.
    }
  }
  function axisSwitch() {
    var buttons = document.querySelectorAll('.axis-switch button');
    if (detailTimes.length === 0) document.querySelector('.axis-switch').hidden = true;
    buttons.forEach(function (button) {
      button.addEventListener('click', function () {
        if (axisMode === button.getAttribute('data-axis')) return;
        axisMode = button.getAttribute('data-axis');
        keepInAddress();
        drawCharts();
      });
    });
  }
  function markPeriod() {
    document.querySelectorAll('.period-switch button').forEach(function (button) {
      var days = button.getAttribute('data-days');
      button.setAttribute('aria-pressed', String(days === '' ? shownDays === null : Number(days) === shownDays));
    });
    root.setAttribute('data-days', shownDays === null ? 'all' : String(shownDays));
  }
  function periodSwitch() {
    document.querySelectorAll('.period-switch button').forEach(function (button) {
      button.addEventListener('click', function () {
        var days = button.getAttribute('data-days') === '' ? null : Number(button.getAttribute('data-days'));
        if (days === shownDays) return;
        shownDays = days;
        keepInAddress();
        markPeriod();
        headline();
        playlistsTable();
        drawCharts();
      });
    });
    markPeriod();
  }

  titles();
  headline();
  playlistsTable();
  sessionsTable();
  skippedTable();
  document.getElementById('footer').textContent = 'Made by tallyglass-report from ' + data.file +
    ' \u00b7 report time ' + dateTime.format(date(data.now)) + ' \u00b7 times in your local time zone';
  axisSwitch();
  periodSwitch();
  drawCharts();
})();
