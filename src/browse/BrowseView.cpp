#include "browse/BrowseView.h"

#include "platform/Platform.h"

namespace ravelin {

void AskForSelection() {
  ThePlatform().ShowMessageBox(L"Make a selection or click cancel", L"Ravelin", kMbOk);
}

}  // namespace ravelin
