#include "print/UBeschreibung.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "calc/UDaten.h"
#include "calc/UGroessen.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"
#include "series/UVXSerie.h"

namespace {

// Depth E of the plate package in mm, a catalogue figure of the description page; the other
// dimensions come from the device size table.
int PackageDepth(int sizeCode) { return sizeCode == 366 ? 194 : 246; }

int TextWidth(const QPainter& canvas, const QString& text)
{
    return static_cast<int>(std::lround(QFontMetricsF(canvas.font()).horizontalAdvance(text)));
}

// One row of a size table: the type name and the dimensions A (length), B (height), D (face
// height) and E (depth), all in mm.
struct TSizeRow {
    QString Type;
    int A = 0, B = 0, D = 0, E = 0;
};

std::vector<TSizeRow> SizeRows(int series, bool kombi)
{
    std::vector<TSizeRow> rows;
    for (int size : SeriesSizes(series)) {
        if (IsKombi(size) != kombi) continue;
        TSizeRow row;
        row.Type = QString::fromStdString(TypeEntryText(series, size));
        if (!DeviceDimensions(size, row.A, row.B, row.D)) continue;
        row.E = PackageDepth(size);
        rows.push_back(row);
    }
    return rows;
}

// Draws a size table with its top-left corner at (x, top): a header row and one row per size at
// the line pitch, the type column typeWidth wide, the four dimension columns W wide, ruled.
void DrawSizeTable(QPainter& canvas, int x, int top, int typeWidth, int W,
                   const std::vector<TSizeRow>& rows)
{
    const int textOffset = (LineHeight - FontHeight) / 2;
    const int centres[5] = {x + typeWidth / 2, x + typeWidth + W / 2, x + typeWidth + W + W / 2,
                            x + typeWidth + 2 * W + W / 2, x + typeWidth + 3 * W + W / 2};
    const QString headers[5] = {LoadText(136), QStringLiteral("A [mm]"), QStringLiteral("B [mm]"),
                                QStringLiteral("D [mm]"), QStringLiteral("E [mm]")};
    SetFontBold(canvas, true);
    for (int k = 0; k < 5; ++k)
        TextOut(canvas, centres[k], top + textOffset, headers[k], TTextAlign::Center);
    SetFontBold(canvas, false);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int y = top + static_cast<int>(i + 1) * LineHeight + textOffset;
        const TSizeRow& r = rows[i];
        TextOut(canvas, centres[0], y, r.Type, TTextAlign::Center);
        const int values[4] = {r.A, r.B, r.D, r.E};
        for (int k = 0; k < 4; ++k)
            TextOut(canvas, centres[k + 1], y, QString::number(values[k]), TTextAlign::Center);
    }
    SetPen(canvas, 3);
    const int bottom = top + static_cast<int>(rows.size() + 1) * LineHeight;
    const int right = x + typeWidth + 4 * W;
    for (std::size_t k = 0; k <= rows.size() + 1; ++k)
        HLine(canvas, x, right, top + static_cast<int>(k) * LineHeight);
    VLine(canvas, x, top, bottom);
    for (int j = 0; j < 5; ++j) VLine(canvas, x + typeWidth + j * W, top, bottom);
}

// Width of the type column: the header and every type name with a margin on both sides.
int TypeColumnWidth(QPainter& canvas, const std::vector<TSizeRow>& rows, int margin)
{
    SetFontBold(canvas, true);
    int width = TextWidth(canvas, LoadText(136));
    SetFontBold(canvas, false);
    for (const TSizeRow& r : rows) width = std::max(width, TextWidth(canvas, r.Type));
    return width + 2 * margin;
}

// What the page shows of a series: the type-key prefix, the size of the type-key example and the
// size table. Codes other than 2 and 3 show as VX.
struct TSeriesPage {
    QString Prefix;
    QString ExampleSize;
    int Series;
};

TSeriesPage SeriesPage(int series)
{
    if (series == 2) return {QStringLiteral("VX-K "), QStringLiteral("30"), SeriesVXK};
    if (series == 3) return {QStringLiteral("VX-E "), QStringLiteral("366"), SeriesVXE};
    return {QStringLiteral("VX "), QStringLiteral("30"), SeriesVX};
}

