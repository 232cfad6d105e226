// The pre-selection dialog with the real counterflow window on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "calc/UDaten.h"
#include "calc/UGroessen.h"
#include "series/FBaugroessen_VX.h"
#include "ui/FVX.h"
#include "ui/NumEdit.h"

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_vorauswahl_dialog";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
        InitResources();
        ProductIndex = 4;
        Language = LangEnglish;
        ApplyLanguageFonts();
    }
    void TearDown() override { delete app_; }

private:
    QApplication* app_ = nullptr;
};

[[maybe_unused]] testing::Environment* const g_env =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

// A counterflow window with a winter case of equal flows (m3/h).
std::unique_ptr<TFormVX> Window(double svol) {
    auto w = std::make_unique<TFormVX>();
    w->UnitSystemSI = true;
    w->FlowMode = 0;
    w->HumidityMode = 0;
    w->Winter.SVol11->SetValue(svol);
    w->Winter.SVol21->SetValue(svol);
    w->Winter.Temp11->SetValue(-5.0);
    w->Winter.Feuchte11->SetValue(90.0);
    w->Winter.Temp21->SetValue(22.0);
    w->Winter.Feuchte21->SetValue(40.0);
    return w;
}

QStringList Column(QTreeWidget* list, int c) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(c);
    return texts;
}

void ClickHeader(QTreeWidget* list, int section) {
    QHeaderView* h = list->header();
    const QPoint at(h->sectionViewportPosition(section) + h->sectionSize(section) / 2,
                    h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

std::vector<double> Numbers(const QStringList& texts) {
    std::vector<double> v;
    for (const QString& t : texts) v.push_back(t.toDouble());
    return v;
}

}  // namespace

TEST(PreselectionDialog, BuildsRowsWithCaptionsAndDimensions) {
    auto w = Window(2500.0);
    TFormBaugroessen_VX* d = PreselectionDialog(w.get());
    EXPECT_EQ(d, PreselectionDialog(w.get()));  // one dialog per window
    d->SI = true;
    d->ApplyTexts();
    d->BuildProposals();
    QTreeWidget* list = d->ListView1;
    ASSERT_GT(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->headerItem()->text(0), LoadText(180));
    EXPECT_EQ(list->headerItem()->text(6), "v max [m/s]");
    EXPECT_EQ(list->headerItem()->text(9), "t 12 [" + LoadText(411) + "]");
    EXPECT_EQ(d->windowTitle(), "VX " + LoadText(181));
    EXPECT_EQ(list->columnWidth(0), 110);
    EXPECT_EQ(list->columnWidth(6), 52);
    EXPECT_EQ(list->columnWidth(7), 60);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        const TProposal& p = d->Proposals[static_cast<size_t>(i)];
        EXPECT_EQ(item->text(0).toStdString(), p.Key);
        int l = 0, h = 0, f = 0;
        ASSERT_TRUE(DeviceDimensions(p.SizeCode, l, h, f));
        EXPECT_EQ(item->text(1).toInt(), l);
        EXPECT_EQ(item->text(4).toInt(), f);
        const int width = item->text(3).toInt();
        EXPECT_GE(width, 100);
        EXPECT_LE(width, 2000);
        EXPECT_EQ(width % 5, 0);
    }

    // UK/US units: velocities in fpm without decimals.
    d->SI = false;
    d->ApplyTexts();
    d->BuildProposals();
    EXPECT_EQ(list->headerItem()->text(6), "v max [fpm]");
    EXPECT_FALSE(list->topLevelItem(0)->text(6).contains('.'));
    EXPECT_EQ(list->topLevelItem(0)->text(7).split('.').value(1).size(), 3);
}

TEST(PreselectionDialog, WidthLimitsWithFlowsThatReachThem) {
    // Flows at which VX 30 reaches 80 % at exactly 2000 mm and at 2005 mm.
    auto widthAt = [](double svol) {
        TDatenVX r;
        r.Pressure = 1013.0;
        r.SVol11 = r.SVol21 = svol;
        r.Temp11 = -5.0;
        r.RelHum11 = 90.0;
        r.Temp21 = 22.0;
        r.RelHum21 = 40.0;
        r.SizeCode = 30;
        r.PackageWidth = 250;
        r.Refresh();
        bool ok = false;
        double a, b, c, dp, e;
        int width = 0;
        SizeWidthForEfficiency(r, 30, 80.0, ok, a, b, c, dp, e, width);
        return width;
    };
    for (int wanted : {2000, 2005}) {
        double lo = 100, hi = 20000, flow = -1;
        for (int i = 0; i < 60 && flow < 0; ++i) {
            const double mid = (lo + hi) / 2;
            const int got = widthAt(mid);
            if (got == wanted) flow = mid;
            (got < wanted ? lo : hi) = mid;
        }
        ASSERT_GT(flow, 0) << wanted;
        flow = std::round(flow * 1000) / 1000;
        ASSERT_EQ(widthAt(flow), wanted);
        auto w = Window(flow);
        TFormBaugroessen_VX* d = PreselectionDialog(w.get());
        d->BuildProposals();
        const QString key = "VX 30 / " + QString::number(wanted);
        EXPECT_EQ(Column(d->ListView1, 0).contains(key), wanted <= 2000) << wanted;
    }
}

