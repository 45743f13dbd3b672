// The saver window's drawing context for the length of one paint, and a font selected into it
// for the length of one text drawing.
#pragma once

#include <windows.h>

namespace orv {

class WindowDC {
 public:
  explicit WindowDC(HWND w) : window(w), dc(GetDC(w)) {}
  ~WindowDC() { ReleaseDC(window, dc); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC Get() const { return dc; }

 private:
  HWND window;
  HDC dc;
};

// Owns a created font while it is selected: selects the previous font back, then deletes it.
class SelectedFont {
 public:
  SelectedFont(HDC d, HFONT f) : dc(d), font(f), previous(SelectObject(d, f)) {}
  ~SelectedFont() {
    SelectObject(dc, previous);
    DeleteObject(font);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc;
  HFONT font;
  HGDIOBJ previous;
};

}  // namespace orv
