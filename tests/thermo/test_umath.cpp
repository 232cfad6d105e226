// Checked arithmetic: every fault the moist-air guards rely on must raise MathFault, and ordinary
// values must pass through untouched.
#include "thermo/UMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct FaultCase {
    const char* name;
    std::function<double()> call;
};

TEST(UMath, FaultsRaise)
{
    const FaultCase cases[] = {
        {"1/0", [] { return Div(1, 0); }},
        {"0/0", [] { return Div(0, 0); }},
        {"-1/-0", [] { return Div(-1, -0.0); }},
        {"overflowing quotient", [] { return Div(1e300, 1e-300); }},
        {"NaN numerator", [] { return Div(kNaN, 2); }},
        {"inf numerator", [] { return Div(kInf, 2); }},
        {"ln 0", [] { return Ln(0); }},
        {"ln -1", [] { return Ln(-1); }},
        {"ln NaN", [] { return Ln(kNaN); }},
        {"ln inf", [] { return Ln(kInf); }},
        {"exp overflow", [] { return Exp(710); }},
        {"exp NaN", [] { return Exp(kNaN); }},
        {"0^0.25", [] { return Pow(0, 0.25); }},
        {"(-8)^(1/3)", [] { return Pow(-8, 1.0 / 3.0); }},
        {"overflowing power", [] { return Pow(1e200, 2); }},
        {"Finite NaN", [] { return Finite(kNaN); }},
        {"Finite -inf", [] { return Finite(-kInf); }},
    };
    for (const FaultCase& c : cases)
        EXPECT_THROW(c.call(), MathFault) << c.name;
}

TEST(UMath, OrdinaryValuesPass)
{
    // Expected values by hand; tolerance 1e-12 relative.
    EXPECT_DOUBLE_EQ(Div(7, 2), 3.5);
    EXPECT_DOUBLE_EQ(Div(-1, 4), -0.25);
    EXPECT_NEAR(Ln(std::exp(1.0)), 1.0, 1e-15);
    EXPECT_DOUBLE_EQ(Exp(0), 1.0);
    EXPECT_EQ(Exp(-1000), 0.0); // underflow is no fault
    EXPECT_NEAR(Pow(16, 0.25), 2.0, 1e-14);
    EXPECT_NEAR(Pow(1013.0 / 1013.0, 1 / 5.255), 1.0, 1e-15);
    EXPECT_EQ(Finite(-0.0), 0.0);
    EXPECT_EQ(Finite(1e308), 1e308);
}
} // namespace
