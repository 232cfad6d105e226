// The settings model of the three window layers: defaults, round trips, the version rule,
// limits and rounding on reading.
#include "app/UGlobal.h"
#include "app/UIniDatei.h"
#include "app/USettings.h"
#include "thermo/UZahlformat.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString VX = QStringLiteral("VX");

class SettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ProductIndex = 4;
        PricesEnabled = false;
        DecimalSeparator = U'.';
        ThousandSeparator = U',';
    }
    void TearDown() override
    {
        DecimalSeparator = U'.';
        ThousandSeparator = 0;
    }
    // A settings file in a folder that does not exist yet.
    TIniDatei Ini() const { return TIniDatei(QStringLiteral("Tarvometrix.ini"), dir_.path() + QStringLiteral("/sub/Tarvometrix/")); }
    void WriteFile(const QByteArray& data) const
    {
        TIniDatei ini = Ini();
        QFile f(ini.FileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QByteArray FileText() const
    {
        QFile f(Ini().FileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    const QDate today_{2026, 3, 14};
};

TEST_F(SettingsTest, FirstStartGivesTheDefaultsAndSavesEveryKey)
{
    ASSERT_FALSE(QDir(dir_.path() + QStringLiteral("/sub")).exists());
    TIniDatei ini = Ini();
    EXPECT_TRUE(QDir(dir_.path() + QStringLiteral("/sub/Tarvometrix")).exists());
    const TAllSettings s = LoadAllSettings(ini, VX, today_);
    const TFrameSettings& f = s.Frame;
    EXPECT_TRUE(f.UnitSystemSI);
    EXPECT_FALSE(f.AmericanMethod);
    EXPECT_FALSE(f.TotalEffectiveness);
    EXPECT_TRUE(f.EnergyClasses);
    EXPECT_FALSE(f.WetBulbOnDatasheet);
    EXPECT_FALSE(f.CarrierChart);
    EXPECT_EQ(f.AirPressure, 1013.0);
    EXPECT_EQ(f.FlowMode, 0);
    EXPECT_EQ(f.HumidityMode, 0);
    EXPECT_FALSE(f.Seasons);
    EXPECT_FALSE(f.PrintHeader);
    EXPECT_EQ(f.HeaderLines[0], QString());
    EXPECT_EQ(f.HeaderLines[1], QLocale::system().toString(today_, QLocale::ShortFormat));
    EXPECT_EQ(DecimalSeparator, U'.');  // the separators in force stay
    EXPECT_EQ(ThousandSeparator, U',');
    EXPECT_EQ(s.Product.Winter, (TInletValues{200, -5, 90, 200, 22, 40}));
    EXPECT_EQ(s.Product.Summer, (TInletValues{200, 32, 40, 200, 22, 50}));
    EXPECT_EQ(s.VX.VXType, 30);
    EXPECT_EQ(s.VX.Width, 250);

    SaveAllSettings(ini, VX, s);
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "Version", 0), SettingsVersion);
    QStringList expected = {"EU", "TotalEff", "WB_DB", "HCLASS", "Seasons", "SI", "Mollier",
                            "DecimalSeparator", "ThousandSeparator", "pbar", "AirQuant", "AirState",
                            "PrintHeader"};
    for (int i = 0; i < 8; ++i) expected << QStringLiteral("Header%1").arg(i);
    for (int i = 1; i <= 3; ++i) expected << QStringLiteral("NotesData%1").arg(i);
    for (int i = 1; i <= 3; ++i) expected << QStringLiteral("NotesChart%1").arg(i);
    for (const char* suffix : {"", "_S"})
        for (const char* stem : {"SVol11", "Temp11", "Humidity11", "SVol21", "Temp21", "Humidity21"})
            expected << QLatin1String(stem) + QLatin1String(suffix);
    expected << "VXType" << "Width";
    EXPECT_EQ(ini.ReadSection(VX), expected);  // also the order of saving
}

TEST_F(SettingsTest, EveryKeyRoundTripsWithACommaSeparator)
{
    TAllSettings s;
    TFrameSettings& f = s.Frame;
    f.UnitSystemSI = false;
    f.AmericanMethod = true;
    f.TotalEffectiveness = true;
    f.EnergyClasses = false;
    f.WetBulbOnDatasheet = true;
    f.CarrierChart = true;
    f.AirPressure = 955.5;
    f.FlowMode = 1;
    f.HumidityMode = 7;
    f.Seasons = true;
    f.PrintHeader = true;
    f.WindowPosition = QPoint(-40, 75);  // left of the primary screen on a second one
    for (int i = 0; i < 8; ++i) f.HeaderLines[i] = QStringLiteral("Kopf %1 · Проект").arg(i);
    for (int i = 0; i < 3; ++i) {
        f.NotesData[i] = QStringLiteral("Daten %1; a=b").arg(i);
        f.NotesChart[i] = QStringLiteral("图 %1").arg(i);
    }
    s.Product.Winter = {1234.5, -5.5, 85.25, 2345.75, 21.5, 35.125};
    s.Product.Summer = {3000, 31.25, 45.5, 3100, 24.75, 55.5};
    s.VX = {41, 350};
    DecimalSeparator = U',';
    ThousandSeparator = U'.';

    TIniDatei ini = Ini();
    SaveAllSettings(ini, VX, s);
    EXPECT_TRUE(FileText().contains("Temp11=-5,5\n"));
    EXPECT_TRUE(FileText().contains("pbar=955,5\n"));
    EXPECT_TRUE(FileText().contains("DecimalSeparator=,\n"));

    // The next start begins with the point in force and learns the comma from the file.
    DecimalSeparator = U'.';
    ThousandSeparator = U' ';
    const TAllSettings r = LoadAllSettings(ini, VX, today_);
    EXPECT_EQ(DecimalSeparator, U',');
    EXPECT_EQ(ThousandSeparator, U'.');
    const TFrameSettings& g = r.Frame;
    EXPECT_EQ(g.UnitSystemSI, f.UnitSystemSI);
    EXPECT_EQ(g.AmericanMethod, f.AmericanMethod);
    EXPECT_EQ(g.TotalEffectiveness, f.TotalEffectiveness);
    EXPECT_EQ(g.EnergyClasses, f.EnergyClasses);
    EXPECT_EQ(g.WetBulbOnDatasheet, f.WetBulbOnDatasheet);
    EXPECT_EQ(g.CarrierChart, f.CarrierChart);
    EXPECT_EQ(g.AirPressure, f.AirPressure);
    EXPECT_EQ(g.WindowPosition, f.WindowPosition);
    EXPECT_EQ(g.FlowMode, f.FlowMode);
    EXPECT_EQ(g.HumidityMode, f.HumidityMode);
    EXPECT_EQ(g.Seasons, f.Seasons);
    EXPECT_EQ(g.PrintHeader, f.PrintHeader);
    for (int i = 0; i < 8; ++i)
        if (i != 1) { EXPECT_EQ(g.HeaderLines[i], f.HeaderLines[i]) << i; }
    EXPECT_EQ(g.NotesData, f.NotesData);
    EXPECT_EQ(g.NotesChart, f.NotesChart);
    EXPECT_EQ(r.Product.Winter, s.Product.Winter);  // winter values take effect unrounded
    EXPECT_EQ(r.Product.Summer, s.Product.Summer);
    EXPECT_EQ(r.VX.VXType, 41);
    EXPECT_EQ(r.VX.Width, 350);
}

TEST_F(SettingsTest, StoredHeaderDateNeverReachesTheScreen)
{
    WriteFile("[GLOBAL]\nVersion=201611\n[VX]\nHeader0=Date:\nHeader1=01.01.1999\nHeader2=Offer\n");
    TIniDatei ini = Ini();
    TFrameSettings f;
    LoadFrameSettings(ini, VX, f, today_);
    EXPECT_EQ(f.HeaderLines[0], QStringLiteral("Date:"));
    EXPECT_EQ(f.HeaderLines[1], QLocale::system().toString(today_, QLocale::ShortFormat));
    EXPECT_EQ(f.HeaderLines[2], QStringLiteral("Offer"));
}

TEST_F(SettingsTest, OldOrMissingVersionErasesTheProductSectionOnly)
{
    struct Row { const char* version; bool kept; };
    const Row rows[] = {{nullptr, false}, {"0", false}, {"200409", false}, {"199901", false},
                        {"200410", true}, {"201611", true}, {"garbage", false}};
    for (const Row& r : rows) {
        QByteArray data = "[GLOBAL]\nLanguage=3\n";
        if (r.version) data += "Version=" + QByteArray(r.version) + "\n";
        data += "[VX]\nSI=0\nTemp11=-20\n";
        WriteFile(data);
        TIniDatei ini = Ini();
        const TAllSettings s = LoadAllSettings(ini, VX, today_);
        const char* v = r.version ? r.version : "(missing)";
        EXPECT_EQ(s.Frame.UnitSystemSI, !r.kept) << v;
        EXPECT_EQ(s.Product.Winter.Temp11, r.kept ? -20.0 : -5.0) << v;
        EXPECT_EQ(ini.SectionExists(VX), r.kept) << v;
        EXPECT_EQ(ini.ReadInteger("Global", "Language", 0), 3) << v;
    }
}

TEST_F(SettingsTest, OutOfRangeAndUnreadableValuesAreMended)
{
    struct Row { const char* key; const char* stored; double pbar; int flow; int humidity; };
    const Row rows[] = {
        {"pbar", "1200", 1100, 0, 0},   {"pbar", "599.9", 600, 0, 0}, {"pbar", "abc", 1013, 0, 0},
        {"pbar", "1,013.5", 1013, 0, 0}, {"pbar", "850", 850, 0, 0},  {"pbar", "-1e308", 600, 0, 0},
        {"AirQuant", "3", 1013, 0, 0},  {"AirQuant", "1", 1013, 1, 0}, {"AirQuant", "2", 1013, 0, 0},
        {"AirQuant", "-1", 1013, 0, 0}, {"AirState", "7", 1013, 0, 7}, {"AirState", "1", 1013, 0, 1},
        {"AirState", "5", 1013, 0, 0},  {"AirState", "x", 1013, 0, 0},
    };
    for (const Row& r : rows) {
        WriteFile("[GLOBAL]\nVersion=201611\n[VX]\n" + QByteArray(r.key) + "=" + r.stored + "\n");
        TIniDatei ini = Ini();
        TFrameSettings f;
        LoadFrameSettings(ini, VX, f, today_);
        EXPECT_EQ(f.AirPressure, r.pbar) << r.key << "=" << r.stored;
        EXPECT_EQ(f.FlowMode, r.flow) << r.key << "=" << r.stored;
        EXPECT_EQ(f.HumidityMode, r.humidity) << r.key << "=" << r.stored;
    }
}

TEST_F(SettingsTest, InletsAndDeviceOutsideTheWindowsRangesReadAsTheNearestAllowedValue)
{
    WriteFile("[GLOBAL]\nVersion=201611\n[VX]\nSVol11=1" + QByteArray(308, '0') + "\nSVol21=-50\n"
              "Temp11=-300\nTemp21=abc\nHumidity11=150\nHumidity21=-1\nWidth=-5\n"
              "SVol11_S=0\nSVol21_S=1e308\nVXType=99999\n");
    TIniDatei ini = Ini();
    const TAllSettings s = LoadAllSettings(ini, VX, today_);
    const TInletValues& w = s.Product.Winter;
    EXPECT_EQ(w.SVol11, 999999.0);
    EXPECT_EQ(w.SVol21, 1.0);
    EXPECT_EQ(w.Temp11, -30.0);
    EXPECT_EQ(w.Temp21, 22.0);  // not a number: the default
    EXPECT_EQ(w.Humidity11, 100.0);
    EXPECT_EQ(w.Humidity21, 0.0);
    EXPECT_EQ(s.VX.Width, 1);
    EXPECT_EQ(s.Product.Summer.SVol11, 1.0);
    EXPECT_EQ(s.Product.Summer.SVol21, 999999.0);
    EXPECT_EQ(s.VX.VXType, 99999);  // the window shows the largest size for it
}

TEST_F(SettingsTest, SeparatorsThatCannotSeparateDigitsKeepTheOnesInForce)
{
    struct Row { const char* decimal; const char* thousand; char32_t expDecimal; char32_t expThousand; };
    const Row rows[] = {
        {",", ".", U',', U'.'}, {" ", " ", U'.', U','}, {"", "", U'.', U','}, {"5", "0", U'.', U','},
        {"-", "+", U'.', U','}, {"e", "'", U'.', U'\''}, {";x", "\xc2\xa0", U';', 0x00A0},
    };
    for (const Row& r : rows) {
        DecimalSeparator = U'.';
        ThousandSeparator = U',';
        WriteFile("[GLOBAL]\nVersion=201611\n[VX]\nDecimalSeparator=" + QByteArray(r.decimal)
                  + "\nThousandSeparator=" + QByteArray(r.thousand) + "\n");
        TIniDatei ini = Ini();
        TFrameSettings f;
        LoadFrameSettings(ini, VX, f, today_);
        EXPECT_EQ(DecimalSeparator, r.expDecimal) << '"' << r.decimal << '"';
        EXPECT_EQ(ThousandSeparator, r.expThousand) << '"' << r.thousand << '"';
    }
}

TEST_F(SettingsTest, SummerStatesAreRoundedAndWinterValuesAreNot)
{
    WriteFile("[GLOBAL]\nVersion=201611\n[VX]\n"
              "SVol11=1234.56\nTemp11=-5.555\nHumidity11=90.125\nSVol21=999.5\nTemp21=21.987\nHumidity21=40.004\n"
              "SVol11_S=2000.6\nTemp11_S=32.125\nHumidity11_S=40.134\nSVol21_S=1500.4\nTemp21_S=22.375\nHumidity21_S=50.006\n");
    TIniDatei ini = Ini();
    const TAllSettings s = LoadAllSettings(ini, VX, today_);
    EXPECT_EQ(s.Product.Winter, (TInletValues{1234.56, -5.555, 90.125, 999.5, 21.987, 40.004}));
    EXPECT_DOUBLE_EQ(s.Product.Summer.SVol11, 2000.6);
    EXPECT_DOUBLE_EQ(s.Product.Summer.SVol21, 1500.4);
    EXPECT_DOUBLE_EQ(s.Product.Summer.Temp11, 32.12);  // 3212.5 rounds half to even
    EXPECT_DOUBLE_EQ(s.Product.Summer.Humidity11, 40.13);
    EXPECT_DOUBLE_EQ(s.Product.Summer.Temp21, 22.38);   // 2237.5 rounds half to even
    EXPECT_DOUBLE_EQ(s.Product.Summer.Humidity21, 50.01);

    // The product layer alone rounds the flows to whole numbers and has its own defaults.
    TProductSettings p;
    p.Summer = {};
    WriteFile("[VX]\nSVol11=1234.56\n");
    LoadProductSettings(ini, VX, p);
    EXPECT_EQ(p.Winter, (TInletValues{1235, -12, 90, 10000, 22, 40}));
    EXPECT_EQ(p.Summer, (TInletValues{10000, 32, 40, 10000, 22, 50}));
}

TEST_F(SettingsTest, PriceNotesOnlyWithPrices)
{
    TIniDatei ini = Ini();
    TAllSettings s;
    s.Frame.NotesPrice = {QStringLiteral("p1"), QStringLiteral("p2"), QStringLiteral("p3")};
    SaveAllSettings(ini, VX, s);
    EXPECT_FALSE(ini.ValueExists(VX, "NotesPrice1"));
    PricesEnabled = true;
    SaveAllSettings(ini, VX, s);
    TFrameSettings f;
    LoadFrameSettings(ini, VX, f, today_);
    PricesEnabled = false;
    EXPECT_EQ(f.NotesPrice, s.Frame.NotesPrice);
}

}  // namespace
