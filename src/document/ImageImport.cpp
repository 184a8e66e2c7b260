#include "document/ImageImport.h"

#include <strings.h>

#include <cstring>

#include "document/ConfDoc.h"
#include "model/BlockTypeTable.h"
#include "model/ParamDictionary.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"

namespace {

// Loop data larger than this ends the import, as the controller never writes it.
constexpr std::size_t kMaxLoopData = 2048;
constexpr std::size_t kLoopNameSize = 8;
constexpr std::size_t kBlockHeaderSize = 5;
// Images are small; anything larger is not one.
constexpr std::size_t kMaxImageFile = 64 * 1024;

// Reads the block records of one loop's data into loop n of the document.
void ImportBlocks(CConfDoc& doc, int n, const std::vector<uint8_t>& data) {
    std::size_t offset = kLoopNameSize;
    while (offset + kBlockHeaderSize <= data.size()) {
        const std::size_t recordLength = data[offset];
        const int blockNumber = data[offset + 2];
        const int typeIndex = data[offset + 3] - 1;
        if (recordLength == 0 || blockNumber == 0 || typeIndex < 0 ||
            typeIndex >= kBlockTypeCount) {
            return;
        }
        // A block of another type's range or a number already used would collide
        // with other blocks' outputs; the image is damaged from here on.
        if (GetTypeIndexOfBlockNumber(blockNumber) != typeIndex ||
            doc.GetBlockLoop(blockNumber) != 0) {
            return;
        }
        auto block =
            std::make_unique<CBlock>(GetBlockTypeMnemonic(typeIndex), blockNumber, typeIndex);
        CParamDictionary::Get().CreateBlockParams(*block);
        block->BuildOutputs();
        if (!block->LoadParamImage(data.data(), data.size(), offset + kBlockHeaderSize, false)) {
            return;
        }
        CLoop* loop = doc.GetLoop(n);
        doc.InsertBlock(loop->GetBlockCount(), std::move(block), n);
        offset += recordLength;
    }
}

}  // namespace

int ImportImageBytes(CConfDoc& doc, const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 4) {
        return 0;
    }
    doc.SetVersionText(bytes.data());
    std::size_t position = 6;  // version text and an unused 16-bit field
    int loopsRead = 0;
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        if (position + 3 > bytes.size() || doc.GetLoop(n) == nullptr) {
            break;
        }
        const int recordLength = static_cast<int16_t>(bytes[position] | (bytes[position + 1] << 8));
        const int dataSize = recordLength - 1;
        if (dataSize < 1 || static_cast<std::size_t>(dataSize) > kMaxLoopData ||
            position + 3 + static_cast<std::size_t>(dataSize) > bytes.size()) {
            break;
        }
        position += 3;  // the length and one unused byte
        const std::vector<uint8_t> data(
            bytes.begin() + static_cast<std::ptrdiff_t>(position),
            bytes.begin() + static_cast<std::ptrdiff_t>(position + dataSize));
        position += static_cast<std::size_t>(dataSize);

        CLoop* loop = doc.GetLoop(n);
        loop->SetLoopNumber(n);
        const std::size_t nameLength = std::min(kLoopNameSize, data.size());
        const char* name = reinterpret_cast<const char*>(data.data());
        loop->SetName(std::string(name, strnlen(name, nameLength)));
        ImportBlocks(doc, n, data);
        loop->SetModified(0);
        ++loopsRead;
    }
    return loopsRead;
}

bool IsImageFileName(const std::string& path) {
    return path.size() >= 3 && strcasecmp(path.c_str() + path.size() - 3, "vxi") == 0;
}

bool ImportImageFile(CConfDoc& doc, const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, kMaxImageFile, bytes, error)) {
        AfxMessageBox(AfxFormatString(IDS_FILE_OPEN_FAILED, {path, error}), MB_OK | MB_ICONERROR);
        return false;
    }
    ImportImageBytes(doc, bytes);
    const std::string fileName =
        path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    doc.NameAfterImport(fileName.substr(0, fileName.find('.')));
    return true;
}
