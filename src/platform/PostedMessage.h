#pragma once

#include <functional>
#include <string>

// Messages from workers to windows, identified by their registration names.
// A worker only posts: delivery is up to the installed poster (the windowed
// program turns each into a Qt event for the main window), and posting never
// waits. With no poster installed, messages are dropped.
using MessagePoster = std::function<void(const std::string& name, long wParam, long lParam)>;

void PostRegisteredMessage(const std::string& name, long wParam, long lParam = 0);
// Installs a poster and returns the previous one.
MessagePoster SetMessagePoster(MessagePoster poster);

// The registration names the program uses.
namespace msg {
inline constexpr const char* kUpdateTxLed =
    "WM_UPDATE_TXLED-{2BDAD856-AAAB-47ea-852B-1B5486F140B3}";
inline constexpr const char* kUpdateRxLed =
    "WM_UPDATE_RXLED-{0D79DD2D-456E-4092-A6C1-ED6DCA541E35}";
inline constexpr const char* kThreadShutdown =
    "WM_THREAD_SHUTDOWN-{E53E1065-F290-4230-96E5-860E1FABFD45}";
inline constexpr const char* kThreadCommError =
    "WM_THREAD_COMMERROR-{E94B8AE1-26A7-42c3-BED2-58B4D3D86685}";
inline constexpr const char* kThreadSendToDevice =
    "WM_THREAD_SENDTODEVICE-{37DA1FFA-BD45-4961-93A8-A9202BBEC975}";
inline constexpr const char* kThreadBlockMonitor =
    "WM_THREAD_BLKMONITOR-{42B31BF0-9EB1-45bf-8B70-5443F70407ED}";
inline constexpr const char* kDeviceLookFinished =
    "WM_THREAD_DEVLOOKFINISHED-{80CA3262-482B-4397-BE15-401EA3689C89}";
inline constexpr const char* kUpdatePbPos =
    "WM_THREAD_UPDATEPBPOS-{D1A7CDFE-C644-42ae-A7A7-9056D39A6465}";
}  // namespace msg
