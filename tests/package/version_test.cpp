// The packaged module's version resource, read the way Windows' file properties read it: version 1.1, and the
// product and company the module names to the host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PluginHost.h"

namespace {
TEST(VersionTest, ReadsAs1Point1OfTheProductAndCompanyTheModuleGivesTheHost) {
  const char* const module = QUILLON_PACKAGED_MODULE;
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(module, &ignored));
  ASSERT_FALSE(info.empty()) << module;
  ASSERT_TRUE(GetFileVersionInfoA(module, 0, static_cast<DWORD>(info.size()), info.data()));
  auto value = [&](const std::string& name) -> std::string {
    char* text = nullptr;
    UINT length = 0;
    std::string path = "\\StringFileInfo\\040904E4\\" + name;
    return VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) && text ? text
                                                                                                       : "";
  };

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 1));
  EXPECT_EQ(value("FileVersion"), "1.1");
  EXPECT_EQ(value("ProductVersion"), "1.1");

  PluginHost host;
  SimPlugData data{};
  simPluginGetData(PluginHost::kPlugId, &data);
  EXPECT_EQ(value("ProductName"), data.title);
  EXPECT_EQ(value("CompanyName"), data.author);
  EXPECT_EQ(value("FileDescription").rfind(data.title, 0), 0u) << value("FileDescription");
}
}  // namespace
