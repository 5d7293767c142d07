#pragma once

#include <QEvent>

namespace telmora {

// Messages between windows, numbered from the first user message (1024).
// "Sent" messages are direct or blocking-queued calls; "posted" ones are
// queued events of type QEvent::User + (number - 1024).
namespace WindowMessage {
constexpr int FirstUser = 1024;
constexpr int ResetNeedle = 1026;   // analog meter, comparator: back to rest (posted on unlink)
constexpr int LinkEnded = 1029;     // recorder: stop a running recording (sent)
constexpr int UnlinkRequest = 1030; // main window: unlink (sent by the recorder before an import)
constexpr int BufferCleared = 1032; // data list: the recorder buffer was cleared
constexpr int SampleAdded = 1034;   // data list: a sample was added; parameter = buffer index
constexpr int ResetImport = 1036;   // import window to itself: reset after abort or failure

constexpr QEvent::Type eventType(int message) {
    return static_cast<QEvent::Type>(QEvent::User + (message - FirstUser));
}
} // namespace WindowMessage

// A posted window message with one integer parameter.
class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(int message, long long param = 0)
        : QEvent(WindowMessage::eventType(message)), m_message(message), m_param(param) {}
    int message() const { return m_message; }
    long long param() const { return m_param; }

private:
    int m_message;
    long long m_param;
};

} // namespace telmora
