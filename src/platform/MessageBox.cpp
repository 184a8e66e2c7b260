#include "platform/MessageBox.h"

#include <cstdio>
#include <mutex>

#include "platform/StringTable.h"

namespace {

std::mutex g_handlerMutex;
MessageBoxHandler g_handler;

int DefaultHandler(const std::string& text, unsigned type) {
    std::fprintf(stderr, "%s\n", text.c_str());
    const unsigned buttons = type & MB_TYPEMASK;
    return (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? IDYES : IDOK;
}

}  // namespace

int AfxMessageBox(const std::string& text, unsigned type) {
    MessageBoxHandler handler;
    {
        std::lock_guard lock(g_handlerMutex);
        handler = g_handler;
    }
    return handler ? handler(text, type) : DefaultHandler(text, type);
}

int AfxMessageBox(unsigned stringId, unsigned type) {
    return AfxMessageBox(LoadResString(stringId), type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard lock(g_handlerMutex);
    MessageBoxHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}
