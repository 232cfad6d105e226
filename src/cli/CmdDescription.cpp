// vxrate description --series 1|2|3 --pdf OUT.pdf [--lang CODE]: writes the product description
// page of a series as a PDF file, as the print preview exports it.
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "UCommands.h"
#include "UPageCommand.h"
#include "UPageCommands.h"
#include "app/UGlobal.h"
#include "pdf/UPdfEngine.h"
#include "print/UBeschreibung.h"
#include "print/UPdfExport.h"
#include "print/UTools.h"
#include "ui/UPageLists.h"

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate description: %s\n", message.c_str());
    return status;
}

// Page routines without a window: the series is fixed per routine.
void PageVX(TFormBasis*, QPainter& canvas, bool) { DrawDescriptionPage(canvas, 1, {}); }
void PageVXK(TFormBasis*, QPainter& canvas, bool) { DrawDescriptionPage(canvas, 2, {}); }
void PageVXE(TFormBasis*, QPainter& canvas, bool) { DrawDescriptionPage(canvas, 3, {}); }

int RunDescription(const std::vector<std::string>& args)
{
    TPageOptions o;
    o.TakesSeries = true;
    if (auto problem = ParsePageOptions(
            args, std::string("usage: vxrate ") + DescriptionCommand.Synopsis, o))
        return Fail(ExitBadInput, *problem);

    TPageSession session(o.Language);

    int status = ExitOk;
    TPageSettings::PaperSize = o.Paper;
    try {
        const TPageProc pages[] = {&PageVX, &PageVXK, &PageVXE};
        ExportPagesToPdf(nullptr, {pages[o.Series - 1]}, QString::fromStdString(o.Pdf), false);
    } catch (const TPdfError& e) {
        status = Fail(ExitFailure, e.Message().toStdString());
    }
    return status;
}

}  // namespace

VXRATE_COMMAND(DescriptionCommand.Name, DescriptionCommand.Synopsis, DescriptionCommand.Summary, RunDescription);
