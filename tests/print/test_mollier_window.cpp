// The chart window: range lists, chart form, zoom, range raising and the recorded chart, checked
// through the real window on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScrollArea>

#include "PrintTestSupport.h"
#include "TRecordingDevice.h"
#include "app/URessourcen.h"
#include "ui/FMollier.h"
#include "ui/UQvControls.h"

namespace {

class MollierWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        UseLanguage(2);
        form_ = std::make_unique<TFormMollier>();
    }
    std::unique_ptr<TFormMollier> form_;
};

const TProcessLine kWinterSupply{{-5, 2.2, kStream1Colour, kStream1Colour, TChartPen::Solid},
                                 {16, 2.2, kStream1Colour, kStream1Colour, TChartPen::Solid}};

TEST_F(MollierWindowTest, StartStateAndRangeLists)
{
    EXPECT_EQ(form_->windowTitle(), LoadText(156));
    EXPECT_FALSE(form_->CarrierChart);
    EXPECT_EQ(form_->Combo_Carrier->currentText(), "Mollier");
    EXPECT_EQ(form_->Pressure, 1012.0);
    EXPECT_EQ(form_->HumidityItem(), 0);
    EXPECT_EQ(form_->TemperatureItem(), 1);
    EXPECT_EQ(form_->Combo_Feuchte->itemText(0), "0 .. 20 g/kg");
    EXPECT_EQ(form_->Combo_Temperatur->itemText(1), "-20 .. 80" + LoadText(411));
    EXPECT_EQ(form_->Zoom(), 6);
    EXPECT_TRUE(form_->ZoomItems[6]->isChecked());

    // UK/US: the lists are rebuilt, the chosen items stay.
    form_->SetRangeItems(3, 2);
    form_->SetChartUnits(false);
    EXPECT_EQ(form_->Combo_Feuchte->itemText(4), "0 .. 440 gr/lb");
    EXPECT_EQ(form_->Combo_Temperatur->itemText(0), "0 .. 140" + LoadText(412));
    EXPECT_EQ(form_->HumidityItem(), 3);
    EXPECT_EQ(form_->TemperatureItem(), 2);
    EXPECT_FALSE(form_->Chart.map.carrier);
    EXPECT_NEAR(form_->Chart.ranges.xMax, 360 / 7.0, 1e-12);
}

TEST_F(MollierWindowTest, LanguageChangeRetitles)
{
    UseLanguage(1);
    QEvent ev(QEvent::LanguageChange);
    QApplication::sendEvent(form_.get(), &ev);
    EXPECT_EQ(form_->windowTitle(), LoadText(156));
    EXPECT_NE(form_->windowTitle(), LoadText(156, 2));
    UseLanguage(2);
}

TEST_F(MollierWindowTest, ChartFormFromComboAndCall)
{
    form_->Combo_Carrier->setCurrentIndex(1);
    EXPECT_TRUE(form_->CarrierChart);
    EXPECT_TRUE(form_->Chart.map.carrier);
    form_->SetChartForm(false);
    EXPECT_EQ(form_->Combo_Carrier->currentIndex(), 0);
    EXPECT_FALSE(form_->Chart.map.carrier);
}

TEST_F(MollierWindowTest, RangesRaiseForTheProcessStates)
{
    TProcessLine humid = kWinterSupply;
    humid[1].x = 35; // needs 0 .. 40 g/kg
    form_->SetProcessLines({humid});
    form_->RaiseRanges();
    EXPECT_EQ(form_->HumidityItem(), 2);
    EXPECT_EQ(form_->TemperatureItem(), 1);
    form_->SetProcessLines({kWinterSupply});
    form_->RaiseRanges();
    EXPECT_EQ(form_->HumidityItem(), 2); // never lowered
}

TEST_F(MollierWindowTest, ZoomSizes)
{
    const int expected[][2] = {{150, 200}, {300, 400}, {450, 600}, {600, 800}, {900, 1200}, {1200, 1600}};
    for (int i = 0; i < 6; ++i) {
        form_->Combo_Zoom->setCurrentIndex(i);
        EXPECT_EQ(form_->PaintBox1->size(), QSize(expected[i][0], expected[i][1])) << i;
        EXPECT_TRUE(form_->ZoomItems[i]->isChecked()) << i;
    }
    form_->resize(500, 900);
    form_->ZoomItems[6]->trigger();
    const QSize client = form_->ScrollBox1->viewport()->size();
    const int s = std::min((client.height() - 8) / 4, (client.width() - 8) / 3);
    EXPECT_EQ(form_->PaintBox1->size(), QSize(3 * s, 4 * s));
    EXPECT_EQ(form_->Combo_Zoom->currentIndex(), 6);
}

