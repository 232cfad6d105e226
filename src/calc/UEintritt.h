#pragma once
// Completion of one air point (state and flows) as the record's stream steps and the outlet
// completion use it.
#include <cstdint>

// Completes the air state (CompleteAirState with humidityMode) and the flows (CompleteAirFlows
// with flowMode) of one air point. The moist-air functions work on copies; a value is written back
// only when it is finite, so a fault never leaves NaN or infinity in a record while the values
// computed before the fault are kept. Returns true when both completions succeeded with finite
// values.
//
// The completion is a pure function of its inputs, and a record completes the same inlet states
// many times (three times per Refresh, once per Calculate of a width search), so results are
// remembered per thread for the last few distinct inputs.
bool CompleteAirPoint(std::uint8_t humidityMode, std::uint8_t flowMode, double P, double& SVol,
                      double& OVol, double& Temp, double& RelHum, double& X, double& DewPt,
                      double& WetBulb, double& H, double& Rho, double& MassDry, double& MassVapour,
                      double& MassMoist);

// Switches the remembered results on or off for the calling thread (on by default); off always
// recomputes. Used to check that remembering never changes a result.
void SetAirPointCache(bool on);
