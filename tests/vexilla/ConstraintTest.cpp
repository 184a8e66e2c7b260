#include "vexilla/Constraint.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <locale>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vexilla/BindCtlToConstraint.h"
#include "vexilla/ConstraintList.h"

namespace {

using Geometry::CBindCtlToConstraint;
using Geometry::CConstraint;
using Geometry::CConstraintList;

constexpr uint16_t CX = CConstraint::kFlagCX;
constexpr uint16_t CY = CConstraint::kFlagCY;
constexpr uint16_t X = CConstraint::kFlagX;
constexpr uint16_t Y = CConstraint::kFlagY;
constexpr uint16_t kCentreX = CConstraint::kFlagCentreX;
constexpr uint16_t kCentreY = CConstraint::kFlagCentreY;
constexpr uint16_t kPropCX = CConstraint::kFlagPropCX;
constexpr uint16_t kPropCY = CConstraint::kFlagPropCY;
constexpr uint16_t kPropX = CConstraint::kFlagPropX;
constexpr uint16_t kPropY = CConstraint::kFlagPropY;

// Parses text into a fresh constraint and returns the result with the flags.
std::pair<bool, uint16_t> Parse(const std::string& text) {
    CConstraint constraint;
    const bool ok = constraint.ExtractOptions(text);
    return {ok, constraint.GetFlags()};
}

CRect Resize(const char* text, CRect initial, CSize newSize, CSize initialSize) {
    CBindCtlToConstraint bound(7, CConstraint(text));
    bound.SetRect(initial);
    return bound.ResizeControl(newSize, initialSize);
}

TEST(ConstraintParse, DialogTextsGiveFlagsAndRatios) {
    const char* texts[] = {"X+Y",
                           "CX+CY",
                           "X",
                           "CX[0.985]+CY[0.05]",
                           "Y[0.05]+CX[0.985]+CY[0.425]",
                           "Y[0.05]+CX[0.985]+CY[0.725]",
                           "CX[0.5]+CY",
                           "X[0.5]+CX[0.5]+CY[0.125]",
                           "X[0.5]+Y[0.125]+CX[0.5]+CY[0.875]",
                           "Y[0.5]+CX+CY[0.5]",
                           "Y[0.05]+CX+CY[0.3]",
                           "Y[0.05]+CX+CY[0.425]",
                           "X[0.3]+CX[0.1]",
                           "CX+CY[0.05]",
                           "CX[0.2]"};
    for (const char* text : texts) {
        CConstraint constraint;
        EXPECT_TRUE(constraint.ExtractOptions(text)) << text;
    }

    const CConstraint buttons("X+Y");
    EXPECT_EQ(buttons.GetFlags(), X | Y);
    EXPECT_EQ(buttons.GetXRatio(), 1.0f);
    EXPECT_EQ(buttons.GetYRatio(), 1.0f);
    EXPECT_EQ(buttons.GetCXRatio(), 0.0f);

    const CConstraint pane("X[0.5]+Y[0.125]+CX[0.5]+CY[0.875]");
    EXPECT_EQ(pane.GetFlags(), X | Y | CX | CY);
    EXPECT_EQ(pane.GetXRatio(), 0.5f);
    EXPECT_EQ(pane.GetYRatio(), 0.125f);
    EXPECT_EQ(pane.GetCXRatio(), 0.5f);
    EXPECT_EQ(pane.GetCYRatio(), 0.875f);

    const CConstraint all(0.25f, 0.5f, 0.75f, 1.0f);
    EXPECT_EQ(all.GetFlags(), 15);
    EXPECT_EQ(all.GetCYRatio(), 1.0f);
    EXPECT_TRUE(CConstraint().GetFlags() == 0 && CConstraint() == CConstraint(""));
}

TEST(ConstraintParse, ProportionalMarksEverythingNamedSoFar) {
    EXPECT_EQ(Parse("MX"), std::make_pair(true, uint16_t(X | kPropX)));
    EXPECT_EQ(Parse("CX+MY"), std::make_pair(true, uint16_t(CX | kPropCX | Y | kPropY)));
    // Tokens after the "M" token stay plain.
    EXPECT_EQ(Parse("MX+CX"), std::make_pair(true, uint16_t(X | kPropX | CX)));
    EXPECT_EQ(Parse("MCX+MCY"), std::make_pair(true, uint16_t(CX | CY | kPropCX | kPropCY)));
    EXPECT_EQ(Parse("X+M"), std::make_pair(true, uint16_t(X | kPropX)));
}

TEST(ConstraintParse, CentringAgainstPlainAndProportionalFlags) {
    // Centring replaces the edge's own movement and the extent's growth.
    EXPECT_EQ(Parse("x+CX"), std::make_pair(true, kCentreX));
    EXPECT_EQ(Parse("X+x+CY"), std::make_pair(true, uint16_t(kCentreX | CY)));
    EXPECT_EQ(Parse("y+CY+Y+X"), std::make_pair(true, uint16_t(kCentreY | X)));
    // A proportional edge or extent cancels centring on its axis.
    EXPECT_EQ(Parse("MX+x"), std::make_pair(true, uint16_t(X | kPropX)));
    EXPECT_EQ(Parse("y+MCY"), std::make_pair(true, uint16_t(CY | kPropCY)));
    EXPECT_EQ(Parse("x+MCY+y"), std::make_pair(true, uint16_t(kCentreX | CY | kPropCY)));
}

TEST(ConstraintParse, BadCTokenStopsWithFlagsSoFar) {
    EXPECT_EQ(Parse("C"), std::make_pair(false, uint16_t(0)));
    EXPECT_EQ(Parse("X+CZ"), std::make_pair(false, X));
    EXPECT_EQ(Parse("CX+Y+Cx+CY"), std::make_pair(false, uint16_t(CX | Y)));
    EXPECT_EQ(Parse("MX+C"), std::make_pair(false, uint16_t(X | kPropX)));
    // Parsing stops before the clean-up, so centring and growth both remain.
    EXPECT_EQ(Parse("x+CX+CQ"), std::make_pair(false, uint16_t(kCentreX | CX)));
}

// Only the letter of a token counts; what follows it is read for a ratio where
// it starts with "[", and anything else is passed over.
TEST(ConstraintParse, TokensAreReadAsLeniently) {
    struct Case {
        const char* text;
        uint16_t flags;
        float xRatio;
    };
    const Case cases[] = {
        {"XY", X, 1.0f},
        {"X0.5]", X, 1.0f},
        {"X[0.5", X, 0.5f},
        {"X[0.5]]", X, 0.5f},
        {"X[0.5]x", X, 0.5f},
        {"X[ 0.5]", X, 0.5f},
        {"X[+0.5]", X, 0.0f},  // "+" ends the token: "X[" and "0.5]" {"X[1e3]", X, 1000.0f},
                               // {"X[abc]", X, 0.0f},
        {"X[]", X, 0.0f},
        {"X[", X, 0.0f},
        {"X[0,5]", X, 0.0f},
        {"X[nan]", X, 0.0f},
        {"X[inf]", X, 0.0f},
        {"x[0.5]", kCentreX, 0.0f},
        {"Q", 0, 0.0f},
        {" X", 0, 0.0f},
        {"yy", kCentreY, 0.0f},
    };
    for (const Case& c : cases) {
        CConstraint constraint;
        EXPECT_TRUE(constraint.ExtractOptions(c.text)) << c.text;
        EXPECT_EQ(constraint.GetFlags(), c.flags) << c.text;
        EXPECT_EQ(constraint.GetXRatio(), c.xRatio) << c.text;
    }
    EXPECT_EQ(CConstraint("CX[0.25").GetCXRatio(), 0.25f);
    EXPECT_EQ(CConstraint("CXY").GetFlags(), CX);

    // A token with an unknown letter is passed over; the rest still counts.
    EXPECT_EQ(Parse("X+Q+Y"), std::make_pair(true, uint16_t(X | Y)));
    EXPECT_EQ(Parse("X+ Y"), std::make_pair(true, X));
    EXPECT_EQ(Parse("x+Z[0.5]+CX"), std::make_pair(true, kCentreX));

    // Empty tokens are harmless.
    EXPECT_EQ(Parse(""), std::make_pair(true, uint16_t(0)));
    EXPECT_EQ(Parse("X++Y+"), std::make_pair(true, uint16_t(X | Y)));
    EXPECT_EQ(Parse("+"), std::make_pair(true, uint16_t(0)));
}

TEST(ConstraintParse, NullAndOverlongTextsChangeNothing) {
    CConstraint constraint("CX[0.5]");
    EXPECT_FALSE(constraint.ExtractOptions(static_cast<const char*>(nullptr)));
    EXPECT_EQ(CConstraint(static_cast<const char*>(nullptr)), CConstraint());

    std::string longest = "X";
    while (longest.size() + 2 <= CConstraint::kMaxText) {
        longest += "+Y";
    }
    ASSERT_EQ(longest.size(), CConstraint::kMaxText);
    EXPECT_EQ(Parse(longest), std::make_pair(true, uint16_t(X | Y)));
    EXPECT_FALSE(constraint.ExtractOptions(longest + "+"));
    EXPECT_EQ(constraint, CConstraint("CX[0.5]"));
}

// A numeric punctuation with a decimal comma for the C++ global locale.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(ConstraintParse, DecimalPointIsAlwaysAPeriod) {
    // Whichever decimal-comma C locale is installed, plus a C++ one that always is.
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaPunct));
    const std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            break;
        }
    }
    const CConstraint half("X[0.5]+CY[0.125]");
    const float comma = CConstraint("X[0,5]").GetXRatio();
    std::setlocale(LC_NUMERIC, previousC.c_str());
    std::locale::global(previous);

    EXPECT_EQ(half.GetFlags(), X | CY);
    EXPECT_EQ(half.GetXRatio(), 0.5f);
    EXPECT_EQ(half.GetCYRatio(), 0.125f);
    EXPECT_EQ(comma, 0.0f);  // read up to the comma, as under the "C" locale
}

