#pragma once

#include <string>
#include <vector>

class CBlock;

// The one check a typed parameter value or output tag goes through before it
// is stored, shared by the parameter dialogs and kestrel-cli so both refuse the
// same texts with the same message.
class CParamTextCheck {
public:
    enum class Verdict { Accepted, OutOfRange, DuplicateTag, NoSuchEntry };

    // Longest texts an M or S value may take, and an output's user tag.
    static constexpr std::size_t kMaxMText = 3;
    static constexpr std::size_t kMaxSText = 8;
    static constexpr std::size_t kMaxUserTag = 17;
    // What the editors let the user type into M and S values and user tags.
    static constexpr int kMEditLimit = 4;
    static constexpr int kSEditLimit = 8;

    // Characters a user tag may not hold, and those an M or S value may not.
    static const std::string& TagRefusedChars();
    static const std::string& TextRefusedChars();

    // Parameter j of the kind (LINK, CONF, ADJ). On acceptance stored holds
    // the text to give SetParamValue (the normalised form).
    static Verdict CheckParamText(const CBlock& block, int kind, int j, const std::string& text,
                                  std::string* stored);
    // The user tag of row among tags (every output's tag as the list shows
    // it): refused when another row holds the same tag in any case. An empty
    // tag is no tag and never a duplicate.
    static Verdict CheckUserTag(const std::vector<std::string>& tags, std::size_t row,
                                const std::string& tag);
    // The string-table text that tells the user why (0 for Accepted).
    static unsigned MessageId(Verdict verdict);

private:
    static bool HasRefusedChar(const std::string& text, const std::string& refused);
    static bool HasDigit(const std::string& text);
};
