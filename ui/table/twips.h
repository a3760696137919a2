// Window geometry is laid out in twips, 1440 to the inch; the screen shows
// 15 twips per pixel (96 dots per inch).
#pragma once

namespace tufu {

inline constexpr int kTwipsPerPixel = 15;

/// The pixel nearest to a position or length in twips (halves away from
/// zero): twips(1500) == 100, twips(1000) == 67, twips(-300) == -20.
constexpr int twips(int t) {
  return t >= 0 ? (t + kTwipsPerPixel / 2) / kTwipsPerPixel
                : -((-t + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

}  // namespace tufu
