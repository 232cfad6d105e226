#include "PdfTools.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>

TToolResult RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  if (!p.waitForStarted(10000)) return {};
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAll())};
}

QString PdfInfoField(const QString& out, const QString& key) {
  const QRegularExpression re(QStringLiteral("^%1:[ \\t]*(.*)$").arg(QRegularExpression::escape(key)),
                              QRegularExpression::MultilineOption);
  const auto m = re.match(out);
  return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "test_pdf";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);
}
