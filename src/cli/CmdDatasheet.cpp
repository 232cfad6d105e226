// vxrate datasheet [FILE] --pdf OUT.pdf [--lang CODE] [--units si|us]: rates the case (or the
// winter and summer cases) of FILE or standard input as a selection, exactly as the product window
// does, and writes its datasheet as the print preview exports it.
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

#include "UCommands.h"
#include "UPageCommand.h"
#include "URateCase.h"
#include "app/UGlobal.h"
#include "pdf/UPdfEngine.h"
#include "print/UDatenblatt.h"
#include "print/UPdfExport.h"

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
            args, "usage: vxrate datasheet [FILE] --pdf OUT.pdf [--lang CODE] [--units si|us]", o))
        return Fail(ExitBadInput, *problem);

    std::vector<TRateInput> cases;
    if (auto problem = ReadSeasonCases(o.Path, "a datasheet", cases)) return Fail(ExitBadInput, *problem);

    const TSelection selection = SelectionOfCases(cases);
    if (!selection.ResultsValid())
        return Fail(ExitFailure, "the case was not calculated (operating-point error); no datasheet written");

    TPageSession session(o.Language);
    // What the start picture sets for this product.
    AhriCertified = TuevCertified = true;
    const TPageContext page{selection, o.SI, false, selection.NotesData};
    try {
        ExportPagesToPdf({[&page](QPainter& canvas, bool forPdf) { DrawDatasheet(page, canvas, forPdf); }},
                         QString::fromStdString(o.Pdf), false);
    } catch (const TPdfError& e) {
        return Fail(ExitBadInput, e.Message().toStdString());
    }
    return ExitOk;
}

}  // namespace

VXRATE_COMMAND("datasheet", "datasheet [FILE] --pdf OUT.pdf [--lang CODE] [--units si|us]",
               "rates the case(s) in FILE or on standard input and writes the datasheet as PDF",
               RunDatasheet);
