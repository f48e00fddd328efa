// A Windows console shows UTF-8 only when told to, and main's words come in
// the ANSI code page, which has no Cyrillic letters on most systems: the
// words are taken from the wide command line instead.
#include <windows.h>
#include <shellapi.h>

#include "cli/console.h"

namespace zelvane::cli {
namespace {

std::string Utf8(const wchar_t* word) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, word, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, word, -1, &text[0], size, nullptr, nullptr);
  text.pop_back();  // the terminating zero
  return text;
}

}  // namespace

void PrepareConsole() { SetConsoleOutputCP(CP_UTF8); }

std::vector<std::string> CommandWords(int argc, char** argv) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> result;
  for (int i = 1; i < count; ++i) result.push_back(Utf8(words[i]));
  LocalFree(words);
  return result;
}

}  // namespace zelvane::cli
