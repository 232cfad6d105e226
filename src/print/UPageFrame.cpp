#include "print/UPageFrame.h"

#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "app/UGlobal.h"
#include "app/UHersteller.h"
#include "app/URessourcen.h"
#include "print/UTools.h"

int FontHeight = 34;
int LineHeight = 42;
int HalfLine = 21;

namespace {

// Maker's logo: the one loaded at start when there is one, else the resource.
void DrawLogo(QPainter& canvas, const QRectF& rect) {
  if (LogoMetafile && LogoMetafile->isValid()) {
    if (auto* sink = dynamic_cast<TPictureSink*>(canvas.device()))
      sink->PictureDrawn(101, canvas.combinedTransform().mapRect(rect));
    canvas.save();
    LogoMetafile->setAspectRatioMode(Qt::IgnoreAspectRatio);
    LogoMetafile->render(&canvas, rect);
    canvas.restore();
  } else {
    DrawResourcePicture(canvas, rect, 101);
  }
}

QString Cell(const QStringList& lines, int i) { return i < lines.size() ? lines[i] : QString(); }

// The notes on their three rows: each note from a new row, wrapped at the
// row's right edge, which keeps clear of keepClear.
void DrawNotes(QPainter& canvas, const QStringList& notes, const QRect& keepClear) {
  const auto& F = PageFrame;
  const int left = F.Left + 250;
  const QRect clip(QPoint(left, F.Top + 12 * LineHeight),
                   QPoint(F.Right - 1, F.Top + 15 * LineHeight - 1));
  int row = 0;
  for (const QString& note : notes) {
    QString rest = note.trimmed();
    do {
      if (row >= 3) return;
      const int y = F.Top + (12 + row) * LineHeight;
      const QRect band(QPoint(left, y), QPoint(F.Right, y + LineHeight - 1));
      const int right = keepClear.isValid() && band.intersects(keepClear)
                            ? std::min(F.Right, keepClear.left() - LineHeight / 2)
                            : F.Right;
      const QStringList lines = WrapText(canvas, rest, right - left);
      const QString head = lines.value(0);
      TextOutClipped(canvas, clip, left, y, head);
      rest = rest.mid(rest.indexOf(head) + head.size()).trimmed();
      ++row;
    } while (!rest.isEmpty());
  }
}

}  // namespace

QTransform DesignPageToPaper(QSize paper) {
  const double s = std::min({1.0, paper.width() / double(DesignPageWidth),
                             paper.height() / double(DesignPageHeight)});
  if (s >= 1.0) return QTransform();
  const double dx = (paper.width() - s * DesignPageWidth) / 2;
  const double dy = (paper.height() - s * DesignPageHeight) / 2;
  return QTransform(s, 0, 0, s, dx, dy);
}

void DrawPageOnPaper(const std::function<void(QPainter&, bool)>& page, QPainter& canvas,
                     bool forPdf, QSize paper) {
  if (!page) return;
  canvas.save();
  canvas.setWorldTransform(DesignPageToPaper(paper), true);
  page(canvas, forPdf);
  canvas.restore();
}

void AssignPageFont(QPainter& canvas, int h) {
  QFont f = ChartFont;
  f.setPixelSize(h);
  f.setBold(false);
  f.setItalic(false);
  canvas.setFont(f);
}

void DrawAddressBlock(QPainter& canvas, int distributorCode) {
  // Only the maker's own block exists in this program; the codes of sales
  // representatives have no address data and draw nothing.
  if (distributorCode != 0) return;
  const auto& F = PageFrame;
  const int row6 = F.Top + 6 * LineHeight;
  DrawLogo(canvas, QRectF(QPointF(F.Left + 35, F.Top + 6 * LineHeight - 15 + HalfLine),
                          QPointF(F.Left + 50 + 3 * LineHeight + 15,
                                  F.Top + 9 * LineHeight + 15 + HalfLine)));
  SetFontHeight(canvas, FontHeight);
  SetFontBold(canvas, true);
  TextOut(canvas, F.Left + 250, row6, QString::fromUtf8(Maker::Company));
  SetFontBold(canvas, false);
  TextOut(canvas, F.Left + 250, row6 + LineHeight, QString::fromUtf8(Maker::Street));
  TextOut(canvas, F.Left + 250, row6 + 2 * LineHeight, QString::fromUtf8(Maker::PostCodeTown));
  TextOut(canvas, F.Left + 250, row6 + 3 * LineHeight, QString::fromUtf8(Maker::Country));

  const char* labels[] = {"Tel.:", "Fax:", "E-Mail:", "Internet:"};
  const char* values[] = {Maker::Phone, Maker::Fax, Maker::Email, Maker::WebHost};
  for (int i = 0; i < 4; ++i) {
    TextOut(canvas, F.Right - 600, row6 + i * LineHeight, QString::fromLatin1(labels[i]));
    TextOut(canvas, F.Right - 470, row6 + i * LineHeight, QString::fromUtf8(values[i]));
  }
}

