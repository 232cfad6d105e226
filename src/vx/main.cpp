// Program entry of VX: process-wide values, interface language, start picture, main window.
#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UVersion.h"
#include "app/UZahlAdapter.h"
#include "ui/FInfo.h"
#include "ui/FVX.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

#include <memory>

namespace {

// The program's main window: the counterflow series window. Its creation reads the settings and
// its destruction writes them; SIGTERM and SIGINT close it like the Exit command. The program ends
// when this window closes, and only then: a message, dialog or print preview closing while the
// main window is hidden is not the last window of the program.
std::unique_ptr<TFormVX> CreateMainWindow()
{
    auto window = std::make_unique<TFormVX>();
    CloseOnTerminationSignals(window.get());
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(window.get(), &TFormBasis::Closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return window;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The same icon as the desktop entry, for the task bar and window decorations.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/desktop/vx.svg")));

    // Module initialisations.
    InitResources();
    InitVersionText();
    PricesEnabled = false;
    InitProcessSeparatorsFromLocale();

    ProductIndex = 4;
    Language = ReadLanguageSetting(IniFileName, GlobalSection, QStringLiteral("Language"));
    ApplyLanguageFonts();
    ShowSplash();

    int result = 0;
    {
        std::unique_ptr<TFormVX> mainWindow = CreateMainWindow();
        mainWindow->show();
        // "VX FILE" opens a project file (a double click on one starts VX so).
        const QStringList arguments = QApplication::arguments();
        if (arguments.size() > 1) mainWindow->OpenProjectFile(arguments.at(1));
        result = app.exec();
    }
    ReleaseResources();
    return result;
}
