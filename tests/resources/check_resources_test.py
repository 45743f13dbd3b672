#!/usr/bin/env python3
"""The resource checker finds the faults it is there for.

    check_resources_test.py PROGRAM      PROGRAM: a built program whose resources are right

Each case spoils one thing in PROGRAM's resources (or a made-up picture) and expects the
checker to name it; a clean copy must pass.
"""

import os
import struct
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_resources as cr  # noqa: E402

PROGRAM = None


def picture(width=5, height=3, bits=8, shown=((0, 0),), compression=0, cut=0):
    """An 8-bit bitmap resource: black background, white where `shown` lists (column, row)."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, 0, 0, 0, 2, 0)
    table = struct.pack("<II", 0, 0x00FFFFFF)
    stride = (abs(width) + 3) // 4 * 4
    rows = bytearray(stride * abs(height))
    for i, j in shown:
        rows[j * stride + i] = 1
    data = header + table + bytes(rows)
    return data[:len(data) - cut]


class CheckerTest(unittest.TestCase):
    def setUp(self):
        with open(PROGRAM, "rb") as f:
            self.image = f.read()
        self.resources = cr.read_resources(self.image)

    def find(self, rtype, name):
        return next(k for k in self.resources if k[0] == rtype and k[1] == name)

    def spoil(self, rtype, name, offset, fmt, value):
        key = self.find(rtype, name)
        data = bytearray(self.resources[key])
        struct.pack_into("<" + fmt, data, offset, value)
        self.resources[key] = bytes(data)

    def assertFlags(self, text, version=None):
        problems = cr.check_program(self.resources, version)
        self.assertTrue(any(text in p for p in problems), f"{text!r} not in {problems}")

    def test_the_program_as_built_passes(self):
        self.assertEqual(cr.check_program(self.resources), [])

    def test_spoiled_dialog_strings_and_icons_are_named(self):
        cases = [
            ((cr.RT_DIALOG, cr.DIALOG, 0, "I", 0x90C80040), "dialog 2003 style"),
            ((cr.RT_DIALOG, cr.DIALOG, 4, "I", 0x8), "dialog 2003 extended style"),
            ((cr.RT_DIALOG, cr.DIALOG, 0, "I", 0xFFFF0001), "extended template"),
            ((cr.RT_DIALOG, cr.DIALOG, 14, "h", 90), "dialog 2003 place and size"),
            ((cr.RT_STRING, 1, 4, "H", ord("o")), "string 1"),
            ((cr.RT_GROUP_ICON, 101, 10, "H", 8), "icon group 101 entry"),
            ((cr.RT_GROUP_ICON, 101, 18, "H", 2), "icon group 101 entry"),
            ((cr.RT_ICON, 1, 8, "i", 32), "icon 1 header"),
            ((cr.RT_ICON, 1, 40, "I", 0x00000001), "icon 1 palette"),
            ((cr.RT_ICON, 1, 200, "B", 0x99), "icon 1 colours"),
            ((cr.RT_ICON, 1, 700, "B", 1), "icon 1 AND mask"),
        ]
        for (rtype, name, offset, fmt, value), text in cases:
            with self.subTest(text):
                self.setUp()
                self.spoil(rtype, name, offset, fmt, value)
                self.assertFlags(text)

    def test_controls_are_checked_one_by_one(self):
        # The dialog's first control: style at its start, after the header, caption and font.
        data = self.resources[self.find(cr.RT_DIALOG, cr.DIALOG)]
        r = cr.Reader(data, 18)
        r.text_or_number(), r.text_or_number(), r.text(), r.take("H"), r.text()
        r.align(4)
        self.spoil(cr.RT_DIALOG, cr.DIALOG, r.offset, "I", 0x50010001)  # a default push button
        self.assertFlags("dialog 2003 control 1 style")

    def test_wrong_language_missing_and_extra_resources_are_named(self):
        key = self.find(cr.RT_STRING, 1)
        self.resources[(key[0], key[1], 0x0409)] = self.resources.pop(key)
        self.assertFlags("language of resource type 6")
        del self.resources[self.find(cr.RT_GROUP_ICON, 101)]
        self.assertFlags("type 14 name 101: 0 found")
        del self.resources[self.find(cr.RT_BITMAP, "BANNER")]
        self.assertFlags("type 2 name 'BANNER': 0 found")
        self.resources[(cr.RT_BITMAP, "EXTRA", cr.GERMAN)] = picture()
        self.assertFlags("resources that don't belong")

    def test_exactly_one_manifest_belongs(self):
        key = self.find(cr.RT_MANIFEST, cr.MANIFEST)
        manifest = self.resources[key]
        cases = [
            ({(cr.RT_MANIFEST, 2, cr.GERMAN): manifest}, "resources that don't belong"),
            ({(cr.RT_MANIFEST, 1, 0x0409): manifest}, "type 24 name 1: 2 found"),
            ({key: b"<assembly"}, "not well-formed XML"),
            ({key: b"<assembly manifestVersion='1.0'/>"}, "manifest 1 root element"),
        ]
        for change, text in cases:
            with self.subTest(text):
                self.setUp()
                self.resources.update(change)
                self.assertFlags(text)
        self.setUp()
        self.assertFlags("manifest 1 assembly version", version="0.9.9")
        self.resources[key] = b"<assembly xmlns='urn:schemas-microsoft-com:asm.v1'/>"
        self.assertFlags("manifest 1 assembly version", version="0.9.9")
        del self.resources[key]
        self.assertFlags("type 24 name 1: 0 found")

    def test_pictures(self):
        cases = [
            (picture(), None),
            (picture(width=4, height=2, shown=[(i, j) for i in range(4) for j in range(2)]), None),
            (picture(bits=4), "bits per pixel"),
            (picture(compression=1), "compression"),
            (picture(height=-3), "bottom-up"),
            (picture(shown=()), "0 non-black pixels"),
            (picture(width=40, height=26, shown=[(i, j) for i in range(40) for j in range(26)]),
             "1040 non-black pixels"),
            (picture(cut=1), "data size"),
            (picture()[:30], "cut short"),
        ]
        for data, text in cases:
            with self.subTest(text):
                for name in cr.PICTURES:
                    self.resources[(cr.RT_BITMAP, name, cr.GERMAN)] = data
                problems = cr.check_program(self.resources)
                if text is None:
                    self.assertEqual(problems, [])
                else:
                    self.assertTrue(any(text in p for p in problems), f"{text!r} in {problems}")

    def test_unreadable_files_are_refused_cleanly(self):
        pe = struct.unpack_from("<I", self.image, 0x3C)[0]
        for name, image in [("empty", b""), ("text", b"hello"), ("cut", self.image[:pe + 30]),
                            ("no PE", self.image[:pe] + b"XX" + self.image[pe + 2:])]:
            with self.subTest(name):
                with self.assertRaises(cr.Unreadable):
                    cr.read_resources(image)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: check_resources_test.py PROGRAM")
    PROGRAM = sys.argv.pop(1)
    unittest.main()
