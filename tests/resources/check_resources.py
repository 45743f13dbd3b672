#!/usr/bin/env python3
"""Checks the resources of a built Windows program against the screen saver's tables.

    check_resources.py [--version X.Y.Z] PROGRAM

Reads the PE file's resource directory itself (32-bit or 64-bit programs) and checks: the
language of every resource, dialog 2003's template, string 1, icon group 101 and icon 1, the
three pictures "BANNER", "ORLOGO" and "YINYANG", the one application manifest (with the
project's version X.Y.Z as its assembly version X.Y.Z.0, when given), and that nothing else is
there.

Exit status: 0 when everything matches, 1 when a check fails (one line per difference on
standard output), 2 when the file can't be read as a Windows program.
"""

import argparse
import struct
import sys
import xml.etree.ElementTree as ElementTree

GERMAN = 0x0407
RT_ICON, RT_BITMAP, RT_DIALOG, RT_STRING, RT_GROUP_ICON, RT_MANIFEST = 3, 2, 5, 6, 14, 24
MANIFEST = 1  # the manifest that the loader applies to the process
DIALOG = 2003
NAME = "Orvessan's Screen Saver"
PICTURES = ("BANNER", "ORLOGO", "YINYANG")
# The platform's standard 16-colour palette, (red, green, blue), and the icon's six colours.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
ICON_COLOURS = {0: "black", 4: "navy", 12: "blue", 8: "grey", 7: "silver", 15: "white"}
CENTRED_STATIC = 0x50020001  # WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER
# Class atoms of the predefined control classes in a dialog template.
BUTTON, STATIC = 0x0080, 0x0082
# (class, id, text or None for "any", style, x, y, width, height) of the dialog's controls.
CONTROLS = [
    (BUTTON, 1, "OK", 0x50010000, 42, 67, 40, 14),
    (STATIC, 0xFFFF, "Orvessan's Screen Saver V1.0", CENTRED_STATIC, 0, 8, 125, 8),
    (STATIC, 0xFFFF, None, CENTRED_STATIC, 0, 24, 125, 8),
    (STATIC, 0xFFFF, "For more Orvessan Software go to:", CENTRED_STATIC, 0, 40, 125, 8),
    (STATIC, 0xFFFF, None, CENTRED_STATIC, 0, 49, 125, 8),
]


class Unreadable(Exception):
    pass


class Reader:
    """Little-endian reads from a byte string that fail cleanly past its end."""

    def __init__(self, data, offset=0):
        self.data, self.offset = data, offset

    def take(self, fmt):
        size = struct.calcsize("<" + fmt)
        if self.offset < 0 or self.offset + size > len(self.data):
            raise Unreadable(f"data ends at byte {len(self.data)}, wanted {size} at {self.offset}")
        values = struct.unpack_from("<" + fmt, self.data, self.offset)
        self.offset += size
        return values if len(values) > 1 else values[0]

    def text(self):
        """A zero-terminated UTF-16 text."""
        chars = []
        while True:
            c = self.take("H")
            if c == 0:
                return "".join(chars)
            chars.append(chr(c))

    def text_or_number(self):
        """A template's name field: 0 (none), 0xFFFF then a number, or a text."""
        first = self.take("H")
        if first == 0:
            return 0
        if first == 0xFFFF:
            return self.take("H")
        self.offset -= 2
        return self.text()

    def align(self, unit):
        self.offset += (-self.offset) % unit


def read_resources(image):
    """{(type, name, language): bytes} of a PE file; types and names are numbers or texts."""
    if image[:2] != b"MZ":
        raise Unreadable("no MZ header")
    pe = Reader(image, 0x3C).take("I")
    r = Reader(image, pe)
    if r.take("4s") != b"PE\0\0":
        raise Unreadable("no PE signature")
    _machine, sections, _, _, _, optional_size, _ = r.take("HHIIIHH")
    optional = r.offset
    magic = r.take("H")
    if magic not in (0x10B, 0x20B):
        raise Unreadable(f"unknown optional header magic 0x{magic:x}")
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva, rsrc_size = Reader(image, directories + 2 * 8).take("II")
    table = Reader(image, optional + optional_size)
    mapping = []
    for _ in range(sections):
        _name, vsize, vaddr, raw_size, raw_ptr = table.take("8sIIII")
        table.offset += 16
        mapping.append((vaddr, max(vsize, raw_size), raw_ptr, raw_size))

    def file_offset(rva):
        for vaddr, size, raw_ptr, raw_size in mapping:
            if vaddr <= rva < vaddr + size:
                if rva - vaddr >= raw_size:
                    raise Unreadable(f"RVA 0x{rva:x} lies beyond its section's data")
                return raw_ptr + rva - vaddr
        raise Unreadable(f"RVA 0x{rva:x} is in no section")

    if rsrc_rva == 0 or rsrc_size == 0:
        return {}
    base = file_offset(rsrc_rva)

    def name_of(field):
        if field & 0x80000000:
            s = Reader(image, base + (field & 0x7FFFFFFF))
            length = s.take("H")
            return "".join(chr(s.take("H")) for _ in range(length))
        return field

    def entries(offset):
        d = Reader(image, base + offset)
        d.offset += 12
        named, numbered = d.take("HH")
        for _ in range(named + numbered):
            yield d.take("II")

    found = {}
    for type_field, type_dir in entries(0):
        if not type_dir & 0x80000000:
            raise Unreadable("resource type entry is not a directory")
        for name_field, name_dir in entries(type_dir & 0x7FFFFFFF):
            if not name_dir & 0x80000000:
                raise Unreadable("resource name entry is not a directory")
            for language, leaf in entries(name_dir & 0x7FFFFFFF):
                if leaf & 0x80000000:
                    raise Unreadable("resource language entry is a directory")
                rva, size, _codepage, _ = Reader(image, base + leaf).take("IIII")
                start = file_offset(rva)
                if start + size > len(image):
                    raise Unreadable("resource data runs past the end of the file")
                key = (name_of(type_field), name_of(name_field), language)
                found[key] = image[start:start + size]
    return found


