// Renders the rotor picture: the male (four lobes, right hand) and female (six flutes, left hand)
// screw rotors of the air end side by side, seen slightly from above, in grey on white.
// Writes a PPM; make_rotor_gif.sh turns it into the GIF the window carries.
#include <algorithm>
#include <cmath>
#include <exception>
#include <iostream>
#include <numbers>

#include "rgb_image.h"

namespace {

constexpr int kWidth = 76;
constexpr int kHeight = 80;
constexpr int kSamples = 4;  // per pixel and axis

constexpr double kPi = std::numbers::pi;
constexpr double kTilt = 18.0 * kPi / 180.0;  // the view looks down this much onto the rotor ends
constexpr double kBodyHalfLength = 21.0;

struct Vec {
  double x, y, z;
  Vec operator+(const Vec& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec operator-(const Vec& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec operator*(double s) const { return {x * s, y * s, z * s}; }
  double dot(const Vec& o) const { return x * o.x + y * o.y + z * o.z; }
  Vec normalised() const { return *this * (1.0 / std::sqrt(dot(*this))); }
};

struct Rotor {
  double axisX;  // world x of the axis; the axes stand upright (world y)
  double rootRadius;  // bottom of the flutes
  double tipRadius;  // top of the lobes
  int lobes;
  double twist;  // radians per pixel of length; the sign gives the hand
  double phase;
  double lobeShape;  // exponent: below 1 broad lobes (male), above 1 slim lobes (female)
  double shaftRadius;
  double shaftTop;
  double shaftBottom;
};

// Male twist over the body is about 200 degrees; the female, with one and a half times the
// lobes, turns the other way two thirds as fast so that the two leads match.
constexpr double kMaleTwist = 200.0 * kPi / 180.0 / (2.0 * kBodyHalfLength);
constexpr Rotor kMale{-12.5, 9.5, 16.0, 4, -kMaleTwist, 0.3, 0.6, 4.0, 28.0, -37.0};
constexpr Rotor kFemale{13.0, 8.5, 12.5, 6, kMaleTwist * 4.0 / 6.0, 0.0, 2.2, 3.5, 28.0, -28.0};

double rotorField(const Rotor& rotor, const Vec& p) {
  const double dx = p.x - rotor.axisX;
  const double rho = std::hypot(dx, p.z);
  const double angle = std::atan2(p.z, dx) + rotor.twist * p.y + rotor.phase;
  const double wave = std::pow(0.5 * (1.0 + std::cos(rotor.lobes * angle)), rotor.lobeShape);
  const double radius = rotor.rootRadius + (rotor.tipRadius - rotor.rootRadius) * wave;
  const double body = std::max((rho - radius) * 0.5, std::abs(p.y) - kBodyHalfLength);
  const double shaftMiddle = 0.5 * (rotor.shaftTop + rotor.shaftBottom);
  const double shaftHalf = 0.5 * (rotor.shaftTop - rotor.shaftBottom);
  const double shaft = std::max(rho - rotor.shaftRadius, std::abs(p.y - shaftMiddle) - shaftHalf);
  return std::min(body, shaft);
}

double sceneField(const Vec& p) { return std::min(rotorField(kMale, p), rotorField(kFemale, p)); }

Vec normalAt(const Vec& p) {
  constexpr double kEps = 0.02;
  return Vec{sceneField(p + Vec{kEps, 0, 0}) - sceneField(p - Vec{kEps, 0, 0}),
             sceneField(p + Vec{0, kEps, 0}) - sceneField(p - Vec{0, kEps, 0}),
             sceneField(p + Vec{0, 0, kEps}) - sceneField(p - Vec{0, 0, kEps})}
      .normalised();
}

// Brightness 0..1 of the first surface along the ray, or a negative value when it misses.
double trace(double imageX, double imageY) {
  const Vec direction{0.0, -std::sin(kTilt), -std::cos(kTilt)};
  const Vec up{0.0, std::cos(kTilt), -std::sin(kTilt)};
  const Vec origin = Vec{imageX, 0, 0} + up * imageY - direction * 60.0;
  constexpr double kStep = 0.1;
  double previous = 0.0;
  for (double t = 0.0; t < 120.0; t += kStep) {
    if (sceneField(origin + direction * t) < 0.0) {
      double low = previous;
      double high = t;
      for (int i = 0; i < 16; ++i) {
        const double middle = 0.5 * (low + high);
        (sceneField(origin + direction * middle) < 0.0 ? high : low) = middle;
      }
      const Vec hit = origin + direction * high;
      const Vec normal = normalAt(hit);
      const Vec light = Vec{-0.55, 0.65, 0.75}.normalised();
      const Vec halfway = (light - direction).normalised();
      const double diffuse = std::max(0.0, normal.dot(light));
      const double specular = std::pow(std::max(0.0, normal.dot(halfway)), 24.0);
      return std::clamp(0.16 + 0.60 * diffuse + 0.30 * specular, 0.0, 0.93);
    }
    previous = t;
  }
  return -1.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_rotor_picture <output.ppm>\n";
    return 2;
  }
  pictures::RgbImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      double sum = 0.0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double imageX = x + (sx + 0.5) / kSamples - kWidth / 2.0;
          const double imageY = kHeight / 2.0 - (y + (sy + 0.5) / kSamples);
          const double shade = trace(imageX, imageY);
          sum += shade < 0.0 ? 1.0 : shade;
        }
      }
      const auto grey = static_cast<std::uint8_t>(std::lround(sum / (kSamples * kSamples) * 255.0));
      image.at(x, y) = {grey, grey, grey};
    }
  }
  try {
    pictures::writeBytes(argv[1], pictures::encodePpm(image));
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
