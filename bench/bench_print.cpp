// Output speed: the PDF export of a calculated datasheet, one repaint of the print preview's page
// surface, and one full redraw of the chart window (grid and processes rebuilt and painted).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UVersion.h"
#include "ui/FMollier.h"
#include "ui/FSeite.h"
#include "print/UPdfExport.h"
#include "ui/FVX.h"
#include "ui/NumEdit.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"
#include "ui/UPageLists.h"

namespace {

// One calculated product window for all runs.
TFormVX& Window() {
  static TFormVX* window = [] {
    static int argc = 1;
    static char name[] = "bench_print";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    new QApplication(argc, argv);
    ProductIndex = 4;
    InitResources();
    InitVersionText(QStringLiteral("VX"));
    AhriCertified = TuevCertified = true;
    ApplyLanguageFonts();
    SetMessageBoxHook([](const QString&, const QString&, int) { return 1; });
    auto* w = new TFormVX;
    w->Button_Berechnen->click();
    return w;
  }();
  return *window;
}

void BM_DatasheetPdfExport(benchmark::State& state) {
  TFormVX& w = Window();
  QTemporaryDir dir;
  const QString file = dir.filePath("datasheet.pdf");
  for (auto _ : state) ExportPagesToPdf(&w, w.DatasheetPages, file, false);
}
BENCHMARK(BM_DatasheetPdfExport)->Unit(benchmark::kMillisecond);

void BM_PreviewRepaint(benchmark::State& state) {
  TFormVX& w = Window();
  TFormSeite preview;
  preview.Prepare(&w, w.DatasheetPages);
  preview.resize(1280, 1000);
  preview.show();  // zooms to the width, as on first showing
  QCoreApplication::processEvents();
  QImage surface(preview.PaintBox1->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    surface.fill(Qt::darkGray);
    QPainter p(&surface);
    p.setRenderHint(QPainter::Antialiasing, true);
    preview.PaintPage(p);
  }
  state.counters["width_px"] = surface.width();
}
BENCHMARK(BM_PreviewRepaint)->Unit(benchmark::kMillisecond);

void BM_ChartRedraw(benchmark::State& state) {
  TFormVX& w = Window();
  w.ShowDiagram(false, true);  // opens the chart window with the winter processes
  auto* chart = static_cast<TFormMollier*>(w.FormMollier.data());
  chart->SetChartForm(state.range(0) != 0);
  chart->SetZoom(3);  // 100 %
  QCoreApplication::processEvents();
  QImage surface(chart->PaintBox1->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    chart->RedrawChart();
    surface.fill(Qt::white);
    QPainter p(&surface);
    chart->PaintChart(p, QRectF(QPointF(0, 0), QSizeF(surface.size())));
  }
  state.counters["width_px"] = surface.width();
  chart->close();
}
// 0 Mollier diagram, 1 Carrier chart.
BENCHMARK(BM_ChartRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
