#!/usr/bin/env python3
"""Checks what tools/release made.

    check_dist.py DIST

DIST must hold exactly the Windows archive, the Debian package, the web archive and SHA256SUMS,
named with the project's version from CMakeLists.txt, and:
- SHA256SUMS lists every other file in DIST with its right checksum;
- the archive holds the 32-bit orvessan.scr, the 64-bit one in 64-bit/, INSTALL.txt naming the
  version and LICENSE.txt, under one folder, with Windows line ends in the texts;
- the web archive holds the site under one folder: index.html, its two scripts, the
  WebAssembly module that the element loads and LICENSE.txt;
- the package installs the hack to usr/libexec/xscreensaver/, its XML to
  usr/share/xscreensaver/config/, its desktop entry to usr/share/applications/screensavers/,
  its manual page to usr/share/man/man6/ and its copyright and changelog to
  usr/share/doc/orvessan/, owned by root, with the manual page and the changelog compressed
  without a name or a date and the changelog's entry for this version dated with the commit;
  and it carries its metadata: version, architecture, section, priority, maintainer,
  description and the X libraries it needs.

Exit status 0 when all holds, 1 with one line per problem otherwise.
"""

import email.utils
import gzip
import hashlib
import io
import os
import re
import struct
import subprocess
import sys
import tarfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PE_MACHINE = {"i386": 0x14C, "x86-64": 0x8664}


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt")) as f:
        found = re.search(r"^project\(orvessan VERSION ([0-9.]+)", f.read(), re.M)
    return found.group(1)


def pe_machine(data):
    """The machine field of a PE file's header, or None when data is no PE file."""
    if len(data) < 64 or data[:2] != b"MZ":
        return None
    offset = struct.unpack_from("<I", data, 60)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", data, offset + 4)[0]


class Check:
    def __init__(self):
        self.problems = []

    def that(self, condition, problem):
        if not condition:
            self.problems.append(problem)
        return condition


def check_sums(check, dist, expected):
    listed = {}
    with open(os.path.join(dist, "SHA256SUMS")) as f:
        for line in f:
            digest, name = line.rstrip("\n").split("  ", 1)
            listed[name] = digest
    check.that(sorted(listed) == sorted(expected), f"SHA256SUMS lists {sorted(listed)}")
    for name, digest in listed.items():
        path = os.path.join(dist, name)
        if check.that(os.path.isfile(path), f"SHA256SUMS lists {name}, which is missing"):
            with open(path, "rb") as f:
                actual = hashlib.sha256(f.read()).hexdigest()
            check.that(actual == digest, f"{name}: checksum {actual}, SHA256SUMS says {digest}")


def check_zip(check, path, version):
    top = f"orvessan-{version}-windows/"
    builds = {top + "orvessan.scr": "i386", top + "64-bit/orvessan.scr": "x86-64"}
    texts = [top + "INSTALL.txt", top + "LICENSE.txt"]
    with zipfile.ZipFile(path) as archive:
        names = archive.namelist()
        check.that(sorted(names) == sorted(list(builds) + texts), f"archive holds {names}")
        for name, machine in builds.items():
            if name in names:
                found = pe_machine(archive.read(name))
                check.that(found == PE_MACHINE[machine],
                           f"{name} is not a {machine} Windows program (machine {found})")
        for name in texts:
            if name in names:
                text = archive.read(name)
                check.that(text.count(b"\n") == text.count(b"\r\n") > 0,
                           f"{name} has no Windows line ends")
        if texts[0] in names:
            guide = archive.read(texts[0]).decode()
            for needed in (version, "System32", "SysWOW64", "Install", "64-bit\\orvessan.scr"):
                check.that(needed in guide, f"INSTALL.txt doesn't mention {needed!r}")
        if texts[1] in names:
            check.that(b"MIT License" in archive.read(texts[1]), "LICENSE.txt is no MIT licence")


def check_web_zip(check, path, version):
    top = f"orvessan-{version}-web/"
    site = ["index.html", "page.js", "orvessan-saver.js", "orvessan.wasm", "LICENSE.txt"]
    with zipfile.ZipFile(path) as archive:
        names = archive.namelist()
        check.that(sorted(names) == sorted(top + name for name in site),
                   f"web archive holds {names}")
        if top + "orvessan.wasm" in names:
            check.that(archive.read(top + "orvessan.wasm")[:4] == b"\0asm",
                       "orvessan.wasm is no WebAssembly module")
        if top + "index.html" in names:
            page = archive.read(top + "index.html").decode()
            check.that('src="page.js"' in page and "<orvessan-saver>" in page,
                       "index.html doesn't load page.js and hold the element")
        if top + "orvessan-saver.js" in names:
            script = archive.read(top + "orvessan-saver.js").decode()
            check.that("'orvessan.wasm'" in script and "customElements.define" in script,
                       "orvessan-saver.js doesn't define the element over orvessan.wasm")


