#include "sor/KeyEvent.h"

#include <cstring>

namespace sor {

tKeyEvent::tKeyEvent()
    : AttenuationCoefficient(1.0f), EventType(0), EventOrigin(0), Landmark{'9', '9', '9', '9'},
      LossTechnique(1)
{
}

bool tKeyEvent::operator==(const tKeyEvent& other) const
{
    for (int i = 0; i < MARKER_COUNT; ++i) {
        if (MarkerPositions[i].GetValue() != other.MarkerPositions[i].GetValue())
            return false;
    }
    return Number.GetValue() == other.Number.GetValue()
        && PropagationTime.GetValue() == other.PropagationTime.GetValue()
        && AttenuationCoefficient.GetValue() == other.AttenuationCoefficient.GetValue()
        && EventLoss.GetValue() == other.EventLoss.GetValue()
        && Reflectance.GetValue() == other.Reflectance.GetValue()
        && EventType == other.EventType && EventOrigin == other.EventOrigin
        && std::memcmp(Landmark, other.Landmark, LANDMARK_SIZE) == 0
        && LossTechnique == other.LossTechnique
        && Comment.GetValue() == other.Comment.GetValue();
}

} // namespace sor