TEST(ConstraintResize, AnchoredMovesKeepTheSize) {
    // "X+Y": moves with the bottom-right corner, keeps its size.
    EXPECT_EQ(Resize("X+Y", CRect(300, 200, 375, 223), {500, 290}, {400, 250}),
              CRect(400, 240, 475, 263));
    // "X": only horizontally.
    EXPECT_EQ(Resize("X", CRect(300, 10, 375, 33), {500, 290}, {400, 250}),
              CRect(400, 10, 475, 33));
    // No constraint: stays put.
    EXPECT_EQ(Resize("", CRect(5, 6, 7, 8), {500, 290}, {400, 250}), CRect(5, 6, 7, 8));
}

TEST(ConstraintResize, RatiosShareTheChange) {
    // Left edge by 50, width by 50, height by 10.
    EXPECT_EQ(Resize("X[0.5]+CX[0.5]+CY[0.125]", CRect(200, 20, 390, 220), {500, 330}, {400, 250}),
              CRect(250, 20, 490, 230));
    // "CX+CY" fills the window.
    EXPECT_EQ(Resize("CX+CY", CRect(10, 10, 390, 200), {463, 301}, {400, 250}),
              CRect(10, 10, 453, 251));
    // Each share is truncated: 0.985 * 100 = 98.5 -> 98, 0.05 * 70 = 3.5 -> 3.
    EXPECT_EQ(Resize("CX[0.985]+CY[0.05]", CRect(0, 0, 100, 100), {500, 320}, {400, 250}),
              CRect(0, 0, 198, 103));
    // Top at 0.05 and height at 0.3 of a 200 growth.
    EXPECT_EQ(Resize("Y[0.05]+CX+CY[0.3]", CRect(10, 100, 110, 150), {400, 450}, {400, 250}),
              CRect(10, 110, 110, 220));
}

