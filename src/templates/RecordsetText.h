// What the template record sets share: the session they read through, the
// width of their text fields and their program-log code.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "outside/db/ConnectString.h"
#include "outside/db/DbwSession.h"
#include "outside/db/Odbc.h"

namespace ravelin {

// Program-log code of the template record sets and test device creation
// (category 2).
constexpr uint32_t kRecordsetLogCode = 0x20000030;

constexpr size_t kRecordsetTextLimit = 255;

inline std::wstring RecordsetText(std::wstring text) {
  if (text.size() > kRecordsetTextLimit) text.resize(kRecordsetTextLimit);
  return text;
}

// `session`, or one of the record set's own opened on `connect`. Throws
// odbc::OdbcError, with the reason of a failed open, when neither is open.
inline CDbwDbSession& RecordsetSession(CDbwDbSession* session,
                                       std::unique_ptr<CDbwDbSession>& own,
                                       const std::wstring& connect) {
  if (session == nullptr) {
    if (!own) {
      own = std::make_unique<CDbwDbSession>();
      own->OpenDb(connect);
    }
    session = own.get();
  }
  if (!session->IsOpen()) {
    // A failed open says why; only a session never opened has no reason.
    throw odbc::OdbcError(!session->GetLastError().Text().empty()
                              ? session->DescribeLastError()
                              : L"the data source \"" +
                                    odbc::MaskPassword(odbc::StripOdbcPrefix(connect)) +
                                    L"\" is not open",
                          L"");
  }
  return *session;
}

}  // namespace ravelin
