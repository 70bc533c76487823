#include "outside/comm/RecordingWords.h"

namespace ravelin {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

}  // namespace

std::wstring SplitRecordingLine(std::wstring_view line, std::vector<RecordingWord>& words) {
  words.clear();
  size_t i = 0;
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) return {};
    if (words.empty() && line[i] == L'#') return {};
    RecordingWord word;
    bool quoted = false;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
      const wchar_t c = line[i];
      if (c == L'"') {
        quoted = !quoted;
      } else if (quoted && c == L'\\' && i + 1 < line.size() &&
                 (line[i + 1] == L'"' || line[i + 1] == L'\\')) {
        word.text += line[++i];
      } else {
        if (c == L'=' && !quoted && !word.HasKey()) word.equals = word.text.size();
        word.text += c;
      }
    }
    if (quoted) return L"a quoted text has no closing quote";
    words.push_back(std::move(word));
  }
}

}  // namespace ravelin
