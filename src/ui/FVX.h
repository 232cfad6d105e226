#pragma once
// The counterflow series window: the product window with the device panel (series, size, package
// width, bypass), the operating-point checks with their message box, the process data with the
// energy-efficiency rows and ErP marks, and the condensation hint.
#include "series/UVXGrenzen.h"
#include "series/UVXSerie.h"
#include "ui/FProdukt.h"

class QComboBox;
class QTemporaryDir;
class QLabel;
class TIntEdit;
class TQvRadioButton;

class TFormVX : public TFormProdukt {
    Q_OBJECT
public:
    // persistent false: a window for another program's use, which neither reads nor writes the
    // user's settings file (it starts from the default settings).
    explicit TFormVX(QWidget* parent = nullptr, bool persistent = true);
    ~TFormVX() override;

    // ---- Overrides ---------------------------------------------------------------------------
    void LoadSettings() override;
    void SaveSettings() override;
    void ShowInputs() override;
    bool CheckInputs() override;
    void SetUnitSystem(bool si) override;
    void SettingsChanged() override;
    void ApplyTexts() override;
    void UpdateUnitLabels() override;
    void ApplyTemperatureLimits() override;
    void ShowBypassResult() override;
    void ShowHint() override;
    void LayoutTables() override;
    int DevicePanelWidth() const override;

    // ---- Device panel ------------------------------------------------------------------------
    // Device change with the control that changed (nullptr: the window itself).
    void Aenderung_Geraet(QObject* source);
    void Combo_VXSerieChange();
    void Combo_BypassChange();
    void RButton_BypGeschwClick(QObject* sender);
    void ShowDeviceInputs();
    QString BuildTypeKey() const;
    // Text of one message code in the current language and unit system.
    QString MessageText(int code) const;
    // The message box text of a check of the active cases, as CheckInputs assembles it.
    struct TCheckMessage {
        QString Text;
        TMessageSet Codes;
        bool WarningsOnly = true;
    };
    TCheckMessage AssembleCheckMessage() const;


    QLabel* LB_VXTyp = nullptr;
    QComboBox* Combo_VXSerie = nullptr;
    QComboBox* Combo_VXTyp = nullptr;
    QLabel* LB_GBreite = nullptr;
    TIntEdit* Edit_GBreite = nullptr;
    QLabel* LE_GBreite = nullptr;
    QLabel* LB_Bypass = nullptr;
    QComboBox* Combo_Bypass = nullptr;
    TQvRadioButton* RButton_BypGeschw = nullptr;
    TQvRadioButton* RButton_BypBreite = nullptr;
    TNumEdit* Edit_BypGeschw = nullptr;
    TIntEdit* Edit_BypBreite = nullptr;
    QLabel* LE_BypGeschw = nullptr;
    QLabel* LE_BypBreite = nullptr;
    QLabel* LB_Hoehe = nullptr;
    QLabel* L_Hoehe = nullptr;
    QLabel* LB_Breite = nullptr;
    QLabel* L_Breite = nullptr;
    QLabel* LB_Laenge = nullptr;
    QLabel* L_Laenge = nullptr;
    QLabel* LB_Gewicht = nullptr;
    QLabel* L_Gewicht = nullptr;
    QLabel* LE_Gewicht = nullptr;
    QLabel* Label_Bauform = nullptr;

private:
    void BuildDevicePanel();
    void FillTypeList(int series);
    void ShowFigures();
    int CurrentSeries() const;
    int CurrentSize() const;
    bool m_deviceBusy = false;
    std::unique_ptr<QTemporaryDir> m_privateSettings;
};
