// The settings file class: value encodings, Windows-style files, and writes that never damage the
// file.
#include "app/UIniDatei.h"
#include "thermo/UZahlformat.h"
#include "SafeFileTestSupport.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

class IniFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path() + QStringLiteral("/");
        DecimalSeparator = U'.';
    }
    void TearDown() override { DecimalSeparator = U'.'; }
    QString Path() const { return folder_ + QStringLiteral("test.ini"); }

    QTemporaryDir dir_;
    QString folder_;
};

TEST_F(IniFileTest, EveryTypeReadsBackWhatWasWritten)
{
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    const QString text = QStringLiteral("Projekt Süd – 换热器 – Теплообменник");
    ASSERT_TRUE(ini.WriteString("S", "Text", text));
    ASSERT_TRUE(ini.WriteString("S", "Empty", QString()));
    for (int v : {0, -1, 42, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        ASSERT_TRUE(ini.WriteInteger("S", "Int", v));
        EXPECT_EQ(ini.ReadInteger("S", "Int", 7), v);
    }
    for (bool v : {true, false}) {
        ASSERT_TRUE(ini.WriteBool("S", "Bool", v));
        EXPECT_EQ(ini.ReadBool("S", "Bool", !v), v);
    }
    for (char32_t sep : {U'.', U','}) {
        DecimalSeparator = sep;
        for (double v : {0.0, -5.5, 1013.25, 0.1, 1e-7, 123456789.123456, -273.15}) {
            ASSERT_TRUE(ini.WriteFloat("S", "Real", v));
            EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "Real", 99.0), v) << "separator " << char(sep);
        }
    }
    for (QChar c : {QChar(u','), QChar(u'.'), QChar(u'\''), QChar(0x00A0)}) {
        ASSERT_TRUE(ini.WriteChar("S", "Char", c));
        EXPECT_EQ(ini.ReadChar("S", "Char", u'x'), c);
    }
    EXPECT_EQ(ini.ReadString("S", "Text", QString()), text);
    EXPECT_EQ(ini.ReadString("S", "Empty", QStringLiteral("default")), QString());
    EXPECT_EQ(ini.ReadString("S", "Missing", QStringLiteral("default")), QStringLiteral("default"));
}

TEST_F(IniFileTest, RealsUseTheSeparatorInForce)
{
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    DecimalSeparator = U',';
    ini.WriteFloat("VX", "Temp11", -5.5);
    EXPECT_TRUE(ReadAll(Path()).contains("Temp11=-5,5"));
    // A point is no decimal separator while the comma is in force, and the other way round.
    ini.WriteString("VX", "Point", QStringLiteral("12.5"));
    EXPECT_EQ(ini.ReadFloat("VX", "Point", 3.0), 3.0);
    DecimalSeparator = U'.';
    EXPECT_EQ(ini.ReadFloat("VX", "Temp11", 3.0), 3.0);
    EXPECT_EQ(ini.ReadFloat("VX", "Point", 3.0), 12.5);
    // Non-finite values are not written; the stored value stays.
    EXPECT_FALSE(ini.WriteFloat("VX", "Point", std::nan("")));
    EXPECT_FALSE(ini.WriteFloat("VX", "Point", std::numeric_limits<double>::infinity()));
    EXPECT_EQ(ini.ReadFloat("VX", "Point", 3.0), 12.5);
}

