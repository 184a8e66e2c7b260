#include "app/AppMessageBox.h"

#include <QPointer>
#include <QWidget>

#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/MessageBoxEx.h"

namespace {

void AddButtons(CMessageBoxEx& box, unsigned buttons) {
    switch (buttons) {
        case MB_OKCANCEL:
            box.AddButton(IDOK, true, 0, false, CAppMessageBox::tr("OK"));
            box.AddButton(IDCANCEL, false, 0, true, CAppMessageBox::tr("Cancel"));
            break;
        case MB_YESNO:
            box.AddButton(IDYES, true, 0, false, CAppMessageBox::tr("&Yes"));
            box.AddButton(IDNO, false, 0, true, CAppMessageBox::tr("&No"));
            break;
        case MB_YESNOCANCEL:
            box.AddButton(IDYES, true, 0, false, CAppMessageBox::tr("&Yes"));
            box.AddButton(IDNO, false, 0, false, CAppMessageBox::tr("&No"));
            box.AddButton(IDCANCEL, false, 0, true, CAppMessageBox::tr("Cancel"));
            break;
        default:
            box.AddButton(IDOK, true, 0, true, CAppMessageBox::tr("OK"));
    }
}

int IconOf(unsigned type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return CMessageBoxEx::kIconHand;
        case MB_ICONQUESTION:
            return CMessageBoxEx::kIconQuestion;
        case MB_ICONWARNING:
            return CMessageBoxEx::kIconExclamation;
        case MB_ICONINFORMATION:
            return CMessageBoxEx::kIconAsterisk;
        default:
            return 0;
    }
}

}  // namespace

int CAppMessageBox::Show(QWidget* parent, const std::string& text, unsigned type) {
    const std::string& title = GetMessageBoxTitle();
    return Show(parent, title.empty() ? std::string(kTitle) : title, text, type);
}

int CAppMessageBox::Show(QWidget* parent, const std::string& title, const std::string& text,
                         unsigned type) {
    CMessageBoxEx box(parent);
    box.SetTitle(gdi::ToQString(title));
    box.SetMsg(gdi::ToQString(text));
    if (const int icon = IconOf(type)) {
        box.SetStandardIcon(icon);
    }
    AddButtons(box, type & MB_TYPEMASK);
    const int answer = box.DoModal();
    return answer < 0 ? IDCANCEL : answer;
}

void CAppMessageBox::Install(QWidget* parent) {
    CMessageBoxEx::SetStringLoader(
        [](int id) { return gdi::ToQString(LoadResString(static_cast<unsigned>(id))); });
    QPointer<QWidget> guarded(parent);
    SetMessageBoxHandler([guarded](const std::string& text, unsigned type) {
        return Show(guarded.data(), text, type);
    });
}