class Checker:
    def __init__(self):
        self.problems = []

    def expect(self, what, got, wanted):
        if got != wanted:
            self.problems.append(f"{what}: {got!r}, expected {wanted!r}")
            return False
        return True

    def fail(self, text):
        self.problems.append(text)


def one(check, resources, rtype, name):
    """The data of the one resource of that type and name, whatever its language."""
    matches = [data for (t, n, _), data in resources.items() if t == rtype and n == name]
    if len(matches) != 1:
        check.fail(f"resource type {rtype} name {name!r}: {len(matches)} found, expected 1")
        return None
    return matches[0]


def check_dialog(check, data):
    r = Reader(data)
    style, ex_style, count, x, y, cx, cy = r.take("IIHhhhh")
    if style & 0xFFFF0000 == 0xFFFF0000:  # dlgVer 1, signature 0xFFFF: the extended form
        check.fail("dialog 2003 is an extended template, expected a standard one")
        return
    check.expect("dialog 2003 style", hex(style), hex(0x90C800C0))
    check.expect("dialog 2003 extended style", ex_style, 0)
    check.expect("dialog 2003 place and size", (x, y, cx, cy), (6, 18, 125, 89))
    check.expect("dialog 2003 menu", r.text_or_number(), 0)
    check.expect("dialog 2003 class", r.text_or_number(), 0)
    check.expect("dialog 2003 caption", r.text(), NAME)
    check.expect("dialog 2003 font", (r.take("H"), r.text()), (8, "MS Sans Serif"))
    if not check.expect("dialog 2003 control count", count, len(CONTROLS)):
        return
    for k, wanted in enumerate(CONTROLS, 1):
        r.align(4)
        c_style, c_ex, c_x, c_y, c_cx, c_cy, c_id = r.take("IIhhhhH")
        c_class = r.text_or_number()
        c_text = r.text_or_number()
        extra = r.take("H")
        r.offset += extra
        w_class, w_id, w_text, w_style, *w_place = wanted
        what = f"dialog 2003 control {k}"
        # The predefined classes may also be written out by name.
        if isinstance(c_class, str):
            c_class = {"button": BUTTON, "static": STATIC}.get(c_class.lower(), c_class)
        check.expect(f"{what} class", c_class, w_class)
        check.expect(f"{what} id", c_id, w_id)
        check.expect(f"{what} style", hex(c_style), hex(w_style))
        check.expect(f"{what} extended style", c_ex, 0)
        check.expect(f"{what} place and size", [c_x, c_y, c_cx, c_cy], w_place)
        if w_text is not None:
            check.expect(f"{what} text", c_text, w_text)
        elif k == 3:
            if not (isinstance(c_text, str) and c_text.startswith("Programmed by ")
                    and len(c_text) > len("Programmed by ")):
                check.fail(f"{what} text: {c_text!r}, expected \"Programmed by \" and a name")
        elif not (isinstance(c_text, str) and c_text.startswith(">>> ")
                  and c_text.endswith(" <<<") and len(c_text) > 8):
            check.fail(f"{what} text: {c_text!r}, expected a web address framed by >>> and <<<")


def check_strings(check, data):
    r = Reader(data)
    strings = []
    for _ in range(16):
        length = r.take("H")
        strings.append("".join(chr(r.take("H")) for _ in range(length)))
    check.expect("string 1", strings[1], NAME)
    others = [k for k, s in enumerate(strings) if s and k != 1]
    check.expect("strings 0 and 2 to 15 that aren't empty", others, [])


