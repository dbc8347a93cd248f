#pragma once

// Numeric window message ids and system commands, as the rest of the program knows them.

#include <cstdint>

namespace velmora::toolkit {

inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_GETMINMAXINFO = 0x0024;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_USER = 0x0400;
// The tray icon's default notification (lParam: 0x202 left button up, 0x205 right button up).
inline constexpr uint32_t WM_TRAYICON = WM_USER + 1;
// A menu command; wParam points to a MenuCmd owned by the receiver's paint manager.
inline constexpr uint32_t WM_MENUCLICK = WM_USER + 121;

inline constexpr uint32_t SC_SIZE = 0xF000;
inline constexpr uint32_t SC_MOVE = 0xF010;
inline constexpr uint32_t SC_MINIMIZE = 0xF020;
inline constexpr uint32_t SC_MAXIMIZE = 0xF030;
inline constexpr uint32_t SC_CLOSE = 0xF060;
inline constexpr uint32_t SC_RESTORE = 0xF120;

inline constexpr uint32_t kTrayLeftButtonUp = 0x202;
inline constexpr uint32_t kTrayRightButtonUp = 0x205;

// Close codes.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

}  // namespace velmora::toolkit
