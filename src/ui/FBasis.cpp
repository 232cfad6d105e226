#include "ui/FBasis.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSocketNotifier>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "app/UGlobal.h"
#include "app/UIniDatei.h"
#include "app/URessourcen.h"
#include "app/USettings.h"
#include "app/UVersion.h"
#include "ui/NumEdit.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"

#include "ui/FOptionen.h"
#include "ui/FAngebot.h"
#include "ui/FBemerkungen.h"
#include "ui/FSeite.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"
#include "ui/FInfo.h"
#include "ui/UPageLists.h"

namespace {
QString Text(int n) { return LoadText(n); }

// A logo picture; a missing picture leaves the place empty rather than stopping the window.
QPixmap LogoPixmap(int id) {
    try {
        return QPixmap::fromImage(LoadJpeg(id));
    } catch (const EResourceNotFound&) {
        return QPixmap();
    }
}

// Language items of the menu in the order of the codes they select.
struct LangItem {
    int code;
    const char* caption;
};
constexpr LangItem kLangItems[] = {{1, "Deutsch"}, {2, "English"}, {3, "Francais"}, {4, "Español"},
                                   {7, "Polski"},  {9, "Russian"}, {6, "Czech"},    {8, "Chinese"}};
} // namespace

// The empty page is the common page frame alone.
void EmptyFramePage(TFormBasis* owner, QPainter& canvas, bool forPdf) { BlankPage(owner, canvas, forPdf); }

TFormBasis::TFormBasis(QWidget* parent) : QMainWindow(parent) {
    setObjectName("FormBasis");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont);
    qApp->installEventFilter(this);

    MainMenu1 = new TQvMainMenu(this);
    MainMenu1->setObjectName("MainMenu1");
    setMenuBar(MainMenu1);
    BuildMenu();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    for (int w : {500, 50}) {
        auto* panel = new QLabel(StatusBar1);
        panel->setFixedWidth(w);
        StatusBar1->addWidget(panel);
        if (!L_Umgebung) L_Umgebung = panel;
    }
    L_Umgebung->setObjectName("L_Umgebung");
    setStatusBar(StatusBar1);

    auto* central = new QWidget(this);
    central->setObjectName("CentralWidget");
    setCentralWidget(central);

    Panel_Logo = new QFrame(central);
    Panel_Logo->setObjectName("Panel_Logo");
    Panel_Logo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel_Logo->setGeometry(1, 0, 630, 42);
    Image_Logo = new QLabel(Panel_Logo);
    Image_Logo->setObjectName("Image_Logo");
    Image_Logo->setGeometry(1, 1, 175, 40);
    Image_Logo->setScaledContents(true);
    Image_Logo_R = new QLabel(Panel_Logo);
    Image_Logo_R->setObjectName("Image_Logo_R");
    Image_Logo_R->setGeometry(630 - 1 - 175, 1, 175, 40);
    Image_Logo_R->setScaledContents(true);
    L_Titel_S = new QLabel(Panel_Logo);
    L_Titel_S->setObjectName("L_Titel_S");
    L_Titel_S->setAlignment(Qt::AlignRight | Qt::AlignTop);
    L_Titel = new QLabel(Panel_Logo);
    L_Titel->setObjectName("L_Titel");
    L_Titel->setAlignment(Qt::AlignRight | Qt::AlignTop);

    Client = new QWidget(central);
    Client->setObjectName("Client");
    Client->setGeometry(0, ClientTop, ClientWidth, ClientInnerHeight);

    central->setFixedSize(ClientWidth, ClientHeight - 20);
    StatusBar1->setFixedHeight(20);
}

TFormBasis::~TFormBasis() { DestroyFrame(); }

