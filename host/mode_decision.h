// Which mode a run serves, read from the argument text that the screen-saver machinery passes,
// and the window handles written in it. Plain logic: no windows.h.
#pragma once

#include <cstdint>

namespace orv {

enum class RunMode : uint8_t {
  kConfigureWithoutOwner,  // no letter at all
  kFullScreen,             // S
  kConfigure,              // C: owned by the foreground window
  kPreview,                // P or L: in the window whose handle follows
  kPasswordChange,         // A: optional owner handle follows
  kBadArgument,            // anything else: exit code -1
};

struct ModeDecision {
  RunMode mode;
  // For preview and password change: the text after the letter and the blanks behind it.
  const char* rest;
};

// Walks the text byte by byte: blanks, "-" and "/" are skipped; the first other byte decides.
ModeDecision DecideMode(const char* text);

// The decimal number at the start of the text, in 32-bit arithmetic that wraps; the first byte
// that is not a digit ends it; no digits give 0.
uint32_t ParseWindowHandle(const char* text);

// The argument text within a whole command line: the program's path is skipped (up to the
// closing double quote when it begins with one, otherwise up to the first byte of 0x20 or
// below), then every byte from 0x01 to 0x20. Bytes are read unsigned, so bytes from 0x80 up
// belong to the path or to the argument text, never to the blanks between them.
const char* ArgumentText(const char* commandLine);

}  // namespace orv
