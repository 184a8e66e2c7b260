#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CConfDoc;

// Import of configuration images (.vxi): the five loops as a controller stores
// them. The document must be new, with its five default loops.

// Fills the document's loops from image bytes; returns the number of loops read.
int ImportImageBytes(CConfDoc& doc, const std::vector<uint8_t>& bytes);

// Reads a .vxi file into a new document and names the document after the file
// (it must then be saved under a name of the user's choice). Returns false, with
// the file error reported, when the file cannot be read.
bool ImportImageFile(CConfDoc& doc, const std::string& path);

// True for file names that end in "vxi" in any case.
bool IsImageFileName(const std::string& path);
