// Unit conversion: the documented fixed points, exact identities and inverse pairs for every
// listed unit, and the rules for unlisted codes and quantities.
#include "thermo/UUmrechnung.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>
#include <algorithm>

namespace {

TEST(ConvertUnit, DocumentedValues)
{
    struct Row {
        int q, from, to;
        double value, expected;
    };
    // Hand calculations with the stored factors.
    const Row rows[] = {
        {2, 3, 4, 20, 68},           {2, 4, 3, 32, 0},           {2, 3, 4, -40, -40},
        {11, 24, 25, 0, 7.71},       {11, 25, 24, 7.71, 0},      {11, 24, 25, 23.244, 17.71},
        {1, 1, 2, 1000, 588.6},      {1, 2, 1, 588.6, 1000},     {7, 14, 15, 1013, 1},
        {7, 15, 14, 0.5, 506.5},     {6, 12, 13, 1, 3412},       {6, 12, 11, 2.5, 2500},
        {6, 13, 12, 6824, 2},        {3, 5, 6, 10, 70},          {4, 7, 8, 249.08, 1},
        {5, 9, 10, 2, 393.7},        {8, 16, 17, 100, 220.46},   {9, 18, 19, 10, 22.046},
        {10, 20, 22, 1000, 3280.8},  {10, 20, 21, 1.5, 1500},    {10, 23, 20, 100, 2.54},
        {10, 22, 23, 3.2808, 1 / 0.0254}, {10, 21, 22, 1000, 3.2808}, {13, 28, 29, 16.0185, 1},
        {14, 12, 11, 1.5, 1500},     {14, 12, 32, 0.7457, 1},    {14, 32, 11, 1, 745.7},
        {14, 11, 12, 250, 0.25},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(ConvertUnit(r.q, r.from, r.to, r.value), r.expected,
                    1e-12 * std::max(1.0, std::fabs(r.expected)))
            << "q " << r.q << " " << r.from << " -> " << r.to;
}

// Listed codes per quantity (quantity 12 has none).
const std::pair<int, std::vector<int>> kListed[] = {
    {1, {1, 2}},      {2, {3, 4}},      {3, {5, 6}},          {4, {7, 8}},     {5, {9, 10}},
    {6, {11, 12, 13}}, {7, {14, 15}},   {8, {16, 17}},        {9, {18, 19}},   {10, {20, 21, 22, 23}},
    {11, {24, 25}},   {13, {28, 29}},   {14, {11, 12, 32}},
};

TEST(ConvertUnit, IdentityAndInversePairs)
{
    for (const auto& [q, codes] : kListed)
        for (int a : codes) {
            for (double v : {-17.5, 0.0, 3.0, 1234.5}) {
                EXPECT_NEAR(ConvertUnit(q, a, a, v), v, 1e-12 * std::max(1.0, std::fabs(v)))
                    << q << " " << a;
                for (int b : codes) {
                    const double there = ConvertUnit(q, a, b, v);
                    EXPECT_NEAR(ConvertUnit(q, b, a, there), v, 1e-11 * std::max(1.0, std::fabs(v)))
                        << q << " " << a << " <-> " << b;
                }
            }
        }
}

TEST(ConvertUnit, UnlistedCodesAndQuantities)
{
    // Unlisted target: the input comes back, also from a derived source unit.
    EXPECT_EQ(ConvertUnit(2, 4, 5, 50), 50.0);
    EXPECT_EQ(ConvertUnit(10, 22, 99, 7), 7.0);
    EXPECT_EQ(ConvertUnit(14, 32, 13, 3), 3.0);
    // Unlisted source: taken as the base unit.
    EXPECT_NEAR(ConvertUnit(2, 7, 4, 100), 212, 1e-12);
    EXPECT_NEAR(ConvertUnit(6, 32, 12, 500), 0.5, 1e-15);
    // No conversion for quantity 12 and quantities outside 1..14.
    for (int q : {-3, 0, 12, 15, 99})
        EXPECT_EQ(ConvertUnit(q, 3, 4, 20), 20.0) << q;
}

TEST(PickUnit, FollowsTheSwitch)
{
    EXPECT_EQ(PickUnit(false, 3, 4), 3);
    EXPECT_EQ(PickUnit(true, 3, 4), 4);
}

TEST(QuantityTable, DisplayCodesAreListedAndConvertible)
{
    for (const auto& [q, codes] : kListed) {
        const TQuantityUnits* row = QuantityUnits(q);
        ASSERT_NE(row, nullptr) << q;
        EXPECT_EQ(row->quantity, q);
        for (int code : {row->baseCode, row->siCode, row->ukUsCode}) {
            EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << q << " " << code;
            EXPECT_STRNE(UnitLabel(code).label, "") << code;
        }
    }
    EXPECT_EQ(QuantityUnits(0), nullptr);
    EXPECT_EQ(QuantityUnits(15), nullptr);
}

TEST(UnitLabel, LanguageTextsAndFixedLabels)
{
    EXPECT_EQ(UnitLabel(1).textNumber, 410);
    EXPECT_EQ(UnitLabel(3).textNumber, 411);
    EXPECT_EQ(UnitLabel(4).textNumber, 412);
    EXPECT_EQ(std::string(UnitLabel(4).label), "\u00b0F");
    const std::pair<int, const char*> fixed[] = {{2, "cfm"},   {6, "gr/lb"}, {8, "in. WG"},
                                                 {13, "BTU/h"}, {15, "atm"},  {25, "BTU/lb"},
                                                 {32, "HP"},   {19, "lb"}};
    for (const auto& [code, label] : fixed) {
        EXPECT_EQ(std::string(UnitLabel(code).label), label) << code;
        EXPECT_EQ(UnitLabel(code).textNumber, 0) << code;
    }
    for (int code : {0, 26, 27, 30, 31, 33, -1})
        EXPECT_STREQ(UnitLabel(code).label, "") << code;
}
} // namespace
