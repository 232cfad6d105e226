#include "ui/FPreHeat.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <cmath>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "series/UFrostGrenze.h"
#include "thermo/UMath.h"
#include "thermo/UThermo.h"
#include "thermo/UZahlformat.h"
#include "ui/FProdukt.h"
#include "ui/NumEdit.h"
#include "ui/UQvForms.h"
#include "ui/UQvControls.h"

namespace {
constexpr int ClientWidth = 262, ClientHeight = 140;
constexpr int QTemp = 2, CodeDegC = 3, CodeDegF = 4;

double Round1(double v) { return std::nearbyint(v * 10.0) / 10.0; }

// Where an inlet temperature edit belongs: the case and the stream, with its humidity edit.
struct TInlet {
    bool Summer = false;
    bool Stream1 = true;
    TNumEdit* Humidity = nullptr;
};
bool FindInlet(const TFormProdukt& w, const TNumEdit* e, TInlet& inlet) {
    for (const TCaseEdits* ce : {&w.Winter, &w.Summer}) {
        const bool summer = ce == &w.Summer;
        if (e == ce->Temp11) {
            inlet = {summer, true, ce->Feuchte11};
            return true;
        }
        if (e == ce->Temp21) {
            inlet = {summer, false, ce->Feuchte21};
            return true;
        }
    }
    return false;
}
} // namespace

TFormPreHeat::TFormPreHeat(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("FormPreHeat");
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(8, 8, ClientWidth - 16, 44);
    LB_Temperatur = new QLabel(this);
    LB_Temperatur->setObjectName("LB_Temperatur");
    Edit_Temp = new TNumEdit(this);
    Edit_Temp->setObjectName("Edit_Temp");
    Edit_Temp->Format = TFloatFormat::General;
    L_DegC = new QLabel(this);
    L_DegC->setObjectName("L_DegC");
    AddOkCancelButtons(this, ClientWidth, ClientHeight, [this] { Button_OKClick(); }, Button_OK,
                       Button_Cancel);
    // Enter in the field confirms the entry; the dialog then closes as with OK.
    connect(Edit_Temp, &TNumEditBase::OnReturn, this, [this] { Button_OKClick(); });
    ApplyTexts();
}

void TFormPreHeat::ApplyTexts() {
    setFont(DialogFont);
    setWindowTitle(LoadText(12));
    Label1->setText(LoadText(610));
    LB_Temperatur->setText(LoadText(12));
    L_DegC->setText(LoadText(UnitSI ? 411 : 412));
    Button_Cancel->setText(LoadText(161));
    AssignMnemonics(this);
    const QFontMetrics fm(font());
    const int lw = fm.horizontalAdvance(LB_Temperatur->text()) + 6;
    const int y = 62;
    LB_Temperatur->setGeometry(8, y, lw, 21);
    Edit_Temp->setGeometry(8 + lw + 6, y, 70, 21);
    L_DegC->setGeometry(Edit_Temp->geometry().right() + 6, y, 30, 21);
}

void TFormPreHeat::OfferTemperature(int captionTextNo, double value) {
    constexpr int row = 32;
    if (!Button_Frostgrenze) {
        Button_Frostgrenze = new QPushButton(this);
        Button_Frostgrenze->setObjectName("Button_Frostgrenze");
        Button_Frostgrenze->setAutoDefault(false);
        Button_Frostgrenze->setGeometry(8, 92, ClientWidth - 16, 25);
        setFixedSize(ClientWidth, ClientHeight + row);
        for (QPushButton* b : {Button_OK, Button_Cancel}) b->move(b->x(), b->y() + row);
    }
    Button_Frostgrenze->setText(LoadText(captionTextNo) + ": " + QString::fromStdString(FormatFixed(value, 1)) + " " +
                                L_DegC->text());
    disconnect(Button_Frostgrenze, nullptr, this, nullptr);
    connect(Button_Frostgrenze, &QPushButton::clicked, this, [this, value] {
        Edit_Temp->SetValue(value);
        Edit_Temp->setFocus();
    });
}

void TFormPreHeat::Button_OKClick() {
    if (Edit_Temp->isModified() && !Edit_Temp->ConfirmPending()) return;
    accept();
}

void TFormPreHeat::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) ApplyTexts();
    QDialog::changeEvent(e);
}

