#include "PrintTestSupport.h"

#include <QApplication>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UVersion.h"

void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "VX-print-test";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  ProductIndex = 4;
  InitResources();
  InitVersionText(QStringLiteral("/opt/vx/VX"));
  // The start picture (the about window) sets these for this product.
  AhriCertified = true;
  TuevCertified = true;
  UseLanguage(2);
}

void UseLanguage(int code) {
  EnsureApplication();
  Language = static_cast<std::uint8_t>(code);
  ApplyLanguageFonts();
}
