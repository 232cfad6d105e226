// Development aid, not a test: saves pictures of the settings dialog (each page), the header,
// notes and temperature dialogs in each interface language, for looking at the layout.
//   shot_dialogs <folder>
#include <QApplication>
#include <QDir>
#include <QLineEdit>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UZahlAdapter.h"
#include "ui/FAngebot.h"
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
    }
    return 0;
}
