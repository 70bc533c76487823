#include "plant/DdTree.h"

#include "base/Text.h"
#include "mapfile/MapFileInformation.h"
#include "outside/desc/MapFileLocation.h"
#include "plant/HandMapFile.h"
#include "plant/MapKinds.h"
#include "plant/PlantFiles.h"
#include "platform/Platform.h"

namespace ravelin::plant {
namespace {

void WriteRevision(const Revision& revision) {
  const Identity& id = revision.id;
  const bool fieldbus = id.protocol == Protocol::Fieldbus;
  const std::wstring directory =
      MapFileDeviceDirectory(id.manufacturer, id.deviceType, fieldbus);
  MakeDirectories(directory);
  // Every DD revision up to the installed one, so the map file takes the highest.
  for (int dd = 1; dd <= revision.ddRevision; ++dd) {
    WriteFileBytes(JoinPath(directory, Format(L"%02x%02x.sym", id.deviceRevision, dd)), "");
  }
  const RevisionKind& kind = *revision.kind;
  if (kind.model) {
    CMapFileInformation model(L"", L"", kPlantServer, id.manufacturer, id.deviceType,
                              id.deviceRevision, fieldbus ? 1 : 0);
    kind.model(model);
    if (!model.WriteMapFile()) {
      throw PlantError(Format(L"cannot write the map file \"%s\"",
                              model.GetMapFilePath().c_str()));
    }
  } else if (kind.text) {
    HandMapFile file(id.manufacturer, id.deviceType, id.deviceRevision, revision.ddRevision,
                     fieldbus ? kind.blockIndex : -1);
    kind.text(file);
    WriteFileBytes(MapFilePath(id.manufacturer, id.deviceType, id.deviceRevision, fieldbus),
                   file.Bytes());
  }
}

void WriteGeneric(const std::wstring& root, int32_t blockIndex, void (*text)(HandMapFile&)) {
  const std::wstring directory = JoinPath(root, L"Generic");
  MakeDirectories(directory);
  HandMapFile file(0, 0, 0, 1, blockIndex);
  text(file);
  WriteFileBytes(JoinPath(directory, L"Generic.map"), file.Bytes());
}

}  // namespace

void WriteDdTree(const Plant& plant, const std::wstring& hartRoot,
                 const std::wstring& fieldbusRoot) {
  for (const Revision& revision : plant.revisions) WriteRevision(revision);
  WriteGeneric(hartRoot, -1, GenericHartText);
  WriteGeneric(fieldbusRoot, 1, GenericFieldbusText);
}

}  // namespace ravelin::plant
