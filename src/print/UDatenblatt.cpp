#include "print/UDatenblatt.h"

#include <cmath>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"
#include "series/UFrostGrenze.h"
#include "series/UVXSerie.h"
#include "thermo/UThermo.h"
#include "thermo/UUmrechnung.h"
#include "ui/DatenGrids.h"
#include "ui/FVX.h"
#include "ui/UQvControls.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Row n of the page body.
int Row(int n) { return PageFrame.Top + n * LineHeight; }

// A grid cell as the window shows it, without leading blanks.
QString CellText(const TDatenGrid* grid, int col, int row) {
  if (!grid || col < 0 || row < 0 || col >= grid->ColCount() || row >= grid->RowCount())
    return QString();
  QString t = TDatenGrid::LookOf(grid->Cell(col, row)).text;
  int i = 0;
  while (i < t.size() && t.at(i).isSpace()) ++i;
  return t.mid(i);
}

struct TColumns {
  int Value[4];  // x offsets from Left; the last two only with two cases
  int Unit;
  int Cases;
};

TColumns ColumnsFor(int cases) {
  if (cases == 2) return {{880, 1100, 1350, 1570}, 1600, 2};
  return {{1050, 1400, 0, 0}, 1430, 1};
}

class TDatasheet {
public:
  TDatasheet(TFormVX& w, QPainter& c) : w_(w), c_(c), L_(PageFrame.Left), R_(PageFrame.Right) {
    cols_ = ColumnsFor(w.SeasonLayout == 2 ? 2 : 1);
    si_ = w.UnitSystemSI;
    unitCol_ = cols_.Cases == 2 ? 9 : 5;
  }

  void Draw() {
    ProcessBlock();
    CertificationMarks();
    TypeKey();
    Results();
    BypassValues();
    Warnings();
    BypassLabels();
    Dimensions();
    Weight();
    Sketch();
  }

private:
  void Text(int x, int y, const QString& s, TTextAlign a = TTextAlign::Left) { TextOut(c_, x, y, s, a); }

  // One printed grid row: label, unit and the value cells of the shown cases.
  void GridRow(const TDatenGrid* g, int row, int y, int labelX, int wetRow = -1) {
    QString label = CellText(g, 0, row);
    if (wetRow >= 0) label += QStringLiteral(" (DB/WB)");
    Text(labelX, y, label);
    Text(L_ + cols_.Unit, y, CellText(g, unitCol_, row));
    const int gridCols[4] = {1, 3, 5, 7};
    for (int i = 0; i < 2 * cols_.Cases; ++i) {
      QString v = CellText(g, gridCols[i], row);
      if (wetRow >= 0) v += QStringLiteral(" / ") + CellText(g, gridCols[i], wetRow).trimmed();
      Text(L_ + cols_.Value[i], y, v, TTextAlign::Right);
    }
  }

