#!/usr/bin/env python3
"""Checks the HTML help as tools/help/make_help.py makes it: every keyword the program opens has its page, whose
heading is that keyword; every page is well formed, plain HTML 4 that
Internet Explorer 4 shows (no scripts), reachable from the contents page and
linking back to it; every link between pages (and every #anchor) resolves.

  check_pages.py HELP_FOLDER TOPICS_FILE_OR_PROGRAM

The second argument is a program that prints the program's keyword table,
one "keyword<TAB>page" line each, keywords in the Windows code page 1252; or
a file holding that output."""
import html.entities
import os
import subprocess
import sys
from html.parser import HTMLParser
from urllib.parse import urlsplit, unquote

CONTENTS = 'index.htm'
VOID = {'br', 'hr', 'img', 'meta', 'link', 'input', 'area', 'base', 'col', 'param'}
# HTML 4 elements a help page may use; anything else is a typo or too new.
KNOWN = VOID | {
    'html', 'head', 'title', 'body', 'h1', 'h2', 'h3', 'p', 'a', 'b', 'i', 'u', 'em',
    'strong', 'code', 'pre', 'tt', 'ul', 'ol', 'li', 'dl', 'dt', 'dd', 'table', 'tr',
    'th', 'td', 'span', 'div', 'small', 'big', 'sub', 'sup', 'blockquote', 'center', 'font',
}
FORBIDDEN = {'script', 'object', 'embed', 'applet', 'iframe', 'frame', 'frameset', 'form'}


class Page(HTMLParser):
    def __init__(self, name):
        super().__init__(convert_charrefs=False)
        self.name = name
        self.errors = []
        self.stack = []
        self.links = []      # (href, line)
        self.anchors = set()
        self.h1 = []
        self.in_h1 = False
        self.title = ''
        self.in_title = False
        self.doctype = ''
        self.tags = set()

    def error_at(self, text):
        self.errors.append('%s:%d: %s' % (self.name, self.getpos()[0], text))

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        if tag in FORBIDDEN:
            self.error_at('<%s> is not allowed in the help' % tag)
        elif tag not in KNOWN:
            self.error_at('unknown element <%s>' % tag)
        a = dict(attrs)
        for name, value in attrs:
            if name.startswith('on'):
                self.error_at('script attribute %s' % name)
            if value is None and name not in ('nowrap', 'compact', 'noshade'):
                self.error_at('attribute %s without a value' % name)
        for key in ('id', 'name'):
            if key in a and tag in ('a', 'h1', 'h2', 'h3', 'p', 'table', 'div', 'dt'):
                self.anchors.add(a[key])
        for key in ('href', 'src'):
            if key in a:
                self.links.append((a[key], self.getpos()[0]))
        if tag == 'h1':
            self.in_h1 = True
        if tag == 'title':
            self.in_title = True
        if tag not in VOID:
            self.stack.append((tag, self.getpos()[0]))

    def handle_startendtag(self, tag, attrs):
        self.error_at('XML-style <%s/> is not HTML 4' % tag)

    def handle_endtag(self, tag):
        if tag in VOID:
            self.error_at('</%s> closes an empty element' % tag)
            return
        if not self.stack:
            self.error_at('</%s> without an open element' % tag)
            return
        open_tag, line = self.stack.pop()
        if open_tag != tag:
            self.error_at('</%s> closes <%s> of line %d' % (tag, open_tag, line))
            self.stack.append((open_tag, line))
        if tag == 'h1':
            self.in_h1 = False
        if tag == 'title':
            self.in_title = False

    def text(self, data):
        if self.in_h1:
            self.h1.append(data)
        if self.in_title:
            self.title += data

    def handle_data(self, data):
        if '<' in data or '>' in data:
            self.error_at('unescaped < or > in text')
        if '&' in data:
            self.error_at('unescaped &')
        self.text(data)

    def handle_entityref(self, name):
        if name not in html.entities.name2codepoint:
            self.error_at('unknown entity &%s;' % name)
            return
        self.text(chr(html.entities.name2codepoint[name]))

    def handle_charref(self, name):
        self.text(chr(int(name[1:], 16) if name[:1] in 'xX' else int(name)))


def read_topics(source):
    if os.access(source, os.X_OK) and not source.endswith('.txt'):
        raw = subprocess.run([source], check=True, stdout=subprocess.PIPE).stdout
    else:
        with open(source, 'rb') as f:
            raw = f.read()
    topics = []
    for line in raw.decode('cp1252').splitlines():
        if line:
            keyword, page = line.split('\t')
            topics.append((keyword, page))
    return topics


def main(folder, topics_source):
    errors = []
    pages = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if not name.endswith('.htm'):
            if not name.endswith('.css'):
                errors.append('%s: only .htm pages and the style sheet belong here' % name)
            continue
        raw = open(path, 'rb').read()
        if any(b > 127 for b in raw):
            errors.append('%s: characters beyond ASCII; write them as entities' % name)
        p = Page(name)
        p.feed(raw.decode('ascii', 'replace'))
        p.close()
        for tag, line in p.stack:
            p.errors.append('%s:%d: <%s> is never closed' % (name, line, tag))
        if 'HTML 4.01' not in p.doctype:
            p.errors.append('%s: no HTML 4.01 document type' % name)
        for tag in ('html', 'head', 'title', 'body', 'h1'):
            if tag not in p.tags:
                p.errors.append('%s: no <%s>' % (name, tag))
        if b'charset=windows-1252' not in raw:
            p.errors.append('%s: no windows-1252 charset' % name)
        errors += p.errors
        pages[name] = p

    # Links between pages.
    for name, p in pages.items():
        if name != CONTENTS and not any(h == CONTENTS for h, _ in p.links):
            errors.append('%s: no link back to the contents page' % name)
        for href, line in p.links:
            parts = urlsplit(href)
            if parts.scheme in ('http', 'https', 'mailto'):
                continue
            if parts.scheme or parts.netloc or href.startswith('/'):
                errors.append('%s:%d: %s leaves the help folder' % (name, line, href))
                continue
            target = unquote(parts.path) or name
            if not os.path.isfile(os.path.join(folder, target)):
                errors.append('%s:%d: %s does not exist' % (name, line, href))
            elif parts.fragment and target in pages and parts.fragment not in pages[target].anchors:
                errors.append('%s:%d: %s has no anchor %s' % (name, line, target, parts.fragment))

    # Every page can be reached from the contents page.
    seen, todo = set(), [CONTENTS]
    while todo:
        name = todo.pop()
        if name in seen or name not in pages:
            continue
        seen.add(name)
        for href, _ in pages[name].links:
            parts = urlsplit(href)
            if not parts.scheme and parts.path:
                todo.append(unquote(parts.path))
    for name in sorted(set(pages) - seen):
        errors.append('%s: cannot be reached from %s' % (name, CONTENTS))

    # Every keyword the program opens leads to the page of its topic.
    topics = read_topics(topics_source)
    if not topics:
        errors.append('the program lists no help keywords')
    for keyword, page in topics:
        if page not in pages:
            errors.append('keyword "%s": page %s is missing' % (keyword, page))
            continue
        heading = ' '.join(''.join(pages[page].h1).split())
        if heading != keyword:
            errors.append('keyword "%s": %s is headed "%s"' % (keyword, page, heading))

    for e in errors:
        print(e)
    print('%d pages, %d keywords: %s' % (len(pages), len(topics), 'FAILED' if errors else 'ok'))
    return 1 if errors else 0


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