// ---------------------------------------------------------------------------------------------
TPreHeatState PreHeatState(double t, double x, double P) {
    TPreHeatState s;
    double phi = 0, td = 0, tw = t, h = 0, rho = 0;
    try {
        CompleteAirState(1, t, phi, P, x, td, tw, h, rho);
        s.RelHum = phi;
        s.WetBulb = tw;
    } catch (const MathFault&) {
        // outside the range of the moist-air functions: what was computed so far
        s.RelHum = phi;
        s.WetBulb = tw;
    }
    return s;
}

bool ApplyPreHeat(TFormProdukt& w, TNumEdit* tempEdit, double newTemp) {
    TInlet inlet;
    if (!FindInlet(w, tempEdit, inlet)) return false;
    const int c = inlet.Summer ? 1 : 0;
    const TDatenVX& r = w.Selection.Cases[c];
    // Heating keeps the humidity ratio; the humidity typed in the current mode follows from it.
    const double x = inlet.Stream1 ? r.X11 : r.X21;
    const double t = w.FromDisplay(QTemp, CodeDegC, CodeDegF, newTemp);
    const TPreHeatState s = PreHeatState(t, x, w.Selection.Pressure);
    w.Selection.SetAirInput(c, inlet.Stream1 ? TAirInput::Temp11 : TAirInput::Temp21, t);
    const TAirInput humidity = inlet.Stream1 ? TAirInput::Humidity11 : TAirInput::Humidity21;
    if (w.Selection.HumidityMode == HumidityInputRelative) w.Selection.SetAirInput(c, humidity, s.RelHum);
    else if (w.Selection.HumidityMode == HumidityInputWetBulb) w.Selection.SetAirInput(c, humidity, s.WetBulb);
    w.ShowInputs();
    w.Aenderung_Daten();
    return true;
}

bool PreHeatInlet(TFormProdukt& w, TNumEdit* tempEdit) {
    TInlet inlet;
    if (!FindInlet(w, tempEdit, inlet)) return false;
    // A value still being typed into the field is confirmed (or refused) first.
    if (tempEdit->isModified() && !tempEdit->ConfirmPending()) return false;
    TFormPreHeat dlg(&w);
    dlg.UnitSI = w.UnitSystemSI;
    dlg.ApplyTexts();
    dlg.Edit_Temp->SetValue(tempEdit->Value());
    // The new temperature obeys the same limits as the field it replaces.
    dlg.Edit_Temp->Validation = tempEdit->Validation;
    dlg.Edit_Temp->MinValue = tempEdit->MinValue;
    dlg.Edit_Temp->MaxValue = tempEdit->MaxValue;
    dlg.Edit_Temp->ErrorMessage = tempEdit->ErrorMessage;
    dlg.Edit_Temp->Content = tempEdit->Content;
    if (const std::optional<double> limit = w.Selection.FrostLimit(); limit && tempEdit == w.Winter.Temp11)
        dlg.OfferTemperature(FrostLimitPreHeatTextNo,
                             Round1(w.ToDisplay(QTemp, CodeDegC, CodeDegF, *limit + FrostLimitStep)));
    dlg.move(w.geometry().center() - dlg.rect().center());
    dlg.Edit_Temp->setFocus();
    dlg.Edit_Temp->selectAll();
    if (dlg.exec() != QDialog::Accepted) return false;
    return ApplyPreHeat(w, tempEdit, dlg.Edit_Temp->Value());
}

QMenu* PreHeatMenu(TFormProdukt& w, TNumEdit* e) {
    // The field's own editing commands stay; the pre-heat command comes first.
    QMenu* menu = e->createStandardContextMenu();
    QAction* preHeat = new QAction(LoadText(609), menu);
    preHeat->setObjectName("Menu_PreHeat");
    menu->insertAction(menu->actions().value(0), preHeat);
    menu->insertSeparator(menu->actions().value(1));
    QPointer<TFormProdukt> window(&w);
    QPointer<TNumEdit> edit(e);
    QObject::connect(preHeat, &QAction::triggered, &w, [window, edit] {
        if (window && edit) PreHeatInlet(*window, edit);
    });
    return menu;
}

void InstallPreHeat(TFormProdukt& w) {
    for (TCaseEdits* ce : {&w.Winter, &w.Summer})
        for (TNumEdit* e : {ce->Temp11, ce->Temp21}) {
            if (!e) continue;
            e->setContextMenuPolicy(Qt::CustomContextMenu);
            QObject::connect(e, &QWidget::customContextMenuRequested, &w, [&w, e](const QPoint& at) {
                QMenu* menu = PreHeatMenu(w, e);
                menu->setAttribute(Qt::WA_DeleteOnClose);
                menu->popup(e->mapToGlobal(at));
            });
        }
}