  void ProcessBlock() {
    SetPen(c_, 0, Qt::DotLine);
    SetFontHeight(c_, static_cast<int>(std::nearbyint(FontHeight / 1.2)));
    Text(L_ + 250, Row(11), w_.LB_Hinweis ? w_.LB_Hinweis->text() : QString());
    SetFontHeight(c_, FontHeight);

    // Stream headings, and the case names above them.
    SetFontBold(c_, true);
    const QString supply = w_.LB_Zuluft ? w_.LB_Zuluft->text() : QString();
    const QString extract = w_.LB_Abluft ? w_.LB_Abluft->text() : QString();
    Text(L_ + cols_.Value[0], Row(18), supply, TTextAlign::Right);
    Text(L_ + cols_.Value[1], Row(18), extract, TTextAlign::Right);
    if (w_.Seasons) {
      if (cols_.Cases == 2) {
        Text(L_ + cols_.Value[2], Row(18), supply, TTextAlign::Right);
        Text(L_ + cols_.Value[3], Row(18), extract, TTextAlign::Right);
      }
      const int winterX = L_ + cols_.Value[0] + 50 + (cols_.Cases == 1 ? 50 : 0);
      Text(winterX, Row(17), w_.Edit_Winter ? w_.Edit_Winter->text() : QString(),
           TTextAlign::Center);
      if (cols_.Cases == 2)
        Text(L_ + cols_.Value[2] + 50, Row(17), w_.Edit_Sommer ? w_.Edit_Sommer->text() : QString(),
             TTextAlign::Center);
    }
    SetFontBold(c_, false);

    HLine(c_, L_, R_, 898);
    HLine(c_, L_, R_, 994);

    // Section titles share their lines with the row labels at Left + 265; a
    // longer title is cut before it runs into them.
    SetFontBold(c_, true);
    const QRect inletClip(QPoint(L_, 1005), QPoint(L_ + 255 - 1, 1005 + LineHeight - 1));
    TextOutClipped(c_, inletClip, L_, 1005, CellText(w_.Tabelle_Lufteintritt, 0, 3));
    const QRect outletClip(QPoint(L_, 1232), QPoint(L_ + 255 - 1, 1232 + LineHeight - 1));
    TextOutClipped(c_, outletClip, L_, 1232, CellText(w_.Tabelle_Luftaustritt, 0, 0));
    SetFontBold(c_, false);

    const bool wb = w_.WetBulbOnDatasheet;
    const struct {
      int row, y;
    } inlet[] = {{1, 909}, {2, 951}, {4, 1005}, {5, 1047}, {6, 1089}, {7, 1131}, {9, 1173}};
    for (const auto& r : inlet)
      GridRow(w_.Tabelle_Lufteintritt, r.row, r.y, L_ + 265, wb && r.row == 5 ? 8 : -1);
    const struct {
      int row, y;
    } outlet[] = {{1, 1232}, {2, 1274}, {3, 1316}, {4, 1358}, {6, 1400}};
    for (const auto& r : outlet)
      GridRow(w_.Tabelle_Luftaustritt, r.row, r.y, L_ + 265, wb && r.row == 2 ? 5 : -1);
    const int wdp[] = {1453, 1495, 1537};
    for (int r = 0; r < 3; ++r) GridRow(w_.Tabelle_w_dp, r, wdp[r], L_);

    HLine(c_, L_, R_, 1221);
    HLine(c_, L_, R_, 1442);

    // Calculation basis.
    const int base = ProductIndex == 4 ? 50 : 49;
    HLine(c_, L_, R_, Row(base) - HalfLine);
    const double pressure = w_.WinterRecord ? w_.WinterRecord->Pressure : 0.0;
    SetFontBold(c_, true);
    Text(L_, 2200, LoadText(134));
    SetFontBold(c_, false);
    Text(L_, Row(51), LoadText(1));
    Text(L_ + 500, Row(51), TFormProdukt::Fixed(ConvertUnit(7, 14, si_ ? 14 : 15, pressure), si_ ? 0 : 2),
         TTextAlign::Right);
    Text(L_ + 530, Row(51), si_ ? QStringLiteral("mbar") : QStringLiteral("atm"));
    Text(L_, Row(52), LoadText(2));
    Text(L_ + 500, Row(52),
         TFormProdukt::Fixed(ConvertUnit(10, 20, si_ ? 20 : 22, AltitudeFromPressure(pressure)), 0),
         TTextAlign::Right);
    Text(L_ + 530, Row(52), si_ ? QStringLiteral("m") : QStringLiteral("ft"));

    HLine(c_, L_, R_, 2368);
    SetFontBold(c_, true);
    Text(L_, si_ ? 2389 : 2368, LoadText(53));
    SetFontBold(c_, false);
  }

  void CertificationMarks() {
    const int series = w_.WinterRecord ? w_.WinterRecord->Series : 1;
    if (series == 2 || series == 3) return;
    const int top = 556, bottom = 644;
    if (EuroventCertified) {
      const int left = R_ - 600 + (AhriCertified ? 0 : 185) + (TuevCertified ? 0 : 110);
      DrawResourcePicture(c_, QRectF(QPointF(left, top), QPointF(left + 258, bottom)), 203);
    }
    if (AhriCertified)
      DrawResourcePicture(c_, QRectF(QPointF(R_ - 205, top), QPointF(R_ - 40, bottom)), 201);
    if (TuevCertified) {
      const int left = R_ - 318 + (AhriCertified ? 0 : 185);
      DrawResourcePicture(c_, QRectF(QPointF(left, top), QPointF(left + 88, bottom)), 195);
    }
  }

  void TypeKey() {
    SetFontBold(c_, true);
    Text(L_, Row(16), w_.Label_Bauform ? w_.Label_Bauform->text() : QString());
    SetFontBold(c_, false);
    SetPen(c_, 0, Qt::DotLine);
  }

