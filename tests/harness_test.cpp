#include <gtest/gtest.h>
#include <windows.h>
TEST(Harness, CreatesAWindow) {
  HWND w = CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(w, nullptr);
  DestroyWindow(w);
}
