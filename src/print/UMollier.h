#pragma once
// Geometry of the moist-air chart (Mollier h-x diagram and its Carrier form) as plain data: the
// ranges, the mapping from air states to chart coordinates, the grid lines with their labels and
// the process lines of the calculated cases. The chart window and the chart page only draw what
// this module computes; nothing here depends on Qt or on the language texts.
//
// Coordinates: the chart is built in logical chart units (x horizontal, y upwards; Mollier:
// horizontal = 100 units per g/kg, vertical = sy units per degree of the temperature-like
// coordinate Y; Carrier: the two exchanged) and mapped into a frame of 600 x 800 units (a 3:4
// portrait picture, y downwards), which the drawing layer stretches onto its target rectangle.
#include <string>
#include <vector>

#include "calc/UDaten.h"

constexpr int kChartFrameWidth = 600;
constexpr int kChartFrameHeight = 800;

struct TRgb {
    unsigned char r = 0, g = 0, b = 0;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

// Chart colours.
constexpr TRgb kChartBlue{0, 102, 255};     // isotherms, humidity and relative-humidity lines
constexpr TRgb kChartGrey{68, 68, 68};      // isenthalps
constexpr TRgb kStream2Colour{182, 0, 147}; // extract air -> exhaust air
constexpr TRgb kStream1Colour{0, 180, 0};   // outdoor air -> supply air
constexpr TRgb kWhite{255, 255, 255};
constexpr TRgb kBlack{0, 0, 0};

enum class TChartPen { Solid, Dot, Clear };

struct TChartPoint {
    double x = 0, y = 0;
};

// Ranges in internal units (degC, g/kg); dh in display units (kJ/kg or BTU/lb).
struct TChartRanges {
    double xMin = 0, xMax = 0;
    double tMin = 0, tMax = 0;
    double dx = 0;  // humidity grid step
    double dt = 0;  // isotherm step
    double dtL = 0; // labelled isotherm step
    double dh = 0;  // isenthalp step, display units
};

constexpr int kChartRangeItems = 5;

// The ranges of the humidity item and the temperature item (0..4 each, clamped).
TChartRanges ChartRanges(bool si, int humidityItem, int temperatureItem);
// Largest humidity (display units: g/kg or gr/lb) and temperature (degC or degF) of an item.
int HumidityRangeMax(bool si, int item);
int TemperatureRangeMax(bool si, int item);

// Raises the range items to the smallest ranges that hold the largest humidity ratio xMax (g/kg)
// and the largest temperature tMax (degC) of the shown states; never lowers them.
void RaiseChartRanges(double xMax, double tMax, int& humidityItem, int& temperatureItem);

// Lowers the temperature floor in labelled steps (10 degC or 20 degF) until it lies at least one
// isotherm step below the coldest shown state tLowest (degC), so the floor follows the processes
// down as the range items follow them up; never raises it. A non-finite tLowest changes nothing;
// the floor goes no lower than -60 degC or -80 degF.
void LowerChartFloor(TChartRanges& r, bool si, double tLowest);

// Mapping of the chart for given ranges and pressure.
struct TChartMapping {
    bool carrier = false;
    double P = 1013;
    int sx = 100;
    int sy = 0;          // logical units per unit of Y
    int yMin = 0, yMax = 0; // rounded Y at (tMin, xMin) and (tMax, xMax)
    int L = 0;           // length of the humidity axis in logical units
    int m = 600;         // viewport extent: 800 for Carrier, 600 for Mollier
    int fh = 0;          // text height, logical units
    int u = 0;           // line unit, logical units
    double originX = 0, originY = 0; // logical point at the frame's top left corner
    double extent = 0;   // logical units across m frame units (both directions)

