// The host's one process-wide record, owned by the main thread: start-up and run modes, the
// saver window's message chain and the password check share it; nothing else touches it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orv {

using VerifyPasswordFn = BOOL(WINAPI*)(HWND owner);
using AssociateContextFn = HIMC(WINAPI*)(HWND window, HIMC context);

struct HostState {
  HINSTANCE instance = nullptr;               // from WinMain: window class, window, dialog
  HWND saverWindow = nullptr;                 // the saver window once created
  bool isPreview = false;                     // child of the preview window; never cleared
  bool closeApproved = false;                 // once a close request has been granted
  bool checkingPassword = false;              // while the password dialog is up
  HMODULE passwordLibrary = nullptr;          // "PASSWORD.CPL" while loaded
  VerifyPasswordFn verifyPassword = nullptr;  // null: no password in use
  HMODULE imeLibrary = nullptr;               // "IMM32.DLL" when already loaded at window creation
  AssociateContextFn associateContext = nullptr;
  HIMC savedInputContext = nullptr;      // detached from the window at creation
  uint32_t moveThreshold = 4;            // mouse travel that must be exceeded to ask for closing
  uint32_t lastCheckTick = 0xFFFFFFFFu;  // end of the last password dialog; all ones before
  POINT cursorAnchor = {0, 0};           // where mouse travel is measured from
};

extern HostState hostState;

}  // namespace orv
