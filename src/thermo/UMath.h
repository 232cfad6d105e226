#pragma once
// Checked arithmetic for the calculation core. IEEE arithmetic does not trap, but the moist-air
// functions and the record calculations are written around guards that catch arithmetic faults
// (division by zero, logarithm of a non-positive number, overflow, NaN). These helpers raise
// MathFault where the hardware would have trapped, so the guards can apply their fallbacks.
//
// They are called in every step of the stepping loops, so the checks are inline and only the
// raising of a fault is a call.
#include <cmath>
#include <stdexcept>

struct MathFault : std::runtime_error {
    explicit MathFault(const char* what) : std::runtime_error(what) {}
};

// Throws MathFault(what).
[[noreturn]] void RaiseMathFault(const char* what);

// a / b; faults on b == 0 or a non-finite result.
inline double Div(double a, double b)
{
    if (b == 0.0)
        RaiseMathFault("division by zero");
    const double r = a / b;
    if (!std::isfinite(r))
        RaiseMathFault("invalid or overflowing division");
    return r;
}

// Natural logarithm; faults for x <= 0 (also NaN) and for infinity.
inline double Ln(double x)
{
    if (!(x > 0.0) || std::isinf(x))
        RaiseMathFault("logarithm of a non-positive or non-finite number");
    return std::log(x);
}

// e^x; faults on overflow.
inline double Exp(double x)
{
    const double r = std::exp(x);
    if (!std::isfinite(r))
        RaiseMathFault("exponential overflow");
    return r;
}

// x^y formed as exp(y * ln x); faults for x <= 0 (so a power of zero is a fault).
inline double Pow(double x, double y)
{
    return Exp(y * Ln(x));
}

// Returns x, or faults when x is NaN or infinite.
inline double Finite(double x)
{
    if (!std::isfinite(x))
        RaiseMathFault("non-finite value");
    return x;
}
