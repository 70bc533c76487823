// Common units codes.
//
// Sources: codes 1-255 follow the engineering unit codes of the HART common
// tables, with their usual short labels (water and mercury columns carry
// their reference temperature so that every label is unique). 254 and 255
// and the extended codes 256-354 are this table's own: each is named after
// the FOUNDATION Fieldbus unit that the fieldbus units translation of the map
// file model maps onto it. Codes without an entry have no name and are never
// offered in a pick list.
#include "outside/Conversions.h"

namespace ravelin {
namespace {

const CodeTable& UnitsTable() {
  static const CodeTable table{
      {1, L"inH2O @68F"}, {2, L"inHg @0C"}, {3, L"ftH2O @68F"},
      {4, L"mmH2O @68F"}, {5, L"mmHg @0C"}, {6, L"psi"}, {7, L"bar"},
      {8, L"mbar"}, {9, L"g/Sqcm"}, {10, L"kg/Sqcm"}, {11, L"Pa"},
      {12, L"kPa"}, {13, L"torr"}, {14, L"atm"}, {15, L"Cuft/min"},
      {16, L"gal/min"}, {17, L"L/min"}, {18, L"ImpGal/min"}, {19, L"Cum/h"},
      {20, L"ft/s"}, {21, L"m/s"}, {22, L"gal/s"}, {23, L"Mgal/d"},
      {24, L"L/s"}, {25, L"ML/d"}, {26, L"Cuft/s"}, {27, L"Cuft/d"},
      {28, L"Cum/s"}, {29, L"Cum/d"}, {30, L"ImpGal/h"}, {31, L"ImpGal/d"},
      {32, L"degC"}, {33, L"degF"}, {34, L"degR"}, {35, L"Kelvin"},
      {36, L"mV"}, {37, L"ohm"}, {38, L"Hz"}, {39, L"mA"}, {40, L"gal"},
      {41, L"L"}, {42, L"ImpGal"}, {43, L"Cum"}, {44, L"ft"}, {45, L"m"},
      {46, L"bbl"}, {47, L"in"}, {48, L"cm"}, {49, L"mm"}, {50, L"min"},
      {51, L"s"}, {52, L"h"}, {53, L"d"}, {54, L"centistokes"},
      {55, L"centipoise"}, {56, L"uMho"}, {57, L"%"}, {58, L"V"},
      {59, L"pH"}, {60, L"g"}, {61, L"kg"}, {62, L"MetTon"}, {63, L"lb"},
      {64, L"STon"}, {65, L"LTon"}, {66, L"mSiemen/cm"},
      {67, L"uSiemen/cm"}, {68, L"N"}, {69, L"Nm"}, {70, L"g/s"},
      {71, L"g/min"}, {72, L"g/h"}, {73, L"kg/s"}, {74, L"kg/min"},
      {75, L"kg/h"}, {76, L"kg/d"}, {77, L"MetTon/min"}, {78, L"MetTon/h"},
      {79, L"MetTon/d"}, {80, L"lb/s"}, {81, L"lb/min"}, {82, L"lb/h"},
      {83, L"lb/d"}, {84, L"STon/min"}, {85, L"STon/h"}, {86, L"STon/d"},
      {87, L"LTon/h"}, {88, L"LTon/d"}, {89, L"Dtherm"}, {90, L"SGU"},
      {91, L"g/Cucm"}, {92, L"kg/Cum"}, {93, L"lb/gal"}, {94, L"lb/Cuft"},
      {95, L"g/mL"}, {96, L"kg/L"}, {97, L"g/L"}, {98, L"lb/Cuin"},
      {99, L"STon/Cuyd"}, {100, L"degTwad"}, {101, L"degBrix"},
      {102, L"degBaum hv"}, {103, L"degBaum lt"}, {104, L"degAPI"},
      {105, L"% sol/wt"}, {106, L"% sol/vol"}, {107, L"degBall"},
      {108, L"proof/vol"}, {109, L"proof/mass"}, {110, L"bush"},
      {111, L"Cuyd"}, {112, L"Cuft"}, {113, L"Cuin"}, {114, L"in/s"},
      {115, L"in/min"}, {116, L"ft/min"}, {117, L"deg/s"}, {118, L"rev/s"},
      {119, L"rpm"}, {120, L"m/h"}, {121, L"NmlCum/h"}, {122, L"NmlL/h"},
      {123, L"StdCuft/min"}, {124, L"bbl liq"}, {125, L"oz"},
      {126, L"ft lbf"}, {127, L"kW"}, {128, L"kWh"}, {129, L"hp"},
      {130, L"Cuft/h"}, {131, L"Cum/min"}, {132, L"bbl/s"},
      {133, L"bbl/min"}, {134, L"bbl/h"}, {135, L"bbl/d"}, {136, L"gal/h"},
      {137, L"ImpGal/s"}, {138, L"L/h"}, {139, L"ppm"}, {140, L"Mcal/h"},
      {141, L"MJ/h"}, {142, L"Btu/h"}, {143, L"deg"}, {144, L"rad"},
      {145, L"inH2O @60F"}, {146, L"ug/L"}, {147, L"ug/Cum"},
      {148, L"% Cs"}, {149, L"vol%"}, {150, L"% stm qual"},
      {151, L"ftin16"}, {152, L"Cuft/lb"}, {153, L"pF"}, {154, L"mL/L"},
      {155, L"uL/L"}, {160, L"% plato"}, {161, L"% LEL"}, {162, L"Mcal"},
      {163, L"kohm"}, {164, L"MJ"}, {165, L"Btu"}, {166, L"NmlCum"},
      {167, L"NmlL"}, {168, L"StdCuft"}, {169, L"ppb"}, {235, L"gal/d"},
      {236, L"hL"}, {237, L"MPa"}, {238, L"inH2O @4C"},
      {239, L"mmH2O @4C"}, {250, L"Not Used"}, {251, L"None"},
      {252, L"Unknown"}, {253, L"Special"}, {254, L"hPa"}, {255, L"kHz"},
      // Extended codes, named after the fieldbus units mapped onto them.
      {258, L"mmH2O"}, {264, L"cm3"}, {267, L"nm"}, {268, L"mL"},
      {269, L"m3/s"}, {270, L"arcmin"}, {271, L"arcsec"}, {272, L"gon"},
      {273, L"rev"}, {274, L"km"}, {275, L"um"}, {276, L"pm"},
      {277, L"Angstrom"}, {278, L"yd"}, {279, L"mile"}, {280, L"nmile"},
      {281, L"m2"}, {282, L"km2"}, {283, L"cm2"}, {284, L"dm2"},
      {285, L"mm2"}, {286, L"are"}, {287, L"ha"}, {288, L"in2"},
      {289, L"ft2"}, {290, L"yd2"}, {291, L"mile2"}, {292, L"dm3"},
      {293, L"mm3"}, {294, L"cL"}, {295, L"mile3"}, {296, L"pint"},
      {297, L"quart"}, {298, L"ks"}, {299, L"ms"}, {300, L"us"},
      {301, L"mm/s"}, {302, L"km/h"}, {303, L"knot"}, {304, L"yd/s"},
      {305, L"yd/min"}, {306, L"in/h"}, {307, L"ft/h"}, {308, L"yd/h"},
      {309, L"mph"}, {310, L"m/s2"}, {311, L"THz"}, {312, L"GHz"},
      {313, L"MHz"}, {314, L"1/s"}, {315, L"1/min"}, {316, L"rad/s"},
      {317, L"rad/s2"}, {318, L"mg"}, {319, L"Mg"}, {320, L"Mg/m3"},
      {321, L"kg/dm3"}, {322, L"g/m3"}, {323, L"t/m3"}, {324, L"kg/m"},
      {325, L"mg/m"}, {326, L"tex"}, {327, L"kg*m2"}, {328, L"kg*m/s"},
      {329, L"MN"}, {330, L"kN"}, {331, L"mN"}, {332, L"uN"},
      {333, L"kg*m2/s"}, {334, L"N*m"}, {335, L"MN*m"}, {336, L"kN*m"},
      {337, L"mN*m"}, {338, L"GPa"}, {339, L"mPa"}, {340, L"uPa"},
      {341, L"ftH2O @4C"}, {342, L"L/d"}, {343, L"A"}, {344, L"kA"},
      {345, L"uA"}, {346, L"nA"}, {347, L"pA"}, {348, L"MV"}, {349, L"kV"},
      {350, L"uV"}, {351, L"F"}, {352, L"mF"}, {353, L"uF"}, {354, L"nF"},
  };
  return table;
}

}  // namespace

CUnitsConversion::CUnitsConversion() : CCommonConversions(UnitsTable()) {}

}  // namespace ravelin
