#pragma once

#include <QFont>
#include <QFontMetrics>
#include <memory>

#include "platform/LogFont.h"

// The Qt font and its metrics for a stored font record, made once and kept: a
// loop page draws the same few fonts again and again, and making a QFont and
// measuring it anew for every text costs more than drawing the text. Entries are
// shared, so a context keeps its font even when the cache lets it go. Each
// thread has a cache of its own.
class CFontCache {
public:
    struct Entry {
        LOGFONT logFont;
        QFont font;
        QFontMetrics metrics;
    };

    static std::shared_ptr<const Entry> Find(const LOGFONT& font);

private:
    // Distinct fonts kept; more than a drawing uses, few enough to search in turn.
    static constexpr std::size_t kCapacity = 64;
};
