#include "print/UBeschreibung.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "calc/UDaten.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"
#include "ui/FBasis.h"

namespace {

// Catalogue dimensions in mm: type, A (length), B (height), D (face height), E (depth). The row
// index places the row on the page, so the VX-K table starts at row 1.
struct TSizeRow {
    int Row;
    const char* Type;
    int A, B, D, E;
};

constexpr TSizeRow SizesVX[] = {
    {0, "VX 16", 380, 155, 81, 246},   {1, "VX 18", 397, 172, 93, 246},
    {2, "VX 25", 454, 230, 134, 246},  {3, "VX 30", 496, 271, 163, 246},
    {4, "VX 35", 537, 312, 193, 246},  {5, "VX 45", 619, 394, 249, 246},
    {6, "VX 62", 758, 533, 347, 246},  {7, "VX 80", 899, 674, 447, 246},
    {8, "VX 95", 1040, 815, 547, 246}, {9, "VX 110", 1182, 957, 647, 246},
};

constexpr TSizeRow SizesVXK[] = {
    {1, "VX-K 18", 397, 172, 93, 246},  {2, "VX-K 25", 454, 230, 134, 246},
    {3, "VX-K 30", 496, 271, 163, 246}, {4, "VX-K 35", 537, 312, 193, 246},
    {5, "VX-K 45", 619, 394, 249, 246}, {6, "VX-K 366", 366, 366, 178, 194},
};

constexpr TSizeRow SizesKombi[] = {
    {1, "VX Kombi 62", 1314, 1089, 741, 246},
    {2, "VX Kombi 80", 1600, 1376, 940, 246},
    {3, "VX Kombi 95", 1887, 1662, 1144, 246},
    {4, "VX Kombi 110", 2170, 1945, 1344, 246},
};

// Integer division rounding down, also for negative numerators.
int FloorDiv(int a, int b) { return static_cast<int>(std::floor(static_cast<double>(a) / b)); }

int TextWidth(const QPainter& canvas, const QString& text)
{
    return static_cast<int>(std::lround(QFontMetricsF(canvas.font()).horizontalAdvance(text)));
}

// Text rows of the size tables (row index i) and their grid lines (index k).
int TableRowY(int i) { return PageFrame.Top + (55 + i) * LineHeight + FloorDiv((i - 1) * HalfLine, 2); }
int TableGridY(int k)
{
    return PageFrame.Top + LineHeight / 3 + (53 + k) * LineHeight + FloorDiv(k * HalfLine, 2);
}

void DrawTypeKeyExample(QPainter& canvas, int line, bool vxk, int& x1)
{
    const int left = PageFrame.Left;
    const int top = PageFrame.Top;
    const QString prefix = vxk ? QStringLiteral("VX-K ") : QStringLiteral("VX ");
    if (line == 30) {
        const QString example = prefix + QStringLiteral("30 / 350");
        TextOut(canvas, left + 50, top + 44 * LineHeight, example);
        x1 = TextWidth(canvas, example) + 100;
        return;
    }
    if ((line != 32 && line != 34) || x1 < 0) return;
    int x2 = 0;
    if (line == 32) {
        TextOut(canvas, left + x1, top + 46 * LineHeight,
                LoadText(92) + QStringLiteral(" (C = 350 mm)"));
        x2 = TextWidth(canvas, prefix + QStringLiteral("30 / ")) + 50 +
             TextWidth(canvas, QStringLiteral("350")) / 2;
    } else {
        TextOut(canvas, left + x1, top + 48 * LineHeight,
                LoadText(180) + QStringLiteral(" (") + prefix + QStringLiteral("30)"));
        x2 = TextWidth(canvas, prefix) + 50 + TextWidth(canvas, QStringLiteral("30")) / 2;
    }
    // Leader from the caption back to the part of the example it explains.
    SetPen(canvas, 3);
    const int y = top + (line + 14) * LineHeight + static_cast<int>(std::lround(LineHeight / 2.0));
    HLine(canvas, left + x1 - 10, left + x2, y);
    VLine(canvas, left + x2, y, top + 45 * LineHeight);
}

void DrawSizeRow(QPainter& canvas, const TSizeRow& row, const int* centres)
{
    const int y = TableRowY(row.Row);
    TextOut(canvas, centres[0], y, QString::fromLatin1(row.Type), TTextAlign::Center);
    const int values[] = {row.A, row.B, row.D, row.E};
    for (int k = 0; k < 4; ++k)
        TextOut(canvas, centres[k + 1], y, QString::number(values[k]), TTextAlign::Center);
}

}  // namespace

