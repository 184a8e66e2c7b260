#pragma once

#include "document/ui/TextPropertyPage.h"
#include "editing/TextState.h"

// The text page shows the attributes part of a text's state; these carry
// them across in both directions.
namespace textattributes {

CTextPropertyPage::Attributes Of(const CTextState& state);
// The attributes into a state, whose text and rectangle stay.
void Apply(const CTextPropertyPage::Attributes& attributes, CTextState& state);

}  // namespace textattributes
