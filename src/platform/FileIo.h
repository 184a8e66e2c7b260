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
// file, never a part. The temporary file is removed on failure; it is named
// "NAME.saving-HOST-PID-XXXXXX" after the target, this host and the writing
// process, and a later write of the same target removes those of this host
// whose process has ended (a save that was killed).
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& error);

// The cleaning WriteFileAtomically does first: removes the temporary files of
// earlier writes of path, on this host, whose writing process has ended.
void RemoveStaleTemporaries(const std::string& path);

// Copies a file, replacing the target.
bool CopyFileBytes(const std::string& from, const std::string& to, std::string& error);

bool FileExists(const std::string& path);

// The path made absolute against the current folder and without "." and ".."
// steps; unchanged when empty. A path stored for later (recent files, a
// document's own) must not depend on the folder the program was started from.
std::string AbsolutePath(const std::string& path);

// Test hook: makes the next atomic writes fail after this many bytes (nullopt: off).
void SetWriteFailureForTesting(std::optional<std::size_t> failAfterBytes);
