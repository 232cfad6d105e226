#pragma once
// Moist-air property functions at a given barometric pressure.
// Units: t in degC, phi in % (100 = saturated), x in g/kg dry air, P in mbar, vapour pressures in
// Pa, h in kJ/kg dry air, rho in kg/m3, volume flows in m3/h, mass flows in kg/h, altitude in m.

// Saturation vapour pressure over water/ice, Pa.
double SaturationPressure(double t);
// Humidity ratio of air at t and phi; 0 for phi <= 0 or on an arithmetic fault.
double HumidityRatio(double t, double phi, double P);
// Relative humidity (not limited to 100); 0 for x <= 0 or on an arithmetic fault.
double RelativeHumidity(double t, double x, double P);
// Temperature at which the saturation pressure equals pD; the start value of the search when it
// does not converge, 0 for a pD without logarithm.
double DewPointFromVapourPressure(double pD);
double DewPoint(double x, double P);
// Temperature at which air of humidity x has the relative humidity phi.
double TempFromHumidityAndRh(double x, double P, double phi);
// Enthalpy per kg dry air, including liquid or ice fog above saturation (no fog where the
// saturation pressure reaches the air pressure).
double Enthalpy(double t, double x, double P);
// Humidity where the isenthalp h meets saturation, plus 1 g/kg (chart use).
double SatHumidityOnIsenthalp(double h, double P);
double Density(double t, double x, double P);
// Density at the standard state 20 degC, 50 %, 1013 mbar (1.2 kg/m3).
double StandardDensity();
double StdVolumeFromOpVolume(double V_op, double t, double x, double P);
double OpVolumeFromStdVolume(double P, double x, double t, double V_std);
double KinematicViscosity(double t);
double PrandtlNumber(double t);
double ThermalConductivity(double t);
double SpecificHeatDryAir(double t);
double SpecificHeatVapour(double t);
// Temperature on the isenthalp through (t, x) where phi = phiTarget; phiTarget 100 gives the
// wet-bulb temperature. Raises MathFault for t > 1000 or x < 0 (and for a non-finite t or x);
// any later fault returns t.
double TempAtRelHumOnIsenthalp(double t, double x, double P, double phiTarget);
// End temperature of a cooling process from (t0, x0) towards a wall at tWall down to hTarget.
double CoolingEndTemperature(double P, double hTarget, double x0, double t0, double tWall);
double PressureFromAltitude(double z);
double AltitudeFromPressure(double P);

// Fills the quantities the input mode (0..12) does not give. Always returns true.
bool CompleteAirState(int mode, double& t, double& phi, double P, double& x, double& td,
                      double& tw, double& h, double& rho);
// Fills the flows the flow mode (0 std volume, 1 op volume, 2 dry mass, 3 moist mass) does not give.
bool CompleteAirFlows(int mode, double& V_std, double& V_op, double& m_moist, double& m_vapour,
                      double& m_dry, double rho, double x, double t, double P);
// Adiabatic mixing of stream 1 and stream 2. Always returns true.
bool MixAirStreams(double& m_mix, double& t_mix, double& x_mix, double x2, double t2, double m2,
                   double x1, double t1, double m1, double P);
