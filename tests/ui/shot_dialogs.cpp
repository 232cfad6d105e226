// Development aid, not a test: saves pictures of the settings dialog (each page), the header,
// notes and temperature dialogs, the about window, the pre-selection, the print preview, the chart
// window, a number field's message and its edit menu in each interface language, for looking at
// the layout.
//   shot_dialogs <folder>
#include <QApplication>
#include <QDir>
#include <QLineEdit>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UZahlAdapter.h"
#include <QMenu>

#include "ui/FAngebot.h"
#include "ui/FBaugroessen_VX.h"
#include "ui/FInfo.h"
#include "ui/FMollier.h"
#include "ui/FSeite.h"
#include "ui/FVX.h"
#include "ui/UQvMessage.h"
#include "ui/FBemerkungen.h"
#include "ui/FOptionen.h"
#include "ui/FPreHeat.h"
#include "ui/NumEdit.h"
#include "ui/UQvControls.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    InitResources();
    ProductIndex = 4;
    SetProcessSeparators('.', ',');
    auto save = [&folder](QWidget& w, const QString& name, int lang) {
        QApplication::processEvents();
        w.grab().save(QString("%1/%2_%3.png").arg(folder, name).arg(lang));
    };
    for (int lang : {1, 2, 3, 7, 8, 9}) {
        Language = static_cast<std::uint8_t>(lang);
        ApplyLanguageFonts();
        TFormOptionen o;
        o.SetUnitSystem(true);
        o.SetPressure(1013);
        o.RadioButton_PHI_Europa->setChecked(true);
        o.Edit_DecimalSeparator->setText(".");
        o.Edit_ThousandSeparator->setText(",");
        o.show();
        for (int page = 0; page < o.PageControl1->count(); ++page) {
            o.PageControl1->setCurrentIndex(page);
            save(o, QString("settings%1").arg(page), lang);
        }
        TFormAngebot a;
        a.SetLines({"", "08.12.2026", "", "Q-2026-117", "", "Office tower B", "", "4"});
        a.Button_VorgabeClick();
        a.CheckBox_AlsAngebot->setChecked(true);
        a.show();
        save(a, "header", lang);
        TFormBemerkungen b;
        b.Bem1->setText("Winter case with frost-protection pre-heater");
        b.show();
        save(b, "notes", lang);
        TFormPreHeat p;
        p.ApplyTexts();
        p.Edit_Temp->SetValue(-5);
        p.show();
        save(p, "preheat", lang);

        SetMessageBoxHook([](const QString&, const QString&, int) { return 1; });
        TFormVX w(nullptr, false);
        w.show();
        w.Calculate();
        TFormInfo info(&w);
        info.show();
        save(info, "about", lang);
        TFormBaugroessen_VX sizes(&w);
        sizes.SI = lang != 2;  // English in UK/US units, the others in SI
        sizes.ApplyTexts();
        sizes.show();
        sizes.BuildProposals();
        save(sizes, "sizes", lang);
        TFormSeite preview(&w);
        preview.Prepare(&w, w.DatasheetPages);
        preview.resize(900, 700);
        preview.show();
        save(preview, "preview", lang);
        w.ShowDiagram(false, true);
        if (w.FormMollier) {
            w.FormMollier->show();
            save(*w.FormMollier, "chart", lang);
        }
        TMessageForm box(w.Winter.SVol11->NotANumberText("3,500"), LoadText(104) + "!", mtError, &w);
        box.show();
        save(box, "message", lang);
        std::unique_ptr<QMenu> menu(PreHeatMenu(w, w.Winter.Temp11));
        menu->popup(QPoint(20, 20));
        save(*menu, "editmenu", lang);
        menu->hide();
        SetMessageBoxHook({});
    }
    return 0;
}
