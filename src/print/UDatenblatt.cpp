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
#include "series/USelectionTables.h"
#include "thermo/UZahlformat.h"

namespace {

// Row n of the page body.
int Row(int n) { return PageFrame.Top + n * LineHeight; }

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Title of a table row as the window shows it.
QString Title(const TTableRow& r) {
  QString t = r.TitleTextNo ? LoadText(r.TitleTextNo) : QString();
  if (r.TitleSuffixTextNo) t += " (" + LoadText(r.TitleSuffixTextNo) + ")";
  return t + Q(r.TitleSuffix);
}

// A value cell as the window shows it: a language text where the table names one.
QString Value(const TTableRow& r, int i) {
  return r.ValueTextNo[i] ? LoadText(r.ValueTextNo[i]) : Q(r.Values[i]);
}

QString Fixed(double v, int decimals) { return Q(FormatFixed(v, decimals)); }

// The certification marks of a series, each in its box in the notes block; VX-K and VX-E carry
// none.
struct TMark {
  int ResourceId;
  QRect Box;
};
std::vector<TMark> CertificationMarks(int series) {
  std::vector<TMark> marks;
  if (series == 2 || series == 3) return marks;
  const int R = PageFrame.Right, top = 556, bottom = 644;
  if (EuroventCertified) {
    const int left = R - 600 + (AhriCertified ? 0 : 185) + (TuevCertified ? 0 : 110);
    marks.push_back({203, QRect(QPoint(left, top), QPoint(left + 258, bottom))});
  }
  if (AhriCertified) marks.push_back({201, QRect(QPoint(R - 205, top), QPoint(R - 40, bottom))});
  if (TuevCertified) {
    const int left = R - 318 + (AhriCertified ? 0 : 185);
    marks.push_back({195, QRect(QPoint(left, top), QPoint(left + 88, bottom))});
  }
  return marks;
}

QRect CertificationMarksBox(int series) {
  QRect box;
  for (const TMark& m : CertificationMarks(series)) box = box.united(m.Box);
  return box;
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
  TDatasheet(const TPageContext& page, QPainter& c)
      : p_(page), s_(page.Selection), c_(c), L_(PageFrame.Left), R_(PageFrame.Right),
        tables_(BuildTables(page.Selection, page.SI)) {
    cols_ = ColumnsFor(s_.CaseCount());
    si_ = page.SI;
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

  // One printed table row: label, unit and the value cells of the shown cases.
  void GridRow(const TTable& t, int row, int y, int labelX, int wetRow = -1) {
    QString label = Title(t[row]);
    if (wetRow >= 0) label += QStringLiteral(" (DB/WB)");
    Text(labelX, y, label);
    Text(L_ + cols_.Unit, y, Q(t[row].Unit));
    for (int i = 0; i < 2 * cols_.Cases; ++i) {
      QString v = Value(t[row], i);
      if (wetRow >= 0) v += QStringLiteral(" / ") + Value(t[wetRow], i);
      Text(L_ + cols_.Value[i], y, v, TTextAlign::Right);
    }
  }

  void ProcessBlock() {
    SetPen(c_, 0, Qt::DotLine);
    SetFontHeight(c_, static_cast<int>(std::nearbyint(FontHeight / 1.2)));
    const QRect marks = CertificationMarksBox(s_.Device.Series);
    const int hintRight = marks.isValid() ? marks.left() - HalfLine : R_;
    TextOutFitted(c_, L_ + 250, Row(11), hintRight - (L_ + 250),
                  Q(HintLine(s_, tables_, {LoadText(HintTextCondensation).toStdString(),
                                           LoadText(HintTextFreezing).toStdString(),
                                           LoadText(FrostLimitTextNo).toStdString()})));
    SetFontHeight(c_, FontHeight);

    // Stream headings, and the case names above them.
    SetFontBold(c_, true);
    const QString supply = StreamCaption(0);
    const QString extract = StreamCaption(1);
    // Each heading fits the width of its value column, the case names the width of their two.
    const int column = cols_.Value[1] - cols_.Value[0] - HalfLine;
    TextOutFitted(c_, L_ + cols_.Value[0], Row(18), column, supply, TTextAlign::Right);
    TextOutFitted(c_, L_ + cols_.Value[1], Row(18), column, extract, TTextAlign::Right);
    if (s_.Seasons) {
      if (cols_.Cases == 2) {
        TextOutFitted(c_, L_ + cols_.Value[2], Row(18), column, supply, TTextAlign::Right);
        TextOutFitted(c_, L_ + cols_.Value[3], Row(18), column, extract, TTextAlign::Right);
      }
      const int winterX = L_ + cols_.Value[0] + 50 + (cols_.Cases == 1 ? 50 : 0);
      TextOutFitted(c_, winterX, Row(17), 2 * column, LoadText(272), TTextAlign::Center);
      if (cols_.Cases == 2)
        TextOutFitted(c_, L_ + cols_.Value[2] + 50, Row(17), 2 * column, LoadText(273),
                      TTextAlign::Center);
    }
    SetFontBold(c_, false);

    HLine(c_, L_, R_, 898);
    HLine(c_, L_, R_, 994);

    // Section titles stand left of the row labels at Left + 265; a longer title wraps onto the
    // next rows of its block, or gets a smaller font, but is never cut.
    SetFontBold(c_, true);
    TextOutFitted(c_, L_, 1005, 265 - HalfLine / 2, Title(tables_.Inlet[InletRowHeading]),
                  TTextAlign::Left, 3, LineHeight);
    TextOutFitted(c_, L_, 1232, 265 - HalfLine / 2, LoadText(10), TTextAlign::Left, 3, LineHeight);
    SetFontBold(c_, false);

    const bool wb = p_.WetBulbOnDatasheet;
    const struct {
      int row, y;
    } inlet[] = {{1, 909}, {2, 951}, {4, 1005}, {5, 1047}, {6, 1089}, {7, 1131}, {9, 1173}};
    for (const auto& r : inlet)
      GridRow(tables_.Inlet, r.row, r.y, L_ + 265, wb && r.row == 5 ? 8 : -1);
    const struct {
      int row, y;
    } outlet[] = {{1, 1232}, {2, 1274}, {3, 1316}, {4, 1358}, {6, 1400}};
    for (const auto& r : outlet)
      GridRow(tables_.Outlet, r.row, r.y, L_ + 265, wb && r.row == 2 ? 5 : -1);
    const int wdp[] = {1453, 1495, 1537};
    for (int r = 0; r < 3; ++r) GridRow(tables_.Velocity, r, wdp[r], L_);

    HLine(c_, L_, R_, 1221);
    HLine(c_, L_, R_, 1442);

    // Calculation basis.
    const int base = ProductIndex == 4 ? 50 : 49;
    HLine(c_, L_, R_, Row(base) - HalfLine);
    const double pressure = s_.Cases[0].Pressure;
    SetFontBold(c_, true);
    TextOutFitted(c_, L_, 2200, 900 - HalfLine, LoadText(134));
    SetFontBold(c_, false);
    Text(L_, Row(51), LoadText(1));
    Text(L_ + 500, Row(51), Fixed(ConvertUnit(7, 14, si_ ? 14 : 15, pressure), si_ ? 0 : 2),
         TTextAlign::Right);
    Text(L_ + 530, Row(51), si_ ? QStringLiteral("mbar") : QStringLiteral("atm"));
    Text(L_, Row(52), LoadText(2));
    Text(L_ + 500, Row(52),
         Fixed(ConvertUnit(10, 20, si_ ? 20 : 22, AltitudeFromPressure(pressure)), 0),
         TTextAlign::Right);
    Text(L_ + 530, Row(52), si_ ? QStringLiteral("m") : QStringLiteral("ft"));

    // The heading stands below its rule; in UK/US the first dimension row follows one line
    // after the rule, so the heading sits just clear of it.
    HLine(c_, L_, R_, 2368);
    SetFontBold(c_, true);
    TextOutFitted(c_, L_, si_ ? 2389 : 2368 + (LineHeight - FontHeight) / 2, 1100 - HalfLine,
                  LoadText(53));
    SetFontBold(c_, false);
  }

  void CertificationMarks() {
    for (const TMark& m : ::CertificationMarks(s_.Device.Series))
      DrawResourcePicture(c_, QRectF(QPointF(m.Box.topLeft()), QPointF(m.Box.bottomRight())),
                          m.ResourceId);
  }

  void TypeKey() {
    SetFontBold(c_, true);
    Text(L_, Row(16), Q(s_.TypeKey(LoadText(TypeKeyTextNo).toStdString())));
    SetFontBold(c_, false);
    SetPen(c_, 0, Qt::DotLine);
  }

  void Results() {
    const TTable& g = tables_.Process;
    const QString standard =
        s_.AmericanMethod ? QStringLiteral(" (AHRI 1060)") : QStringLiteral(" (EN 308)");
    Text(L_, 1611, Title(g[0]) + standard);
    Text(L_, 1653, Title(g[1]) + standard);
    // Every other row has the title the window gives it, under either standard, so no value
    // stands without one (the energy efficiency class, the ErP figure, the condensate flow).
    const int labelY[] = {1695, 1737, 1801, 1843, 1885, 1927, 1969};
    for (int r = 2; r <= 8; ++r) Text(L_, labelY[r - 2], Title(g[r]));

    const int ux = L_ + cols_.Unit;
    const int series = s_.Device.Series;
    const QString heat = si_ ? QStringLiteral("kW") : QStringLiteral("BTU/h");
    Text(ux, 1611, QStringLiteral("%"));
    Text(ux, 1653, QStringLiteral("%"));
    if (s_.EnergyClasses) Text(ux, 1737, QStringLiteral("%"));
    Text(ux, 1801, heat);
    Text(ux, 1843, heat);
    if (series == 3) Text(ux, 1885, heat);
    Text(ux, 1927, si_ ? QStringLiteral("g/kg") : QStringLiteral("gr/lb"));
    Text(ux, 1969, si_ ? QStringLiteral("kg/h") : QStringLiteral("lb/h"));

    const int q = LineHeight / 4;
    for (int r = 0; r <= 8; ++r) {
      const int y = PageFrame.Top + (35 + r + (r > 3 ? 1 : 0)) * LineHeight + HalfLine +
                    (r < 4 ? 2 * q : 0);
      for (int i = 0; i < 2 * cols_.Cases; ++i)
        Text(L_ + cols_.Value[i], y, Value(g[r], i), TTextAlign::Right);
    }
    // The frost limit of the winter case, between the two warning lines below the results.
    constexpr int frostY = 2074;
    const TTableRow& frost = g[FrostLimitRow];
    Text(L_, frostY, Title(frost));
    const int none = frost.ValueTextNo[0];
    Text(L_ + cols_.Value[0], frostY, none ? LoadText(none) : Q(frost.Values[0]), TTextAlign::Right);
    Text(ux, frostY, Q(frost.Unit));
  }

  bool HasBypass() const { return ::HasBypass(s_.Device.Bypass); }

  void BypassValues() {
    if (!HasBypass()) return;
    Text(L_ + 1400, 2242,
         Fixed(ConvertUnit(5, 9, si_ ? 9 : 10, s_.Cases[0].BypassVelocity), si_ ? 1 : 0),
         TTextAlign::Right);
    Text(L_ + 1400, 2284, Fixed(s_.ShownBypassWidth(), 0), TTextAlign::Right);
  }

  void Warnings() {
    if (Language == LangRussian)
      SetFontHeight(c_, static_cast<int>(std::nearbyint(FontHeight / 1.1)));
    HLine(c_, L_, R_, 2011);
    TMessageSet codes = s_.CaseCheck(0).Codes;
    if (s_.TwoCases) codes |= s_.CaseCheck(1).Codes;
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
    const int packageWidth = s_.Device.PackageWidth;
    const int bypassWidth = s_.ShownBypassWidth();
    const bool middle = s_.Device.Bypass == BypassMiddle;
    const TDeviceFigures& f = s_.Figures();
    struct Line {
      QString label;
      int mm;        // printed value in mm
      double inch;   // the same in inches
      int rowSI, rowUS;
    };
    std::vector<Line> lines = {
        {QStringLiteral("A ="), f.Length, f.Length / 25.4, 57, 56},
        {QStringLiteral("B ="), f.Height, f.Height / 25.4, 58, 58},
        {HasBypass() ? QStringLiteral("C1 =") : QStringLiteral("C ="),
         middle ? packageWidth / 2 : packageWidth,
         middle ? packageWidth / 25.4 / 2 : packageWidth / 25.4, 59, 60},
        {QStringLiteral("D ="), f.FaceHeight, f.FaceHeight / 25.4, 60, 62},
    };
    if (HasBypass())
      lines.push_back({middle ? QStringLiteral("2xC1+C2 =") : QStringLiteral("C1+C2 ="),
                       packageWidth + bypassWidth, (packageWidth + bypassWidth) / 25.4, 61, 64});
    for (const Line& l : lines) {
      const int y = rowY(si_ ? l.rowSI : l.rowUS);
      Text(L_, y, l.label);
      Text(L_ + 300, y, Fixed(l.mm, 0), TTextAlign::Right);
      Text(L_ + 330, y, QStringLiteral("mm"));
      if (!si_) {
        SetFontItalic(c_, true);
        SetFontHeight(c_, static_cast<int>(std::nearbyint(FontHeight / 1.2)));
        Text(L_ + 300, rowY(l.rowUS + 1), Fixed(l.inch, 2), TTextAlign::Right);
        Text(L_ + 330, rowY(l.rowUS + 1), QStringLiteral("in."));
        SetFontItalic(c_, false);
        SetFontHeight(c_, FontHeight);
      }
    }
    if (!si_ && HasBypass()) {
      SetFontItalic(c_, true);
      SetFontHeight(c_, static_cast<int>(std::nearbyint(FontHeight / 1.2)));
      Text(L_ + 1400, rowY(54), Fixed(bypassWidth / 25.4, 2), TTextAlign::Right);
      Text(L_ + 1430, rowY(54), QStringLiteral("in."));
    }
    SetFontItalic(c_, false);
    SetFontBold(c_, false);
    SetFontHeight(c_, FontHeight);
  }

  void Weight() {
    Text(L_ + 1100, 2452, LoadText(64));
    Text(L_ + 1400, 2452, Fixed(ConvertUnit(9, 18, si_ ? 18 : 19, s_.Figures().Weight), 1),
         TTextAlign::Right);
    Text(L_ + 1430, 2452, si_ ? QStringLiteral("kg") : QStringLiteral("lb"));
  }

  void Sketch() {
    const int size = s_.Device.SizeCode;
    DrawResourcePicture(c_, QRectF(QPointF(L_ + 500, 2410), QPointF(L_ + 938, 2760)),
                        DimensionSketchId(s_.Device.Bypass, si_, size));
  }

  const TPageContext& p_;
  const TSelection& s_;
  QPainter& c_;
  const int L_, R_;
  const TSelectionTables tables_;
  TColumns cols_{};
  bool si_ = true;
};

}  // namespace

int DimensionSketchId(int bypassCode, bool si, int sizeCode) {
  int id = bypassCode == BypassSide ? 4320 : bypassCode == BypassMiddle ? 4321 : 4300;
  if (!si) id += 70;
  if (sizeCode == 366) id += 100;
  return id;
}

void DrawDatasheet(const TPageContext& page, QPainter& canvas, bool) {
  const QStringList notes = ToLines(page.Notes);
  DrawPageHeader(ToLines(page.Selection.HeaderLines), canvas, page.Selection.PrintHeader, true,
                 &notes, CertificationMarksBox(page.Selection.Device.Series));
  TDatasheet(page, canvas).Draw();
}

