#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CConfDoc;
class CDrawingObject;
class CDrawingTemplate;

// Drawing templates (.vxt): a set of drawing objects saved from a loop and
// inserted later into any loop as one template group. The file is an archive
// holding a header text and the object list.
namespace templates {

constexpr int kFileVersion = 1;
constexpr const char* kExtension = ".vxt";

// Writes the header text and the objects; false (after the file error
// message) when the file cannot be written.
bool SaveTemplate(const std::string& path, const std::vector<const CDrawingObject*>& objects);

// Reads a template file and adds its objects, as one template on the current
// loop, to the document's template list. Returns the number of objects
// inserted (0 for an empty template); -1 after a file error message.
int InsertTemplate(CConfDoc& document, const std::string& path);
// The same for the bytes of a template file; the path names it in messages.
int InsertTemplateBytes(CConfDoc& document, const std::vector<uint8_t>& bytes,
                        const std::string& path);

// The objects of a template file (or of its bytes) as one template on the
// current loop, for the caller to add; null after a file error message.
std::unique_ptr<CDrawingTemplate> ReadTemplateFile(CConfDoc& document, const std::string& path);
std::unique_ptr<CDrawingTemplate> ReadTemplateBytes(CConfDoc& document,
                                                    const std::vector<uint8_t>& bytes,
                                                    const std::string& path);

// The header text the files start with.
std::string HeaderText();

}  // namespace templates
