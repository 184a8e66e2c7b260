#include "platform/gui/TextLayoutCache.h"

#include <functional>
#include <string_view>
#include <unordered_map>

namespace {

// What a layout is looked up by, without copying the text.
struct KeyView {
    const CFontCache::Entry* font = nullptr;
    std::string_view text;
    unsigned format = 0;
    int boxWidth = 0;

    bool operator==(const KeyView&) const = default;
};

struct Key {
    // Held so that the font entry, whose address the key compares, lives as long
    // as the layout.
    std::shared_ptr<const CFontCache::Entry> font;
    std::string text;
    unsigned format = 0;
    int boxWidth = 0;

    KeyView View() const { return KeyView{font.get(), text, format, boxWidth}; }
};

struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(const KeyView& key) const {
        std::size_t hash = std::hash<std::string_view>()(key.text);
        hash = hash * 31 + std::hash<const void*>()(key.font);
        hash = hash * 31 + key.format;
        return hash * 31 + static_cast<std::size_t>(key.boxWidth);
    }
    std::size_t operator()(const Key& key) const { return (*this)(key.View()); }
};

struct KeyEqual {
    using is_transparent = void;
    bool operator()(const KeyView& a, const Key& b) const { return a == b.View(); }
    bool operator()(const Key& a, const KeyView& b) const { return a.View() == b; }
    bool operator()(const Key& a, const Key& b) const { return a.View() == b.View(); }
};

}  // namespace

const TextLayout& CTextLayoutCache::Find(const std::shared_ptr<const CFontCache::Entry>& font,
                                         const std::string& text, unsigned format, int boxWidth) {
    thread_local std::unordered_map<Key, TextLayout, KeyHash, KeyEqual> layouts;
    const auto found = layouts.find(KeyView{font.get(), text, format, boxWidth});
    if (found != layouts.end()) {
        return found->second;
    }
    if (layouts.size() >= kCapacity) {
        layouts.clear();
    }
    TextLayout layout(font->metrics, text, format, boxWidth);
    return layouts.emplace(Key{font, text, format, boxWidth}, std::move(layout)).first->second;
}
