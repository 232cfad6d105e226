#pragma once
// Helpers of the dialog tests: acting on the next modal dialog, typing into fields as a user does,
// and checking that a dialog's captions are shown whole.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

#include "ui/NumEdit.h"

// Runs `act` on the next modal dialog of type D as soon as it is shown. When `act` leaves it open,
// the test fails and the dialog is cancelled, so a test can never hang in exec().
template <class D>
void OnNextModal(std::function<void(D*)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d) {
            if (++*tries > 400) {
                ADD_FAILURE() << "no modal dialog of the expected type appeared";
                if (auto* any = qobject_cast<QDialog*>(QApplication::activeModalWidget())) any->reject();
                timer->deleteLater();
                timer->stop();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(d);
        if (d->isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            d->reject();
        }
    });
    timer->start();
}

// Types text into a field (replacing what it holds) and confirms it with Enter.
inline void TypeAndEnter(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
}

// Types text into a field without confirming it.
inline void TypeOnly(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

// Captions of a dialog that do not fit their control (labels that do not wrap, buttons, check
// boxes, label fields); each entry names the control and its text.
inline QStringList CutCaptions(QWidget* dialog) {
    QStringList cut;
    auto check = [&cut](QWidget* w, const QString& text, int room) {
        if (!w->isVisibleTo(w->window()) || text.isEmpty()) return;
        const int need = QFontMetrics(w->font()).horizontalAdvance(QString(text).remove('&'));
        if (need > room) cut << QString("%1: \"%2\" needs %3, has %4").arg(w->objectName(), text).arg(need).arg(room);
    };
    for (QLabel* l : dialog->findChildren<QLabel*>())
        if (!l->wordWrap()) check(l, l->text(), l->contentsRect().width());
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
        if (b->inherits("TWrapRadioButton")) {
            // a wrapping caption must fit in the height of the button
            const QRect r = QFontMetrics(b->font()).boundingRect(QRect(0, 0, b->width() - 16, 1000),
                                                                Qt::TextWordWrap, b->text());
            if (r.height() > b->height() || !b->isVisibleTo(b->window())) {
                if (b->isVisibleTo(b->window()))
                    cut << QString("%1: wrapped \"%2\" needs height %3, has %4")
                               .arg(b->objectName(), b->text()).arg(r.height()).arg(b->height());
            }
            continue;
        }
        const int indicator = (b->inherits("QCheckBox") || b->inherits("QRadioButton")) ? 18 : 8;
        check(b, b->text(), b->width() - indicator);
    }
    for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
        if (e->isReadOnly() || !e->hasFrame()) check(e, e->text(), e->width() - 4);
    for (QTabWidget* t : dialog->findChildren<QTabWidget*>()) {
        // all tabs side by side, without scroll arrows
        const int total = t->tabBar()->sizeHint().width();
        if (total > t->width()) cut << QString("%1: tabs need %2, have %3").arg(t->objectName()).arg(total).arg(t->width());
        // each caption inside its tab, beside the margin the style keeps free
        QTabBar* bar = t->tabBar();
        const int margin = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
        for (int i = 0; i < t->count(); ++i) {
            const int need = QFontMetrics(bar->font()).horizontalAdvance(t->tabText(i)) + margin;
            if (need > bar->tabRect(i).width())
                cut << QString("%1: tab \"%2\" needs %3, has %4").arg(t->objectName(), t->tabText(i)).arg(need).arg(bar->tabRect(i).width());
        }
    }
    return cut;
}
