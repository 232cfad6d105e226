#pragma once
// Product window layer: the two calculation cases (winter and summer), the air inputs, the inlet,
// velocity/pressure-drop, outlet and process data tables and the calculation cycle. The series
// window below adds the device panel, the checks and the process data.
#include <array>
#include <utility>

#include "series/USelectionTables.h"
#include "ui/FBasis.h"

class QLineEdit;
class QPushButton;
class QToolButton;
class TDatenGrid;
class TNumEdit;
class TNumEditBase;
class TQvPageControl;
class TQvTabSheet;
class TQvStaticText;

// The air input edits of one case.
struct TCaseEdits {
    TNumEdit* SVol11 = nullptr;
    TNumEdit* SVol21 = nullptr;
    TNumEdit* Temp11 = nullptr;
    TNumEdit* Temp21 = nullptr;
    TNumEdit* Feuchte11 = nullptr;
    TNumEdit* Feuchte21 = nullptr;
    QList<TNumEdit*> All() const { return {SVol11, SVol21, Temp11, Temp21, Feuchte11, Feuchte21}; }
    // Each edit with the air input of the selection it types.
    std::array<std::pair<TNumEdit*, TAirInput>, 6> Inputs() const {
        return {{{SVol11, TAirInput::Flow11}, {SVol21, TAirInput::Flow21}, {Temp11, TAirInput::Temp11},
                 {Temp21, TAirInput::Temp21}, {Feuchte11, TAirInput::Humidity11}, {Feuchte21, TAirInput::Humidity21}}};
    }
};

class TFormProdukt : public TFormBasis {
    Q_OBJECT
public:
    explicit TFormProdukt(QWidget* parent = nullptr);
    ~TFormProdukt() override;

    // ---- Overrides of the frame ----------------------------------------------------------
    void LoadSettings() override;
    void SaveSettings() override;
    void ShowInputs() override;
    void ShowSelection() override;
    void SetResultsValid(bool valid) override;
    void SetUnitSystem(bool si) override;
    void SetHumidityMode(std::uint8_t mode) override;
    void SetFlowMode(std::uint8_t mode) override;
    void SetSeasonLayout(std::uint8_t mode) override;
    void SetSeasons(bool on) override;
    void Calculate() override;
    void ClearResults() override;
    void SettingsChanged() override;
    void ApplyTexts() override;
    void UpdateUnitLabels() override;
    void ShowDiagram(bool modal, bool withProcesses) override;

    // ---- The window's own operations --------------------------------------------------------
    // A confirmed air input edit: its value goes into the selection, then the input change cycle.
    void AirEditConfirmed(TNumEdit* edit);
    // Input change cycle: results cleared, inlet and velocity tables shown from the selection.
    void Aenderung_Daten();
    virtual void ApplyTemperatureLimits() {}
    // Inlet table, then velocity/pressure-drop table and the bypass result.
    void ShowCurrentState();
    // Outlet and process data tables (values only while the results are valid).
    void ShowResultTables();
    virtual void ShowBypassResult() {}
    virtual void ShowHint() {}
    // Places the tables, edits and captions for the current case count.
    virtual void LayoutTables();

    bool ResultsValid() const { return m_resultsValid; }
    bool BothCases() const { return Selection.TwoCases; }
    // The records that take part in a calculation request (winter, and summer with two cases).
    QList<TDatenVX*> ActiveRecords() const;

    // Display conversion of a quantity held in its internal code.
    double ToDisplay(int quantity, int siCode, int usCode, double v) const;
    double FromDisplay(int quantity, int siCode, int usCode, double v) const;
    // The same for an air input in the selection's modes.
    double ToDisplay(TAirInput input, double v) const;
    double FromDisplay(TAirInput input, double v) const;

    // ---- Controls ----------------------------------------------------------------------------
    TCaseEdits Winter, Summer;
    QLineEdit* Edit_Winter = nullptr;
    QLineEdit* Edit_Sommer = nullptr;
    QWidget* Panel_Seasons = nullptr;
    QToolButton* Button_Seasons = nullptr;
    TQvStaticText* LB_Zuluft = nullptr;
    TQvStaticText* LB_Abluft = nullptr;
    TQvStaticText* LB_Zuluft_S = nullptr;
    TQvStaticText* LB_Abluft_S = nullptr;
    TDatenGrid* Tabelle_Lufteintritt = nullptr;
    TDatenGrid* Tabelle_w_dp = nullptr;
    TQvPageControl* PageControl1 = nullptr;
    TQvTabSheet* TabSheet_Luftaustritt = nullptr;
    TQvTabSheet* TabSheet_Prozessdaten = nullptr;
    TDatenGrid* Tabelle_Luftaustritt = nullptr;
    TDatenGrid* Tabelle_Prozessdaten = nullptr;
    QLabel* LB_Hinweis = nullptr;
    QPushButton* Button_Vorauswahl = nullptr;
    QPushButton* Button_Berechnen = nullptr;
    QPushButton* Button_Diagramm = nullptr;
    QPushButton* Button_Datenblatt = nullptr;
    QPushButton* Button_Produktbeschreibung = nullptr;
    QPushButton* Button_Preise = nullptr;

    // Grid geometry shared by the tables.
    static constexpr int RowHeight = 16;
    static constexpr int TablesLeft = 4;
    // Width of the tables: what the device panel leaves of the client width.
    int TablesWidth = 470;
    // Width the series layer needs for its device panel right of the tables.
    virtual int DevicePanelWidth() const { return 0; }
    // Column index of the unit cells for the current case count.
    int UnitColumn() const { return BothCases() ? 9 : 5; }

    // Number text in the program's fixed-point format.
    static QString Fixed(double v, int decimals);

protected:
    // Second creation phase of this layer (after the series layer set up its device panel).
    void CreateProdukt();
    // Shows a value cell of a table: column of stream s (0, 1) in case c (0 winter, 1 summer).
    static int ValueColumn(int caseIndex, int stream) { return 1 + 2 * stream + 4 * caseIndex; }
    // Geometry of a cell relative to the client area.
    QRect CellRect(TDatenGrid* grid, int col, int row) const;
    // Writes stored inlet values into a record.
    static void PutInlets(const TInletValues& values, TDatenVX& record);
    // Shows the air input edits of both cases from the selection in the current modes and units.
    void ShowAirEdits();
    void PlaceInputEdits();
    // Titles, unit cells and value cells of a grid from a table of the selection.
    void FillGrid(TDatenGrid* grid, const TTable& table);
    bool m_resultsValid = false;
    bool m_inCycle = false;  // guards against the cycle re-entering itself
    bool m_created = false;

private:
    void BuildControls();
    void ConnectEdit(TNumEdit* e);
};
