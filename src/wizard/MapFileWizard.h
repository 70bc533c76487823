// The map file wizard: the model of one device, its pages in a fixed sheet
// order and the jumps between them. The walk a user takes is not the sheet
// order; pages name their targets by selector and the wizard turns a
// selector into the page's position.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mapfile/MapFileInformation.h"
#include "wizard/WizardJumps.h"

namespace ravelin {

class CWizardFinishedPage;
class CWizardPage;

// The sheet as the wizard needs it.
class WizardSheetView {
 public:
  virtual ~WizardSheetView() = default;
  // Appends a page; returns its zero-based position in the sheet.
  virtual int AddPage(CWizardPage& page) = 0;
  virtual void SetActivePage(int position) = 0;
  // A yes/no question; true for yes.
  virtual bool Confirm(const std::wstring& question) = 0;
};

extern const wchar_t kMapFileWizardCaption[];
extern const wchar_t kCloseUnwrittenQuestion[];

class CMapFileWizard {
 public:
  // Builds the model (reading the device's map file, if any) and adds the
  // pages to `sheet`, which must outlive the wizard's use of it.
  CMapFileWizard(WizardSheetView& sheet, const std::wstring& tag, const std::wstring& moniker,
                 const std::wstring& plantServer, int32_t manufacturer, int32_t deviceType,
                 int32_t deviceRevision, bool fieldbus);
  ~CMapFileWizard();
  CMapFileWizard(const CMapFileWizard&) = delete;
  CMapFileWizard& operator=(const CMapFileWizard&) = delete;

  // The posted jump; selectors above the last are ignored.
  void OnGotoWizardPage(uint32_t selector);
  // Finish or Cancel: true closes. Asks first when the model holds changes
  // that were never written, so a session is not thrown away unseen.
  bool QueryClose();

  int PageCount() const { return static_cast<int>(m_pageList.size()); }

  CMapFileInformation m_mapInfo;
  int32_t m_pageIndex[kWizardFinished + 1] = {};

 private:
  template <typename Page>
  Page& Add(WizardSheetView& sheet, int selector = -1);

  WizardSheetView& m_sheet;
  std::vector<std::unique_ptr<CWizardPage>> m_pageList;
  CWizardFinishedPage* m_finished = nullptr;
};

}  // namespace ravelin
