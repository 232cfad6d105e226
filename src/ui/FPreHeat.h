#pragma once
// The temperature dialog of the pre-heat command, and the command itself: an inlet of the product
// window is brought to a new dry-bulb temperature at its unchanged humidity ratio, as a pre-heater
// (for example a frost-protection heater in the outside air) would do.
#include <QDialog>

class QLabel;
class QPushButton;
class TFormProdukt;
class TNumEdit;

class TFormPreHeat : public QDialog {
    Q_OBJECT
public:
    explicit TFormPreHeat(QWidget* parent = nullptr);

    // Unit system of Edit_Temp; set before ApplyTexts.
    bool UnitSI = true;
    void ApplyTexts();
    // OK: a pending entry is judged first; one the field refuses keeps the dialog open.
    void Button_OKClick();

    QLabel* Label1 = nullptr;
    QLabel* LB_Temperatur = nullptr;
    TNumEdit* Edit_Temp = nullptr;
    QLabel* L_DegC = nullptr;
    QPushButton* Button_OK = nullptr;
    QPushButton* Button_Cancel = nullptr;
    // Shown by OfferTemperature only: puts the offered temperature into Edit_Temp.
    QPushButton* Button_Frostgrenze = nullptr;

    // Offers a temperature (display unit) under the field with a button captioned with language
    // text captionTextNo and the value; the dialog grows by one row for it.
    void OfferTemperature(int captionTextNo, double value);

protected:
    void changeEvent(QEvent* e) override;
};

// Air state at temperature t (degC) with humidity ratio x (g/kg) at air pressure P (mbar):
// relative humidity (%) and wet-bulb temperature (degC).
struct TPreHeatState {
    double RelHum = 0.0;
    double WetBulb = 0.0;
};
TPreHeatState PreHeatState(double t, double x, double P);

// The context menu of an inlet temperature edit: the command "pre-heat" (object name
// "Menu_PreHeat") before the edit's own commands. The caller owns the menu.
class QMenu;
QMenu* PreHeatMenu(TFormProdukt& window, TNumEdit* tempEdit);
// Offers the command "pre-heat" in the context menus of the four inlet temperature edits.
void InstallPreHeat(TFormProdukt& window);
// The command on one inlet temperature edit: asks for the new temperature and applies it. On the
// winter outdoor-air edit with a valid frost limit, the dialog offers the first temperature above
// that limit. Returns whether a new temperature was applied.
bool PreHeatInlet(TFormProdukt& window, TNumEdit* tempEdit);
// Applies a new inlet temperature, given in the display unit, to the inlet of tempEdit: the inlet
// keeps its humidity ratio; the humidity edit shows the new relative humidity (mode 0) or wet-bulb
// temperature (mode 7); then the input change cycle runs. False when tempEdit is no inlet
// temperature edit of the window.
bool ApplyPreHeat(TFormProdukt& window, TNumEdit* tempEdit, double newTemp);