void TFormBasis::BuildMenu() {
    auto item = [this](QMenu* menu, const char* name) {
        auto* a = menu->addAction(QString());
        a->setObjectName(name);
        return a;
    };
    Menu_Datei = MainMenu1->addMenu(QString());
    Menu_Datei->setObjectName("Menu_Datei");
    Menu_Datei_Open = item(Menu_Datei, "Menu_Datei_Open");
    Menu_Datei_Save = item(Menu_Datei, "Menu_Datei_Save");
    Menu_Datei_SaveAs = item(Menu_Datei, "Menu_Datei_SaveAs");
    Menu_Datei_Sep = Menu_Datei->addSeparator();
    Menu_Datei_Beenden = item(Menu_Datei, "Menu_Datei_Beenden");
    Menu_Datei_Open->setShortcut(QKeySequence::Open);
    Menu_Datei_Save->setShortcut(QKeySequence::Save);
    Menu_Datei_SaveAs->setShortcut(QKeySequence::SaveAs);
    connect(Menu_Datei_Open, &QAction::triggered, this, [this] { OpenProject(); });
    connect(Menu_Datei_Save, &QAction::triggered, this, [this] { SaveProject(); });
    connect(Menu_Datei_SaveAs, &QAction::triggered, this, [this] { SaveProjectAs(); });
    connect(Menu_Datei_Beenden, &QAction::triggered, this, &QWidget::close);

    Menu_Edit = MainMenu1->addMenu(QString());
    Menu_Edit->setObjectName("Menu_Edit");
    Menu_Edit_Kopfzeile = item(Menu_Edit, "Menu_Edit_Kopfzeile");
    Menu_Edit_Bemerkungen = Menu_Edit->addMenu(QString());
    Menu_Edit_Bemerkungen->setObjectName("Menu_Edit_Bemerkungen");
    Menu_Edit_Bem_Datenblatt = item(Menu_Edit_Bemerkungen, "Menu_Edit_Bem_Datenblatt");
    Menu_Edit_Bem_Diagramm = item(Menu_Edit_Bemerkungen, "Menu_Edit_Bem_Diagramm");
    Menu_Edit_Bem_Preisblatt = item(Menu_Edit_Bemerkungen, "Menu_Edit_Bem_Preisblatt");
    connect(Menu_Edit_Kopfzeile, &QAction::triggered, this, [this] { EditHeader(); });
    connect(Menu_Edit_Bem_Datenblatt, &QAction::triggered, this, [this] { EditNotesData(); });
    connect(Menu_Edit_Bem_Diagramm, &QAction::triggered, this, [this] { EditNotesChart(); });

    Menu_Ansicht = MainMenu1->addMenu(QString());
    Menu_Ansicht->setObjectName("Menu_Ansicht");
    Menu_Ansicht_Datenblatt = item(Menu_Ansicht, "Menu_Ansicht_Datenblatt");
    Menu_Ansicht_Diagramm = item(Menu_Ansicht, "Menu_Ansicht_Diagramm");
    Menu_Ansicht_Produktbeschreibung = item(Menu_Ansicht, "Menu_Ansicht_Produktbeschreibung");
    connect(Menu_Ansicht_Datenblatt, &QAction::triggered, this, [this] { ShowDatasheet(); });
    connect(Menu_Ansicht_Diagramm, &QAction::triggered, this, [this] { ShowDiagram(true, true); });
    connect(Menu_Ansicht_Produktbeschreibung, &QAction::triggered, this,
            [this] { ShowProductDescription(); });

    Menu_Optionen = MainMenu1->addMenu(QString());
    Menu_Optionen->setObjectName("Menu_Optionen");
    Menu_Optionen_Sprache = Menu_Optionen->addMenu(QString());
    Menu_Optionen_Sprache->setObjectName("Menu_Optionen_Sprache");
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    QAction** targets[] = {&Menu_Optionen_Deutsch, &Menu_Optionen_English, &Menu_Optionen_Francais,
                         &Menu_Optionen_Espanol, &Menu_Optionen_Polski,  &Menu_Optionen_Russian,
                         &Menu_Optionen_Czech,   &Menu_Optionen_Chinese};
    const char* names[] = {"Menu_Optionen_Deutsch", "Menu_Optionen_English", "Menu_Optionen_Francais",
                           "Menu_Optionen_Espanol", "Menu_Optionen_Polski",  "Menu_Optionen_Russian",
                           "Menu_Optionen_Czech",   "Menu_Optionen_Chinese"};
    for (int i = 0; i < 8; ++i) {
        QAction* a = item(Menu_Optionen_Sprache, names[i]);
        a->setText(QString::fromUtf8(kLangItems[i].caption));
        a->setCheckable(true);
        a->setVisible(false);
        a->setEnabled(false);
        a->setData(kLangItems[i].code);
        group->addAction(a);
        const int code = kLangItems[i].code;
        connect(a, &QAction::triggered, this, [this, code] { SelectLanguage(code); });
        *targets[i] = a;
    }
    Menu_Optionen_Einstellungen = item(Menu_Optionen, "Menu_Optionen_Einstellungen");
    Menu_Optionen_UseSeasons = item(Menu_Optionen, "Menu_Optionen_UseSeasons");
    Menu_Optionen_UseSeasons->setCheckable(true);
    Menu_Optionen_UseSeasons->setVisible(false);
    connect(Menu_Optionen_Einstellungen, &QAction::triggered, this, [this] { EditSettings(); });
    connect(Menu_Optionen_UseSeasons, &QAction::triggered, this, [this] { SetSeasons(!Selection.Seasons); });

    Menu_Hilfe = MainMenu1->addMenu(QString());
    Menu_Hilfe->setObjectName("Menu_Hilfe");
    Menu_Hilfe_Info = item(Menu_Hilfe, "Menu_Hilfe_Info");
    Menu_Hilfe_Homepage = item(Menu_Hilfe, "Menu_Hilfe_Homepage");
    Menu_Hilfe_EMail = item(Menu_Hilfe, "Menu_Hilfe_EMail");
    connect(Menu_Hilfe_Info, &QAction::triggered, this, [this] {
        if (!FormInfo) FormInfo = new TFormInfo(this);
        FormInfo->exec();
    });
    connect(Menu_Hilfe_Homepage, &QAction::triggered, this, [] { OpenWebSite(); });
    connect(Menu_Hilfe_EMail, &QAction::triggered, this, [this] { SendSupportMail(windowTitle()); });

    // Hidden item that carries the F9 shortcut; it is part of the window, not of a visible menu.
    Menu_Calculate = new QAction(this);
    Menu_Calculate->setObjectName("Menu_Calculate");
    Menu_Calculate->setShortcut(Qt::Key_F9);
    Menu_Calculate->setShortcutContext(Qt::WindowShortcut);
    addAction(Menu_Calculate);
    connect(Menu_Calculate, &QAction::triggered, this, [this] { Calculate(); });

    for (QMenu* m : {Menu_Datei, Menu_Edit, Menu_Ansicht, Menu_Optionen, Menu_Hilfe}) {
        MainMenu1->Adopt(m);
        // A menu opened by keyboard takes no click: a value still being typed is confirmed first.
        connect(m, &QMenu::aboutToShow, this, [this] { ConfirmPendingEdit(); });
    }
}

