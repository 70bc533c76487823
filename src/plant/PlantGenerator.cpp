#include "plant/PlantGenerator.h"

#include <filesystem>

#include "base/Text.h"
#include "outside/db/DataSource.h"
#include "plant/DdTree.h"
#include "plant/PlantContent.h"
#include "plant/PlantDatabase.h"
#include "plant/PlantFiles.h"
#include "plant/RecordingText.h"
#include "platform/Platform.h"

namespace ravelin::plant {
namespace {

namespace fs = std::filesystem;

// The native platform with the plant as its Windows directory, so that
// velk.ini and the map file location resolve inside the new plant.
class PlantPlatform : public Platform {
 public:
  explicit PlantPlatform(std::wstring root) : root_(std::move(root)), scope_(*this) {}
  std::wstring WindowsDirectory() override { return root_; }
  std::vector<std::wstring> FindFiles(const std::wstring& pattern) override {
    return NativePlatform().FindFiles(pattern);
  }
  bool StartProgram(const std::wstring& program, const std::wstring& argument) override {
    return NativePlatform().StartProgram(program, argument);
  }
  int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                     unsigned style) override {
    return NativePlatform().ShowMessageBox(text, caption, style);
  }
  bool SetClipboardText(const std::wstring& text) override {
    return NativePlatform().SetClipboardText(text);
  }
  LocalTime GetLocalTime() override { return NativePlatform().GetLocalTime(); }

 private:
  std::wstring root_;
  ScopedPlatform scope_;
};

// Profile text in 8-bit text when every character has a form there, else
// UTF-8 behind a byte order mark.
std::string ProfileBytes(const std::wstring& text) {
  const std::string ansi = ToAnsi(text);
  if (FromAnsi(ansi) == text) return ansi;
  return "\xEF\xBB\xBF" + ToUtf8(text);
}

// Where an earlier plant waits while its successor is made, so that a
// failed run can put it back.
constexpr wchar_t kOldPlantName[] = L".ravelin-plant-old";

// Moves the earlier plant back from aside.
void PutBack(const fs::path& directory) {
  std::error_code ignored;
  const fs::path aside = directory / FsPath(kOldPlantName);
  for (const fs::directory_entry& entry : fs::directory_iterator(aside, ignored)) {
    fs::rename(entry.path(), directory / entry.path().filename(), ignored);
  }
  fs::remove(aside, ignored);
}

// What the folder held before this run, to put back when it fails.
struct Before {
  fs::path created;  // the topmost folder this run made, or empty
  bool oldPlant = false;
};

// Makes the directory ready: missing, empty, or an earlier plant, which is
// moved aside whole (its marker stays, so that the folder stays ours).
Before PrepareDirectory(const std::wstring& directory) {
  const fs::path path = FsPath(directory);
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  Before before;
  if (!fs::exists(status)) {
    before.created = path;
    while (before.created.has_parent_path() && before.created.parent_path() != before.created &&
           !fs::exists(before.created.parent_path(), error)) {
      before.created = before.created.parent_path();
    }
    MakeDirectories(directory);
    return before;
  }
  if (!fs::is_directory(status)) {
    throw PlantError(Format(L"\"%s\" exists and is not a folder", directory.c_str()));
  }
  if (fs::is_empty(path, error)) return before;
  const fs::path marker = path / FsPath(kMarkerName);
  if (!fs::exists(marker)) {
    throw PlantError(Format(L"\"%s\" is not empty and was not made by ravelin-plant;"
                            L" refusing to overwrite it",
                            directory.c_str()));
  }
  // One left by a run that was killed belongs to no plant any more.
  const fs::path aside = path / FsPath(kOldPlantName);
  fs::remove_all(aside, error);
  fs::create_directory(aside, error);
  for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
    if (error || entry.path() == marker || entry.path() == aside) continue;
    fs::rename(entry.path(), aside / entry.path().filename(), error);
    if (error) break;
  }
  before.oldPlant = true;
  if (error) {
    PutBack(path);
    throw PlantError(Format(L"cannot move the old plant in \"%s\" aside: %s",
                            directory.c_str(), FromUtf8(error.message()).c_str()));
  }
  return before;
}

