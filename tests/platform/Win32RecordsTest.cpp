#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/Archive.h"
#include "platform/ArchiveException.h"
#include "platform/ColorRef.h"
#include "platform/LogBrush.h"
#include "platform/LogFont.h"
#include "platform/LogPen.h"
#include "platform/XForm.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <class T>
Bytes Store(void (*write)(CArchive&, const T&), const T& value) {
    CArchive ar;
    write(ar, value);
    return ar.GetBuffer();
}

template <class T>
T Load(T (*read)(CArchive&), const Bytes& bytes) {
    CArchive in(bytes);
    T value = read(in);
    EXPECT_EQ(in.GetRemaining(), 0u);
    return value;
}

LOGFONT SampleFont() {
    LOGFONT font;
    font.lfHeight = -13;
    font.lfEscapement = 900;
    font.lfOrientation = 0x01020304;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    font.lfStrikeOut = 1;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 4;
    font.lfPitchAndFamily = 0x22;
    SetFaceName(font, "Arial");
    return font;
}

TEST(Win32RecordsTest, LogPenBytes) {
    const LOGPEN pen{PS_DASH, CPoint(3, -1), RGB(0x11, 0x22, 0x33)};
    const Bytes expected{0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                         0xFF, 0xFF, 0xFF, 0xFF, 0x11, 0x22, 0x33, 0x00};
    ASSERT_EQ(expected.size(), kLogPenBytes);
    EXPECT_EQ(Store(WriteLogPen, pen), expected);
    EXPECT_EQ(Load(ReadLogPen, expected), pen);
    EXPECT_EQ(GetBValue(pen.lopnColor), 0x33);
}

TEST(Win32RecordsTest, LogBrushBytes) {
    const LOGBRUSH brush{BS_HATCHED, RGB(0xAA, 0xBB, 0xCC), HS_DIAGCROSS};
    const Bytes expected{0x02, 0x00, 0x00, 0x00, 0xAA, 0xBB, 0xCC, 0x00, 0x05, 0x00, 0x00, 0x00};
    ASSERT_EQ(expected.size(), kLogBrushBytes);
    EXPECT_EQ(Store(WriteLogBrush, brush), expected);
    EXPECT_EQ(Load(ReadLogBrush, expected), brush);
}

TEST(Win32RecordsTest, LogFontBytes) {
    Bytes expected{0xF3, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x84, 0x03, 0x00,
                   0x00, 0x04, 0x03, 0x02, 0x01, 0xBC, 0x02, 0x00, 0x00, 0x01, 0x00,
                   0x01, 0x01, 0x03, 0x02, 0x04, 0x22, 'A',  'r',  'i',  'a',  'l'};
    expected.resize(kLogFontBytes, 0x00);
    EXPECT_EQ(Store(WriteLogFont, SampleFont()), expected);
    const LOGFONT font = Load(ReadLogFont, expected);
    EXPECT_EQ(font, SampleFont());
    EXPECT_EQ(GetFaceName(font), "Arial");
}

TEST(Win32RecordsTest, XFormBytes) {
    const XFORM xform{1.0f, 0.5f, -2.0f, 0.0f, 100.0f, -0.25f};
    const Bytes expected{0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0xC0,
                         0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x42, 0x00, 0x00, 0x80, 0xBE};
    ASSERT_EQ(expected.size(), kXFormBytes);
    EXPECT_EQ(Store(WriteXForm, xform), expected);
    EXPECT_EQ(Load(ReadXForm, expected), xform);
    EXPECT_EQ(XFORM{}, IdentityXForm());
}

TEST(Win32RecordsTest, TruncatedRecordsThrow) {
    const std::vector<std::pair<Bytes, std::function<void(CArchive&)>>> cases{
        {Store(WriteLogPen, LOGPEN{}), [](CArchive& ar) { ReadLogPen(ar); }},
        {Store(WriteLogBrush, LOGBRUSH{}), [](CArchive& ar) { ReadLogBrush(ar); }},
        {Store(WriteLogFont, SampleFont()), [](CArchive& ar) { ReadLogFont(ar); }},
        {Store(WriteXForm, IdentityXForm()), [](CArchive& ar) { ReadXForm(ar); }},
    };
    for (const auto& [bytes, read] : cases) {
        const Bytes shortBytes(bytes.begin(), bytes.end() - 1);
        CArchive in(shortBytes);
        EXPECT_THROW(read(in), CArchiveException) << bytes.size() << "-byte record";
    }
}

TEST(Win32RecordsTest, FaceNameFillingAllBytesReadsSafely) {
    Bytes bytes = Store(WriteLogFont, SampleFont());
    std::fill(bytes.end() - LF_FACESIZE, bytes.end(), 'Z');
    const LOGFONT font = Load(ReadLogFont, bytes);
    EXPECT_EQ(std::strlen(font.lfFaceName), LF_FACESIZE);
    EXPECT_EQ(GetFaceName(font), std::string(LF_FACESIZE, 'Z'));
    EXPECT_EQ(Store(WriteLogFont, font), bytes);  // written back unchanged

    LOGFONT set;
    SetFaceName(set, std::string(40, 'Q'));
    EXPECT_EQ(GetFaceName(set), std::string(LF_FACESIZE - 1, 'Q'));
}

}  // namespace
