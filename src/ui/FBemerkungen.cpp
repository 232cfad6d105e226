#include "ui/FBemerkungen.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <memory>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "ui/FBasis.h"
#include "ui/UQvControls.h"

namespace {
constexpr int ClientWidth = 558, ClientHeight = 113;
}

TFormBemerkungen::TFormBemerkungen(QWidget* parent)
    : TQvForm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("FormBemerkungen");
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    int top = 6;
    for (QLineEdit** e : {&Bem1, &Bem2, &Bem3}) {
        *e = new QLineEdit(this);
        (*e)->setGeometry(6, top, 547, 21);
        top += 26;
    }
    Bem1->setObjectName("Bem1");
    Bem2->setObjectName("Bem2");
    Bem3->setObjectName("Bem3");
    Button_OK = new QPushButton("OK", this);
    Button_OK->setObjectName("Button_OK");
    Button_OK->setGeometry(398, 86, 75, 25);
    Button_OK->setDefault(true);
    Button_Cancel = new QPushButton(this);
    Button_Cancel->setObjectName("Button_Cancel");
    Button_Cancel->setGeometry(478, 86, 75, 25);
    connect(Button_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    ApplyTexts();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormBemerkungen::ApplyTexts() {
    setFont(DialogFont);
    setWindowTitle(LoadText(135));
    Button_Cancel->setText(LoadText(161));
    AssignMnemonics(this);
}

void TFormBemerkungen::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) ApplyTexts();
    TQvForm::changeEvent(e);
}

void TFormBemerkungen::showEvent(QShowEvent* e) {
    TQvForm::showEvent(e);
    Bem1->setFocus(Qt::ActiveWindowFocusReason);
}

bool EditNotes(QWidget* owner, QStringList& list) {
    auto* basis = qobject_cast<TFormBasis*>(owner);
    TFormBemerkungen* dlg = basis ? qobject_cast<TFormBemerkungen*>(basis->FormBemerkungen.data())
                                  : owner ? owner->findChild<TFormBemerkungen*>(QString(), Qt::FindDirectChildrenOnly)
                                          : nullptr;
    std::unique_ptr<TFormBemerkungen> ownerless;  // without an owner the dialog lives for this call
    if (!dlg && !owner) {
        ownerless = std::make_unique<TFormBemerkungen>();
        dlg = ownerless.get();
    } else if (!dlg) {
        dlg = new TFormBemerkungen(owner);
        if (basis) basis->FormBemerkungen = dlg;
    }
    QLineEdit* const fields[3] = {dlg->Bem1, dlg->Bem2, dlg->Bem3};
    for (int i = 0; i < 3; ++i) {
        fields[i]->setText(i < list.size() ? list.at(i) : QString());
        fields[i]->setCursorPosition(0);
    }
    if (dlg->exec() != QDialog::Accepted) return false;
    list.clear();
    for (QLineEdit* f : fields) list.append(f->text());
    return true;
}