def check_icon_group(check, data):
    r = Reader(data)
    check.expect("icon group 101 header (reserved, type, count)", r.take("HHH"), (0, 1, 1))
    entry = r.take("BBBBHHIH")
    check.expect("icon group 101 entry (width, height, colours, reserved, planes, bits, bytes, id)",
                 entry, (32, 32, 16, 0, 1, 4, 744, 1))


def check_icon(check, data):
    if not check.expect("icon 1 size in bytes", len(data), 744):
        return
    header = struct.unpack_from("<IiiHHIIiiII", data, 0)
    check.expect("icon 1 header (size, width, height, planes, bits, compression, image size)",
                 header[:7], (40, 32, 64, 1, 4, 0, 512))
    palette = [tuple(data[40 + 4 * k + i] for i in (2, 1, 0)) for k in range(16)]
    check.expect("icon 1 palette", palette, PALETTE)
    pixels = data[104:616]
    used = {b >> 4 for b in pixels} | {b & 15 for b in pixels}
    check.expect("icon 1 colours", sorted(ICON_COLOURS.get(c, f"palette entry {c}") for c in used),
                 sorted(ICON_COLOURS.values()))
    check.expect("icon 1 AND mask", data[616:], bytes(128))


def check_picture(check, name, data):
    r = Reader(data)
    size, width, height, planes, bits, compression, _, _, _, used, _ = r.take("IiiHHIIiiII")
    what = f"picture {name}"
    ok = check.expect(f"{what} header size", size, 40)
    ok &= check.expect(f"{what} bits per pixel", bits, 8)
    ok &= check.expect(f"{what} compression", compression, 0)
    ok &= check.expect(f"{what} planes", planes, 1)
    if width <= 0 or height <= 0:
        check.fail(f"{what} is {width} x {height}: expected a positive width and a bottom-up height")
        return
    colours = used or 256
    stride = (width + 3) // 4 * 4
    needed = 40 + 4 * colours + stride * height
    if not ok or not check.expect(f"{what} data size at least", max(len(data), needed), len(data)):
        return
    table = struct.unpack_from(f"<{colours}I", data, 40)
    pixels = data[40 + 4 * colours:]
    shown = sum(1 for j in range(height) for i in range(width)
                if table[pixels[j * stride + i]] != 0 if pixels[j * stride + i] < colours)
    if not 1 <= shown <= 1000:
        check.fail(f"{what} has {shown} non-black pixels, expected 1 to 1000")


ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"


def check_manifest(check, data, version=None):
    """An application manifest: an assembly element of the side-by-side schema, version 1.0,
    whose identity carries the project's version."""
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        check.fail(f"manifest {MANIFEST} is not well-formed XML: {error}")
        return
    check.expect(f"manifest {MANIFEST} root element", root.tag, ASM_V1 + "assembly")
    check.expect(f"manifest {MANIFEST} version", root.get("manifestVersion"), "1.0")
    if version is not None:
        identity = root.find(ASM_V1 + "assemblyIdentity")
        check.expect(f"manifest {MANIFEST} assembly version",
                     None if identity is None else identity.get("version"), version + ".0")


def check_program(resources, version=None):
    check = Checker()
    for (rtype, name, language) in resources:
        check.expect(f"language of resource type {rtype} name {name!r}", hex(language),
                     hex(GERMAN))
    checkers = [(RT_DIALOG, DIALOG, check_dialog), (RT_STRING, 1, check_strings),
                (RT_GROUP_ICON, 101, check_icon_group), (RT_ICON, 1, check_icon),
                (RT_MANIFEST, MANIFEST, lambda c, d: check_manifest(c, d, version))]
    checkers += [(RT_BITMAP, p, lambda c, d, p=p: check_picture(c, p, d)) for p in PICTURES]
    expected = {(rtype, name) for rtype, name, _ in checkers}
    extra = sorted(f"type {t} name {n!r}" for (t, n, _) in resources if (t, n) not in expected)
    check.expect("resources that don't belong", extra, [])
    for rtype, name, checker in checkers:
        data = one(check, resources, rtype, name)
        if data is not None:
            try:
                checker(check, data)
            except Unreadable as error:
                check.fail(f"resource type {rtype} name {name!r} is cut short: {error}")
    return check.problems


def main(argv):
    parser = argparse.ArgumentParser(description="Checks a built program's resources.")
    parser.add_argument("--version", help="the project's version, X.Y.Z")
    parser.add_argument("program", help="the .exe or .scr to read")
    args = parser.parse_args(argv)
    try:
        with open(args.program, "rb") as f:
            image = f.read()
        resources = read_resources(image)
    except (OSError, Unreadable) as error:
        print(f"check_resources.py: can't read {args.program}: {error}", file=sys.stderr)
        return 2
    problems = check_program(resources, args.version)
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} difference(s) in {args.program}")
        return 1
    print(f"resources of {args.program} match")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
