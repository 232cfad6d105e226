#pragma once
// Frame of the program's main window: title strip with logos, menu bar, status bar, the user's
// global choices (unit system, calculation standard, notes, header lines), loading and saving of
// settings, language switching, the settings-dialog and header-dialog exchanges and the entry
// points of the data sheet, chart and product description.
//
// The product window derives from this class and fills in the calculation through the virtual
// operations. Because a constructor cannot reach the overrides of a derived class, the most
// derived window calls CreateFrame() at the end of its own construction and DestroyFrame() at
// the start of its destructor.
//
// Subordinate windows (settings, header, notes, about, print preview, chart) are children of the
// main window. ApplyLanguage() sends QEvent::LanguageChange to every one of them that exists, so
// each re-applies its own texts from its changeEvent().
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/USettings.h"
#include "calc/UDaten.h"
#include "print/UPageContext.h"
#include "series/USelection.h"
#include "ui/UProjektDatei.h"

class QAction;
class QActionGroup;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QPainter;
class QStatusBar;
class TIniDatei;
class TQvMainMenu;
class TFormBasis;

// A page routine: draws one page of a printout in 0.1 mm page coordinates.
using TPageProc = void (*)(TFormBasis* owner, QPainter& canvas, bool forPdf);

class TFormBasis : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormBasis(QWidget* parent = nullptr);
    ~TFormBasis() override;

    // Client area below the menu bar, the status bar included: 632 wide, and tall enough for the
    // ten rows of the process data (the nine result rows and the frost limit).
    static constexpr int ClientWidth = 632;
    static constexpr int ClientHeight = 492;
    // Top of the window's client widget below the title strip, and its height.
    static constexpr int ClientTop = 42;
    static constexpr int ClientInnerHeight = ClientHeight - ClientTop;

    // ---- Frame state (read by the pages and the dialogs) -------------------------------------
    // The selection shown by this window: every input, the device, header and notes, and what is
    // derived from them. Edits write it; every display is rendered from it.
    TSelection Selection;
    TDatenVX* const WinterRecord = &Selection.Cases[0];
    TDatenVX* const SummerRecord = &Selection.Cases[1];
    bool CarrierChart = false;        // chart style: true Carrier, false Mollier
    bool UnitSystemSI = false;        // true SI, false UK/US
    QString PaperChoice;              // "A4", "Letter", or empty: the paper of the unit system
    std::vector<TPageProc> DatasheetPages, ChartPages, DescriptionPages;
    bool WetBulbOnDatasheet = false;
    QStringList NotesPrice;           // three lines
    bool TotalEffectiveness = false;
    std::unique_ptr<TIniDatei> Settings;
    QString ProjectPath;
    // The stored values of every window layer as last loaded or saved.
    TAllSettings StoredSettings;
    // False for a window that works for another program (vxrate): it starts from the default
    // settings and writes neither the settings file nor the language key.
    bool PersistSettings = true;

    // ---- Virtual operations ------------------------------------------------------------------
    virtual void LoadSettings();
    virtual void SaveSettings();
    virtual void ShowInputs() {}
    virtual void SetResultsValid(bool) {}
    virtual bool CheckInputs() { return false; }
    virtual void SetUnitSystem(bool si);
    virtual void SetHumidityMode(std::uint8_t mode) { Selection.SetHumidityMode(mode); }
    virtual void SetFlowMode(std::uint8_t mode) { Selection.SetFlowMode(mode); }
    virtual void SetSeasonLayout(std::uint8_t mode) { Selection.SetTwoCases(mode == 2); }
    virtual void SetSeasons(bool on);
    virtual void Calculate() {}
    virtual void ClearResults() {}
    virtual void ApplyLanguage();
    virtual void SettingsChanged() { ApplyLanguage(); }
    // Re-renders every display after the whole selection was replaced (a project was opened).
    virtual void ShowSelection() {}
    // Title of the program in the title bar, after the project's file name.
    virtual QString ProgramTitle() const { return QStringLiteral("VX"); }
    virtual void ShowDatasheet();
    virtual void ShowProductDescription();
    virtual void ApplyTexts();
    virtual void ApplyFonts();
    virtual void UpdateUnitLabels() {}
    virtual void ShowDiagram(bool /*modal*/, bool /*withProcesses*/) {}

    // ---- Project file ----------------------------------------------------------------------
    // The file the selection was opened from or last saved to, and the state saved there.
    TProjectFile Project;
    // File > Open, Save and Save As: the file dialogs, then the operations below.
    void OpenProject();
    bool SaveProject();
    bool SaveProjectAs();
    // Opens the project at path in place of the selection, after asking about unsaved changes. A
    // file that cannot be opened gives a message naming it and the reason; the selection stays.
    bool OpenProjectFile(const QString& path);
    // Saves the selection to path (atomically); a failure gives a message and keeps the old file.
    bool SaveProjectFile(const QString& path);
    // With unsaved changes, asks Save / Discard / Cancel; true when the caller may go on.
    bool ResolveUnsavedChanges();
    // Title bar: the project's file name with a modified mark, then the program title.
    void UpdateTitle();

    // ---- Other operations ----------------------------------------------------------------
    // Confirms a value typed into the focused number field and not yet confirmed, so that every
    // command works on what the user sees. False when the value was refused.
    bool ConfirmPendingEdit();
    // Stores a new air pressure; a different value invalidates the results.
    void SetAirPressure(double p);
    // Shows the air pressure and altitude in force in the status line.
    void ShowAirPressure();
    void EditNotesData();
    void EditNotesChart();
    // Settings-dialog and header-dialog exchanges (the menu items call these).
    void EditSettings();
    void EditHeader();
    // Switches the interface language (a code of the language menu).
    void SelectLanguage(int code);

    // ---- Controls --------------------------------------------------------------------------
    QFrame* Panel_Logo = nullptr;
    QLabel* Image_Logo = nullptr;
    QLabel* Image_Logo_R = nullptr;
    QLabel* L_Titel = nullptr;
    QLabel* L_Titel_S = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* L_Umgebung = nullptr;  // first status panel: air pressure and altitude in force
    TQvMainMenu* MainMenu1 = nullptr;
    QWidget* Client = nullptr;  // area below the title strip where the product window lays out

    QMenu* Menu_Datei = nullptr;
    QAction* Menu_Datei_Open = nullptr;
    QAction* Menu_Datei_Save = nullptr;
    QAction* Menu_Datei_SaveAs = nullptr;
    QAction* Menu_Datei_Sep = nullptr;
    QAction* Menu_Datei_Beenden = nullptr;
    QMenu* Menu_Edit = nullptr;
    QAction* Menu_Edit_Kopfzeile = nullptr;
    QMenu* Menu_Edit_Bemerkungen = nullptr;
    QAction* Menu_Edit_Bem_Datenblatt = nullptr;
    QAction* Menu_Edit_Bem_Diagramm = nullptr;
    QAction* Menu_Edit_Bem_Preisblatt = nullptr;
    QMenu* Menu_Ansicht = nullptr;
    QAction* Menu_Ansicht_Datenblatt = nullptr;
    QAction* Menu_Ansicht_Diagramm = nullptr;
    QAction* Menu_Ansicht_Produktbeschreibung = nullptr;
    QMenu* Menu_Optionen = nullptr;
    QMenu* Menu_Optionen_Sprache = nullptr;
    QAction* Menu_Optionen_Deutsch = nullptr;
    QAction* Menu_Optionen_English = nullptr;
    QAction* Menu_Optionen_Francais = nullptr;
    QAction* Menu_Optionen_Espanol = nullptr;
    QAction* Menu_Optionen_Polski = nullptr;
    QAction* Menu_Optionen_Russian = nullptr;
    QAction* Menu_Optionen_Czech = nullptr;
    QAction* Menu_Optionen_Chinese = nullptr;
    QAction* Menu_Optionen_Einstellungen = nullptr;
    QAction* Menu_Optionen_UseSeasons = nullptr;
    QMenu* Menu_Hilfe = nullptr;
    QAction* Menu_Hilfe_Info = nullptr;
    QAction* Menu_Hilfe_Homepage = nullptr;
    QAction* Menu_Hilfe_EMail = nullptr;
    QAction* Menu_Calculate = nullptr;  // hidden; shortcut F9

    // The language item of a language code, or nullptr.
    QAction* LanguageItem(int code) const;

    // Subordinate windows, created on first use and kept.
    QPointer<QDialog> FormOptionen, FormAngebot, FormBemerkungen, FormInfo;
    QPointer<QWidget> FormSeite, FormMollier;

