// The fixed numbers of the scene's display lists, recorded once at start-up and called every frame.
#pragma once

namespace DisplayList {
constexpr unsigned kFace = 1;
constexpr unsigned kHourHand = 2;
constexpr unsigned kMinuteHand = 3;
constexpr unsigned kSecondHand = 4;
constexpr unsigned kGlobe = 10;
} // namespace DisplayList