TEST(ConstraintResize, CentringKeepsTheWidth) {
    // "x" with "CX": centring wins; half the change, truncated (101 / 2 = 50).
    EXPECT_EQ(Resize("x+CX", CRect(150, 20, 250, 40), {501, 250}, {400, 250}),
              CRect(200, 20, 300, 40));
    EXPECT_EQ(Resize("y+X", CRect(150, 20, 250, 40), {400, 311}, {400, 250}),
              CRect(150, 50, 250, 70));
}

TEST(ConstraintResize, ProportionalScalesBeforeAddingTheChange) {
    // "MX": left becomes 500 * 100 / 400 = 125, then moves by the full 100.
    EXPECT_EQ(Resize("MX", CRect(100, 10, 150, 30), {500, 250}, {400, 250}),
              CRect(225, 10, 275, 30));
    // "MCX": width 500 * 120 / 400 = 150, then grows by the full 100.
    EXPECT_EQ(Resize("MCX", CRect(10, 10, 130, 30), {500, 250}, {400, 250}),
              CRect(10, 10, 260, 30));
    // Integer scaling truncates: 301 * 33 / 300 = 33, 401 * 77 / 400 = 77.
    EXPECT_EQ(Resize("MY[0]+MCY[0]", CRect(0, 33, 10, 110), {10, 301}, {10, 300}),
              CRect(0, 33, 10, 110));
    // A dialog recorded without a size does not divide by zero.
    EXPECT_EQ(Resize("MX+MCX+MY+MCY", CRect(10, 20, 30, 40), {100, 100}, {0, -5}),
              CRect(110, 125, 230, 250));
}

