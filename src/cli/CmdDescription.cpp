// vxrate description --series 1|2 --pdf OUT.pdf [--lang CODE]: writes the product description
// page of a series as a PDF file, as the print preview exports it.
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "UCommands.h"
#include "UPageCommand.h"
#include "app/UGlobal.h"
#include "pdf/UPdfEngine.h"
#include "print/UBeschreibung.h"
#include "print/UPdfExport.h"

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate description: %s\n", message.c_str());
    return status;
}

// Page routines without a window: the series is fixed per routine.
void PageVX(TFormBasis*, QPainter& canvas, bool) { DrawDescriptionPage(canvas, 1, {}); }
void PageVXK(TFormBasis*, QPainter& canvas, bool) { DrawDescriptionPage(canvas, 2, {}); }

int RunDescription(const std::vector<std::string>& args)
{
    int series = 0;
    int language = LangEnglish;
    std::string pdf;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--series" && hasValue) {
            const std::string v = args[++i];
            if (v != "1" && v != "2") return Fail(ExitBadInput, "--series takes 1 (VX) or 2 (VX-K), not " + v);
            series = v == "1" ? 1 : 2;
        } else if (a == "--pdf" && hasValue) {
            pdf = args[++i];
        } else if (a == "--lang" && hasValue) {
            const std::string v = args[++i];
            language = ParseLanguage(v);
            if (!language)
                return Fail(ExitBadInput, "unknown language " + v + " (de, en, fr, pl, zh, ru or 1, 2, 3, 7, 8, 9)");
        } else {
            return Fail(ExitBadInput, "unexpected argument " + a +
                                          "; usage: vxrate description --series 1|2 --pdf OUT.pdf [--lang CODE]");
        }
    }
    if (!series) return Fail(ExitBadInput, "--series 1|2 is required");
    if (pdf.empty()) return Fail(ExitBadInput, "--pdf OUT.pdf is required");

    TPageSession session(language);

    int status = ExitOk;
    try {
        ExportPagesToPdf(nullptr, {series == 2 ? &PageVXK : &PageVX}, QString::fromStdString(pdf),
                         false);
    } catch (const TPdfError& e) {
        status = Fail(ExitFailure, e.Message().toStdString());
    }
    return status;
}

}  // namespace

VXRATE_COMMAND("description", "description --series 1|2 --pdf OUT.pdf [--lang CODE]",
               "writes the product description page of a series as PDF", RunDescription);