TEST_F(IniFileTest, UnreadableNumbersGiveTheDefault)
{
    struct Row { const char* text; int expected; };
    const Row rows[] = {
        {"12", 12}, {"-7", -7}, {"+3", 3}, {"0x1F", 31}, {"0XFF", 255}, {"0xFFFFFFFF", -1},
        {"0x80000000", std::numeric_limits<int>::min()}, {"  42  ", 42}, {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"12abc", -99}, {"", -99}, {"abc", -99}, {"1.5", -99}, {"0x", -99}, {"0x123456789", -99},
        {"2147483648", -99}, {"99999999999999999999", -99}, {"0x-1", -99}, {"0x0x1F", -99}, {"0x 1F", -99}, {"0x1G", -99}, {"--1", -99}, {"1 2", -99},
    };
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    for (const Row& r : rows) {
        ini.WriteString("S", "K", QString::fromLatin1(r.text));
        EXPECT_EQ(ini.ReadInteger("S", "K", -99), r.expected) << r.text;
    }
    struct RealRow { const char* text; double expected; };
    const RealRow reals[] = {
        {"1013", 1013}, {"-5.5", -5.5}, {"1E3", 1000}, {"1e-2", 0.01},
        {"nan", 7}, {"inf", 7}, {"1e999", 7}, {"1,013.5", 7}, {"1 013", 7}, {"", 7}, {"--5", 7}, {"5.5.5", 7},
    };
    for (const RealRow& r : reals) {
        ini.WriteString("S", "R", QString::fromLatin1(r.text));
        EXPECT_EQ(ini.ReadFloat("S", "R", 7), r.expected) << r.text;
    }
    ini.WriteString("S", "B", QStringLiteral("yes"));
    EXPECT_TRUE(ini.ReadBool("S", "B", true));
    EXPECT_FALSE(ini.ReadBool("S", "B", false));
    ini.WriteString("S", "B", QStringLiteral("2"));
    EXPECT_TRUE(ini.ReadBool("S", "B", false));
    // A blank-only character value is trimmed away and gives the default.
    ini.WriteString("S", "C", QStringLiteral(" "));
    EXPECT_EQ(ini.ReadChar("S", "C", u','), QChar(u','));
}

TEST_F(IniFileTest, ReadsWindowsStyleFilesAndKeepsTheirForm)
{
    const QByteArray original =
        "; written by hand\r\n"
        "[GLOBAL]\r\n"
        "Language = 7\r\n"
        "Version=201611\r\n"
        "\r\n"
        "[vx]\r\n"
        "decimalseparator=,\r\n"
        "TEMP11=-5,5\r\n"
        "Header3=Offer 12 = final\r\n"
        "AirQuant=0x1\r\n"
        "garbage line without equals\r\n"
        "\r\n"
        "[Other]\r\n"
        "Key=Value\r\n";
    WriteAll(Path(), original);
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    EXPECT_EQ(ini.ReadInteger("Global", "language", 0), 7);
    EXPECT_EQ(ini.ReadInteger("global", "VERSION", 0), 201611);
    EXPECT_EQ(ini.ReadChar("VX", "DecimalSeparator", u'.'), QChar(u','));
    DecimalSeparator = U',';
    EXPECT_DOUBLE_EQ(ini.ReadFloat("VX", "Temp11", 0), -5.5);
    EXPECT_EQ(ini.ReadString("VX", "Header3", QString()), QStringLiteral("Offer 12 = final"));
    EXPECT_EQ(ini.ReadInteger("VX", "AirQuant", 5), 1);
    EXPECT_EQ(ini.ReadSection("vx"), QStringList({"decimalseparator", "TEMP11", "Header3", "AirQuant"}));

    // Writing "Global" finds the "[GLOBAL]" section and changes only the one line.
    ASSERT_TRUE(ini.WriteInteger("Global", "LANGUAGE", 9));
    QByteArray expected = original;
    expected.replace("Language = 7\r\n", "LANGUAGE=9\r\n");
    EXPECT_EQ(ReadAll(Path()), expected);

    // A new key goes to the end of its own section, before the blank line, with CRLF.
    ASSERT_TRUE(ini.WriteInteger("VX", "Width", 300));
    expected.replace("AirQuant=0x1\r\ngarbage line without equals\r\n",
                     "AirQuant=0x1\r\ngarbage line without equals\r\nWidth=300\r\n");
    EXPECT_EQ(ReadAll(Path()), expected);
}

TEST_F(IniFileTest, LfFilesFirstMatchWinsAndLongValuesAreCut)
{
    WriteAll(Path(), "[A]\nk=first\nK=second\n[a]\nk=third\n[B]\nlong=" + QByteArray(3000, 'x') + "\n");
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    EXPECT_EQ(ini.ReadString("a", "k", QString()), QStringLiteral("first"));
    EXPECT_EQ(ini.ReadString("B", "long", QString()).size(), TIniDatei::MaxValueLength);
    ini.WriteString("A", "new", QStringLiteral("v"));
    EXPECT_TRUE(ReadAll(Path()).startsWith("[A]\nk=first\nK=second\nnew=v\n[a]\n"));
}

