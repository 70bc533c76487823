// "Select Parameter": the parameters of a block (of a HART device: the
// device's parameters, then its dynamic variables), filtered by type; the
// user picks one, looks at an enumeration's entries, or copies the list.
#pragma once

#include <cstdint>
#include <string>

#include "browse/BrowseView.h"

namespace ravelin {

class IVelkToolkit;

class CSelectParameter : public CBrowseDialog {
 public:
  // typeFilter: 0 All, 1 Enumeration, 2 Floating Point, 3 String; any other
  // value checks no type, and the list stays empty until one is chosen.
  CSelectParameter(std::wstring blockMoniker, std::wstring server, bool fieldbus,
                   int32_t typeFilter);

  void OnInitDialog() override;
  void OnCommand(int controlId) override;
  void OnListRightClick() override;

  // Reads the block's parameters anew for the checked type.
  void FillParameterList();
  // Opens "Select Enumeration" for the selected parameter.
  void ShowEnumeration();
  // Puts the list on the clipboard as 8-bit text, one line per row.
  void CopyParameterList();

  // The chosen parameter (output, after OK): a name, a record member
  // "NAME!Member!MEMBER", or a dynamic variable path "ItemArray!...".
  std::wstring m_strParameter;
  std::wstring m_strBlockMoniker;
  std::wstring m_strServer;
  bool m_bFieldbus;
  int32_t m_nTypeFilter;

 private:
  struct Row {
    std::wstring name;
    std::wstring label;
    std::wstring help;
    std::wstring units;
    int32_t type;
  };
  void Offer(const Row& row);
  void AddDynamicVariables(const IVelkToolkit& from);
  // The name of the lowest selected row; empty when none is.
  std::wstring SelectedName();
  void OnOK();

  // The checked type button (0 to 3) during a fill; -1 for none.
  int m_filter = -1;
};

// Whether a parameter of DD variable type `type` is listed under type
// button `filter` (0 All, 1 Enumeration, 2 Floating Point, 3 String).
bool TypeMatches(int filter, int32_t type);

}  // namespace ravelin
