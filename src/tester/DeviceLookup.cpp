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
  CDbwExtBlockTag extTag;
  extTag.Identify(tag);
  if ((found = extTag.Access(nullptr)) != kDbwOk) return false;
  int32_t id = -1;
  extTag.GetExtBlockTagId(&id);
  CDbwExtBlockTagId key;
  key.PutId(id);
  // The moment at which the host looks up the present assignment.
  const CDbwTime now = CDbwEventId(49709, 0);
  CDbwBlockAsgm assignment;
  assignment.Identify(key, now);
  if ((found = assignment.Access(nullptr)) != kDbwOk) return false;
  assignment.GetBlockId(&blockKey);
  return true;
}

void GetBlockNames(int32_t blockKey, std::wstring& manufacturerName,
                   std::wstring& deviceTypeName) {
  CDbwTarnBlock block;
  block.Identify(blockKey);
  if (block.Access(CDbwDbSession::GetGlobalSessionPtr()) != kDbwOk) return;
  manufacturerName = block.GetMfrName();
  deviceTypeName = block.GetDeviceTypeName();
}

}  // namespace ravelin
