#pragma once
// Recording pages and handing them to the PDF engine: the one export path of
// the print preview and of vxrate.
#include <QString>
#include <vector>

#include "ui/FBasis.h"  // TFormBasis, TPageProc

// Records every page of pages (ForPdf = true) into a page metafile and writes
// them as one PDF file, one PDF page per page, A4 (A3) at the page size.
// Throws TPdfError naming the file and the reason; the file is then untouched.
void ExportPagesToPdf(TFormBasis* owner, const std::vector<TPageProc>& pages,
                      const QString& fileName, bool openAfterCreate);
