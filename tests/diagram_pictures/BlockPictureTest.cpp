#include <gif_lib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "diagram/pictures/FBIOParamDescr.h"
#include "diagram/pictures/IniFileReader.h"
#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using CParamDescr = CFBIOParamDescr::CParamDescr;

// A folder of its own for each test, removed afterwards.
class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = fs::temp_directory_path() / ("kestrel-blockpic-" + std::to_string(getpid()) +
                                                "-" + info->test_suite_name() + "." + info->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string Write(const std::string& name, const std::string& content) const {
        const fs::path path = m_folder / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_folder;
};

using IniFileReaderTest = TempFolder;
using FBIOParamDescrTest = TempFolder;

TEST_F(IniFileReaderTest, ReadsLikeTheProfileFunctions) {
    const std::string text =
        "top = prelude\r\n"
        "  [ Inputs ]  \r\n"
        "; Count=99\r\n"
        "  COUNT  =   3   \r\n"
        "Input1=A 1 2 3 4\r\n"
        "count=7\r\n"
        "Quoted=\"  padded  \"\r\n"
        "no equals sign here\r\n"
        "[Outputs]\r\n"
        "Count=2\r\n"
        "[inputs]\r\n"
        "Input2=B\r\n";
    for (const bool crlf : {true, false}) {
        std::string content = text;
        if (!crlf) {
            std::erase(content, '\r');
        }
        const CIniFileReader ini(Write("a.ini", content));
        EXPECT_EQ(ini.GetString("inputs", "count"), "3") << crlf;
        EXPECT_EQ(ini.GetInt("INPUTS", "Count"), 3);
        EXPECT_EQ(ini.GetString("Inputs", "input1"), "A 1 2 3 4");
        EXPECT_EQ(ini.GetString("Inputs", "Quoted"), "  padded  ");
        EXPECT_EQ(ini.GetString("Inputs", "; Count"), "");
        // The first section of a name is the one that counts.
        EXPECT_EQ(ini.GetString("Inputs", "Input2"), "");
        EXPECT_EQ(ini.GetString("Inputs", "Missing", "dflt"), "dflt");
        EXPECT_EQ(ini.GetString("", "top"), "prelude");
        EXPECT_EQ(ini.GetString("Outputs", "top"), "");
        EXPECT_EQ(ini.GetSectionNames(), (std::vector<std::string>{"Inputs", "Outputs", "inputs"}));
        EXPECT_EQ(ini.GetSection("INPUTS"),
                  (std::vector<std::string>{"COUNT=3", "Input1=A 1 2 3 4", "count=7",
                                            "Quoted=\"  padded  \""}));
    }
}

TEST_F(IniFileReaderTest, MissingOrUnreadableFileReadsEmpty) {
    for (const std::string& path : {(m_folder / "none.ini").string(), m_folder.string()}) {
        const CIniFileReader ini(path);
        EXPECT_EQ(ini.GetString("Inputs", "Count"), "");
        EXPECT_EQ(ini.GetInt("Inputs", "Count"), 0);
        EXPECT_EQ(ini.GetInt("Inputs", "Count", 5), 5);
        EXPECT_TRUE(ini.GetSectionNames().empty());
        EXPECT_TRUE(ini.GetSection("Inputs").empty());
    }
}

TEST_F(IniFileReaderTest, ValuesAndNumbersAreCutLikeTheBuffers) {
    const std::string longValue(300, 'x');
    const CIniFileReader ini(
        Write("n.ini", "[S]\nLong=" + longValue +
                           "\nA=12abc\nB= -7 \nC=abc\nD=\nE=99999999999\nF=-99999999999"
                           "\nG=+5\n"));
    EXPECT_EQ(ini.GetString("S", "Long"),
              longValue.substr(0, CIniFileReader::kValueBufferSize - 1));
    EXPECT_EQ(ini.GetInt("S", "A"), 12);
    EXPECT_EQ(ini.GetInt("S", "B"), -7);
    EXPECT_EQ(ini.GetInt("S", "C", 4), 0);
    EXPECT_EQ(ini.GetInt("S", "D", 4), 4);
    EXPECT_EQ(ini.GetInt("S", "E"), INT_MAX);
    EXPECT_EQ(ini.GetInt("S", "F"), INT_MIN);
    EXPECT_EQ(ini.GetInt("S", "G"), 5);
}

TEST_F(IniFileReaderTest, SectionListingStopsAtItsBuffer) {
    std::string content = "[Big]\n";
    for (int i = 0; i < 300; ++i) {
        content += "Key" + std::to_string(i) + "=value of entry " + std::to_string(i) + "\n";
    }
    const CIniFileReader ini(Write("big.ini", content));
    const std::vector<std::string> entries = ini.GetSection("Big");
    ASSERT_GT(entries.size(), 10u);
    ASSERT_LT(entries.size(), 300u);
    std::size_t bytes = 1;  // the NUL ending the list
    for (std::size_t i = 0; i < entries.size(); ++i) {
        bytes += entries[i].size() + 1;
        const std::string full = "Key" + std::to_string(i) + "=value of entry " + std::to_string(i);
        EXPECT_EQ(full.compare(0, entries[i].size(), entries[i]), 0) << i;
        if (i + 1 < entries.size()) {
            EXPECT_EQ(entries[i], full);
        }
    }
    EXPECT_LE(bytes, CIniFileReader::kSectionBufferSize);
    EXPECT_GE(bytes, CIniFileReader::kSectionBufferSize - 1);
}

TEST_F(IniFileReaderTest, WriteStringRoundTrip) {
    const std::string path =
        Write("w.ini", "; picture\r\n[Inputs]\r\nCount=1\r\n\r\n; outputs\r\n[Outputs]\r\n");
    CIniFileReader ini(path);
    EXPECT_TRUE(ini.WriteString("inputs", "COUNT", "2"));
    EXPECT_TRUE(ini.WriteString("Inputs", "Input1", "A 1 2 3 4"));
    EXPECT_TRUE(ini.WriteString("Bornes", "Rect", "10 20 50 40"));
    EXPECT_FALSE(ini.WriteString("Inputs", "Bad=Key", "1"));
    EXPECT_FALSE(ini.WriteString("Bad]", "Key", "1"));
    EXPECT_FALSE(ini.WriteString("Inputs", "Key", "two\nlines"));
    EXPECT_FALSE(ini.WriteString("Inputs", "", "1"));
    EXPECT_EQ(ini.GetInt("Inputs", "Count"), 2);

    const std::string written = Read(path);
    EXPECT_EQ(written,
              "; picture\r\n[Inputs]\r\nCount=2\r\nInput1=A 1 2 3 4\r\n\r\n; outputs\r\n"
              "[Outputs]\r\n\r\n[Bornes]\r\nRect=10 20 50 40\r\n");
    const CIniFileReader again(path);
    EXPECT_EQ(again.GetString("INPUTS", "input1"), "A 1 2 3 4");
    EXPECT_EQ(again.GetString("bornes", "rect"), "10 20 50 40");

    CIniFileReader fresh((m_folder / "sub" / "new.ini").string());
    EXPECT_FALSE(fresh.WriteString("S", "K", "V"));  // no folder to write into
    CIniFileReader created((m_folder / "new.ini").string());
    EXPECT_TRUE(created.WriteString("S", "K", "V"));
    EXPECT_EQ(Read((m_folder / "new.ini").string()), "[S]\nK=V\n");
}

TEST_F(FBIOParamDescrTest, OutputAddressesFollowTheInstance) {
    const std::string twoOutputs = "[Outputs]\nCount=2\nOutput1=1 0 0 1 1\nOutput2=2 0 0 1 1\n";
    const std::string threeOutputs =
        "[Outputs]\nCount=3\nOutput1=1 0 0 1 1\nOutput2=2 0 0 1 1\nOutput3=3 0 0 1 1\n";
    auto addresses = [](const CFBIOParamDescr& descr) {
        std::vector<std::string> names;
        for (int i = 0; i < descr.GetCount(); ++i) {
            names.push_back(descr.GetParam(i)->m_strName);
        }
        return names;
    };
    CFBIOParamDescr descr;
    ASSERT_TRUE(descr.Load(Write("F09.ini", twoOutputs), 2, false, {}));
    EXPECT_EQ(addresses(descr), (std::vector<std::string>{"5", "6"}));
    EXPECT_EQ(descr.GetFixedOutput(), -1);

    // The special types number their regular outputs one fewer per instance.
    ASSERT_TRUE(descr.Load(Write("F07.ini", threeOutputs), 2, false, {}));
    EXPECT_EQ(addresses(descr), (std::vector<std::string>{"5", "6", "7"}));
    ASSERT_TRUE(descr.Load(Write("F08.ini", threeOutputs), 2, false, {}));
    EXPECT_EQ(addresses(descr), (std::vector<std::string>{"7", "8", "9"}));

    // Only the file name decides, not a dotted folder above it.
    ASSERT_TRUE(descr.Load(Write("F07.x/F21.pic.ini",
                                 "[Outputs]\nCount=3\nOutput1=225 0 0 1 1\nOutput2=1 0 0 1 1\n"
                                 "Output3=2 0 0 1 1\n"),
                           2, false, {}));
    EXPECT_EQ(addresses(descr), (std::vector<std::string>{"227", "5", "6"}));
    EXPECT_EQ(descr.GetFixedOutput(), 0);
    EXPECT_EQ(descr.GetParam(0)->m_nSide, CParamDescr::kSideOutput);
    EXPECT_EQ(CFBIOParamDescr::GetTypeCodeOfPath("C:\\pics\\F28.ini"), "F28");
}

TEST_F(FBIOParamDescrTest, StripInputsAndOutputsInOrder) {
    const std::string path = Write("F01.ini",
                                   "[Bornes]\nCount=1\nType=1\nRect=10 20 50 40\n"
                                   "Bornes=1-2, 3-4 ,5-6\nBornesP=A1-A2,A3-A4\n"
                                   "[Inputs]\nCount=2\nInput1=A 10 20 50 40\nInput2=B 0 0 4 4\n"
                                   "[Outputs]\nCount=1\nOutput1=7 100 20 16 12\n");
    CFBIOParamDescr descr;
    ASSERT_TRUE(descr.Load(path, 1, false, {false, true, true}));
    ASSERT_EQ(descr.GetCount(), 4);
    EXPECT_TRUE(descr.HasStrip());
    EXPECT_EQ(descr.GetInputCount(), 2);
    EXPECT_EQ(descr.GetOutputCount(), 1);

    const CParamDescr* strip = descr.GetParam(0);
    EXPECT_EQ(strip->m_rect, CRect(10, 20, 50, 40));
    EXPECT_EQ(strip->m_strText, "3-4");
    EXPECT_EQ(strip->m_nSide, CParamDescr::kSideInput);
    EXPECT_TRUE(strip->m_bVisible);
    EXPECT_FALSE(strip->m_bFlag);

    const CParamDescr* a = descr.GetParam(1);
    EXPECT_EQ(a->m_rect, CRect(10, 20, 60, 60));
    EXPECT_EQ(a->m_strName, "A");
    EXPECT_EQ(a->m_strText, "A");
    EXPECT_EQ(a->m_nSide, CParamDescr::kSideInput);
    EXPECT_FALSE(a->m_bFlag);
    EXPECT_TRUE(descr.GetParam(2)->m_bFlag);
    EXPECT_EQ(descr.GetParam(3)->m_strName, "8");  // 1 output x instance 1 + 7
    EXPECT_FALSE(descr.GetParam(3)->m_bFlag);
    EXPECT_EQ(descr.GetParam(4), nullptr);
    EXPECT_EQ(descr.GetParam(-1), nullptr);

    ASSERT_TRUE(descr.Load(path, 1, true, {}));
    EXPECT_EQ(descr.GetParam(0)->m_strText, "A3-A4");
    EXPECT_FALSE(descr.GetParam(2)->m_bFlag);
    ASSERT_TRUE(descr.Load(path, 2, true, {}));
    EXPECT_EQ(descr.GetParam(0)->m_strText, "");  // past the list

    const std::string outputStrip = Write("F02.ini", "[Bornes]\nCount=1\nType=0\n");
    ASSERT_TRUE(descr.Load(outputStrip, 0, false, {}));
    EXPECT_EQ(descr.GetCount(), 1);
    EXPECT_EQ(descr.GetParam(0)->m_nSide, CParamDescr::kSideOutput);
}

TEST_F(FBIOParamDescrTest, BrokenFilesGiveSaneDescriptions) {
    CFBIOParamDescr descr;
    ASSERT_TRUE(descr.Load(Write("F10.ini", "[Inputs]\nCount=1\n"), 0, false, {}));
    EXPECT_FALSE(descr.Load((m_folder / "missing.ini").string(), 0, false, {true}));
    EXPECT_EQ(descr.GetCount(), 0);
    EXPECT_EQ(descr.GetParam(0), nullptr);
    EXPECT_EQ(descr.GetFixedOutput(), -1);

    ASSERT_TRUE(descr.Load(Write("F11.ini",
                                 "[Inputs]\nCount=2000000000\nInput1=A 1x 2 3 4\n"
                                 "Input2=B 2147483647 -2147483648 2147483647 -9\n"
                                 "[Outputs]\nCount=-4\n[Bornes]\nCount=junk\n"),
                           0, false, {}));
    EXPECT_EQ(descr.GetInputCount(), CFBIOParamDescr::kMaxTerminals);
    EXPECT_EQ(descr.GetOutputCount(), 0);
    EXPECT_FALSE(descr.HasStrip());
    EXPECT_EQ(descr.GetCount(), CFBIOParamDescr::kMaxTerminals);
    EXPECT_EQ(descr.GetParam(0)->m_rect, CRect(1, 0, 1, 0));  // the scan stops at "x"
    EXPECT_EQ(descr.GetParam(1)->m_rect, CRect(INT_MAX, INT_MIN, INT_MAX, INT_MIN));
    const CParamDescr* missing = descr.GetParam(2);
    EXPECT_EQ(missing->m_strName, "");
    EXPECT_TRUE(missing->m_rect.IsRectNull());

    ASSERT_TRUE(descr.Load(Write("F12.ini", "[Outputs]\nCount=1\nOutput1=junk\n"), 3, false, {}));
    EXPECT_EQ(descr.GetParam(0)->m_strName, "3");
}

// The committed pictures against the block type table.

const std::string kPictureFolder = testpaths::Resources() + "/Block Support/Functions/";
constexpr int kTypeCount = 37;

bool IsStripType(int t) {
    static const std::set<std::string> kStripTypes = {"AI", "CO", "VO", "DI", "DO", "DIT"};
    return kStripTypes.count(GetBlockTypeMnemonic(t)) != 0;
}

TEST(BlockPictures, EveryInstanceGetsTheBlocksTerminals) {
    for (int t = 0; t < kTypeCount; ++t) {
        const std::string path = kPictureFolder + GetBlockTypeCode(t) + ".ini";
        for (int k = 0; k < GetBlockCountOfType(t); ++k) {
            SCOPED_TRACE(path + " instance " + std::to_string(k));
            const auto block = CBlock::Create(t, GetFirstBlockNumber(t) + k);
            CFBIOParamDescr descr;
            descr.Load(path, k, false, {});
            ASSERT_EQ(descr.GetInputCount(), GetParamCount(t, 0));
            ASSERT_EQ(descr.GetOutputCount(), block->GetOutputCount());
            ASSERT_EQ(descr.HasStrip(), IsStripType(t));
            const int first = descr.HasStrip() ? 1 : 0;
            for (int j = 0; j < descr.GetInputCount(); ++j) {
                EXPECT_EQ(descr.GetParam(first + j)->m_strName, block->GetLinkInputName(j));
            }
            for (int j = 0; j < descr.GetOutputCount(); ++j) {
                EXPECT_EQ(descr.GetParam(first + descr.GetInputCount() + j)->m_strName,
                          std::to_string(block->GetOutputAddress(j)));
            }
            EXPECT_EQ(descr.GetFixedOutput(), IsSpecialOutputType(t) ? 0 : -1);
            if (descr.HasStrip()) {
                EXPECT_NE(descr.GetParam(0)->m_strText, "");
                CFBIOParamDescr plus;
                plus.Load(path, k, true, {});
                EXPECT_NE(plus.GetParam(0)->m_strText, "");
            }
        }
    }
}

TEST(BlockPictures, StripTextsNameDistinctTerminals) {
    for (const bool plus : {false, true}) {
        std::set<std::string> seen;
        for (int t = 0; t < kTypeCount; ++t) {
            // The model without "P" has no DIT blocks.
            if (!IsStripType(t) || (!plus && GetBlockTypeMnemonic(t) == "DIT")) {
                continue;
            }
            for (int k = 0; k < GetBlockCountOfType(t); ++k) {
                CFBIOParamDescr descr;
                descr.Load(kPictureFolder + GetBlockTypeCode(t) + ".ini", k, plus, {});
                EXPECT_TRUE(seen.insert(descr.GetParam(0)->m_strText).second)
                    << GetBlockTypeCode(t) << " " << k << " " << descr.GetParam(0)->m_strText;
            }
        }
    }
}

TEST(BlockPictures, PicturesOpenAndHoldTheirTerminals) {
    for (int t = 0; t < kTypeCount; ++t) {
        const std::string base = kPictureFolder + GetBlockTypeCode(t);
        SCOPED_TRACE(base);
        ASSERT_LT(fs::file_size(base + ".gif"), 8192u);
        int error = 0;
        GifFileType* gif = DGifOpenFileName((base + ".gif").c_str(), &error);
        ASSERT_NE(gif, nullptr) << GifErrorString(error);
        EXPECT_EQ(DGifSlurp(gif), GIF_OK);
        const int width = gif->SWidth;
        const int height = gif->SHeight;
        EXPECT_EQ(gif->ImageCount, 1);
        DGifCloseFile(gif, &error);

        const CIniFileReader ini(base + ".ini");
        EXPECT_EQ(width, ini.GetInt("Picture", "Width"));
        EXPECT_EQ(height, ini.GetInt("Picture", "Height"));
        EXPECT_GE(width, 64);
        EXPECT_LE(width, 1024);
        EXPECT_GE(height, 32);
        EXPECT_LE(height, 1024);

        CFBIOParamDescr descr;
        descr.Load(base + ".ini", 0, false, {});
        for (int i = 0; i < descr.GetCount(); ++i) {
            const CRect& area = descr.GetParam(i)->m_rect;
            EXPECT_FALSE(area.IsRectEmpty()) << i;
            EXPECT_TRUE(area.left >= 0 && area.top >= 0 && area.right <= width &&
                        area.bottom <= height)
                << i;
            for (int j = 0; j < i; ++j) {
                const CRect& other = descr.GetParam(j)->m_rect;
                const bool apart = area.right <= other.left || other.right <= area.left ||
                                   area.bottom <= other.top || other.bottom <= area.top;
                EXPECT_TRUE(apart) << i << " overlaps " << j;
            }
        }
    }
}

}  // namespace
