#pragma once
// Operating-point limits of the counterflow series: the recommended maximum pressure drop, the
// check of one calculation record with its message codes, the texts that belong to the codes and
// the range limits of the temperature inputs. Plain logic; the window assembles and shows the
// messages from these data.
#include <bitset>
#include <string>
#include <vector>

class TDatenREK;

// Message codes of the operating-point check.
enum TMessageCode : int {
    MsgTempLow = 1,          // entering temperature below the series minimum
    MsgTempHigh = 2,         // entering temperature above the series maximum
    MsgRelHumLow = 3,        // relative humidity below 0 %
    MsgRelHumHigh = 4,       // relative humidity above 100 %
    MsgVelocityWarn = 5,     // face velocity outside 0.5 .. 3.0 m/s
    MsgVelocityError = 6,    // face velocity outside 0.2 .. 3.5 m/s
    MsgRatioWarn = 7,        // flow ratio outside 2/3 .. 1.5
    MsgRatioError = 8,       // flow ratio at or beyond 0.5 or 2
    MsgWidthError = 9,       // package width below 100 mm
    MsgPressureWarn = 10,    // pressure drop above the recommended maximum
    MsgPressureError = 11,   // pressure drop above 1.1 x the recommended maximum
    MsgBypassVelocity = 12,  // bypass velocity outside 5 .. 15 m/s
    MsgHumidityError = 44,   // humidity ratio above 30 g/kg (enthalpy series)
};

using TMessageSet = std::bitset<256>;

// True for the codes that stop a calculation request: 1, 2, 3, 4, 6, 8, 9, 11, 44.
bool IsErrorCode(int code);

// Recommended maximum pressure drop (Pa) of a size code in a series.
int RecommendedPressureDrop(int sizeCode, int series);
// Pressure drop above which the check reports an error: round(1.1 x recommended).
int PressureDropErrorBound(int recommended);

// Result of the check of one record.
struct TCheckResult {
    TMessageSet Codes;
    bool WarningsOnly = true;         // no error code in Codes
    int RecommendedPressureDrop = 0;  // Pa, for the record's size code and series
    // The codes in ascending order.
    std::vector<int> List() const;
};

// Checks the operating point of a record as it stands after its last calculation: entering
// temperatures and humidities, face velocities, flow ratio, package width, pressure drops and,
// when a bypass is fitted (bypassCode 20 or 21), the bypass velocity.
TCheckResult CheckRecord(const TDatenREK& record, int bypassCode);

// Entering temperature range that the check accepts for a series, degC.
struct TTempRange {
    double Min = 0.0;
    double Max = 0.0;
};
TTempRange CheckedTemperatureRange(int series);

// Bounds of the temperature input fields for a series, in the display unit (degC or degF).
TTempRange TemperatureInputLimits(int series, bool si);

// Ranges of the values the product window's fields hold, which vxrate and the settings file
// accept too (both bounds inclusive). The operating-point check above then reports what lies
// inside these ranges but outside what the series is built for.
struct TInputRange {
    double Min = 0.0;
    double Max = 0.0;
    bool Contains(double v) const { return v >= Min && v <= Max; }
};
// Barometric air pressure, mbar (the settings dialog's range).
inline constexpr TInputRange AirPressureInput{600.0, 1100.0};
// Air flows: standard and operating volume flows in m3/h, mass flows in kg/h; six digits.
inline constexpr TInputRange AirFlowInput{1.0, 999999.0};
// Package width, whole mm; four digits.
inline constexpr TInputRange PackageWidthInput{1.0, 9999.0};

// Text of one message code: language text TextNo with its "%s" placeholders filled in order by
// Arg1 and Arg2; when Arg2TextNo is not 0, that language text (a unit) follows Arg2 directly.
struct TMessageSpec {
    int TextNo = 0;
    std::string Arg1;
    std::string Arg2;
    int Arg2TextNo = 0;
};

// Message data of a code for a series and unit system; decimalSeparator is the separator in force
// for the formatted numbers. An unknown code gives TextNo 0 (an empty message).
TMessageSpec MessageSpec(int code, int series, bool si, const std::string& decimalSeparator);

// Fills a message pattern: each "%s" takes the next argument (an argument list that runs out
// leaves the rest of the pattern unchanged).
std::string FillMessage(const std::string& pattern, const std::vector<std::string>& args);

// Language texts of the message box title: 103 "Attention" for warnings only, 104 "Error"; the
// window appends "!".
constexpr int MessageTitleWarning = 103;
constexpr int MessageTitleError = 104;
