// The platform of a console program: the real one, except that a message
// box becomes a line on the error stream, so that nothing waits for a
// click.
#pragma once

#include <ostream>

#include "platform/Platform.h"

namespace ravelin {

class ConsolePlatform : public Platform {
 public:
  explicit ConsolePlatform(std::ostream& err) : err_(err), scope_(*this) {}

  std::wstring WindowsDirectory() override { return NativePlatform().WindowsDirectory(); }
  std::vector<std::wstring> FindFiles(const std::wstring& pattern) override {
    return NativePlatform().FindFiles(pattern);
  }
  bool StartProgram(const std::wstring& program, const std::wstring& argument) override {
    return NativePlatform().StartProgram(program, argument);
  }
  // Questions are answered No, notes OK.
  int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                     unsigned style) override;
  bool SetClipboardText(const std::wstring& text) override {
    return NativePlatform().SetClipboardText(text);
  }
  LocalTime GetLocalTime() override { return NativePlatform().GetLocalTime(); }

 private:
  std::ostream& err_;
  ScopedPlatform scope_;
};

}  // namespace ravelin
