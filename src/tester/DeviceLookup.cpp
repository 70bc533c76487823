#include "tester/DeviceLookup.h"

#include "base/Text.h"
#include "outside/db/DbwBlockAsgm.h"
#include "outside/db/DbwSession.h"
#include "outside/db/DbwTarnBlock.h"
#include "outside/db/DbwTime.h"

namespace ravelin {

bool IsNamedConfigMoniker(const std::wstring& moniker) {
  return FoldCase(moniker).find(L"namedconfig") != std::wstring::npos;
}

bool FindBlockKeyForTag(const std::wstring& tag, int32_t& blockKey, int32_t* result) {
  int32_t ignored = kDbwOk;
  int32_t& found = result ? *result : ignored;
  found = FindBlockOfTag(nullptr, tag, CDbwEventId(kTagLookupDay, 0), &blockKey);
  return found == kDbwOk;
}

int32_t GetBlockNames(int32_t blockKey, std::wstring& manufacturerName,
                      std::wstring& deviceTypeName) {
  CDbwTarnBlock block;
  block.Identify(blockKey);
  const int32_t result = block.Access(CDbwDbSession::GetGlobalSessionPtr());
  if (result != kDbwOk) return result;
  manufacturerName = block.GetMfrName();
  deviceTypeName = block.GetDeviceTypeName();
  return result;
}

std::wstring HostDatabaseUnreadable(const CDbwDbSession* session) {
  return L"the host database could not be read: " +
         (session ? session->DescribeLastError() : std::wstring(L"no database object"));
}

}  // namespace ravelin
