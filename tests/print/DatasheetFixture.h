#pragma once
// A real product window, filled by typing into its edits and calculated with
// its button, whose datasheet page the tests record.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QToolButton>
#include <QAction>
#include <QTest>
#include <memory>

#include "PrintTestSupport.h"
#include "TRecordingDevice.h"
#include "app/UGlobal.h"
#include "app/UIniDatei.h"
#include "print/UDatenblatt.h"
#include "ui/FVX.h"
#include "ui/NumEdit.h"
#include "ui/UQvMessage.h"
#include "ui/UPageLists.h"

struct TCaseInput {
  double flow1, flow2, temp1, temp2, hum1, hum2;  // SI: m3/h, degC, %
};

inline constexpr TCaseInput kWinter{1000, 1000, -10, 22, 90, 40};
inline constexpr TCaseInput kSummer{1000, 1000, 32, 26, 40, 50};

class DatasheetWindow {
public:
  DatasheetWindow() {
    EnsureApplication();
    SetMessageBoxHook([this](const QString& text, const QString&, int) {
      Messages << text;
      return 1;
    });
    // Every window starts from the default settings, not from what the
    // previous test's window saved.
    QFile::remove(QDir(TIniDatei::SettingsFolder()).filePath(IniFileName));
    w = std::make_unique<TFormVX>();
    w->show();
  }
  ~DatasheetWindow() {
    w.reset();
    SetMessageBoxHook({});
  }

  static void Type(TNumEditBase* e, double v) {
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, QString::number(v));
    QTest::keyClick(e, Qt::Key_Return);
  }
  void Fill(const TCaseEdits& edits, const TCaseInput& in) {
    Type(edits.SVol11, in.flow1);
    Type(edits.SVol21, in.flow2);
    Type(edits.Temp11, in.temp1);
    Type(edits.Temp21, in.temp2);
    Type(edits.Feuchte11, in.hum1);
    Type(edits.Feuchte21, in.hum2);
  }
  // Device and case choices, then the calculate button.
  void Setup(int series, int bypassCode, bool twoCases, const TCaseInput& winter = kWinter) {
    w->SetUnitSystem(true);
    w->Combo_VXSerie->setCurrentIndex(series - 1);
    for (int i = 0; i < w->Combo_VXTyp->count(); ++i)
      if (w->Combo_VXTyp->itemText(i).endsWith(QStringLiteral(" 45"))) w->Combo_VXTyp->setCurrentIndex(i);
    Type(w->Edit_GBreite, 600);
    w->Combo_Bypass->setCurrentIndex(bypassCode == 10 ? 0 : bypassCode == 20 ? 1 : 2);
    if (twoCases) {
      if (!w->Selection.Seasons) w->Menu_Optionen_UseSeasons->trigger();
      if ((w->Selection.TwoCases ? 2 : 1) != 2) w->Button_Seasons->click();
    }
    Fill(w->Winter, winter);
    if (twoCases) Fill(w->Summer, kSummer);
  }
  void Calculate() { w->Button_Berechnen->click(); }

  // Records the datasheet page.
  void Record() {
    dev.Clear();
    QPainter p(&dev);
    DatasheetPage(w.get(), p, false);
  }

  std::unique_ptr<TFormVX> w;
  TRecordingDevice dev;
  QStringList Messages;
};
