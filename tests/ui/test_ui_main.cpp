#include <QFile>
#include <gtest/gtest.h>

#include "QtTestEnvironment.h"
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

// The window tests see every message and every unsaved-changes question, and answer them.
class UiEnvironment : public TQtTestEnvironment {
protected:
    void Prepare() override {
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
    void Finish() override { SetUnsavedChoiceHook({}); }
};

VX_QT_TEST_ENVIRONMENT(UiEnvironment);
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
