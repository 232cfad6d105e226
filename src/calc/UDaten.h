#pragma once
// Calculation records: one record holds a complete rating case of an air-to-air plate heat
// exchanger (both air streams at inlet and outlet, the device and every result).
//
// Air points: 11 outdoor air in, 12 supply air out (stream 1), 21 extract air in, 22 exhaust air
// out (stream 2). All values are in internal units: degC, %, g/kg, mbar, Pa, kJ/kg, kg/m3, m3/h,
// kg/h, kW, m/s, mm.
//
// Class tree: TDaten < TDatenI < TDatenII < TDatenREK < TDatenVX / TDatenZTL.
// Callers write Pressure, HumidityMode, FlowMode, per stream the flow field named by FlowMode
// (SVol, OVol or MassMoist), Temp and the humidity field named by HumidityMode (RelHum, X or
// WetBulb), and the device fields; then they call Refresh. Every error inside a calculation step is
// caught inside the record; fields written before the error keep their new values.
#include <array>
#include <cstdint>
#include <string>

class TDaten {
public:
    TDaten() = default;
    virtual ~TDaten() = default;
    TDaten(const TDaten&) = default;
    TDaten& operator=(const TDaten&) = default;

    // 100 while a calculation step runs, 0 after a stream step completed; a failed step leaves 100.
    std::int32_t Status = 0;
    // Air-state input mode of CompleteAirState for both inlets (0 phi, 1 x, 7 wet bulb given).
    std::uint8_t HumidityMode = 0;
    // Flow input mode of CompleteAirFlows (0 std volume, 1 op volume, 2 dry mass, 3 moist mass).
    std::uint8_t FlowMode = 0;
    // Barometric pressure, mbar.
    double Pressure = 0.0;

    // Completes the inlet states and recalculates.
    virtual void Refresh() {}
    // Runs the calculation of this level.
    virtual void Calculate() {}
    // Exchanges the inlet states of the two streams.
    virtual void SwapInlets() {}
    // Exchanges everything between stream 1 and stream 2.
    virtual void SwapAll() {}
};

class TDatenI : public TDaten {
public:
    TDatenI() = default;

    // Point 11: outdoor air in.
    double SVol11 = 0.0, OVol11 = 0.0, Temp11 = 0.0, RelHum11 = 0.0, X11 = 0.0, DewPoint11 = 0.0,
           WetBulb11 = 0.0, Enthalpy11 = 0.0, Density11 = 0.0, MassDry11 = 0.0,
           MassVapour11 = 0.0, MassMoist11 = 0.0;
    // Point 12: supply air out.
    double SVol12 = 0.0, OVol12 = 0.0, Temp12 = 0.0, RelHum12 = 0.0, X12 = 0.0, DewPoint12 = 0.0,
           WetBulb12 = 0.0, Enthalpy12 = 0.0, Density12 = 0.0, MassDry12 = 0.0,
           MassVapour12 = 0.0, MassMoist12 = 0.0;
    double PressureDrop1 = 0.0;     // Pa, at the operating state
    double PressureDropStd1 = 0.0;  // Pa, at standard density (fan power)
    double FaceVelocity1 = 0.0;     // m/s over the package face area
    double ChannelVelocity1 = 0.0;  // m/s over the free channel cross-section
    std::uint8_t ReservedI = 0;
    // 1 when the supply-air flow refers to the supply outlet (set by the product window only).
    std::uint8_t FlowAtOutlet = 0;
    double SVolSupplyOutlet = 0.0;  // m3/h

    void Refresh() override;
    void Calculate() override;

protected:
    // Completes the inlet state and flows of stream 1; Status 0 on success, 100 on a fault.
    void StreamStep1();
};

class TDatenII : public TDatenI {
public:
    TDatenII() = default;

    // Point 21: extract air in.
    double SVol21 = 0.0, OVol21 = 0.0, Temp21 = 0.0, RelHum21 = 0.0, X21 = 0.0, DewPoint21 = 0.0,
           WetBulb21 = 0.0, Enthalpy21 = 0.0, Density21 = 0.0, MassDry21 = 0.0,
           MassVapour21 = 0.0, MassMoist21 = 0.0;
    // Point 22: exhaust air out.
    double SVol22 = 0.0, OVol22 = 0.0, Temp22 = 0.0, RelHum22 = 0.0, X22 = 0.0, DewPoint22 = 0.0,
           WetBulb22 = 0.0, Enthalpy22 = 0.0, Density22 = 0.0, MassDry22 = 0.0,
           MassVapour22 = 0.0, MassMoist22 = 0.0;
    double PressureDrop2 = 0.0;
    double PressureDropStd2 = 0.0;
    double FaceVelocity2 = 0.0;
    double ChannelVelocity2 = 0.0;

