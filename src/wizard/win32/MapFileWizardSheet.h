// The map file wizard as a modal wizard-mode property sheet.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ravelin::win32 {

// Builds the wizard for the device and runs it until Finish or Cancel.
// `resources` holds the templates of the wizard's and the browsers' .rc
// files.
void RunMapFileWizard(HINSTANCE resources, const std::wstring& tag, const std::wstring& moniker,
                      const std::wstring& plantServer, int32_t manufacturer, int32_t deviceType,
                      int32_t deviceRevision, bool fieldbus);

}  // namespace ravelin::win32
