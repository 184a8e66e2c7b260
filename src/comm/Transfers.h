#pragma once

#include <memory>
#include <string>
#include <vector>

#include "comm/CommunicationData.h"
#include "model/Loop.h"

class CConfDoc;
class CConfiguration;
class CConfController;
class CTransferUi;

// The sequences that move a configuration between a document and a controller.
// They run on the calling thread and block it.

// Sends loops 1..5 of the configuration ("M", then "Y"/"N" per loop).
bool DownloadConfiguration(CConfiguration& config, const CCommunicationData& settings,
                           CTransferUi& ui);

// The controller's five loops, and whether the drawings come from a matching
// file in the working directory.
struct UploadResult {
    std::vector<std::unique_ptr<CLoop>> loops;
    std::string configurationName;  // loop 5's name, trailing blanks removed
    std::string matchingFile;       // the working-directory file whose loops match, if any
    bool drawingsFromDisk = false;  // the user wants the drawings of matchingFile
};

// Reads loops 1..5 and looks for a matching file; the user is asked whether to
// take its drawings. False (after the failure message) when a loop could not be read.
bool UploadConfiguration(const CCommunicationData& settings, const std::string& workDir,
                         CTransferUi& ui, UploadResult& result);

// Replaces the document's loops with the uploaded ones (the last step of an
// upload): block numbers registered, names upper-cased and trimmed, user tags
// reset unless the drawings came from disk, change flags cleared.
void ApplyUploadedLoops(CConfDoc& doc, UploadResult& result);

// Sends what changed while online: whole loops whose blocks changed (unless
// monitoring), names of renamed loops, changed blocks otherwise. The controller
// is the online worker's, borrowed while the worker waits.
bool SendChangedLoops(CConfiguration& config, CConfController& controller, bool monitoring,
                      CTransferUi& ui);
