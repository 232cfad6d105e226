#pragma once
// Recording pages and handing them to the PDF engine: the one export path of
// the print preview and of vxrate.
#include <QString>
#include <functional>
#include <vector>

#include <QPainter>

// Records every page of pages (ForPdf = true) into a page metafile and writes
// them as one PDF file, one PDF page per page, A4 (A3) at the page size.
// Throws TPdfError naming the file and the reason; the file is then untouched.
using TPageDrawer = std::function<void(QPainter& canvas, bool forPdf)>;
void ExportPagesToPdf(const std::vector<TPageDrawer>& pages, const QString& fileName,
                      bool openAfterCreate);