QAction* TFormBasis::LanguageItem(int code) const {
    for (QAction* a : Menu_Optionen_Sprache->actions())
        if (a->data().toInt() == code) return a;
    return nullptr;
}

void TFormBasis::CreateFrame() {
    Menu_Optionen_UseSeasons->setVisible(true);
    SetSeasonLayout(1);
    SetSeasons(false);
    Selection.AmericanMethod = TotalEffectiveness = WetBulbOnDatasheet = false;
    for (const LangItem& li : kLangItems)
        if (IsAvailableLanguage(li.code)) {
            LanguageItem(li.code)->setVisible(true);
            LanguageItem(li.code)->setEnabled(true);
        }
    Menu_Edit_Bem_Preisblatt->setVisible(PricesEnabled);
    if (PricesEnabled) NotesPrice = QStringList(3);
    if (DatasheetPages.empty()) DatasheetPages = {&EmptyFramePage};
    if (ChartPages.empty()) ChartPages = {&EmptyFramePage};
    if (DescriptionPages.empty()) DescriptionPages = {&EmptyFramePage};
    Image_Logo->setPixmap(LogoPixmap(ProductIndex * 1000 + 202));
    Image_Logo_R->setPixmap(LogoPixmap(ProductIndex * 1000 + 203));
    LoadSettings();
    ApplyLanguage();
    // A window of fixed size (it can be minimised, not maximised), placed where it was last when
    // that place is still on a screen.
    adjustSize();
    setFixedSize(size());
    QList<QRect> available;  // the primary screen first
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) available << primary->availableGeometry();
    for (QScreen* s : QGuiApplication::screens())
        if (s != primary) available << s->availableGeometry();
    move(PlaceOnScreens(frameGeometry().size(), StoredSettings.Frame.WindowPosition, available));
}

