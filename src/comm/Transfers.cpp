#include "comm/Transfers.h"

#include <cctype>

#include "comm/ConfController.h"
#include "comm/TransferUi.h"
#include "document/ConfDoc.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/Text.h"

namespace {

constexpr int kLoopCount = CConfiguration::kLoopCount;

// Shows the download failure with the controller's error text.
void ReportDownloadFailure(CTransferUi& ui, const CController& controller, unsigned titleId) {
    ui.ShowMessage(LoadResString(titleId),
                   LoadResString(IDS_DOWNLOAD_FAILED) + controller.GetErrorText(),
                   MB_OK | MB_ICONERROR);
}

// The line or the host could not be reached at all: said, not left silent.
void ReportNoConnection(CTransferUi& ui, const CCommunicationData& settings, unsigned titleId) {
    const std::string& target =
        settings.IsEthernet() ? settings.m_strIPAddress : settings.m_strPort;
    ui.ShowMessage(LoadResString(titleId), AfxFormatString(IDS_CANNOT_OPEN_CONNECTION, {target}),
                   MB_OK | MB_ICONERROR);
}

bool SendLoops(CConfiguration& config, CConfController& controller, CTransferUi& ui) {
    ui.BeginProgress(LoadResString(IDS_TITLE_DOWNLOAD), LoadResString(IDS_SENDING_CONFIGURATION),
                     kLoopCount);
    bool ok = true;
    for (int n = 1; n <= kLoopCount && ok; ++n) {
        CLoop* loop = config.GetLoop(n);
        if (loop == nullptr) {
            continue;
        }
        ok = controller.SendLoop(*loop);
        if (ok) {
            ui.SetProgress(n);
            loop->SetModified(0);
        }
    }
    ui.EndProgress();
    return ok;
}

// True when the file's loops match the uploaded ones loop by loop.
bool FileMatches(const std::string& path, std::vector<std::unique_ptr<CLoop>>& loops) {
    std::array<std::unique_ptr<CLoop>, kLoopCount> stored;
    if (!CConfDoc::ReadLoopsFromFile(path, stored, false)) {
        return false;
    }
    for (std::size_t i = 0; i < loops.size() && i < stored.size(); ++i) {
        if (!stored[i] || !CConfDoc::MatchLoopWithFile(*loops[i], *stored[i])) {
            return false;
        }
    }
    return loops.size() <= stored.size();
}

}  // namespace

bool DownloadConfiguration(CConfiguration& config, const CCommunicationData& settings,
                           CTransferUi& ui) {
    for (int n = 1; n <= kLoopCount; ++n) {
        const CLoop* loop = config.GetLoop(n);
        if (loop != nullptr && loop->GetName().empty()) {
            ui.ShowMessage(LoadResString(IDS_TITLE_DOWNLOAD), LoadResString(IDS_LOOP_WITHOUT_NAME),
                           MB_OK | MB_ICONWARNING);
            return false;
        }
    }
    CConfController controller;
    if (!controller.Open(settings, false)) {
        ReportNoConnection(ui, settings, IDS_TITLE_DOWNLOAD);
        return false;
    }
    ui.SetWaitCursor(true);
    const bool ok = controller.ReplaceAllLoops() && SendLoops(config, controller, ui);
    ui.SetWaitCursor(false);
    if (ok) {
        ui.SetConfigurationName(config.GetLoopName(CConfiguration::kLoopG));
        ui.ShowMessage(LoadResString(IDS_TITLE_DOWNLOAD), LoadResString(IDS_DOWNLOAD_SUCCESS),
                       MB_OK | MB_ICONINFORMATION);
    } else {
        ReportDownloadFailure(ui, controller, IDS_TITLE_DOWNLOAD);
    }
    controller.Close();
    return ok;
}

