#pragma once

#include "core/NumValue.h"

namespace sor {

// Result of a measurement over the section between the two markers.
struct tCustomQWMXR01
{
    tCustomQWMXR01() = default;
    tCustomQWMXR01(const tCustomQWMXR01& other) = default;
    tCustomQWMXR01& operator=(const tCustomQWMXR01& other) = default;

    bool bPresent = false;
    CType::NumValue<double, qint32, 1, 7> lDistToTheLeftMarker_cm;
    CType::NumValue<double, qint32, 1, 7> lDistToTheRightMarker_cm;
    CType::NumValue<unsigned short, unsigned short, 1, 2> usApproxMethod;         // 0: "2P", else "LS"
    CType::NumValue<float, unsigned short, 1, 2> usLossBetweenMarkers;            // 0.001 dB
    CType::NumValue<float, unsigned short, 1, 2> usMeanSlopeBetweenMarkers;       // 0.001 dB/km
    CType::NumValue<double, quint32, 1, 2> ulMaxReflBetweenMarkers;               // 0.001 dB
    CType::NumValue<float, unsigned short, 1, 2> usORL_BetweenMarkers;            // 0.001 dB
    CType::NumValue<float, unsigned short, 1000, 2> usDisplayFlag;                // 0: "MaxReflection", else "ORL"
};

} // namespace sor
