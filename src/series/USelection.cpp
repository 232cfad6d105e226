#include "series/USelection.h"

#include "series/UFrostGrenze.h"

namespace {

// The record field an air input writes in the given modes.
double& InputField(TDatenVX& r, TAirInput input, std::uint8_t flowMode, std::uint8_t humidityMode) {
    const bool stream1 = input == TAirInput::Flow11 || input == TAirInput::Temp11 ||
                         input == TAirInput::Humidity11;
    switch (input) {
        case TAirInput::Flow11:
        case TAirInput::Flow21:
            if (flowMode == FlowInputOperatingVolume) return stream1 ? r.OVol11 : r.OVol21;
            if (flowMode == FlowInputMoistMass) return stream1 ? r.MassMoist11 : r.MassMoist21;
            return stream1 ? r.SVol11 : r.SVol21;
        case TAirInput::Temp11:
        case TAirInput::Temp21:
            return stream1 ? r.Temp11 : r.Temp21;
        case TAirInput::Humidity11:
        case TAirInput::Humidity21:
            break;
    }
    if (humidityMode == HumidityInputRatio) return stream1 ? r.X11 : r.X21;
    if (humidityMode == HumidityInputWetBulb) return stream1 ? r.WetBulb11 : r.WetBulb21;
    return stream1 ? r.RelHum11 : r.RelHum21;
}

}  // namespace

TDevice DeviceOf(const TDatenVX& r, int bypassCode) {
    TDevice d;
    d.Series = r.Series;
    d.SizeCode = r.SizeCode;
    d.PackageWidth = r.PackageWidth;
    d.Bypass = bypassCode;
    d.BypassVelocity = r.BypassVelocity;
    d.DpMultiplier = r.DpMultiplier;
    return d;
}

void PutDevice(const TDevice& d, TDatenVX& r) {
    r.Series = static_cast<std::uint8_t>(d.Series);
    r.SizeCode = d.SizeCode;
    r.PackageWidth = d.PackageWidth;
    r.BypassVelocity = d.BypassVelocity;
    r.DpMultiplier = d.DpMultiplier;
}

TRatedCase RateCase(const TDatenVX& input, int bypassCode) {
    TRatedCase out;
    out.Record = input;
    out.Bypass = bypassCode;
    TDatenVX& r = out.Record;
    r.Refresh();
    out.Check = CheckRecord(r, bypassCode);
    r.Calculate();
    r.EvaluateEnergyEfficiency();
    out.Figures = DeviceFiguresFor(r.SizeCode, r.PackageWidth, r.Series, bypassCode, r.BypassWidth,
                                   r.BypassWidth);
    out.ErpMark = ErpMark(r.ErpEfficiency);
    out.FrostLimit = FrostLimit(r);
    return out;
}

TDatenVX DefaultCase() {
    TDatenVX r;
    r.Pressure = 1013.0;
    r.HumidityMode = HumidityInputRelative;
    r.FlowMode = FlowInputStandardVolume;
    r.SVol11 = r.SVol21 = 200.0;
    r.Temp11 = -5.0;
    r.RelHum11 = 90.0;
    r.Temp21 = 22.0;
    r.RelHum21 = 40.0;
    r.Series = SeriesVX;
    r.SizeCode = 30;
    r.PackageWidth = 250;
    r.BypassVelocity = 15.0;
    r.DpMultiplier = 1;
    return r;
}

TSelection::TSelection() {
    // The default case in winter; in summer 32 degC / 40 % against 26 degC / 50 %.
    Cases = {DefaultCase(), DefaultCase()};
    Cases[1].Temp11 = 32.0;
    Cases[1].Temp21 = 26.0;
    Cases[1].RelHum21 = 50.0;
    Cases[1].RelHum11 = 40.0;
    Update();
}

void TSelection::SetAirInput(int caseIndex, TAirInput input, double value) {
    InputField(Cases.at(caseIndex), input, FlowMode, HumidityMode) = value;
    Update();
}

double TSelection::AirInput(int caseIndex, TAirInput input) const {
    return InputField(const_cast<TDatenVX&>(Cases.at(caseIndex)), input, FlowMode, HumidityMode);
}

