#include "print/UTools.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QSvgRenderer>
#include <algorithm>

int TPageSettings::PaperSize = 4;
bool TPageSettings::Landscape = false;

void TextOut(QPainter& canvas, int x, int y, const QString& text, TTextAlign align) {
  if (text.isEmpty()) return;
  const QFontMetricsF fm(canvas.font());
  double left = x;
  if (align != TTextAlign::Left) {
    const double width = fm.horizontalAdvance(text);
    left = align == TTextAlign::Right ? x - width : x - width / 2.0;
  }
  canvas.drawText(QPointF(left, y + fm.ascent()), text);
}

void TextOutClipped(QPainter& canvas, const QRect& clip, int x, int y, const QString& text) {
  if (text.isEmpty()) return;
  canvas.save();
  canvas.setClipRect(clip, Qt::IntersectClip);
  TextOut(canvas, x, y, text);
  canvas.restore();
}

QStringList WrapText(const QPainter& canvas, const QString& text, double width) {
  const QFontMetricsF fm(canvas.font());
  QStringList lines;
  QString rest = text.trimmed();
  while (!rest.isEmpty()) {
    if (fm.horizontalAdvance(rest) <= width) {
      lines << rest;
      break;
    }
    // The longest head that fits, broken at a blank if there is one.
    int fit = 1;
    while (fit < rest.size() && fm.horizontalAdvance(rest.left(fit + 1)) <= width) ++fit;
    const int blank = rest.left(fit + 1).lastIndexOf(QLatin1Char(' '));
    const int cut = blank > 0 ? blank : fit;
    lines << rest.left(cut).trimmed();
    rest = rest.mid(cut).trimmed();
  }
  return lines;
}

namespace {

// True when a line ends and the next begins inside a word of a script that separates its words by
// blanks (a break between two Chinese characters is an ordinary line break).
bool BreaksAWord(const QStringList& lines) {
  const auto wordLetter = [](QChar c) {
    return c.isLetterOrNumber() && c.script() != QChar::Script_Han &&
           c.script() != QChar::Script_Hiragana && c.script() != QChar::Script_Katakana;
  };
  for (int i = 0; i + 1 < lines.size(); ++i)
    if (!lines[i].isEmpty() && !lines[i + 1].isEmpty() && wordLetter(lines[i].back()) &&
        wordLetter(lines[i + 1].front()))
      return true;
  return false;
}

}  // namespace

int TextOutFitted(QPainter& canvas, int x, int y, int width, const QString& text,
                  TTextAlign align, int maxLines, int lineHeight) {
  if (text.isEmpty()) return 0;
  const QFont original = canvas.font();
  const int size = original.pixelSize();
  // The largest font whose lines fit without breaking a word; else the largest that fits at all
  // (a word broken between characters); else the smallest, wrapped regardless.
  const auto fits = [&](int h, bool wholeWords) {
    SetFontHeight(canvas, h);
    const QStringList wrapped = WrapText(canvas, text, width);
    return wrapped.size() <= std::max(1, maxLines) && (!wholeWords || !BreaksAWord(wrapped));
  };
  const int smallest = size * 6 / 10;
  int h = size;
  while (h > smallest && !fits(h, true)) --h;
  if (!fits(h, true)) {
    h = size;
    while (h > smallest && !fits(h, false)) --h;
  }
  SetFontHeight(canvas, h);
  const QStringList lines = WrapText(canvas, text, width);
  for (int i = 0; i < lines.size(); ++i) TextOut(canvas, x, y + i * lineHeight, lines[i], align);
  canvas.setFont(original);
  return static_cast<int>(lines.size());
}

void SetFontHeight(QPainter& canvas, int h) {
  QFont f = canvas.font();
  f.setPixelSize(h > 0 ? h : 1);
  canvas.setFont(f);
}

void SetFontBold(QPainter& canvas, bool bold) {
  QFont f = canvas.font();
  f.setBold(bold);
  canvas.setFont(f);
}

void SetFontItalic(QPainter& canvas, bool italic) {
  QFont f = canvas.font();
  f.setItalic(italic);
  canvas.setFont(f);
}

void SetPen(QPainter& canvas, int width, Qt::PenStyle style) {
  QPen pen(Qt::black);
  pen.setCapStyle(Qt::FlatCap);
  if (style == Qt::SolidLine || style == Qt::NoPen) {
    pen.setStyle(style);
    pen.setWidth(width);
    pen.setCosmetic(width == 0);
  } else {
    // A dash pattern counts in pen widths, and a hairline is one device pixel
    // wide: on a printer or in a PDF its dots would be too fine to see. A
    // broken rule is therefore at least 0.2 mm wide, so its pattern is
    // measured on the page and looks the same on every device.
    pen.setStyle(style);
    pen.setWidth(std::max(width, kBrokenRuleWidth));
    pen.setCosmetic(false);
  }
  canvas.setPen(pen);
}

void HLine(QPainter& canvas, int x1, int x2, int y) { canvas.drawLine(x1, y, x2, y); }

void VLine(QPainter& canvas, int x, int y1, int y2) { canvas.drawLine(x, y1, x, y2); }

void DrawResourcePicture(QPainter& canvas, const QRectF& rect, int resourceId) {
  const QString base = QStringLiteral(":/img/%1").arg(resourceId);
  if (auto* sink = dynamic_cast<TPictureSink*>(canvas.device()))
    sink->PictureDrawn(resourceId, canvas.combinedTransform().mapRect(rect));
  if (QFile::exists(base + ".svg")) {
    QSvgRenderer renderer(base + ".svg");
    if (!renderer.isValid()) return;
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    canvas.save();
    renderer.render(&canvas, rect);
    canvas.restore();
    return;
  }
  for (const char* ext : {".jpg", ".png", ".bmp"}) {
    if (!QFile::exists(base + ext)) continue;
    const QImage image(base + ext);
    if (!image.isNull()) canvas.drawImage(rect, image);
    return;
  }
}

QSize PageSizeFor(int paperCode, bool landscape) {
  const QSize portrait = paperCode == PaperA3       ? QSize(2970, 4200)
                         : paperCode == PaperLetter ? QSize(2159, 2794)
                                                    : QSize(2100, 2970);
  return landscape ? portrait.transposed() : portrait;
}

int DefaultPaperFor(bool si) { return si ? PaperA4 : PaperLetter; }

int PaperFromSetting(const QString& setting, bool si) {
  if (setting.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0) return PaperA4;
  if (setting.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0) return PaperLetter;
  return DefaultPaperFor(si);
}

QString PaperSetting(int paperCode) {
  return paperCode == PaperLetter ? QStringLiteral("Letter") : QStringLiteral("A4");
}

TWMFCanvas::TWMFCanvas(TMetafile& metafile) : metafile_(metafile) {
  metafile_.Picture = QPicture();
  metafile_.Picture.setBoundingRect(QRect(QPoint(0, 0), metafile_.Size));
  painter_.begin(&metafile_.Picture);
}

TWMFCanvas::~TWMFCanvas() {
  painter_.end();
  // Keep the page extent as the picture's bounds rather than what was drawn.
  metafile_.Picture.setBoundingRect(QRect(QPoint(0, 0), metafile_.Size));
}

void TWMFCanvas::LineTo(QPoint p) {
  painter_.drawLine(pos_, p);
  pos_ = p;
}

void TWMFCanvas::Ellipse(QPoint p1, QPoint p2) { painter_.drawEllipse(QRect(p1, p2).normalized()); }