QPoint PlaceOnScreens(const QSize& frame, const std::optional<QPoint>& stored, const QList<QRect>& available) {
    if (available.isEmpty()) return stored.value_or(QPoint(0, 0));
    if (!stored) return available.first().center() - QPoint(frame.width() / 2, frame.height() / 2);
    const QRect wanted(*stored, frame);
    const QRect* best = &available.first();
    qint64 bestArea = -1;
    for (const QRect& a : available) {
        if (a.contains(wanted)) return *stored;
        const QRect common = a.intersected(wanted);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            bestArea = area;
            best = &a;
        }
    }
    // Into the chosen area by the least distance; a window larger than the area keeps its top left.
    const int x = std::max(best->left(), std::min(wanted.left(), best->right() + 1 - frame.width()));
    const int y = std::max(best->top(), std::min(wanted.top(), best->bottom() + 1 - frame.height()));
    return {x, y};
}

void TFormBasis::DestroyFrame() {
    if (m_destroyed) return;
    m_destroyed = true;
    if (!PersistSettings || !Settings) return;
    // Every layer adds its keys to one batch, written at its end: the file then holds all of the
    // new settings or, when the write fails, the old file byte for byte.
    Settings->BeginUpdate();
    SaveSettings();
    if (!Settings->EndUpdate()) ReportSettingsProblem(Settings->LastError());
}

void TFormBasis::ReportSettingsProblem(const QString& message) {
    // Once per run: a file that cannot be written fails every save the same way.
    static bool reported = false;
    if (reported || message.isEmpty()) return;
    reported = true;
    ShowMessageBox(message, Text(104) + "!", mtError);
}

