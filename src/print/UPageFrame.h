#pragma once
// The page model shared by every printed page: page coordinates in 0.1 mm
// (origin top-left, y downward), the fixed frame rectangle, the text metrics,
// and the common page frame with footer, rules, header lines, title, address
// block and notes block.

#include <QPainter>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <functional>


// Pages are laid out on an A4 portrait sheet, the design page, in 0.1 mm.
inline constexpr int DesignPageWidth = 2100;
inline constexpr int DesignPageHeight = 2970;

// Maps the design page onto paper of the given size (0.1 mm): paper on which
// it does not fit (US Letter is 6 % shorter, a landscape sheet lower) gets it
// scaled down uniformly and centred, so the whole page with its footer stays
// on the sheet; larger paper gets it unscaled at the top-left corner.
QTransform DesignPageToPaper(QSize paper);
// Calls the page procedure on a canvas whose logical units are 0.1 mm of the
// paper, with the design page mapped onto it. The canvas state is restored.
void DrawPageOnPaper(const std::function<void(QPainter&, bool)>& page, QPainter& canvas,
                     bool forPdf, QSize paper);

// The frame rectangle of all pages (25 mm left, 10 mm top, 15 mm right and
// 10 mm bottom margin on A4). It does not depend on paper size or orientation.
struct TPageFrameRect {
  int Left = 250;
  int Top = 100;
  int Right = 1950;
  int Bottom = 2870;
};
inline constexpr TPageFrameRect PageFrame{};

// Text metrics, reset by every page frame: character height, line pitch and
// half the line pitch, in 0.1 mm.
extern int FontHeight;
extern int LineHeight;
extern int HalfLine;

// Selects the address block of the page (0 = the maker's own block). Fixed
// when the program is built.
inline constexpr int DistributorCode = 0;

// Draws the page frame. headerLines are the eight header cells (fewer are
// allowed); notes may be null. The notes are laid out on the three note
// rows, each note from a new row, wrapped where it is wider than its row;
// rows beside notesKeepClear (a picture the page puts into the notes block)
// end before it. What does not fit into three rows is cut.
void DrawPageFrame(const QStringList& headerLines, QPainter& canvas, bool printHeaderLines,
                   bool withNotes, const QStringList* notes, const QRect& notesKeepClear = {});
// The frame, then the page title.
void DrawPageHeader(const QStringList& headerLines, QPainter& canvas, bool printHeaderLines,
                    bool withNotes, const QStringList* notes, const QRect& notesKeepClear = {});
// The address block selected by DistributorCode.
void DrawAddressBlock(QPainter& canvas, int distributorCode = DistributorCode);

// Sets the canvas font to the chart font at character height h.
void AssignPageFont(QPainter& canvas, int h);
