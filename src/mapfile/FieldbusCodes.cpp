// Automatic translation of FOUNDATION Fieldbus standard codes into common
// codes, and the block type a common probe type implies.
#include <algorithm>
#include <array>
#include <iterator>

#include "mapfile/MapFileInformation.h"

namespace ravelin {
namespace {

constexpr int32_t kUnmapped = 250;

struct CodePair {
  int32_t from;
  int32_t to;
};

// Fieldbus units (1000-1429) onto common units; several fieldbus codes may
// share one common code.
constexpr CodePair kFieldbusUnits[] = {
    {1000, 35}, {1001, 32}, {1002, 33}, {1003, 34}, {1004, 144}, {1005, 143},
    {1006, 270}, {1007, 271}, {1008, 272}, {1009, 273}, {1010, 45},
    {1011, 274}, {1012, 48}, {1013, 49}, {1014, 275}, {1015, 267}, {1016, 276},
    {1017, 277}, {1018, 44}, {1019, 47}, {1020, 278}, {1021, 279}, {1022, 280},
    {1023, 281}, {1024, 282}, {1025, 283}, {1026, 284}, {1027, 285},
    {1028, 286}, {1029, 287}, {1030, 288}, {1031, 289}, {1032, 290},
    {1033, 291}, {1034, 43}, {1035, 292}, {1036, 264}, {1037, 293}, {1038, 41},
    {1039, 294}, {1040, 268}, {1041, 236}, {1042, 113}, {1043, 112},
    {1044, 111}, {1045, 295}, {1046, 296}, {1047, 297}, {1048, 40}, {1049, 42},
    {1050, 110}, {1051, 46}, {1052, 124}, {1053, 168}, {1054, 51}, {1055, 298},
    {1056, 299}, {1057, 300}, {1058, 50}, {1059, 52}, {1060, 53}, {1061, 21},
    {1062, 301}, {1063, 120}, {1064, 302}, {1065, 303}, {1066, 114},
    {1067, 20}, {1068, 304}, {1069, 115}, {1070, 116}, {1071, 305},
    {1072, 306}, {1073, 307}, {1074, 308}, {1075, 309}, {1076, 310},
    {1077, 38}, {1078, 311}, {1079, 312}, {1080, 313}, {1081, 255},
    {1082, 314}, {1083, 315}, {1084, 118}, {1085, 119}, {1086, 316},
    {1087, 317}, {1088, 61}, {1089, 60}, {1090, 318}, {1091, 319}, {1092, 62},
    {1093, 125}, {1094, 63}, {1095, 64}, {1096, 65}, {1097, 92}, {1098, 320},
    {1099, 321}, {1100, 91}, {1101, 322}, {1102, 323}, {1103, 96}, {1104, 95},
    {1105, 97}, {1106, 98}, {1107, 94}, {1108, 93}, {1109, 99}, {1110, 100},
    {1111, 102}, {1112, 103}, {1113, 104}, {1114, 90}, {1115, 324},
    {1116, 325}, {1117, 326}, {1118, 327}, {1119, 328}, {1120, 68},
    {1121, 329}, {1122, 330}, {1123, 331}, {1124, 332}, {1125, 333},
    {1126, 334}, {1127, 335}, {1128, 336}, {1129, 337}, {1130, 11},
    {1131, 338}, {1132, 237}, {1133, 12}, {1134, 339}, {1135, 340},
    {1136, 254}, {1137, 7}, {1138, 8}, {1139, 13}, {1140, 14}, {1141, 6},
    {1142, 6}, {1143, 6}, {1144, 9}, {1145, 10}, {1146, 145}, {1147, 238},
    {1148, 1}, {1149, 258}, {1150, 239}, {1151, 4}, {1152, 3}, {1153, 341},
    {1154, 3}, {1155, 2}, {1156, 2}, {1157, 5}, {1158, 5}, {1174, 164},
    {1179, 128}, {1182, 162}, {1183, 165}, {1185, 126}, {1190, 127},
    {1195, 140}, {1196, 141}, {1197, 142}, {1198, 129}, {1209, 343},
    {1210, 344}, {1211, 39}, {1212, 345}, {1213, 346}, {1214, 347}, {1240, 58},
    {1241, 348}, {1242, 349}, {1243, 36}, {1244, 350}, {1245, 351},
    {1246, 352}, {1247, 353}, {1248, 354}, {1249, 153}, {1281, 37},
    {1284, 163}, {1302, 66}, {1318, 70}, {1319, 71}, {1320, 72}, {1322, 73},
    {1323, 74}, {1324, 75}, {1325, 76}, {1327, 77}, {1328, 78}, {1329, 79},
    {1330, 80}, {1331, 81}, {1332, 82}, {1333, 83}, {1335, 84}, {1336, 85},
    {1337, 86}, {1340, 87}, {1341, 88}, {1342, 57}, {1343, 105}, {1344, 106},
    {1346, 160}, {1347, 269}, {1348, 131}, {1349, 19}, {1350, 29}, {1351, 24},
    {1352, 17}, {1353, 138}, {1354, 342}, {1355, 25}, {1356, 26}, {1357, 15},
    {1358, 130}, {1359, 27}, {1362, 22}, {1363, 16}, {1364, 136}, {1365, 235},
    {1366, 23}, {1367, 137}, {1368, 18}, {1369, 30}, {1370, 31}, {1371, 132},
    {1372, 133}, {1373, 134}, {1374, 135}, {1422, 59}, {1423, 139},
    {1424, 169}, {1426, 101}, {1427, 107}, {1428, 108}, {1429, 109},
};
static_assert(std::size(kFieldbusUnits) == 244);

constexpr CodePair kFieldbusProbeTypes[] = {
    {103, 129}, {104, 1}, {128, 12}, {129, 32}, {130, 13}, {131, 14},
    {132, 73}, {133, 80}, {134, 131}, {135, 132}, {136, 134}, {137, 136},
    {138, 137}, {139, 138}, {140, 139}, {141, 140}, {142, 141}, {143, 142},
    {144, 143},
};

constexpr CodePair kFieldbusPressMeasTypes[] = {{107, 0}, {108, 1}, {109, 2}};

template <size_t N>
constexpr bool SortedByFrom(const CodePair (&table)[N]) {
  return std::is_sorted(std::begin(table), std::end(table),
                        [](const CodePair& a, const CodePair& b) { return a.from < b.from; });
}
static_assert(SortedByFrom(kFieldbusUnits) && SortedByFrom(kFieldbusProbeTypes) &&
              SortedByFrom(kFieldbusPressMeasTypes));

template <size_t N>
int32_t Translate(const CodePair (&table)[N], int32_t code) {
  const auto found = std::lower_bound(
      std::begin(table), std::end(table), code,
      [](const CodePair& pair, int32_t value) { return pair.from < value; });
  return found != std::end(table) && found->from == code ? found->to : kUnmapped;
}

}  // namespace

int32_t CMapFileInformation::FieldbusUnitsToCommon(int32_t code) const {
  if (!m_bFieldbus) return code >= 0 && code <= 253 ? code : kUnmapped;
  return Translate(kFieldbusUnits, code);
}

int32_t CMapFileInformation::FieldbusProbeTypeToCommon(int32_t code) const {
  if (!m_bFieldbus) return code < 254 ? code : kUnmapped;
  return Translate(kFieldbusProbeTypes, code);
}

int32_t CMapFileInformation::FieldbusPressMeasToCommon(int32_t code) const {
  return Translate(kFieldbusPressMeasTypes, code);
}

int32_t CMapFileInformation::ProbeTypeToBlockType(int32_t probeType) {
  constexpr int32_t kRtd = 2, kThermocouple = 3, kGeneric = 1;
  switch (probeType) {
    case 11: case 12: case 13: case 14: case 15: case 21: case 22:
    case 31: case 32: case 33: case 34: case 35: case 40: case 41: case 42:
    case 51: case 61: case 62: case 63: case 64: case 71: case 72: case 73:
    case 74: case 80: case 81:
      return kRtd;
    default:
      return probeType >= 131 && probeType <= 147 ? kThermocouple : kGeneric;
  }
}

}  // namespace ravelin
