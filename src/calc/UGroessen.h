#pragma once
// Size tables, bypass sizing, weights and the package-width search of the counterflow series.
// Lengths in mm, weights in kg, volume flows in m3/h, velocities in m/s.
#include "calc/UDaten.h"

// Length, height and face height (mm) of a size. Returns false and leaves the outputs unchanged
// for a code without a row.
bool DeviceDimensions(int size, int& length, int& height, int& faceHeight);

// Number of package sections of a package of width W: ceil(W / 500).
int SectionCount(double W);
// Plates in a section of width L at 2.1 mm pitch: ceil((L - 2) / 2.1).
int PlateCount(double L);

// Bypass width (mm, at least 50) that gives the bypass velocity v (m/s) for the flow V (m3/h);
// 100 mm when the width cannot be computed (v = 0, size without face height).
int BypassWidthFor(int size, double v, double V);
// Bypass velocity (m/s) of a bypass of the given width for the flow V. Raises MathFault when the
// bypass opening is zero.
double BypassVelocityFor(int size, int width, double V);

// Weight of the plate package (kg) of a single or double size at package width W for a series.
double PackageWeight(int size, double W, int series);
// Weight of the connecting cross-flow piece of a double device (a plate size mm, W width mm,
// d plate thickness mm, e plate spacing mm).
double ConnectionWeight(double a, double W, double d, double e);
// Weight of the bypass (kg) of width w.
double BypassWeight(int size, double w);

// Searches the package width at which the record reaches the dry temperature efficiency target
// (%) for a size. Changes the record's SizeCode and PackageWidth and calculates it. ok is false
// when any step failed; the other outputs are then unchanged.
void SizeWidthForEfficiency(TDatenREK& record, int size, double target, bool& ok, double& temp12,
                            double& relWetEff, double& wetEff, double& maxPressureDrop,
                            double& maxFaceVelocity, int& width);
