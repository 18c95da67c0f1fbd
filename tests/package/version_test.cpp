// The packaged module's version resource, read the way Windows' file properties read it: version 1.1, and the
// product and company the module names to the host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PluginHost.h"

namespace {
class VersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(kPackagedModule, &ignored);
    ASSERT_GT(size, 0u) << kPackagedModule;
    info.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(kPackagedModule, 0, size, info.data()));
  }

  std::string Value(const char* name) {
    char* text = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text)
      return "";
    return text;
  }

  static constexpr const char* kPackagedModule = QUILLON_PACKAGED_MODULE;
  std::vector<char> info;
};

TEST_F(VersionTest, FileAndProductVersionAre1Point1) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 1));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  EXPECT_EQ(Value("FileVersion"), "1.1");
  EXPECT_EQ(Value("ProductVersion"), "1.1");
  EXPECT_EQ(Value("OriginalFilename"), "Quillon_ts4.tsx");
}

TEST_F(VersionTest, ProductAndCompanyAreTheOnesTheModuleGivesTheHost) {
  PluginHost host;
  SimPlugData data{};
  simPluginGetData(PluginHost::kPlugId, &data);
  EXPECT_EQ(Value("ProductName"), data.title);
  EXPECT_EQ(Value("CompanyName"), data.author);
  EXPECT_EQ(Value("FileDescription").rfind(data.title, 0), 0u) << Value("FileDescription");
}
}  // namespace
