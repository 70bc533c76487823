// A platform for tests: a chosen Windows directory, scripted answers to
// message boxes, and a record of what the code asked the system to do.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace ravelin::testing {

class FakePlatform : public Platform {
 public:
  struct Box {
    std::wstring text;
    std::wstring caption;
    unsigned style;
  };

  explicit FakePlatform(std::wstring windowsDirectory)
      : windowsDirectory_(std::move(windowsDirectory)), scope_(*this) {}

  std::wstring WindowsDirectory() override { return windowsDirectory_; }

  std::vector<std::wstring> FindFiles(const std::wstring& pattern) override {
    return NativePlatform().FindFiles(pattern);
  }

  bool StartProgram(const std::wstring& program,
                    const std::wstring& argument) override {
    started.emplace_back(program, argument);
    return true;
  }

  int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                 unsigned style) override {
    boxes.push_back({text, caption, style});
    if (answers.empty()) return (style & 0xF) == kMbYesNo ? kIdNo : kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  bool SetClipboardText(const std::wstring& text) override {
    clipboard = text;
    return clipboardAvailable;
  }

  LocalTime GetLocalTime() override { return now; }

  std::vector<Box> boxes;
  std::deque<int> answers;
  std::vector<std::pair<std::wstring, std::wstring>> started;
  std::wstring clipboard;
  bool clipboardAvailable = true;
  LocalTime now{2026, 12, 8, 9, 5, 7};

 private:
  std::wstring windowsDirectory_;
  ScopedPlatform scope_;
};

}  // namespace ravelin::testing