  void Results() {
    const TDatenGrid* g = w_.Tabelle_Prozessdaten;
    const QString standard =
        w_.AmericanMethod ? QStringLiteral(" (AHRI 1060)") : QStringLiteral(" (EN 308)");
    Text(L_, 1611, CellText(g, 0, 0) + standard);
    Text(L_, 1653, CellText(g, 0, 1) + standard);
    if (!w_.AmericanMethod && w_.EnergyClasses) {
      Text(L_, 1695, LoadText(560));
      const int series = w_.WinterRecord ? w_.WinterRecord->Series : 1;
      Text(L_, 1737, LoadText(series == 3 ? 19 : 47) + QStringLiteral(" ErP Lot 6"));
    }
    const int labelY[] = {1801, 1843, 1885, 1927};
    for (int r = 4; r <= 7; ++r) Text(L_, labelY[r - 4], CellText(g, 0, r));

    const int ux = L_ + cols_.Unit;
    const int series = w_.WinterRecord ? w_.WinterRecord->Series : 1;
    const QString heat = si_ ? QStringLiteral("kW") : QStringLiteral("BTU/h");
    Text(ux, 1611, QStringLiteral("%"));
    Text(ux, 1653, QStringLiteral("%"));
    if (w_.EnergyClasses) Text(ux, 1737, QStringLiteral("%"));
    Text(ux, 1801, heat);
    Text(ux, 1843, heat);
    if (series == 3) Text(ux, 1885, heat);
    Text(ux, 1927, si_ ? QStringLiteral("g/kg") : QStringLiteral("gr/lb"));
    Text(ux, 1969, si_ ? QStringLiteral("kg/h") : QStringLiteral("lb/h"));

    const int q = LineHeight / 4;
    const int gridCols[4] = {1, 3, 5, 7};
    for (int r = 0; r <= 8; ++r) {
      const int y = PageFrame.Top + (35 + r + (r > 3 ? 1 : 0)) * LineHeight + HalfLine +
                    (r < 4 ? 2 * q : 0);
      for (int i = 0; i < 2 * cols_.Cases; ++i)
        Text(L_ + cols_.Value[i], y, CellText(g, gridCols[i], r), TTextAlign::Right);
    }
    // The frost limit of the winter case, between the two warning lines below the results.
    constexpr int frostY = 2074;
    Text(L_, frostY, CellText(g, 0, FrostLimitRow));
    Text(L_ + cols_.Value[0], frostY, CellText(g, 1, FrostLimitRow), TTextAlign::Right);
    Text(ux, frostY, CellText(g, unitCol_, FrostLimitRow));
  }

  bool HasBypass() const { return w_.BypassCode == BypassSide || w_.BypassCode == BypassMiddle; }

  void BypassValues() {
    if (!HasBypass() || !w_.WinterRecord) return;
    const auto& rec = *w_.WinterRecord;
    Text(L_ + 1400, 2242,
         TFormProdukt::Fixed(ConvertUnit(5, 9, si_ ? 9 : 10, rec.BypassVelocity), si_ ? 1 : 0),
         TTextAlign::Right);
    Text(L_ + 1400, 2284, TFormProdukt::Fixed(rec.BypassWidth, 0), TTextAlign::Right);
  }

  void Warnings() {
    if (Language == LangRussian)
      SetFontHeight(c_, static_cast<int>(std::nearbyint(FontHeight / 1.1)));
    HLine(c_, L_, R_, 2011);
    const TMessageSet codes = w_.AssembleCheckMessage().Codes;
    if (codes.test(10) || codes.test(11)) Text(L_, 2032, LoadText(126));
    if (codes.test(7) || codes.test(8)) Text(L_, 2116, LoadText(127));
    SetFontHeight(c_, FontHeight);
  }

  void BypassLabels() {
    if (!HasBypass()) return;
    SetFontBold(c_, true);
    Text(L_ + 900, 2200, LoadText(185));
    SetFontBold(c_, false);
    Text(L_ + 900, 2242, LoadText(38));
    Text(L_ + 1430, 2242, si_ ? QStringLiteral("m/s") : QStringLiteral("fpm"));
    Text(L_ + 900, 2284, LoadText(55) + QStringLiteral(" (C2)"));
    Text(L_ + 1430, 2284, QStringLiteral("mm"));
  }

