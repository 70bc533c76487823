#include "browse/SelectEnumeration.h"

#include <utility>

#include "browse/DeviceWalk.h"
#include "platform/Platform.h"

namespace ravelin {

CSelectEnumeration::CSelectEnumeration(std::wstring paramMoniker, std::wstring server,
                                       bool fieldbus)
    : m_bFieldbus(fieldbus ? 1 : 0),
      m_strServer(std::move(server)),
      m_strParamMoniker(std::move(paramMoniker)) {}

void CSelectEnumeration::OnInitDialog() {
  m_view->DeleteAllRows();
  CVelkToolkit cursor;
  if (!OpenCursor(cursor, m_strServer, m_bFieldbus ? kProtocolFieldbus : kProtocolHart,
                  m_strParamMoniker + L"!Enum")) {
    return;
  }
  // The list box sorts the entries.
  ForEachChild(cursor, {L"Description"}, [this](IVelkToolkit&, const CVelkResult* read) {
    m_view->AppendRow({StringOf(read[0])});
  });
}

void CSelectEnumeration::OnCommand(int controlId) {
  if (controlId == kIdOk || controlId == kIdCancel) m_view->End(controlId);
}

}  // namespace ravelin