void TSelection::SetDevice(const TDevice& device) {
    Device = device;
    Update();
}

void TSelection::SetPressure(double mbar) {
    if (mbar == Pressure) return;
    Pressure = mbar;
    Update();
}

void TSelection::SetHumidityMode(std::uint8_t mode) {
    HumidityMode = mode;
    for (TDatenVX& r : Cases) r.HumidityMode = mode;
}

void TSelection::SetFlowMode(std::uint8_t mode) {
    FlowMode = mode;
    for (TDatenVX& r : Cases) r.FlowMode = mode;
}

void TSelection::SetTwoCases(bool two) {
    if (two == TwoCases) return;
    TwoCases = two;
    if (two) Update();
}

void TSelection::SetSeasons(bool on) {
    Seasons = on;
    if (!on) SetTwoCases(false);
}

void TSelection::SetCalculationStandard(bool american, bool energyClasses, bool flowAtOutlet) {
    if (american == AmericanMethod && energyClasses == EnergyClasses && flowAtOutlet == FlowAtOutlet)
        return;
    AmericanMethod = american;
    EnergyClasses = energyClasses;
    FlowAtOutlet = flowAtOutlet;
    Update();
}

void TSelection::Update() {
    resultsValid_ = false;
    auto share = [this](TDatenVX& r) {
        r.Pressure = Pressure;
        r.HumidityMode = HumidityMode;
        r.FlowMode = FlowMode;
        r.FlowAtOutlet = FlowAtOutlet ? 1 : 0;
        PutDevice(Device, r);
        if (!HasBypass(Device.Bypass)) r.BypassVelocity = 15.0;
    };
    auto refresh = [&share](TDatenVX& r) {
        share(r);
        r.Refresh();
    };
    // The summer record always holds the shared inputs; it is completed only while it is shown.
    share(Cases[1]);
    refresh(Cases[0]);
    // A typed bypass width is kept: its velocity follows the winter supply-air flow.
    if (HasBypass(Device.Bypass) && Device.BypassMode == TBypassMode::Width) {
        double v = Device.BypassVelocity;
        if (BypassVelocityFromWidth(Device.SizeCode, Device.BypassWidth, Cases[0].SVol11, v)) {
            Device.BypassVelocity = v;
            refresh(Cases[0]);
        }
    }
    if (TwoCases) refresh(Cases[1]);
    if (HasBypass(Device.Bypass) && Device.BypassMode == TBypassMode::Velocity)
        Device.BypassWidth = Cases[0].BypassWidth;
    figures_ = DeviceFiguresFor(Device.SizeCode, Device.PackageWidth, Device.Series, Device.Bypass,
                                ShownBypassWidth(), Cases[0].BypassWidth);
}

TCheckResult TSelection::CaseCheck(int caseIndex) const {
    return CheckRecord(Cases.at(caseIndex), Device.Bypass);
}

bool TSelection::Calculate() {
    Update();
    bool valid = true;
    for (int c = 0; c < CaseCount(); ++c) {
        TRatedCase rated = RateCase(Cases[c], Device.Bypass);
        valid = valid && rated.Check.WarningsOnly;
        Cases[c] = rated.Record;
        if (c == 0) frostLimit_ = rated.FrostLimit;
    }
    resultsValid_ = valid;
    return valid;
}

int TSelection::ShownBypassWidth() const {
    if (!HasBypass(Device.Bypass)) return 0;
    return Device.BypassMode == TBypassMode::Width ? Device.BypassWidth : Cases[0].BypassWidth;
}

int TSelection::RecommendedDp() const { return RecommendedPressureDrop(Device.SizeCode, Device.Series); }

std::string TSelection::TypeKey(const std::string& typeWord) const {
    return BuildTypeKey(typeWord, TypeEntryText(Device.Series, Device.SizeCode),
                        std::to_string(Device.PackageWidth), Device.Bypass,
                        std::to_string(ShownBypassWidth()));
}

THint TSelection::Hint() const { return resultsValid_ ? HintFor(Cases[0]) : THint{}; }
