#pragma once

#include <memory>
#include <string>

#include "platform/gui/FontCache.h"
#include "platform/gui/TextLayout.h"

// Laid-out texts by font, text, format and box width. Drawing a page lays out
// every text on it; the layout only changes when one of these does, so a repaint
// finds the lines already measured. Each thread has a cache of its own.
class CTextLayoutCache {
public:
    static const TextLayout& Find(const std::shared_ptr<const CFontCache::Entry>& font,
                                  const std::string& text, unsigned format, int boxWidth);

private:
    // Layouts kept before the cache starts afresh: a few pages of texts.
    static constexpr std::size_t kCapacity = 4096;
};
