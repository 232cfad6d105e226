// vxrate chart [FILE] --pdf OUT.pdf [--carrier] [--lang CODE] [--units si|us]: rates the case (or
// the winter and summer cases) of FILE or standard input and writes the chart page with their air
// processes, as the print preview exports it.
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "UCommands.h"
#include "UPageCommand.h"
#include "UJsonCases.h"
#include "URateCase.h"
#include "app/UGlobal.h"
#include "pdf/UPdfEngine.h"
#include "print/FMollier.h"
#include "print/UPdfExport.h"
#include "ui/FBasis.h"

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate chart: %s\n", message.c_str());
    return status;
}

int RunChart(const std::vector<std::string>& args)
{
    std::string path, pdf;
    int language = LangEnglish;
    bool si = true, carrier = false;
    const char* usage =
        "usage: vxrate chart [FILE] --pdf OUT.pdf [--carrier] [--lang CODE] [--units si|us]";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--pdf" && hasValue) {
            pdf = args[++i];
        } else if (a == "--carrier") {
            carrier = true;
        } else if (a == "--lang" && hasValue) {
            const std::string v = args[++i];
            language = ParseLanguage(v);
            if (!language)
                return Fail(ExitBadInput, "unknown language " + v + " (de, en, fr, pl, zh, ru or 1, 2, 3, 7, 8, 9)");
        } else if (a == "--units" && hasValue) {
            const std::string v = args[++i];
            if (v != "si" && v != "us")
                return Fail(ExitBadInput, "--units takes si or us, not " + v);
            si = v == "si";
        } else if (a.size() > 1 && a[0] == '-') {
            return Fail(ExitBadInput, "unexpected argument " + a + "; " + usage);
        } else if (path.empty()) {
            path = a;
        } else {
            return Fail(ExitBadInput, "more than one input file given (" + path + ", " + a + ")");
        }
    }
    if (pdf.empty())
        return Fail(ExitBadInput, std::string("--pdf OUT.pdf is required; ") + usage);

    std::vector<TRateInput> cases;
    if (auto problem = ReadSeasonCases(path, "a chart", cases)) return Fail(ExitBadInput, *problem);

    // Rated like a calculation request; a case with an error message is not calculated.
    std::vector<TProcessLine> lines;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const TRatedCase rated = RateCase(cases[i]);
        if (!rated.Check.WarningsOnly)
            return Fail(ExitFailure, "case " + std::to_string(i) +
                                         " was not calculated (operating-point error); no chart written");
        AddProcessLines(rated.Record, i == 0 ? TChartPen::Solid : TChartPen::Dot, lines);
    }

    TPageSession session(language);

    int status = ExitOk;
    {
        TFormBasis owner;
        auto* chart = new TFormMollier(&owner);
        chart->Owner = &owner;
        owner.FormMollier = chart;
        chart->SetProcessLines(lines);
        chart->RaiseRanges();
        chart->SetChartForm(carrier);
        chart->SetChartUnits(si);
        chart->SetChartPressure(cases.front().Record.Pressure);
        try {
            ExportPagesToPdf(&owner, {&ChartPage}, QString::fromStdString(pdf), false);
        } catch (const TPdfError& e) {
            status = Fail(ExitBadInput, e.Message().toStdString());
        }
    }
    return status;
}

} // namespace

VXRATE_COMMAND("chart", "chart [FILE] --pdf OUT.pdf [--carrier] [--lang CODE] [--units si|us]",
               "rates the case(s) in FILE or on standard input and writes the chart page as PDF",
               RunChart);
