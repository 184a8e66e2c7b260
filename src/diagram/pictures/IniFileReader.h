#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A profile (INI) file read and written the way the classic profile functions
// do it: "[Section]" headers and "key=value" lines, section and key names
// compared without regard to case, blanks around names and values dropped,
// lines starting with ";" ignored, CRLF or LF line ends. A value enclosed in a
// matching pair of quotes loses the quotes. A missing or unreadable file reads
// as empty, so every lookup gives its default.
//
// The file is read once, when the reader is made; WriteString changes the copy
// in memory and writes the whole file back.
class CIniFileReader {
public:
    // Buffer sizes of the lookups, terminating NUL included: a value keeps at
    // most kValueBufferSize - 1 characters, a section listing at most
    // kSectionBufferSize bytes of "key=value\0" entries and the final NUL.
    static constexpr std::size_t kValueBufferSize = 255;
    static constexpr std::size_t kSectionBufferSize = 2000;
    // A larger file is not a profile file of ours and reads as empty.
    static constexpr std::size_t kMaxFileSize = 1024 * 1024;

    explicit CIniFileReader(std::string path);

    const std::string& GetPath() const { return m_strPath; }

    // The value of the first key of that name in the first section of that
    // name, cut to the buffer; def when there is no such key.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def = "") const;
    // The leading integer of the value ("12abc" gives 12, "abc" 0, blanks and a
    // sign allowed; saturated at the int limits); def when the key is missing
    // or its value is empty.
    int GetInt(const std::string& section, const std::string& key, int def = 0) const;
    // Sets the value of a key, adding the section and the key when missing, and
    // writes the file. Empty names, names or values holding line breaks and
    // names that would not read back ("=" in a key, "]" in a section, ";" or "["
    // starting a key, blanks around a name) are refused. False when refused or when the
    // file cannot be written (the copy in memory is then left unchanged).
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);

    // The section names in file order (a name given twice is listed twice).
    std::vector<std::string> GetSectionNames() const;
    // The "key=value" entries of the first section of that name, as far as
    // they fit the section buffer (the last one may be cut); empty entries are
    // skipped.
    std::vector<std::string> GetSection(const std::string& section) const;

private:
    enum class LineKind { kBlank, kComment, kSection, kEntry, kOther };
    struct Line {
        std::string raw;
        LineKind kind = LineKind::kBlank;
        std::string name;   // section or key name, trimmed
        std::string value;  // trimmed value of an entry
    };

    static Line ParseLine(std::string raw);
    void Load();
    bool Save(const std::vector<Line>& lines) const;
    // The lines [begin, end) of the first section of that name, header excluded.
    // The lines before the first header form a section with the empty name.
    bool FindSectionRange(const std::string& section, std::size_t& begin, std::size_t& end) const;
    const Line* FindEntry(const std::string& section, const std::string& key) const;

    std::string m_strPath;
    std::vector<Line> m_lines;
    bool m_bCrLf = false;
};
