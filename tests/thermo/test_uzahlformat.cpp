// Number display and input with the program-wide separators.
#include "thermo/UZahlformat.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <limits>
#include <random>

namespace {

// Sets the separators for one test and restores the defaults afterwards.
class Separators {
public:
    Separators(char32_t dec, char32_t thousand)
    {
        DecimalSeparator = dec;
        ThousandSeparator = thousand;
    }
    ~Separators()
    {
        DecimalSeparator = U'.';
        ThousandSeparator = 0;
    }
};

struct FormatRow {
    double v;
    int decimals;
    const char* fixed;  // with '.' and ',' as placeholders for the decimal / thousand separator
    const char* number;
};

// Expected texts by hand: 15 significant digits, then rounding half away from zero.
const FormatRow kRows[] = {
    {0, 2, "0.00", "0.00"},
    {1234567.891, 2, "1234567.89", "1,234,567.89"},
    {-1234.5, 0, "-1235", "-1,235"},
    {999.995, 2, "1000.00", "1,000.00"},
    {2.675, 2, "2.68", "2.68"},       // binary 2.67499999..., decimal 2.675
    {0.125, 2, "0.13", "0.13"},
    {-0.125, 2, "-0.13", "-0.13"},
    {0.5, 0, "1", "1"},
    {2.5, 0, "3", "3"},
    {-0.004, 2, "0.00", "0.00"},      // no "-0.00"
    {-0.0, 1, "0.0", "0.0"},
    {0.05, 1, "0.1", "0.1"},
    {0.049, 1, "0.0", "0.0"},
    {0.0005, 3, "0.001", "0.001"},
    {0.00049, 3, "0.000", "0.000"},
    {9.5, 0, "10", "10"},
    {123.456, 5, "123.45600", "123.45600"},
    {100, 0, "100", "100"},
    {1000, 1, "1000.0", "1,000.0"},
    {999999.5, 0, "1000000", "1,000,000"},
    {1e20, 0, "100000000000000000000", "100,000,000,000,000,000,000"},
    {1e-20, 2, "0.00", "0.00"},
    {588.6, 1, "588.6", "588.6"},
    {-5.5, 1, "-5.5", "-5.5"},
    {3412, 0, "3412", "3,412"},
};

std::string WithSeparators(const char* pattern, const std::string& dec, const std::string& th)
{
    std::string s;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '.')
            s += dec;
        else if (*p == ',')
            s += th;
        else
            s += *p;
    }
    return s;
}

TEST(FormatFixed, TableUnderSeveralSeparators)
{
    const std::pair<char32_t, char32_t> seps[] = {
        {U'.', U','}, {U',', U'.'}, {U',', 0x00A0 /* no-break space */}, {U'.', U'\''}, {U'.', 0}};
    for (auto [dec, th] : seps) {
        Separators guard(dec, th);
        for (const FormatRow& r : kRows) {
            EXPECT_EQ(FormatFixed(r.v, r.decimals),
                      WithSeparators(r.fixed, SeparatorText(dec), SeparatorText(th)))
                << r.v;
            EXPECT_EQ(FormatNumber(r.v, r.decimals),
                      WithSeparators(r.number, SeparatorText(dec), SeparatorText(th)))
                << r.v;
        }
    }
}

TEST(FormatFixed, NonFiniteAndOddDecimals)
{
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 2), "");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), 0), "");
    EXPECT_EQ(FormatFixed(1.25, -3), "1");     // clamped to 0 decimals
    EXPECT_EQ(FormatFixed(1.0 / 3.0, 40), "0.333333333333333");
}

