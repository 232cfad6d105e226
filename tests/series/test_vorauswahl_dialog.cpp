// The pre-selection dialog with the real counterflow window on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <QLabel>
#include <QTreeWidget>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "calc/UDaten.h"
#include "ui/FBaugroessen_VX.h"
#include "thermo/UZahlformat.h"
#include "ui/FVX.h"
#include "QtTestEnvironment.h"
#include "ui/NumEdit.h"
#include "ui/UQvMessage.h"

namespace {

VX_QT_TEST_ENVIRONMENT(TQtTestEnvironment);

// A counterflow window with a winter case of equal flows (m3/h).
std::unique_ptr<TFormVX> Window(double svol) {
    auto w = std::make_unique<TFormVX>();
    w->UnitSystemSI = true;
    w->Selection.FlowMode = 0;
    w->Selection.HumidityMode = 0;
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
    // The rows show the proposals of the logic in build order.
    ASSERT_EQ(static_cast<size_t>(list->topLevelItemCount()), d->Proposals.size());
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const auto cells =
            ProposalColumns(d->Proposals[static_cast<size_t>(i)], true, w->Selection.AmericanMethod);
        for (int c = 0; c < 10; ++c)
            EXPECT_EQ(list->topLevelItem(i)->text(c).toStdString(), cells[static_cast<size_t>(c)]);
    }

    // UK/US units: velocities in fpm without decimals.
    d->SI = false;
    d->ApplyTexts();
    d->BuildProposals();
    EXPECT_EQ(list->headerItem()->text(6), "v max [fpm]");
    const QString sep = QString::fromStdString(SeparatorText(DecimalSeparator));
    EXPECT_FALSE(list->topLevelItem(0)->text(6).contains(sep));
    EXPECT_EQ(list->topLevelItem(0)->text(7).split(sep).value(1).size(), 3);
}

// Every caption and cell fits its column in every language and unit system; widening the dialog
// widens the columns; a list without proposals gives way to the reason.
TEST(PreselectionDialog, ColumnsFitTheirContentAndFollowTheDialog) {
    auto w = Window(8000.0);
    TFormBaugroessen_VX* d = PreselectionDialog(w.get());
    d->show();
    QTreeWidget* list = d->ListView1;
    for (int language : {1, 2, 3, 7, 8, 9})
        for (bool si : {true, false}) {
            Language = static_cast<std::uint8_t>(language);
            ApplyLanguageFonts();
            d->SI = si;
            d->ApplyTexts();
            d->BuildProposals();
            ASSERT_GT(list->topLevelItemCount(), 0);
            const QFontMetrics fm(list->font());
            const QFontMetrics hm(list->header()->font());
            for (int c = 0; c < 10; ++c) {
                int need = hm.horizontalAdvance(list->headerItem()->text(c));
                for (int i = 0; i < list->topLevelItemCount(); ++i)
                    need = std::max(need, fm.horizontalAdvance(list->topLevelItem(i)->text(c)));
                EXPECT_GE(list->columnWidth(c), need) << "language " << language << " si " << si << " column " << c;
            }
            int total = 0;
            for (int c = 0; c < 10; ++c) total += list->columnWidth(c);
            EXPECT_LE(total, list->viewport()->width() + 1) << "language " << language;
            EXPECT_LT(d->width(), 1200) << "language " << language;  // the columns need no more
        }
    Language = LangEnglish;
    ApplyLanguageFonts();
    d->ApplyTexts();
    auto widthOf = [list](int c) { return list->columnWidth(c); };
    const int before = widthOf(0);
    d->resize(d->width() + 300, d->height());
    QApplication::processEvents();
    EXPECT_GT(widthOf(0), before);
    EXPECT_FALSE(d->L_Leer->isVisible());

    // Flows no package width of the series can carry: no rows, and the reason instead of the list.
    auto huge = Window(400000.0);
    huge->Selection.SetAirInput(0, TAirInput::Flow11, 400000.0);
    huge->Selection.SetAirInput(0, TAirInput::Flow21, 400000.0);
    TFormBaugroessen_VX* e = PreselectionDialog(huge.get());
    e->show();
    e->BuildProposals();
    EXPECT_EQ(e->ListView1->topLevelItemCount(), 0);
    EXPECT_TRUE(e->L_Leer->isVisible());
    EXPECT_FALSE(e->ListView1->isVisible());
    EXPECT_EQ(e->L_Leer->text(), LoadText(616));
    e->hide();
    d->hide();
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

// Opening shows the dialog modally and builds the list once it is active; Cancel leaves the
// window's device, record and valid results as they were.
TEST(PreselectionDialog, OpenBuildsOnActivationAndCancelKeepsTheResults) {
    auto w = Window(2500.0);
    w->show();
    w->Calculate();
    ASSERT_TRUE(w->ResultsValid());
    const double temp12 = w->WinterRecord->Temp12;
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
    EXPECT_TRUE(w->ResultsValid());
    EXPECT_EQ(w->WinterRecord->Temp12, temp12);
}
