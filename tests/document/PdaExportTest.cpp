#include <gtest/gtest.h>

#include <stdlib.h>
#include <set>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/PDBFile.h"
#include "document/PdaExport.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "model/Configuration.h"
#include "platform/FileIo.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Be16(const Bytes& b, std::size_t at) {
    return at + 2 <= b.size() ? (b[at] << 8) | b[at + 1] : 0xDEADBEEF;
}

uint32_t Be32(const Bytes& b, std::size_t at) {
    return at + 4 <= b.size() ? (Be16(b, at) << 16) | Be16(b, at + 2) : 0xDEADBEEF;
}

std::string CString(const Bytes& b, std::size_t at) {
    std::string text;
    while (at < b.size() && b[at] != 0) {
        text += static_cast<char>(b[at++]);
    }
    return text;
}

// Builds expected bytes from numbers and texts: Expect().U16(3).Text("LOOP_3").
struct Expect {
    Bytes bytes;
    Expect& U8(uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    Expect& U16(uint16_t v) { return U8(v >> 8).U8(v & 0xFF); }
    Expect& U32(uint32_t v) { return U16(v >> 16).U16(v & 0xFFFF); }
    Expect& Chars(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Expect& Text(const std::string& s) { return Chars(s).U8(0); }
    Expect& Zeros(std::size_t n) {
        bytes.insert(bytes.end(), n, 0);
        return *this;
    }
};

// The records of a file as the record list points at them: each runs up to the
// next record or the end of the file.
std::vector<Bytes> Records(const Bytes& file) {
    const uint32_t count = Be16(file, 76);
    std::vector<Bytes> records;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t begin = Be32(file, 78 + 8 * i);
        const uint32_t end = i + 1 < count ? Be32(file, 78 + 8 * (i + 1)) : file.size();
        if (begin > end || end > file.size()) {
            ADD_FAILURE() << "record " << i << " lies outside the file";
            return records;
        }
        records.emplace_back(file.begin() + begin, file.begin() + end);
    }
    return records;
}

struct Schema {
    std::string table;
    std::vector<std::string> columns;
    std::vector<uint32_t> types;
    uint32_t size = 0;
};

// Reads the table schema back through its offsets, as a handheld reader would.
Schema ParseSchema(const Bytes& file) {
    Schema schema;
    const std::size_t start = Be32(file, 52) + 276;
    EXPECT_EQ(std::string(file.begin() + start, file.begin() + start + 8), "APPFORG2");
    schema.size = Be16(file, start + 12);
    const uint32_t tableOffset = Be16(file, start + 14);
    schema.table = CString(file, start + tableOffset);
    const std::size_t columnCount = (tableOffset - 24) / 6;
    for (std::size_t c = 0; c < columnCount; ++c) {
        schema.columns.push_back(CString(file, start + Be16(file, start + 24 + 6 * c)));
        schema.types.push_back(Be16(file, start + 24 + 6 * c + 2));
        EXPECT_EQ(Be16(file, start + 24 + 6 * c + 4), 0u);
    }
    return schema;
}

bool WriteSmallFile(CPDBFile& file, const std::string& path, const std::vector<int>& types,
                    const std::vector<std::string>& lines) {
    const int n = static_cast<int>(lines.size());
    bool ok = file.Create(path) && file.ReserveRecordList(n) && file.WriteCategoryBlock() &&
              file.SetUniqueIdSeed(n + 1) && file.SetRecordCount(n) &&
              file.WriteSchemaHeader(4, 7) &&
              file.WriteTable("T;A;B;C;D;E;F;G;", types, static_cast<int>(types.size()));
    for (int i = 0; ok && i < n; ++i) {
        ok = file.WriteRecord(lines[i], i + 1);
    }
    return ok && file.Close();
}

TEST(PdbFile, WholeFileOfOneRecordByteForByte) {
    CTempFolder folder("kestrel-pda");
    CPDBFile file;
    file.SetCreationTime(1000000000);
    // The extension is replaced, whatever it was.
    ASSERT_TRUE(WriteSmallFile(file, folder.File("X.tmp"), {2}, {"258"})) << file.GetError();
    EXPECT_EQ(file.GetPath(), folder.File("X.PDB"));
    EXPECT_EQ(folder.Names(), std::set<std::string>{"X.PDB"});

    // clang-format off
    const Bytes expected = Expect()
        .Chars("X").Zeros(31).U16(8).U16(1)
        .U32(3082844886u).U32(3082844886u)  // 1000000000 + 2082844886
        .U32(0).U32(0)
        .U32(86)  // application info: the category block after one list entry
        .U32(0).Chars("DATA").Chars("VRXP").U32(2).U32(0).U16(1)
        .U32(86 + 276 + 49).U8(0x40).U8(0).U16(1)  // the record after the 49-byte schema
        .Zeros(276)
        .Chars("APPFORG2").U32(0).U16(49).U16(30).U16(4).U16(7).U32(0)
        .U16(32).U16(2).U16(0)  // column "A" at 32, type 2
        .Text("T").Text("A").Zeros(15)
        .U16(258)
        .bytes;
    // clang-format on
    EXPECT_EQ(ReadAll(folder.File("X.PDB")), expected);
}

TEST(PdbFile, DatesCountFromTheHandheldEpoch) {
    CTempFolder folder("kestrel-pda");
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0, 2082844886u}, {1000000000, 3082844886u}, {0xFFFFFFFF, 2082844885u}};  // 32-bit wrap
    for (const auto& [seconds, date] : cases) {
        CPDBFile file;
        file.SetCreationTime(seconds);
        ASSERT_TRUE(WriteSmallFile(file, folder.File("D"), {}, {})) << file.GetError();
        const Bytes bytes = ReadAll(folder.File("D.PDB"));
        EXPECT_EQ(Be32(bytes, 36), date) << "creation, " << seconds;
        EXPECT_EQ(Be32(bytes, 40), date) << "modification, " << seconds;
    }
}

