#include "cli/ConsolePlatform.h"

#include "base/Text.h"

namespace ravelin {

int ConsolePlatform::ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                                    unsigned style) {
  err_ << ToUtf8(caption) << ": " << ToUtf8(text) << '\n';
  return (style & 0xF) == kMbYesNo ? kIdNo : kIdOk;
}

}  // namespace ravelin
