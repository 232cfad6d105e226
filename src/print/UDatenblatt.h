#pragma once
// The datasheet page of the counterflow product window: type key, the air
// states of both streams as the window's result tables show them, pressure
// drops and velocities, efficiencies and heat recovery, the calculation basis,
// bypass, warnings, the dimension list with its sketch, weight and the
// certification marks.
#include <QPainter>

#include "print/UPageContext.h"


// Draws the datasheet of the page context's selection.
void DrawDatasheet(const TPageContext& page, QPainter& canvas, bool forPdf);


// Resource number of the dimension sketch for a bypass code, unit system and
// size code.
int DimensionSketchId(int bypassCode, bool si, int sizeCode);