    void Refresh() override;
    void Calculate() override;
    void SwapInlets() override;
    void SwapAll() override;

    // Completes both inlets as Calculate does, the extract air only when the outdoor air succeeded,
    // for inlets entered by temperature and relative humidity, but only as far as a heat balance
    // reads them: the dew points and wet-bulb temperatures stay as they were (see
    // CompleteAirPointForBalance).
    void CompleteInletsForBalance();

protected:
    void StreamStep2();
};

class TDatenREK : public TDatenII {
public:
    TDatenREK() = default;

    // Inputs of the device.
    std::uint8_t DpMultiplier = 1;  // factor on all pressure drops
    std::uint8_t ReservedREK = 1;
    std::int32_t SizeCode = 0;      // e.g. 16, 45, 366, 2080
    std::int32_t PackageWidth = 0;  // mm
    std::int32_t BypassWidth = 0;   // mm, computed from BypassVelocity
    double BypassVelocity = 15.0;   // m/s

    // Results.
    double TempEff1 = 0.0, TempEff2 = 0.0;        // dry temperature efficiencies, %
    double HumEff1 = 0.0, HumEff2 = 0.0;          // humidity efficiencies, % (series 3)
    double TempEffWet1 = 0.0, TempEffWet2 = 0.0;  // temperature efficiencies with condensation, %
    double HeatDry1 = 0.0, HeatDry2 = 0.0;        // kW, sensible without condensation
    double Heat1 = 0.0, Heat2 = 0.0;              // kW, sensible with condensation
    double Latent1 = 0.0, Latent2 = 0.0;          // kW
    double Total1 = 0.0, Total2 = 0.0;            // kW
    // TempEff, TempEffWet, HumEff and enthalpy efficiency, referred to the smaller dry-air flow.
    std::array<double, 4> EffRel1{};
    std::array<double, 4> EffRel2{};
    double Water1 = 0.0;       // kg/h taken from stream 1 (negative when it gains water)
    double Condensate2 = 0.0;  // kg/h taken from stream 2
    std::uint8_t CondensationState = 0;  // 0 none, 1 or 2
    std::uint8_t FreezeRisk = 0;         // 1 when water separates and the freezing limit is reached

    // Heat-recovery classification.
    double EnergyEfficiency = 0.0;              // %
    std::string EfficiencyClass = "-";          // "H1" .. "H6", "-" unclassified
    std::int32_t EfficiencyClassNo = 0;         // 1 .. 6, 0 unclassified
    std::string EnergyEfficiencyText = "-";     // e.g. "68.5% / H2"
    double ErpEfficiency = 0.0;                 // %, TempEff1 of the classification case

    // Inputs of the cross-flow kind (not read by the counterflow calculation).
    std::uint8_t ZtlOption1 = 0;
    std::uint8_t ZtlOption2 = 0;

    std::string Kind;             // "VX" or "ZTL": selects the calculation
    std::uint8_t Series = 1;      // 1 "VX", 2 "VX-K", 3 "VX-E"

    void Refresh() override;
    void Calculate() override;
    void SwapAll() override;

    // Rates the reference case (5 degC / 72 % against 25 degC, balanced standard flows) with this
    // record's device and fills EnergyEfficiency, EfficiencyClass, EfficiencyClassNo,
    // EnergyEfficiencyText and ErpEfficiency.
    void EvaluateEnergyEfficiency();
};

// The counterflow exchanger of this program.
class TDatenVX : public TDatenREK {
public:
    TDatenVX();
    // Completes the inlets and runs the counterflow calculation twice; the second run starts from
    // the bypass velocity and humidity guard of the first and gives the displayed results.
    void Refresh() override;
    void Calculate() override;
};

// Cross-flow exchanger of another family; its calculation is empty in this program.
class TDatenZTL : public TDatenREK {
public:
    TDatenZTL();
    void Refresh() override;
    void Calculate() override;
};

// The twelve values of an air point in field order, for code that handles a point as a whole; the
// enumerators index them.
enum TPointField {
    kSVol, kOVol, kTemp, kRelHum, kX, kDewPt, kWetBulb, kH, kRho, kMassDry, kMassVapour, kMassMoist
};
using TPointFields = std::array<double TDatenII::*, 12>;
extern const TPointFields Point11Fields, Point12Fields, Point21Fields, Point22Fields;

// Heat-recovery class for an energy efficiency value v (%): "H1" for v >= 71 down to "H6" for
// v >= 0, "-" below 0 or for a value that is not a number. classNo receives 1..6 or 0.
std::string EfficiencyClassFor(double v, std::int32_t& classNo);
