#include "ui/UPageLists.h"

#include "print/UBeschreibung.h"
#include "print/UDatenblatt.h"
#include "print/UPageFrame.h"
#include "print/UPdfExport.h"

namespace {
QStringList HeaderOf(const TFormBasis* owner) {
    return owner ? ToLines(owner->Selection.HeaderLines) : QStringList();
}
}  // namespace

void DatasheetPage(TFormBasis* owner, QPainter& canvas, bool forPdf) {
    if (!owner) {
        DrawPageHeader(QStringList(), canvas, false, true, nullptr);
        return;
    }
    DrawDatasheet({owner->Selection, owner->UnitSystemSI, owner->WetBulbOnDatasheet, owner->Selection.NotesData},
                  canvas, forPdf);
}

void DescriptionPage(TFormBasis* owner, QPainter& canvas, bool) {
    DrawDescriptionPage(canvas, owner ? owner->Selection.Device.Series : 1, HeaderOf(owner));
}

void BlankPage(TFormBasis* owner, QPainter& canvas, bool) {
    DrawPageFrame(HeaderOf(owner), canvas, false, false, nullptr);
}

void DrawPageHeader(TFormBasis* owner, QPainter& canvas, bool printHeaderLines, bool withNotes,
                    const QStringList* notes, const QRect& notesKeepClear) {
    DrawPageHeader(HeaderOf(owner), canvas, printHeaderLines, withNotes, notes, notesKeepClear);
}

void ExportPagesToPdf(TFormBasis* owner, const std::vector<TPageProc>& pages, const QString& fileName,
                      bool openAfterCreate) {
    std::vector<TPageDrawer> drawers;
    for (TPageProc page : pages)
        drawers.push_back([owner, page](QPainter& p, bool forPdf) {
            if (page) page(owner, p, forPdf);
        });
    ExportPagesToPdf(drawers, fileName, openAfterCreate);
}
