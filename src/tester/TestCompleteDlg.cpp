#include "tester/TestCompleteDlg.h"

#include "tester/TesterIds.h"

namespace ravelin {

int CTestCompleteDlg::ResultOf(int controlId) {
  switch (controlId) {
    case IDC_VIEW_FILE:
      return kViewFile;
    case kClose:
      return kClose;
    case kCancel:
      return kCancel;
    default:
      return 0;
  }
}

}  // namespace ravelin
