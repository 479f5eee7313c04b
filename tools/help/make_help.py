#!/usr/bin/env python3
"""Builds tidewar.hlp and tidewar.chm from the help text, with the context numbers the program asks for.

    make_help.py SOURCE.but OUTDIR

halibut writes both files; WinHelp files get no context-number map from it (an empty |CTXOMAP),
so this tool looks up the topic of each context string below in |CONTEXT and appends a filled
|CTXOMAP, pointing the internal directory at it. The layout of the internal files follows the
public description of the WinHelp format (helpfile.txt of helpdeco).
"""
import os
import struct
import subprocess
import sys

# Context number -> the \cfg{winhelp-topic} string of the topic it opens.
CONTEXT_MAP = {6: "options"}

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


def add_context_map(path):
    data = bytearray(open(path, "rb").read())
    magic, directory, _, _ = struct.unpack_from("<IIiI", data, 0)
    if magic != HLP_MAGIC:
        raise ValueError(path + ": not a WinHelp file")
    files = {name: (offset, where) for name, offset, where in btree_entries(data, directory, directory_entry)}
    topics = dict(btree_entries(data, files["|CONTEXT"][0], context_entry))
    records = b""
    for number, name in sorted(CONTEXT_MAP.items()):
        records += struct.pack("<II", number, topics[context_hash(name)])
    body = struct.pack("<H", len(CONTEXT_MAP)) + records
    new_file = len(data)
    data += struct.pack("<IIB", len(body) + 9, len(body), 0) + body
    struct.pack_into("<I", data, files["|CTXOMAP"][1], new_file)
    struct.pack_into("<I", data, 12, len(data))
    open(path, "wb").write(data)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: make_help.py SOURCE.but OUTDIR\n")
        return 2
    source, out = argv[1], argv[2]
    os.makedirs(out, exist_ok=True)
    hlp, chm = os.path.join(out, "tidewar.hlp"), os.path.join(out, "tidewar.chm")
    subprocess.run(["halibut", "--winhelp=" + hlp, "--chm=" + chm, source], check=True)
    os.remove(os.path.join(out, "tidewar.cnt"))     # the contents topic serves instead
    add_context_map(hlp)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
