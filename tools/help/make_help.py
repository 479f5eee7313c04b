#!/usr/bin/env python3
"""Builds the help files of each language from its text, with the context numbers the program asks for.

    make_help.py OUTDIR VERSION SOURCE.but...

tidewar-de.but gives tidewar-de.chm (HTML Help) and tidewar-de.hlp (WinHelp), where the text
fits one of WinHelp's code pages below. The text says @VERSION@ where the program's version goes.

WinHelp files get no context-number map from halibut (an empty |CTXOMAP), so this tool looks up
the topic of each context string below in |CONTEXT and appends a filled |CTXOMAP, pointing the
internal directory at it. It also sets the charset that the text is written in, puts the
context strings in the order the viewers search them, and labels halibut's buttons as the
text asks: \cfg{tidewar-button}{btn_up}{&Nach oben} (btn_about, btn_up). HTML Help files get
the language of their text, \cfg{tidewar-lcid}{0407}. The layout of the internal files follows
the public description of the WinHelp format (helpfile.txt of helpdeco).
"""
import os
import re
import struct
import subprocess
import sys

# Context number -> the \cfg{winhelp-topic} string of the topic it opens.
CONTEXT_MAP = {6: "options"}

# The code pages of WinHelp text, each with its font charset: ANSI, RUSSIAN.
WINHELP_CHARSETS = {"cp1252": 0, "cp1251": 204}

HLP_MAGIC = 0x00035F3F
BTREE_MAGIC = 0x293B


def context_hash(name):
    """WinHelp's hash of a context string, as stored in |CONTEXT."""
    value = 0
    for c in name.upper():
        if "A" <= c <= "Z":
            digit = ord(c) - ord("A") + 17
        elif "1" <= c <= "9":
            digit = ord(c) - ord("0")
        else:
            digit = {"0": 10, ".": 12, "_": 13}.get(c, 0)
        if digit:
            value = (value * 43 + digit) & 0xFFFFFFFF
    return value


def btree_entries(data, start, read_entry):
    """Every entry of the B+ tree of the internal file at `start`, leaf by leaf."""
    magic, _, page_size = struct.unpack_from("<HHH", data, start + 9)
    if magic != BTREE_MAGIC:
        raise ValueError("not a B+ tree at %d" % start)
    root, = struct.unpack_from("<h", data, start + 9 + 26)
    levels, = struct.unpack_from("<H", data, start + 9 + 32)
    pages = start + 9 + 38
    page = root
    for _ in range(levels - 1):             # the first page of each index level leads down
        page, = struct.unpack_from("<h", data, pages + page * page_size + 4)
    found = []
    while page != -1:
        at = pages + page * page_size
        count, _, following = struct.unpack_from("<hhh", data, at + 2)
        at += 8
        for _ in range(count):
            entry, at = read_entry(data, at)
            found.append(entry)
        page = following
    return found


def directory_entry(data, at):
    end = data.index(b"\0", at)
    offset, = struct.unpack_from("<I", data, end + 1)
    return (data[at:end].decode("latin-1"), offset, end + 1), end + 5


def context_entry(data, at):
    return struct.unpack_from("<II", data, at), at + 8


def replace_file(data, where, body):
    """Appends a new copy of an internal file and points its directory entry (at `where`) to it."""
    new_file = len(data)
    data += struct.pack("<IIB", len(body) + 9, len(body), 0) + body
    struct.pack_into("<I", data, where, new_file)
    struct.pack_into("<I", data, 12, len(data))


def context_map(data, files):
    topics = dict(btree_entries(data, files["|CONTEXT"][0], context_entry))
    records = b""
    for number, name in sorted(CONTEXT_MAP.items()):
        records += struct.pack("<II", number, topics[context_hash(name)])
    return struct.pack("<H", len(CONTEXT_MAP)) + records


def sort_context_hashes(data, context):
    """Viewers search |CONTEXT by hash as a signed number; halibut sorts it unsigned, so a topic
    whose hash has the top bit set could not be found by name (a link to it would open nothing).
    The topics of these files fit one leaf page, whose records are put in signed order."""
    _, _, page_size = struct.unpack_from("<HHH", data, context + 9)
    root, = struct.unpack_from("<h", data, context + 9 + 26)
    levels, = struct.unpack_from("<H", data, context + 9 + 32)
    if levels != 1:
        raise ValueError("|CONTEXT spans more than one page")
    at = context + 9 + 38 + root * page_size
    count, = struct.unpack_from("<h", data, at + 2)
    records = sorted(struct.unpack_from("<iI", data, at + 8 + 8 * i) for i in range(count))
    data[at + 8:at + 8 + 8 * count] = b"".join(struct.pack("<iI", *record) for record in records)


def system_records(data, system, charset, labels):
    """|SYSTEM with the charset of the text in its record CHARSET (11), by which the viewer picks
    its fonts, and halibut's buttons, made by macro records (4), under the labels given."""
    used, = struct.unpack_from("<I", data, system + 4)
    at, end = system + 9 + 12, system + 9 + used
    body = bytes(data[system + 9:at])
    while at + 4 <= end:
        kind, length = struct.unpack_from("<HH", data, at)
        record = bytes(data[at + 4:at + 4 + length])
        if kind == 11:
            record = bytes([charset]) + record[1:]
        for button, label in labels if kind == 4 else ():
            record = re.sub(b'^CB\\("' + button + b'","[^"]*"', lambda _: b'CB("' + button + b'","' + label + b'"', record)
        body += struct.pack("<HH", kind, len(record)) + record
        at += 4 + length
    return body


