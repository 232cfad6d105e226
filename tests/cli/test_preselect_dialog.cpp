// vxrate preselect and the pre-selection dialog of the counterflow window give the same rows
// for the same case: the window's winter record, as the dialog reads it, is handed to vxrate.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTreeWidget>

#include <functional>

#include "QtTestEnvironment.h"
#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "ui/FBaugroessen_VX.h"
#include "test_preselect_common.h"
#include "ui/FVX.h"
#include "ui/NumEdit.h"

// Parsed keeping the key order of the output.
using json = nlohmann::ordered_json;

namespace {

VX_QT_TEST_ENVIRONMENT(TQtTestEnvironment);

struct WindowCase {
    const char* Name;
    double SVol1, SVol2, Temp11, Temp21;
    int SeriesIndex;  // entry of the series list
};

}  // namespace

TEST(PreselectAndDialog, SameRowsForTheSameCase)
{
    preselect_test::TempDir dir;
    const WindowCase cases[] = {
        {"winter, equal flows", 2500, 2500, -5, 22, 0},
        {"winter, large unequal flows", 9000, 7000, -12, 21, 0},
        {"mild, second series", 800, 800, 5, 24, 1},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFormVX w(nullptr, false);
        w.UnitSystemSI = true;
        w.Selection.FlowMode = 0;
        w.Selection.HumidityMode = 0;
        w.Combo_VXSerie->setCurrentIndex(c.SeriesIndex);
        w.Winter.SVol11->SetValue(c.SVol1);
        w.Winter.SVol21->SetValue(c.SVol2);
        w.Winter.Temp11->SetValue(c.Temp11);
        w.Winter.Feuchte11->SetValue(90.0);
        w.Winter.Temp21->SetValue(c.Temp21);
        w.Winter.Feuchte21->SetValue(40.0);

        // The record as the dialog will read it, before its search moves the size and width.
        for (TNumEdit* e : w.Winter.All()) e->ConfirmPending();
        const std::string input = preselect_test::CaseJson(*w.WinterRecord).dump();
        ASSERT_EQ(w.WinterRecord->Series, c.SeriesIndex + 1);

        TFormBaugroessen_VX* d = PreselectionDialog(&w);
        d->SI = true;
        d->BuildProposals();
        ASSERT_FALSE(d->Proposals.empty());

        const preselect_test::RunResult run = dir.Run("preselect", input);
        ASSERT_EQ(run.Status, 0) << run.Err;
        const json rows = json::parse(run.Out);
        preselect_test::ExpectRowsEqual(rows, d->Proposals);

        // The list the planner sees holds the same keys in the same order.
        ASSERT_EQ(static_cast<std::size_t>(d->ListView1->topLevelItemCount()), rows.size());
        for (int i = 0; i < d->ListView1->topLevelItemCount(); ++i)
            EXPECT_EQ(d->ListView1->topLevelItem(i)->text(0).toStdString(),
                      rows[static_cast<std::size_t>(i)].value("Key", ""));
    }
}