TEST_F(MollierWindowTest, RecordedChartPlacesStatesAndTexts)
{
    form_->SetProcessLines({kWinterSupply});
    form_->SetChartPressure(1013);
    TRecordingDevice dev;
    const QRectF target(250, 700, 1650, 2100); // the chart page's rectangle
    {
        QPainter p(&dev);
        form_->PaintChart(p, target);
    }
    // The two state points: circles centred at the mapped coordinates.
    const TChartMapping& map = form_->Chart.map;
    for (const TProcessPoint& pt : kWinterSupply) {
        const TChartPoint f = map.Frame(pt.t, pt.x);
        const QPointF expected(target.left() + f.x * target.width() / kChartFrameWidth,
                               target.top() + f.y * target.height() / kChartFrameHeight);
        bool found = false;
        for (const QRectF& r : dev.Rects)
            found = found || (std::abs(r.center().x() - expected.x()) < 1.0 &&
                              std::abs(r.center().y() - expected.y()) < 1.0);
        EXPECT_TRUE(found) << pt.t << " at " << expected.x() << "," << expected.y();
    }
    EXPECT_NE(dev.FindText(LoadText(157) + " 1013 mbar"), nullptr);
    EXPECT_NE(dev.FindText(LoadText(13) + " [%]"), nullptr);
    EXPECT_NE(dev.FindText("100"), nullptr);
}

TEST_F(MollierWindowTest, EmptyProcessListKeepsTheProcessDrawing)
{
    form_->SetProcessLines({kWinterSupply});
    form_->RedrawChart();
    ASSERT_EQ(form_->ProcessLayer.dots.size(), 2u);
    const double x = form_->ProcessLayer.dots[0].centre.x;
    form_->SetProcessLines({});
    form_->SetChartForm(true); // redraws in Carrier form
    ASSERT_EQ(form_->ProcessLayer.dots.size(), 2u);
    EXPECT_EQ(form_->ProcessLayer.dots[0].centre.x, x);
    EXPECT_TRUE(form_->Chart.processes.dots.empty());
}
} // namespace

namespace {

class ChartPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        UseLanguage(2);
        owner_ = std::make_unique<TFormBasis>();
        owner_->Selection.NotesChart = FromLines(QStringList{QStringLiteral("chart note"), QString(), QString()}, 3);
    }
    std::unique_ptr<TFormBasis> owner_;
};

TEST_F(ChartPageTest, ChartInItsRectangleBelowTheNotes)
{
    auto* chart = new TFormMollier(owner_.get());
    owner_->FormMollier = chart;
    chart->SetProcessLines({kWinterSupply});
    chart->SetChartPressure(1013);
    TRecordingDevice dev;
    {
        QPainter p(&dev);
        ChartPage(owner_.get(), p, false);
    }
    EXPECT_NE(dev.FindText(QStringLiteral("chart note")), nullptr);
    const TRecordedText* title = dev.FindText(LoadText(157) + " 1013 mbar");
    ASSERT_NE(title, nullptr);
    EXPECT_GT(title->Top, 751); // below the notes block's rule
    EXPECT_GE(title->Left, 250);
    const TChartPoint f = chart->Chart.map.Frame(kWinterSupply[0].t, kWinterSupply[0].x);
    const QPointF expected(250 + f.x * 1650 / kChartFrameWidth, 700 + f.y * 2100 / kChartFrameHeight);
    bool found = false;
    for (const QRectF& r : dev.Rects)
        found = found || (std::abs(r.center().x() - expected.x()) < 1.0 &&
                          std::abs(r.center().y() - expected.y()) < 1.0);
    EXPECT_TRUE(found);
    // Every chart text stays inside the chart rectangle and the page frame.
    for (const TRecordedText& t : dev.Texts)
        if (t.Top >= 700) {
            EXPECT_GE(t.Left, 250 - 1) << t.Text.toStdString();
            EXPECT_LE(t.Right, 1980) << t.Text.toStdString();
        }
}

TEST_F(ChartPageTest, WithoutAChartWindowOnlyTheFrame)
{
    TRecordingDevice dev;
    {
        QPainter p(&dev);
        ChartPage(owner_.get(), p, true);
    }
    EXPECT_NE(dev.FindText(QStringLiteral("chart note")), nullptr);
    EXPECT_EQ(dev.FindText(LoadText(157) + " 1012 mbar"), nullptr);
}
} // namespace
