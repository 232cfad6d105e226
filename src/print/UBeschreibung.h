#pragma once
// The product description page: a catalogue sheet of the series VX, VX-K or VX-E with the
// description text of the interface language, the device drawing, an annotated type-key example, the size
// table and, for VX, the table of double units. It does not depend on any calculation.
#include <QPainter>
#include <QStringList>


// Resource number of the description text for a series (1, 2 or 3) and an interface language;
// the languages without a text of their own get the English one.
int DescriptionTextId(int series, int language);

// Lines of the description text; a resource that is missing falls back to the English text.
QStringList DescriptionLines(int series, int language);

// Draws the page for a series; any series other than 2 and 3 is shown as VX.
void DrawDescriptionPage(QPainter& canvas, int series, const QStringList& headerLines);
// The same with the description lines given.
void DrawDescriptionPage(QPainter& canvas, int series, const QStringList& headerLines,
                         const QStringList& lines);

