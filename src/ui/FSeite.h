#pragma once
// The print preview: shows the pages of one page list one at a time, zoomable,
// prints them through the print dialog and saves them as one PDF file.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/FBasis.h"
#include "ui/UQvForms.h"

class QLabel;
class QPrinter;
class QScrollArea;
class QToolButton;
class TAlignComboBox;
class TFormSeite;

// The page surface: paints the current page at the preview's zoom.
class TPaintBox : public QWidget {
  Q_OBJECT
public:
  explicit TPaintBox(TFormSeite& form, QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent*) override;

private:
  TFormSeite& form_;
};

class TFormSeite : public TQvForm {
  Q_OBJECT
public:
  explicit TFormSeite(QWidget* parent = nullptr);
  ~TFormSeite() override;

  // ---- State ---------------------------------------------------------------------------
  int Zoom = 100;               // percent, at least 10
  bool FirstActivation = true;  // cleared when first shown
  int PageWidth = 2100, PageHeight = 2970;  // 0.1 mm
  int FitExtent = 2970, FitPixels = 1;      // limiting page side: 0.1 mm and raster pixels
  TFormBasis* Owner = nullptr;
  std::vector<TPageProc> Pages;
  std::uint8_t CurrentPage = 1, PageCount = 0;
  std::uint8_t FromPage = 1, ToPage = 1;
  std::function<void()> OnEditNotes;
  // Open exported PDF files in the desktop's viewer (off in tests).
  bool OpenPdfAfterExport = true;
  // Chooses the PDF file name (the save dialog unless replaced); empty cancels.
  std::function<QString(const QString& suggested)> ChoosePdfFile;
  // Runs the print dialog on the printer (unless replaced); false cancels.
  std::function<bool(QPrinter& printer)> RunPrintDialog;

  // ---- Controls --------------------------------------------------------------------------
  QToolButton* Button_Close = nullptr;
  QToolButton* Button_Print = nullptr;
  QToolButton* Button_PDF = nullptr;
  QToolButton* Button_Edit = nullptr;
  QToolButton* Button_First = nullptr;
  QToolButton* Button_Previous = nullptr;
  QToolButton* Button_Next = nullptr;
  QToolButton* Button_Last = nullptr;
  TAlignComboBox* Combo_Zoom = nullptr;
  QLabel* L_Seitenzahl = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  TPaintBox* PaintBox1 = nullptr;
  QPrinter* Printer1 = nullptr;

  // Raster of the page surface at zoom 350: the page at 300 dpi.
  static constexpr int kRasterDpi = 300;
  QSize PaintBoxPixels() const { return paintBoxPixels_; }

  // ---- Operations --------------------------------------------------------------------------
  // Stores owner and pages, shows the preview modally and returns when closed.
  void DruckVorschau(TFormBasis* owner, const std::vector<TPageProc>& pages);
  // The part of DruckVorschau before the window is shown.
  void Prepare(TFormBasis* owner, const std::vector<TPageProc>& pages);
  void ApplyTexts();
  void RecomputeLayout();
  void ApplyZoom();
  void Previous();
  void Next();
  void First();
  void Last();
  void RefreshNavigation();
  void EditNotes();
  // Print dialog, then the chosen pages; printer errors become a message.
  void Print();
  // Prints pages from..to (1-based) on printer; returns an error text or empty.
  QString PrintPages(QPrinter& printer, int from, int to);
  // Save dialog, then all pages as PDF; errors become a message.
  void ExportPdf();
  // Paints the current page with the preview mapping (used by the paint box).
  void PaintPage(QPainter& painter);

  // The side of the page that limits the fit into pixels: sets extent (0.1 mm)
  // and pixels of that side.
  static void ComputeFit(QSize pixels, int pageWidth, int pageHeight, int& fitExtent,
                         int& fitPixels);

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  void Activate();
  void ShowError(const QString& text);
  QSize paintBoxPixels_{2480, 3508};
};
