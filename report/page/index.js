(function () {
  'use strict';
  // The index of a folder's accounts: one row per account, linking to its page beside this one; a
  // rescue file (the matches recorded while the stats file was no text) in a row of its own below.
  var data = JSON.parse(document.getElementById('index').textContent);
  var numbers = new Intl.NumberFormat('en-US');
  var dateTime = new Intl.DateTimeFormat(undefined, { dateStyle: 'medium', timeStyle: 'short' });
  var dateOnly = new Intl.DateTimeFormat(undefined, { dateStyle: 'medium' });

  // Every text from the files goes into the page as text, never as markup.
  function el(tag, className, text) {
    var node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined && text !== null) node.textContent = String(text);
    return node;
  }
  function cell(text, className) { return el('td', className, text); }
  function date(seconds) { return new Date(seconds * 1000); }
  function displayName(name) { return name === '' ? '(no title)' : name; }
  // Whole numbers as the report writes them (report/FigureText.h): the rate rounded half away from zero
  // from the exact fraction.
  function percentOf(part, whole) {
    if (!whole) return '\u2013';
    var tenths = Math.floor((2000 * part + whole) / (2 * whole));
    return numbers.format(Math.floor(tenths / 10)) + '.' + (tenths % 10) + '%';
  }

  function ratingsCell(file) {
    var node = cell('', 'text');
    file.playlists.forEach(function (playlist) {
      var part = el('span', 'change');
      part.appendChild(document.createTextNode(displayName(playlist.name) + ' '));
      part.appendChild(el('b', null, numbers.format(playlist.currentRating) + (playlist.currentRatingFromBefore ? '*' : '')));
      var peak = el('span', 'mark', ' peak ' + numbers.format(playlist.peakRating));
      peak.title = 'reached ' + dateTime.format(date(playlist.peakRatingTime));
      part.appendChild(peak);
      node.appendChild(part);
    });
    if (file.playlists.length === 0) node.textContent = '\u2013';
    return node;
  }

  // One file's row: the player (its page linked), its figures, or why it could not be read.
  function fileRow(account, file, rescue) {
    var row = el('tr', rescue ? 'rescue' : null);
    var name = el('td', 'name');
    if (rescue) name.appendChild(el('span', 'mark', '\u21b3 '));
    if (file.page !== null) {
      var link = el('a', null, rescue ? 'rescued matches' : account.playerId);
      link.href = encodeURIComponent(file.page);
      name.appendChild(link);
    } else {
      name.appendChild(document.createTextNode(rescue ? 'rescued matches' : account.playerId));
    }
    name.appendChild(el('span', 'tag', file.file));
    name.title = file.file;
    row.appendChild(name);
    if (file.problem !== null) {
      var why = cell('cannot be read: ' + file.problem, 'text problem');
      why.colSpan = 5;
      row.appendChild(why);
      return row;
    }
    row.appendChild(cell(numbers.format(file.matches)));
    var record = cell('');
    record.appendChild(el('span', 'up', numbers.format(file.wins)));
    record.appendChild(document.createTextNode(' \u2013 '));
    record.appendChild(el('span', 'down', numbers.format(file.losses)));
    row.appendChild(record);
    row.appendChild(cell(percentOf(file.wins, file.matches)));
    var last = cell(file.lastMatch === null ? '\u2013' : dateOnly.format(date(file.lastMatch)));
    if (file.lastMatch !== null) last.title = dateTime.format(date(file.lastMatch));
    row.appendChild(last);
    row.appendChild(ratingsCell(file));
    return row;
  }

  var table = document.getElementById('accounts');
  var head = el('thead');
  var headRow = el('tr');
  [['Player'], ['Matches'], ['W \u2013 L'], ['Win rate'], ['Last played'], ['Ratings: current, peak', 'text']].forEach(function (heading) {
    headRow.appendChild(el('th', heading[1] || null, heading[0]));
  });
  head.appendChild(headRow);
  table.appendChild(head);
  var body = el('tbody');
  var rescued = false;
  data.accounts.forEach(function (account) {
    body.appendChild(fileRow(account, account.stats, false));
    if (account.rescue !== null) {
      body.appendChild(fileRow(account, account.rescue, true));
      rescued = true;
    }
  });
  table.appendChild(body);

  var count = data.accounts.length;
  document.getElementById('accounts-hint').textContent = count + (count === 1 ? ' account' : ' accounts') + ', the most recently played first';
  var notes = [];
  if (data.accounts.some(function (account) {
    return [account.stats, account.rescue].some(function (file) {
      return file && file.playlists.some(function (playlist) { return playlist.currentRatingFromBefore; });
    });
  })) notes.push('* the rating before the playlist\u2019s last match: the file holds no rating after it.');
  if (rescued) notes.push('Rescued matches were recorded while the stats file beside them was no text Tallyglass could append to ' +
    '(a workbook saved under its name): once the stats file is CSV again, copy the rescue file\u2019s rows below its header and delete the rescue file.');
  document.getElementById('accounts-note').textContent = notes.join(' ');
  document.getElementById('subtitle').textContent = data.folder;
  document.title = 'Tallyglass \u2013 ' + data.folder;
  document.getElementById('footer').textContent = 'Made by tallyglass-report from the folder ' + data.folder +
    ' \u00b7 report time ' + dateTime.format(date(data.now)) + ' \u00b7 times in your local time zone';
  document.documentElement.setAttribute('data-drawn', 'yes');
})();
