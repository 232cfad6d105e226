#pragma once
// What the program remembers between runs, as plain values per main-window layer, with the
// functions that read and write them through the settings file. The windows copy these values into
// their state and records; nothing here knows a window.
//
// Loading runs once when the main window is created, layer by layer from the frame down:
//   LoadFrameSettings -> LoadProductSettings -> LoadVXSettings
// Saving runs once when it is destroyed, in the same order, all layers in one batch of the settings
// file, so that the file is replaced once, with all keys or none. Each function reads or writes
// exactly its own keys; on its own, each save function replaces the file once.
//
// Stored numbers outside the range the window's fields hold read as the nearest allowed value, and
// text that is no number as the default: pressure 600 .. 1100 mbar, air flows 1 .. 999999 m3/h,
// temperatures -30 .. 80 degC, relative humidities 0 .. 100 %, package width 1 .. 9999 mm. The global section is "GLOBAL"; every other key lives in the product section
// (ProductSection, "VX").
#include "series/UVXGrenzen.h"

#include <QDate>
#include <QPoint>
#include <QString>
#include <array>
#include <optional>

class TIniDatei;

// Settings version written on every save; stored versions up to OldestSettingsVersion lose the
// whole product section before it is read.
inline constexpr int SettingsVersion = 201611;
inline constexpr int OldestSettingsVersion = 200409;

// Air pressure range in mbar; a stored "pbar" outside is brought into it.
inline constexpr double MinAirPressure = AirPressureInput.Min;
inline constexpr double MaxAirPressure = AirPressureInput.Max;

// Frame layer (main window frame state).
struct TFrameSettings {
    QString ProjectPath;              // "ProjectPath", read only; default the documents folder
    bool UnitSystemSI = true;         // "SI"
    bool AmericanMethod = false;      // "EU" (1 selects the American effectiveness method)
    bool TotalEffectiveness = false;  // "TotalEff"
    bool EnergyClasses = true;        // "HCLASS"
    bool WetBulbOnDatasheet = false;  // "WB_DB"
    bool CarrierChart = false;        // "Mollier" holds the negation
    QString Paper;                    // "Paper": "A4", "Letter", or empty to follow the units
    double AirPressure = 1013.0;      // "pbar", mbar, 600 .. 1100
    int FlowMode = 0;                 // "AirQuant": 0 standard volume, 1 operating volume
    int HumidityMode = 0;             // "AirState": 0 relative, 1 absolute, 7 wet-bulb
    bool Seasons = false;             // "Seasons"
    bool PrintHeader = false;         // "PrintHeader"
    std::array<QString, 8> HeaderLines;  // "Header0" .. "Header7"; line 1 is today's date
    std::array<QString, 3> NotesData;    // "NotesData1" .. "NotesData3"
    std::array<QString, 3> NotesChart;   // "NotesChart1" .. "NotesChart3"
    std::array<QString, 3> NotesPrice;   // "NotesPrice1" .. "NotesPrice3", only with prices
    // "WindowLeft", "WindowTop": where the main window was last; absent until it has been placed
    // once (the window then starts at the centre of the screen).
    std::optional<QPoint> WindowPosition;
};

// Inlet values of one case: standard volume flow m³/h, temperature °C, relative humidity %
// of air stream 1 (outside air, 11) and air stream 2 (extract air, 21).
struct TInletValues {
    double SVol11 = 0, Temp11 = 0, Humidity11 = 0;
    double SVol21 = 0, Temp21 = 0, Humidity21 = 0;
    bool operator==(const TInletValues&) const = default;
};

// Product-window layer: the winter and the summer case.
struct TProductSettings {
    TInletValues Winter{200, -5, 90, 200, 22, 40};
    TInletValues Summer{200, 32, 40, 200, 22, 50};
};

// Series layer: the device.
struct TVXSettings {
    int VXType = 30;   // "VXType"
    int Width = 250;   // "Width"
};

// Reads "Version" (erasing the product section when it is too old) and then the frame keys in
// their fixed order. "DecimalSeparator" and "ThousandSeparator" become the program-wide separators
// before the first real is read; a stored separator that is empty or could not separate digits
// (a digit, a sign, or an exponent letter as decimal separator) keeps the one in force.
// "AirQuant" and "AirState" outside their codes read as 0. Header line 1 becomes `today` in the
// locale's short date format.
void LoadFrameSettings(TIniDatei& ini, const QString& section, TFrameSettings& s,
                       const QDate& today = QDate::currentDate());
// Writes "Version" and the frame keys; the separators written are the program-wide ones.
void SaveFrameSettings(TIniDatei& ini, const QString& section, const TFrameSettings& s);

// Product-window layer: inlet values of both cases; volume flows rounded to whole numbers,
// temperatures and humidities to two decimals.
void LoadProductSettings(const TIniDatei& ini, const QString& section, TProductSettings& s);
void SaveProductSettings(TIniDatei& ini, const QString& section, const TProductSettings& s);

// Series layer: reads the winter inlet values again (unrounded, these take effect), the device,
// and the summer volume flows (unrounded).
void LoadVXSettings(const TIniDatei& ini, const QString& section, TProductSettings& product,
                    TVXSettings& s);
void SaveVXSettings(TIniDatei& ini, const QString& section, const TVXSettings& s);

// All three layers in their order, as the product window runs them.
struct TAllSettings {
    TFrameSettings Frame;
    TProductSettings Product;
    TVXSettings VX;
};
TAllSettings LoadAllSettings(TIniDatei& ini, const QString& section,
                             const QDate& today = QDate::currentDate());
void SaveAllSettings(TIniDatei& ini, const QString& section, const TAllSettings& s);

// Rounds to the given number of decimals, halves to even.
double RoundTo(double value, int decimals);