TEST_F(IniFileTest, EraseSectionRemovesEverySpellingAndNothingElse)
{
    WriteAll(Path(), "[GLOBAL]\nLanguage=1\n[VX]\nSI=0\n[Keep]\nx=1\n[vx]\nEU=1\n");
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    ASSERT_TRUE(ini.EraseSection("Vx"));
    EXPECT_FALSE(ini.SectionExists("VX"));
    EXPECT_FALSE(ini.ValueExists("vx", "EU"));
    EXPECT_EQ(ini.ReadInteger("Global", "Language", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Keep", "x", 0), 1);
    EXPECT_TRUE(ini.DeleteKey("keep", "X"));
    EXPECT_FALSE(ini.ValueExists("Keep", "x"));
    EXPECT_TRUE(ini.SectionExists("Keep"));
}

TEST_F(IniFileTest, LineBreaksInAValueCannotInjectKeysOrSections)
{
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    ASSERT_TRUE(ini.WriteString("VX", "Header5", QStringLiteral("Line one\r\n[GLOBAL]\nLanguage=9")));
    EXPECT_FALSE(ini.SectionExists("GLOBAL"));
    EXPECT_EQ(ini.ReadSection("VX"), QStringList({"Header5"}));
    EXPECT_EQ(ini.ReadString("VX", "Header5", QString()), QStringLiteral("Line one  [GLOBAL] Language=9"));
    // Names that would break the line structure are refused.
    EXPECT_FALSE(ini.WriteString("VX", "a=b", QStringLiteral("x")));
    EXPECT_FALSE(ini.WriteString("", "k", QStringLiteral("x")));
}

TEST_F(IniFileTest, FirstWriteCreatesMissingFoldersAndTheFile)
{
    const QString folder = folder_ + QStringLiteral("a/b/c/");
    TIniDatei ini(QStringLiteral("new.ini"), folder);
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_FALSE(QFile::exists(ini.FileName()));
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "Language", 3), 3);
    ASSERT_TRUE(ini.WriteInteger("GLOBAL", "Language", 1));
    EXPECT_EQ(ReadAll(ini.FileName()), QByteArray("[GLOBAL]\nLanguage=1\n"));
}

TEST_F(IniFileTest, HashFolderIsTheUserSettingsFolder)
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/cfg")).toLocal8Bit());
    TIniDatei ini(QStringLiteral("Tarvometrix.ini"), QStringLiteral("#"));
    EXPECT_EQ(ini.FileName(), dir_.path() + QStringLiteral("/cfg/Tarvometrix/Tarvometrix.ini"));
    EXPECT_TRUE(QDir(dir_.path() + QStringLiteral("/cfg/Tarvometrix")).exists());
    qputenv("XDG_CONFIG_HOME", old);
}

TEST_F(IniFileTest, UnparsableContentSurvivesWritesByteForByte)
{
    // Binary noise, invalid UTF-8, a Latin-1 umlaut, a lone bracket line and a stray CR.
    const QByteArray noise = QByteArray("\x00\x01\xff\xfe junk\n[broken\n", 18) + "Stra\xdf" "e=K\xf6ln\n\x1a\r\n";
    WriteAll(Path(), noise);
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "Version", 0), 0);
    EXPECT_EQ(ini.ReadString("broken", QString::fromLatin1("Stra\xdf" "e"), QString()), QString::fromLatin1("K\xf6ln"));
    ASSERT_TRUE(ini.WriteInteger("GLOBAL", "Version", 201611));
    EXPECT_EQ(ReadAll(Path()), noise + "\n[GLOBAL]\nVersion=201611\n");
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverReplaced)
{
    // A folder in the file's place stands for any file that cannot be opened for reading.
    ASSERT_TRUE(QDir().mkpath(Path()));
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "Language", 4), 4);
    EXPECT_FALSE(ini.WriteInteger("GLOBAL", "Language", 1));
    EXPECT_FALSE(ini.EraseSection("GLOBAL"));
    EXPECT_TRUE(QFileInfo(Path()).isDir());
}

TEST_F(IniFileTest, OversizedFilesAreNamedAsTheProblemAndNeverReplaced)
{
    const QByteArray big = "[VX]\nWidth=300\n" + QByteArray(4 * 1024 * 1024, ';');
    WriteAll(Path(), big);
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    EXPECT_TRUE(ini.ReadProblem().contains(QStringLiteral("larger than 4 MiB"))) << ini.ReadProblem().toStdString();
    EXPECT_EQ(ini.ReadInteger("VX", "Width", 7), 7);
    EXPECT_FALSE(ini.WriteInteger("VX", "Width", 1));
    EXPECT_EQ(ini.LastError(), ini.ReadProblem());
    EXPECT_EQ(ReadAll(Path()), big);
}