TEST(PreselectionDialog, SortingByColumns) {
    auto w = Window(2500.0);
    TFormBaugroessen_VX* d = PreselectionDialog(w.get());
    d->show();
    d->BuildProposals();
    QTreeWidget* list = d->ListView1;
    const QStringList keysBuilt = Column(list, 0);
    ASSERT_GT(keysBuilt.size(), 3);

    ClickHeader(list, 3);
    auto widths = Numbers(Column(list, 3));
    EXPECT_TRUE(std::is_sorted(widths.begin(), widths.end()));
    ClickHeader(list, 3);
    widths = Numbers(Column(list, 3));
    EXPECT_TRUE(std::is_sorted(widths.rbegin(), widths.rend()));
    EXPECT_NE(widths.front(), widths.back());
    ClickHeader(list, 6);
    const auto velocities = Numbers(Column(list, 6));
    EXPECT_TRUE(std::is_sorted(velocities.begin(), velocities.end()));
    EXPECT_EQ(d->Sort.Column, 6);
    EXPECT_EQ(d->Sort.Direction, 1);

    // Keys are not numbers: sorting by column 0 keeps the current order.
    const QStringList before = Column(list, 0);
    ClickHeader(list, 0);
    EXPECT_EQ(Column(list, 0), before);
    ClickHeader(list, 0);
    EXPECT_EQ(Column(list, 0), before);
    d->hide();
}

TEST(PreselectionDialog, AdoptingKombiProposalWithOk) {
    auto w = Window(8000.0);
    TFormBaugroessen_VX* d = PreselectionDialog(w.get());
    d->ListView1->clear();
    auto* item = new QTreeWidgetItem(d->ListView1);
    item->setText(0, "VX Kombi 80 / 1200");
    d->ListView1->setCurrentItem(item);
    d->show();
    QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(w->Combo_VXTyp->currentText(), "VX Kombi 80");
    EXPECT_EQ(w->Edit_GBreite->Value(), 1200);
    EXPECT_EQ(w->WinterRecord->SizeCode, 2080);
    EXPECT_EQ(w->WinterRecord->PackageWidth, 1200);
    EXPECT_EQ(w->SummerRecord->PackageWidth, 1200);
}

TEST(PreselectionDialog, DoubleClickAdoptsAndStaysOpen) {
    auto w = Window(2500.0);
    TFormBaugroessen_VX* d = PreselectionDialog(w.get());
    d->show();
    d->BuildProposals();
    QTreeWidget* list = d->ListView1;
    ASSERT_GT(list->topLevelItemCount(), 2);
    QTreeWidgetItem* item = list->topLevelItem(2);
    const TProposal& p = d->Proposals[2];
    const QRect rect = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(w->Combo_VXTyp->currentText().toStdString(), p.SizeKey);
    EXPECT_EQ(w->Edit_GBreite->Value(), p.C);
    EXPECT_EQ(w->WinterRecord->SizeCode, p.SizeCode);
    d->hide();
}

TEST(PreselectionDialog, SecondSeriesProposesOnlyItsSizes) {
    auto w = Window(800.0);
    w->Combo_VXSerie->setCurrentIndex(1);
    ASSERT_EQ(w->WinterRecord->Series, 2);
    TFormBaugroessen_VX* d = PreselectionDialog(w.get());
    d->BuildProposals();
    const QStringList keys = Column(d->ListView1, 0);
    ASSERT_FALSE(keys.isEmpty());
    for (const QString& k : keys) EXPECT_TRUE(k.startsWith("VX-K ")) << k.toStdString();
}

// Opening shows the dialog modally, builds the list once it is active, and the device change
// after closing restores the record from the window's choices.
TEST(PreselectionDialog, OpenBuildsOnActivationAndRestoresTheDeviceOnCancel) {
    auto w = Window(2500.0);
    w->show();
    const int size = w->WinterRecord->SizeCode;
    const int width = w->WinterRecord->PackageWidth;
    TFormBaugroessen_VX* d = PreselectionDialog(w.get());
    const int builds = d->BuildCount();
    int rowsSeen = -1;
    QTimer::singleShot(0, [&] {
        // Wait (bounded) until the activation built the list, then cancel.
        for (int i = 0; i < 200 && d->BuildCount() == builds; ++i) QTest::qWait(10);
        rowsSeen = d->ListView1->topLevelItemCount();
        QTest::mouseClick(d->Button_Abbrechen, Qt::LeftButton);
    });
    OpenPreselection(w.get());
    EXPECT_GT(rowsSeen, 0);
    EXPECT_GT(d->BuildCount(), builds);
    EXPECT_EQ(w->WinterRecord->SizeCode, size);
    EXPECT_EQ(w->WinterRecord->PackageWidth, width);
}
