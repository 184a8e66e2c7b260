#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Whole-file reads and writes for the document and export code.

// Reads a file of at most maxSize bytes; false with an error text otherwise.
bool ReadFileBytes(const std::string& path, std::size_t maxSize, std::vector<uint8_t>& bytes,
                   std::string& error);

// Writes bytes to a temporary file in the target's folder, flushes it to disk
// and renames it over the target, so readers see either the old or the new
// file, never a part. The temporary file is removed on failure.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& error);

// Copies a file, replacing the target.
bool CopyFileBytes(const std::string& from, const std::string& to, std::string& error);

bool FileExists(const std::string& path);

// Test hook: makes the next atomic writes fail after this many bytes (nullopt: off).
void SetWriteFailureForTesting(std::optional<std::size_t> failAfterBytes);
