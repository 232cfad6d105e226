#pragma once
// The pages of the window's page lists: each draws its page through the print layer from the
// owner's selection and display state, so the preview, printing and PDF export show what the
// window shows.
#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/FBasis.h"

// The datasheet of the owner's selection; without an owner the page frame alone.
void DatasheetPage(TFormBasis* owner, QPainter& canvas, bool forPdf);
// The product description page of the owner's series.
void DescriptionPage(TFormBasis* owner, QPainter& canvas, bool forPdf);
// A page with the frame only (no header lines, no notes).
void BlankPage(TFormBasis* owner, QPainter& canvas, bool forPdf);
// The page frame and title with the owner's header lines.
void DrawPageHeader(TFormBasis* owner, QPainter& canvas, bool printHeaderLines, bool withNotes,
                    const QStringList* notes, const QRect& notesKeepClear = {});
// Records the pages of a window's page list and writes them as one PDF file.
void ExportPagesToPdf(TFormBasis* owner, const std::vector<TPageProc>& pages, const QString& fileName,
                      bool openAfterCreate);
