#pragma once
// A fresh product window per test, shown and active, started from the default settings.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QAction>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "UiTestEnv.h"
#include "app/UGlobal.h"
#include "thermo/UZahlformat.h"
#include "ui/DatenGrids.h"
#include "app/URessourcen.h"
#include "ui/FVX.h"
#include "ui/NumEdit.h"

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        Language = LangEnglish;
        UseSeparators('.', ',');
        RemoveSettingsFile();
        ClearMessages();
        w = std::make_unique<TFormVX>();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void TearDown() override {
        w.reset();
        Language = LangEnglish;
        UseSeparators('.', ',');
    }

    // Types a text into a number field and confirms it with Enter, as a user does.
    static void Type(TNumEditBase* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    void PressF9() { QTest::keyClick(w.get(), Qt::Key_F9); }
    void ClickCalculate() { QTest::mouseClick(w->Button_Berechnen, Qt::LeftButton); }
    // Switches to two cases with the real seasons button.
    void ShowBothCases() {
        w->Menu_Optionen_UseSeasons->trigger();
        if ((w->Selection.TwoCases ? 2 : 1) != 2) QTest::mouseClick(w->Button_Seasons, Qt::LeftButton);
        ASSERT_EQ((w->Selection.TwoCases ? 2 : 1), 2);
    }
    // Selects a list entry as a user's choice arrives.
    static void Choose(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
    }
    // Number in a cell, read with the program-wide separators; false for an empty cell.
    static bool CellValue(TDatenGrid* g, int col, int row, double& v) {
        QString t = g->Cell(col, row);
        if (t.startsWith('#')) t.remove(0, 1);
        if (t.isEmpty()) return false;
        if (ThousandSeparator) t.remove(QString::fromUcs4(&ThousandSeparator, 1));
        return ParseNumber(t.toStdString(), v);
    }
    // Decimals written in a cell.
    static int CellDecimals(TDatenGrid* g, int col, int row) {
        const QString t = g->Cell(col, row);
        const int at = t.indexOf(QString::fromUcs4(&DecimalSeparator, 1));
        return at < 0 ? 0 : int(t.size() - at - 1);
    }

    std::unique_ptr<TFormVX> w;
};
