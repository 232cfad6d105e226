#pragma once
// The settings dialog: air pressure and altitude, unit system, number separators, the input modes
// of air quantity and humidity, and the calculation standard. It works on its own copy of these
// values; the main window hands them in before showing it and takes them back only after OK
// (ExchangeSettings below).
#include <QChar>
#include <QString>
#include <cstdint>

#include "ui/UQvControls.h"
#include "ui/UQvForms.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TFormBasis;
class TNumEdit;

// Ranges of the two environment fields in the display units of each unit system.
struct TEnvironmentRanges {
    double PressureMin, PressureMax;  // mbar (SI) or atm (UK/US)
    double AltitudeMin, AltitudeMax;  // m (SI) or ft (UK/US)
};
TEnvironmentRanges EnvironmentRanges(bool si);

// Air pressure (mbar) and the altitude belonging to it in the display units, as the dialog shows
// them: pressure to 0.1 mbar or 0.001 atm, altitude in whole metres or feet.
struct TEnvironmentDisplay {
    double Pressure = 0, Altitude = 0;
    int PressureDigits = 1;
    QString PressureUnit, AltitudeUnit;
};
TEnvironmentDisplay EnvironmentDisplay(double pressureMbar, double altitudeM, bool si);
// "Air pressure: 843.0 mbar   Altitude: 1524 m" in the language and with the separators in force.
QString EnvironmentText(double pressureMbar, bool si);

// Outcome of taking the two separator fields over.
enum class TSeparatorCheck {
    Ok,
    UnusableDecimal,   // a digit, a sign, a blank or an exponent letter cannot mark decimals
    UnusableThousand,  // a digit or a sign cannot group digits
    Same,              // one character for both: numbers could not be read back unambiguously
};
// Takes the first character of each field text; an empty field keeps the separator in force.
// decimalSep and thousandSep hold the separators in force and receive the new ones on Ok; on any
// other outcome they are left unchanged. A thousand separator of QChar() means no grouping.
TSeparatorCheck ChooseSeparators(const QString& decimalText, const QString& thousandText,
                                 QChar& decimalSep, QChar& thousandSep);

// A radio button whose caption wraps onto further lines when it is wider than the button.
class TWrapRadioButton : public TQvRadioButton {
    Q_OBJECT
public:
    using TQvRadioButton::TQvRadioButton;

protected:
    void paintEvent(QPaintEvent*) override;
};

class TFormOptionen : public TQvForm {
    Q_OBJECT
public:
    explicit TFormOptionen(QWidget* parent = nullptr);

    // ---- Dialog state --------------------------------------------------------------------------
    bool UnitSI = false;            // unit system shown in the dialog
    double Pressure = 0.0;          // mbar
    double Altitude = 0.0;          // m, belonging to Pressure
    std::uint8_t FlowMode = 0;      // 0 standard volume, 1 operating volume, 3 mass flow
    std::uint8_t HumidityMode = 0;  // 0 relative, 1 absolute humidity, 7 wet-bulb temperature
    QString CurrencySymbol;         // empty in this program

    // ---- Operations called by the main window -------------------------------------------------
    void SetUnitSystem(bool si);
    void SetPressure(double p);
    void SetHumidityMode(std::uint8_t mode);
    void SetFlowMode(std::uint8_t mode);
    void ApplyTexts();

    // The separators chosen in the dialog (valid after OK).
    QChar DecimalSeparator() const { return m_decimal; }
    QChar ThousandSeparator() const { return m_thousand; }

    // ---- Event handlers ------------------------------------------------------------------------
    // Either environment field confirmed a new value.
    void Edit_LuftdruckCalculate(QObject* sender);
    // Either calculation-standard button was clicked (or set by the main window).
    void RadioButton_PHIClick();
    // OK: takes over pending entries and the separators; refuses the dialog on a bad entry.
    void Button_OKClick();

    // ---- Controls ------------------------------------------------------------------------------
    QPushButton* Button_OK = nullptr;
    QPushButton* Button_Cancel = nullptr;
    TQvPageControl* PageControl1 = nullptr;
    TQvTabSheet* Seite_Umgebung = nullptr;
    TQvTabSheet* Seite_Einheiten = nullptr;
    TQvTabSheet* Seite_EingabeDaten = nullptr;
    TQvTabSheet* Seite_Prozessdaten = nullptr;

    QLabel* Label_Luftdruck = nullptr;
    TNumEdit* Edit_Luftdruck = nullptr;
    QLabel* Label_mbar = nullptr;
    QLabel* Label_HoeheNN = nullptr;
    TNumEdit* Edit_HoeheNN = nullptr;
    QLabel* Label_m = nullptr;

    QTableWidget* Tabelle_Einheiten = nullptr;
    TQvRadioButton* RadioButton_SI = nullptr;
    TQvRadioButton* RadioButton_US = nullptr;
    QLabel* Label_DecimalSeparator = nullptr;
    QLineEdit* Edit_DecimalSeparator = nullptr;
    QLabel* Label_ThousandSeparator = nullptr;
    QLineEdit* Edit_ThousandSeparator = nullptr;
    QLabel* Label_Waehrung = nullptr;
    QLineEdit* Edit_Waehrung = nullptr;
    // Paper of the printed pages: A4 (index 0) or US Letter (1). Until the user picks one it
    // follows the unit system.
    QLabel* Label_Papier = nullptr;
    TAlignComboBox* Combo_Papier = nullptr;
    bool PaperChosen = false;

    QLabel* Label_Luftmenge = nullptr;
    TAlignComboBox* Combo_Luftmenge = nullptr;
    QLabel* Label_Feuchte = nullptr;
    TAlignComboBox* Combo_Feuchte = nullptr;
    TQvCheckBox* CheckBox_WB = nullptr;

    TWrapRadioButton* RadioButton_PHI_Europa = nullptr;
    TWrapRadioButton* RadioButton_PHI_USA = nullptr;
    TQvCheckBox* CheckBox_TotalEff = nullptr;
    TQvCheckBox* CheckBox_HCLASS = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildControls();
    void SetUpUnitTable();
    void ShowEnvironment();
    void PlaceControls();
    QChar m_decimal, m_thousand;
};

// The main window's settings exchange: creates the dialog once (kept as the window's
// FormOptionen), hands it the window's current choices, shows it modally and, on OK only, applies
// pressure, unit system, humidity mode, flow mode, separators and the calculation standard in this
// order and finally calls SettingsChanged. Returns whether the dialog was closed with OK.
bool ExchangeSettings(TFormBasis& owner);