void DrawTypeKeyExample(QPainter& canvas, int line, const TSeriesPage& page, int& x1)
{
    const int left = PageFrame.Left;
    const int top = PageFrame.Top;
    const QString& prefix = page.Prefix;
    const QString& size = page.ExampleSize;
    if (line == 30) {
        const QString example = prefix + size + QStringLiteral(" / 350");
        TextOut(canvas, left + 50, top + 44 * LineHeight, example);
        x1 = TextWidth(canvas, example) + 100;
        return;
    }
    if ((line != 32 && line != 34) || x1 < 0) return;
    int x2 = 0;
    if (line == 32) {
        TextOut(canvas, left + x1, top + 46 * LineHeight,
                LoadText(92) + QStringLiteral(" (C = 350 mm)"));
        x2 = TextWidth(canvas, prefix + size + QStringLiteral(" / ")) + 50 +
             TextWidth(canvas, QStringLiteral("350")) / 2;
    } else {
        TextOut(canvas, left + x1, top + 48 * LineHeight,
                LoadText(180) + QStringLiteral(" (") + prefix + size + QStringLiteral(")"));
        x2 = TextWidth(canvas, prefix) + 50 + TextWidth(canvas, size) / 2;
    }
    // Leader from the caption back to the part of the example it explains.
    SetPen(canvas, 3);
    const int y = top + (line + 14) * LineHeight + static_cast<int>(std::lround(LineHeight / 2.0));
    HLine(canvas, left + x1 - 10, left + x2, y);
    VLine(canvas, left + x2, y, top + 45 * LineHeight);
}

}  // namespace

int DescriptionTextId(int series, int language)
{
    const bool own = language == 1 || language == 3 || language == 6 || language == 7 ||
                     language == 8 || language == 9;
    return 4300 + (own ? language : 2) + (series == 2 ? 10 : series == 3 ? 20 : 0);
}

QStringList DescriptionLines(int series, int language)
{
    QStringList lines = LoadTextLines(DescriptionTextId(series, language));
    if (lines.isEmpty()) lines = LoadTextLines(DescriptionTextId(series, 2));
    return lines;
}

void DrawDescriptionPage(QPainter& canvas, int series, const QStringList& headerLines)
{
    DrawDescriptionPage(canvas, series, headerLines,
                        DescriptionLines(series == 2 || series == 3 ? series : 1, Language));
}

void DrawDescriptionPage(QPainter& canvas, int series, const QStringList& headerLines,
                         const QStringList& lines)
{
    const TSeriesPage page = SeriesPage(series);
    const int left = PageFrame.Left;
    const int top = PageFrame.Top;

    DrawPageHeader(headerLines, canvas, false, false, nullptr);

    SetFontBold(canvas, true);
    SetFontHeight(canvas, 41);
    TextOut(canvas, left, top + 12 * LineHeight, LoadText(160));
    SetFontBold(canvas, false);
    SetFontHeight(canvas, 34);

    DrawResourcePicture(canvas,
                        QRectF(QPointF(left + 800, top + 40 * LineHeight),
                               QPointF(left + 1487, top + 40 * LineHeight + 550)),
                        4305);

    // Description lines; 1, 27 and 38 are headings. The type-key example is drawn over the empty
    // lines 28 to 37, with its captions at lines 32 and 34.
    int x1 = -1;
    const int n = std::min<int>(static_cast<int>(lines.size()), 255);
    for (int i = 1; i <= n; ++i) {
        const bool heading = i == 1 || i == 27 || i == 38;
        SetFontBold(canvas, heading);
        SetFontHeight(canvas, heading ? 41 : 34);
        const int row = i == 38 ? i + 14 : i + 15;
        TextOut(canvas, left, top + row * LineHeight, lines[i - 1]);
        DrawTypeKeyExample(canvas, i, page, x1);
    }

    // Size tables below the caption of line 38, ruled at the line pitch so that the last row
    // ends above the footer rule: the single units at the left, for VX the double units at the
    // right edge of the frame.
    SetFontHeight(canvas, FontHeight);
    const int margin = LineHeight / 2;
    SetFontBold(canvas, true);
    int W = 0;
    for (const char* header : {"A [mm]", "B [mm]", "D [mm]", "E [mm]"})
        W = std::max(W, TextWidth(canvas, QString::fromLatin1(header)));
    W += 2 * margin;
    const int tableTop = top + 53 * LineHeight + LineHeight / 3;
    const std::vector<TSizeRow> singles = SizeRows(page.Series, false);
    DrawSizeTable(canvas, left, tableTop, TypeColumnWidth(canvas, singles, margin), W, singles);
    if (page.Series == SeriesVX) {
        const std::vector<TSizeRow> doubles = SizeRows(1, true);
        const int typeWidth = TypeColumnWidth(canvas, doubles, margin);
        DrawSizeTable(canvas, PageFrame.Right - typeWidth - 4 * W, tableTop, typeWidth, W, doubles);
    }

    SetFontBold(canvas, false);
    SetFontHeight(canvas, 34);
    TextOut(canvas, PageFrame.Right, top + 64 * LineHeight + 84, LoadText(493), TTextAlign::Right);
}

