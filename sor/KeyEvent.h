#pragma once

#include "core/NumValue.h"
#include "core/StrValue.h"
#include "sor/Code.h"

#include <QtGlobal>

namespace sor {

// One event along the fibre as the rest of the program holds it.
struct tKeyEvent
{
    enum
    {
        MARKER_COUNT = 5,
        LANDMARK_SIZE = 4,
    };

    tKeyEvent();
    tKeyEvent(const tKeyEvent& other) = default;
    tKeyEvent& operator=(const tKeyEvent& other) = default;
    virtual ~tKeyEvent() = default;

    bool operator==(const tKeyEvent& other) const;
    bool operator!=(const tKeyEvent& other) const { return !(*this == other); }

    CType::NumValue<unsigned int, qint16, 1, 0> Number;
    CType::NumValue<double, qint32, 10, 2> PropagationTime;        // ns
    CType::NumValue<float, qint16, 1000, 7> AttenuationCoefficient; // dB/km
    CType::NumValue<float, qint16, 1000, 7> EventLoss;              // dB
    CType::NumValue<double, qint32, 1000, 7> Reflectance;           // dB, 0 = none
    int EventType;     // index into bc::GetEventCodeDigits()
    int EventOrigin;   // index into bc::GetEventCodeLetters()
    char Landmark[LANDMARK_SIZE];
    int LossTechnique; // index into bc::GetLossTechniqueCodes()
    tReadCode ReadLossTechnique; // a foreign code as read, written back while LossTechnique keeps its index
    CType::NumValue<double, qint32, 1000, 2> MarkerPositions[MARKER_COUNT];
    CType::StrValue<101> Comment;
};

} // namespace sor
