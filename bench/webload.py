#!/usr/bin/python3
# How fast a site written by `lexora-data export web` shows its first search result, in
# Debian's chromium (headless, a fresh profile, the site opened from the file system).
#
# Usage: /usr/bin/python3 bench/webload.py SITE_DIR WORD [--runs N]
#
# WORD is a headword of the site in search form. Each run opens the page afresh and
# reports, in ms from the start of the navigation:
#   ready       the headword list loaded and the search field working;
#   search      from typing WORD into the field (one input event) to its entry shown,
#               the letter's entries file loaded on the way;
#   ready+search  the two together: opening the page, then the first search result;
#   address     opening index.html#WORD to its entry shown.
# It prints the median and the worst of the runs, and the sizes of the files loaded.

import argparse
import os
import statistics
import tempfile
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

TYPE_AND_WAIT = """
const [word, done] = arguments;
const entry = document.getElementById('entry');
const field = document.getElementById('search');
const start = performance.now();
const observer = new MutationObserver(() => {
  if (entry.textContent.startsWith(word)) {
    observer.disconnect();
    done(performance.now() - start);
  }
});
observer.observe(entry, {childList: true, subtree: true, characterData: true});
field.value = word;
field.dispatchEvent(new Event('input', {bubbles: true}));
"""


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                     '--no-first-run', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync',
                     '--user-data-dir=' + profile, '--window-size=1024,768'):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('site')
    parser.add_argument('word')
    parser.add_argument('--runs', type=int, default=10)
    args = parser.parse_args()
    page = 'file://' + urllib.parse.quote(os.path.abspath(os.path.join(args.site, 'index.html')))
    times = {'ready': [], 'search': [], 'ready+search': [], 'address': []}
    with tempfile.TemporaryDirectory() as profile:
        chromium = browser(profile)
        wait = WebDriverWait(chromium, 30)
        chromium.set_script_timeout(30)
        try:
            for _ in range(args.runs):
                chromium.get('about:blank')
                chromium.get(page)
                wait.until(lambda b: b.execute_script(
                    "return performance.getEntriesByName('lexora-ready').length"))
                ready = chromium.execute_script(
                    "return performance.getEntriesByName('lexora-ready')[0].startTime")
                search = chromium.execute_async_script(TYPE_AND_WAIT, args.word)
                times['ready'].append(ready)
                times['search'].append(search)
                times['ready+search'].append(ready + search)
                chromium.get('about:blank')
                chromium.get(page + '#' + urllib.parse.quote(args.word))
                wait.until(lambda b: b.execute_script(
                    'return document.documentElement.dataset.firstEntry'))
                times['address'].append(float(chromium.execute_script(
                    'return document.documentElement.dataset.firstEntry')))
        finally:
            chromium.quit()
    for name, values in times.items():
        print('%-13s median %7.1f ms   worst %7.1f ms   (%d runs)'
              % (name, statistics.median(values), max(values), len(values)))
    sizes = {name: os.path.getsize(os.path.join(args.site, name)) for name in os.listdir(args.site)}
    entries = [size for name, size in sizes.items() if name.startswith('entries-')]
    print('headwords.js %.2f MB, entries files %.2f MB in all (largest %.2f MB), '
          'whole site %.2f MB' % (sizes['headwords.js'] / 1e6, sum(entries) / 1e6,
                                  max(entries) / 1e6, sum(sizes.values()) / 1e6))


if __name__ == '__main__':
    main()
