#include "app/USettings.h"

#include "app/UGlobal.h"
#include "app/UIniDatei.h"
#include "app/UZahlAdapter.h"
#include "series/UVXSerie.h"

#include <QLocale>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace {

const QString kVersion = QStringLiteral("Version");

QString Numbered(const char* stem, int n)
{
    return QLatin1String(stem) + QString::number(n);
}

// A no-break space is a common thousand separator, so spaces are fine there.
bool SeparatesDigits(QChar c)
{
    return !c.isNull() && !c.isDigit() && c != u'+' && c != u'-';
}

bool UsableDecimalSeparator(QChar c)
{
    return SeparatesDigits(c) && !c.isSpace() && c != u'e' && c != u'E';
}

// Ranges of the stored inlet values: the window starts with series 1 in SI units, and its fields
// hold these (relative humidity in %).
const TInputRange TemperatureInput{TemperatureInputLimits(SeriesVX, true).Min,
                                   TemperatureInputLimits(SeriesVX, true).Max};
constexpr TInputRange RelativeHumidityInput{0.0, 100.0};

// A stored real brought into its range; text that is no number gives the default.
double ReadInRange(const TIniDatei& ini, const QString& section, const QString& key, double def,
                   const TInputRange& range)
{
    return std::clamp(ini.ReadFloat(section, key, def), range.Min, range.Max);
}

}  // namespace

double RoundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double r = std::nearbyint(value * scale) / scale;
    return std::isfinite(r) ? r : value;
}

void LoadFrameSettings(TIniDatei& ini, const QString& section, TFrameSettings& s, const QDate& today)
{
    if (ini.ReadInteger(GlobalSection, kVersion, 0) <= OldestSettingsVersion)
        ini.EraseSection(section);

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    s.ProjectPath = ini.ReadString(section, QStringLiteral("ProjectPath"), documents);
    s.UnitSystemSI = ini.ReadBool(section, QStringLiteral("SI"), true);
    s.AmericanMethod = ini.ReadBool(section, QStringLiteral("EU"), false);
    s.TotalEffectiveness = ini.ReadBool(section, QStringLiteral("TotalEff"), false);
    s.EnergyClasses = ini.ReadBool(section, QStringLiteral("HCLASS"), true);
    s.WetBulbOnDatasheet = ini.ReadBool(section, QStringLiteral("WB_DB"), false);
    s.CarrierChart = !ini.ReadBool(section, QStringLiteral("Mollier"), true);
    s.Paper = ini.ReadString(section, QStringLiteral("Paper"), QString());
    if (s.Paper != QLatin1String("A4") && s.Paper != QLatin1String("Letter"))
        s.Paper.clear();

    // The separators come before every real: reals are stored with the decimal separator.
    QChar decimalSep = ProcessDecimalSeparator();
    QChar thousandSep = ProcessThousandSeparator();
    const QChar storedDecimal = ini.ReadChar(section, QStringLiteral("DecimalSeparator"), decimalSep);
    const QChar storedThousand = ini.ReadChar(section, QStringLiteral("ThousandSeparator"), thousandSep);
    if (UsableDecimalSeparator(storedDecimal))
        decimalSep = storedDecimal;
    if (SeparatesDigits(storedThousand))
        thousandSep = storedThousand;
    SetProcessSeparators(decimalSep, thousandSep);

    s.AirPressure = ReadInRange(ini, section, QStringLiteral("pbar"), 1013.0, AirPressureInput);
    s.FlowMode = ini.ReadInteger(section, QStringLiteral("AirQuant"), 0);
    if (s.FlowMode != 0 && s.FlowMode != 1)
        s.FlowMode = 0;  // 3 (mass flow) is not offered at start; unknown codes fall back too
    s.HumidityMode = ini.ReadInteger(section, QStringLiteral("AirState"), 0);
    if (s.HumidityMode != 0 && s.HumidityMode != 1 && s.HumidityMode != 7)
        s.HumidityMode = 0;
    s.Seasons = ini.ReadBool(section, QStringLiteral("Seasons"), false);
    s.PrintHeader = ini.ReadBool(section, QStringLiteral("PrintHeader"), false);
    if (ini.ValueExists(section, QStringLiteral("WindowLeft")) && ini.ValueExists(section, QStringLiteral("WindowTop")))
        s.WindowPosition = QPoint(ini.ReadInteger(section, QStringLiteral("WindowLeft"), 0),
                                  ini.ReadInteger(section, QStringLiteral("WindowTop"), 0));
    for (int i = 0; i < 8; ++i) {
        s.HeaderLines[i] = ini.ReadString(section, Numbered("Header", i), QString());
        if (i == 1)
            s.HeaderLines[1] = QLocale::system().toString(today, QLocale::ShortFormat);
    }
    for (int i = 0; i < 3; ++i)
        s.NotesData[i] = ini.ReadString(section, Numbered("NotesData", i + 1), QString());
    for (int i = 0; i < 3; ++i)
        s.NotesChart[i] = ini.ReadString(section, Numbered("NotesChart", i + 1), QString());
    if (PricesEnabled)
        for (int i = 0; i < 3; ++i)
            s.NotesPrice[i] = ini.ReadString(section, Numbered("NotesPrice", i + 1), QString());
}

