#include "grid/dark_tint.h"

#include <algorithm>
#include <cmath>

namespace zuno {
namespace {

double Channel(Rgb c, int shift) { return ((c >> shift) & 0xFF) / 255.0; }

double Linear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }

double Luminance(double r, double g, double b) { return 0.2126 * Linear(r) + 0.7152 * Linear(g) + 0.0722 * Linear(b); }

}  // namespace

Rgb DarkTint(Rgb light) {
  const double r = Channel(light, 0), g = Channel(light, 8), b = Channel(light, 16);
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  const double lightness = (high + low) / 2;
  const double chroma = high - low;
  double hue = 0;  // in sixths of the circle
  if (chroma > 0) {
    if (high == r)
      hue = std::fmod((g - b) / chroma + 6, 6);
    else if (high == g)
      hue = (b - r) / chroma + 2;
    else
      hue = (r - g) / chroma + 4;
  }
  const double saturation = chroma == 0 ? 0 : chroma / (1 - std::abs(2 * lightness - 1));
  // The lighter the tint, the darker its variant: a near-white stays close
  // to the dark theme's own base, a stronger tint shows a little more.
  const double l = 0.18 + (1 - lightness) * 0.6;
  const double s = std::min(saturation, 0.45);
  const double c = (1 - std::abs(2 * l - 1)) * s;
  const double x = c * (1 - std::abs(std::fmod(hue, 2) - 1));
  const double m = l - c / 2;
  double rgb[3] = {m, m, m};
  const int sextant = static_cast<int>(hue) % 6;
  const int big[6] = {0, 1, 1, 2, 2, 0}, small[6] = {1, 0, 2, 1, 0, 2};
  rgb[big[sextant]] += c;
  rgb[small[sextant]] += x;
  const auto byte = [](double v) { return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return MakeRgb(byte(rgb[0]), byte(rgb[1]), byte(rgb[2]));
}

bool IsLightText(double red, double green, double blue) { return Luminance(red, green, blue) > 0.5; }

double ContrastRatio(Rgb a, Rgb b) {
  const double la = Luminance(Channel(a, 0), Channel(a, 8), Channel(a, 16));
  const double lb = Luminance(Channel(b, 0), Channel(b, 8), Channel(b, 16));
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace zuno