// Removes what a failed run made and puts back what the folder held.
void Restore(const fs::path& directory, const Before& before) {
  std::error_code ignored;
  if (!before.created.empty()) {
    fs::remove_all(before.created, ignored);
    return;
  }
  const fs::path marker = directory / FsPath(kMarkerName);
  const fs::path aside = directory / FsPath(kOldPlantName);
  for (const fs::directory_entry& entry : fs::directory_iterator(directory, ignored)) {
    if (before.oldPlant && (entry.path() == marker || entry.path() == aside)) continue;
    fs::remove_all(entry.path(), ignored);
  }
  if (before.oldPlant) PutBack(directory);
}

void WriteHostFiles(const std::wstring& root, const std::wstring& hartRoot,
                    const std::wstring& fieldbusRoot, const std::wstring& reports) {
  WriteFileBytes(JoinPath(root, L"velk.ini"),
                 ProfileBytes(Format(L"[INSTALLATION]\r\nDevicePath=%s\r\nDevicePathFF=%s\r\n"
                                     L"\r\n[Tarn Server 1]\r\nComputer Name=%s\r\n",
                                     hartRoot.c_str(), fieldbusRoot.c_str(), kPlantServer)));
  WriteFileBytes(JoinPath(root, L"VelkProfile.ini"),
                 ProfileBytes(Format(L"[INSTALLATION]\r\nDevicePath=%s\r\nDevicesFolder=%s\r\n"
                                     L"\r\n[Tarn Server 1]\r\nComputer Name=%s\r\n",
                                     hartRoot.c_str(), reports.c_str(), kPlantServer)));
}

void Generate(const std::wstring& root, size_t templates, const std::wstring& server,
              bool replaceForeign) {
  const std::wstring dd = JoinPath(root, L"dd");
  const std::wstring hartRoot = JoinPath(dd, L"hart");
  const std::wstring fieldbusRoot = JoinPath(dd, L"fieldbus");
  const std::wstring reports = JoinPath(root, L"reports");
  const std::wstring recordings = JoinPath(root, L"recordings");
  for (const std::wstring& folder : {hartRoot, fieldbusRoot, reports, recordings}) {
    MakeDirectories(folder);
  }
  WriteHostFiles(root, hartRoot, fieldbusRoot, reports);

  const Plant plant = BuildPlant(templates);
  {
    PlantPlatform platform(root);
    WriteDdTree(plant, hartRoot, fieldbusRoot);
  }
  WriteFileBytes(JoinPath(recordings, std::wstring(kPlantServer) + L".rec"),
                 RecordingText(plant));
  // A server's data source comes first: the PostgreSQL driver's installer
  // library settles at its first connection which odbc.ini this process
  // reads. A SQLite file's comes last, after the file exists.
  const std::wstring database = JoinPath(root, L"velk.db");
  bool written;
  if (server.empty()) {
    WritePlantDatabase(plant, database);
    written = WriteVelkDataSource(root, database);
  } else {
    written = WriteVelkServerDataSource(root, server);
    if (written) WritePlantServerDatabase(plant, server, replaceForeign);
  }
  if (!written) {
    throw PlantError(Format(L"cannot write the data source files odbc.ini and odbcinst.ini"
                            L" in \"%s\"",
                            root.c_str()));
  }
}

}  // namespace

void GeneratePlant(const std::wstring& directory, size_t templates,
                   const std::wstring& server, bool replaceForeign) {
  // Refused before anything is written.
  if (!server.empty()) PostgreSqlConnectString(server);
  std::error_code error;
  fs::path absolute = fs::absolute(FsPath(directory), error).lexically_normal();
  if (!absolute.has_filename()) absolute = absolute.parent_path();  // "dir/"
  const std::wstring root = error ? directory : absolute.wstring();
  const Before before = PrepareDirectory(root);
  try {
    WriteFileBytes(JoinPath(root, kMarkerName), "Generated by ravelin-plant.\n");
    Generate(root, templates, server, replaceForeign);
  } catch (...) {
    Restore(FsPath(root), before);
    throw;
  }
  if (before.oldPlant) {
    fs::remove_all(FsPath(root) / FsPath(kOldPlantName), error);
    if (error) {
      throw PlantError(Format(L"cannot remove the old plant in \"%s\": %s",
                              JoinPath(root, kOldPlantName).c_str(),
                              FromUtf8(error.message()).c_str()));
    }
  }
}

}  // namespace ravelin::plant
