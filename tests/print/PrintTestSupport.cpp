#include "PrintTestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UVersion.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"

void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  // The windows the pages are drawn for read and write the settings file; a folder of its own
  // keeps the file of the person running the tests untouched.
  static QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  static int argc = 1;
  static char name[] = "VX-print-test";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  ProductIndex = 4;
  InitResources();
  InitVersionText(QStringLiteral("/opt/vx/VX"));
  // The start picture (the about window) sets these for this product.
  AhriCertified = true;
  TuevCertified = true;
  UseLanguage(2);
}

void UseLanguage(int code) {
  EnsureApplication();
  Language = static_cast<std::uint8_t>(code);
  ApplyLanguageFonts();
}

QSize PaperSizeOf(int paperCode) { return PageSizeFor(paperCode, false); }

void RecordPageOnPaper(TRecordingDevice& device, const TPageProc& page, TFormBasis* owner,
                       int paperCode) {
  device.Clear();
  QPainter p(&device);
  if (page)
    DrawPageOnPaper([&](QPainter& c, bool pdf) { page(owner, c, pdf); }, p, false,
                    PaperSizeOf(paperCode));
}

namespace {

QString Describe(const TRecordedText& t) {
  return QStringLiteral("\"%1\" at (%2, %3)-(%4)")
      .arg(t.Text)
      .arg(t.Left, 0, 'f', 0)
      .arg(t.Top, 0, 'f', 0)
      .arg(t.Right, 0, 'f', 0);
}

}  // namespace

QStringList PageLayoutFaults(const TRecordingDevice& device, int paperCode) {
  const QSize paper = PaperSizeOf(paperCode);
  const QTransform toPaper = DesignPageToPaper(paper);
  const double scale = toPaper.m11();
  const auto& F = PageFrame;
  const double footerRule = toPaper.map(QPointF(0, F.Bottom - 42)).y();
  const double frameLeft = toPaper.map(QPointF(F.Left, 0)).x();
  const double frameRight = toPaper.map(QPointF(F.Right + 30, 0)).x();
  const double footerHairline = toPaper.map(QPointF(F.Left + 300, 0)).x();
  const double margin = 50;  // 5 mm, what printers reach
  const QRectF printable(margin, margin, paper.width() - 2 * margin, paper.height() - 2 * margin);
  const double tol = 1.0;

  QStringList faults;
  // A text turned upright (the recorded box has no width) is left out: its box is not known.
  std::vector<TRecordedText> texts;
  for (const TRecordedText& t : device.Texts)
    if (t.Right - t.Left > 0.5) texts.push_back(t);
  auto box = [&](const TRecordedText& t) {
    return QRectF(QPointF(t.Left, t.Top), QPointF(t.Right, t.Top + t.PixelSize * scale));
  };
  for (const TRecordedText& t : texts) {
    const QRectF b = box(t);
    if (!printable.contains(b)) faults << QStringLiteral("off the paper: ") + Describe(t);
    if (b.left() < frameLeft - tol || b.right() > frameRight + tol)
      faults << QStringLiteral("outside the frame: ") + Describe(t);
    if (b.top() < footerRule - tol && b.bottom() > footerRule + tol)
      faults << QStringLiteral("across the footer rule: ") + Describe(t);
  }
  for (std::size_t i = 0; i < texts.size(); ++i)
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      const QRectF a = box(texts[i]).adjusted(tol, tol, -tol, -tol);
      const QRectF b = box(texts[j]).adjusted(tol, tol, -tol, -tol);
      if (a.intersects(b))
        faults << QStringLiteral("overlap: ") + Describe(texts[i]) + " / " +
                      Describe(texts[j]);
    }
  for (const TRecordedLine& l : device.Lines) {
    const QLineF& L = l.Line;
    if (!printable.contains(L.p1()) || !printable.contains(L.p2()))
      faults << QStringLiteral("rule off the paper at (%1, %2)").arg(L.x1()).arg(L.y1());
    const bool hairline = std::abs(L.y1() - L.y2()) < tol && std::max(L.x1(), L.x2()) <= footerHairline + tol;
    if (std::max(L.y1(), L.y2()) > footerRule + tol && !hairline)
      faults << QStringLiteral("rule below the footer rule at (%1, %2)-(%3, %4)")
                    .arg(L.x1()).arg(L.y1()).arg(L.x2()).arg(L.y2());
  }
  // A text inside a ruled table stays between the vertical rules beside it.
  for (const TRecordedText& t : texts) {
    const QRectF b = box(t);
    const double midY = b.center().y(), midX = b.center().x();
    double left = -1e9, right = 1e9;
    for (const TRecordedLine& l : device.Lines) {
      const QLineF& L = l.Line;
      if (std::abs(L.x1() - L.x2()) > tol) continue;
      if (midY < std::min(L.y1(), L.y2()) || midY > std::max(L.y1(), L.y2())) continue;
      if (L.x1() <= midX) left = std::max(left, L.x1());
      else right = std::min(right, L.x1());
    }
    if (b.left() < left - tol || b.right() > right + tol)
      faults << QStringLiteral("wider than its cell: ") + Describe(t);
  }
  return faults;
}