def check_deb(check, path, version):
    listing = subprocess.run(["dpkg-deb", "-c", path], check=True, capture_output=True,
                             text=True).stdout.splitlines()
    files = {line.split()[-1]: line.split()[1] for line in listing}
    for wanted in ("./usr/libexec/xscreensaver/orvessan",
                   "./usr/share/xscreensaver/config/orvessan.xml",
                   "./usr/share/applications/screensavers/orvessan.desktop",
                   "./usr/share/man/man6/orvessan.6x.gz", "./usr/share/doc/orvessan/copyright",
                   "./usr/share/doc/orvessan/changelog.gz"):
        check.that(wanted in files, f"the package lacks {wanted}")
    check_docs(check, path, version)
    owners = sorted({owner for owner in files.values() if owner != "root/root"})
    check.that(not owners, f"the package has files owned by {owners}")

    fields = {}
    control = subprocess.run(["dpkg-deb", "-f", path], check=True, capture_output=True,
                             text=True).stdout
    for line in control.splitlines():
        if not line.startswith(" ") and ":" in line:
            key, value = line.split(":", 1)
            fields[key] = value.strip()
    arch = subprocess.run(["dpkg", "--print-architecture"], check=True, capture_output=True,
                          text=True).stdout.strip()
    for key, value in (("Package", "orvessan"), ("Version", version), ("Architecture", arch),
                       ("Section", "x11"), ("Priority", "optional")):
        check.that(fields.get(key) == value, f"package field {key}: {fields.get(key)!r}")
    check.that(re.fullmatch(r"[^<>]+ <[^<>@\s]+@[^<>@\s]+\.[a-z]+>", fields.get("Maintainer", "")),
               f"package field Maintainer is no 'name <address>': {fields.get('Maintainer')!r}")
    check.that(len(fields.get("Description", "")) > 10, "package has no Description")
    depends = fields.get("Depends", "")
    for library in ("libx11-6", "libxext6", "libc6"):
        check.that(re.search(rf"(^|[ ,]){library}( |,|$)", depends),
                   f"package doesn't depend on {library}: {depends!r}")


def commit_time():
    """The checkout's commit time, which tools/release takes as the release's date."""
    found = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"], capture_output=True,
                           text=True)
    return int(found.stdout) if found.returncode == 0 else None


def check_docs(check, path, version):
    """The compressed members carry no name or date; the changelog's entry names this version
    and the commit's date; the copyright file is in Debian's machine-readable format."""
    tar = subprocess.run(["dpkg-deb", "--fsys-tarfile", path], check=True,
                         capture_output=True).stdout
    members = {}
    with tarfile.open(fileobj=io.BytesIO(tar)) as archive:
        for member in archive.getmembers():
            if member.isfile():
                members[member.name] = archive.extractfile(member).read()
    for name in ("./usr/share/man/man6/orvessan.6x.gz", "./usr/share/doc/orvessan/changelog.gz"):
        data = members.get(name, b"")
        # Flags (byte 3) without a file name, time (bytes 4 to 7) zero: gzip -n.
        check.that(data[:3] == b"\x1f\x8b\x08" and data[3] & 0x08 == 0 and data[4:8] == bytes(4),
                   f"{name} is not compressed with gzip -n")
    changelog = members.get("./usr/share/doc/orvessan/changelog.gz")
    if changelog:
        lines = gzip.decompress(changelog).decode().splitlines()
        check.that(lines[0].startswith(f"orvessan ({version}) "),
                   f"the changelog starts with {lines[0]!r}")
        trailer = [line for line in lines if line.startswith(" -- ")]
        when = trailer[0].split(">  ", 1)[-1] if trailer else ""
        try:
            dated = email.utils.parsedate_to_datetime(when).timestamp()
        except (TypeError, ValueError):
            dated = None
        committed = commit_time()
        check.that(dated is not None and committed in (None, dated),
                   f"the changelog's entry is dated {when!r}, not with the commit")
    copyright = members.get("./usr/share/doc/orvessan/copyright", b"").decode()
    check.that(copyright.startswith(
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n") and
        "\nLicense: Expat\n" in copyright, "the copyright file is not in Debian's format")


def main(argv):
    if len(argv) != 1:
        print("usage: check_dist.py DIST", file=sys.stderr)
        return 2
    dist = argv[0]
    version = project_version()
    check = Check()
    archive = f"orvessan-{version}-windows.zip"
    arch = subprocess.run(["dpkg", "--print-architecture"], check=True, capture_output=True,
                          text=True).stdout.strip()
    package = f"orvessan_{version}_{arch}.deb"
    web = f"orvessan-{version}-web.zip"
    expected = [archive, package, web]
    present = sorted(os.listdir(dist))
    check.that(present == sorted(expected + ["SHA256SUMS"]), f"{dist} holds {present}")
    if check.that("SHA256SUMS" in present, "no SHA256SUMS"):
        check_sums(check, dist, expected)
    if archive in present:
        check_zip(check, os.path.join(dist, archive), version)
    if package in present:
        check_deb(check, os.path.join(dist, package), version)
    if web in present:
        check_web_zip(check, os.path.join(dist, web), version)
    for problem in check.problems:
        print(f"FAIL: {problem}")
    if not check.problems:
        print(f"{dist}: {', '.join(present)} as expected")
    return 1 if check.problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