signals:
    // The window accepted a close (Exit, its close button, the end of the desktop session); the
    // program ends with it.
    void Closed();

protected:
    // Creation steps that need the overrides: menus shown and hidden, note lists, page lists,
    // logos, LoadSettings and ApplyLanguage.
    void CreateFrame();
    // Saves the settings of every layer in one write (a failure is reported once); called by the
    // most derived destructor and at a normal close.
    void DestroyFrame();
    // Tells the user why the settings file cannot be read or written, the first time only.
    static void ReportSettingsProblem(const QString& message);
    void closeEvent(QCloseEvent* e) override;
    // A click anywhere in the window outside the number field being edited confirms that field.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildMenu();
    // Folder the file dialogs start in: that of the open project, else the settings' project folder.
    QString ProjectFolder() const;
    // Reads the project at path into the selection and shows it; no question asked.
    bool LoadProjectFile(const QString& path);
    bool m_destroyed = false;
};

// Where a window of the given frame size goes: at `stored` when the whole window lies on one of
// the screens' available areas there, otherwise moved the least distance into the area that holds
// most of it (the first area when none does); without a stored place, the centre of the first.
QPoint PlaceOnScreens(const QSize& frame, const std::optional<QPoint>& stored, const QList<QRect>& available);

// Draws an empty page with the common page frame; the page lists start with it.
void EmptyFramePage(TFormBasis* owner, QPainter& canvas, bool forPdf);

// Makes SIGTERM (end of the desktop session) and SIGINT (Ctrl+C in a terminal) close the window
// through the normal close path, so its settings are saved as at a normal exit. The signal handler
// only writes to a pipe; the window is closed from the event loop.
void CloseOnTerminationSignals(QWidget* mainWindow);