bool TFormBasis::eventFilter(QObject* watched, QEvent* e) {
    // Clicking a label, a table or the background takes no focus, so the field would stay
    // unconfirmed; the click confirms it as leaving the field does. A refused value keeps the
    // click from acting (the field shows its message and keeps the focus).
    if (e->type() == QEvent::MouseButtonPress) {
        auto* target = qobject_cast<QWidget*>(watched);
        auto* edit = qobject_cast<TNumEditBase*>(QApplication::focusWidget());
        if (target && edit && edit->isModified() && target->window() == this && target != edit &&
            !edit->isAncestorOf(target) && !edit->ConfirmPending())
            return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void TFormBasis::closeEvent(QCloseEvent* e) {
    if (!ConfirmPendingEdit() || !ResolveUnsavedChanges()) {
        e->ignore();
        return;
    }
    QMainWindow::closeEvent(e);
    if (!e->isAccepted()) return;
    DestroyFrame();
    emit Closed();
}

// ---- Settings --------------------------------------------------------------------------------
void TFormBasis::LoadSettings() {
    if (!Settings) return;
    ReportSettingsProblem(Settings->ReadProblem());
    TFrameSettings& f = StoredSettings.Frame;
    LoadFrameSettings(*Settings, ProductSection, f);
    ProjectPath = f.ProjectPath;
    PaperChoice = f.Paper;
    SetUnitSystem(f.UnitSystemSI);
    TotalEffectiveness = f.TotalEffectiveness;
    WetBulbOnDatasheet = f.WetBulbOnDatasheet;
    CarrierChart = f.CarrierChart;
    Selection.AmericanMethod = f.AmericanMethod;
    Selection.EnergyClasses = f.EnergyClasses;
    Selection.Pressure = f.AirPressure;
    Selection.SetFlowMode(static_cast<std::uint8_t>(f.FlowMode));
    Selection.SetHumidityMode(static_cast<std::uint8_t>(f.HumidityMode));
    SetSeasons(f.Seasons);
    Selection.PrintHeader = f.PrintHeader;
    Selection.HeaderLines = FromLines(QStringList(f.HeaderLines.begin(), f.HeaderLines.end()), 8);
    Selection.NotesData = FromLines(QStringList(f.NotesData.begin(), f.NotesData.end()), 3);
    Selection.NotesChart = FromLines(QStringList(f.NotesChart.begin(), f.NotesChart.end()), 3);
    if (PricesEnabled) NotesPrice = QStringList(f.NotesPrice.begin(), f.NotesPrice.end());
}

void TFormBasis::SaveSettings() {
    if (!Settings) return;
    TFrameSettings& f = StoredSettings.Frame;
    f.UnitSystemSI = UnitSystemSI;
    f.Paper = PaperChoice;
    f.AmericanMethod = Selection.AmericanMethod;
    f.TotalEffectiveness = TotalEffectiveness;
    f.EnergyClasses = Selection.EnergyClasses;
    f.WetBulbOnDatasheet = WetBulbOnDatasheet;
    f.CarrierChart = CarrierChart;
    f.AirPressure = Selection.Pressure;
    f.FlowMode = Selection.FlowMode;
    f.HumidityMode = Selection.HumidityMode;
    f.Seasons = Selection.Seasons;
    f.PrintHeader = Selection.PrintHeader;
    f.WindowPosition = pos();
    const QStringList header = ToLines(Selection.HeaderLines), notesData = ToLines(Selection.NotesData),
                      notesChart = ToLines(Selection.NotesChart);
    for (int i = 0; i < 8; ++i) f.HeaderLines[i] = header.value(i);
    for (int i = 0; i < 3; ++i) {
        f.NotesData[i] = notesData.value(i);
        f.NotesChart[i] = notesChart.value(i);
        f.NotesPrice[i] = NotesPrice.value(i);
    }
    SaveFrameSettings(*Settings, ProductSection, f);
}

// ---- Virtual operations with frame behaviour -------------------------------------------------
void TFormBasis::SetUnitSystem(bool si) {
    UnitSystemSI = si;
    TPageSettings::PaperSize = PaperFromSetting(PaperChoice, si);
    UpdateUnitLabels();
    ShowAirPressure();
}

void TFormBasis::SetSeasons(bool on) {
    Selection.SetSeasons(on);
    Menu_Optionen_UseSeasons->setChecked(on);
    UpdateTitle();
}

void TFormBasis::SetAirPressure(double p) {
    if (p == Selection.Pressure) return;
    Selection.SetPressure(p);
    ShowAirPressure();
    SetResultsValid(false);
}

void TFormBasis::ShowAirPressure() {
    L_Umgebung->setText(Selection.Pressure > 0 ? EnvironmentText(Selection.Pressure, UnitSystemSI) : QString());
}

bool TFormBasis::ConfirmPendingEdit() {
    auto* e = qobject_cast<TNumEditBase*>(QApplication::focusWidget());
    return !e || !e->isModified() || e->ConfirmPending();
}



void TFormBasis::SelectLanguage(int code) {
    if (!ConfirmPendingEdit()) return;
    Language = static_cast<std::uint8_t>(code);
    ApplyLanguage();
}

void TFormBasis::ApplyLanguage() {
    for (int code : {1, 2, 3, 7, 8, 9})
        if (QAction* a = LanguageItem(code)) a->setChecked(code == Language);
    if (PersistSettings) ReportSettingsProblem(WriteLanguageSetting(Language));
    ApplyLanguageFonts();
    ApplyQtTranslations();
    ApplyTexts();
    UpdateUnitLabels();
    ShowAirPressure();
    AssignMnemonics(this);
    // Every subordinate window that exists re-applies its own texts.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isWindow()) {
            QEvent ev(QEvent::LanguageChange);
            QCoreApplication::sendEvent(w, &ev);
        }
}

void TFormBasis::ApplyFonts() {
    setFont(DialogFont);
    Panel_Logo->setFont(font());
    QFont title = font();
    const int px = title.pixelSize() > 0 ? title.pixelSize() : QFontInfo(title).pixelSize();
    title.setPixelSize(static_cast<int>(std::nearbyint(px * 1.1)));
    L_Titel->setFont(title);
    QPalette pal = L_Titel->palette();
    pal.setColor(QPalette::WindowText, QColor(88, 71, 104));
    L_Titel->setPalette(pal);
    L_Titel_S->setFont(title);
    QPalette pw = L_Titel_S->palette();
    pw.setColor(QPalette::WindowText, Qt::white);
    L_Titel_S->setPalette(pw);
}

void TFormBasis::ApplyTexts() {
    ApplyFonts();
    MainMenu1->setFont(font());
    Menu_Datei->setTitle(Text(145));
    Menu_Datei_Open->setText(Text(148));
    Menu_Datei_Save->setText(Text(149));
    Menu_Datei_SaveAs->setText(Text(150) + "...");
    Menu_Datei_Beenden->setText(Text(164));
    Menu_Edit->setTitle(Text(153));
    Menu_Edit_Kopfzeile->setText(Text(137));
    Menu_Edit_Bemerkungen->setTitle(Text(135));
    Menu_Edit_Bem_Datenblatt->setText(Text(159));
    Menu_Edit_Bem_Diagramm->setText(Text(156));
    Menu_Edit_Bem_Preisblatt->setText(Text(337));
    Menu_Ansicht->setTitle(Text(175));
    Menu_Ansicht_Datenblatt->setText(Text(159));
    Menu_Ansicht_Diagramm->setText(Text(156));
    Menu_Ansicht_Produktbeschreibung->setText(Text(160));
    Menu_Optionen->setTitle(Text(173));
    Menu_Optionen_Sprache->setTitle(Text(174));
    Menu_Optionen_Einstellungen->setText(Text(165));
    Menu_Optionen_UseSeasons->setText(Text(272) + " / " + Text(273));
    Menu_Hilfe->setTitle(Text(169));
    Menu_Hilfe_Info->setText(Text(619));
    Menu_Hilfe_Homepage->setText("Tarvometrix " + Text(617));
    Menu_Hilfe_EMail->setText("Tarvometrix " + Text(618));
    Menu_Calculate->setText(Text(155));
}

namespace {
// The print preview, created once and owned by the main window.
TFormSeite* PrintPreview(TFormBasis* w) {
    if (!w->FormSeite) w->FormSeite = new TFormSeite(w);
    return static_cast<TFormSeite*>(w->FormSeite.data());
}
} // namespace

void TFormBasis::ShowDatasheet() {
    if (!ConfirmPendingEdit()) return;
    TFormSeite* preview = PrintPreview(this);
    preview->OnEditNotes = [this] { EditNotesData(); };
    hide();
    preview->DruckVorschau(this, DatasheetPages);
    show();
}

void TFormBasis::ShowProductDescription() {
    if (!ConfirmPendingEdit()) return;
    TFormSeite* preview = PrintPreview(this);
    preview->OnEditNotes = nullptr;
    hide();
    // The description page reads the series of this window, so the preview gets it as owner.
    preview->DruckVorschau(this, DescriptionPages);
    show();
}

// ---- Dialog exchanges ------------------------------------------------------------------------
void TFormBasis::EditNotesData() {
    QStringList notes = ToLines(Selection.NotesData);
    EditNotes(this, notes);
    Selection.NotesData = FromLines(notes, 3);
    UpdateTitle();
}

void TFormBasis::EditNotesChart() {
    QStringList notes = ToLines(Selection.NotesChart);
    EditNotes(this, notes);
    Selection.NotesChart = FromLines(notes, 3);
    UpdateTitle();
}

void TFormBasis::EditSettings() {
    if (!ConfirmPendingEdit()) return;
    ExchangeSettings(*this);
}

void TFormBasis::EditHeader() {
    ExchangeHeader(*this);
    UpdateTitle();
}

// ---- Project file ----------------------------------------------------------------------------
void TFormBasis::OpenProject() {
    if (!ConfirmPendingEdit() || !ResolveUnsavedChanges()) return;
    const QString path = QFileDialog::getOpenFileName(this, Text(148), ProjectFolder(), ProjectFileFilter());
    if (!path.isEmpty()) LoadProjectFile(path);
}

bool TFormBasis::SaveProject() {
    if (Project.Path().isEmpty()) return SaveProjectAs();
    return ConfirmPendingEdit() && SaveProjectFile(Project.Path());
}

bool TFormBasis::SaveProjectAs() {
    if (!ConfirmPendingEdit()) return false;
    QFileDialog dialog(this, Text(150), ProjectFolder(), ProjectFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromLatin1(ProjectExtension));
    dialog.selectFile(Project.DisplayName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return SaveProjectFile(dialog.selectedFiles().front());
}

QString TFormBasis::ProjectFolder() const {
    if (!Project.Path().isEmpty()) return QFileInfo(Project.Path()).absolutePath();
    if (!ProjectPath.isEmpty()) return ProjectPath;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

bool TFormBasis::OpenProjectFile(const QString& path) {
    if (!ConfirmPendingEdit() || !ResolveUnsavedChanges()) return false;
    return LoadProjectFile(path);
}

bool TFormBasis::LoadProjectFile(const QString& path) {
    if (!Project.Open(path, Selection)) return false;
    ShowSelection();
    // A planner opens a project to see its results, as after a calculation request.
    Calculate();
    UpdateTitle();
    return true;
}

bool TFormBasis::SaveProjectFile(const QString& path) {
    const bool saved = Project.Save(path, Selection);
    UpdateTitle();
    return saved;
}

bool TFormBasis::ResolveUnsavedChanges() {
    if (!Project.Modified(Selection)) return true;
    switch (AskToSaveChanges(this, Project.DisplayName())) {
        case TUnsavedChoice::Save:
            return SaveProject();
        case TUnsavedChoice::Discard:
            return true;
        case TUnsavedChoice::Cancel:
            break;
    }
    return false;
}

void TFormBasis::UpdateTitle() {
    setWindowTitle(Project.DisplayName() + "[*] - " + ProgramTitle());
    setWindowModified(Project.Modified(Selection));
}

// ---- Termination signals ---------------------------------------------------------------------
namespace {
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char c = 1;
    // Only an async-signal-safe write here; the event loop does the rest.
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &c, 1);
}
} // namespace

void CloseOnTerminationSignals(QWidget* mainWindow) {
    if (g_signalPipe[0] < 0) {
        if (::pipe(g_signalPipe) != 0) return;
        for (int fd : g_signalPipe) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(g_signalPipe[1], F_SETFL, O_NONBLOCK);
        struct sigaction sa {};
        sa.sa_handler = OnTerminationSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &sa, nullptr);
        ::sigaction(SIGINT, &sa, nullptr);
    }
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, mainWindow);
    QPointer<QWidget> target(mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [target] {
        char buf[16];
        [[maybe_unused]] const auto n = ::read(g_signalPipe[0], buf, sizeof buf);
        // Close open dialogs first so their event loops end, then the main window.
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        if (target) target->close();
    });
}
