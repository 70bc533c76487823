// File helpers of the generator: every failure names the path and the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace ravelin::plant {

class PlantError : public std::runtime_error {
 public:
  explicit PlantError(const std::wstring& message);
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

void MakeDirectories(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace ravelin::plant
