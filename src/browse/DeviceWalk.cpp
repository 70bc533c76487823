#include "browse/DeviceWalk.h"

#include <algorithm>
#include <vector>

namespace ravelin {

bool OpenCursor(CVelkToolkit& cursor, const std::wstring& server, int32_t protocol,
                const std::wstring& moniker) {
  if (cursor.NewRoot(L"\\\\" + server, protocol) != 0) return false;
  cursor.SetView(kViewCurrent);
  cursor.Item(&cursor, moniker);
  return true;
}

void ForEachChild(IVelkToolkit& cursor, std::initializer_list<const wchar_t*> attributes,
                  const ChildVisitor& child) {
  if (cursor.Enum(&cursor) != 0) return;
  std::vector<CVelkResult> results(attributes.size());
  while (cursor.NextEnum() == 0) {
    for (const wchar_t* attribute : attributes) cursor.Read(attribute);
    std::fill(results.begin(), results.end(), CVelkResult{});
    cursor.Wait(results.data(), results.size());
    child(cursor, results.data());
  }
}

std::wstring StringOf(const CVelkResult& result) {
  return result.m_var.GetVT() == kVtBstr ? result.m_var.GetVT_BSTRW() : std::wstring();
}

}  // namespace ravelin
