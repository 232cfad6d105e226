#pragma once
// The notes dialog: three one-line notes printed on a data sheet or a chart page.
#include <QStringList>

#include "ui/UQvForms.h"

class QLineEdit;
class QPushButton;

class TFormBemerkungen : public TQvForm {
    Q_OBJECT
public:
    explicit TFormBemerkungen(QWidget* parent = nullptr);
    void ApplyTexts();

    QLineEdit* Bem1 = nullptr;
    QLineEdit* Bem2 = nullptr;
    QLineEdit* Bem3 = nullptr;
    QPushButton* Button_OK = nullptr;
    QPushButton* Button_Cancel = nullptr;

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
};

// Edits a list of note lines in the notes dialog of owner (created once, kept as the window's
// notes dialog). Only OK changes the list, which then always holds the three lines.
// Returns whether the dialog was closed with OK.
bool EditNotes(QWidget* owner, QStringList& list);