TEST(PdbFile, FieldsAreEncodedByColumnType) {
    CTempFolder folder("kestrel-pda");
    CPDBFile file;
    ASSERT_TRUE(WriteSmallFile(
        file, folder.File("F"), {1, 2, 3, 4, 5, 6, 8},
        {"300,-2,70000,-3.9,abc  ,1,1e37\n", "7",
         "12abc, 3 x,99999999999,-2147483648.9,a b,257,nan,extra", ",,-5,-0.9,,,-1e37"}))
        << file.GetError();
    const auto records = Records(ReadAll(folder.File("F.PDB")));
    ASSERT_EQ(records.size(), 4u);
    // clang-format off
    EXPECT_EQ(records[0], Expect().U8(44).U16(0xFFFE).U32(70000).U32(0xFFFFFFFD).Text("abc").U8(1)
                                  .U32(0x7FFFFFFF).bytes) << "low bytes, truncation, clamping";
    EXPECT_EQ(records[1], Expect().U8(7).U16(0).U32(0).U32(0).Text("").U8(0).U32(0).bytes)
        << "missing fields";
    EXPECT_EQ(records[2], Expect().U8(12).U16(3).U32(0x7FFFFFFF).U32(0x80000000).Text("a b").U8(1)
                                  .U32(0).bytes) << "leading numbers only, extra fields ignored";
    EXPECT_EQ(records[3], Expect().U8(0).U16(0).U32(0xFFFFFFFB).U32(0).Text("").U8(0)
                                  .U32(0x80000000).bytes);
    // clang-format on
}

// A file ready for records: list of n entries, category block, schema of one word column.
std::unique_ptr<CPDBFile> Prepared(const std::string& path, int n) {
    auto file = std::make_unique<CPDBFile>();
    const bool ok = file->Create(path) && file->ReserveRecordList(n) &&
                    file->WriteCategoryBlock() && file->WriteSchemaHeader(4, 7) &&
                    file->WriteTable("T;A;", {2}, 1);
    EXPECT_TRUE(ok) << file->GetError();
    return file;
}

TEST(PdbFile, MisuseFailsAndLeavesNoFile) {
    CTempFolder folder("kestrel-pda");
    auto tooMany = Prepared(folder.File("A"), 1);
    EXPECT_TRUE(tooMany->WriteRecord("1", 1));
    EXPECT_FALSE(tooMany->WriteRecord("2", 2));
    EXPECT_FALSE(tooMany->Close());
    EXPECT_FALSE(tooMany->GetError().empty());

    auto tooFew = Prepared(folder.File("B"), 2);  // a list entry would point nowhere
    EXPECT_TRUE(tooFew->WriteRecord("1", 1));
    EXPECT_FALSE(tooFew->Close());

    auto wideId = Prepared(folder.File("C"), 1);
    EXPECT_FALSE(wideId->WriteRecord("1", 0x1000000)) << "unique IDs have 3 bytes";
    EXPECT_FALSE(wideId->WriteRecord("1", 1)) << "a failed file stays failed";
    EXPECT_FALSE(wideId->Close());

    CPDBFile badType;
    ASSERT_TRUE(badType.Create(folder.File("D")) && badType.ReserveRecordList(0) &&
                badType.WriteCategoryBlock() && badType.WriteSchemaHeader(4, 7));
    EXPECT_FALSE(badType.WriteTable("T;A;", {7}, 1)) << "7 is no column type";
    EXPECT_FALSE(badType.Close());

    CPDBFile unopened;
    EXPECT_FALSE(unopened.WriteCategoryBlock());
    EXPECT_FALSE(unopened.Close());
    CPDBFile huge;
    ASSERT_TRUE(huge.Create(folder.File("E")));
    EXPECT_FALSE(huge.ReserveRecordList(65536));
    EXPECT_TRUE(folder.Names().empty());
}

