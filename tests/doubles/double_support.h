// What the test doubles of the platform's password libraries share. Every call is appended as
// one line to "doubles.log" beside the double, so a test that places the doubles beside the
// program under test finds their log there too; answers are read from files beside them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace orv::doubles {

// The folder that holds `module`, with its trailing backslash.
inline std::string FolderOf(HMODULE module) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  std::string folder(path, length < MAX_PATH ? length : 0);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

inline void AppendLog(HMODULE self, const std::string& line) {
  const std::string path = FolderOf(self) + "doubles.log";
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// Removes the first line of the file beside the double and returns it; false when the file is
// missing or has no line left.
inline bool TakeFirstLine(HMODULE self, const char* name, std::string* line) {
  const std::string path = FolderOf(self) + name;
  FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return false;
  std::string text;
  char buffer[256];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, got);
  std::fclose(in);
  if (text.empty()) return false;
  const size_t end = text.find('\n');
  *line = text.substr(0, end);
  if (!line->empty() && line->back() == '\r') line->pop_back();
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out != nullptr) {
    const std::string rest = end == std::string::npos ? "" : text.substr(end + 1);
    std::fwrite(rest.data(), 1, rest.size(), out);
    std::fclose(out);
  }
  return true;
}

// A window handle as the tests write it: its 32-bit value in decimal, then what it names.
inline std::string DescribeWindow(HWND window) {
  const auto value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
  std::string text = std::to_string(value);
  if (window == nullptr) return text + " (null)";
  if (!IsWindow(window)) return text + " (no window)";
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  text += std::string(" class=\"") + name + "\"";
  GetWindowTextA(window, name, sizeof name);
  return text + " title=\"" + name + "\"";
}

inline int ScreenSaverRunning() {
  BOOL running = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running ? 1 : 0;
}

}  // namespace orv::doubles
