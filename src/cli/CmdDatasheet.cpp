// vxrate datasheet [FILE] --pdf OUT.pdf [--lang CODE] [--units si|us]: rates the case (or the
// winter and summer cases) of FILE or standard input in a real product window that is never
// shown, and writes its datasheet as the print preview exports it.
#include <QComboBox>
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
#include "print/UDatenblatt.h"
#include "print/UPdfExport.h"
#include "ui/FVX.h"
#include "ui/NumEdit.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate datasheet: %s\n", message.c_str());
    return status;
}

// Fills the window with a rated case's inputs the way a user's entries arrive, then runs the
// window's calculation request. Returns the messages of the request.
void FillWindow(TFormVX& w, const std::vector<TRateInput>& cases)
{
    const bool two = cases.size() == 2;
    w.SetSeasons(two);
    w.SetSeasonLayout(two ? 2 : 1);
    TDatenVX* records[] = {w.WinterRecord.get(), w.SummerRecord.get()};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        TDatenVX r = cases[i].Record;
        r.Refresh();  // completes the inlet states in every humidity form
        *records[i] = r;
    }
    // Both cases share one device.
    const TDatenVX& device = cases.front().Record;
    for (TDatenVX* r : records) {
        r->Series = device.Series;
        r->SizeCode = device.SizeCode;
        r->PackageWidth = device.PackageWidth;
        r->BypassVelocity = device.BypassVelocity;
    }
    w.ShowInputs();
    // The device change of a series choice: row titles, type key and figures of the case's series.
    w.Aenderung_Geraet(w.Combo_VXSerie);
    const int bypass = cases.front().Bypass;
    w.Combo_Bypass->setCurrentIndex(bypass == BypassSide ? 1 : bypass == BypassMiddle ? 2 : 0);
    if (bypass != BypassNone) {
        w.RButton_BypGeschw->setChecked(true);
        w.Edit_BypGeschw->SetValue(ShownBypassVelocity(device.BypassVelocity, w.UnitSystemSI));
    }
    w.Calculate();
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

    TPageSession session(o.Language);
    // What the start picture sets for this product.
    AhriCertified = TuevCertified = true;

    QStringList messages;
    SetMessageBoxHook([&messages](const QString& text, const QString&, int) {
        messages << text;
        return 1;
    });
    int status = ExitOk;
    {
        TFormVX window(nullptr, false);  // leaves the user's settings file alone
        window.SetUnitSystem(true);
        FillWindow(window, cases);
        for (const QString& m : messages) std::fprintf(stderr, "%s\n", m.toLocal8Bit().constData());
        if (!window.ResultsValid()) {
            status = Fail(ExitFailure, "the case was not calculated; no datasheet written");
        } else {
            window.SetUnitSystem(o.SI);
            try {
                ExportPagesToPdf(&window, window.DatasheetPages, QString::fromStdString(o.Pdf), false);
            } catch (const TPdfError& e) {
                status = Fail(ExitBadInput, e.Message().toStdString());
            }
        }
    }
    SetMessageBoxHook({});
    return status;
}

}  // namespace

VXRATE_COMMAND("datasheet", "datasheet [FILE] --pdf OUT.pdf [--lang CODE] [--units si|us]",
               "rates the case(s) in FILE or on standard input and writes the datasheet as PDF",
               RunDatasheet);
