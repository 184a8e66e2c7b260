#include "model/ParamTextCheck.h"

#include <algorithm>
#include <cctype>

#include "model/Block.h"
#include "platform/StringIds.h"

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

const std::string& CParamTextCheck::TagRefusedChars() {
    // \xB4 is the acute accent in the program's Latin-1 texts.
    static const std::string chars = "\"\\'!@#$%&*()-+=[]{}~^\xB4`,<>;:?|";
    return chars;
}

const std::string& CParamTextCheck::TextRefusedChars() {
    static const std::string chars = "\"\\'!@#$%&*()+=[]{}~^\xB4`,<>;:?|.";
    return chars;
}

bool CParamTextCheck::HasRefusedChar(const std::string& text, const std::string& refused) {
    return text.find_first_of(refused) != std::string::npos;
}

bool CParamTextCheck::HasDigit(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

CParamTextCheck::Verdict CParamTextCheck::CheckParamText(const CBlock& block, int kind, int j,
                                                         const std::string& text,
                                                         std::string* stored) {
    const CBlockParam* param = block.GetParam(kind, j);
    if (param == nullptr) {
        return Verdict::NoSuchEntry;
    }
    const char letter = param->m_cType;
    if (letter == 'M' || letter == 'S') {
        // The values are shown padded with blanks; the padding is no text.
        const std::size_t length = text.find_last_not_of(' ') + 1;
        const std::size_t longest = letter == 'M' ? kMaxMText : kMaxSText;
        if (length > longest || HasRefusedChar(text, TextRefusedChars())) {
            return Verdict::OutOfRange;
        }
    } else if (!HasDigit(text) || !block.IsParamTextInRange(kind, j, text)) {
        // A text without any number would be read as 0; it is no value.
        return Verdict::OutOfRange;
    }
    if (stored != nullptr) {
        *stored = block.NormalizeParamText(kind, j, text);
    }
    return Verdict::Accepted;
}

CParamTextCheck::Verdict CParamTextCheck::CheckUserTag(const std::vector<std::string>& tags,
                                                       std::size_t row, const std::string& tag) {
    if (tag.size() > kMaxUserTag || HasRefusedChar(tag, TagRefusedChars())) {
        return Verdict::OutOfRange;
    }
    if (tag.empty()) {
        return Verdict::Accepted;
    }
    for (std::size_t other = 0; other < tags.size(); ++other) {
        if (other != row && SameIgnoringCase(tags[other], tag)) {
            return Verdict::DuplicateTag;
        }
    }
    return Verdict::Accepted;
}

unsigned CParamTextCheck::MessageId(Verdict verdict) {
    switch (verdict) {
        case Verdict::Accepted:
            return 0;
        case Verdict::OutOfRange:
            return IDS_VALUE_OUT_OF_RANGE;
        case Verdict::DuplicateTag:
            return IDS_USER_TAG_EXISTS;
        case Verdict::NoSuchEntry:
            return IDS_NO_SUCH_PARAM;
    }
    return IDS_VALUE_OUT_OF_RANGE;
}
