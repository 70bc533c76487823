// Resource and control ids of the device browsing dialogs. Plain macros:
// the resource compiler reads this file too.
#pragma once

#define IDD_SELECT_ENUMERATION 202
#define IDD_SELECT_PARAMETER 203
#define IDD_SELECT_BLOCK 206
#define IDR_PARAMETER_MENU 222

// The list of each dialog: a list view, or the enumeration's list box.
#define IDC_BROWSE_LIST 220
#define IDC_TYPE_ALL 233
#define IDC_TYPE_ENUMERATION 234
#define IDC_TYPE_FLOAT 235
#define IDC_TYPE_STRING 236
#define IDC_SHOW_ENUM 237

#define ID_COPY_TO_CLIPBOARD 32769
