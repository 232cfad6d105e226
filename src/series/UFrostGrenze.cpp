#include "UFrostGrenze.h"

#include <cmath>

#include "calc/UDaten.h"
#include "calc/UGegenstrom.h"
#include "series/UVXGrenzen.h"

namespace {

// The record with the outdoor air entered by relative humidity, ready for a new temperature.
TDatenVX TrialRecord(const TDatenVX& record) {
    TDatenVX trial = record;
    trial.HumidityMode = 0;  // RelHum11 and RelHum21 hold the completed inlet humidities
    return trial;
}

// The flag of a calculation request (Refresh, then Calculate) on the trial record at temp11.
// With both inlets entered by relative humidity, every completion of an inlet after the first
// gives the same point again, so the request's three counterflow runs see the same inlets and end
// with the flag of the first; that run is worked out only as far as the flag.
bool TrialFreezes(TDatenVX r, double temp11) {
    r.Temp11 = temp11;
    r.CompleteInletsForBalance();
    CalculateExchange(r);
    return r.FreezeRisk != 0;
}

}  // namespace

bool FreezesAt(const TDatenVX& record, double temp11) {
    return TrialFreezes(TrialRecord(record), temp11);
}

std::optional<double> FrostLimit(const TDatenVX& record) {
    const TDatenVX trial = TrialRecord(record);
    // Temperatures in tenths of a kelvin, so every tried temperature lies on the 0.1 K grid.
    const auto freezes = [&trial](int tenths) { return TrialFreezes(trial, tenths / 10.0); };
    int high = static_cast<int>(std::lround(FrostLimitSearchTop * 10.0));
    if (freezes(high)) return high / 10.0;
    int low = static_cast<int>(std::lround(TemperatureInputLimits(record.Series, true).Min * 10.0));
    if (!freezes(low)) return std::nullopt;
    // The flag is set at low and not at high.
    while (high - low > 1) {
        const int mid = low + (high - low) / 2;
        (freezes(mid) ? low : high) = mid;
    }
    return low / 10.0;
}
