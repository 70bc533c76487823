// Reads the text form of a recording (docs/recording-format.md). A malformed
// recording is refused as a whole with a RecordingError that names the file,
// the line and what is wrong.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "outside/comm/Recording.h"

namespace ravelin {

class RecordingError : public std::runtime_error {
 public:
  RecordingError(const std::wstring& file, int line, const std::wstring& reason);

  // "<file>, line <n>: <reason>" (line 0: the file as a whole).
  const std::wstring& Message() const { return message_; }
  int Line() const { return line_; }

 private:
  static std::wstring Compose(const std::wstring& file, int line, const std::wstring& reason);
  RecordingError(std::wstring message, int line);

  std::wstring message_;
  int line_;
};

// `file` only names the recording in messages.
std::shared_ptr<const Recording> ParseRecording(std::string_view bytes, const std::wstring& file);

std::shared_ptr<const Recording> LoadRecordingFile(const std::wstring& path);

}  // namespace ravelin
