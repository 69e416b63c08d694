#!/usr/bin/env python3
"""Writes the window's string tables, English and every language of LINGUAS,
from the catalogs: each entry whose context names a text identifier becomes
that string resource. A plural entry becomes ten, one for each count 0 to 9,
in the form the language's plural rule picks. An untranslated text is left
out, so that the program shows the English one.

    window-texts.py PO_DIR IDS_HEADER OUTPUT.rc
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pofile  # noqa: E402

# Windows' language and sublanguage of each catalog.
LANGUAGES = {
    'de': ('LANG_GERMAN', 'SUBLANG_GERMAN'),
    'es': ('LANG_SPANISH', 'SUBLANG_SPANISH_MODERN'),
    'fr': ('LANG_FRENCH', 'SUBLANG_FRENCH'),
    'it': ('LANG_ITALIAN', 'SUBLANG_ITALIAN'),
    'ja': ('LANG_JAPANESE', 'SUBLANG_DEFAULT'),
    'pl': ('LANG_POLISH', 'SUBLANG_DEFAULT'),
    'pt_BR': ('LANG_PORTUGUESE', 'SUBLANG_PORTUGUESE_BRAZILIAN'),
    'ru': ('LANG_RUSSIAN', 'SUBLANG_DEFAULT'),
    'zh_CN': ('LANG_CHINESE', 'SUBLANG_CHINESE_SIMPLIFIED'),
}
PLURAL_COUNTS = range(10)


# The resource compiler reads the script as ASCII: every other character is
# written as its UTF-16 units, four hex digits each.
def rc_string(text):
    out = []
    for ch in text:
        if ch == '\\':
            out.append('\\\\')
        elif ch == '"':
            out.append('""')
        elif ch == '\n':
            out.append('\\n')
        elif ' ' <= ch <= '~':
            out.append(ch)
        else:
            units = ch.encode('utf-16-le')
            for i in range(0, len(units), 2):
                out.append('\\x%04X' % int.from_bytes(units[i:i + 2], 'little'))
    return 'L"%s"' % ''.join(out)


def identifiers(header):
    with open(header, encoding='utf-8') as f:
        return set(re.findall(r'^#define\s+(IDS_\w+)\s', f.read(), re.M))


def table(entries, known, rule=None, english=False):
    rows = []
    for entry in entries:
        if not entry.context or not entry.context.startswith('IDS_'):
            continue
        if entry.context not in known:
            raise SystemExit('window-texts.py: %s has no identifier' % entry.context)
        if entry.plural is not None:
            for n in PLURAL_COUNTS:
                if english:
                    text = entry.msgid if n == 1 else entry.plural
                else:
                    text = entry.msgstr.get(rule(n), '')
                if text:
                    rows.append('    %s + %d, %s' % (entry.context, n, rc_string(text)))
        else:
            text = entry.msgid if english else entry.msgstr.get(0, '')
            if text and 'fuzzy' not in entry.flags:
                rows.append('    %s, %s' % (entry.context, rc_string(text)))
    return rows


def main():
    po_dir, header, output = sys.argv[1:4]
    known = identifiers(header)
    parts = ['// Made from the catalogs in po/ by po/window-texts.py; changes go there.',
             '#include <windows.h>', '#include "%s"' % os.path.basename(header), '',
             '']
    template = pofile.read(os.path.join(po_dir, 'tallywise.pot'))
    sections = [('LANG_ENGLISH', 'SUBLANG_ENGLISH_US', table(template, known, english=True))]
    with open(os.path.join(po_dir, 'LINGUAS'), encoding='utf-8') as f:
        languages = f.read().split()
    for language in languages:
        entries = pofile.read(os.path.join(po_dir, language + '.po'))
        _, rule = pofile.plural_rule(entries)
        sections.append(LANGUAGES[language] + (table(entries, known, rule),))
    for primary, sub, rows in sections:
        parts += ['LANGUAGE %s, %s' % (primary, sub), 'STRINGTABLE', 'BEGIN'] + rows + ['END', '']
    text = '\n'.join(parts)
    # Written only when it changes, so that a build after a touch of a
    # catalog compiles nothing more than it must.
    if os.path.exists(output):
        with open(output, encoding='utf-8') as f:
            if f.read() == text:
                return
    with open(output, 'w', encoding='utf-8') as f:
        f.write(text)


if __name__ == '__main__':
    main()
