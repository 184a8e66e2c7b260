#include "app/ConfFileDialog.h"

#include <QFileDialog>
#include <QObject>

#include "document/ConfDoc.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"

namespace {

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name without its last extension, as the rules see it.
std::string NameWithoutExtension(const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ShowPlatformDialog(QWidget* parent, const std::string& initial) {
    QString path = QFileDialog::getSaveFileName(parent, CConfFileDialog::tr("Save As"),
                                                QString::fromLatin1(initial.c_str()),
                                                CConfFileDialog::tr("KESTREL Plus Files (*.vxp)"),
                                                nullptr, QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty() && !path.endsWith(CConfDoc::kExtension, Qt::CaseInsensitive)) {
        path += CConfDoc::kExtension;
    }
    return path.toLatin1().toStdString();
}

}  // namespace

bool CConfFileDialog::IsValidName(const std::string& path) {
    const std::string name = NameWithoutExtension(path);
    return !name.empty() && name.size() <= kMaxNameLength && name.find('.') == std::string::npos;
}

std::string CConfFileDialog::GetSaveFileName(QWidget* parent, const std::string& initial,
                                             const Chooser& chooser) {
    std::string proposal = initial;
    for (;;) {
        const std::string chosen =
            chooser ? chooser(proposal) : ShowPlatformDialog(parent, proposal);
        if (chosen.empty()) {
            return {};
        }
        proposal = chosen;
        if (FileExists(chosen) &&
            AfxMessageBox(AfxFormatString(IDS_FILE_EXISTS_REPLACE, {FileNameOf(chosen)}),
                          MB_YESNO | MB_ICONWARNING) != IDYES) {
            continue;
        }
        if (!IsValidName(chosen)) {
            AfxMessageBox(IDS_ARCHIVE_NAME_RULES, MB_OK | MB_ICONWARNING);
            continue;
        }
        return chosen;
    }
}
