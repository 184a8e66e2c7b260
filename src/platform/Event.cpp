#include "platform/Event.h"

#include <condition_variable>
#include <mutex>

namespace {

// One lock and one condition for all events keeps waits on several events
// simple; events change rarely, so waking every waiter costs nothing that matters.
std::mutex g_mutex;
std::condition_variable g_changed;

}  // namespace

CEvent::CEvent(bool initiallySet) : m_bSet(initiallySet) {}

void CEvent::Set() {
    {
        std::lock_guard lock(g_mutex);
        m_bSet = true;
    }
    g_changed.notify_all();
}

void CEvent::Reset() {
    std::lock_guard lock(g_mutex);
    m_bSet = false;
}

bool CEvent::IsSet() const {
    std::lock_guard lock(g_mutex);
    return m_bSet;
}

bool CEvent::Wait(std::chrono::milliseconds timeout) const {
    return WaitForAny({this}, timeout) == 0;
}

void CEvent::Wait() const {
    std::unique_lock lock(g_mutex);
    g_changed.wait(lock, [this] { return m_bSet; });
}

int CEvent::WaitForAny(std::initializer_list<const CEvent*> events,
                       std::chrono::milliseconds timeout) {
    auto firstSet = [&events]() {
        int index = 0;
        for (const CEvent* event : events) {
            if (event->m_bSet) {
                return index;
            }
            ++index;
        }
        return -1;
    };
    std::unique_lock lock(g_mutex);
    int found = -1;
    g_changed.wait_for(lock, timeout, [&] { return (found = firstSet()) >= 0; });
    return found;
}