void DrawPageFrame(const QStringList& headerLines, QPainter& canvas, bool printHeaderLines,
                   bool withNotes, const QStringList* notes, const QRect& notesKeepClear) {
  const auto& F = PageFrame;
  // 1. Background, font, metrics, hairline.
  canvas.setBackground(Qt::white);
  canvas.setBackgroundMode(Qt::TransparentMode);
  FontHeight = 34;
  LineHeight = 42;
  HalfLine = LineHeight / 2;
  AssignPageFont(canvas, FontHeight);
  SetPen(canvas, 0);

  // 2. Footer, left: version under a 30 mm hairline, in the small font.
  const int small = static_cast<int>(std::nearbyint(FontHeight / 1.2));
  SetFontHeight(canvas, small);
  const int footerY = F.Bottom + 100 - 2 * LineHeight;
  const int y1 = footerY - LineHeight / 3;
  HLine(canvas, F.Left, F.Left + 300, y1);
  TextOut(canvas, F.Left, footerY, QStringLiteral("Version ") + VersionTextShort);

  // 3. Footer, right: the maker's footer line, for the representatives'
  // blocks that carry no own footer.
  if (DistributorCode != 0 && DistributorCode != 4 && DistributorCode != 5 &&
      DistributorCode != 10 && DistributorCode != 15) {
    HLine(canvas, F.Right + 30, F.Right - 900, y1);
    TextOut(canvas, F.Right + 30, footerY,
            QStringLiteral("%1 . %2 . %3")
                .arg(QString::fromUtf8(Maker::Company), QStringLiteral("Kassel"),
                     QString::fromUtf8(Maker::WebHost)),
            TTextAlign::Right);
  }

  // 4. The rule under the header area; all frame rules are 0.3 mm.
  SetFontHeight(canvas, FontHeight);
  SetPen(canvas, 3);
  const int ruleTitle = F.Top + 3 * LineHeight + HalfLine;
  HLine(canvas, F.Left, printHeaderLines ? F.Right : F.Right + 30, ruleTitle);

  // 5. Address block (title size, centred; the block sets its own).
  SetFontHeight(canvas, static_cast<int>(std::nearbyint(FontHeight * 1.2)));
  DrawAddressBlock(canvas);

  // 6. Rule between title band and address band.
  HLine(canvas, F.Left, F.Right, F.Top + 5 * LineHeight + HalfLine);

  // 7. Header lines: four columns of two rows, each cell clipped to its column.
  if (printHeaderLines) {
    canvas.setBrush(Qt::NoBrush);
    SetFontBold(canvas, false);
    SetFontHeight(canvas, FontHeight);
    HLine(canvas, F.Left, F.Right + 30, F.Top + HalfLine);
    const int cols[4][2] = {{F.Left, F.Left + 230},
                            {F.Left + 250, F.Right - 490},
                            {F.Right - 470, F.Right - 320},
                            {F.Right - 300, F.Right}};
    const int cells[2][4] = {{2, 3, 0, 1}, {4, 5, 6, 7}};
    for (int row = 0; row < 2; ++row) {
      const int y = F.Top + (1 + row) * LineHeight;
      for (int c = 0; c < 4; ++c) {
        const QRect clip(QPoint(cols[c][0], y), QPoint(cols[c][1] - 1, y + LineHeight - 1));
        TextOutClipped(canvas, clip, cols[c][0], y, Cell(headerLines, cells[row][c]));
      }
    }
    AssignPageFont(canvas, FontHeight);
  }

  // 8. Rule above the page body.
  SetFontBold(canvas, false);
  HLine(canvas, F.Left, F.Right, F.Top + 10 * LineHeight + HalfLine);

  // 9. Notes block: label and at most three lines.
  if (withNotes) {
    canvas.setBrush(Qt::NoBrush);
    AssignPageFont(canvas, FontHeight);
    TextOut(canvas, F.Left, F.Top + 11 * LineHeight, LoadText(135) + QStringLiteral(":"));
    if (notes) DrawNotes(canvas, *notes, notesKeepClear);
    HLine(canvas, F.Left, F.Right, F.Top + 15 * LineHeight + HalfLine);
    AssignPageFont(canvas, FontHeight);
  }

  // 10. Rule above the footer.
  HLine(canvas, F.Left, F.Right + 30, F.Bottom - LineHeight);

  // 11. The right-hand vertical rule.
  const int k = printHeaderLines ? 0 : 3;
  VLine(canvas, F.Right + 30, F.Top + k * LineHeight + 30 + HalfLine, F.Bottom - LineHeight - 30);
  AssignPageFont(canvas, FontHeight);
}


void DrawPageHeader(const QStringList& headerLines, QPainter& canvas, bool printHeaderLines,
                    bool withNotes, const QStringList* notes, const QRect& notesKeepClear) {
  DrawPageFrame(headerLines, canvas, printHeaderLines, withNotes, notes, notesKeepClear);
  const auto& F = PageFrame;
  SetFontBold(canvas, true);
  SetFontHeight(canvas, static_cast<int>(std::nearbyint(FontHeight * 1.2)));
  TextOut(canvas, (F.Left + F.Right) / 2, F.Top + 4 * LineHeight,
          QStringLiteral("Tarvometrix ") + LoadText(66), TTextAlign::Center);
  SetFontBold(canvas, false);
  SetFontHeight(canvas, FontHeight);
}