TEST(PdbFile, FailedWriteKeepsTheOldFile) {
    CTempFolder folder("kestrel-pda");
    const std::string target = folder.File("K.PDB");
    std::ofstream(target) << "previous";
    CPDBFile file;
    SetWriteFailureForTesting(100);
    const bool written = WriteSmallFile(file, target, {5}, {"x"});
    SetWriteFailureForTesting(std::nullopt);
    EXPECT_FALSE(written);
    EXPECT_NE(file.GetError().find(target), std::string::npos) << file.GetError();
    EXPECT_EQ(folder.Names(), std::set<std::string>{"K.PDB"});
    const Bytes previous = ReadAll(target);
    EXPECT_EQ(std::string(previous.begin(), previous.end()), "previous");
}

// A configuration with empty loops 1..4 and two blocks in loop G.
class PdaExportTest : public testing::Test {
protected:
    void SetUp() override {
        m_config.CreateDefaultLoops();
        m_config.SetLoopName(3, "LOOP_3 ");  // trailing blank dropped by the export
        m_config.SelectLoop(5);
        auto apid = CBlock::Create(FindBlockTypeByMnemonic("APID"), 39);
        ASSERT_TRUE(apid->SetParamValue(PARAM_LINK, 0, "47"));
        m_config.AddBlock(std::move(apid));
        m_config.AddBlock(CBlock::Create(FindBlockTypeByMnemonic("AI"), 1));
    }

    bool Export(std::string& error) {
        return ExportToPDA(m_config, "LOOP_G", m_folder.Path().string(), error, 1000000000u);
    }

    CConfiguration m_config;
    CTempFolder m_folder{"kestrel-pda"};
};

TEST_F(PdaExportTest, BlockTableHasALoopRecordPerLoopAndABlockRecordPerBlock) {
    const auto names = GetPdaFileNames("LOOP_G");
    EXPECT_EQ(names[0], "LOOP_G_FB.PDB");
    EXPECT_EQ(names[1], "LOOP_G_Param.PDB");
    std::ofstream(m_folder.File(names[0])) << "old";  // replaced
    std::string error;
    ASSERT_TRUE(Export(error)) << error;
    EXPECT_EQ(m_folder.Names(), (std::set<std::string>{names[0], names[1]}));

    const Bytes bytes = ReadAll(m_folder.File("LOOP_G_FB.PDB"));
    ASSERT_GT(bytes.size(), 78u);
    EXPECT_EQ(CString(bytes, 0), "LOOP_G_FB");
    EXPECT_EQ(Be32(bytes, 36), 3082844886u);
    EXPECT_EQ(Be32(bytes, 68), 8u) << "seed";
    EXPECT_EQ(Be16(bytes, 76), 7u) << "five loop records and two block records";
    EXPECT_EQ(Be32(bytes, 52), 78u + 8 * 7);
    for (uint32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(Be32(bytes, 78 + 8 * i + 4), 0x40000000u | (i + 1)) << "attributes and ID";
    }

    const Schema schema = ParseSchema(bytes);
    EXPECT_EQ(schema.table, "tbl_FB");
    EXPECT_EQ(schema.columns,
              (std::vector<std::string>{"LoopNum", "OrderNum", "BlockName", "BlockNum"}));
    EXPECT_EQ(schema.types, (std::vector<uint32_t>{2, 2, 5, 2}));
    EXPECT_EQ(schema.size, 24u + 24 + 7 + 8 + 9 + 10 + 9 + 15);
    EXPECT_EQ(Be32(bytes, 78), Be32(bytes, 52) + 276 + schema.size) << "first record";

    const auto records = Records(bytes);
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[0], Expect().U16(1).U16(0).Text("LOOP_1").U16(0).bytes);
    EXPECT_EQ(records[2], Expect().U16(3).U16(0).Text("LOOP_3").U16(0).bytes);
    EXPECT_EQ(records[4], Expect().U16(5).U16(0).Text("LOOP_G").U16(0).bytes);
    EXPECT_EQ(records[5], Expect().U16(5).U16(1).Text("APID").U16(39).bytes);
    EXPECT_EQ(records[6], Expect().U16(5).U16(2).Text("AI").U16(1).bytes);
}

