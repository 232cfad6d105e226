#pragma once
// Start-up state the page tests need: the application object, resources,
// fonts of the chosen language and the version texts.
#include <QSize>
#include <QString>
#include <QStringList>

#include "TRecordingDevice.h"
#include "ui/FBasis.h"

void EnsureApplication();
// Switches the interface language and its fonts (creating the application
// first, so the choice is not undone by its start-up).
void UseLanguage(int code);

// The six interface languages and the two papers, for page tests that run
// through all of them.
inline constexpr int PageLanguages[] = {1, 2, 3, 7, 8, 9};
QSize PaperSizeOf(int paperCode);

// Records a page procedure on paper of the given code as the preview, the
// printer and the PDF export draw it (the design page fitted onto the paper).
void RecordPageOnPaper(TRecordingDevice& device, const TPageProc& page, TFormBasis* owner,
                       int paperCode);

// What is wrong with the layout of a page recorded on paper: text or rules
// outside the paper's 5 mm margin, texts overlapping each other, body texts
// or rules reaching the band below the footer rule (only the footer's own
// hairline and texts may), texts wider than the ruled cell or the frame they
// stand in. One line per fault; empty when the page is sound.
QStringList PageLayoutFaults(const TRecordingDevice& device, int paperCode);
