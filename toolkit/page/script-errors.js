// Runs first on every Tallyglass page (the history report, the live view and its overlay).
(function () {
  // Every script error of the page is kept in the document, where a test (or a curious player) sees it.
  var count = 0;
  function note(text) {
    count += 1;
    var root = document.documentElement;
    root.setAttribute('data-script-errors', String(count));
    var list = document.getElementById('script-errors');
    if (!list) {
      list = document.createElement('pre');
      list.id = 'script-errors';
      (document.body || root).appendChild(list);
    }
    list.textContent += text + '\n';
  }
  window.onerror = function (message, source, line) { note(String(message) + ' (line ' + line + ')'); };
  window.addEventListener('unhandledrejection', function (event) { note('unhandled: ' + String(event.reason)); });
})();
