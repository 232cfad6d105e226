#pragma once
// A paint device that records what a page draws, in logical coordinates, so
// tests can assert texts, rules and pictures by position. One device unit is
// 0.1 mm (254 dots per inch), which is also the page's logical unit.

#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "print/UTools.h"

struct TRecordedText {
  QString Text;
  double Left = 0, Top = 0, Right = 0;
  int PixelSize = 0;
  bool Bold = false, Italic = false;
  std::optional<QRectF> Clip;  // clip bounding rectangle while drawn
  QString Family;
};

struct TRecordedLine {
  QLineF Line;
  double Width = 0;  // 0 for a hairline
  Qt::PenStyle Style = Qt::SolidLine;
};

struct TRecordedPicture {
  int Id = 0;
  QRectF Rect;
};

class TRecordingDevice : public QPaintDevice, public TPictureSink {
public:
  explicit TRecordingDevice(QSize size = QSize(4200, 4200));
  ~TRecordingDevice() override;

  QPaintEngine* paintEngine() const override;
  void PictureDrawn(int resourceId, const QRectF& deviceRect) override;

  std::vector<TRecordedText> Texts;
  std::vector<TRecordedLine> Lines;
  std::vector<TRecordedPicture> Pictures;
  std::vector<QRectF> Rects;  // rectangles, ellipses, paths, images: bounds

  // Queries used by the tests.
  const TRecordedText* FindText(const QString& text) const;
  std::vector<const TRecordedText*> TextsAtTop(double top, double tol = 1.0) const;
  // The text whose top edge is at y and whose left (or right, centre) is at x.
  const TRecordedText* TextAt(double x, double y, TTextAlign align = TTextAlign::Left,
                              double tol = 1.5) const;
  // A horizontal line at y from x1 to x2 (either direction).
  const TRecordedLine* HRule(double x1, double x2, double y, double tol = 0.5) const;
  const TRecordedLine* VRule(double x, double y1, double y2, double tol = 0.5) const;
  void Clear();

protected:
  int metric(PaintDeviceMetric metric) const override;

private:
  QSize size_;
  std::unique_ptr<QPaintEngine> engine_;
};
