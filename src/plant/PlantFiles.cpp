#include "plant/PlantFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/Text.h"
#include "platform/Platform.h"

namespace ravelin::plant {

PlantError::PlantError(const std::wstring& message)
    : std::runtime_error(ToUtf8(message)), message_(message) {}

void MakeDirectories(const std::wstring& path) {
  std::error_code error;
  std::filesystem::create_directories(FsPath(path), error);
  if (error) {
    throw PlantError(Format(L"cannot create the folder \"%s\": %s", path.c_str(),
                            FromUtf8(error.message()).c_str()));
  }
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out || !out.flush()) {
    throw PlantError(Format(L"cannot write \"%s\": %s", path.c_str(),
                            FromUtf8(std::strerror(errno)).c_str()));
  }
}

}  // namespace ravelin::plant
