#!/usr/bin/env python3
"""Makes the help files of every language into a scratch folder and reads them back: context 6
of each WinHelp file opens the options topic, each HTML Help file holds the options page, each in
its own language and charset and with the version given; no title carries a chapter number.

    help_files_test.py REPO SCRATCH
"""
import os
import re
import shutil
import struct
import subprocess
import sys

# The files' names end in the language's suffix -> the title of its options topic, the
# language of its HTML Help file, by which the viewer reads the contents, and the name of the
# largest size, which the options page describes among the sizes of the Game menu.
LANGUAGES = {"": ("Options", 0x0409, "Triple size"), "-ru": ("Настройка игры", 0x0419, "Тройной размер"),
             "-de": ("Eigenschaften", 0x0407, "Dreifache Größe")}
# The font charsets of WinHelp text and their code pages.
CODE_PAGES = {0: "cp1252", 204: "cp1251"}


def title_entry(data, at):
    end = data.index(b"\0", at + 4)
    return struct.unpack_from("<I", data, at) + (data[at + 4:end],), end + 1


def record(data, at, kind):
    """Where the first record of the kind starts its data, in a run of (kind, length, data)."""
    while struct.unpack_from("<H", data, at)[0] != kind:
        at += 4 + struct.unpack_from("<H", data, at + 2)[0]
    return at + 4


def winhelp_context_title(path, number):
    """The title of the topic that the context number opens, read in the file's charset. The
    viewer finds a topic by name (a link) through a search of |CONTEXT by signed hash."""
    data = open(path, "rb").read()
    files = {name: offset for name, offset, _ in btree_entries(data, struct.unpack_from("<I", data, 4)[0], directory_entry)}
    hashes = [value - (value >> 31 << 32) for value, _ in btree_entries(data, files["|CONTEXT"], context_entry)]
    if hashes != sorted(hashes):
        return "names out of the viewer's order"
    count, = struct.unpack_from("<H", data, files["|CTXOMAP"] + 9)
    topics = dict(struct.unpack_from("<II", data, files["|CTXOMAP"] + 11 + 8 * i) for i in range(count))
    title = dict(btree_entries(data, files["|TTLBTREE"], title_entry)).get(topics.get(number))
    return title and title.decode(CODE_PAGES[data[record(data, files["|SYSTEM"] + 9 + 12, 11)]])


def html_help_page_title(path, scratch, want_language, want_size):
    """The options page's title, unless the page or the file says another language or charset, or
    the page lacks the version given or the largest size."""
    folder = os.path.join(scratch, os.path.basename(path) + ".unpacked")
    subprocess.run(["extract_chmLib", path, folder], check=True, stdout=subprocess.DEVNULL)
    system = open(os.path.join(folder, "#SYSTEM"), "rb").read()
    language, = struct.unpack_from("<I", system, record(system, 4, 4))
    if language != want_language:
        return "language %#x" % language
    page = open(os.path.join(folder, "options.html"), "rb").read()
    words = re.sub(rb"\s+", b" ", page)
    if b'charset=UTF-8"' not in page or b"Tidewar 7.3" not in page or want_size.encode() not in words:
        return None
    return re.search(r"<title>(.*)</title>", page.decode("utf-8")).group(1)


repo, scratch = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.join(repo, "tools", "help"))
from make_help import btree_entries, context_entry, directory_entry  # noqa: E402

shutil.rmtree(scratch, ignore_errors=True)
sources = [os.path.join(repo, "res", "help", "tidewar%s.but" % suffix) for suffix in LANGUAGES]
subprocess.run([sys.executable, os.path.join(repo, "tools", "help", "make_help.py"), scratch, "7.3"] + sources, check=True)
failed = False
for suffix, (want, language, size) in LANGUAGES.items():
    for path in (os.path.join(scratch, "tidewar%s.%s" % (suffix, kind)) for kind in ("hlp", "chm")):
        read = winhelp_context_title(path, 6) if path.endswith(".hlp") else html_help_page_title(path, scratch, language, size)
        if read != want:
            print("%s: the options topic reads %r, not %r" % (os.path.basename(path), read, want))
            failed = True
sys.exit(1 if failed else 0)
