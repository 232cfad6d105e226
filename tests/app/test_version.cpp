// Version texts, the interface language stored in the settings file, and the support links.
#include "app/UGlobal.h"
#include "app/UIniDatei.h"
#include "app/UVersion.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

TEST(Version, PrefixFollowsTheProgramFileName)
{
    struct Row { const char* name; const char* prefix; };
    const Row rows[] = {{"VX", "4.4, "}, {"VXrate", "4.4, "}, {"V", "4.4, "}, {"ZTL", "4.2, "},
                        {"vx", "4.6, "}, {"zt", "4.6, "}, {"X", "4.6, "}, {"", "4.6, "}, {"Ärger", "4.6, "}};
    for (const Row& r : rows)
        EXPECT_EQ(VersionPrefixFor(QString::fromUtf8(r.name)), QLatin1String(r.prefix)) << r.name;
}

TEST(Version, InitialisationUsesTheFileNameWithoutFolderAndRunsOnce)
{
    ASSERT_EQ(VersionText, QStringLiteral("11/2016"));  // nothing has run it in this program yet
    EuroventCertified = false;
    InitVersionText(QStringLiteral("/opt/Vendor/bin/vx"));  // lower-case: not this series' name
    EXPECT_EQ(VersionText, QStringLiteral("4.6, 11/2016"));
    EXPECT_EQ(VersionTextShort, QStringLiteral("4.6, 11/16"));
    EXPECT_TRUE(EuroventCertified);
    InitVersionText(QStringLiteral("/usr/bin/VX"));
    InitVersionText();
    EXPECT_EQ(VersionText, QStringLiteral("4.6, 11/2016"));
}

class LanguageSettingTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        old_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", old_); }
    void Store(const QByteArray& data)
    {
        TIniDatei ini(IniFileName, QStringLiteral("#"));
        QFile f(ini.FileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
    }
    int Read(QLocale::Language system)
    {
        return ReadLanguageSetting(IniFileName, QStringLiteral("GLOBAL"), QStringLiteral("Language"), system);
    }

    QTemporaryDir dir_;
    QByteArray old_;
};

TEST_F(LanguageSettingTest, StoredValuesAreValidated)
{
    struct Row { const char* stored; QLocale::Language system; int expected; };
    const Row rows[] = {
        {"5", QLocale::German, 1},   {"5", QLocale::Japanese, 2}, {"258", QLocale::German, 2},
        {"263", QLocale::German, 7}, {"9", QLocale::German, 9},   {"0x8", QLocale::English, 8},
        {"4", QLocale::Russian, 9},  {"6", QLocale::Polish, 7},   {"0", QLocale::French, 3},
        {"abc", QLocale::Chinese, 8}, {"-255", QLocale::Japanese, 1}, {"3", QLocale::Japanese, 3},
    };
    for (const Row& r : rows) {
        Store("[GLOBAL]\r\nLanguage=" + QByteArray(r.stored) + "\r\n");
        EXPECT_EQ(Read(r.system), r.expected) << r.stored;
    }
}

TEST_F(LanguageSettingTest, NoFileGivesTheSystemLanguageOrEnglish)
{
    EXPECT_EQ(Read(QLocale::German), 1);
    EXPECT_EQ(Read(QLocale::Japanese), 2);
    EXPECT_FALSE(QFile::exists(TIniDatei(IniFileName, QStringLiteral("#")).FileName()));
}

TEST_F(LanguageSettingTest, WrittenLanguageIsReadBackFromTheSameSection)
{
    Store("[GLOBAL]\nVersion=201611\nLanguage=1\n[VX]\nSI=1\n");
    WriteLanguageSetting(8);
    EXPECT_EQ(Read(QLocale::German), 8);
    const TIniDatei ini(IniFileName, QStringLiteral("#"));
    EXPECT_EQ(ini.ReadSection(QStringLiteral("Global")), QStringList({"Version", "Language"}));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("VX"), QStringLiteral("SI"), 0), 1);
}

class LinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = SetUrlOpener([this](const QUrl& url) {
            opened_.append(url);
            return true;
        });
    }
    void TearDown() override { SetUrlOpener(previous_); }
    TUrlOpener previous_;
    QList<QUrl> opened_;
};

TEST_F(LinkTest, SupportMailSubjectIsPercentEncoded)
{
    const QString saved = VersionText;
    VersionText = QStringLiteral("4.4, 11/2016");
    const QStringList titles = {QStringLiteral("VX"), QStringLiteral("A & B #1 ?x=%20 + 100%"),
                                QStringLiteral("Gegenstrom – Wärme"), QStringLiteral("逆流 Противоток")};
    for (const QString& title : titles) {
        opened_.clear();
        SendSupportMail(title);
        ASSERT_EQ(opened_.size(), 1);
        const QUrl url = opened_.first();
        EXPECT_TRUE(url.isValid()) << url.errorString().toStdString();
        EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
        EXPECT_EQ(url.path(), QStringLiteral("support@tarvometrix.com"));
        const QUrlQuery query(url);
        EXPECT_EQ(query.queryItems().size(), 1) << title.toStdString();
        EXPECT_EQ(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                  QStringLiteral("Tarvometrix Software: ") + title + QStringLiteral(", Version 4.4, 11/2016"));
        const QByteArray encoded = url.toEncoded();
        EXPECT_FALSE(encoded.contains(' '));
        EXPECT_FALSE(encoded.mid(encoded.indexOf('?') + 1).contains('+')) << encoded.constData();
    }
    VersionText = saved;
}

TEST_F(LinkTest, WebSiteOpensTheMakersAddress)
{
    OpenWebSite();
    ASSERT_EQ(opened_.size(), 1);
    EXPECT_EQ(opened_.first().host(), QStringLiteral("www.tarvometrix.com"));
    EXPECT_EQ(opened_.first().scheme(), QStringLiteral("https"));
}

}  // namespace
