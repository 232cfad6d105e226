// vxrate datasheet [FILE] --pdf OUT.pdf [--lang CODE] [--units si|us]: rates the case (or the
// winter and summer cases) or the project of FILE or standard input as a selection, exactly as the product window
// does, and writes its datasheet as the print preview exports it.
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

#include "UCommands.h"
#include "UPageCommand.h"
#include "UPageCommands.h"
#include "app/UGlobal.h"
#include "pdf/UPdfEngine.h"
#include "print/UDatenblatt.h"
#include "print/UPdfExport.h"
#include "print/UTools.h"

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate datasheet: %s\n", message.c_str());
    return status;
}

int RunDatasheet(const std::vector<std::string>& args)
{
    TPageOptions o;
    o.TakesFile = o.TakesUnits = true;
    if (auto problem = ParsePageOptions(
            args, "usage: vxrate datasheet [FILE] --pdf OUT.pdf [--lang CODE] [--units si|us] [--paper a4|letter]", o))
        return Fail(ExitBadInput, *problem);

    TSelection selection;
    if (auto problem = ReadSelectionInput(o.Path, "a datasheet", selection))
        return Fail(ExitBadInput, *problem);
    if (!selection.ResultsValid())
        return Fail(ExitFailure, "the case was not calculated (operating-point error); no datasheet written");

    TPageSession session(o.Language);
    // What the start picture sets for this product.
    AhriCertified = TuevCertified = true;

    TPageSettings::PaperSize = o.Paper;
    const TPageContext page{selection, o.SI, false, selection.NotesData};
    try {
        ExportPagesToPdf({[&page](QPainter& canvas, bool forPdf) { DrawDatasheet(page, canvas, forPdf); }},
                         QString::fromStdString(o.Pdf), false);
    } catch (const TPdfError& e) {
        return Fail(ExitFailure, e.Message().toStdString());
    }
    return ExitOk;
}

}  // namespace

VXRATE_COMMAND(DatasheetCommand.Name, DatasheetCommand.Synopsis, DatasheetCommand.Summary, RunDatasheet);