void SaveFrameSettings(TIniDatei& ini, const QString& section, const TFrameSettings& s)
{
    const TIniDatei::TBatch batch(ini);
    ini.WriteInteger(GlobalSection, kVersion, SettingsVersion);
    ini.WriteBool(section, QStringLiteral("EU"), s.AmericanMethod);
    ini.WriteBool(section, QStringLiteral("TotalEff"), s.TotalEffectiveness);
    ini.WriteBool(section, QStringLiteral("WB_DB"), s.WetBulbOnDatasheet);
    ini.WriteBool(section, QStringLiteral("HCLASS"), s.EnergyClasses);
    ini.WriteBool(section, QStringLiteral("Seasons"), s.Seasons);
    ini.WriteBool(section, QStringLiteral("SI"), s.UnitSystemSI);
    ini.WriteBool(section, QStringLiteral("Mollier"), !s.CarrierChart);
    if (!s.Paper.isEmpty())
        ini.WriteString(section, QStringLiteral("Paper"), s.Paper);
    ini.WriteChar(section, QStringLiteral("DecimalSeparator"), ProcessDecimalSeparator());
    ini.WriteChar(section, QStringLiteral("ThousandSeparator"), ProcessThousandSeparator());
    ini.WriteFloat(section, QStringLiteral("pbar"), s.AirPressure);
    ini.WriteInteger(section, QStringLiteral("AirQuant"), s.FlowMode);
    ini.WriteInteger(section, QStringLiteral("AirState"), s.HumidityMode);
    ini.WriteBool(section, QStringLiteral("PrintHeader"), s.PrintHeader);
    if (s.WindowPosition) {
        ini.WriteInteger(section, QStringLiteral("WindowLeft"), s.WindowPosition->x());
        ini.WriteInteger(section, QStringLiteral("WindowTop"), s.WindowPosition->y());
    }
    for (int i = 0; i < 8; ++i)
        ini.WriteString(section, Numbered("Header", i), s.HeaderLines[i]);
    for (int i = 0; i < 3; ++i)
        ini.WriteString(section, Numbered("NotesData", i + 1), s.NotesData[i]);
    for (int i = 0; i < 3; ++i)
        ini.WriteString(section, Numbered("NotesChart", i + 1), s.NotesChart[i]);
    if (PricesEnabled)
        for (int i = 0; i < 3; ++i)
            ini.WriteString(section, Numbered("NotesPrice", i + 1), s.NotesPrice[i]);
}

