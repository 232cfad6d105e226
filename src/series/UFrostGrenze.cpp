#include "UFrostGrenze.h"

#include <cmath>

#include "calc/UDaten.h"
#include "series/UVXGrenzen.h"

namespace {

// The record with the outdoor air entered by relative humidity, ready for a new temperature.
TDatenVX TrialRecord(const TDatenVX& record) {
    TDatenVX trial = record;
    trial.HumidityMode = 0;  // RelHum11 and RelHum21 hold the completed inlet humidities
    return trial;
}

// One rating of the trial record at temp11, in the order of a calculation request.
bool TrialFreezes(TDatenVX trial, double temp11) {
    trial.Temp11 = temp11;
    trial.Refresh();
    trial.Calculate();
    return trial.FreezeRisk != 0;
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
