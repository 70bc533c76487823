#include "outside/db/DbwTarnBlock.h"

#include "outside/db/DbwBlockAsgm.h"
#include "outside/db/DbwSession.h"

namespace ravelin {

int32_t CDbwTarnMajorDeviceCategory::GetMajorCategoryName(std::wstring& name) const {
  if (!hasMajorCategory_) return kDbwNotFound;
  name = majorCategoryName_;
  return kDbwOk;
}

void CDbwTarnBlock::Identify(int32_t blockKey) {
  blockKey_ = blockKey;
  tag_.clear();
}

void CDbwTarnBlock::Identify(const std::wstring& tag, const CDbwTime& time) {
  blockKey_ = -1;
  tag_ = tag;
  time_ = time;
}

int32_t CDbwTarnBlock::Access(CDbwDbSession* session) {
  record_ = Record();
  majorCategoryName_.clear();
  hasMajorCategory_ = false;
  int32_t blockKey = blockKey_;
  if (!tag_.empty()) {
    if (const int32_t result = FindBlockOfTag(session, tag_, time_, &blockKey);
        result != kDbwOk) {
      return result;
    }
  }
  return ReadBlock(session, blockKey);
}

int32_t CDbwTarnBlock::ReadBlock(CDbwDbSession* session, int32_t blockKey) {
  return RunLookup(session, [&](odbc::Connection& connection) {
    odbc::Statement query = connection.Prepare(
        L"SELECT Manufacturers.MfrName, DeviceTypes.DeviceTypeName,"
        L" MfrProtocols.MfrId, DeviceTypes.DeviceType,"
        L" DeviceRevisions.DeviceRevision, MfrProtocols.ProtocolId,"
        L" Devices.TarnDeviceId, Devices.Identifier,"
        L" MajorDeviceCategories.MajorCategoryName,"
        L" MajorDeviceCategories.MajorCategoryId IS NOT NULL"
        L" FROM Blocks"
        L" INNER JOIN Devices ON Blocks.DeviceKey = Devices.DeviceKey"
        L" INNER JOIN DeviceRevisions"
        L" ON Devices.TarnDevRevId = DeviceRevisions.TarnDevRevId"
        L" INNER JOIN DeviceTypes"
        L" ON DeviceRevisions.TarnDevTypeId = DeviceTypes.TarnDevTypeId"
        L" INNER JOIN MfrProtocols"
        L" ON DeviceTypes.MfrProtocolId = MfrProtocols.MfrProtocolId"
        L" LEFT JOIN Manufacturers ON MfrProtocols.MfrId = Manufacturers.MfrId"
        L" LEFT JOIN MajorDeviceCategories"
        L" ON DeviceTypes.MajorCategoryId = MajorDeviceCategories.MajorCategoryId"
        L" WHERE Blocks.BlockKey = ?");
    query.Bind(1, blockKey);
    query.Execute();
    if (!query.Fetch()) return kDbwNotFound;
    record_.mfrName = query.GetText(1);
    record_.deviceTypeName = query.GetText(2);
    record_.mfrId = query.GetInt(3);
    record_.deviceType = query.GetInt(4);
    record_.deviceRevision = query.GetInt(5);
    record_.protocolId = query.GetInt(6);
    record_.tarnDeviceId = query.GetText(7);
    record_.serialIdentifier = query.GetText(8);
    majorCategoryName_ = query.GetText(9);
    hasMajorCategory_ = query.GetInt(10) != 0;
    return kDbwOk;
  });
}

}  // namespace ravelin
