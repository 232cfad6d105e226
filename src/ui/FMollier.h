#pragma once
// The chart window: the moist-air chart of the current air pressure in Mollier or Carrier form with
// the air-treatment processes of the current calculation. The geometry comes from UMollier; this
// window keeps two drawing layers (grid and processes) and stretches them onto its paint box, and
// the chart page draws the same layers into its rectangle.
#include <QWidget>
#include <functional>
#include <vector>

#include "print/UMollier.h"
#include "print/UTools.h"
#include "ui/FBasis.h"
#include "ui/UQvForms.h"

class QAction;
class QMenu;
class QScrollArea;
class QToolButton;
class TAlignComboBox;
class TFormMollier;

// Paints the chart: white background, grid, processes.
class TMollierBox : public QWidget {
    Q_OBJECT
public:
    explicit TMollierBox(TFormMollier& form, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TFormMollier& form_;
};

class TFormMollier : public TQvForm {
    Q_OBJECT
public:
    explicit TFormMollier(QWidget* parent = nullptr);

    // ---- State ---------------------------------------------------------------------------
    bool CarrierChart = false;
    bool SI = true;
    double Pressure = 1012.0; // mbar
    std::vector<TProcessLine> ProcessLines;
    std::vector<TPageProc> Pages; // the chart page list, copied from the product window
    TFormBasis* Owner = nullptr;

    // The geometry of the last drawing. Its two layers are what the window and the chart page
    // paint: the grid, and the processes on top. The process layer keeps its last drawing while
    // the process list is empty.
    TChart Chart;
    TChartLayer GridLayer, ProcessLayer;

    // ---- Controls ------------------------------------------------------------------------
    TAlignComboBox* Combo_Carrier = nullptr;
    TAlignComboBox* Combo_Temperatur = nullptr;
    TAlignComboBox* Combo_Feuchte = nullptr;
    TAlignComboBox* Combo_Zoom = nullptr;
    QToolButton* Button_Seite = nullptr;
    QToolButton* Button_Close = nullptr;
    QToolButton* Button_Bild = nullptr;  // saves the chart as a picture
    QScrollArea* ScrollBox1 = nullptr;
    TMollierBox* PaintBox1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    // Zoom25, Zoom50, Zoom75, Zoom100, Zoom150, Zoom200, ZoomAuto.
    std::vector<QAction*> ZoomItems;
    QAction* Menu_Bild = nullptr;  // the picture command of the pop-up menu

    // ---- Operations ----------------------------------------------------------------------
    void SetChartPressure(double P);
    void SetChartForm(bool carrier);
    void SetChartUnits(bool si);
    void SetProcessLines(std::vector<TProcessLine> lines);
    // Range items (0..4) of the humidity and temperature lists.
    int HumidityItem() const;
    int TemperatureItem() const;
    void SetRangeItems(int humidityItem, int temperatureItem);
    // Raises the range items so that all states of the process lines fit (never lowers them).
    void RaiseRanges();
    // Rebuilds both layers and repaints. The PDF engine draws rotated text exactly as the
    // screen does, so forPdf changes nothing in the drawing; it is kept for the chart page's call.
    void RedrawChart(bool forPdf = false);
    // Zoom item 0..6 (6 = "Auto").
    void SetZoom(int item);
    int Zoom() const { return zoom_; }
    // Plays the chart (grid, then processes) stretched into target.
    void PaintChart(QPainter& painter, const QRectF& target) const;
    // Draws one layer with frame x multiplied by kx and frame y by ky (widths and text heights by
    // their geometric mean); texts resolved through the language texts.
    static void DrawLayer(QPainter& painter, const TChartLayer& layer, double kx, double ky);
    // Shows the chart page in the print preview.
    void ShowPage();
    // Asks for a file (SVG or PNG) and, for PNG, the resolution, then saves the chart as a picture;
    // a failure is shown in a message box.
    void SavePicture();
    // The two questions of SavePicture; tests replace them. ChoosePictureFile returns an empty
    // path when cancelled, ChoosePictureDpi 0.
    std::function<QString(const QString& suggested)> ChoosePictureFile;
    std::function<int(int current)> ChoosePictureDpi;
    int PictureDpi;  // the last resolution chosen
    void ApplyTexts();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void RebuildRangeLists();
    void ApplyZoom();
    int zoom_ = 6;
    bool building_ = false;
};

// The chart page: the page header with the chart notes, then the owner's chart window's chart in
// the rectangle (250, 700) - (1900, 2800).
void ChartPage(TFormBasis* owner, QPainter& canvas, bool forPdf);
