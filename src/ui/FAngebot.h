#pragma once
// The header dialog: the quotation data printed at the top of the data sheet, four label/value
// pairs (date, offer number, project, position) and whether the data sheet prints them.
#include <QStringList>

#include "ui/UQvForms.h"

class QFrame;
class QLineEdit;
class QPushButton;
class TFormBasis;
class TQvCheckBox;

class TFormAngebot : public TQvForm {
    Q_OBJECT
public:
    explicit TFormAngebot(QWidget* parent = nullptr);

    // Re-applies the captions; the date label follows the language, the other labels keep what
    // the user or "Default" put there.
    void ApplyTexts();
    // "Default": the three default labels into Edit2, Edit4 and Edit6.
    void Button_VorgabeClick();

    // The eight fields as header lines 0 to 7.
    QStringList Lines() const;
    // Fills fields 1 to 7 from lines 1 to 7; field 0 keeps its own caption.
    void SetLines(const QStringList& lines);

    QLineEdit* Edit0 = nullptr;  // date label
    QLineEdit* Edit1 = nullptr;  // date
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QPushButton* Button_Vorgabe = nullptr;
    QFrame* Bevel1 = nullptr;
    TQvCheckBox* CheckBox_AlsAngebot = nullptr;
    QPushButton* Button_OK = nullptr;
    QPushButton* Button_Cancel = nullptr;

    QLineEdit* Field(int i) const;

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void PlaceFields();
};

// The main window's header exchange: creates the dialog once (kept as FormAngebot), sets the print
// check box and fields 1 to 7, shows it modally and on OK takes the check box and all eight fields
// back. Returns whether the dialog was closed with OK.
bool ExchangeHeader(TFormBasis& owner);
