#!/usr/bin/env python3
"""Writes a zip archive that is the same, byte for byte, whenever the same files go in.

    make_zip.py ARCHIVE FOLDER

The archive holds FOLDER's files under FOLDER's own name, in sorted order, each dated
SOURCE_DATE_EPOCH (seconds since 1970, UTC; the zip format starts at 1980, so earlier dates
become 1980-01-01) and with mode 644. Nothing of the machine that packs it (owner, file times
and modes, the order of the folder listing) reaches the archive. It is written
beside ARCHIVE first and moved into place only when complete.
"""

import os
import sys
import time
import zipfile

ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)


def fixed_date():
    text = os.environ.get("SOURCE_DATE_EPOCH")
    if text is None or not text.isdigit():
        raise SystemExit("make_zip.py: SOURCE_DATE_EPOCH must be set to whole seconds")
    return max(time.gmtime(int(text))[:6], ZIP_EPOCH)


def members(folder):
    """Paths of all files below folder, relative to its parent, sorted, with '/' separators."""
    base = os.path.dirname(os.path.abspath(folder))
    found = []
    for parent, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(parent, name)
            found.append((os.path.relpath(path, base).replace(os.sep, "/"), path))
    return sorted(found)


def main(argv):
    if len(argv) != 2:
        print("usage: make_zip.py ARCHIVE FOLDER", file=sys.stderr)
        return 2
    archive, folder = argv
    if not os.path.isdir(folder):
        print(f"make_zip.py: {folder} is not a folder", file=sys.stderr)
        return 2
    date = fixed_date()
    partial = archive + ".partial"
    with zipfile.ZipFile(partial, "w") as out:
        for name, path in members(folder):
            info = zipfile.ZipInfo(name, date)
            info.create_system = 3  # Unix, so that the mode below is read as one
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                out.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, archive)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
