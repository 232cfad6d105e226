#pragma once
// A selection: everything that defines one device choice for one site (air pressure, input modes,
// calculation standard, the winter and summer inlets as exact SI values, the device, the header
// lines and the notes) and everything derived from it (the rated records, check messages, device
// figures, type key, hint). The product window, the pages and vxrate all read the same selection,
// so they always describe the same device. Plain C++; texts appear as language-text numbers.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/UDaten.h"
#include "series/UVXAuswertung.h"
#include "series/UVXGrenzen.h"
#include "series/UVXSerie.h"

// Which humidity value of an inlet is typed (the record's HumidityMode).
enum THumidityInput : std::uint8_t {
    HumidityInputRelative = 0,  // relative humidity, %
    HumidityInputRatio = 1,     // humidity ratio, g/kg
    HumidityInputWetBulb = 7,   // wet-bulb temperature, degC
};

// Which flow of an inlet is typed (the record's FlowMode).
enum TFlowInput : std::uint8_t {
    FlowInputStandardVolume = 0,   // m3/h at standard density
    FlowInputOperatingVolume = 1,  // m3/h at the operating state
    FlowInputMoistMass = 3,        // kg/h of moist air
};

// How the bypass is sized: by the air velocity in it, or by a typed width.
enum class TBypassMode : std::uint8_t { Velocity, Width };

// The device of a selection; both cases share it.
struct TDevice {
    int Series = SeriesVX;
    int SizeCode = 30;
    int PackageWidth = 250;  // mm
    int Bypass = BypassNone;
    TBypassMode BypassMode = TBypassMode::Velocity;
    double BypassVelocity = 15.0;  // m/s; in width mode it follows from BypassWidth
    int BypassWidth = 0;           // mm; typed in width mode, else the rated width
    std::uint8_t DpMultiplier = 1;
    bool operator==(const TDevice&) const = default;
};

// The device fields of a record, with the bypass arrangement (sized by velocity), and back.
TDevice DeviceOf(const TDatenVX& record, int bypassCode);
void PutDevice(const TDevice& device, TDatenVX& record);

// The six air inputs of a case, as the input edits name them.
enum class TAirInput { Flow11, Flow21, Temp11, Temp21, Humidity11, Humidity21 };

// One case rated as a calculation request rates it: inlets completed, operating point checked on
// the record as it stands, calculated, energy efficiency evaluated; then the device figures, the
// ErP mark and the frost limit. The calculation runs even when the check reports an error; the
// caller decides whether the results count.
struct TRatedCase {
    TDatenVX Record;
    int Bypass = BypassNone;
    TCheckResult Check;
    TDeviceFigures Figures;
    std::string ErpMark;
    std::optional<double> FrostLimit;  // degC; empty: no frost limit (see UFrostGrenze.h)
};
TRatedCase RateCase(const TDatenVX& input, int bypassCode);

// The program's default winter case: 1013 mbar, relative humidity and standard volume typed,
// 200 m3/h at -5 degC / 90 % against 200 m3/h at 22 degC / 40 %, VX 30 with a 250 mm package, no
// bypass (15 m/s), pressure-drop factor 1.
TDatenVX DefaultCase();

class TSelection {
public:
    TSelection();

    // ---- Inputs --------------------------------------------------------------------------------
    double Pressure = 1013.0;  // mbar
    std::uint8_t HumidityMode = HumidityInputRelative;
    std::uint8_t FlowMode = FlowInputStandardVolume;
    bool FlowAtOutlet = false;    // operating volume referred to the outlet state
    bool AmericanMethod = false;  // efficiencies referred to the smaller mass flow (AHRI 1060)
    bool EnergyClasses = false;   // heat-recovery class and ErP rows shown
    bool Seasons = false;         // a summer case is offered
    bool TwoCases = false;        // the summer case is shown and rated
    TDevice Device;
    // Winter (0) and summer (1): the inlets as typed and completed, and after a calculation the
    // results.
    std::array<TDatenVX, 2> Cases;
    bool PrintHeader = false;
    std::vector<std::string> HeaderLines = std::vector<std::string>(8);  // label/value pairs
    std::vector<std::string> NotesData = std::vector<std::string>(3);
    std::vector<std::string> NotesChart = std::vector<std::string>(3);

    // ---- Input changes: each re-derives what depends on it --------------------------------------
    // A typed air input in SI units of the current modes (flow m3/h or kg/h, degC, %, g/kg).
    void SetAirInput(int caseIndex, TAirInput input, double value);
    // The value an air input edit shows, in SI units of the current modes.
    double AirInput(int caseIndex, TAirInput input) const;
    void SetDevice(const TDevice& device);
    void SetPressure(double mbar);
    // The input modes change which value is typed next, never the case: the records keep every
    // value exactly and the results stay valid.
    void SetHumidityMode(std::uint8_t mode);
    void SetFlowMode(std::uint8_t mode);
    void SetTwoCases(bool two);
    void SetSeasons(bool on);
    void SetCalculationStandard(bool american, bool energyClasses, bool flowAtOutlet);
    // Writes the shared fields into both records, completes their inlets and sizes the bypass; the
    // results become invalid. Every setter above that changes the case calls it.
    void Update();

    // ---- Calculation request ---------------------------------------------------------------------
    // The check of the active cases as the inputs stand.
    TCheckResult CaseCheck(int caseIndex) const;
    // Rates the active cases. The results become valid when no case has an error; returns that.
    bool Calculate();
    bool ResultsValid() const { return resultsValid_; }

    // ---- Derived figures -------------------------------------------------------------------------
    int CaseCount() const { return TwoCases ? 2 : 1; }
    const TDeviceFigures& Figures() const { return figures_; }
    // Bypass width shown beside the device: the typed width in width mode, else the rated width.
    int ShownBypassWidth() const;
    // Recommended maximum pressure drop of the device, Pa (0 when the size is unknown).
    int RecommendedDp() const;
    // Type key after the word "Type": "VX 45 / 1820 -BY260(M)".
    std::string TypeKey(const std::string& typeWord) const;
    // The condensation/freezing hint of the winter case; nothing while the results are not valid.
    THint Hint() const;
    // Frost limit of the winter case (degC); empty while the results are not valid or when the
    // case has none.
    std::optional<double> FrostLimit() const { return resultsValid_ ? frostLimit_ : std::nullopt; }

private:
    TDeviceFigures figures_;
    std::optional<double> frostLimit_;
    bool resultsValid_ = false;
};
