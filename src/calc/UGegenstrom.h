#pragma once
// Counterflow plate heat exchanger rating: bypass, efficiencies, outlet states, heat and water
// flows, condensation and freezing state, velocities and pressure drops of a record.
#include "calc/UDaten.h"

// Rates the counterflow exchanger of the record from its completed inlet states and device fields
// and writes every result into the record. Arithmetic faults (zero flow, zero width, a size code
// without areas) raise MathFault and end the calculation; the caller's guard catches it and the
// fields keep what was written so far. An outlet state or flow that cannot be completed ends the
// calculation the same way, but returns instead of raising the fault.
void CalculateCounterflow(TDatenREK& r);

// The part of the counterflow calculation that a heat balance needs, run as TDatenREK::Calculate
// runs the whole (records of kind VX only, a fault caught): bypass, efficiencies, outlet
// temperatures and humidity ratios, heat and water flows, condensation state, velocities, pressure
// drops and freezing risk, all as the full calculation writes them. The outlet states and flows,
// the connection piece of double packages (sizes above 2000 add it to the pressure drops) and the
// efficiencies referred to the smaller flow are not written. A fault ends it, the fields keeping
// what was written so far.
void CalculateExchange(TDatenREK& r);

// Counterflow effectiveness (0..1) for the capacity-rate ratio R and the number of transfer units
// NTU; R within 1e-4 of 1 is evaluated as 0.9999.
double CounterflowEffectiveness(double R, double NTU);

// Enhancement factor (1 .. 1.25) of the heat transfer by condensation on the warm side; phi is the
// warm inlet's relative humidity (%), dT its dew point minus the cold inlet temperature (K).
double CondensationFactor(double phi, double dT);

// Dew-point excess (K) above which condensation counts as strong (state 2 below it is 1).
double CondensationLimit(double phi);

// Free channel area A (m2), face area F (m2) and pressure-drop size factor f of a size at package
// width W (mm). Codes without a row give A = F = 0 and f = 1.
struct TFlowAreas {
    double A = 0.0;
    double F = 0.0;
    double f = 1.0;
};
TFlowAreas FlowAreas(int sizeCode, double W);

// Connection cross-section (m2) of a double device; the channel area A for codes without a row.
double ConnectionArea(int sizeCode, double W, double A);
