#pragma once
// Completion of one air point (state and flows) as the record's stream steps and the outlet
// completion use it. The moist-air functions work on copies; a value is written back only when it
// is finite, so a fault never leaves NaN or infinity in a record while the values computed before
// the fault are kept. Each function returns true when its completion succeeded with finite values.
#include <cstdint>

// Completes the air state (CompleteAirState with humidityMode) and then the flows
// (CompleteAirFlows with flowMode) of one inlet point.
//
// A record completes the same inlet states many times (twice per Refresh, once per Calculate),
// the later times from the point as the earlier completion left it; results are remembered (see
// UMerker.h) under the point as given and, where completing a completed point computes the same
// values again, under the completed point as well.
bool CompleteAirPoint(std::uint8_t humidityMode, std::uint8_t flowMode, double P, double& SVol,
                      double& OVol, double& Temp, double& RelHum, double& X, double& DewPt,
                      double& WetBulb, double& H, double& Rho, double& MassDry, double& MassVapour,
                      double& MassMoist);

// CompleteAirPoint for an inlet entered by temperature and relative humidity (state mode 0), as far
// as a heat balance reads it: the dew point and the wet-bulb temperature are left as they are. For
// a temperature up to 1000 degC and a humidity ratio of at least zero these two are finite, never
// fault and feed no other value, so every other field and the result are those of
// CompleteAirPoint; any other point is completed by CompleteAirPoint itself.
bool CompleteAirPointForBalance(std::uint8_t flowMode, double P, double& SVol, double& OVol,
                                double& Temp, double& RelHum, double& X, double& DewPt,
                                double& WetBulb, double& H, double& Rho, double& MassDry,
                                double& MassVapour, double& MassMoist);

// The two halves of a point completion, for the outlets: the counterflow calculation completes
// the states of both outlets before the flows of either.
bool CompleteAirPointState(std::uint8_t humidityMode, double P, double& Temp, double& RelHum,
                           double& X, double& DewPt, double& WetBulb, double& H, double& Rho);
bool CompleteAirPointFlows(std::uint8_t flowMode, double P, double& SVol, double& OVol,
                           double& MassMoist, double& MassVapour, double& MassDry, double Rho,
                           double X, double Temp);
