// The program entry: wide arguments on Windows, UTF-8 ones elsewhere.
#include <iostream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "cli/TestCommand.h"

#ifdef _WIN32
#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  // Unbuffered, the C runtime writes the error stream a character at a
  // time, each with a console query; buffered, each output is one write.
  // The stream still empties after every output, so progress shows at once.
  static char errorBuffer[4096];
  std::setvbuf(stderr, errorBuffer, _IOFBF, sizeof errorBuffer);
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  return ravelin::RunTestCommand(args, std::cout, std::cerr);
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
