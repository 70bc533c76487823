// "Select Enumeration": the entries of an enumerated parameter, to look at.
#pragma once

#include <cstdint>
#include <string>

#include "browse/BrowseView.h"

namespace ravelin {

class CSelectEnumeration : public CBrowseDialog {
 public:
  CSelectEnumeration(std::wstring paramMoniker, std::wstring server, bool fieldbus);

  void OnInitDialog() override;
  void OnCommand(int controlId) override;

  int32_t m_bFieldbus;
  std::wstring m_strServer;
  // The full moniker of the parameter.
  std::wstring m_strParamMoniker;
};

}  // namespace ravelin
