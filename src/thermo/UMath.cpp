#include "thermo/UMath.h"

#include <cmath>

double Div(double a, double b)
{
    if (b == 0.0)
        throw MathFault("division by zero");
    const double r = a / b;
    if (!std::isfinite(r))
        throw MathFault("invalid or overflowing division");
    return r;
}

double Ln(double x)
{
    // !(x > 0) also catches NaN.
    if (!(x > 0.0) || std::isinf(x))
        throw MathFault("logarithm of a non-positive or non-finite number");
    return std::log(x);
}

double Exp(double x)
{
    const double r = std::exp(x);
    if (!std::isfinite(r))
        throw MathFault("exponential overflow");
    return r;
}

double Pow(double x, double y)
{
    return Exp(y * Ln(x));
}

double Finite(double x)
{
    if (!std::isfinite(x))
        throw MathFault("non-finite value");
    return x;
}
