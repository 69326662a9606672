#pragma once
// The status panel's lamps: round 12 x 12 images in five looks, their corners in the panel's face
// colour so they sit on it like holes with a light behind them. A pair (CTS, DSR, RTS, DTR) is the
// green lamp and the red lamp side by side.

#include <QColor>
#include <QPixmap>

#include "terminal/PaneRules.h"

namespace mx::terminal {

inline constexpr int kLampSize = 12;
inline constexpr int kLampGap = 2;

QColor LampColour(Lamp lamp);
QPixmap LampPixmap(Lamp lamp, const QColor& face);
QPixmap LampPairPixmap(LampPair pair, const QColor& face);

}  // namespace mx::terminal