TEST(ConstraintResize, NeverSmallerOrAboveOrLeftOfTheInitial) {
    const CRect initial(100, 80, 200, 160);
    for (const char* text : {"X+Y", "CX+CY", "x+y", "MX+MY+MCX+MCY", "X[0.5]+CX"}) {
        // Shrunk dialog.
        EXPECT_EQ(Resize(text, initial, {300, 200}, {400, 250}), initial) << text;
    }
    // Negative ratios on a growing dialog would move or shrink it the other way.
    EXPECT_EQ(Resize("X[-1]+Y[-1]+CX[-1]+CY[-1]", initial, {500, 350}, {400, 250}), initial);
}

TEST(ConstraintResize, ExtremeValuesSaturate) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    CBindCtlToConstraint huge(1, CConstraint(1e30f, 1e30f, 1e30f, 1e30f));
    huge.SetRect(CRect(10, 10, 20, 20));
    EXPECT_EQ(huge.ResizeControl({kMax, kMax}, {1, 1}), CRect(kMax, kMax, kMax, kMax));

    CBindCtlToConstraint nan(
        1, CConstraint(std::numeric_limits<float>::quiet_NaN(), 1.0f, 1.0f, 1.0f));
    nan.SetRect(CRect(10, 10, 20, 20));
    EXPECT_EQ(nan.ResizeControl({110, 60}, {100, 50}), CRect(10, 20, 30, 40));
}

// A dialog's controls by identifier.
struct FakeDialog {
    std::map<uint32_t, CRect> controls;
    std::vector<std::pair<uint32_t, CRect>> placed;

    CConstraintList::RectLookup Lookup() {
        return [this](uint32_t id) -> std::optional<CRect> {
            auto it = controls.find(id);
            return it == controls.end() ? std::nullopt : std::optional<CRect>(it->second);
        };
    }
    CConstraintList::PlaceControl Place() {
        return [this](uint32_t id, const CRect& rect) { placed.emplace_back(id, rect); };
    }
};

TEST(ConstraintList, AddReplaceAndRemove) {
    FakeDialog dialog;
    dialog.controls = {{1, CRect(300, 200, 375, 223)}, {2, CRect(10, 10, 390, 190)}};
    CConstraintList list;

    EXPECT_TRUE(list.AddConstraint(1, CConstraint("X+Y"), dialog.Lookup()));
    EXPECT_TRUE(list.AddConstraint(2, CConstraint("CX+CY")));
    EXPECT_TRUE(list.AddConstraint(9, CConstraint("X"), dialog.Lookup()));
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list.Find(1)->m_rect, CRect(300, 200, 375, 223));
    EXPECT_EQ(list.Find(2)->m_rect, CRect());  // no dialog given
    EXPECT_EQ(list.Find(9)->m_rect, CRect());  // the dialog has no such control

    // A second constraint for a control replaces the first and keeps the rectangle.
    dialog.controls[1] = CRect(0, 0, 1, 1);
    EXPECT_TRUE(list.AddConstraint(1, CConstraint("Y"), dialog.Lookup()));
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list.Find(1)->GetConstraint(), CConstraint("Y"));
    EXPECT_EQ(list.Find(1)->m_rect, CRect(300, 200, 375, 223));
    EXPECT_EQ(list.GetEntries().front().m_id, 1u);

    list.RemoveConstraint(2);
    list.RemoveConstraint(42);
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.Find(2), nullptr);
    EXPECT_EQ(list.GetEntries()[1].m_id, 9u);
}

TEST(ConstraintList, SetRectsThenResizeInListOrder) {
    FakeDialog dialog;
    dialog.controls = {{1, CRect(300, 200, 375, 223)}, {2, CRect(10, 10, 390, 190)}};
    CConstraintList list;
    list.AddConstraint(2, CConstraint("CX+CY"));
    list.AddConstraint(1, CConstraint("X+Y"));
    list.AddConstraint(5, CConstraint("X"));
    list.SetRects(dialog.Lookup());
    EXPECT_EQ(list.Find(2)->m_rect, CRect(10, 10, 390, 190));
    EXPECT_EQ(list.Find(5)->m_rect, CRect());

    list.ResizeControls({500, 290}, {400, 250}, dialog.Place());
    const std::vector<std::pair<uint32_t, CRect>> expected = {
        {2, CRect(10, 10, 490, 230)}, {1, CRect(400, 240, 475, 263)}, {5, CRect(100, 0, 100, 0)}};
    EXPECT_EQ(dialog.placed, expected);

    // The recorded layout is the reference for every later size, not the last one.
    dialog.placed.clear();
    list.ResizeControls({410, 250}, {400, 250}, dialog.Place());
    ASSERT_EQ(dialog.placed.size(), 3u);
    EXPECT_EQ(dialog.placed[1].second, CRect(310, 200, 385, 223));
}

}  // namespace
