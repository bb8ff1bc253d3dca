#!/usr/bin/env python3
"""Every Russian text of the program is marked for translation and translated into English.

Runs lupdate, as the build's update_translations does, on a copy of translations/tablitor_en.ts
and fails when the copy gains a text (a marked text the file does not hold yet), keeps one the
sources no longer have, or holds an entry that is not finished; then fails for every Russian
string literal of the sources that is no part of an extracted text, that is, one not marked.

usage: check_translations.py LUPDATE SOURCE_DIR
"""

import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

FOLDERS = ("core", "platform", "report", "ui")
LUPDATE_OPTIONS = ["-source-language", "ru", "-target-language", "en", "-locations", "none",
                   "-tr-function-alias", "translate+=Tr,QT_TRANSLATE_NOOP+=TR_NOOP"]
CYRILLIC = re.compile("[\u0400-\u04FF]")
STRING = re.compile(r'"((?:[^"\\\n]|\\.)*)"')


def messages(ts_path):
    root = ET.parse(ts_path).getroot()
    for context in root.iter("context"):
        for message in context.iter("message"):
            yield (context.findtext("name"), message.findtext("source"), message.find("translation"))


def without_comments(text):
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return "\n".join(re.sub(r'^((?:[^"/]|"(?:[^"\\\n]|\\.)*"|/(?!/))*)//.*$', r"\1", line)
                     for line in text.split("\n"))


ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


def unescaped(literal):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(0)), literal)


def main():
    lupdate, source_dir = sys.argv[1], pathlib.Path(sys.argv[2])
    committed = source_dir / "translations" / "tablitor_en.ts"
    faults = []
    with tempfile.TemporaryDirectory() as work:
        copy = pathlib.Path(work) / "tablitor_en.ts"
        shutil.copy(committed, copy)
        sources = [str(p) for folder in FOLDERS for p in sorted((source_dir / folder).rglob("*"))
                   if p.suffix in (".cpp", ".h")]
        subprocess.run([lupdate, *LUPDATE_OPTIONS, *sources, "-ts", str(copy)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        before = {(c, s) for c, s, _ in messages(committed)}
        for context, source, translation in messages(copy):
            state = translation.get("type")
            if (context, source) not in before:
                faults.append(f"not in the .ts file yet (run the target update_translations): {context}: {source!r}")
            elif state in ("vanished", "obsolete"):
                faults.append(f"no longer in the sources: {context}: {source!r}")
            elif state == "unfinished" or not (translation.text or "").strip():
                faults.append(f"not translated: {context}: {source!r}")
        extracted = [s for _, s, _ in messages(copy)]
    for path in sources:
        text = without_comments(pathlib.Path(path).read_text(encoding="utf-8"))
        for literal in STRING.findall(text):
            piece = unescaped(literal)
            if CYRILLIC.search(piece) and not any(piece in source for source in extracted):
                faults.append(f"not marked for translation: {path}: {piece!r}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
