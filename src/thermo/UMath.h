#pragma once
// Checked arithmetic for the calculation core. IEEE arithmetic does not trap, but the moist-air
// functions and the record calculations are written around guards that catch arithmetic faults
// (division by zero, logarithm of a non-positive number, overflow, NaN). These helpers raise
// MathFault where the hardware would have trapped, so the guards can apply their fallbacks.
#include <stdexcept>

struct MathFault : std::runtime_error {
    explicit MathFault(const char* what) : std::runtime_error(what) {}
};

// a / b; faults on b == 0 or a non-finite result.
double Div(double a, double b);
// Natural logarithm; faults for x <= 0.
double Ln(double x);
// e^x; faults on overflow.
double Exp(double x);
// x^y formed as exp(y * ln x); faults for x <= 0 (so a power of zero is a fault).
double Pow(double x, double y);
// Returns x, or faults when x is NaN or infinite.
double Finite(double x);
