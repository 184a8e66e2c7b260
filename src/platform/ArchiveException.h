#pragma once

#include <stdexcept>
#include <string>

// Raised by CArchive when stored bytes cannot be read as what the reader expects.
// It stays inside the reading code; the document boundary turns it into a message.
class CArchiveException : public std::runtime_error {
public:
    enum Cause {
        endOfFile,     // the data ends before the field
        badClass,      // unknown class name or a class where another is required
        badIndex,      // a tag refers to nothing, or to the wrong kind of entry
        badSchema,     // a class record with an unusable schema or name
        badCount,      // a count or length larger than the data can hold
        badReference,  // an object owned twice or a reference where a new object is needed
        tooDeep,       // objects nested beyond any sensible depth
        badValue,      // a number outside the range its field can hold
        generic,       // any other malformed content
    };

    CArchiveException(Cause cause, const std::string& what)
        : std::runtime_error(what), m_cause(cause) {}

    Cause GetCause() const { return m_cause; }

private:
    Cause m_cause;
};