int DescriptionTextId(int series, int language)
{
    const bool own = language == 1 || language == 3 || language == 6 || language == 7 ||
                     language == 8 || language == 9;
    return 4300 + (own ? language : 2) + (series == 2 ? 10 : 0);
}

QStringList DescriptionLines(int series, int language)
{
    QStringList lines = LoadTextLines(DescriptionTextId(series, language));
    if (lines.isEmpty()) lines = LoadTextLines(DescriptionTextId(series, 2));
    return lines;
}

void DrawDescriptionPage(QPainter& canvas, int series, const QStringList& headerLines)
{
    DrawDescriptionPage(canvas, series, headerLines, DescriptionLines(series == 2 ? 2 : 1, Language));
}

void DrawDescriptionPage(QPainter& canvas, int series, const QStringList& headerLines,
                         const QStringList& lines)
{
    const bool vxk = series == 2;
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
        DrawTypeKeyExample(canvas, i, vxk, x1);
    }

    // Size table: five columns of the same width.
    SetFontBold(canvas, true);
    SetFontHeight(canvas, 34);
    const QString headers[] = {LoadText(136), QStringLiteral("A [mm]"), QStringLiteral("B [mm]"),
                               QStringLiteral("D [mm]"), QStringLiteral("E [mm]")};
    const int W = std::max({150, TextWidth(canvas, headers[0]),
                            TextWidth(canvas, QStringLiteral("XX [mm]"))}) + 10;
    const int headerY = top + 55 * LineHeight - HalfLine / 2 - (vxk ? 0 : 52);
    int centres[5];
    for (int k = 0; k < 5; ++k) {
        centres[k] = left + W / 2 + k * W;
        TextOut(canvas, centres[k], headerY, headers[k], TTextAlign::Center);
    }
    SetFontBold(canvas, false);
    if (vxk)
        for (const auto& row : SizesVXK) DrawSizeRow(canvas, row, centres);
    else
        for (const auto& row : SizesVX) DrawSizeRow(canvas, row, centres);

    SetPen(canvas, 3);
    const int kFirst = vxk ? 1 : 0;
    const int kLast = vxk ? 8 : 11;
    for (int k = kFirst; k <= kLast; ++k) HLine(canvas, left, left + 5 * W, TableGridY(k));
    for (int j = 0; j <= 5; ++j) VLine(canvas, left + j * W, TableGridY(kFirst), TableGridY(kLast));

    // Double units beside the VX table: a wider type column, then the four dimensions.
    if (!vxk) {
        const int typeX = left + 5 * W + 2 * (W / 2);
        int kombiCentres[5] = {typeX};
        for (int k = 1; k <= 4; ++k) kombiCentres[k] = typeX + k * W + W / 4;
        SetFontBold(canvas, true);
        for (int k = 0; k < 5; ++k)
            TextOut(canvas, kombiCentres[k], top + 55 * LineHeight - HalfLine / 2, headers[k],
                    TTextAlign::Center);
        SetFontBold(canvas, false);
        for (const auto& row : SizesKombi) DrawSizeRow(canvas, row, kombiCentres);

        SetPen(canvas, 3);
        const int x0 = left + 5 * W + W / 2 - W / 4;
        const int xEnd = left + 10 * W + W / 2 + W / 4;
        for (int k = 1; k <= 6; ++k) HLine(canvas, x0, xEnd, TableGridY(k));
        for (int j = 0; j <= 5; ++j)
            VLine(canvas, left + 5 * W + W / 2 + j * W + (j > 0 ? W / 2 : 0) - W / 4,
                  TableGridY(1), TableGridY(6));
    }

    SetFontBold(canvas, false);
    SetFontHeight(canvas, 34);
    TextOut(canvas, PageFrame.Right, top + 64 * LineHeight + 84, LoadText(493), TTextAlign::Right);
}

void DescriptionPage(TFormBasis* owner, QPainter& canvas, bool)
{
    const int series = owner && owner->WinterRecord ? owner->WinterRecord->Series : 1;
    DrawDescriptionPage(canvas, series, owner ? ToLines(owner->Selection.HeaderLines) : QStringList());
}
