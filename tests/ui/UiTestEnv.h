#pragma once
// Shared set-up of the window tests: one QApplication on the offscreen platform, the program's
// resources and fonts, English texts, point as decimal separator, and a message box that records
// instead of waiting for a click; the question about unsaved changes is recorded and answered
// the same way.
#include <QString>
#include <QStringList>

#include "ui/UProjektDatei.h"

struct TShownMessage {
    QString Text;
    QString Caption;
    int Type = -1;
};

// Messages shown since the last ClearMessages().
QList<TShownMessage>& ShownMessages();
// Questions about unsaved changes since the last ClearMessages(), and the answer they get
// (Discard after ClearMessages()).
QStringList& AskedQuestions();
TUnsavedChoice& UnsavedAnswer();
void ClearMessages();
// Removes the settings file so a window starts from the defaults.
void RemoveSettingsFile();
// Path of the settings file.
QString SettingsFilePath();
// Sets the program-wide separators ('\0' thousand: no grouping).
void UseSeparators(QChar decimalSep, QChar thousandSep);
