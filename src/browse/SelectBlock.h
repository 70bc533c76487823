// "Select Block": the blocks of a fieldbus device, one of which the user
// picks by its object index.
#pragma once

#include <cstdint>
#include <string>

#include "browse/BrowseView.h"

namespace ravelin {

class CSelectBlock : public CBrowseDialog {
 public:
  CSelectBlock(std::wstring moniker, std::wstring server);

  void OnInitDialog() override;
  void OnCommand(int controlId) override;

  // The device moniker and the plant server (inputs).
  std::wstring m_strMoniker;
  std::wstring m_strServer;
  // The chosen block's index (output, after OK).
  int32_t m_nBlockIndex = 0;

 private:
  void OnOK();
};

}  // namespace ravelin
