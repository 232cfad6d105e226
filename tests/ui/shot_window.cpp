// Development aid, not a test: saves a picture of the product window after a calculation in each
// interface language, with one and with two cases, for looking at the layout. With a series code
// the pictures show that series in a freezing winter case.
//   shot_window <folder> [series]
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QToolButton>
#include <QComboBox>

#include "ui/UQvControls.h"

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UZahlAdapter.h"
#include "ui/FVX.h"
#include "ui/NumEdit.h"
#include "ui/UQvMessage.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int series = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    InitResources();
    ProductIndex = 4;
    SetProcessSeparators('.', ',');
    SetMessageBoxHook([](const QString&, const QString&, int) { return 1; });
    for (int lang : {1, 2, 3, 7, 8, 9}) {
        Language = static_cast<std::uint8_t>(lang);
        ApplyLanguageFonts();
        TFormVX w;
        w.show();
        w.Combo_Bypass->setCurrentIndex(1);
        if (series > 0) {
            w.Combo_VXSerie->setCurrentIndex(series - 1);
            w.Edit_GBreite->SetValue(500);
            w.Aenderung_Geraet(w.Edit_GBreite);
            // Entries as a confirmed edit hands them to the window.
            auto enter = [](TNumEdit* e, double v) {
                e->SetValue(v);
                emit e->OnCalculate(e);
            };
            for (TNumEdit* e : {w.Winter.SVol11, w.Winter.SVol21, w.Summer.SVol11, w.Summer.SVol21}) enter(e, 400);
            enter(w.Winter.Temp11, -15);
            enter(w.Winter.Feuchte21, 70);
        }
        w.Calculate();
        QApplication::processEvents();
        w.grab().save(QString("%1/vx_%2_1.png").arg(folder).arg(lang));
        w.SetSeasons(true);
        w.SetSeasonLayout(2);
        w.Calculate();
        w.PageControl1->setCurrentIndex(1);
        QApplication::processEvents();
        w.grab().save(QString("%1/vx_%2_2.png").arg(folder).arg(lang));
        // The check message of a request that both cases fail.
        w.Summer.SVol11->SetValue(100);
        w.Winter.SVol11->SetValue(320);
        w.Aenderung_Daten();
        TMessageForm box(w.AssembleCheckMessage().Text, LoadText(104) + "!", mtError, &w);
        box.grab().save(QString("%1/msg_%2.png").arg(folder).arg(lang));
        w.SetSeasons(false);
    }
    return 0;
}
