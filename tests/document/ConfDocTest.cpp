#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "document/ConfDoc.h"
#include "model/BlockTypeTable.h"
#include "platform/Archive.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// Answers message boxes with a fixed answer and records their texts.
class Answering {
public:
    explicit Answering(int answer) {
        m_previous = SetMessageBoxHandler([this, answer](const std::string& text, unsigned) {
            texts.push_back(text);
            return answer;
        });
    }
    ~Answering() { SetMessageBoxHandler(m_previous); }
    std::vector<std::string> texts;

private:
    MessageBoxHandler m_previous;
};

std::unique_ptr<CConfDoc> NewDocument() {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    doc->SetModifiedFlag(false);
    return doc;
}

void AddBlock(CConfDoc& doc, int loop, const char* type, int number) {
    doc.SelectLoop(loop, false);
    doc.AddBlock(CBlock::Create(FindBlockTypeByMnemonic(type), number));
}

std::vector<uint8_t> Store(CConfDoc& doc) {
    CArchive ar;
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    return ar.GetBuffer();
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(ReadFileBytes(path, 1 << 24, bytes, error)) << error;
    return bytes;
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::size_t Find(const std::vector<uint8_t>& bytes, const std::string& text) {
    auto it = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
    return it == bytes.end() ? std::string::npos : static_cast<std::size_t>(it - bytes.begin());
}

TEST(ConfDocLayout, HeaderAndLoopTags) {
    auto doc = NewDocument();
    doc->SetInfo(CConfDoc::INFO_COMPANY, "ACME");
    doc->SetInfo(CConfDoc::INFO_DESCRIPTION, std::string(300, 'd'));
    const std::vector<uint8_t> bytes = Store(*doc);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 9),
              (std::vector<uint8_t>{4, 0, 0, 0, 4, 'A', 'C', 'M', 'E'}));
    // Strings 1..4 are empty; the 300-character description has a 16-bit length.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 9, bytes.begin() + 16),
              (std::vector<uint8_t>{0, 0, 0, 0, 0xFF, 0x2C, 0x01}));

    const std::size_t firstLoop = Find(bytes, "CLoop") - 6;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + firstLoop, bytes.begin() + firstLoop + 6),
              (std::vector<uint8_t>{0xFF, 0xFF, 3, 0, 5, 0}));
    // The loop count stands right before the first loop.
    EXPECT_EQ(bytes[firstLoop - 2], 5);
    EXPECT_EQ(bytes[firstLoop - 1], 0);
    // An empty loop: tag, opened, name "LOOP_1", number, reserved, block count.
    const std::size_t secondLoop = firstLoop + 11 + 4 + 7 + 4 + 4 + 2;
    EXPECT_EQ(bytes[secondLoop], 0x01);  // CLoop is index 1, the first loop index 2
    EXPECT_EQ(bytes[secondLoop + 1], 0x80);
    // Three empty drawing lists end the file.
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 6, bytes.end()), (std::vector<uint8_t>(6, 0)));
}

