// The blocks of every device template, one row per block, as a snapshot:
// the whole result is read when the record set opens, so the connection is
// free for writing while the rows are walked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "outside/db/DbwSession.h"
#include "outside/db/RowCursor.h"

namespace ravelin {

// Ordered so that the blocks of one template are consecutive rows, also when
// templates share a device revision or its numbers.
extern const wchar_t kTemplateBlocksSql[];

class CQueryDevicesFromTemplates {
 public:
  // Works on `session`; null opens a session of its own on the default
  // connect string.
  explicit CQueryDevicesFromTemplates(CDbwDbSession* session);
  virtual ~CQueryDevicesFromTemplates();
  CQueryDevicesFromTemplates(const CQueryDevicesFromTemplates&) = delete;
  CQueryDevicesFromTemplates& operator=(const CQueryDevicesFromTemplates&) = delete;

  std::wstring GetDefaultConnect() const { return CDbwTarnEnv::GetDataSourceConnectString(); }
  std::wstring GetDefaultSQL() const { return L"[NamedConfigs]"; }

  // Runs `sql` (empty: every bound column of the default table) and reads
  // its rows. False, with a program-log entry, when the statement fails.
  bool Open(const std::wstring& sql = L"");
  bool IsOpen() const { return open_; }
  bool IsEOF() const { return !open_ || rows_.IsEOF(); }
  void MoveNext();
  // The current row's number from 0, and a move back (or on) to such a row:
  // a device whose writing must be repeated reads its rows again.
  size_t GetPosition() const { return rows_.Position(); }
  void SetPosition(size_t row);
  void Close();
  // Why the last Open failed.
  const std::wstring& GetLastError() const { return lastError_; }

  int32_t m_MfrId = 0;
  int32_t m_DeviceType = 0;
  int32_t m_DeviceRevision = 0;
  int32_t m_BlockIndex = 0;
  std::wstring m_BlockType;  // at most 255 characters
  int32_t m_TarnDevRevId = 0;
  int32_t m_ConfigKey = 0;

 private:
  struct Row {
    int32_t mfrId, deviceType, deviceRevision, blockIndex;
    std::wstring blockType;
    int32_t tarnDevRevId, configKey;
  };
  void Show();

  CDbwDbSession* session_;
  std::unique_ptr<CDbwDbSession> own_;
  RowCursor<Row> rows_;
  bool open_ = false;
  std::wstring lastError_;
};

}  // namespace ravelin
