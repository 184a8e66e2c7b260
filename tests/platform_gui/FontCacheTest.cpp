#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gui/DC.h"
#include "platform/gui/FontCache.h"
#include "platform/gui/TextLayoutCache.h"

namespace {

LOGFONT Arial(int height) {
    LOGFONT font;
    font.lfHeight = height;
    SetFaceName(font, "Arial");
    return font;
}

TEST(FontCache, EqualRecordsShareOneFontAndOthersGetTheirOwn) {
    const auto first = CFontCache::Find(Arial(-14));
    EXPECT_EQ(CFontCache::Find(Arial(-14)), first);
    const auto bold = [] {
        LOGFONT font = Arial(-14);
        font.lfWeight = FW_BOLD;
        return CFontCache::Find(font);
    }();
    EXPECT_NE(bold, first);
    EXPECT_TRUE(bold->font.bold());
    EXPECT_EQ(first->font.pixelSize(), 14);
}

// A context keeps its font while the cache makes room for many others.
TEST(FontCache, AHeldEntryOutlivesItsPlaceInTheCache) {
    const auto held = CFontCache::Find(Arial(-17));
    std::vector<std::shared_ptr<const CFontCache::Entry>> others;
    for (int height = 1; height <= 100; ++height) {
        others.push_back(CFontCache::Find(Arial(-100 - height)));
    }
    EXPECT_EQ(held->font.pixelSize(), 17);
    EXPECT_EQ(held->metrics.height(), QFontMetrics(held->font).height());
    const auto again = CFontCache::Find(Arial(-17));
    EXPECT_EQ(again->font.pixelSize(), 17);
}

TEST(TextLayoutCache, ALayoutIsMadeOnceForTheSameTextFontFormatAndWidth) {
    const auto font = CFontCache::Find(Arial(-14));
    const TextLayout& wrapped = CTextLayoutCache::Find(font, "one two three", DT_WORDBREAK, 40);
    EXPECT_EQ(&CTextLayoutCache::Find(font, "one two three", DT_WORDBREAK, 40), &wrapped);
    EXPECT_GT(wrapped.Lines().size(), 1u);
    const TextLayout& wide = CTextLayoutCache::Find(font, "one two three", DT_WORDBREAK, 400);
    EXPECT_EQ(wide.Lines().size(), 1u);
    const TextLayout& larger =
        CTextLayoutCache::Find(CFontCache::Find(Arial(-28)), "one two three", DT_WORDBREAK, 400);
    EXPECT_GT(larger.Width(), wide.Width());
}

}  // namespace