TEST(ConfDocFile, RoundTripOfEveryField) {
    CTempFolder folder("kestrel-doc");
    auto doc = NewDocument();
    for (int field = 0; field < CConfDoc::INFO_COUNT; ++field) {
        doc->SetInfo(field, "info " + std::to_string(field));
    }
    doc->SetControllerModel(CConfiguration::MODEL_VAREX);
    const uint8_t version[4] = {'2', '.', '1', '0'};
    doc->SetVersionText(version);
    doc->SetPaperColor(0x00C0FFEE);
    doc->SetPageSetup(CSize(300, 400), 8, 2);
    AddBlock(*doc, 1, "AI", 1);
    AddBlock(*doc, 1, "APID", 39);
    ASSERT_TRUE(doc->GetLoop(1)->GetBlock(1)->SetParamValue(0, 1, "1"));
    doc->GetLoop(1)->GetBlock(0)->SetUserTag(0, "FT-101");
    AddBlock(*doc, 5, "K", 118);
    doc->SetLoopName(2, "LEVEL");
    const std::string path = folder.File("PLANT.vxp");
    ASSERT_TRUE(doc->OnSaveDocument(path));

    CConfDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path)) << loaded.GetLastError();
    EXPECT_EQ(loaded.GetConfigurationName(), "PLANT");
    EXPECT_TRUE(loaded.IsOpenedFromFile());
    EXPECT_FALSE(loaded.IsModified());
    for (int field = 0; field < CConfDoc::INFO_REVISION_BUILD - 3; ++field) {
        EXPECT_EQ(loaded.GetInfo(field), "info " + std::to_string(field));
    }
    EXPECT_EQ(loaded.GetControllerModel(), CConfiguration::MODEL_VAREX);
    EXPECT_EQ(std::memcmp(loaded.GetVersionText(), version, 4), 0);
    EXPECT_EQ(loaded.GetPaperColor(), 0x00C0FFEEu);
    EXPECT_EQ(loaded.GetPageSize(), CSize(300, 400));
    EXPECT_EQ(loaded.GetPaperSize(), 8);
    EXPECT_EQ(loaded.GetOrientation(), 2);
    EXPECT_EQ(loaded.GetCreationTime(), doc->GetCreationTime());
    EXPECT_EQ(loaded.GetLoopName(2), "LEVEL");
    ASSERT_EQ(loaded.GetBlockCount(1), 2);
    EXPECT_EQ(loaded.GetLoop(1)->GetSize(), 27);  // rebuilt on opening
    EXPECT_EQ(loaded.GetBlockLoop(118), 5);
    EXPECT_EQ(loaded.GetBlockAt(1, 1)->GetLinkValue(1), 1);
    EXPECT_EQ(loaded.GetBlockAt(0, 1)->GetUserTag(0), "FT-101");
    EXPECT_DOUBLE_EQ(loaded.GetBlockAt(1, 1)->GetParam(1, 11)->m_dMax, 102.0);
    // Saving again writes the same bytes (nothing is lost or reordered).
    EXPECT_EQ(Store(loaded), Store(*doc));
}

TEST(ConfDocFile, StampsAndBackup) {
    CTempFolder folder("kestrel-doc");
    Answering yes(IDOK);
    auto doc = NewDocument();
    EXPECT_FALSE(doc->IsStamped());
    const std::string path = folder.File("LOOP_G.vxp");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_TRUE(doc->IsStamped());
    EXPECT_EQ(doc->GetCreationTime(), doc->GetRevisionTime());
    EXPECT_FALSE(doc->IsNeverSaved());
    EXPECT_FALSE(fs::exists(folder.File("LOOP_G.bkp")));  // first save: nothing to back up
    const std::vector<uint8_t> firstBytes = ReadAll(path);
    const int64_t created = doc->GetCreationTime();

    doc->SetInfo(CConfDoc::INFO_PROJECT, "second");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(doc->GetCreationTime(), created);
    EXPECT_EQ(ReadAll(folder.File("LOOP_G.bkp")), firstBytes);

    // Saving under another name makes no backup of either file.
    fs::remove(folder.File("LOOP_G.bkp"));
    ASSERT_TRUE(doc->OnSaveDocument(folder.File("OTHER.vxp")));
    EXPECT_FALSE(fs::exists(folder.File("LOOP_G.bkp")));
    EXPECT_FALSE(fs::exists(folder.File("OTHER.bkp")));
    EXPECT_EQ(doc->GetConfigurationName(), "OTHER");
}

TEST(ConfDocFile, RenameOnSaveFollowsTheFileName) {
    CTempFolder folder("kestrel-doc");
    auto doc = NewDocument();
    doc->SetRenameOnSave(true);
    {
        Answering cancel(IDCANCEL);
        EXPECT_FALSE(doc->OnSaveDocument(folder.File("BOILER.vxp")));
        ASSERT_EQ(cancel.texts.size(), 1u);
        EXPECT_EQ(doc->GetLoopName(5), "LOOP_G");
        EXPECT_FALSE(fs::exists(folder.File("BOILER.vxp")));
    }
    Answering ok(IDOK);
    ASSERT_TRUE(doc->OnSaveDocument(folder.File("BOILER.vxp")));
    EXPECT_EQ(doc->GetLoopName(5), "BOILER");
    EXPECT_FALSE(doc->IsRenameOnSave());
    EXPECT_FALSE(doc->IsNameDifferentFromLoopG());
}

