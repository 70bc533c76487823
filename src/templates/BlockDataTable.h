// Stored parameter data of blocks: read from a template block (shaped as a
// "BlockData" row) or appended to "BlockData" for a new block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "outside/db/RowCursor.h"

namespace ravelin {

class CDbwDbSession;

// The raw bytes of "ParamData".
class CDBMByteArray : public std::vector<uint8_t> {
 public:
  using std::vector<uint8_t>::vector;
};

// Longer parameter data is cut to this many bytes when read.
constexpr size_t kParamDataLimit = 32767;

// The stored data of one template block; parameters: configuration key,
// block index.
extern const wchar_t kTemplateDataSql[];

class CBlockDataTable {
 public:
  enum OpenType { kUseDefaultType = -1, kDynaset = 0, kSnapshot = 1 };

  // Works on `session`; null opens a session of its own on the default
  // connect string.
  explicit CBlockDataTable(CDbwDbSession* session);
  virtual ~CBlockDataTable();
  CBlockDataTable(const CBlockDataTable&) = delete;
  CBlockDataTable& operator=(const CBlockDataTable&) = delete;

  std::wstring GetDefaultConnect() const;
  std::wstring GetDefaultSQL() const { return L"BlockData"; }

  // Runs `sql` with `parameters` bound to its markers in order (empty: the
  // default table with m_strFilter) and reads its rows. A dynaset on the
  // default table is for appending: it takes new rows and reads none. False,
  // with a program-log entry, when the statement fails.
  bool Open(OpenType type = kUseDefaultType, const std::wstring& sql = L"",
            const std::vector<int32_t>& parameters = {});
  bool IsOpen() const { return open_; }
  bool IsEOF() const { return !open_ || rows_.IsEOF(); }
  void MoveNext();
  void Close();
  const std::wstring& GetLastError() const { return lastError_; }

  // Starts a new row with every field at its initial value.
  void AddNew();
  // Appends the new row; throws odbc::OdbcError when it cannot.
  void Update();

  std::wstring m_strFilter;

  int32_t m_BlockKey = 0;
  int32_t m_EventIdDay = 0;
  int32_t m_EventIdFraction = 0;
  std::wstring m_ParamKind;  // texts: at most 255 characters
  std::wstring m_ParamName;
  std::wstring m_ValueMode;
  int32_t m_ParamDataType = 0;
  int32_t m_ParamDataSize = 0;
  CDBMByteArray m_ParamData;

 private:
  struct Row {
    int32_t blockKey, eventIdDay, eventIdFraction;
    std::wstring paramKind, paramName, valueMode;
    int32_t paramDataType, paramDataSize;
    CDBMByteArray paramData;
  };
  struct Appender;
  void Show();
  void ClearFields();

  CDbwDbSession* session_;
  std::unique_ptr<CDbwDbSession> own_;
  RowCursor<Row> rows_;
  bool open_ = false;
  bool adding_ = false;
  std::unique_ptr<Appender> appender_;
  std::wstring lastError_;
};

}  // namespace ravelin
