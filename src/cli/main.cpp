// The program entry: wide arguments on Windows, UTF-8 ones elsewhere.
#include <iostream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "cli/TestCommand.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#include <streambuf>

namespace {

// The error stream of a run whose errors go to a file or a pipe: each output
// is one WriteFile, its line ends CR LF as the C runtime's text mode writes
// them. The C runtime would ask the console for the handle's mode at every
// write, a round trip to the Wine server per progress line.
class HandleBuffer final : public std::streambuf {
 public:
  explicit HandleBuffer(HANDLE handle) : handle_(handle) {}

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) Add(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    for (std::streamsize i = 0; i < count; ++i) Add(text[i]);
    return count;
  }
  int sync() override {
    DWORD written = 0;
    const bool ok = pending_.empty() ||
                    WriteFile(handle_, pending_.data(), DWORD(pending_.size()), &written, nullptr);
    pending_.clear();
    return ok ? 0 : -1;
  }

 private:
  void Add(char c) {
    if (c == '\n') pending_ += '\r';
    pending_ += c;
  }

  HANDLE handle_;
  std::string pending_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const HANDLE errors = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  HandleBuffer errorBuffer(errors);
  std::streambuf* const runtimeBuffer = std::cerr.rdbuf();
  if (errors != INVALID_HANDLE_VALUE && errors != nullptr && !GetConsoleMode(errors, &mode)) {
    std::cerr.rdbuf(&errorBuffer);  // still unit-buffered: each output is written at once
  } else {
    // Unbuffered, the C runtime writes a console a character at a time;
    // buffered, each output is one write, and the stream still empties
    // after every output, so progress shows at once.
    static char consoleBuffer[4096];
    std::setvbuf(stderr, consoleBuffer, _IOFBF, sizeof consoleBuffer);
  }
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  const int status = ravelin::RunTestCommand(args, std::cout, std::cerr);
  std::cerr.flush();
  std::cerr.rdbuf(runtimeBuffer);
  return status;
}
#else
#include <clocale>

int main(int argc, char** argv) {
  // The SQLite ODBC driver takes text in the locale's code page.
  std::setlocale(LC_ALL, "");
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.push_back(ravelin::FromUtf8(argv[i]));
  return ravelin::RunTestCommand(args, std::cout, std::cerr);
}
#endif
