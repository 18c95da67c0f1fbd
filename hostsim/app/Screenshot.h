// The host window as it is on screen, with any menu or box its thread shows, written as a 24-bit BMP.
#pragma once

#include <windows.h>

#include <string>

// Empty on success, else what went wrong.
std::string SaveWindowBitmap(HWND window, const std::string& path);
