// How each kind of revision gets its map file: model fillers for the
// wizard's writer, text fillers for what only a hand-written file can say.
#pragma once

namespace ravelin {

class CMapFileInformation;
class HandMapFile;

namespace plant {

// Through the wizard's writer (WizardMaps.cpp).
void HartPressureModel(CMapFileInformation& m);
void HartTemperatureModel(CMapFileInformation& m);
void HartFlowModel(CMapFileInformation& m);
void FieldbusPressureModel(CMapFileInformation& m);
void ConventionalModel(CMapFileInformation& m);
void TemplateFieldbusModel(CMapFileInformation& m);

// Written as text (TextMaps.cpp).
void HartFrequencyText(HandMapFile& f);
void HartExportOnlyText(HandMapFile& f);
void FieldbusRtdText(HandMapFile& f);
void FieldbusThermocoupleText(HandMapFile& f);
void GenericHartText(HandMapFile& f);
void GenericFieldbusText(HandMapFile& f);

}  // namespace plant
}  // namespace ravelin
