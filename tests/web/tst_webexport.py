#!/usr/bin/python3
# lexora-data export web as a reader meets its result: the site exported from the small
# hand-written sources beside this script (and, once, the shipped sample of res/) is
# opened from the file system in Debian's chromium, headless, and used as a reader uses
# it. Every expected text is written here by hand. A missing browser or driver is a
# failure, not a skip.
#
# Usage: tst_webexport.py LEXORA_DATA SOURCE_DIR [TEST...]

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

LEXORA_DATA = SOURCE_DIR = None
WORK = tempfile.TemporaryDirectory(prefix='lexora-web-')
SITE = os.path.join(WORK.name, 'site')

# What the entries show, line by line.
ALIMETI = 'ALIMƐTI [alimɛ́ti] N allumette.'
BA = 'BA [ó] N mère.\n♦ Ba bɛ so kɔnɔ.\nBA [ò] N chèvre.'
BO = 'BƆ [bɔ́] W sortir.'
DEN = 'DEN [dén] N enfant.\n↑BA'
EE = 'ƐƐ [ɛ́ɛ] KR oui.'
NYAMA = 'ЛAMA [ɲáma] N ordure, saleté.'
NYE = 'ЛƐ [ɲɛ́] N œil.'
NGANA = 'ŊANA [ŋàna] N héros.'
SEBEN = ('SƐBƐN [sɛ̀bɛn] W écrire <script>window.lexoraRan = 1</script> '
         '<img src=x onerror="window.lexoraRan = 2"> &amp; lire.')
SHO = 'ʃƆ [ʃɔ́] N haricot.'


def export_site():
    res = os.path.join(WORK.name, 'res')
    shutil.rmtree(res, ignore_errors=True)
    for command in ([LEXORA_DATA, 'build', SOURCE_DIR, res],
                    [LEXORA_DATA, 'encode', os.path.join(SOURCE_DIR, 'about.txt'),
                     '-o', os.path.join(res, 'about.bna')],
                    [LEXORA_DATA, 'export', 'web', res, SITE]):
        subprocess.run(command, check=True)


def start_browser():
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                     '--no-first-run', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync',
                     '--user-data-dir=' + os.path.join(WORK.name, 'profile'),
                     '--window-size=1024,768'):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def files_of(directory):
    files = {}
    for name in sorted(os.listdir(directory)):
        with open(os.path.join(directory, name), 'rb') as file:
            files[name] = file.read()
    return files


