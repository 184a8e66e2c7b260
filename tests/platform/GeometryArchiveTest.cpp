#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/Archive.h"
#include "platform/GeometryArchive.h"
#include "platform/LogPen.h"
#include "platform/XForm.h"

namespace {

constexpr int32_t kEdge = kMaxDrawingCoordinate;

template <typename Write>
std::vector<uint8_t> Stored(Write write) {
    CArchive ar;
    write(ar);
    return ar.GetBuffer();
}

template <typename Read>
bool RefusedAsBadValue(const std::vector<uint8_t>& bytes, Read read) {
    CArchive ar(bytes);
    try {
        read(ar);
    } catch (const CArchiveException& e) {
        return e.GetCause() == CArchiveException::badValue;
    }
    return false;
}

TEST(GeometryArchive, CoordinatesUpToTheDrawingAreaLoad) {
    const CRect edges(-kEdge, -kEdge, kEdge, kEdge);
    CArchive rectIn(Stored([&](CArchive& ar) { WriteRect(ar, edges); }));
    EXPECT_EQ(ReadRect(rectIn), edges);
    CArchive pointIn(Stored([](CArchive& ar) { WritePoint(ar, CPoint(kEdge, -kEdge)); }));
    EXPECT_EQ(ReadPoint(pointIn), CPoint(kEdge, -kEdge));
}

// Coordinates near the integer limit overflowed the text layout of a loaded
// drawing; they are refused where they are read.
TEST(GeometryArchive, CoordinatesBeyondTheDrawingAreaAreRefused) {
    for (const int32_t far : {kEdge + 1, -kEdge - 1, std::numeric_limits<int32_t>::max(),
                              std::numeric_limits<int32_t>::min()}) {
        SCOPED_TRACE(far);
        // Raw values, as a damaged or foreign file holds them.
        const auto raw = [](std::initializer_list<int32_t> values) {
            return Stored([&](CArchive& ar) {
                for (const int32_t value : values) {
                    ar.WriteInt32(value);
                }
            });
        };
        EXPECT_TRUE(RefusedAsBadValue(raw({0, 0, far, 10}), [](CArchive& ar) { ReadRect(ar); }));
        EXPECT_TRUE(RefusedAsBadValue(raw({0, far}), [](CArchive& ar) { ReadPoint(ar); }));
        EXPECT_TRUE(RefusedAsBadValue(raw({0, far, 0, 0}), [](CArchive& ar) { ReadLogPen(ar); }));
    }
}

// A label laid out beside a node at the edge of the area lies a little past
// it; the file written must still open (the fuzzer found one that did not).
TEST(GeometryArchive, WhatIsWrittenAlwaysReadsBackAtTheEdge) {
    CArchive rectIn(
        Stored([](CArchive& ar) { WriteRect(ar, CRect(230, kEdge - 5, 240, kEdge + 3)); }));
    EXPECT_EQ(ReadRect(rectIn), CRect(230, kEdge - 5, 240, kEdge));
    CArchive pointIn(Stored([](CArchive& ar) { WritePoint(ar, CPoint(-kEdge - 9, 0)); }));
    EXPECT_EQ(ReadPoint(pointIn), CPoint(-kEdge, 0));
    LOGPEN wide;
    wide.lopnWidth.x = kEdge + 1;
    CArchive penIn(Stored([&](CArchive& ar) { WriteLogPen(ar, wide); }));
    EXPECT_EQ(ReadLogPen(penIn).lopnWidth.x, kEdge);
}

TEST(GeometryArchive, PenKeepsItsUnusedWidthField) {
    LOGPEN pen;
    pen.lopnWidth = CPoint(3, std::numeric_limits<int32_t>::max());
    CArchive in(Stored([&](CArchive& ar) { WriteLogPen(ar, pen); }));
    EXPECT_EQ(ReadLogPen(in), pen);
}

TEST(GeometryArchive, TransformationsMustBeFiniteAndModest) {
    XFORM turn{0.0f, 1.0f, -1.0f, 0.0f, 100.0f, -50.0f};
    CArchive in(Stored([&](CArchive& ar) { WriteXForm(ar, turn); }));
    EXPECT_EQ(ReadXForm(in), turn);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    for (const XFORM& bad : {XFORM{nan, 0, 0, 1, 0, 0}, XFORM{1, 0, 0, infinity, 0, 0},
                             XFORM{1e6f, 0, 0, 1, 0, 0}, XFORM{1, 0, 0, 1, 2e6f, 0}}) {
        EXPECT_TRUE(RefusedAsBadValue(Stored([&](CArchive& ar) { WriteXForm(ar, bad); }),
                                      [](CArchive& ar) { ReadXForm(ar); }));
    }
}

}  // namespace
