#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CArchive;

inline constexpr int32_t FW_NORMAL = 400;
inline constexpr int32_t FW_BOLD = 700;
inline constexpr uint8_t ANSI_CHARSET = 0;
inline constexpr uint8_t DEFAULT_CHARSET = 1;

// Bytes of the stored face name, NUL-padded.
inline constexpr std::size_t LF_FACESIZE = 32;

// A font as stored: the metrics and attributes followed by a single-byte face name.
// lfFaceName has one byte beyond the stored 32 that is always NUL, so the name is
// terminated even when a file fills all 32 bytes; those bytes are written back
// unchanged.
struct LOGFONT {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = FW_NORMAL;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = ANSI_CHARSET;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE + 1] = {};

    bool operator==(const LOGFONT&) const = default;
};

// Stored size: five 32-bit numbers, eight bytes of attributes, the face name.
inline constexpr std::size_t kLogFontBytes = 60;

// The face name up to its first NUL, at most LF_FACESIZE characters.
std::string GetFaceName(const LOGFONT& font);
// Sets the face name, cut to LF_FACESIZE - 1 characters and NUL-padded.
void SetFaceName(LOGFONT& font, std::string_view name);

void WriteLogFont(CArchive& ar, const LOGFONT& font);
LOGFONT ReadLogFont(CArchive& ar);
