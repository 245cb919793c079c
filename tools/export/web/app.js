// The web dictionary written by lexora-data export web. Everything it shows of the data
// comes from the script files written beside it: site.js, headwords.js, spellings.js
// (loaded once the page works), one entries-NN.js per letter (loaded when a word of that
// letter is looked up), lexicon.js (loaded when its page opens) and one french-NN.js per
// first letter of French words (loaded when such a word is typed). Entries and the
// French articles arrive as HTML the export made and escaped; every other text from the
// data is set as text.
'use strict';
(function () {
  var site = window.lexoraSite;
  var has = function (object, key) { return Object.prototype.hasOwnProperty.call(object, key); };
  var byId = function (id) { return document.getElementById(id); };
  var listRows = 60;  // headword rows shown from the current one on
  var tableRows = 100; // lexicon rows shown from the first match on
  var frenchResults = 30;

  var headwords = [];     // search forms, in the list's order
  var spellings = null;   // [index, [search forms of its keyboard spellings]] once loaded
  var headwordIndex = null; // search form -> index, made when first needed
  var current = -1;       // index of the current headword
  var letters = {};       // alphabet position -> {entries, references} once loaded
  var waiting = {};       // alphabet position -> callbacks waiting for it
  var shownRequest = 0;   // the latest entry asked for; older answers are dropped
  var lexicon = null;
  var french = {};        // French file number -> its articles [key, folded key, HTML]

  // The search form of typed text: each character's capital, or the search form the
  // export lists for it (the small letter of the Cyrillic capital El U+041B, for one), without blanks around.
  function searchForm(text) {
    var form = '';
    for (var c of text) form += has(site.searchForms, c) ? site.searchForms[c] : c.toUpperCase();
    return form.trim();
  }

  // French written small and without accents, as the export files the French keys:
  // decomposed, without non-spacing marks and full stops.
  function fold(text) {
    return text.normalize('NFD').replace(/[\p{Mn}.]/gu, '').normalize('NFC').toLowerCase().trim();
  }

  function loadScript(name, failed) {
    var script = document.createElement('script');
    script.src = name;
    script.onerror = failed;
    document.head.appendChild(script);
  }

  function showLoading(on) { byId('loading').hidden = !on; }

  // --- Entries, by letter -------------------------------------------------------------

  function letterPosition(form) {
    var initial = Array.from(form)[0];
    return initial !== undefined && has(site.initials, initial) ? site.initials[initial] : -1;
  }

  function withLetter(position, done) {
    if (letters[position]) { done(letters[position]); return; }
    if (waiting[position]) { waiting[position].push(done); return; }
    waiting[position] = [done];
    showLoading(true);
    var name = 'entries-' + (position < 10 ? '0' : '') + position + '.js';
    loadScript(name, function () { window.lexoraLetter(position, {}, {}); });
  }

  window.lexoraLetter = function (position, entries, references) {
    letters[position] = {entries: entries, references: references};
    var callbacks = waiting[position] || [];
    delete waiting[position];
    showLoading(false);
    callbacks.forEach(function (callback) { callback(letters[position]); });
  };

  // Calls `done` with the HTML of the entry shown for `form`, or null.
  function findEntry(form, done) {
    var position = letterPosition(form);
    if (position < 0) { done(null); return; }
    withLetter(position, function (letter) {
      if (has(letter.entries, form)) { done(letter.entries[form]); return; }
      if (!has(letter.references, form)) { done(null); return; }
      var target = letter.references[form];
      var targetPosition = letterPosition(target);
      if (targetPosition < 0) { done(null); return; }
      withLetter(targetPosition, function (targetLetter) {
        done(has(targetLetter.entries, target) ? targetLetter.entries[target] : null);
      });
    });
  }

  function showEntry(form) {
    var request = ++shownRequest;
    findEntry(form, function (html) {
      if (request !== shownRequest) return;
      var entry = byId('entry');
      if (html === null) {
        entry.textContent = '';
        var word = document.createElement('strong');
        word.textContent = form;
        entry.appendChild(word);
        entry.appendChild(document.createTextNode(' ma ye.'));
      } else {
        entry.innerHTML = html;
      }
      if (!document.documentElement.dataset.firstEntry)
        document.documentElement.dataset.firstEntry = performance.now().toFixed(1);
    });
  }

  function showInformation() {
    var entry = byId('entry');
    entry.textContent = '';
    var title = document.createElement('h1');
    title.textContent = site.about[0] || 'Lexora';
    var count = document.createElement('p');
    count.lang = 'fr';
    count.textContent = headwords.length.toLocaleString('fr') + ' mots, ' +
        site.lexiconRows.toLocaleString('fr') + ' lignes de lexique.';
    entry.appendChild(title);
    entry.appendChild(count);
  }

  // --- The headword list --------------------------------------------------------------

  function indexOfForm(form) {
    if (!headwordIndex) {
      headwordIndex = new Map();
      for (var i = headwords.length - 1; i >= 0; --i) headwordIndex.set(headwords[i], i);
    }
    return headwordIndex.has(form) ? headwordIndex.get(form) : -1;
  }

  function address(form) { return '#' + encodeURIComponent(form); }

  function renderList() {
    var list = byId('headwords');
    list.textContent = '';
    var first = Math.max(0, current);
    var last = Math.min(headwords.length, first + listRows);
    for (var i = first; i < last; ++i) {
      var item = document.createElement('li');
      var link = document.createElement('a');
      link.href = address(headwords[i]);
      link.textContent = headwords[i];
      if (i === current) { link.className = 'current'; link.setAttribute('aria-current', 'true'); }
      item.appendChild(link);
      list.appendChild(item);
    }
    list.scrollTop = 0;
  }

  // Makes `index` the current headword and shows its entry; the address follows without
  // a new step in the browser's history, as a search moves through the list.
  function moveTo(index) {
    if (index < 0 || index >= headwords.length) return;
    current = index;
    renderList();
    history.replaceState(null, '', address(headwords[index]));
    showPage('dictionary');
    showEntry(headwords[index]);
  }

  // The first headword that begins with `form`, or else the first one a keyboard
  // spelling of which begins with it; -1 when none.
  function firstMatch(form) {
    for (var i = 0; i < headwords.length; ++i)
      if (headwords[i].startsWith(form)) return i;
    if (!spellings) return -1; // searched again once they are loaded
    for (var s = 0; s < spellings.length; ++s)
      for (var spelling of spellings[s][1])
        if (spelling.startsWith(form)) return spellings[s][0];
    return -1;
  }

  function searchDictionary() {
    var index = firstMatch(searchForm(byId('search').value));
    if (index >= 0) moveTo(index);
  }

  // --- Typing the special letters -----------------------------------------------------

  function typeInto(field, text) {
    field.focus();
    if (!document.execCommand('insertText', false, text)) {
      field.setRangeText(text, field.selectionStart, field.selectionEnd, 'end');
      field.dispatchEvent(new Event('input', {bubbles: true}));
    }
  }

  // The letter key pressed (A-Z), as the keyboard's layout names it where it can.
  function keyLetter(event) {
    if (event.key && event.key.length === 1 && /[a-z]/i.test(event.key))
      return event.key.toUpperCase();
    var code = /^Key([A-Z])$/.exec(event.code || '');
    return code ? code[1] : '';
  }

  function typeSpecialLetters(field) {
    field.addEventListener('keydown', function (event) {
      if (event.ctrlKey || event.metaKey || event.isComposing) return;
      var letter = keyLetter(event);
      if (!letter) return;
      var name = (event.altKey ? 'Alt+' : '') + (event.shiftKey ? 'Shift+' : '') + letter;
      if (!has(site.keys, name)) return;
      event.preventDefault();
      typeInto(field, site.keys[name]);
    });
  }

  function addLetterButtons() {
    document.querySelectorAll('.letters').forEach(function (row) {
      var field = byId(row.dataset.field);
      site.buttons.forEach(function (letter) {
        var button = document.createElement('button');
        button.type = 'button';
        button.textContent = letter;
        button.addEventListener('mousedown', function (event) { event.preventDefault(); });
        button.addEventListener('click', function () { typeInto(field, letter); });
        row.appendChild(button);
      });
    });
  }

  // --- The lexicon --------------------------------------------------------------------

  function renderLexicon() {
    var typed = byId('lexicon-search').value.toUpperCase();
    var first = 0;
    if (typed) {
      first = -1;
      for (var i = 0; i < lexicon.length; ++i)
        if (lexicon[i][0].startsWith(typed)) { first = i; break; }
      if (first < 0) return; // no match: the table stays where it is
    }
    var body = byId('lexicon-table').tBodies[0];
    body.textContent = '';
    var last = Math.min(lexicon.length, first + tableRows);
    for (var row = first; row < last; ++row) {
      var line = document.createElement('tr');
      if (typed && row === first) line.className = 'current';
      var word = document.createElement('td');
      word.lang = 'bm';
      var form = searchForm(lexicon[row][0]);
      if (indexOfForm(form) >= 0) {
        var link = document.createElement('a');
        link.href = address(form);
        link.textContent = lexicon[row][0];
        word.appendChild(link);
      } else {
        word.textContent = lexicon[row][0];
      }
      var gloss = document.createElement('td');
      gloss.lang = 'fr';
      gloss.textContent = lexicon[row][1];
      line.appendChild(word);
      line.appendChild(gloss);
      body.appendChild(line);
    }
  }

  window.lexoraLexicon = function (rows) {
    lexicon = rows;
    showLoading(false);
    renderLexicon();
  };

  // --- French -> Bambara --------------------------------------------------------------

  function renderFrench() {
    var results = byId('french-results');
    var typed = fold(byId('french-search').value);
    var initial = Array.from(typed)[0];
    if (initial === undefined || !has(site.french, initial)) {
      results.textContent = '';
      if (typed) showFrenchNote(results, 0, 0);
      return;
    }
    var file = site.french[initial];
    if (!french[file]) {
      if (french[file] === undefined) {
        french[file] = null;
        showLoading(true);
        var name = 'french-' + (file < 10 ? '0' : '') + file + '.js';
        loadScript(name, function () { window.lexoraFrench(file, []); });
      }
      return; // shown once the file is read
    }
    results.textContent = '';
    var shown = 0, more = 0;
    french[file].forEach(function (article) {
      if (!article[1].startsWith(typed)) return;
      if (shown === frenchResults) { ++more; return; }
      var key = document.createElement('h2');
      key.textContent = article[0];
      var lines = document.createElement('div');
      lines.lang = 'bm';
      lines.innerHTML = article[2];
      results.appendChild(key);
      results.appendChild(lines);
      ++shown;
    });
    showFrenchNote(results, shown, more);
  }

  function showFrenchNote(results, shown, more) {
    var note = document.createElement('p');
    note.className = 'more';
    if (!shown) note.textContent = 'Aucun mot trouv\u00e9.';
    else if (more) note.textContent = more + ' autres mots commencent ainsi.';
    if (note.textContent) results.appendChild(note);
  }

  window.lexoraFrench = function (file, articles) {
    french[file] = articles.slice().sort(function (a, b) {
      return a[1] < b[1] ? -1 : a[1] > b[1] ? 1 : 0;
    });
    showLoading(false);
    renderFrench();
  };

  // --- The about page -----------------------------------------------------------------

  function renderAbout() {
    var page = byId('about');
    if (page.childNodes.length) return;
    var labels = ['', '', 'Source : ', 'Licence : '];
    var title = document.createElement('h1');
    title.lang = 'bm';
    title.textContent = site.about[0] || 'Lexora';
    page.appendChild(title);
    for (var i = 1; i < site.about.length; ++i) {
      if (!site.about[i]) continue;
      var line = document.createElement('p');
      line.textContent = (labels[i] || '') + site.about[i];
      page.appendChild(line);
    }
    var made = document.createElement('p');
    made.className = 'more';
    made.textContent = 'Site \u00e9crit par lexora-data export web\u00a0; il se lit sans r\u00e9seau.';
    page.appendChild(made);
  }

  // --- Pages and addresses ------------------------------------------------------------

  var pages = ['dictionary', 'lexicon', 'french', 'about'];

  function showPage(name) {
    pages.forEach(function (page) {
      byId(page).hidden = page !== name;
      var tab = byId('tab-' + page);
      if (page === name) tab.setAttribute('aria-current', 'page');
      else tab.removeAttribute('aria-current');
    });
    if (name === 'lexicon' && !lexicon) {
      lexicon = [];
      showLoading(true);
      loadScript('lexicon.js', function () { window.lexoraLexicon([]); });
    } else if (name === 'about') {
      renderAbout();
    }
  }

  function hashText() {
    var hash = location.hash.slice(1);
    try { return decodeURIComponent(hash); } catch (error) { return hash; }
  }

  // Shows what the address names: a page, or the entry of a word.
  function route() {
    var hash = hashText();
    if (pages.indexOf(hash) > 0) { showPage(hash); return; }
    showPage('dictionary');
    if (!hash) { showInformation(); return; }
    var form = searchForm(hash);
    var index = indexOfForm(form);
    if (index >= 0 && index !== current) { current = index; renderList(); }
    showEntry(form);
  }

  window.lexoraSpellings = function (text) {
    spellings = text ? text.split('\n').map(function (line) {
      var fields = line.split('\t');
      return [Number(fields[0]), fields.slice(1)];
    }) : [];
    if (byId('search').value) searchDictionary();
  };

  window.lexoraHeadwords = function (text) {
    headwords = text ? text.split('\n') : [];
    document.title = site.about[0] || 'Lexora';
    var search = byId('search');
    typeSpecialLetters(search);
    typeSpecialLetters(byId('lexicon-search'));
    addLetterButtons();
    search.addEventListener('input', searchDictionary);
    search.addEventListener('keydown', function (event) {
      if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
        event.preventDefault();
        moveTo(Math.max(0, current) + (event.key === 'ArrowDown' ? 1 : -1));
      }
    });
    byId('lexicon-search').addEventListener('input', function () { if (lexicon) renderLexicon(); });
    byId('french-search').addEventListener('input', renderFrench);
    window.addEventListener('hashchange', route);
    performance.mark('lexora-ready');
    if (current < 0) renderList();
    route();
    if (!location.hash) search.focus();
    loadScript('spellings.js', function () { window.lexoraSpellings(''); });
  };
})();
