#include "templates/BlockDataTable.h"

#include "outside/db/DbwSession.h"
#include "outside/db/Odbc.h"
#include "outside/db/ProgLog.h"
#include "templates/RecordsetText.h"

namespace ravelin {

const wchar_t kTemplateDataSql[] =
    L"SELECT 0, 0, 0, ParamKind, ParamName, '0', ParamDataType, ParamDataSize, ParamData"
    L" FROM NamedConfigData WHERE ConfigKey = ? AND BlockIndex = ?"
    L" ORDER BY ParamKind, ParamName ASC";

namespace {
constexpr wchar_t kColumns[] =
    L"BlockKey, EventIdDay, EventIdFraction, ParamKind, ParamName, ValueMode,"
    L" ParamDataType, ParamDataSize, ParamData";
}  // namespace

// The connection's prepared insert, reused for every new row.
struct CBlockDataTable::Appender {
  explicit Appender(odbc::Statement& statement) : insert(statement) {}
  odbc::Statement& insert;
};

CBlockDataTable::CBlockDataTable(CDbwDbSession* session) : session_(session) {}

CBlockDataTable::~CBlockDataTable() = default;

std::wstring CBlockDataTable::GetDefaultConnect() const {
  return CDbwTarnEnv::GetDataSourceConnectString();
}

bool CBlockDataTable::Open(OpenType type, const std::wstring& sql,
                           const std::vector<int32_t>& parameters) {
  Close();
  std::wstring statement = sql;
  if (statement.empty()) {
    statement = std::wstring(L"SELECT ") + kColumns + L" FROM " + GetDefaultSQL();
    if (!m_strFilter.empty()) statement += L" WHERE " + m_strFilter;
  }
  try {
    odbc::Connection& connection =
        RecordsetSession(session_, own_, GetDefaultConnect()).GetConnection();
    // A block's record sets repeat the same texts: the connection keeps
    // them prepared.
    odbc::Statement& query = connection.Prepared(statement);
    for (size_t i = 0; i < parameters.size(); ++i) {
      query.Bind(static_cast<int>(i + 1), parameters[i]);
    }
    const bool appending = type == kDynaset && sql.empty();
    // Preparing checks the table and the filter; reading the rows a filter
    // selects would scan the whole table for every block.
    if (!appending) query.Execute();
    std::vector<Row> rows;
    while (!appending && query.Fetch()) {
      Row row;
      row.blockKey = query.GetInt(1);
      row.eventIdDay = query.GetInt(2);
      row.eventIdFraction = query.GetInt(3);
      row.paramKind = RecordsetText(query.GetText(4));
      row.paramName = RecordsetText(query.GetText(5));
      row.valueMode = RecordsetText(query.GetText(6));
      row.paramDataType = query.GetInt(7);
      row.paramDataSize = query.GetInt(8);
      const odbc::Bytes bytes = query.GetBinary(9, kParamDataLimit);
      row.paramData.assign(bytes.begin(), bytes.end());
      rows.push_back(std::move(row));
    }
    rows_.Reset(std::move(rows));
    if (appending) {
      appender_ = std::make_unique<Appender>(connection.Prepared(
          std::wstring(L"INSERT INTO ") + GetDefaultSQL() + L" (" + kColumns +
          L") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    }
  } catch (const odbc::OdbcError& error) {
    lastError_ = error.Text();
    BssProgLog(L"BlockDataTable", __LINE__, 2, kRecordsetLogCode,
               L"Block data cannot be read: " + lastError_);
    return false;
  }
  open_ = true;
  Show();
  return true;
}

void CBlockDataTable::MoveNext() {
  if (IsEOF()) return;
  rows_.MoveNext();
  Show();
}

void CBlockDataTable::Close() {
  open_ = false;
  adding_ = false;
  rows_.Reset();
  appender_.reset();
}

void CBlockDataTable::ClearFields() {
  m_BlockKey = 0;
  m_EventIdDay = 0;
  m_EventIdFraction = 0;
  m_ParamKind.clear();
  m_ParamName.clear();
  m_ValueMode.clear();
  m_ParamDataType = 0;
  m_ParamDataSize = 0;
  m_ParamData.clear();
}

void CBlockDataTable::Show() {
  if (IsEOF()) return;
  const Row& row = rows_.Current();
  m_BlockKey = row.blockKey;
  m_EventIdDay = row.eventIdDay;
  m_EventIdFraction = row.eventIdFraction;
  m_ParamKind = row.paramKind;
  m_ParamName = row.paramName;
  m_ValueMode = row.valueMode;
  m_ParamDataType = row.paramDataType;
  m_ParamDataSize = row.paramDataSize;
  m_ParamData = row.paramData;
}

void CBlockDataTable::AddNew() {
  if (!appender_) {
    throw odbc::OdbcError(L"AddNew failed: the block data record set is not open for appending",
                          L"");
  }
  ClearFields();
  adding_ = true;
}

void CBlockDataTable::Update() {
  if (!appender_ || !adding_) {
    throw odbc::OdbcError(L"Update failed: the block data record set has no new row", L"");
  }
  odbc::Statement& insert = appender_->insert;
  insert.Bind(1, m_BlockKey);
  insert.Bind(2, m_EventIdDay);
  insert.Bind(3, m_EventIdFraction);
  insert.Bind(4, RecordsetText(m_ParamKind));
  insert.Bind(5, RecordsetText(m_ParamName));
  insert.Bind(6, RecordsetText(m_ValueMode));
  insert.Bind(7, m_ParamDataType);
  insert.Bind(8, m_ParamDataSize);
  insert.Bind(9, odbc::Bytes(m_ParamData.begin(), m_ParamData.end()));
  insert.Execute();
  adding_ = false;
}

}  // namespace ravelin
