#include "SafeFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(SafeFormat, ExpandsEachSpecifierWithItsArgument) {
  EXPECT_EQ(SafeFormat("No specifiers at all", {}), "No specifiers at all");
  EXPECT_EQ(SafeFormat("%d of %s", {3, std::string("tracks")}), "3 of tracks");
  EXPECT_EQ(SafeFormat("%u", {-1}), "4294967295");
  EXPECT_EQ(SafeFormat("%x/%X", {255, 255}), "ff/FF");
  EXPECT_EQ(SafeFormat("[%5d|%-4s|%05.1f]", {42, std::string("ab"), 2.25}), "[   42|ab  |002.2]");
  EXPECT_EQ(SafeFormat("%.3s", {std::string("abcdef")}), "abc");
  EXPECT_EQ(SafeFormat("100%% sure, %d%%", {7}), "100% sure, 7%");
  EXPECT_EQ(SafeFormat("%d", {1, 2}), "1") << "surplus arguments are ignored";
}

TEST(SafeFormat, RefusesSpecifiersThatDoNotMatchTheArguments) {
  EXPECT_THROW(SafeFormat("%d", {}), EFormatError);
  EXPECT_THROW(SafeFormat("%d and %d", {1}), EFormatError);
  EXPECT_THROW(SafeFormat("%s", {5}), EFormatError);
  EXPECT_THROW(SafeFormat("%d", {std::string("5")}), EFormatError);
  EXPECT_THROW(SafeFormat("%f", {5}), EFormatError);
  EXPECT_THROW(SafeFormat("%n", {5}), EFormatError) << "no writing through a specifier";
  EXPECT_THROW(SafeFormat("%ld", {5}), EFormatError) << "length modifiers are not ours to pass on";
  EXPECT_THROW(SafeFormat("trailing %", {}), EFormatError);
  EXPECT_THROW(SafeFormat("%5", {5}), EFormatError);
}

}  // namespace
