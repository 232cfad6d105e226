#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "app/UGlobal.h"
#include "app/UIniDatei.h"
#include "app/URessourcen.h"
#include "app/UZahlAdapter.h"
#include "ui/UQvMessage.h"

namespace {
QList<TShownMessage> g_messages;
QStringList g_questions;
TUnsavedChoice g_answer = TUnsavedChoice::Discard;

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        // Each test process gets its own settings folder: ctest runs tests in parallel.
        settingsDir_ = new QTemporaryDir;
        qputenv("XDG_CONFIG_HOME", settingsDir_->path().toLocal8Bit());
        app_ = new QApplication(argc, argv);
        InitResources();
        ProductIndex = 4;
        Language = LangEnglish;
        ApplyLanguageFonts();
        UseSeparators('.', ',');
        SetMessageBoxHook([](const QString& text, const QString& caption, int type) {
            g_messages.append({text, caption, type});
            return 1;
        });
        SetUnsavedChoiceHook([](const QString& text) {
            g_questions.append(text);
            return g_answer;
        });
    }
    void TearDown() override {
        SetMessageBoxHook({});
        SetUnsavedChoiceHook({});
        delete app_;
        delete settingsDir_;
    }

private:
    QApplication* app_ = nullptr;
    QTemporaryDir* settingsDir_ = nullptr;
};

[[maybe_unused]] testing::Environment* const g_env = testing::AddGlobalTestEnvironment(new QtEnvironment);
} // namespace

QList<TShownMessage>& ShownMessages() { return g_messages; }
QStringList& AskedQuestions() { return g_questions; }
TUnsavedChoice& UnsavedAnswer() { return g_answer; }
void ClearMessages() {
    g_messages.clear();
    g_questions.clear();
    g_answer = TUnsavedChoice::Discard;
}
QString SettingsFilePath() { return TIniDatei::SettingsFolder() + IniFileName; }
void RemoveSettingsFile() { QFile::remove(SettingsFilePath()); }
void UseSeparators(QChar dec, QChar thou) { SetProcessSeparators(dec, thou); }
