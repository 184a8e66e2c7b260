#include "platform/LogFont.h"

#include <algorithm>
#include <iterator>

#include "platform/Archive.h"

namespace {

void WriteAttributes(CArchive& ar, const LOGFONT& font) {
    ar.WriteUInt8(font.lfItalic);
    ar.WriteUInt8(font.lfUnderline);
    ar.WriteUInt8(font.lfStrikeOut);
    ar.WriteUInt8(font.lfCharSet);
    ar.WriteUInt8(font.lfOutPrecision);
    ar.WriteUInt8(font.lfClipPrecision);
    ar.WriteUInt8(font.lfQuality);
    ar.WriteUInt8(font.lfPitchAndFamily);
}

void ReadAttributes(CArchive& ar, LOGFONT& font) {
    font.lfItalic = ar.ReadUInt8();
    font.lfUnderline = ar.ReadUInt8();
    font.lfStrikeOut = ar.ReadUInt8();
    font.lfCharSet = ar.ReadUInt8();
    font.lfOutPrecision = ar.ReadUInt8();
    font.lfClipPrecision = ar.ReadUInt8();
    font.lfQuality = ar.ReadUInt8();
    font.lfPitchAndFamily = ar.ReadUInt8();
}

}  // namespace

std::string GetFaceName(const LOGFONT& font) {
    const char* name = font.lfFaceName;
    return std::string(name, std::find(name, name + LF_FACESIZE, '\0'));
}

void SetFaceName(LOGFONT& font, std::string_view name) {
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), '\0');
    name.copy(font.lfFaceName, LF_FACESIZE - 1);
}

void WriteLogFont(CArchive& ar, const LOGFONT& font) {
    ar.WriteInt32(font.lfHeight);
    ar.WriteInt32(font.lfWidth);
    ar.WriteInt32(font.lfEscapement);
    ar.WriteInt32(font.lfOrientation);
    ar.WriteInt32(font.lfWeight);
    WriteAttributes(ar, font);
    ar.Write(font.lfFaceName, LF_FACESIZE);
}

LOGFONT ReadLogFont(CArchive& ar) {
    LOGFONT font;
    font.lfHeight = ar.ReadInt32();
    font.lfWidth = ar.ReadInt32();
    font.lfEscapement = ar.ReadInt32();
    font.lfOrientation = ar.ReadInt32();
    font.lfWeight = ar.ReadInt32();
    ReadAttributes(ar, font);
    ar.Read(font.lfFaceName, LF_FACESIZE);
    font.lfFaceName[LF_FACESIZE] = '\0';
    return font;
}