TEST(ConfDocFile, FailedWriteKeepsThePreviousFile) {
    CTempFolder folder("kestrel-doc");
    Answering ok(IDOK);
    auto doc = NewDocument();
    const std::string path = folder.File("PLANT.vxp");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    const std::vector<uint8_t> before = ReadAll(path);
    AddBlock(*doc, 1, "APID", 39);
    SetWriteFailureForTesting(100);
    const bool saved = doc->OnSaveDocument(path);
    SetWriteFailureForTesting(std::nullopt);
    EXPECT_FALSE(saved);
    EXPECT_NE(doc->GetLastError().find("PLANT.vxp"), std::string::npos);
    EXPECT_EQ(ReadAll(path), before);
    for (const auto& entry : fs::directory_iterator(folder.Path().string())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "PLANT.vxp" || name == "PLANT.bkp") << "left behind: " << name;
    }
}

// Writes a document header of an older layout followed by the sections of doc.
std::vector<uint8_t> OlderLayout(CConfDoc& doc, bool oldKind, int version) {
    const std::vector<uint8_t> current = Store(doc);
    // The loops section starts at the count before the first class record.
    const std::size_t loops = Find(current, "CLoop") - 8;
    CArchive ar;
    if (oldKind) {
        ar.Write("1.23", 4);
        ar.WriteUInt8(0);
        ar.WriteUInt32(0x00112233);  // paper colour
        ar.WriteInt32(150);
        ar.WriteInt32(250);
        ar.WriteInt32(version);
        if (version >= 1) {
            ar.WriteInt16(5);
            ar.WriteInt16(2);
        }
    } else {
        ar.WriteInt32(version);
        for (int i = 0; i < 10; ++i) {
            ar.WriteString(i == 0 ? "OLD CO" : "");
        }
        ar.WriteUInt32(1000);
        ar.WriteUInt32(2000);
        ar.WriteInt32(1);
        ar.Write("3.00", 5);
        ar.WriteUInt32(0x00445566);
        ar.WriteInt32(207);
        ar.WriteInt32(268);
        ar.WriteInt16(9);
        ar.WriteInt16(1);
    }
    std::vector<uint8_t> bytes = ar.GetBuffer();
    bytes.insert(bytes.end(), current.begin() + static_cast<std::ptrdiff_t>(loops), current.end());
    return bytes;
}

TEST(ConfDocFile, OlderLayoutsLoad) {
    CTempFolder folder("kestrel-doc");
    auto source = NewDocument();
    source->SetControllerModel(CConfiguration::MODEL_VAREX);
    AddBlock(*source, 2, "PID", 43);

    const std::string oldPath = folder.File("OLD.vxp");
    WriteAll(oldPath, OlderLayout(*source, true, 1));
    CConfDoc old;
    ASSERT_TRUE(old.OnOpenDocument(oldPath)) << old.GetLastError();
    EXPECT_EQ(old.GetInfo(CConfDoc::INFO_COMPANY), "");
    EXPECT_EQ(old.GetControllerModel(), CConfiguration::MODEL_VAREX_PLUS);
    EXPECT_EQ(old.GetPaperColor(), 0x00112233u);
    EXPECT_EQ(old.GetPageSize(), CSize(150, 250));
    EXPECT_EQ(old.GetPaperSize(), 5);
    EXPECT_EQ(old.GetOrientation(), 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(old.GetVersionText()), 4), "1.23");
    EXPECT_EQ(old.GetBlockAt(0, 2)->GetBlockNumber(), 43);

    const std::string v3Path = folder.File("V3.vxp");
    WriteAll(v3Path, OlderLayout(*source, false, 3));
    CConfDoc v3;
    ASSERT_TRUE(v3.OnOpenDocument(v3Path)) << v3.GetLastError();
    EXPECT_EQ(v3.GetFormatVersion(), 3);
    EXPECT_EQ(v3.GetInfo(CConfDoc::INFO_COMPANY), "OLD CO");
    EXPECT_EQ(v3.GetControllerModel(), CConfiguration::MODEL_VAREX_PLUS);
    EXPECT_EQ(v3.GetRevisionTime(), 2000);
    EXPECT_EQ(v3.GetPaperColor(), 0x00445566u);
    EXPECT_EQ(v3.GetBlockCount(0), 1);
}

