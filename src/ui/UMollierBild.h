#pragma once
// The chart as a picture for reports: the chart window's grid and processes with the title, as an
// SVG drawing (lines as paths, texts as text) or a PNG image at a chosen resolution. The picture
// has the chart's 3:4 frame at 0.25 mm per frame unit, 150 x 200 mm.
#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>

class TFormMollier;

enum class TPictureFormat { Svg, Png };

constexpr double kChartPictureWidthMm = 150.0;
constexpr double kChartPictureHeightMm = 200.0;

// Resolutions offered for the PNG image, dots per inch.
constexpr int kPictureDpiMin = 50;
constexpr int kPictureDpiMax = 600;
constexpr int kPictureDpiDefault = 150;

// Pixel size of the PNG image at dpi: the picture's size in inches times dpi, rounded.
QSize ChartPictureSize(int dpi);

// The chart title as it stands in the picture, in the current language.
QString ChartPictureTitle(const TFormMollier& chart);

// The chart as an SVG document (title element = chart title) or as a PNG image of
// ChartPictureSize(dpi) pixels that records dpi as its resolution.
QByteArray ChartSvg(const TFormMollier& chart);
QByteArray ChartPng(const TFormMollier& chart, int dpi);
QByteArray ChartPicture(const TFormMollier& chart, TPictureFormat format, int dpi);

// Writes the picture to path, replacing the file only when the whole picture was written. Returns
// the message naming the file when it cannot be written.
std::optional<QString> SaveChartPicture(const TFormMollier& chart, const QString& path, TPictureFormat format,
                                        int dpi);

// The format a file name asks for by its extension (".svg" or ".png", any case); false for others.
bool PictureFormatOfPath(const QString& path, TPictureFormat& format);