namespace {

// One case's six inlet keys; suffix "" for winter, "_S" for summer.
void ReadInlets(const TIniDatei& ini, const QString& section, const char* suffix,
                const TInletValues& def, TInletValues& v, bool round)
{
    auto key = [suffix](const char* stem) { return QLatin1String(stem) + QLatin1String(suffix); };
    auto read = [&](const char* stem, double d, const TInputRange& range, int decimals) {
        const double x = ReadInRange(ini, section, key(stem), d, range);
        return round ? RoundTo(x, decimals) : x;
    };
    v.SVol11 = read("SVol11", def.SVol11, AirFlowInput, 0);
    v.Temp11 = read("Temp11", def.Temp11, TemperatureInput, 2);
    v.Humidity11 = read("Humidity11", def.Humidity11, RelativeHumidityInput, 2);
    v.SVol21 = read("SVol21", def.SVol21, AirFlowInput, 0);
    v.Temp21 = read("Temp21", def.Temp21, TemperatureInput, 2);
    v.Humidity21 = read("Humidity21", def.Humidity21, RelativeHumidityInput, 2);
}

void WriteInlets(TIniDatei& ini, const QString& section, const char* suffix, const TInletValues& v)
{
    auto key = [suffix](const char* stem) { return QLatin1String(stem) + QLatin1String(suffix); };
    ini.WriteFloat(section, key("SVol11"), v.SVol11);
    ini.WriteFloat(section, key("Temp11"), v.Temp11);
    ini.WriteFloat(section, key("Humidity11"), v.Humidity11);
    ini.WriteFloat(section, key("SVol21"), v.SVol21);
    ini.WriteFloat(section, key("Temp21"), v.Temp21);
    ini.WriteFloat(section, key("Humidity21"), v.Humidity21);
}

}  // namespace

void LoadProductSettings(const TIniDatei& ini, const QString& section, TProductSettings& s)
{
    ReadInlets(ini, section, "", TInletValues{10000, -12, 90, 10000, 22, 40}, s.Winter, true);
    if (ProductIndex == 1 || ProductIndex == 3 || ProductIndex == 4)
        ReadInlets(ini, section, "_S", TInletValues{10000, 32, 40, 10000, 22, 50}, s.Summer, true);
}

void SaveProductSettings(TIniDatei& ini, const QString& section, const TProductSettings& s)
{
    const TIniDatei::TBatch batch(ini);
    WriteInlets(ini, section, "", s.Winter);
    WriteInlets(ini, section, "_S", s.Summer);
}

void LoadVXSettings(const TIniDatei& ini, const QString& section, TProductSettings& product,
                    TVXSettings& s)
{
    const TProductSettings defaults;
    ReadInlets(ini, section, "", defaults.Winter, product.Winter, false);
    // A size code the series lacks selects the next larger size when shown, so any code will do.
    s.VXType = ini.ReadInteger(section, QStringLiteral("VXType"), 30);
    s.Width = std::clamp(ini.ReadInteger(section, QStringLiteral("Width"), 250),
                         int(PackageWidthInput.Min), int(PackageWidthInput.Max));
    product.Summer.SVol11 =
        ReadInRange(ini, section, QStringLiteral("SVol11_S"), defaults.Summer.SVol11, AirFlowInput);
    product.Summer.SVol21 =
        ReadInRange(ini, section, QStringLiteral("SVol21_S"), defaults.Summer.SVol21, AirFlowInput);
}

void SaveVXSettings(TIniDatei& ini, const QString& section, const TVXSettings& s)
{
    const TIniDatei::TBatch batch(ini);
    ini.WriteInteger(section, QStringLiteral("VXType"), s.VXType);
    ini.WriteInteger(section, QStringLiteral("Width"), s.Width);
}

TAllSettings LoadAllSettings(TIniDatei& ini, const QString& section, const QDate& today)
{
    TAllSettings s;
    LoadFrameSettings(ini, section, s.Frame, today);
    LoadProductSettings(ini, section, s.Product);
    LoadVXSettings(ini, section, s.Product, s.VX);
    return s;
}

void SaveAllSettings(TIniDatei& ini, const QString& section, const TAllSettings& s)
{
    const TIniDatei::TBatch batch(ini);
    SaveFrameSettings(ini, section, s.Frame);
    SaveProductSettings(ini, section, s.Product);
    SaveVXSettings(ini, section, s.VX);
}