TEST_F(PdaExportTest, ParamTableHasARecordPerParameterOfEveryKind) {
    std::string error;
    ASSERT_TRUE(Export(error)) << error;
    const Bytes bytes = ReadAll(m_folder.File("LOOP_G_Param.PDB"));
    EXPECT_EQ(CString(bytes, 0), "LOOP_G_Param");

    const Schema schema = ParseSchema(bytes);
    EXPECT_EQ(schema.table, "tbl_Param");
    EXPECT_EQ(schema.columns,
              (std::vector<std::string>{"BlockNum", "ParamName", "ParamValue", "ParamType"}));
    EXPECT_EQ(schema.types, (std::vector<uint32_t>{2, 5, 5, 5}));

    // The records follow the blocks, and per block LINK, CONF and ADJ in order.
    std::vector<std::pair<int, std::string>> expected;
    for (int b = 0; b < 2; ++b) {
        const CBlock* block = m_config.GetLoop(5)->GetBlock(b);
        const char letters[] = "LCA";
        for (int kind = 0; kind < 3; ++kind) {
            for (int j = 0; j < block->GetParamListSize(kind); ++j) {
                expected.emplace_back(block->GetBlockNumber(),
                                      letters[kind] + std::to_string(j + 1));
            }
        }
    }
    ASSERT_GT(expected.size(), 3u);
    EXPECT_EQ(Be16(bytes, 76), expected.size());
    EXPECT_EQ(Be32(bytes, 68), expected.size() + 1);

    const auto records = Records(bytes);
    ASSERT_EQ(records.size(), expected.size());
    EXPECT_EQ(records[0], Expect().U16(0x27).Text("LIA").Text("47").Text("L1").bytes);
    for (std::size_t i = 0; i < records.size(); ++i) {
        // The block number, then three texts: mnemonic without blanks, value, type.
        const Bytes& r = records[i];
        std::vector<std::string> texts;
        for (std::size_t at = 2; at < r.size(); at += texts.back().size() + 1) {
            texts.push_back(CString(r, at));
        }
        EXPECT_EQ(Be16(r, 0), static_cast<uint32_t>(expected[i].first)) << i;
        ASSERT_EQ(texts.size(), 3u) << i;
        EXPECT_TRUE(!texts[0].empty() && texts[0].back() != ' ') << i;
        EXPECT_EQ(texts[2], expected[i].second) << i;
    }
}

TEST_F(PdaExportTest, MissingFolderFailsNamingTheFile) {
    const std::string missing = (m_folder.Path() / "missing").string();
    std::string error;
    EXPECT_FALSE(ExportToPDA(m_config, "LOOP_G", missing, error));
    EXPECT_NE(error.find(missing + "/LOOP_G_FB.PDB"), std::string::npos) << error;
    EXPECT_TRUE(m_folder.Names().empty());
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(PdaExportTest, LongConfigurationNameIsCutInTheDatabaseName) {
    const std::string name(40, 'L');
    std::string error;
    ASSERT_TRUE(ExportToPDA(m_config, name, m_folder.Path().string(), error)) << error;
    const Bytes bytes = ReadAll(m_folder.File(name + "_Param.PDB"));
    ASSERT_GE(bytes.size(), 32u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 32),
              Expect().Chars(std::string(31, 'L')).U8(0).bytes);
}

TEST(PdaExportLoops, MissingLoopsAreSkipped) {
    CConfiguration config;
    config.AddLoop(std::make_unique<CLoop>(2, "ONLY"));
    config.AddBlock(CBlock::Create(FindBlockTypeByMnemonic("AI"), 1));
    CTempFolder folder("kestrel-pda");
    std::string error;
    ASSERT_TRUE(ExportToPDA(config, "C", folder.Path().string(), error)) << error;
    const auto records = Records(ReadAll(folder.File("C_FB.PDB")));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], Expect().U16(2).U16(0).Text("ONLY").U16(0).bytes);
    EXPECT_EQ(records[1], Expect().U16(2).U16(1).Text("AI").U16(1).bytes);

    CConfiguration empty;
    ASSERT_TRUE(ExportToPDA(empty, "E", folder.Path().string(), error)) << error;
    const Bytes bytes = ReadAll(folder.File("E_Param.PDB"));
    EXPECT_EQ(Be16(bytes, 76), 0u);
    EXPECT_EQ(Be32(bytes, 68), 1u);
}

}  // namespace