TEST(ConfDocFile, EveryTruncationIsRefusedCleanly) {
    CTempFolder folder("kestrel-doc");
    Answering ok(IDOK);
    auto doc = NewDocument();
    AddBlock(*doc, 1, "AI", 1);
    AddBlock(*doc, 1, "APID", 39);
    AddBlock(*doc, 5, "K", 118);
    const std::vector<uint8_t> bytes = Store(*doc);
    const std::string path = folder.File("CUT.vxp");
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        WriteAll(path, std::vector<uint8_t>(bytes.begin(),
                                            bytes.begin() + static_cast<std::ptrdiff_t>(size)));
        CConfDoc loaded;
        EXPECT_FALSE(loaded.OnOpenDocument(path)) << size;
        EXPECT_NE(loaded.GetLastError().find("CUT.vxp"), std::string::npos);
    }
}

TEST(ConfDocFile, HostileContentIsRefused) {
    CTempFolder folder("kestrel-doc");
    Answering ok(IDOK);
    auto doc = NewDocument();
    std::vector<uint8_t> bytes = Store(*doc);
    const std::size_t count = Find(bytes, "CLoop") - 8;
    const std::string path = folder.File("BAD.vxp");

    std::vector<uint8_t> sixLoops = bytes;
    sixLoops[count] = 6;
    WriteAll(path, sixLoops);
    CConfDoc a;
    EXPECT_FALSE(a.OnOpenDocument(path));

    std::vector<uint8_t> unknownClass = bytes;
    unknownClass[count + 2 + 6] = 'X';  // "XLoop"
    WriteAll(path, unknownClass);
    CConfDoc b;
    EXPECT_FALSE(b.OnOpenDocument(path));
    EXPECT_NE(b.GetLastError().find("XLoop"), std::string::npos);

    // A drawing list holding a loop (a class that is no drawing object).
    std::vector<uint8_t> wrongClass = bytes;
    wrongClass.resize(wrongClass.size() - 6);
    const std::vector<uint8_t> lists = {1, 0, 0x01, 0x80};
    wrongClass.insert(wrongClass.end(), lists.begin(), lists.end());
    WriteAll(path, wrongClass);
    CConfDoc c;
    EXPECT_FALSE(c.OnOpenDocument(path));

    CConfDoc missing;
    EXPECT_FALSE(missing.OnOpenDocument(folder.File("NONE.vxp")));
    EXPECT_NE(missing.GetLastError().find("NONE.vxp"), std::string::npos);
}

TEST(ConfDocLoops, ReadLoopsFromFileAndMatch) {
    CTempFolder folder("kestrel-doc");
    Answering ok(IDOK);
    auto doc = NewDocument();
    AddBlock(*doc, 1, "AI", 1);
    AddBlock(*doc, 1, "CO", 9);
    ASSERT_TRUE(doc->GetBlockAt(1, 1)->SetParamValue(0, 0, "1"));
    doc->GetBlockAt(0, 1)->SetUserTag(1, "TT-7");
    const std::string path = folder.File("MATCH.vxp");
    ASSERT_TRUE(doc->OnSaveDocument(path));

    std::array<std::unique_ptr<CLoop>, CConfiguration::kLoopCount> stored;
    ASSERT_TRUE(CConfDoc::ReadLoopsFromFile(path, stored, false));
    ASSERT_TRUE(stored[0]);

    // An uploaded loop: same blocks and links, but generated tags.
    CLoop uploaded(1, "LOOP_1  ");
    uploaded.AddBlock(CBlock::Create(0, 1));
    uploaded.AddBlock(CBlock::Create(1, 9));
    ASSERT_TRUE(uploaded.GetBlock(1)->SetParamValue(0, 0, "1"));
    EXPECT_TRUE(CConfDoc::MatchLoopWithFile(uploaded, *stored[0]));
    EXPECT_EQ(uploaded.GetBlock(0)->GetUserTag(1), "TT-7");

    ASSERT_TRUE(uploaded.GetBlock(1)->SetParamValue(0, 0, "2"));
    EXPECT_FALSE(CConfDoc::MatchLoopWithFile(uploaded, *stored[0]));
    CLoop renamed(1, "OTHER");
    EXPECT_FALSE(CConfDoc::MatchLoopWithFile(renamed, *stored[0]));

    std::string error;
    EXPECT_FALSE(CConfDoc::ReadLoopsFromFile(folder.File("NONE.vxp"), stored, false, &error));
    EXPECT_NE(error.find("NONE.vxp"), std::string::npos);
}

}  // namespace
