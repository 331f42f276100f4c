// Writes the outline drawing of the air end: a side view with the drive shaft to the left, the
// view on the drive end with the mounting flange, and an enlarged section through the shaft end.
// Every figure on the sheet is printed from the same table the geometry is drawn from.
#include <cmath>
#include <exception>
#include <iostream>
#include <numbers>
#include <sstream>
#include <string>

#include "bmp_writer.h"
#include "dimensioning.h"
#include "line_canvas.h"

namespace {

using pictures::Align;
using pictures::LineCanvas;
using pictures::Pattern;
using pictures::Point;
using pictures::Side;
using pictures::Weight;

constexpr int kWidth = 560;
constexpr int kHeight = 400;
constexpr std::int32_t kPixelsPerMetre = 2834;  // 72 dpi

// The air end in millimetres. Axial positions x are measured from the flange face towards the
// discharge end, heights y upwards from the drive shaft axis, widths z across the drive end.
namespace airend {
constexpr double kShaftDiameter = 28.0;
constexpr double kShaftLength = 60.0;  // from the spigot face
constexpr double kKeyWidth = 8.0;
constexpr double kKeyDepth = 4.0;  // keyway depth in the shaft, t1
constexpr double kKeyLength = 50.0;
constexpr double kKeyFromEnd = 5.0;
constexpr double kSpigotDiameter = 150.0;
constexpr double kSpigotLength = 6.0;
constexpr double kFlangeDiameter = 220.0;
constexpr double kFlangeThickness = 18.0;
constexpr double kBoltCircle = 185.0;
constexpr double kBoltHole = 13.5;
constexpr int kBoltCount = 4;
constexpr double kNeckDiameter = 144.0;
constexpr double kCoverFrom = 40.0;  // drive-end bearing cover
constexpr double kCasingFrom = 80.0;
constexpr double kCasingTo = 350.0;
constexpr double kCasingFlange = 12.0;
constexpr double kBodyTop = 118.0;  // rotor casing between its joint flanges
constexpr double kBodyBottom = -108.0;
constexpr double kCastRadius = 8.0;
constexpr double kHousingEnd = 395.0;
constexpr double kCoverTop = 112.0;
constexpr double kCasingTop = 125.0;
constexpr double kDischargeTop = 110.0;
constexpr double kHousingBottom = -115.0;
constexpr double kHousingHalfWidth = 125.0;
constexpr double kHousingCorner = 30.0;
constexpr double kInletFrom = 150.0;
constexpr double kInletTo = 290.0;
constexpr double kInletHalfWidth = 70.0;
constexpr double kInletFlange = 15.0;
constexpr double kInletBore = 90.0;
constexpr double kOutletTop = -40.0;
constexpr double kOutletBottom = -90.0;
constexpr double kOutletFlange = 10.0;
constexpr double kLugAt = 322.0;
constexpr double kLugRadius = 12.0;
constexpr double kLugHole = 10.0;
constexpr double kShaftHeight = 140.0;  // shaft axis above the mounting face
constexpr double kFootLength = 60.0;
constexpr double kFrontHole = 125.0;  // first foot hole from the flange face
constexpr double kHolePitch = 180.0;  // along the axis
constexpr double kHoleSpan = 250.0;  // across the axis
constexpr double kFootSpan = 300.0;
constexpr double kFootHole = 18.0;
constexpr int kFootHoles = 4;
}  // namespace airend

// A view on the sheet: where the origin of the part lies and how many pixels make a millimetre.
struct View {
  Point origin;
  double scale;
  Point at(double x, double y) const { return {origin.x + x * scale, origin.y - y * scale}; }
  double px(double length) const { return length * scale; }
};

constexpr View kSideView{{100.0, 158.0}, 0.5};
constexpr View kEndView{{425.0, 158.0}, 0.5};
constexpr View kSection{{80.0, 340.0}, 2.0};

std::string figure(double millimetres) {
  std::ostringstream out;
  out << millimetres;
  return out.str();
}

std::string diameter(double millimetres) { return "\u00D8" + figure(millimetres); }

std::string count(int n, const std::string& what) { return std::to_string(n) + "x " + what; }

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

void box(LineCanvas& canvas, const View& view, double x0, double y0, double x1, double y1) {
  canvas.rect(view.at(x0, y0), view.at(x1, y1), Weight::Thick);
}

// A rectangle with rounded corners in part coordinates; centre (cx, cy), half sizes hx, hy.
// Like a box, its wide edges lie inside the outline.
void roundedBox(LineCanvas& canvas, const View& view, double cx, double cy, double hx, double hy,
                double r) {
  const Point topLeft = view.at(cx - hx, cy + hy);
  const Point bottomRight = view.at(cx + hx, cy - hy);
  const double rp = view.px(r);
  const double left = topLeft.x;
  const double top = topLeft.y;
  const double right = bottomRight.x - 1.0;
  const double bottom = bottomRight.y - 1.0;
  canvas.line({left + rp, top}, {right - rp, top}, Weight::Thick);
  canvas.line({left + rp, bottom}, {right - rp, bottom}, Weight::Thick);
  canvas.line({left, top + rp}, {left, bottom - rp}, Weight::Thick);
  canvas.line({right, top + rp}, {right, bottom - rp}, Weight::Thick);
  canvas.arc({bottomRight.x - rp, top + rp}, rp, 0.0, 90.0, Weight::Thick);
  canvas.arc({left + rp, top + rp}, rp, 90.0, 180.0, Weight::Thick);
  canvas.arc({left + rp, bottomRight.y - rp}, rp, 180.0, 270.0, Weight::Thick);
  canvas.arc({bottomRight.x - rp, bottomRight.y - rp}, rp, 270.0, 360.0, Weight::Thick);
}

// A hole seen from the side: its two walls as hidden lines and its axis as a centre line.
void hiddenHole(LineCanvas& canvas, const View& view, double x, double diameterMm, double fromY,
                double toY) {
  const double r = diameterMm / 2.0;
  canvas.line(view.at(x - r, fromY), view.at(x - r, toY), Weight::Thin, Pattern::Dashed);
  canvas.line(view.at(x + r, fromY), view.at(x + r, toY), Weight::Thin, Pattern::Dashed);
  canvas.line(view.at(x, fromY + 3.0), view.at(x, toY - 8.0), Weight::Thin, Pattern::Chain);
}

void drawSideView(LineCanvas& canvas) {
  using namespace airend;
  const View& v = kSideView;
  const double shaftEnd = -kSpigotLength - kShaftLength;
  const double shaftR = kShaftDiameter / 2.0;

  box(canvas, v, shaftEnd, shaftR, -kSpigotLength, -shaftR);
  // The keyway is turned towards the viewer.
  const double keyR = kKeyWidth / 2.0;
  const double keyFrom = shaftEnd + kKeyFromEnd + keyR;
  const double keyTo = shaftEnd + kKeyFromEnd + kKeyLength - keyR;
  canvas.line(v.at(keyFrom, keyR), v.at(keyTo, keyR));
  canvas.line(v.at(keyFrom, -keyR), v.at(keyTo, -keyR));
  canvas.arc(v.at(keyFrom, 0.0), v.px(keyR), 90.0, 270.0);
  canvas.arc(v.at(keyTo, 0.0), v.px(keyR), -90.0, 90.0);

  // The spigot's right edge is the flange face itself.
  const double spigotR = kSpigotDiameter / 2.0;
  canvas.line(v.at(-kSpigotLength, spigotR), v.at(0.0, spigotR), Weight::Thick);
  canvas.line(v.at(-kSpigotLength, -spigotR - 2.0), v.at(0.0, -spigotR - 2.0), Weight::Thick);
  canvas.line(v.at(-kSpigotLength, spigotR), v.at(-kSpigotLength, -spigotR), Weight::Thick);
  box(canvas, v, 0.0, kFlangeDiameter / 2.0, kFlangeThickness, -kFlangeDiameter / 2.0);
  for (double side : {1.0, -1.0}) {
    // Axes of the two bolt holes that lie in the plane of projection.
    const double y = side * kBoltCircle / 2.0 * std::sin(radians(45.0));
    canvas.line(v.at(-6.0, y), v.at(kFlangeThickness + 6.0, y));
  }
  canvas.line(v.at(kFlangeThickness, kNeckDiameter / 2.0), v.at(kCoverFrom, kNeckDiameter / 2.0),
              Weight::Thick);
  canvas.line(v.at(kFlangeThickness, -kNeckDiameter / 2.0 - 2.0),
              v.at(kCoverFrom, -kNeckDiameter / 2.0 - 2.0), Weight::Thick);
  roundedBox(canvas, v, (kCoverFrom + kCasingFrom) / 2.0, (kCoverTop + kHousingBottom) / 2.0,
             (kCasingFrom - kCoverFrom) / 2.0, (kCoverTop - kHousingBottom) / 2.0, kCastRadius);
  // Rotor casing: a joint flange at each end stands proud of the body between them.
  for (double from : {kCasingFrom, kCasingTo - kCasingFlange}) {
    box(canvas, v, from, kCasingTop, from + kCasingFlange, kHousingBottom);
  }
  canvas.line(v.at(kCasingFrom + kCasingFlange, kBodyTop),
              v.at(kCasingTo - kCasingFlange, kBodyTop), Weight::Thick);
  canvas.line(v.at(kCasingFrom + kCasingFlange, kBodyBottom - 2.0),
              v.at(kCasingTo - kCasingFlange, kBodyBottom - 2.0), Weight::Thick);
  roundedBox(canvas, v, (kCasingTo + kHousingEnd) / 2.0, (kDischargeTop + kHousingBottom) / 2.0,
             (kHousingEnd - kCasingTo) / 2.0, (kDischargeTop - kHousingBottom) / 2.0, kCastRadius);

  box(canvas, v, kInletFrom, kBodyTop + kInletFlange, kInletTo, kBodyTop);
  const double inletMiddle = (kInletFrom + kInletTo) / 2.0;
  for (double edge : {-kInletBore / 2.0, kInletBore / 2.0}) {
    canvas.line(v.at(inletMiddle + edge, kBodyTop + kInletFlange),
                v.at(inletMiddle + edge, kBodyTop - 30.0), Weight::Thin, Pattern::Dashed);
  }
  canvas.line(v.at(inletMiddle, kBodyTop + kInletFlange + 4.0), v.at(inletMiddle, kBodyTop - 34.0),
              Weight::Thin, Pattern::Chain);

  // Lifting lug on the casing.
  const double lugBase = kBodyTop;
  const double lugCentre = kBodyTop + 12.0;
  canvas.line(v.at(kLugAt - kLugRadius, lugBase), v.at(kLugAt - kLugRadius, lugCentre),
              Weight::Thick);
  canvas.line(v.at(kLugAt + kLugRadius, lugBase), v.at(kLugAt + kLugRadius, lugCentre),
              Weight::Thick);
  canvas.arc(v.at(kLugAt, lugCentre), v.px(kLugRadius), 0.0, 180.0, Weight::Thick);
  canvas.circle(v.at(kLugAt, lugCentre), v.px(kLugHole / 2.0), Weight::Thin);

  box(canvas, v, kHousingEnd, kOutletTop, kHousingEnd + kOutletFlange, kOutletBottom);

  for (int foot = 0; foot < 2; ++foot) {
    const double hole = kFrontHole + foot * kHolePitch;
    box(canvas, v, hole - kFootLength / 2.0, kBodyBottom - 2.0, hole + kFootLength / 2.0,
        -kShaftHeight);
    hiddenHole(canvas, v, hole, kFootHole, kBodyBottom - 2.0, -kShaftHeight);
  }

  canvas.line(v.at(shaftEnd - 8.0, 0.0), v.at(kHousingEnd + kOutletFlange + 8.0, 0.0), Weight::Thin,
              Pattern::Chain);
}

void drawSideViewDimensions(LineCanvas& canvas) {
  using namespace airend;
  const View& v = kSideView;
  const double shaftEnd = -kSpigotLength - kShaftLength;
  const double shaftR = kShaftDiameter / 2.0;

  const Point spigotFace = v.at(-kSpigotLength, kSpigotDiameter / 2.0);
  pictures::horizontalDimension(canvas, v.at(shaftEnd, shaftR), {spigotFace.x, spigotFace.y + 3.0},
                                spigotFace.y + 3.0, figure(kShaftLength));

  const double chainY = v.at(0.0, -kShaftHeight).y + 17.0;
  const Point frontHole = v.at(kFrontHole, -kShaftHeight);
  const Point rearHole = v.at(kFrontHole + kHolePitch, -kShaftHeight);
  pictures::horizontalDimension(canvas, v.at(0.0, -kFlangeDiameter / 2.0),
                                {frontHole.x, frontHole.y + 6.0}, chainY, figure(kFrontHole));
  pictures::horizontalDimension(canvas, {frontHole.x, frontHole.y + 6.0},
                                {rearHole.x, rearHole.y + 6.0}, chainY, figure(kHolePitch));
  pictures::horizontalDimension(canvas, v.at(shaftEnd, -shaftR),
                                v.at(kHousingEnd + kOutletFlange, kOutletBottom), chainY + 16.0,
                                figure(kHousingEnd + kOutletFlange - shaftEnd));

  const Point axisEnd = v.at(shaftEnd - 8.0, 0.0);
  pictures::verticalDimension(canvas, {axisEnd.x + 2.0, axisEnd.y},
                              v.at(kFrontHole - kFootLength / 2.0, -kShaftHeight), axisEnd.x - 12.0,
                              figure(kShaftHeight), Side::Left);

  // Inlet flow arrow and the viewing arrow for the drive-end view.
  const Point inletTop = v.at((kInletFrom + kInletTo) / 2.0, kBodyTop + kInletFlange);
  canvas.line({inletTop.x, inletTop.y - 20.0}, {inletTop.x, inletTop.y - 3.0});
  pictures::arrowhead(canvas, {inletTop.x, inletTop.y - 3.0}, {inletTop.x, inletTop.y - 20.0});
  canvas.text(static_cast<int>(inletTop.x) + 5, static_cast<int>(inletTop.y) - 20, "INLET");

  const Point outlet = v.at(kHousingEnd + kOutletFlange, (kOutletTop + kOutletBottom) / 2.0);
  canvas.line({outlet.x + 3.0, outlet.y}, {outlet.x + 22.0, outlet.y});
  pictures::arrowhead(canvas, {outlet.x + 22.0, outlet.y}, {outlet.x + 3.0, outlet.y});
  canvas.text(static_cast<int>(outlet.x) + 3, static_cast<int>(outlet.y) + 6, "OUTLET");

  const Point viewArrow = v.at(shaftEnd - 22.0, kFlangeDiameter / 2.0 - 10.0);
  canvas.line({viewArrow.x - 16.0, viewArrow.y}, viewArrow);
  pictures::arrowhead(canvas, viewArrow, {viewArrow.x - 16.0, viewArrow.y});
  canvas.text(static_cast<int>(viewArrow.x) - 10, static_cast<int>(viewArrow.y) - 11, "X",
              Align::Centre);

  // Cutting plane of the shaft section: thick ends beyond the shaft, arrows in the viewing
  // direction.
  const double cutX = v.at(shaftEnd + kKeyFromEnd + kKeyLength / 2.0 + 4.0, 0.0).x;
  for (double side : {1.0, -1.0}) {
    const double inner = v.at(0.0, side * shaftR).y - side * 4.0;
    const double outer = inner - side * 10.0;
    canvas.line({cutX - 0.5, inner}, {cutX - 0.5, outer}, Weight::Thick);
    canvas.line({cutX, outer}, {cutX + 9.0, outer});
    pictures::arrowhead(canvas, {cutX + 9.0, outer}, {cutX, outer});
    canvas.text(static_cast<int>(cutX) - 3, static_cast<int>(outer) - 3, "A", Align::Right);
  }
}

void drawEndView(LineCanvas& canvas) {
  using namespace airend;
  const View& v = kEndView;

  roundedBox(canvas, v, 0.0, (kCasingTop + kHousingBottom) / 2.0, kHousingHalfWidth,
             (kCasingTop - kHousingBottom) / 2.0, kHousingCorner);
  // Only the part of the inlet flange above the casing's joint flange is in sight.
  const double inletTop = kBodyTop + kInletFlange;
  canvas.line(v.at(-kInletHalfWidth, inletTop), v.at(kInletHalfWidth, inletTop), Weight::Thick);
  canvas.line(v.at(-kInletHalfWidth, inletTop), v.at(-kInletHalfWidth, kCasingTop), Weight::Thick);
  canvas.line(v.at(kInletHalfWidth - 2.0, inletTop), v.at(kInletHalfWidth - 2.0, kCasingTop),
              Weight::Thick);
  box(canvas, v, -kFootSpan / 2.0, kHousingBottom, kFootSpan / 2.0, -kShaftHeight);
  for (double side : {-1.0, 1.0}) {
    hiddenHole(canvas, v, side * kHoleSpan / 2.0, kFootHole, kHousingBottom, -kShaftHeight);
  }

  const Point centre = v.at(0.0, 0.0);
  // Centre lines first, so that the keyway below stays open.
  pictures::centreCross(canvas, centre, v.px(kFlangeDiameter / 2.0) + 8.0,
                        v.px(kFlangeDiameter / 2.0) + 8.0);
  canvas.circle(centre, v.px(kFlangeDiameter / 2.0), Weight::Thick);
  canvas.circle(centre, v.px(kSpigotDiameter / 2.0), Weight::Thick);

  // Shaft end with the keyway at the top.
  const double shaftR = v.px(kShaftDiameter / 2.0);
  const double keyHalf = v.px(kKeyWidth / 2.0);
  canvas.circle(centre, shaftR, Weight::Thick);
  // At this scale the keyway is a notch of a few pixels: cut it out of the wide ring. It faces
  // the viewer of the side view, which is to the right in this view.
  const int keyTop = static_cast<int>(std::lround(centre.y - keyHalf));
  const int keyLow = static_cast<int>(std::lround(centre.y + keyHalf));
  const int keyBottom =
      static_cast<int>(std::lround(centre.x - shaftR + v.px(kShaftDiameter - kKeyDepth)));
  const int ringRight = static_cast<int>(std::lround(centre.x + shaftR));
  canvas.eraseRect(keyBottom + 1, keyTop + 1, ringRight - keyBottom, keyLow - keyTop - 1);
  const auto at = [](int x, int y) {
    return Point{static_cast<double>(x), static_cast<double>(y)};
  };
  canvas.line(at(keyBottom, keyTop), at(ringRight - 1, keyTop));
  canvas.line(at(keyBottom, keyLow), at(ringRight - 1, keyLow));
  canvas.line(at(keyBottom, keyTop), at(keyBottom, keyLow));

  const double pcd = v.px(kBoltCircle / 2.0);
  canvas.circle(centre, pcd, Weight::Thin, Pattern::Chain);
  for (int i = 0; i < kBoltCount; ++i) {
    const double angle = radians(45.0 + 90.0 * i);
    const Point hole{centre.x + pcd * std::cos(angle), centre.y - pcd * std::sin(angle)};
    // Too small for a wide ring at this scale: drawn narrow, as its edge would blot the bore.
    canvas.circle(hole, v.px(kBoltHole / 2.0), Weight::Thin);
    const double reach = v.px(kBoltHole / 2.0) + 3.0;
    canvas.line({hole.x - reach * std::cos(angle), hole.y + reach * std::sin(angle)},
                {hole.x + reach * std::cos(angle), hole.y - reach * std::sin(angle)});
  }

  // Direction of rotation, clockwise as seen on the shaft end.
  constexpr double kRotationRadius = 22.0;
  constexpr double kRotationFrom = 320.0;
  constexpr double kRotationTo = 225.0;
  canvas.arc(centre, kRotationRadius, kRotationTo + 6.0, kRotationFrom);
  const auto onRotation = [&](double degrees) {
    return Point{centre.x + kRotationRadius * std::cos(radians(degrees)),
                 centre.y - kRotationRadius * std::sin(radians(degrees))};
  };
  pictures::arrowhead(canvas, onRotation(kRotationTo), onRotation(kRotationTo + 20.0));
  canvas.text(static_cast<int>(centre.x),
              static_cast<int>(v.at(0.0, kBodyTop + kInletFlange).y) - 20, "X", Align::Centre, 2);
}

void drawEndViewDimensions(LineCanvas& canvas) {
  using namespace airend;
  const View& v = kEndView;
  const Point centre = v.at(0.0, 0.0);

  const auto onCircle = [&](double diameterMm, double degrees) {
    const double r = v.px(diameterMm / 2.0);
    return Point{centre.x + r * std::cos(radians(degrees)),
                 centre.y - r * std::sin(radians(degrees))};
  };
  const double pcd = v.px(kBoltCircle / 2.0);
  const Point hole{centre.x + pcd * std::cos(radians(45.0)),
                   centre.y - pcd * std::sin(radians(45.0))};
  const double holeR = v.px(kBoltHole / 2.0);
  pictures::leader(
      canvas, {hole.x + holeR * std::cos(radians(45.0)), hole.y - holeR * std::sin(radians(45.0))},
      {centre.x + 62.0, centre.y - 66.0}, count(kBoltCount, diameter(kBoltHole)));
  pictures::leader(canvas, onCircle(kBoltCircle, 15.0), {centre.x + 72.0, centre.y - 26.0},
                   diameter(kBoltCircle));
  pictures::leader(canvas, onCircle(kFlangeDiameter, 150.0), {centre.x - 72.0, centre.y - 52.0},
                   diameter(kFlangeDiameter));
  pictures::leader(canvas, onCircle(kSpigotDiameter, 165.0), {centre.x - 72.0, centre.y - 26.0},
                   diameter(kSpigotDiameter) + " f7");

  const double baseY = v.at(0.0, -kShaftHeight).y;
  const Point leftHole = v.at(-kHoleSpan / 2.0, -kShaftHeight);
  const Point rightHole = v.at(kHoleSpan / 2.0, -kShaftHeight);
  pictures::horizontalDimension(canvas, {leftHole.x, leftHole.y + 6.0},
                                {rightHole.x, rightHole.y + 6.0}, baseY + 17.0, figure(kHoleSpan));
  pictures::horizontalDimension(canvas, v.at(-kFootSpan / 2.0, -kShaftHeight),
                                v.at(kFootSpan / 2.0, -kShaftHeight), baseY + 33.0,
                                figure(kFootSpan));
  const Point footHole =
      v.at(kHoleSpan / 2.0 + kFootHole / 2.0, (kHousingBottom - kShaftHeight) / 2.0);
  pictures::leader(canvas, footHole, {footHole.x + 18.0, footHole.y - 24.0},
                   count(kFootHoles, diameter(kFootHole)));
}

// Viewed in the direction of the arrows A, like view X: the keyway, turned towards the viewer of
// the side view, lies on the right.
void drawShaftSection(LineCanvas& canvas) {
  using namespace airend;
  const View& v = kSection;
  const Point centre = v.at(0.0, 0.0);
  const double r = v.px(kShaftDiameter / 2.0);
  const double keyHalf = v.px(kKeyWidth / 2.0);
  const double keyBottom = centre.x - r + v.px(kShaftDiameter - kKeyDepth);
  const double wallEnd = centre.x + std::sqrt(r * r - keyHalf * keyHalf);

  canvas.hatch(
      static_cast<int>(centre.x - r), static_cast<int>(centre.y - r),
      static_cast<int>(centre.x + r), static_cast<int>(centre.y + r), 5, [&](int x, int y) {
        const bool inShaft = std::hypot(x - centre.x, y - centre.y) < r - 1.0;
        const bool inKeyway = std::abs(y - centre.y) < keyHalf + 1.0 && x > keyBottom - 2.0;
        return inShaft && !inKeyway;
      });
  const double keyAngle = std::asin(keyHalf / r) * 180.0 / std::numbers::pi;
  canvas.arc(centre, r, keyAngle, 360.0 - keyAngle, Weight::Thick);
  canvas.line({keyBottom - 1.0, centre.y - keyHalf}, {wallEnd, centre.y - keyHalf}, Weight::Thick);
  canvas.line({keyBottom - 1.0, centre.y + keyHalf - 1.0}, {wallEnd, centre.y + keyHalf - 1.0},
              Weight::Thick);
  canvas.line({keyBottom - 1.0, centre.y - keyHalf}, {keyBottom - 1.0, centre.y + keyHalf},
              Weight::Thick);
  pictures::centreCross(canvas, centre, r + 8.0, r + 8.0);

  pictures::verticalDimension(canvas, {wallEnd, centre.y - keyHalf}, {wallEnd, centre.y + keyHalf},
                              centre.x + r + 12.0, figure(kKeyWidth) + " P9", Side::Right);
  pictures::horizontalDimension(canvas, {centre.x - r, centre.y}, {keyBottom, centre.y + keyHalf},
                                centre.y + r + 12.0, figure(kShaftDiameter - kKeyDepth) + " -0.2",
                                Side::Below);
  pictures::horizontalDimension(canvas, {centre.x - r, centre.y}, {centre.x + r, centre.y},
                                centre.y - r - 12.0, diameter(kShaftDiameter) + " k6");
  canvas.text(static_cast<int>(centre.x), static_cast<int>(centre.y - r) - 40, "A-A", Align::Centre,
              2);
}

void drawNotes(LineCanvas& canvas) {
  using namespace airend;
  const int left = 184;
  int y = 290;
  const auto note = [&](const std::string& text) {
    canvas.text(left, y, text);
    y += 11;
  };
  note("NOTES");
  note("1. KEY " + figure(kKeyWidth) + "x7x" + figure(kKeyLength) + " DIN 6885-A");
  note("2. ROTATION CLOCKWISE IN VIEW X");
  note("3. MOUNTING BOLTS " + count(kFootHoles, "M16"));
  note("4. WEIGHT APPROX. 62 kg");
}

void drawFrameAndTitle(LineCanvas& canvas) {
  canvas.rect({4, 4}, {kWidth - 5, kHeight - 5}, Weight::Thin);
  const int left = 372;
  const int top = 332;
  const int right = kWidth - 5;
  const int bottom = kHeight - 5;
  canvas.rect({left, top}, {right, bottom}, Weight::Thin);
  canvas.line({left, top + 22}, {right, top + 22});
  canvas.line({left, top + 42}, {right, top + 42});
  canvas.line({468, top + 42}, {468, bottom});
  canvas.text(left + 6, top + 4, "QNTe418", Align::Left, 2);
  canvas.text(476, top + 8, "SCREW AIR END");
  canvas.text(left + 6, top + 29, "OUTLINE DRAWING");
  canvas.text(left + 6, top + 49, "DIMENSIONS IN mm");
  canvas.text(474, top + 49, "ISO 2768-m");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_outline_drawing <output.bmp>\n";
    return 2;
  }
  try {
    LineCanvas canvas(kWidth, kHeight);
    drawSideView(canvas);
    drawSideViewDimensions(canvas);
    drawEndView(canvas);
    drawEndViewDimensions(canvas);
    drawShaftSection(canvas);
    drawNotes(canvas);
    drawFrameAndTitle(canvas);
    // Grey palette: the canvas bytes are the palette indices, 0 black and 255 white.
    pictures::writeBytes(argv[1], pictures::encodeBmp8(kWidth, kHeight, canvas.pixels(),
                                                       pictures::greyPalette(), kPixelsPerMetre));
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
