// Resource and control ids of the map file wizard's enumeration mapping
// pages and their pick dialog. Plain macros: the resource compiler reads
// this file too.
#pragma once

#define IDD_MAP_INPUT_UNITS 210
#define IDD_SELECT_MAPPING 213
#define IDD_MAP_TEMP_PROBE_TYPE 214
#define IDD_MAP_PRESS_MEAS_TYPE 215
#define IDD_MAP_TOTALIZER_UNITS 219
#define IDD_TRANSFER_FUNCTION_CODE 221
#define IDD_MAP_NUM_WIRES 224

#define IDC_MAPPING_LIST 220
#define IDC_SINGLE_MAP 253
#define IDC_AUTO_MAP 254
#define IDC_SELECT_LIST 260
#define IDC_MAPPING_FOR 271