class Export(unittest.TestCase):
    def test_same_bytes_twice(self):
        export_site()
        first = files_of(SITE)
        export_site()
        self.assertEqual(files_of(SITE), first)
        self.assertIn('index.html', first)

    def test_unreadable_dictionary_leaves_the_site(self):
        export_site()
        before = files_of(SITE)
        broken = os.path.join(WORK.name, 'broken')
        subprocess.run([LEXORA_DATA, 'build', SOURCE_DIR, broken], check=True)
        os.remove(os.path.join(broken, 'w.bna'))
        run = subprocess.run([LEXORA_DATA, 'export', 'web', broken, SITE],
                             capture_output=True, text=True)
        self.assertEqual(run.returncode, 2)
        self.assertEqual(run.stderr, os.path.join(broken, 'w.bna') + ': error: cannot be read\n')
        self.assertEqual(files_of(SITE), before)

    # A listed headword without entry stays in the list (the page says it has none) and
    # is reported at its line of the headword file; the export exits 1.
    def test_headword_without_entry_is_reported(self):
        res = os.path.join(WORK.name, 'unlisted')
        site = os.path.join(WORK.name, 'unlisted-site')
        shutil.rmtree(res, ignore_errors=True)
        subprocess.run([LEXORA_DATA, 'build', SOURCE_DIR, res], check=True)
        headwords = os.path.join(res, 'entries.bna')
        plain = subprocess.run([LEXORA_DATA, 'decode', headwords], check=True,
                               capture_output=True, text=True).stdout
        lines = plain.splitlines() + ['ZUU']
        listed = os.path.join(WORK.name, 'unlisted.txt')
        with open(listed, 'w', encoding='utf-8') as file:
            file.write('\n'.join(lines) + '\n')
        subprocess.run([LEXORA_DATA, 'encode', listed, '-o', headwords], check=True)
        run = subprocess.run([LEXORA_DATA, 'export', 'web', res, site],
                             capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(run.stderr, '%s:%d: warning: ZUU has no entry; left out\n'
                         % (headwords, len(lines)))
        with open(os.path.join(site, 'headwords.js'), encoding='utf-8') as file:
            self.assertIn('\\u000aZUU")', file.read())


class WebSite(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        export_site()
        cls.browser = start_browser()
        cls.wait = WebDriverWait(cls.browser, 10)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def open(self, address=''):
        self.browser.set_window_size(1024, 768)
        page = 'file://' + urllib.parse.quote(os.path.join(SITE, 'index.html'))
        self.browser.get('about:blank')
        self.browser.get(page + address)
        self.wait.until(lambda b: b.execute_script('return document.readyState') == 'complete')

    def field(self, name):
        return self.browser.find_element(By.ID, name)

    # The entry shown, as the reader reads it, once it shows `expected`.
    def assertShows(self, element, expected):
        try:
            self.wait.until(lambda b: self.field(element).text == expected)
        except Exception:
            self.assertEqual(self.field(element).text, expected)

    def type(self, keys):
        actions = ActionChains(self.browser)
        for key in keys:
            if key.startswith('Alt+Shift+'):
                actions.key_down(Keys.ALT).key_down(Keys.SHIFT).send_keys(key[-1].lower())
                actions.key_up(Keys.SHIFT).key_up(Keys.ALT)
            elif key.startswith('Alt+'):
                actions.key_down(Keys.ALT).send_keys(key[-1].lower()).key_up(Keys.ALT)
            elif key.startswith('Shift+'):
                actions.key_down(Keys.SHIFT).send_keys(key[-1].lower()).key_up(Keys.SHIFT)
            else:
                actions.send_keys(key)
        actions.perform()

    def test_typed_keys_reach_a_headword(self):
        rows = [  # keys typed, what the field then holds, the entry shown
            ('q reaches the first word in ɲ', ['q'], 'ɲ', NYAMA),
            ('q, a, m', ['q', 'a', 'm'], 'ɲam', NYAMA),
            ('Alt+E types ɛ', ['Alt+E'], 'ɛ', EE),
            ('q, Alt+E', ['q', 'Alt+E'], 'ɲɛ', NYE),
            ('Shift+Q types Л', ['Shift+Q', 'Alt+Shift+E'], 'ЛƐ', NYE),
            ('b, Alt+O', ['b', 'Alt+O'], 'bɔ', BO),
            ('v types ŋ', ['v'], 'ŋ', NGANA),
            ('x types ʃ', ['x'], 'ʃ', SHO),
            ('s, Alt+E, b', ['s', 'Alt+E', 'b'], 'sɛb', SEBEN),
            ('without special letters: nyama', list('nyama'), 'nyama', NYAMA),
            ('the beginning of a word without special letters', list('ny'), 'ny', NYAMA),
            ('without special letters: sho', list('sho'), 'sho', SHO),
            ('without special letters: seben', list('seben'), 'seben', SEBEN),
            ('a homograph pair together', ['b', 'a'], 'ba', BA),
        ]
        for name, keys, typed, entry in rows:
            with self.subTest(name):
                self.open()
                self.field('search').click()
                self.type(keys)
                self.assertEqual(self.field('search').get_attribute('value'), typed)
                self.assertShows('entry', entry)
                current = self.browser.find_element(By.CSS_SELECTOR, '#headwords a.current')
                self.assertEqual(current.text, entry.split(' ')[0])

    # The first headword is found by a keyboard spelling too: pasted whole into the field
    # while another entry is shown, as no beginning of it typed key by key finds it first.
    def test_first_headword_by_its_spelling(self):
        self.open('#BA')
        self.assertShows('entry', BA)
        self.browser.execute_script(
            "var field = document.getElementById('search');"
            "field.value = 'alimeti';"
            "field.dispatchEvent(new Event('input', {bubbles: true}));")
        self.assertShows('entry', ALIMETI)

    def test_letter_buttons_type_into_the_field(self):
        self.open()
        self.field('search').click()
        self.type(['s'])
        buttons = self.browser.find_elements(By.CSS_SELECTOR, '#dictionary .letters button')
        self.assertEqual([b.text for b in buttons], ['ɛ', 'ɔ', 'ɲ', 'ŋ', 'ʃ'])
        buttons[0].click()
        self.assertEqual(self.field('search').get_attribute('value'), 'sɛ')
        self.assertShows('entry', SEBEN)

    def test_cross_reference_and_back(self):
        self.open()
        self.field('search').click()
        self.type(list('den'))
        self.assertShows('entry', DEN)
        self.field('entry').find_element(By.LINK_TEXT, 'BA').click()
        self.assertShows('entry', BA)
        self.assertTrue(self.browser.current_url.endswith('#BA'))
        self.browser.back()
        self.assertShows('entry', DEN)
        self.assertTrue(self.browser.current_url.endswith('#DEN'))

    def test_entry_in_the_viewer_colours(self):
        # The headword bold, the part-of-speech tag dark red, as in the viewer.
        self.open('#WULU')
        self.assertShows('entry', 'WULU [wùlu] N chien.')
        spans = self.field('entry').find_elements(By.TAG_NAME, 'span')
        looks = [(span.text, span.value_of_css_property('font-weight'),
                  span.value_of_css_property('color')) for span in spans]
        self.assertIn(('WULU', '700', 'rgba(0, 0, 128, 1)'), looks)
        self.assertIn(('N', '400', 'rgba(128, 0, 0, 1)'), looks)

    def test_address_of_an_entry(self):
        rows = [('a headword', 'BA', BA),
                ('a cross-reference shows the entry it leads to', 'B%C6%86RA', BO),
                ('a word of another letter', '%D0%9B%C6%90', NYE),
                ('no such word', 'KALO', 'KALO ma ye.')]
        for name, address, entry in rows:
            with self.subTest(name):
                self.open('#' + address)
                self.assertShows('entry', entry)

    def test_lexicon_filter(self):
        self.open('#lexicon')
        field = self.field('lexicon-search')
        field.click()
        self.type(list('wu'))
        row = self.browser.find_element(By.CSS_SELECTOR, '#lexicon-table tr.current')
        self.assertEqual(row.text, 'WULU chien')
        field.clear()
        field.click()
        self.type(['q', 'Alt+E'])
        self.wait.until(lambda b: b.find_element(
            By.CSS_SELECTOR, '#lexicon-table tr.current').text == 'ƝƐ œil')
        self.browser.find_element(By.LINK_TEXT, 'ƝƐ').click()
        self.assertShows('entry', NYE)

    def test_french_search(self):
        rows = [('a gloss, and glosses that begin with it', 'enfant',
                 'enfant\n' + DEN.split('\n')[0] + '\nenfant; petit\n' + DEN.split('\n')[0]),
                ('part of a gloss, typed without accents', 'salete',
                 'saleté\n' + NYAMA),
                ('a gloss typed with its accents', 'Saleté', 'saleté\n' + NYAMA)]
        for name, typed, shown in rows:
            with self.subTest(name):
                self.open('#french')
                self.field('french-search').click()
                self.type(list(typed))
                self.assertShows('french-results', shown)

    def test_credits(self):
        self.open('#about')
        self.assertShows('about', 'Petit dictionnaire bambara–français\n'
                                  'Awa Traoré et Moussa Diarra\n'
                                  'Source : Écrit à la main pour les tests\n'
                                  'Licence : CC BY-SA 4.0\n'
                                  'Site écrit par lexora-data export web ; il se lit sans réseau.')

    def test_phone_width(self):
        self.open('#KUMA')
        self.browser.set_window_size(360, 740)
        width = self.browser.execute_script('return window.innerWidth')
        self.assertLessEqual(width, 360)
        self.assertShows('entry', 'KUMA [kúma] N parole; W parler.\n'
                         '♦ Kumakanbaliyalamaninkadiyasababaliyakumakanbaliyalamaninkadiyasababali tɛ.')
        self.assertEqual(
            self.browser.execute_script('return document.documentElement.scrollWidth'), width)
        for element in ('search', 'entry'):
            with self.subTest(element):
                box = self.browser.execute_script(
                    'return arguments[0].getBoundingClientRect().toJSON()', self.field(element))
                self.assertGreaterEqual(box['left'], 0)
                self.assertLessEqual(box['right'], width)
                self.assertLess(box['top'], self.browser.execute_script('return innerHeight'))

    def test_the_shipped_dictionary(self):
        # The sample dictionary of res/ as a site: a search reaches its hand-written BA.
        sample = os.path.join(WORK.name, 'sample')
        subprocess.run([LEXORA_DATA, 'export', 'web',
                        os.path.join(SOURCE_DIR, '..', '..', '..', 'res'), sample], check=True)
        self.browser.get('about:blank')
        self.browser.get('file://' + urllib.parse.quote(os.path.join(sample, 'index.html')))
        self.field('search').click()
        self.type(['b', 'a'])
        self.wait.until(lambda b: self.field('entry').text.startswith('BA [ó] N mère.\n'))

    def test_hostile_text_stays_text(self):
        self.open('#S%C6%90B%C6%90N')
        self.assertShows('entry', SEBEN)
        self.open('#lexicon')
        self.type(list('s'))
        self.wait.until(lambda b: 'SƐBƐN écrire <script>' in self.field('lexicon-table').text)
        self.open('#french')
        self.field('french-search').click()
        self.type(list('ecrire'))
        self.wait.until(lambda b: '<script>' in self.field('french-results').text)
        self.assertIsNone(self.browser.execute_script('return window.lexoraRan'))


if __name__ == '__main__':
    if len(sys.argv) < 3:
        sys.exit('usage: tst_webexport.py LEXORA_DATA SOURCE_DIR [TEST...]')
    LEXORA_DATA, SOURCE_DIR = sys.argv[1], sys.argv[2]
    result = unittest.main(argv=sys.argv[:1] + sys.argv[3:], exit=False, verbosity=2).result
    WORK.cleanup()
    sys.exit(0 if result.wasSuccessful() and result.testsRun else 1)
