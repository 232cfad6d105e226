// vxrate chart [FILE] --pdf OUT.pdf | --svg OUT.svg | --png OUT.png [--dpi N] [--carrier]
// [--lang CODE] [--units si|us]: rates the case (or the winter and summer cases) of FILE or standard
// input and writes the chart page with their air processes, as the print preview exports it, and
// the chart alone as an SVG drawing or a PNG image, as the chart window saves it.
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
#include "UPageCommands.h"
#include "UJsonCases.h"
#include "series/URateCase.h"
#include "app/UGlobal.h"
#include "pdf/UPdfEngine.h"
#include "ui/FMollier.h"
#include "ui/UMollierBild.h"
#include "print/UPdfExport.h"
#include "print/UTools.h"
#include "ui/FBasis.h"
#include "ui/UPageLists.h"

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate chart: %s\n", message.c_str());
    return status;
}

int RunChart(const std::vector<std::string>& args)
{
    TPageOptions o;
    o.TakesFile = o.TakesUnits = o.TakesCarrier = o.TakesPictures = true;
    if (auto problem = ParsePageOptions(args, std::string("usage: vxrate ") + ChartCommand.Synopsis, o))
        return Fail(ExitBadInput, *problem);

    TSelection selection;
    if (auto problem = ReadSelectionInput(o.Path, "a chart", selection)) return Fail(ExitBadInput, *problem);
    const std::vector<TRateInput> cases = SelectionCases(selection);

    // Rated like a calculation request; a case with an error message is not calculated.
    std::vector<TProcessLine> lines;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const TRatedCase rated = RateCase(cases[i]);
        if (!rated.Check.WarningsOnly)
            return Fail(ExitFailure, "case " + std::to_string(i) +
                                         " was not calculated (operating-point error); no chart written");
        AddProcessLines(rated.Record, i == 0 ? TChartPen::Solid : TChartPen::Dot, lines);
    }

    TPageSession session(o.Language);

    int status = ExitOk;
    {
        TFormBasis owner;
        owner.Selection = selection;
        auto* chart = new TFormMollier(&owner);
        chart->Owner = &owner;
        owner.FormMollier = chart;
        chart->SetProcessLines(lines);
        chart->RaiseRanges();
        chart->SetChartForm(o.Carrier);
        chart->SetChartUnits(o.SI);
        chart->SetChartPressure(cases.front().Record.Pressure);
        TPageSettings::PaperSize = o.Paper;
        if (!o.Pdf.empty()) {
            try {
                ExportPagesToPdf(&owner, {&ChartPage}, QString::fromStdString(o.Pdf), false);
            } catch (const TPdfError& e) {
                status = Fail(ExitFailure, e.Message().toStdString());
            }
        }
        const std::pair<const std::string&, TPictureFormat> pictures[] = {{o.Svg, TPictureFormat::Svg},
                                                                         {o.Png, TPictureFormat::Png}};
        for (const auto& [path, format] : pictures) {
            if (path.empty() || status != ExitOk) continue;
            if (auto problem = SaveChartPicture(*chart, QString::fromStdString(path), format,
                                                o.Dpi ? o.Dpi : kPictureDpiDefault))
                status = Fail(ExitFailure, problem->toStdString());
        }
    }
    return status;
}

} // namespace

VXRATE_COMMAND(ChartCommand.Name, ChartCommand.Synopsis, ChartCommand.Summary, RunChart);
