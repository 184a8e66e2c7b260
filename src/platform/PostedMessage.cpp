#include "platform/PostedMessage.h"

#include <mutex>

namespace {

std::mutex g_posterMutex;
MessagePoster g_poster;

}  // namespace

void PostRegisteredMessage(const std::string& name, long wParam, long lParam) {
    MessagePoster poster;
    {
        std::lock_guard lock(g_posterMutex);
        poster = g_poster;
    }
    if (poster) {
        poster(name, wParam, lParam);
    }
}

MessagePoster SetMessagePoster(MessagePoster poster) {
    std::lock_guard lock(g_posterMutex);
    MessagePoster previous = std::move(g_poster);
    g_poster = std::move(poster);
    return previous;
}
