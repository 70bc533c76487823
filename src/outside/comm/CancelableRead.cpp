#include "outside/comm/CancelableRead.h"

namespace ravelin {

namespace {

int32_t ReadTyped(IVelkToolkit& toolkit, const std::wstring& attribute, uint16_t vt,
                  CVelkResult& result) {
  const int32_t status = toolkit.Get(attribute, result);
  if (status != kVelkOk) return status;
  return result.m_var.GetVT() == vt ? kVelkOk : kVelkWrongType;
}

}  // namespace

int32_t CancelableIntRead(IVelkToolkit& toolkit, const std::wstring& attribute, int32_t& value,
                          CVelkProgressDialog*) {
  CVelkResult result;
  const int32_t status = ReadTyped(toolkit, attribute, kVtI4, result);
  if (status == kVelkOk) value = result.m_var.GetVT_I4();
  return status;
}

int32_t CancelableStringRead(IVelkToolkit& toolkit, const std::wstring& attribute,
                             std::wstring& value, CVelkProgressDialog*) {
  CVelkResult result;
  const int32_t status = ReadTyped(toolkit, attribute, kVtBstr, result);
  if (status == kVelkOk) value = result.m_var.GetVT_BSTRW();
  return status;
}

}  // namespace ravelin
