#include "QtTestEnvironment.h"

#include <QApplication>
#include <QTemporaryDir>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "ui/UQvMessage.h"

void TQtTestEnvironment::SetUp() {
    static int argc = 1;
    static char name[] = "vx-test";
    static char* argv[] = {name, nullptr};
    settingsDir_ = new QTemporaryDir;
    qputenv("XDG_CONFIG_HOME", settingsDir_->path().toLocal8Bit());
    app_ = new QApplication(argc, argv);
    InitResources();
    ProductIndex = 4;
    Language = LangEnglish;
    ApplyLanguageFonts();
    SetMessageBoxHook([](const QString&, const QString&, int) { return 1; });
    Prepare();
}

void TQtTestEnvironment::TearDown() {
    Finish();
    SetMessageBoxHook({});
    delete app_;
    delete settingsDir_;
}
