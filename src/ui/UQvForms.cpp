#include "UQvForms.h"

#include <QPushButton>

void AddOkCancelButtons(QDialog* dialog, int width, int height, const std::function<void()>& onOk,
                        QPushButton*& ok, QPushButton*& cancel) {
    constexpr int margin = 8, gap = 6, w = 75, h = 25;
    ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName("Button_OK");
    cancel = new QPushButton(dialog);
    cancel->setObjectName("Button_Cancel");
    ok->setGeometry(width - margin - 2 * w - gap, height - margin - h, w, h);
    cancel->setGeometry(width - margin - w, height - margin - h, w, h);
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
    }
    QObject::connect(ok, &QPushButton::clicked, dialog, onOk);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}