// Switches LC_NUMERIC to a German locale (decimal comma), building it with localedef when the
// system has none installed. False when neither works.
bool UseGermanNumericLocale()
{
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        return true;
    const std::string dir = ::testing::TempDir() + "vx-locale";
    const std::string cmd = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                            "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0)
        return false;
    setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

TEST(FormatFixed, IndependentOfTheCLocale)
{
    // A Qt program switches the C locale to the user's; the display must not follow it.
    if (!UseGermanNumericLocale())
        GTEST_SKIP() << "no locale with a decimal comma available";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5") << "the locale switch did not take effect";
    EXPECT_EQ(FormatFixed(1.5, 1), "1.5");
    EXPECT_EQ(FormatGeneral(2.25), "2.25");
    double v = 0;
    EXPECT_TRUE(ParseNumber("2.25", v));
    EXPECT_EQ(v, 2.25);
    EXPECT_FALSE(ParseNumber("2,25", v));
    std::setlocale(LC_NUMERIC, "C");
}

TEST(ParseNumber, AcceptsAndRejects)
{
    struct Row {
        char32_t dec;
        const char* text;
        bool ok;
        double value;
    };
    const Row rows[] = {
        {U'.', "12.5", true, 12.5},      {U'.', "  -5.5 ", true, -5.5},  {U'.', "+3", true, 3},
        {U'.', ".5", true, 0.5},         {U'.', "5.", true, 5},          {U'.', "1E3", true, 1000},
        {U'.', "2.5e-2", true, 0.025},   {U'.', "1e+2", true, 100},      {U'.', "0", true, 0},
        {U',', "-5,5", true, -5.5},      {U',', "1013", true, 1013},     {U',', "0,001", true, 0.001},
        {U',', "5.5", false, 0},         {U'.', "5,5", false, 0},        {U'.', "", false, 0},
        {U'.', "   ", false, 0},         {U'.', "-", false, 0},          {U'.', ".", false, 0},
        {U'.', "1.2.3", false, 0},       {U'.', "12a", false, 0},        {U'.', "1e", false, 0},
        {U'.', "1e-", false, 0},         {U'.', "e5", false, 0},         {U'.', "1 000", false, 0},
        {U'.', "--1", false, 0},         {U'.', "1e999", false, 0},      {U'.', "nan", false, 0},
        {U'.', "inf", false, 0},         {U'.', "0x10", false, 0},       {U'.', "1-", false, 0},
        {0x00B7 /* middle dot */, "3\u00b775", true, 3.75},
    };
    for (const Row& r : rows) {
        Separators guard(r.dec, 0);
        double v = -777;
        EXPECT_EQ(ParseNumber(r.text, v), r.ok) << r.text;
        EXPECT_EQ(v, r.ok ? r.value : -777) << r.text;
    }
}

// v taken to 15 significant digits.
double Round15(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    double out = 0;
    std::from_chars(buf, r.ptr, out);
    return out;
}

TEST(FormatGeneral, ReadsBackExactlyWithEverySeparator)
{
    std::mt19937_64 rng(4242);
    std::uniform_real_distribution<double> mant(-10, 10);
    std::uniform_int_distribution<int> ex(-12, 12);
    for (char32_t dec : {U'.', U',', char32_t(0x066B) /* Arabic decimal separator */}) {
        Separators guard(dec, U' ');
        for (int i = 0; i < 2000; ++i) {
            // Values with at most 15 significant digits survive the text form unchanged.
            const double v = Round15(mant(rng) * std::pow(10.0, ex(rng)));
            double back = 0;
            const std::string text = FormatGeneral(v);
            ASSERT_TRUE(ParseNumber(text, back)) << text;
            EXPECT_EQ(back, v) << text;
        }
    }
}

TEST(FormatGeneral, ShortForms)
{
    EXPECT_EQ(FormatGeneral(0.1), "0.1");
    EXPECT_EQ(FormatGeneral(-5.5), "-5.5");
    EXPECT_EQ(FormatGeneral(1013), "1013");
    EXPECT_EQ(FormatGeneral(1e-7), "1E-7");
    EXPECT_EQ(FormatGeneral(2.5e20), "2.5E20");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3"); // at most 15 significant digits
    Separators guard(U',', U'.');
    EXPECT_EQ(FormatGeneral(-5.5), "-5,5");
    EXPECT_EQ(FormatGeneral(1234567), "1234567"); // never grouped
}
} // namespace
