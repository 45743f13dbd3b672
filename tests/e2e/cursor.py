#!/usr/bin/env python3
"""Prints how many pixels of the mouse cursor that the X display ($DISPLAY) shows are not fully
transparent: 0 when the cursor is hidden. Asks the XFIXES extension, through libXfixes.

Exit status 0, or 2 when the display or the cursor image can't be had.
"""
import ctypes
import ctypes.util
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),  # ARGB, one per unsigned long
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def library(name, soname):
    try:
        return ctypes.CDLL(ctypes.util.find_library(name) or soname)
    except OSError as error:
        sys.exit(f"cursor.py: {error}")


def main():
    x11 = library("X11", "libX11.so.6")
    xfixes = library("Xfixes", "libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        print("cursor.py: can't open the display", file=sys.stderr)
        return 2
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        print("cursor.py: no cursor image", file=sys.stderr)
        x11.XCloseDisplay(display)
        return 2
    c = image.contents
    print(sum(1 for k in range(c.width * c.height) if c.pixels[k] >> 24 & 0xFF))
    x11.XFree(image)
    x11.XCloseDisplay(display)
    return 0


if __name__ == "__main__":
    sys.exit(main())
