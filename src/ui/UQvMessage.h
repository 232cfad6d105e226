#pragma once
// The program's message box: one OK button, an optional system icon, sized to its text.
#include <QString>
#include <functional>

#include "ui/UQvForms.h"

class QLabel;
class QPushButton;

// Message types; each selects the icon shown beside the text.
enum TMsgType : int {
    mtWarning = 0,      // exclamation
    mtError = 1,        // stop
    mtInformation = 2,  // information
    mtConfirmation = 3, // question
    mtCustom = 4        // no icon
};

class TMessageForm : public TQvForm {
    Q_OBJECT
public:
    // Builds the box with its children placed; does not show it.
    TMessageForm(const QString& text, const QString& caption, int type, QWidget* parent = nullptr);

    QLabel* Image = nullptr;     // 32 x 32 icon, absent for mtCustom
    QLabel* Message = nullptr;   // the word-wrapped text
    QPushButton* Button_OK = nullptr;

    // Layout figures derived from the average character size of the font.
    int HorzMargin = 0, VertMargin = 0, HorzSpacing = 0, VertSpacing = 0;
    int ButtonWidth = 0, ButtonHeight = 0;
};

// The window a message belongs to: the active modal dialog or window when it is visible,
// otherwise a visible dialog or window. A message parented to a visible window never counts as the
// program's last window, so closing it cannot end the program.
QWidget* MessageParent();

// Shows the message modally and returns the dialog result (always accepted).
int ShowMessageBox(const QString& text, const QString& caption, int type);

// Replaces the modal display, for tests and scripted runs; pass an empty function to restore.
using TMessageBoxHook = std::function<int(const QString& text, const QString& caption, int type)>;
void SetMessageBoxHook(TMessageBoxHook hook);
