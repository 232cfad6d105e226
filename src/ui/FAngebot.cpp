#include "ui/FAngebot.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "ui/FBasis.h"
#include "ui/UQvControls.h"

namespace {
QString Text(int n) { return LoadText(n); }
QString DefaultLabel(int textNumber) { return Text(textNumber) + ":"; }
constexpr int ClientWidth = 384, ClientHeight = 185;
constexpr int LineCount = 8;
} // namespace

TFormAngebot::TFormAngebot(QWidget* parent)
    : TQvForm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("FormAngebot");
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    QLineEdit** fields[LineCount] = {&Edit0, &Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7};
    for (int i = 0; i < LineCount; ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString("Edit%1").arg(i));
        *fields[i] = e;
    }
    // The date line is shown, not edited: its label follows the language, its value is today.
    for (QLineEdit* e : {Edit0, Edit1}) {
        e->setFrame(false);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        e->setPalette(pal);
    }
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Edit5);
    setTabOrder(Edit5, Edit6);
    setTabOrder(Edit6, Edit7);

    Button_Vorgabe = new QPushButton(this);
    Button_Vorgabe->setObjectName("Button_Vorgabe");
    Button_Vorgabe->setGeometry(6, 112, 85, 25);
    connect(Button_Vorgabe, &QPushButton::clicked, this, [this] { Button_VorgabeClick(); });
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, 140, ClientWidth, 2);
    CheckBox_AlsAngebot = new TQvCheckBox(QString(), this);
    CheckBox_AlsAngebot->setObjectName("CheckBox_AlsAngebot");
    CheckBox_AlsAngebot->setGeometry(4, 160, 217, 21);
    Button_OK = new QPushButton("OK", this);
    Button_OK->setObjectName("Button_OK");
    Button_OK->setGeometry(224, 157, 77, 25);
    Button_OK->setDefault(true);
    Button_Cancel = new QPushButton(this);
    Button_Cancel->setObjectName("Button_Cancel");
    Button_Cancel->setGeometry(306, 157, 77, 25);
    connect(Button_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    ApplyTexts();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QLineEdit* TFormAngebot::Field(int i) const {
    QLineEdit* const fields[LineCount] = {Edit0, Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
    return i >= 0 && i < LineCount ? fields[i] : nullptr;
}

void TFormAngebot::ApplyTexts() {
    setFont(DialogFont);
    setWindowTitle(Text(137));
    Edit0->setText(DefaultLabel(141));
    Edit0->setCursorPosition(0);
    Button_Vorgabe->setText(Text(163));
    CheckBox_AlsAngebot->setText(Text(143));
    Button_Cancel->setText(Text(161));
    AssignMnemonics(this);
    PlaceFields();
}

// The label column is as wide as the widest default label of the language (at least 85 pixels),
// so the labels are whole; the value fields take the rest of the line.
void TFormAngebot::PlaceFields() {
    const QFontMetrics fm(font());
    int labelW = 85;
    for (int n : {141, 139, 140, 142}) labelW = std::max(labelW, fm.horizontalAdvance(DefaultLabel(n)) + 10);
    labelW = std::min(labelW, 150);
    const int valueLeft = 6 + labelW + 3;
    const int right = ClientWidth - 7;
    const int tops[4] = {10, 34, 59, 84};
    for (int pair = 0; pair < 4; ++pair) {
        Field(2 * pair)->setGeometry(6, tops[pair], labelW, 21);
        const bool shortValue = pair == 0 || pair == 3;  // date and position
        const int w = shortValue ? std::max(121, 215 - valueLeft) : right - valueLeft;
        Field(2 * pair + 1)->setGeometry(valueLeft, pair == 2 ? 61 : tops[pair], w, 21);
    }
    Button_Vorgabe->setGeometry(6, 112, std::max(85, fm.horizontalAdvance(Button_Vorgabe->text()) + 16), 25);
}

void TFormAngebot::Button_VorgabeClick() {
    Edit2->setText(DefaultLabel(139));
    Edit4->setText(DefaultLabel(140));
    Edit6->setText(DefaultLabel(142));
}

QStringList TFormAngebot::Lines() const {
    QStringList lines;
    for (int i = 0; i < LineCount; ++i) lines << Field(i)->text();
    return lines;
}

void TFormAngebot::SetLines(const QStringList& lines) {
    for (int i = 1; i < LineCount; ++i) {
        Field(i)->setText(lines.value(i));
        Field(i)->setCursorPosition(0);
    }
}

void TFormAngebot::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) ApplyTexts();
    TQvForm::changeEvent(e);
}

void TFormAngebot::showEvent(QShowEvent* e) {
    TQvForm::showEvent(e);
    Edit3->setFocus(Qt::ActiveWindowFocusReason);
}

bool ExchangeHeader(TFormBasis& owner) {
    auto* dlg = qobject_cast<TFormAngebot*>(owner.FormAngebot.data());
    if (!dlg) {
        dlg = new TFormAngebot(&owner);
        owner.FormAngebot = dlg;
    }
    dlg->CheckBox_AlsAngebot->setChecked(owner.Selection.PrintHeader);
    dlg->SetLines(ToLines(owner.Selection.HeaderLines));
    if (dlg->exec() != QDialog::Accepted) return false;
    owner.Selection.PrintHeader = dlg->CheckBox_AlsAngebot->isChecked();
    owner.Selection.HeaderLines = FromLines(dlg->Lines(), 8);
    return true;
}
