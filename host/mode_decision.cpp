#include "host/mode_decision.h"

namespace orv {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '-' || c == '/';
}

const char* SkipBlanks(const char* text) {
  while (*text == ' ') ++text;
  return text;
}

}  // namespace

ModeDecision DecideMode(const char* text) {
  while (IsSeparator(*text)) ++text;
  switch (*text) {
    case '\0':
      return {RunMode::kConfigureWithoutOwner, text};
    case 'S':
    case 's':
      return {RunMode::kFullScreen, text};
    case 'C':
    case 'c':
      return {RunMode::kConfigure, text};
    case 'P':
    case 'p':
    case 'L':
    case 'l':
      return {RunMode::kPreview, SkipBlanks(text + 1)};
    case 'A':
    case 'a':
      return {RunMode::kPasswordChange, SkipBlanks(text + 1)};
    default:
      return {RunMode::kBadArgument, text};
  }
}

uint32_t ParseWindowHandle(const char* text) {
  uint32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10u + static_cast<uint32_t>(*text - '0');
  }
  return value;
}

const char* ArgumentText(const char* commandLine) {
  const auto* p = reinterpret_cast<const unsigned char*>(commandLine);
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p > ' ') ++p;
  }
  while (*p != '\0' && *p <= ' ') ++p;
  return reinterpret_cast<const char*>(p);
}

}  // namespace orv
