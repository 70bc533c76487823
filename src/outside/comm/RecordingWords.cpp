#include "outside/comm/RecordingWords.h"

namespace ravelin {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

}  // namespace

std::wstring RecordingWords::Split(std::wstring_view line) {
  count_ = 0;
  size_t i = 0;
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || (count_ == 0 && line[i] == L'#')) return {};
    if (count_ == words_.size()) words_.emplace_back();
    RecordingWord& word = words_[count_++];
    word.text.clear();
    word.equals = std::wstring::npos;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      const wchar_t c = line[i];
      if (c == L'"') {
        quoted = !quoted;
        ++i;
      } else if (quoted && c == L'\\' && i + 1 < line.size() &&
                 (line[i + 1] == L'"' || line[i + 1] == L'\\')) {
        word.text += line[i + 1];
        i += 2;
      } else {
        // A run of plain characters is copied at once.
        size_t end = i + 1;
        while (end < line.size() && line[end] != L'"' && line[end] != L'\\' &&
               line[end] != L'=' && (quoted || !IsBlank(line[end]))) {
          ++end;
        }
        if (c == L'=' && !quoted && !word.HasKey()) word.equals = word.text.size();
        word.text.append(line.data() + i, end - i);
        i = end;
      }
    }
    if (quoted) return L"a quoted text has no closing quote";
  }
}

}  // namespace ravelin
