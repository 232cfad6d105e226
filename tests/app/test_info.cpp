// The about window and the start picture: logo layout from the certification flags, sizes, links
// and the hover underline.
#include "ui/FInfo.h"

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UVersion.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Flags {
    int productIndex;
    bool eurovent;
};

class InfoTest : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = SetUrlOpener([this](const QUrl& url) {
            opened_.append(url);
            return true;
        });
        ProductIndex = 4;
        EuroventCertified = true;
        Language = LangEnglish;
    }
    void TearDown() override { SetUrlOpener(previous_); }
    TUrlOpener previous_;
    QList<QUrl> opened_;
};

TEST(InfoLayout, LogoPositionsFromTheCertificationFlags)
{
    struct Row { bool eurovent, ahri; QPoint product; std::optional<QPoint> ev, ahriPos; };
    const Row rows[] = {
        {true, true, {247, 66}, QPoint(308, 81), QPoint(157, 75)},
        {true, false, {191, 66}, QPoint(257, 81), std::nullopt},
        {false, true, {181, 66}, std::nullopt, QPoint(247, 75)},
        {false, false, {224, 66}, std::nullopt, std::nullopt},
    };
    for (const Row& r : rows) {
        const TInfoLogoLayout l = InfoLogoLayout(r.eurovent, r.ahri);
        EXPECT_EQ(l.ProductLogo, r.product) << r.eurovent << r.ahri;
        EXPECT_EQ(l.Eurovent, r.ev) << r.eurovent << r.ahri;
        EXPECT_EQ(l.Ahri, r.ahriPos) << r.eurovent << r.ahri;
    }
}

TEST_F(InfoTest, WindowArrangesLogosByTheFlagsOfTheProduct)
{
    struct Row { int product; bool eurovent; bool ahri; };
    // Product 4 (this program) and 1, 3 carry AHRI and TÜV; 2 and 0 do not.
    for (const Row& r : {Row{4, true, true}, Row{1, false, true}, Row{2, true, false}, Row{0, false, false}}) {
        ProductIndex = static_cast<std::uint8_t>(r.product);
        EuroventCertified = r.eurovent;
        TFormInfo info;
        EXPECT_EQ(AhriCertified, r.ahri);
        EXPECT_EQ(TuevCertified, r.ahri);
        const TInfoLogoLayout l = InfoLogoLayout(r.eurovent, r.ahri);
        EXPECT_EQ(info.Image_ProduktLogo->pos(), l.ProductLogo) << r.product;
        EXPECT_EQ(info.Image_ProduktLogo->size(), QSize(62, 62));
        EXPECT_EQ(!info.Image_Eurovent->isHidden(), r.eurovent) << r.product;
        EXPECT_EQ(!info.Image_AHRI->isHidden(), r.ahri) << r.product;
        EXPECT_EQ(!info.Image_TUV->isHidden(), r.ahri) << r.product;
        if (l.Eurovent) { EXPECT_EQ(info.Image_Eurovent->pos(), *l.Eurovent); }
        if (l.Ahri) { EXPECT_EQ(info.Image_AHRI->geometry(), QRect(*l.Ahri, QSize(89, 50))); }
        if (r.ahri) {
            // The TÜV mark sits beside the other logos and overlaps none of them.
            EXPECT_EQ(info.Image_TUV->size(), QSize(45, 50));
            for (QLabel* other : {info.Image_ProduktLogo, info.Image_Eurovent, info.Image_AHRI})
                if (!other->isHidden()) {
                    EXPECT_FALSE(info.Image_TUV->geometry().intersects(other->geometry())) << other->objectName().toStdString();
                }
            EXPECT_TRUE(info.Image_Bild->rect().contains(info.Image_TUV->geometry()));
        }
    }
}

