// The random parts of the message-text redraw, in the order in which it draws them: the font
// height, the block's place (left, then top) and the text colour. Plain logic over the shared
// random generator: no windows.h.
#pragma once

#include <cstdint>
#include <optional>

#include "core/geometry.h"

namespace orv {

// The five messages of the fallback mode.
inline constexpr const char kOleFailure[] = "ERROR: OLE initialization failure!";
inline constexpr const char kNoDirectDraw[] = "Orvessan's Screen Saver requires DirectDraw!";
inline constexpr const char kDirectDrawFailure[] = "ERROR: DirectDraw initialization failure!";
inline constexpr const char kNoSurface[] = "ERROR: Could not create DirectDraw surface!";
inline constexpr const char kTooFewColours[] =
    "Orvessan's Screen Saver\nrequires more than 256 colors!";

// A client area narrower than this has no height rule (it would divide by 0): the redraw is
// skipped.
inline constexpr int32_t kMinMessageWidth = 28;

// Cell height in pixels for a client area `width` pixels wide: (rand() mod (width / 28)) +
// width / 60, one draw. It is 0 for widths 28 to 55 (and can be up to 59), which the font
// takes as its default height: the message is still drawn. Empty, without a draw, when the
// area is narrower than kMinMessageWidth.
std::optional<int32_t> MessageFontHeight(int32_t width);

// Where a block of w x h pixels goes in a client area of width x height: left = r(width - w),
// top = r(height - h). Two draws. A block larger than the area gets a place between the
// (negative) difference and 0.
Rect PlaceMessageBlock(int32_t width, int32_t height, int32_t w, int32_t h);

// A random shade of blue, 0x00BBGGRR: 0xff4040 scaled by 80 to 359 / 256. One draw.
uint32_t MessageTextColour();

}  // namespace orv
