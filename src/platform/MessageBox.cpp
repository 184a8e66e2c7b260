#include "platform/MessageBox.h"

#include <cstdio>
#include <mutex>
#include <utility>

#include "platform/StringTable.h"

namespace {

std::mutex g_handlerMutex;
MessageBoxHandler g_handler;
// The title of the box being shown by this thread; empty for the program's own.
thread_local std::string t_title;

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

int AfxMessageBox(const std::string& title, const std::string& text, unsigned type) {
    const std::string outer = std::exchange(t_title, title);
    const int answer = AfxMessageBox(text, type);
    t_title = outer;
    return answer;
}

const std::string& GetMessageBoxTitle() {
    return t_title;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard lock(g_handlerMutex);
    MessageBoxHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}
