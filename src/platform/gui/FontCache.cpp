#include "platform/gui/FontCache.h"

#include <algorithm>
#include <vector>

#include "platform/gui/GdiConvert.h"
#include "platform/gui/TextMetrics.h"

std::shared_ptr<const CFontCache::Entry> CFontCache::Find(const LOGFONT& font) {
    // Most recently used first.
    thread_local std::vector<std::shared_ptr<const Entry>> entries;
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&font](const auto& entry) { return entry->logFont == font; });
    if (found != entries.end()) {
        std::rotate(entries.begin(), found, found + 1);
        return entries.front();
    }
    if (entries.size() >= kCapacity) {
        entries.pop_back();
    }
    const QFont qfont = gdi::ToQFont(font);
    entries.insert(entries.begin(),
                   std::make_shared<const Entry>(Entry{font, qfont, TextMetrics::Measure(qfont)}));
    return entries.front();
}
