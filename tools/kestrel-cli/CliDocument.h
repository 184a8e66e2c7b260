#pragma once

#include <memory>
#include <string>

#include "document/ConfDoc.h"

// Opening and saving documents for the commands. Failures have already been
// reported on stderr when these return null or false.
std::unique_ptr<CConfDoc> OpenCliDocument(const std::string& path);
// Saves a document where it was opened from, with the backup and stamps of an
// ordinary save.
bool SaveCliDocument(CConfDoc& doc);
// Prints a usage or refusal line on stderr and returns the exit code.
int Refuse(const std::string& message);
int UsageError(const std::string& usage, const std::string& detail = "");