TEST_F(IniFileTest, Utf16FilesWithByteOrderMarkAreReadAndWrittenInTheirEncoding)
{
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encode(encoding, QStringEncoder::Flag::WriteBom);
        WriteAll(Path(), encode(QStringLiteral("[VX]\r\nNotesData1=Süd – 换热器\r\nWidth=300\r\n")));
        TIniDatei ini(QStringLiteral("test.ini"), folder_);
        EXPECT_EQ(ini.ReadInteger("VX", "Width", 0), 300);
        EXPECT_EQ(ini.ReadString("VX", "NotesData1", QString()), QStringLiteral("Süd – 换热器"));
        ASSERT_TRUE(ini.WriteInteger("VX", "Width", 450));
        QStringEncoder expected(encoding, QStringEncoder::Flag::WriteBom);
        EXPECT_EQ(ReadAll(Path()),
                  QByteArray(expected(QStringLiteral("[VX]\r\nNotesData1=Süd – 换热器\r\nWidth=450\r\n"))));
    }
}

TEST_F(IniFileTest, AFailedWriteKeepsTheFileAndNamesTheReason)
{
    const QByteArray old = "[VX]\nWidth=300\n";
    WriteAll(Path(), old);
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    {
        TFileSizeLimit limit(8);
        EXPECT_FALSE(ini.WriteInteger("VX", "Width", 450));
    }
    EXPECT_TRUE(ini.LastError().contains(QStringLiteral("File too large"))) << ini.LastError().toStdString();
    EXPECT_TRUE(ini.LastError().contains(QDir::toNativeSeparators(Path())));
    EXPECT_EQ(ReadAll(Path()), old);
    EXPECT_EQ(FolderEntries(folder_), QStringList{"test.ini"});
    EXPECT_TRUE(ini.WriteInteger("VX", "Width", 450));
    EXPECT_TRUE(ini.LastError().isEmpty());
}

TEST_F(IniFileTest, WritesReplaceTheFileWithoutLeavingTemporaryFiles)
{
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(ini.WriteInteger("VX", QStringLiteral("K%1").arg(i), i));
    EXPECT_EQ(QDir(folder_).entryList(QDir::Files | QDir::Hidden), QStringList({"test.ini"}));
    EXPECT_EQ(ini.ReadSection("VX").size(), 20);
}

TEST_F(IniFileTest, BatchReplacesTheFileOnceAtItsEnd)
{
    WriteAll(Path(), "[VX]\r\nSI=1\r\n[Old]\r\nx=1\r\n");
    TIniDatei ini(QStringLiteral("test.ini"), folder_);
    {
        const TIniDatei::TBatch batch(ini);
        ini.WriteInteger("VX", "Width", 300);
        ini.WriteBool("VX", "SI", false);
        ASSERT_TRUE(ini.EraseSection("old"));
        {
            const TIniDatei::TBatch inner(ini);
            ini.WriteString("Global", "Language", QStringLiteral("8"));
        }
        // Nothing has reached the disk yet, but reads see the batch.
        EXPECT_EQ(ReadAll(Path()), QByteArray("[VX]\r\nSI=1\r\n[Old]\r\nx=1\r\n"));
        EXPECT_EQ(ini.ReadInteger("VX", "Width", 0), 300);
        EXPECT_FALSE(ini.SectionExists("Old"));
    }
    EXPECT_EQ(ReadAll(Path()), QByteArray("[VX]\r\nSI=0\r\nWidth=300\r\n\r\n[Global]\r\nLanguage=8\r\n"));

    // A batch on a file that cannot be read writes nothing.
    const QString blocked = folder_ + QStringLiteral("blocked.ini");
    ASSERT_TRUE(QDir().mkpath(blocked));
    TIniDatei other(QStringLiteral("blocked.ini"), folder_);
    other.BeginUpdate();
    EXPECT_FALSE(other.WriteInteger("VX", "Width", 1));
    other.EndUpdate();
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

}  // namespace
