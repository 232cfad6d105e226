#include "ui/UMollierBild.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

#include "app/URessourcen.h"
#include "ui/FMollier.h"

namespace {

constexpr double kMmPerInch = 25.4;

void PaintPicture(const TFormMollier& chart, QPainter& painter, const QRectF& target) {
    painter.fillRect(target, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    chart.PaintChart(painter, target);
}

}  // namespace

QSize ChartPictureSize(int dpi) {
    return QSize(static_cast<int>(std::lround(kChartPictureWidthMm / kMmPerInch * dpi)),
                 static_cast<int>(std::lround(kChartPictureHeightMm / kMmPerInch * dpi)));
}

QString ChartPictureTitle(const TFormMollier& chart) {
    QString title;
    for (const TTextPart& p : ChartTitle(chart.CarrierChart, chart.SI, chart.Pressure))
        title += p.textNumber != 0 ? LoadText(p.textNumber) : QString::fromStdString(p.literal);
    return title;
}

QByteArray ChartSvg(const TFormMollier& chart) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // The drawing is made in frame units (the view box); the document is 150 x 200 mm: its size
    // in tenths of a millimetre at 254 dots per inch.
    const QRect frame(0, 0, kChartFrameWidth, kChartFrameHeight);
    svg.setViewBox(frame);
    svg.setSize(
        QSize(static_cast<int>(kChartPictureWidthMm * 10), static_cast<int>(kChartPictureHeightMm * 10)));
    svg.setResolution(254);
    svg.setTitle(ChartPictureTitle(chart));
    QPainter painter(&svg);
    PaintPicture(chart, painter, frame);
    painter.end();
    return data;
}

QByteArray ChartPng(const TFormMollier& chart, int dpi) {
    QImage image(ChartPictureSize(dpi), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / kMmPerInch * 1000.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        PaintPicture(chart, painter, QRectF(image.rect()));
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

QByteArray ChartPicture(const TFormMollier& chart, TPictureFormat format, int dpi) {
    return format == TPictureFormat::Svg ? ChartSvg(chart) : ChartPng(chart, dpi);
}

std::optional<QString> SaveChartPicture(const TFormMollier& chart, const QString& path, TPictureFormat format,
                                        int dpi) {
    const QByteArray data = ChartPicture(chart, format, dpi);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return std::nullopt;
    return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
}

bool PictureFormatOfPath(const QString& path, TPictureFormat& format) {
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        format = TPictureFormat::Svg;
        return true;
    }
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        format = TPictureFormat::Png;
        return true;
    }
    return false;
}
