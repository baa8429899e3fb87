#pragma once

// Enumerations shared by the axis property objects and the scale engine.

#include <cstdint>

enum TFigType : std::uint8_t { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };
// The side of the scale's rectangle that holds its base line.
enum TScaleType : std::uint8_t { sctXB, sctXT, sctYL, sctYR };
enum TScaleUnitAnchor : std::uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };
enum TColorScheme : std::uint8_t { csBWG, csSystem };
enum TScaleLocationHoriz : std::uint8_t { slTop, slBottom };
enum TScaleLocationVert : std::uint8_t { slLeft, slRight };

constexpr bool IsHorizontal(TScaleType t) {
    return t == sctXB || t == sctXT;
}
