#pragma once
// Helpers that inspect a written PDF with the poppler and qpdf command-line
// tools, which the test setup installs.
#include <QString>
#include <QStringList>

struct TToolResult {
  int ExitCode = -1;
  QString Output;
};

// Runs program with args; ExitCode is -1 when the program could not start.
TToolResult RunTool(const QString& program, const QStringList& args);
// The value of one "Key: value" line of pdfinfo's output (empty if absent).
QString PdfInfoField(const QString& pdfinfoOutput, const QString& key);
// Creates the application object the PDF writer needs, once.
void EnsureGuiApplication();
