#include "templates/QueryDevicesFromTemplates.h"

#include "outside/db/DbwSession.h"
#include "outside/db/Odbc.h"
#include "outside/db/ProgLog.h"
#include "templates/RecordsetText.h"

namespace ravelin {

const wchar_t kTemplateBlocksSql[] =
    L"SELECT MfrId, DeviceType, DeviceRevision, blockindex, blocktype,"
    L" DeviceRevisions.TarnDevRevId, NamedConfigBlocks.ConfigKey FROM NamedConfigBlocks"
    L" INNER JOIN namedconfigs on namedconfigblocks.configkey = namedconfigs.configkey"
    L" INNER JOIN devicerevisions on namedconfigs.TarnDevRevId = devicerevisions.TarnDevRevId"
    L" INNER JOIN devicetypes on devicerevisions.TarnDevTypeId = devicetypes.TarnDevTypeId"
    L" INNER JOIN mfrprotocols on devicetypes.MfrProtocolId = mfrprotocols.MfrProtocolId"
    L" ORDER BY MfrId, DeviceType, DeviceRevision, NamedConfigBlocks.ConfigKey, blockindex ASC";

namespace {
constexpr wchar_t kColumns[] =
    L"[MfrId], [DeviceType], [DeviceRevision], [BlockIndex], [BlockType], [TarnDevRevId],"
    L" [ConfigKey]";
}  // namespace

CQueryDevicesFromTemplates::CQueryDevicesFromTemplates(CDbwDbSession* session)
    : session_(session) {}

CQueryDevicesFromTemplates::~CQueryDevicesFromTemplates() = default;

bool CQueryDevicesFromTemplates::Open(const std::wstring& sql) {
  Close();
  const std::wstring statement =
      sql.empty() ? std::wstring(L"SELECT ") + kColumns + L" FROM " + GetDefaultSQL() : sql;
  try {
    CDbwDbSession& session = RecordsetSession(session_, own_, GetDefaultConnect());
    odbc::Statement query = session.GetConnection().Prepare(statement);
    query.Execute();
    std::vector<Row> rows;
    while (query.Fetch()) {
      Row row;
      row.mfrId = query.GetInt(1);
      row.deviceType = query.GetInt(2);
      row.deviceRevision = query.GetInt(3);
      row.blockIndex = query.GetInt(4);
      row.blockType = RecordsetText(query.GetText(5));
      row.tarnDevRevId = query.GetInt(6);
      row.configKey = query.GetInt(7);
      rows.push_back(std::move(row));
    }
    rows_.Reset(std::move(rows));
  } catch (const odbc::OdbcError& error) {
    lastError_ = error.Text();
    BssProgLog(L"QueryDevicesFromTemplates", __LINE__, 2, kRecordsetLogCode,
               L"The device templates cannot be read: " + lastError_);
    return false;
  }
  open_ = true;
  Show();
  return true;
}

void CQueryDevicesFromTemplates::MoveNext() {
  if (IsEOF()) return;
  rows_.MoveNext();
  Show();
}

void CQueryDevicesFromTemplates::SetPosition(size_t row) {
  rows_.SetPosition(row);
  Show();
}

void CQueryDevicesFromTemplates::Close() {
  open_ = false;
  rows_.Reset();
}

void CQueryDevicesFromTemplates::Show() {
  if (IsEOF()) return;
  const Row& row = rows_.Current();
  m_MfrId = row.mfrId;
  m_DeviceType = row.deviceType;
  m_DeviceRevision = row.deviceRevision;
  m_BlockIndex = row.blockIndex;
  m_BlockType = row.blockType;
  m_TarnDevRevId = row.tarnDevRevId;
  m_ConfigKey = row.configKey;
}

}  // namespace ravelin
