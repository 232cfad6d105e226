#include "TRecordingDevice.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextItem>
#include <cmath>

namespace {

class TRecordingEngine : public QPaintEngine {
public:
  explicit TRecordingEngine(TRecordingDevice& device)
      : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  Type type() const override { return QPaintEngine::User; }

  void drawTextItem(const QPointF& p, const QTextItem& ti) override {
    const QTransform t = painter()->combinedTransform();
    const QPointF base = t.map(p);
    TRecordedText r;
    r.Text = ti.text();
    r.Left = base.x();
    r.Top = base.y() - ti.ascent() * t.m22();
    r.Right = base.x() + ti.width() * t.m11();
    const QFont f = painter()->font();
    r.PixelSize = f.pixelSize();
    r.Bold = f.bold();
    r.Italic = f.italic();
    r.Family = f.family();
    if (painter()->hasClipping()) r.Clip = t.mapRect(painter()->clipBoundingRect());
    device_.Texts.push_back(r);
  }

  void drawLines(const QLineF* lines, int count) override {
    const QTransform t = painter()->combinedTransform();
    const QPen pen = painter()->pen();
    for (int i = 0; i < count; ++i)
      device_.Lines.push_back({t.map(lines[i]), pen.isCosmetic() ? 0.0 : pen.widthF(), pen.style()});
  }
  void drawLines(const QLine* lines, int count) override {
    for (int i = 0; i < count; ++i) {
      const QLineF l(lines[i]);
      drawLines(&l, 1);
    }
  }
  void drawRects(const QRectF* rects, int count) override {
    for (int i = 0; i < count; ++i) Bounds(rects[i]);
  }
  void drawRects(const QRect* rects, int count) override {
    for (int i = 0; i < count; ++i) Bounds(QRectF(rects[i]));
  }
  void drawEllipse(const QRectF& r) override { Bounds(r); }
  // A path of one straight segment (how a replayed picture draws its lines)
  // is recorded as a line.
  void drawPath(const QPainterPath& path) override {
    if (path.elementCount() == 2 && path.elementAt(0).isMoveTo() && path.elementAt(1).isLineTo()) {
      const QLineF l(QPointF(path.elementAt(0)), QPointF(path.elementAt(1)));
      drawLines(&l, 1);
      return;
    }
    Bounds(path.boundingRect());
  }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    if (mode == PolylineMode) {  // open polylines are recorded segment by segment
      for (int i = 0; i + 1 < count; ++i) {
        const QLineF l(points[i], points[i + 1]);
        drawLines(&l, 1);
      }
      return;
    }
    QPolygonF poly;
    for (int i = 0; i < count; ++i) poly << points[i];
    Bounds(poly.boundingRect());
  }
  void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { Bounds(r); }
  void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    Bounds(r);
  }

private:
  void Bounds(const QRectF& r) { device_.Rects.push_back(painter()->combinedTransform().mapRect(r)); }
  TRecordingDevice& device_;
};

}  // namespace

TRecordingDevice::TRecordingDevice(QSize size)
    : size_(size), engine_(std::make_unique<TRecordingEngine>(*this)) {}

TRecordingDevice::~TRecordingDevice() = default;

QPaintEngine* TRecordingDevice::paintEngine() const { return engine_.get(); }

void TRecordingDevice::PictureDrawn(int resourceId, const QRectF& deviceRect) {
  Pictures.push_back({resourceId, deviceRect});
}

int TRecordingDevice::metric(PaintDeviceMetric m) const {
  switch (m) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return size_.width() / 10;
    case PdmHeightMM: return size_.height() / 10;
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 254;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
  }
  return 0;
}

const TRecordedText* TRecordingDevice::FindText(const QString& text) const {
  for (const auto& t : Texts)
    if (t.Text == text) return &t;
  return nullptr;
}

std::vector<const TRecordedText*> TRecordingDevice::TextsAtTop(double top, double tol) const {
  std::vector<const TRecordedText*> out;
  for (const auto& t : Texts)
    if (std::abs(t.Top - top) <= tol) out.push_back(&t);
  return out;
}

const TRecordedText* TRecordingDevice::TextAt(double x, double y, TTextAlign align,
                                              double tol) const {
  for (const auto& t : Texts) {
    if (std::abs(t.Top - y) > tol) continue;
    const double at = align == TTextAlign::Left    ? t.Left
                      : align == TTextAlign::Right ? t.Right
                                                   : (t.Left + t.Right) / 2.0;
    if (std::abs(at - x) <= tol) return &t;
  }
  return nullptr;
}

const TRecordedLine* TRecordingDevice::HRule(double x1, double x2, double y, double tol) const {
  for (const auto& l : Lines) {
    const QLineF& L = l.Line;
    if (std::abs(L.y1() - y) > tol || std::abs(L.y2() - y) > tol) continue;
    const bool same = std::abs(L.x1() - x1) <= tol && std::abs(L.x2() - x2) <= tol;
    const bool swapped = std::abs(L.x1() - x2) <= tol && std::abs(L.x2() - x1) <= tol;
    if (same || swapped) return &l;
  }
  return nullptr;
}

const TRecordedLine* TRecordingDevice::VRule(double x, double y1, double y2, double tol) const {
  for (const auto& l : Lines) {
    const QLineF& L = l.Line;
    if (std::abs(L.x1() - x) > tol || std::abs(L.x2() - x) > tol) continue;
    const bool same = std::abs(L.y1() - y1) <= tol && std::abs(L.y2() - y2) <= tol;
    const bool swapped = std::abs(L.y1() - y2) <= tol && std::abs(L.y2() - y1) <= tol;
    if (same || swapped) return &l;
  }
  return nullptr;
}

void TRecordingDevice::Clear() {
  Texts.clear();
  Lines.clear();
  Pictures.clear();
  Rects.clear();
}