def finish_winhelp(path, charset, labels):
    data = bytearray(open(path, "rb").read())
    magic, directory, _, _ = struct.unpack_from("<IIiI", data, 0)
    if magic != HLP_MAGIC:
        raise ValueError(path + ": not a WinHelp file")
    files = {name: (offset, where) for name, offset, where in btree_entries(data, directory, directory_entry)}
    sort_context_hashes(data, files["|CONTEXT"][0])
    replace_file(data, files["|SYSTEM"][1], system_records(data, files["|SYSTEM"][0], charset, labels))
    replace_file(data, files["|CTXOMAP"][1], context_map(data, files))
    open(path, "wb").write(data)


def winhelp_text(text):
    """halibut writes WinHelp text in code page 1252 only. A text that another code page below
    can write goes in as the 1252 characters of its bytes, and the file says which it is."""
    for code_page, charset in WINHELP_CHARSETS.items():
        try:
            return text.encode(code_page).decode("cp1252"), charset
        except UnicodeError:
            pass
    return None, None


def run_halibut(option, text, source):
    """halibut reads files only: the text goes through one beside the output."""
    with open(source, "w", encoding="utf-8") as f:
        f.write(text)
    try:
        subprocess.run(["halibut", option, source], check=True)
    finally:
        os.remove(source)


def make_winhelp(text, charset, base):
    """WinHelp titles name a numbered chapter by its number, so this pass gets every chapter
    unnumbered; their keywords only name the HTML pages."""
    run_halibut("--winhelp=" + base + ".hlp", re.sub(r"^\\C\{\w+\}", r"\\U", text, flags=re.MULTILINE), base + ".whlp.but")
    os.remove(base + ".cnt")     # the contents topic serves instead
    labels = re.findall(r"^\\cfg\{tidewar-button\}\{(\w+)\}\{(.*)\}$", text, flags=re.MULTILINE)
    finish_winhelp(base + ".hlp", charset, [(button.encode(), label.encode("cp1252")) for button, label in labels])


def encint(data, at):
    """An ITSF directory's variable-length number: 7 bits a byte, high bit set on all but the last."""
    value = 0
    while True:
        value = value << 7 | data[at] & 0x7F
        at += 1
        if data[at - 1] < 0x80:
            return value, at


def chm_stored_file(data, name):
    """Where an uncompressed file (section 0) of an HTML Help file starts."""
    directory, = struct.unpack_from("<Q", data, 0x48)
    content, = struct.unpack_from("<Q", data, 0x58)
    chunk_size, = struct.unpack_from("<I", data, directory + 0x10)
    chunks, = struct.unpack_from("<I", data, directory + 0x28)
    for chunk in range(directory + 0x54, directory + 0x54 + chunks * chunk_size, chunk_size):
        if data[chunk:chunk + 4] != b"PMGL":
            continue
        at, end = chunk + 20, chunk + chunk_size - struct.unpack_from("<I", data, chunk + 4)[0]
        while at < end:
            length, at = encint(data, at)
            entry, at = data[at:at + length], at + length
            section, at = encint(data, at)
            offset, at = encint(data, at)
            _, at = encint(data, at)
            if entry == name and section == 0:
                return content + offset
    raise ValueError("no %s stored in the HTML Help file" % name.decode())


def set_chm_language(path, lcid):
    """halibut marks every HTML Help file British English; the viewer reads the contents and the
    index in the code page of the file's language, set in the header and in #SYSTEM record 4."""
    data = bytearray(open(path, "rb").read())
    if data[:4] != b"ITSF":
        raise ValueError(path + ": not an HTML Help file")
    struct.pack_into("<I", data, 0x14, lcid)
    at = chm_stored_file(data, b"/#SYSTEM") + 4
    while struct.unpack_from("<H", data, at)[0] != 4:
        at += 4 + struct.unpack_from("<H", data, at + 2)[0]
    struct.pack_into("<I", data, at + 4, lcid)
    open(path, "wb").write(data)


def main(argv):
    if len(argv) < 4:
        sys.stderr.write("usage: make_help.py OUTDIR VERSION SOURCE.but...\n")
        return 2
    out, version = argv[1], argv[2]
    os.makedirs(out, exist_ok=True)
    for source in argv[3:]:
        base = os.path.join(out, os.path.splitext(os.path.basename(source))[0])
        text = open(source, encoding="utf-8").read().replace("@VERSION@", version)
        run_halibut("--chm=" + base + ".chm", text, base + ".chm.but")
        language = re.search(r"^\\cfg\{tidewar-lcid\}\{(\w+)\}$", text, flags=re.MULTILINE).group(1)
        set_chm_language(base + ".chm", int(language, 16))
        text, charset = winhelp_text(text)
        if text:
            make_winhelp(text, charset, base)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