bool UploadConfiguration(const CCommunicationData& settings, const std::string& workDir,
                         CTransferUi& ui, UploadResult& result) {
    result = UploadResult();
    ui.SetWaitCursor(true);
    auto controller = std::make_unique<CConfController>();
    if (!controller->Open(settings, false)) {
        ui.SetWaitCursor(false);
        ReportNoConnection(ui, settings, IDS_TITLE_UPLOAD);
        return false;
    }
    ui.BeginProgress(LoadResString(IDS_TITLE_UPLOAD), LoadResString(IDS_RETRIEVING_CONFIGURATION),
                     kLoopCount);
    bool ok = true;
    for (int n = 1; n <= kLoopCount && ok; ++n) {
        std::unique_ptr<CLoop> loop = controller->ReadLoop(n);
        ui.SetProgress(n);
        ok = loop != nullptr;
        if (ok) {
            loop->SetLoopNumber(n);
            result.loops.push_back(std::move(loop));
        }
    }
    controller.reset();
    ui.EndProgress();
    ui.SetWaitCursor(false);
    if (!ok) {
        ui.ShowMessage(LoadResString(IDS_TITLE_UPLOAD), LoadResString(IDS_UPLOAD_FAILED),
                       MB_OK | MB_ICONERROR);
        result.loops.clear();
        return false;
    }
    ui.ShowMessage(LoadResString(IDS_TITLE_UPLOAD), LoadResString(IDS_UPLOAD_SUCCESS),
                   MB_OK | MB_ICONINFORMATION);

    result.configurationName = TrimRight(result.loops.back()->GetName());
    const std::string folder = workDir.empty() ? std::string() : workDir + "/";
    const std::string path = folder + result.configurationName + CConfDoc::kExtension;
    if (!result.configurationName.empty() && FileExists(path) && FileMatches(path, result.loops)) {
        result.matchingFile = path;
        result.drawingsFromDisk =
            ui.ShowMessage(LoadResString(IDS_TITLE_UPLOAD), LoadResString(IDS_DRAWINGS_FROM_DISK),
                           MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    return true;
}

void ApplyUploadedLoops(CConfDoc& doc, UploadResult& result) {
    doc.RemoveAllLoops();
    for (auto& loop : result.loops) {
        const int n = loop->GetLoopNumber();
        for (int b = 0; b < loop->GetBlockCount(); ++b) {
            CBlock& block = *loop->GetBlock(b);
            if (!result.drawingsFromDisk) {
                for (int o = 0; o < block.GetOutputCount(); ++o) {
                    block.SetUserTag(o, block.GetOutputName(o));
                }
            }
        }
        const std::string name = ToUpper(Trim(loop->GetName()));
        loop->SetName(name);
        if (n == CConfiguration::kLoopG) {
            doc.SetConfigurationName(name);
        }
        loop->SetModified(0);
        doc.AddLoop(std::move(loop));
    }
    result.loops.clear();
    doc.RebuildFromLoops();
    for (int n = 1; n <= kLoopCount; ++n) {
        if (CLoop* loop = doc.GetLoop(n)) {
            loop->SetModified(0);
        }
    }
    doc.SetModifiedFlag(true);
    doc.SetTitle(doc.GetConfigurationName());
    // Adding the loops made each current in turn; the document shows loop 1.
    doc.SelectLoop(1, true);
    doc.UpdateAllViews(nullptr);
}

bool SendChangedLoops(CConfiguration& config, CConfController& controller, bool monitoring,
                      CTransferUi& ui) {
    std::string changed;
    int blockTotal = 0;
    for (int n = 1; n <= kLoopCount; ++n) {
        const CLoop* loop = config.GetLoop(n);
        if (loop != nullptr && loop->IsModified()) {
            changed += (changed.empty() ? "" : ";") + std::to_string(n);
            blockTotal += loop->GetBlockCount();
        }
    }
    if (changed.empty()) {
        return true;
    }
    const std::string title = LoadResString(IDS_TITLE_ONLINE_STATUS);
    if (ui.ShowMessage(title, AfxFormatString(IDS_LOOPS_MUST_BE_REPLACED, {changed}),
                       MB_YESNO | MB_ICONWARNING) != IDYES) {
        return true;
    }
    ui.BeginProgress(title, LoadResString(IDS_SENDING_CHANGED_LOOP), blockTotal);
    bool ok = true;
    for (int n = 1; n <= kLoopCount && ok; ++n) {
        CLoop* loop = config.GetLoop(n);
        if (loop == nullptr || !loop->IsModified()) {
            continue;
        }
        ui.SetProgress(n);
        if ((loop->GetModified() & CLoop::MODIFIED_BLOCKS) && !monitoring) {
            ok = controller.ReplaceLoop(n) && controller.SendLoop(*loop);
        } else if (loop->GetModified() & CLoop::MODIFIED_NAME) {
            const uint8_t number = static_cast<uint8_t>(n);
            ok = controller.WriteLoopNames(loop->GetName(), &number, 1);
        } else {
            for (int b = 0; b < loop->GetBlockCount() && ok; ++b) {
                CBlock& block = *loop->GetBlock(b);
                if (block.IsChanged()) {
                    ok = controller.SendBlock(n, block);
                    if (ok) {
                        block.SetChanged(false);
                    }
                }
            }
        }
        if (ok) {
            loop->SetModified(0);
        }
    }
    ui.EndProgress();
    if (!ok) {
        ReportDownloadFailure(ui, controller, IDS_TITLE_ONLINE_STATUS);
    }
    return ok;
}
