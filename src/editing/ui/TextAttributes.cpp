#include "editing/ui/TextAttributes.h"

namespace textattributes {

CTextPropertyPage::Attributes Of(const CTextState& state) {
    CTextPropertyPage::Attributes attributes;
    attributes.font = state.font;
    attributes.format = state.format;
    attributes.textColor = state.textColor;
    attributes.backColor = state.backColor;
    attributes.opaque = state.opaque;
    return attributes;
}

void Apply(const CTextPropertyPage::Attributes& attributes, CTextState& state) {
    state.font = attributes.font;
    state.format = attributes.format;
    state.textColor = attributes.textColor;
    state.backColor = attributes.backColor;
    state.opaque = attributes.opaque;
}

}  // namespace textattributes
