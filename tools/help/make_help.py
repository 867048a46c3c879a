#!/usr/bin/env python3
"""Makes the HTML help from its sources: each help/*.htm holds the body of
one page, beginning with its <h1> heading; this puts the frame every page
shares around it (document type, the page's title taken from the heading,
the style sheet, the navigation bar and the footer) and copies the style
sheet beside the pages.

  make_help.py SOURCE_FOLDER OUT_FOLDER"""
import os
import re
import shutil
import sys

HEAD = '''<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">
<title>{title} - Velora 2001 Help</title>
<link rel="stylesheet" type="text/css" href="velora.css">
</head>
<body>
<table class="bar" width="100%" cellspacing="0" cellpadding="4">
<tr><td class="brand">Velora&reg; 2001 Help</td>
<td class="nav" align="right"><a href="index.htm">Contents</a> | <a href="messages.htm">Messages</a> | <a href="trouble.htm">Troubleshooting</a></td></tr>
</table>
'''
FOOT = '''<hr>
<p class="foot">Velora 2001 v5.1 &nbsp;&middot;&nbsp; Copyright &copy; 2001 Norwick Ltd. &nbsp;&middot;&nbsp; <a href="index.htm">Contents</a></p>
</body>
</html>
'''


def make(source, out):
    os.makedirs(out, exist_ok=True)
    for name in sorted(os.listdir(source)):
        path = os.path.join(source, name)
        if name.endswith('.css'):
            shutil.copyfile(path, os.path.join(out, name))
            continue
        if not name.endswith('.htm'):
            continue
        with open(path, encoding='ascii') as f:
            body = f.read()
        heading = re.match(r'<h1>(.*?)</h1>\n', body)
        if not heading:
            sys.exit('%s: a page begins with its <h1> heading' % path)
        title = re.sub(r'<[^>]*>', '', heading.group(1))
        with open(os.path.join(out, name), 'w', encoding='ascii', newline='\n') as f:
            f.write(HEAD.format(title=title) + body + FOOT)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    make(sys.argv[1], sys.argv[2])