    // Temperature-like coordinate of a state: enthalpy without the latent part of the vapour.
    double Y(double t, double x) const;
    // Logical chart point of a state, rounded to whole units.
    TChartPoint Logical(double t, double x) const;
    // Logical point of a humidity ratio x and a value of Y (not rounded).
    TChartPoint LogicalXY(double x, double Yv) const;
    // Frame point (600 x 800, y downwards) of a logical point.
    TChartPoint ToFrame(TChartPoint logical) const;
    // Frame point of a state.
    TChartPoint Frame(double t, double x) const { return ToFrame(Logical(t, x)); }
    // Frame units per logical unit.
    double Scale() const { return m / extent; }
};

// fhStart is the unscaled text height: 18 for the grid.
TChartMapping ChartMapping(const TChartRanges& r, double P, bool carrier, int fhStart = 18);

// A text made of language texts and literal pieces, resolved by the drawing layer.
struct TTextPart {
    int textNumber = 0;   // language text, or 0 for the literal
    std::string literal;  // UTF-8
};

enum class THAlign { Left, Centre, Right };
enum class TVAlign { Top, Middle, Bottom };

struct TChartText {
    std::vector<TTextPart> parts;
    TChartPoint at;           // frame point the text is aligned to
    THAlign hAlign = THAlign::Left;
    TVAlign vAlign = TVAlign::Top;
    double height = 0;        // character height, frame units
    double angle = 0;         // degrees, counter-clockwise on the screen
    TRgb colour;
    std::string Literal() const; // the literal pieces only (numbers, units), for tests and logs
};

enum class TChartLineKind { Axis, HumidityLine, Isenthalp, Isotherm, RelHumLine, Process };

struct TChartLine {
    TChartLineKind kind = TChartLineKind::Axis;
    std::vector<TChartPoint> points; // frame
    TRgb colour;
    double width = 0;                // frame units; 0 = hairline
    TChartPen pen = TChartPen::Solid;
    double value = 0;                // x (g/kg), h (kJ/kg), t (degC) or phi (%) of the line
};

struct TChartDot {
    TChartPoint centre; // frame
    double radius = 0;  // frame units
    TRgb fill;
    TRgb outline = kBlack;
};

struct TChartLayer {
    std::vector<TChartLine> lines;
    std::vector<TChartText> texts;
    std::vector<TChartDot> dots;
};

// One state of a process line and its drawing attributes (pen of the segment that starts here).
struct TProcessPoint {
    double t = 0, x = 0;
    TRgb brush, pen;
    TChartPen style = TChartPen::Solid;
};
using TProcessLine = std::vector<TProcessPoint>;

// Appends the two process lines of a rated case: extract air -> exhaust air, then outdoor air ->
// supply air, in the colours of their streams, drawn with `pen` (solid winter, dotted summer).
void AddProcessLines(const TDatenVX& r, TChartPen pen, std::vector<TProcessLine>& lines);

struct TChartSettings {
    bool carrier = false;
    bool si = true;
    double pressure = 1012.0;
    int humidityItem = 0;
    int temperatureItem = 1;
};

// Title of the chart: language text 157 (Mollier) or 158 (Carrier), a blank and the pressure (mbar
// with no decimals in SI, atm with two otherwise).
std::vector<TTextPart> ChartTitle(bool carrier, bool si, double pressure);

// Grid of the chart: title, humidity axis, isenthalps, isotherms and relative-humidity lines. The
// enthalpy axis title goes on an isenthalp that no visible process line comes near.
TChartLayer BuildChartGrid(const TChartSettings& s, const TChartRanges& r, const TChartMapping& map,
                           const std::vector<TProcessLine>& lines = {});
// Process lines and their state points.
TChartLayer BuildChartProcesses(const std::vector<TProcessLine>& lines, const TChartMapping& map);

// Ranges of the settings' items with the floor lowered below the coldest state of the lines.
TChartRanges ChartRangesFor(const TChartSettings& s, const std::vector<TProcessLine>& lines);

struct TChart {
    TChartRanges ranges;
    TChartMapping map;
    TChartLayer grid;
    TChartLayer processes;
};
TChart BuildChart(const TChartSettings& s, const std::vector<TProcessLine>& lines);

// Relative humidities of the chart's lines, numbered 1..25 (index 0 is line 1).
extern const double kRelHumLines[25];
// Number of the first relative-humidity line drawn for a largest temperature tMax (degC).
int FirstRelHumLine(double tMax);