TEST_F(InfoTest, SizesOfTheWindowAndTheStartPicture)
{
    VersionText = QStringLiteral("4.4, 11/2016");
    TFormInfo info;
    EXPECT_EQ(info.size(), QSize(514, 263));
    EXPECT_EQ(info.windowTitle(), QStringLiteral("  INFO"));
    EXPECT_EQ(info.Panel_Bild->size(), QSize(506, 226));
    EXPECT_EQ(info.Image_Bild->pos(), QPoint(3, 3));
    EXPECT_FALSE(info.Image_Bild->pixmap().isNull());
    EXPECT_EQ(info.Image_Energie->geometry(), QRect(156, 46, 220, 14));
    EXPECT_EQ(info.Label_Version->text(), QStringLiteral("Version 4.4, 11/2016"));
    EXPECT_TRUE(info.Label_Internet->text().startsWith(QStringLiteral("Internet: ")));
    EXPECT_TRUE(info.Label_EMail->text().startsWith(QStringLiteral("Mail: ")));
    // Everything stays inside the window.
    for (QWidget* w : info.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(info.rect().contains(w->geometry())) << w->objectName().toStdString();
    for (QLabel* w : {info.Label_Firma, info.Label1, info.Label_Internet, info.Label_EMail}) {
        w->adjustSize();
        EXPECT_TRUE(info.Image_Bild->rect().contains(w->geometry())) << w->objectName().toStdString();
    }

    TFormInfo splash(nullptr, true);
    EXPECT_EQ(splash.size(), QSize(506, 226));
    EXPECT_EQ(splash.Panel_Bild->pos(), QPoint(0, 0));
    EXPECT_TRUE(splash.Button_OK->isHidden());
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(InfoTest, EnergyBannerFollowsTheLanguage)
{
    struct Row { int language; int id; };
    for (const Row& r : {Row{1, 1900}, Row{2, 2900}, Row{3, 3900}, Row{7, 7900}, Row{8, 8900}, Row{9, 9900},
                         Row{4, 2900}, Row{6, 2900}, Row{0, 2900}})
        EXPECT_EQ(EnergyBannerId(r.language), r.id) << r.language;

    TFormInfo info;
    const QImage english = info.Image_Energie->pixmap().toImage();
    ASSERT_FALSE(english.isNull());
    Language = LangGerman;
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&info, &change);
    const QImage german = info.Image_Energie->pixmap().toImage();
    EXPECT_FALSE(german.isNull());
    EXPECT_NE(german, english);
    EXPECT_EQ(german, LoadJpeg(1900));
    Language = LangEnglish;
}

TEST_F(InfoTest, LinksOpenTheirAddressesAndUnderlineOnHover)
{
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("VX & Co"));
    VersionText = QStringLiteral("4.4, 11/2016");
    TFormInfo info(&main);

    for (QLabel* link : {info.Label_Internet, info.Label_EMail}) {
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(link, &enter);
        EXPECT_TRUE(link->font().underline()) << link->objectName().toStdString();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        EXPECT_FALSE(link->font().underline()) << link->objectName().toStdString();
    }
    // After hovering, the links still follow the window's font when the language changes it.
    QFont bigger = info.font();
    bigger.setPixelSize(17);
    info.setFont(bigger);
    EXPECT_EQ(info.Label_Internet->font().pixelSize(), 17);
    EXPECT_EQ(info.Label_EMail->font().pixelSize(), 17);

    QTest::mouseClick(info.Label_EMail, Qt::LeftButton);
    QTest::mouseClick(info.Label_Internet, Qt::LeftButton);
    QTest::mouseClick(info.Image_ProduktLogo, Qt::LeftButton);
    QTest::mouseClick(info.Image_Eurovent, Qt::LeftButton);
    QTest::mouseClick(info.Image_AHRI, Qt::LeftButton);
    QTest::mouseClick(info.Label_Firma, Qt::LeftButton);  // not a link
    ASSERT_EQ(opened_.size(), 5);
    EXPECT_EQ(opened_[0], SupportMailUrl(QStringLiteral("VX & Co")));
    EXPECT_EQ(opened_[1], WebSiteUrl());
    EXPECT_EQ(opened_[2], WebSiteUrl());
    EXPECT_NE(opened_[3], opened_[4]);
    for (const QUrl& url : {opened_[3], opened_[4]})
        EXPECT_EQ(url.scheme(), QStringLiteral("https"));
}

TEST_F(InfoTest, StartPictureClosesAfterItsTime)
{
    QElapsedTimer clock;
    clock.start();
    ShowSplash(150);
    EXPECT_GE(clock.elapsed(), 150);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

}  // namespace
