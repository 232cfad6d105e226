#include "calc/UEintritt.h"

#include <cmath>
#include <cstddef>

#include "calc/UDaten.h"
#include "calc/UMerker.h"
#include "thermo/UThermo.h"

namespace {

// Writes the finite values of v into the fields; false if any value is not finite.
template <std::size_t N>
bool WriteBack(double* const (&fields)[N], const double (&v)[N]) {
    bool finite = true;
    for (std::size_t i = 0; i < N; ++i) {
        if (std::isfinite(v[i]))
            *fields[i] = v[i];
        else
            finite = false;
    }
    return finite;
}

// State then flows of the point v; false on a fault.
bool Compute(std::uint8_t hm, std::uint8_t fm, double P, double* v) {
    try {
        CompleteAirState(hm, v[kTemp], v[kRelHum], P, v[kX], v[kDewPt], v[kWetBulb], v[kH], v[kRho]);
        CompleteAirFlows(fm, v[kSVol], v[kOVol], v[kMassMoist], v[kMassVapour], v[kMassDry], v[kRho],
                         v[kX], v[kTemp], P);
    } catch (...) {
        return false;
    }
    return true;
}

// Every state mode except 6 and every flow mode computes only quantities it was not given, from
// the ones it was given; completing its own result therefore computes the same values again and
// writes them over themselves. Mode 6 (dew point given) recomputes the dew point in its common
// tail from the humidity ratio it derived, which need not give back the same bits.
bool CompletesToItself(std::uint8_t humidityMode) { return humidityMode != 6; }

// Modes, pressure and the twelve values of a point as it was given.
using TPointKey = std::array<double, 15>;
struct TPointResult {
    double v[12] = {};
    bool ok = false;
};
thread_local TMerker<15, TPointResult, 8> tPoints;

TPointKey PointKey(std::uint8_t hm, std::uint8_t fm, double P, double* const (&fields)[12]) {
    TPointKey key{double(hm), double(fm), P};
    for (int i = 0; i < 12; ++i) key[3 + i] = *fields[i];
    return key;
}

}  // namespace

bool CompleteAirPoint(std::uint8_t humidityMode, std::uint8_t flowMode, double P, double& SVol,
                      double& OVol, double& Temp, double& RelHum, double& X, double& DewPt,
                      double& WetBulb, double& H, double& Rho, double& MassDry,
                      double& MassVapour, double& MassMoist) {
    double* const fields[12] = {&SVol, &OVol, &Temp,    &RelHum,     &X,       &DewPt,
                                &WetBulb, &H, &Rho,     &MassDry, &MassVapour, &MassMoist};
    const bool reuse = CalculationReuse();
    TPointKey key{};
    if (reuse) {
        key = PointKey(humidityMode, flowMode, P, fields);
        if (const TPointResult* hit = tPoints.Find(key)) {
            WriteBack(fields, hit->v);
            return hit->ok;
        }
    }

    TPointResult result;
    for (int i = 0; i < 12; ++i) result.v[i] = *fields[i];
    result.ok = Compute(humidityMode, flowMode, P, result.v);
    result.ok = WriteBack(fields, result.v) && result.ok;
    if (reuse) {
        tPoints.Store(key, result);
        if (CompletesToItself(humidityMode))
            tPoints.Store(PointKey(humidityMode, flowMode, P, fields), result);
    }
    return result.ok;
}

bool CompleteAirPointForBalance(std::uint8_t flowMode, double P, double& SVol, double& OVol,
                                double& Temp, double& RelHum, double& X, double& DewPt,
                                double& WetBulb, double& H, double& Rho, double& MassDry,
                                double& MassVapour, double& MassMoist) {
    const double x = HumidityRatio(Temp, RelHum, P);
    if (!(std::isfinite(Temp) && Temp <= 1000.0 && x >= 0.0))
        return CompleteAirPoint(0, flowMode, P, SVol, OVol, Temp, RelHum, X, DewPt, WetBulb, H,
                                Rho, MassDry, MassVapour, MassMoist);
    double* const fields[12] = {&SVol, &OVol, &Temp,    &RelHum,     &X,       &DewPt,
                                &WetBulb, &H, &Rho,     &MassDry, &MassVapour, &MassMoist};
    double v[12];
    for (int i = 0; i < 12; ++i) v[i] = *fields[i];
    bool ok = true;
    try {
        v[kX] = x;
        v[kH] = Enthalpy(Temp, x, P);
        v[kRho] = Density(Temp, x, P);
        CompleteAirFlows(flowMode, v[kSVol], v[kOVol], v[kMassMoist], v[kMassVapour], v[kMassDry],
                         v[kRho], v[kX], v[kTemp], P);
    } catch (...) {
        ok = false;
    }
    return WriteBack(fields, v) && ok;
}

bool CompleteAirPointState(std::uint8_t humidityMode, double P, double& Temp, double& RelHum,
                           double& X, double& DewPt, double& WetBulb, double& H,
                           double& Rho) {
    double* const fields[7] = {&Temp, &RelHum, &X, &DewPt, &WetBulb, &H, &Rho};
    double v[7] = {Temp, RelHum, X, DewPt, WetBulb, H, Rho};
    bool ok = true;
    try {
        CompleteAirState(humidityMode, v[0], v[1], P, v[2], v[3], v[4], v[5], v[6]);
    } catch (...) {
        ok = false;
    }
    return WriteBack(fields, v) && ok;
}

bool CompleteAirPointFlows(std::uint8_t flowMode, double P, double& SVol, double& OVol,
                           double& MassMoist, double& MassVapour, double& MassDry, double Rho,
                           double X, double Temp) {
    double* const fields[5] = {&SVol, &OVol, &MassMoist, &MassVapour, &MassDry};
    double v[5] = {SVol, OVol, MassMoist, MassVapour, MassDry};
    bool ok = true;
    try {
        CompleteAirFlows(flowMode, v[0], v[1], v[2], v[3], v[4], Rho, X, Temp, P);
    } catch (...) {
        ok = false;
    }
    return WriteBack(fields, v) && ok;
}
