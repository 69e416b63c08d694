#!/usr/bin/env python3
"""Fails when a catalog would show the user something broken: a text missing
or left fuzzy, a placeholder lost, added or moved, an access key lost or
doubled, blanks at the ends that no longer do their work, a line of the
tool's help wider than a terminal, or a window text that the program would
no longer find because its English changed in one place only.

    check-catalogs.py PO_DIR [SOURCE_FILE]...

The source files are those that hold the English of the prompts and the
computing faults, which the tool looks up by their English.
"""
import os
import re
import subprocess
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pofile  # noqa: E402

PLACEHOLDER = re.compile(r'%[csd]')
# Texts of the window alone: the tool never looks them up.
WINDOW_ONLY = {'IDS_FAULT_CAPTION', 'IDS_PROMPT_TOO_LONG'}
ACCESS_KEY = re.compile(r'&(?!&)(.)')


def columns(text):
    return sum(2 if unicodedata.east_asian_width(ch) in 'WF' else 1 for ch in text)


def access_keys(text):
    return [match.group(1) for match in ACCESS_KEY.finditer(text.replace('&&', ''))]


def leading(text):
    return len(text) - len(text.lstrip(' '))


def trailing(text):
    return len(text) - len(text.rstrip(' '))


def in_system_menu(entry):
    context = entry.context or ''
    return context == 'IDS_ABOUTBOX' or (context.startswith('IDS_MENU_') and
                                         not context.startswith('IDS_MENU_LANGUAGE_'))


def check_text(english, text, entry, where, faults):
    if PLACEHOLDER.findall(english) != PLACEHOLDER.findall(text):
        faults.append('%s: placeholders %s, English has %s' %
                      (where, PLACEHOLDER.findall(text), PLACEHOLDER.findall(english)))
    english_keys, keys = access_keys(english), access_keys(text)
    if len(english_keys) != len(keys):
        faults.append('%s: %d access keys, English has %d' % (where, len(keys), len(english_keys)))
    elif any(not key.isalnum() for key in keys):
        faults.append('%s: an access key on %r, not on a letter' % (where, keys))
    if leading(english) != leading(text):
        faults.append('%s: %d blanks at the start, English has %d' % (where, leading(text), leading(english)))
    if (trailing(english) > 0) != (trailing(text) > 0):
        faults.append('%s: %d blanks at the end, English has %d' % (where, trailing(text), trailing(english)))
    if entry.context is None:
        for line in text.split('\n'):
            if columns(line) > 80:
                faults.append('%s: a line of %d columns: %s' % (where, columns(line), line))


def check_language(template, path, faults):
    entries = pofile.read(path)
    name = os.path.basename(path)
    forms, _ = pofile.plural_rule(entries)
    translated = {entry.key: entry for entry in entries if entry.msgid}
    wanted = {entry.key for entry in template if entry.msgid}
    for key in translated:
        if key not in wanted:
            faults.append('%s: %r is not in the template' % (name, key[1][:40]))
    menu_keys = {}
    for english in template:
        if not english.msgid:
            continue
        where = '%s: %s %r' % (name, english.context or '', english.msgid[:40])
        entry = translated.get(english.key)
        if entry is None:
            faults.append(where + ': missing')
            continue
        if 'fuzzy' in entry.flags:
            faults.append(where + ': fuzzy')
        if english.plural is not None:
            texts = [entry.msgstr.get(i, '') for i in range(forms)]
            originals = [english.plural] * forms
        else:
            texts = [entry.msgstr.get(0, '')]
            originals = [english.msgid]
        for original, text in zip(originals, texts):
            if not text:
                faults.append(where + ': not translated')
                continue
            check_text(original, text, entry, where, faults)
        if in_system_menu(english) and texts[0]:
            menu_keys[english.msgid] = [key.lower() for key in access_keys(texts[0])]
    english_menu = [key.lower() for e in template if in_system_menu(e) for key in access_keys(e.msgid)]
    keys = [key for found in menu_keys.values() for key in found]
    if len(set(english_menu)) == len(english_menu) and len(set(keys)) != len(keys):
        faults.append('%s: the system menu\'s entries share access keys: %s' % (name, menu_keys))
    result = subprocess.run(['msgfmt', '--check', '-o', os.devnull, path], capture_output=True, text=True)
    if result.returncode != 0:
        faults.append('%s: msgfmt --check: %s' % (name, result.stderr.strip()))


def check_sources(template, sources, faults):
    text = ''
    for source in sources:
        with open(source, encoding='utf-8') as f:
            text += f.read()
    for entry in template:
        if entry.context and re.match(r'IDS_(PROMPT|FAULT)_', entry.context) and entry.context not in WINDOW_ONLY:
            literal = '"%s"' % entry.msgid.replace('\\', '\\\\').replace('"', '\\"')
            if literal not in text:
                faults.append('tallywise.pot: %s %r is not the English the program writes' %
                              (entry.context, entry.msgid))


def main():
    po_dir = sys.argv[1]
    template = pofile.read(os.path.join(po_dir, 'tallywise.pot'))
    with open(os.path.join(po_dir, 'LINGUAS'), encoding='utf-8') as f:
        languages = f.read().split()
    faults = []
    for language in languages:
        check_language(template, os.path.join(po_dir, language + '.po'), faults)
    check_sources(template, sys.argv[2:], faults)
    for fault in faults:
        print(fault)
    print('%d languages, %d texts, %d faults' % (len(languages), sum(1 for e in template if e.msgid), len(faults)))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