  void Dimensions() {
    auto rowY = [](int n) { return 58 + 42 * n; };
    const int packageWidth = w_.WinterRecord ? w_.WinterRecord->PackageWidth : 0;
    const int bypassWidth = w_.WinterRecord ? w_.WinterRecord->BypassWidth : 0;
    const bool middle = w_.BypassCode == BypassMiddle;
    struct Line {
      QString label;
      int mm;        // printed value in mm
      double inch;   // the same in inches
      int rowSI, rowUS;
    };
    std::vector<Line> lines = {
        {QStringLiteral("A ="), w_.Figures.Length, w_.Figures.Length / 25.4, 57, 56},
        {QStringLiteral("B ="), w_.Figures.Height, w_.Figures.Height / 25.4, 58, 58},
        {HasBypass() ? QStringLiteral("C1 =") : QStringLiteral("C ="),
         middle ? packageWidth / 2 : packageWidth,
         middle ? packageWidth / 25.4 / 2 : packageWidth / 25.4, 59, 60},
        {QStringLiteral("D ="), w_.Figures.FaceHeight, w_.Figures.FaceHeight / 25.4, 60, 62},
    };
    if (HasBypass())
      lines.push_back({middle ? QStringLiteral("2xC1+C2 =") : QStringLiteral("C1+C2 ="),
                       packageWidth + bypassWidth, (packageWidth + bypassWidth) / 25.4, 61, 64});
    for (const Line& l : lines) {
      const int y = rowY(si_ ? l.rowSI : l.rowUS);
      Text(L_, y, l.label);
      Text(L_ + 300, y, TFormProdukt::Fixed(l.mm, 0), TTextAlign::Right);
      Text(L_ + 330, y, QStringLiteral("mm"));
      if (!si_) {
        SetFontItalic(c_, true);
        SetFontHeight(c_, static_cast<int>(std::nearbyint(FontHeight / 1.2)));
        Text(L_ + 300, rowY(l.rowUS + 1), TFormProdukt::Fixed(l.inch, 2), TTextAlign::Right);
        Text(L_ + 330, rowY(l.rowUS + 1), QStringLiteral("in."));
        SetFontItalic(c_, false);
        SetFontHeight(c_, FontHeight);
      }
    }
    if (!si_ && HasBypass()) {
      SetFontItalic(c_, true);
      SetFontHeight(c_, static_cast<int>(std::nearbyint(FontHeight / 1.2)));
      Text(L_ + 1400, rowY(54), TFormProdukt::Fixed(bypassWidth / 25.4, 2), TTextAlign::Right);
      Text(L_ + 1430, rowY(54), QStringLiteral("in."));
    }
    SetFontItalic(c_, false);
    SetFontBold(c_, false);
    SetFontHeight(c_, FontHeight);
  }

  void Weight() {
    Text(L_ + 1100, 2452, LoadText(64));
    Text(L_ + 1400, 2452, w_.L_Gewicht ? w_.L_Gewicht->text() : QString(), TTextAlign::Right);
    Text(L_ + 1430, 2452, si_ ? QStringLiteral("kg") : QStringLiteral("lb"));
  }

  void Sketch() {
    const int size = w_.WinterRecord ? w_.WinterRecord->SizeCode : 0;
    DrawResourcePicture(c_, QRectF(QPointF(L_ + 500, 2410), QPointF(L_ + 938, 2760)),
                        DimensionSketchId(w_.BypassCode, si_, size));
  }

  TFormVX& w_;
  QPainter& c_;
  const int L_, R_;
  TColumns cols_{};
  bool si_ = true;
  int unitCol_ = 5;
};

}  // namespace

int DimensionSketchId(int bypassCode, bool si, int sizeCode) {
  int id = bypassCode == BypassSide ? 4320 : bypassCode == BypassMiddle ? 4321 : 4300;
  if (!si) id += 70;
  if (sizeCode == 366) id += 100;
  return id;
}

void DatasheetPage(TFormBasis* owner, QPainter& canvas, bool) {
  const bool printHeader = owner && owner->PrintHeader;
  DrawPageHeader(owner, canvas, printHeader, true, owner ? &owner->NotesData : nullptr);
  auto* window = dynamic_cast<TFormVX*>(owner);
  if (!window) return;
  TDatasheet(*window, canvas).Draw();
}
