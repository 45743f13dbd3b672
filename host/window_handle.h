// A window handle written in the argument text, as a Windows handle.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/mode_decision.h"

namespace orv {

// The decimal window handle at the start of `text` (ParseWindowHandle); 0 gives null. Handles
// are 32-bit values: a 64-bit build extends them with their sign, as the system does.
inline HWND WindowHandleFromText(const char* text) {
  const uint32_t number = ParseWindowHandle(text);
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(number)));
}

}  // namespace orv
