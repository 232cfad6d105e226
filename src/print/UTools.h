#pragma once
// Drawing helpers of the printed pages and the two canvas classes.
//
// Pages draw in logical units of 0.1 mm. A font height h is the character
// height and is applied as a pixel size in logical units; texts are placed by
// their top edge and a horizontal alignment, like every page of the program
// expects.

#include <QFont>
#include <QPainter>
#include <QPicture>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

enum class TTextAlign { Left, Right, Center };

// Draws text with its top edge at y; x is the left edge, the right edge or the
// centre depending on align.
void TextOut(QPainter& canvas, int x, int y, const QString& text,
             TTextAlign align = TTextAlign::Left);
// Same as TextOut but clipped to clip (left-aligned at x).
void TextOutClipped(QPainter& canvas, const QRect& clip, int x, int y, const QString& text);

// Splits text into lines no wider than width in the canvas font: at blanks
// where possible, else between characters (scripts without blanks). A line
// never comes out empty, so a single character wider than width stands alone.
QStringList WrapText(const QPainter& canvas, const QString& text, double width);
// Draws a heading into a box width wide whose top is y and whose left,
// right or centre edge is x: on one line when it fits, else wrapped onto up
// to maxLines lines lineHeight apart, else in the largest smaller font that
// fits (at most 40 % smaller, then wrapped regardless). Never cut. The canvas
// font is left as it was. Returns the number of lines drawn.
int TextOutFitted(QPainter& canvas, int x, int y, int width, const QString& text,
                  TTextAlign align = TTextAlign::Left, int maxLines = 1, int lineHeight = 0);

// Character height h in logical units (the positive value of the height -h).
void SetFontHeight(QPainter& canvas, int h);
void SetFontBold(QPainter& canvas, bool bold);
void SetFontItalic(QPainter& canvas, bool italic);
// Pen of the given width in logical units; width 0 is a hairline. A broken
// (dotted, dashed) pen is at least kBrokenRuleWidth wide, so that its pattern
// is measured in page units on every device.
inline constexpr int kBrokenRuleWidth = 2;
void SetPen(QPainter& canvas, int width, Qt::PenStyle style = Qt::SolidLine);
// Rule from (x1, y) to (x2, y) with the current pen.
void HLine(QPainter& canvas, int x1, int x2, int y);
void VLine(QPainter& canvas, int x, int y1, int y2);

// Draws picture resource id (":/img/<id>.svg", else .jpg/.png) stretched into
// rect. A missing resource draws nothing.
void DrawResourcePicture(QPainter& canvas, const QRectF& rect, int resourceId);

// A paint device that also wants to know which pictures were drawn where
// implements this; DrawResourcePicture reports each picture in device
// coordinates before drawing it.
class TPictureSink {
public:
  virtual ~TPictureSink() = default;
  virtual void PictureDrawn(int resourceId, const QRectF& deviceRect) = 0;
};

// Paper codes of the page settings.
inline constexpr int PaperLetter = 1;  // US Letter, 8.5 x 11 in
inline constexpr int PaperA3 = 3;
inline constexpr int PaperA4 = 4;

// Page sizes in 0.1 mm from the paper code and orientation; an unknown code is A4.
QSize PageSizeFor(int paperCode, bool landscape);

// The paper a unit system prints on when the user has not chosen one: A4 for
// SI, US Letter for UK/US.
int DefaultPaperFor(bool si);
// The paper code of a stored choice ("A4" or "Letter"); anything else
// follows the unit system.
int PaperFromSetting(const QString& setting, bool si);
// "A4" or "Letter"; the setting of a paper code.
QString PaperSetting(int paperCode);

// The program-wide page settings: the paper follows the user's choice (or
// the unit system), pages are portrait.
struct TPageSettings {
  static int PaperSize;
  static bool Landscape;
  static QSize Size() { return PageSizeFor(PaperSize, Landscape); }
};

// A recorded page: a picture in logical units and its extent.
struct TMetafile {
  QPicture Picture{};
  QSize Size{};
};

// A plain canvas attached to an existing painter.
class TQvCanvas {
public:
  explicit TQvCanvas(QPainter& painter) : painter_(painter) {}
  QPainter& Painter() { return painter_; }
  void TextOut(int x, int y, const QString& text) { ::TextOut(painter_, x, y, text); }

private:
  QPainter& painter_;
};

// A canvas recording into a metafile, with point-based drawing. Recording
// ends when the canvas is destroyed. No call scales coordinates.
class TWMFCanvas {
public:
  explicit TWMFCanvas(TMetafile& metafile);
  ~TWMFCanvas();
  TWMFCanvas(const TWMFCanvas&) = delete;
  TWMFCanvas& operator=(const TWMFCanvas&) = delete;

  QPainter& Painter() { return painter_; }
  void MoveTo(QPoint p) { pos_ = p; }
  void LineTo(QPoint p);
  void TextOut(QPoint p, const QString& text) { ::TextOut(painter_, p.x(), p.y(), text); }
  // Ellipse in the bounding box with the corners p1 and p2.
  void Ellipse(QPoint p1, QPoint p2);

private:
  TMetafile& metafile_;
  QPainter painter_;
  QPoint pos_;
};

inline QPoint OffsetPoint(QPoint p, int dx, int dy) { return {p.x() + dx, p.y() + dy}; }
