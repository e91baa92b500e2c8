#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/video_modes.h"

namespace {

int sortSizes(const ModeSize* sizes, int count) {
  testing::internal::CaptureStdout();
  const int kept = sortVideoModes(sizes, count);
  testing::internal::GetCapturedStdout();
  return kept;
}
int sortSizes(std::initializer_list<ModeSize> sizes) { return sortSizes(sizes.begin(), static_cast<int>(sizes.size())); }

// Sorted by width then height with duplicates kept; sizes under 640 x 401 or past 2999 x 1000
// left out; nothing stale past the last entry; at most the list's capacity.
TEST(VideoModes, SortedWithDuplicatesKeptAndOutOfRangeOrStaleEntriesLeftOut) {
  EXPECT_EQ(sortSizes({{1280, 1024}, {800, 600}, {1024, 768}, {800, 600}, {1280, 720}}), 5);
  EXPECT_EQ(videoModeLast, 4);  // the index of the last entry, not the count
  const std::array<std::pair<int, int>, 5> order{{{800, 600}, {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}}};
  for (int i = 0; i <= videoModeLast; ++i) {
    EXPECT_EQ(videoModes[i].width, order[i].first) << i;
    EXPECT_EQ(videoModes[i].height, order[i].second) << i;
  }
  EXPECT_EQ(sortSizes({{639, 480}, {640, 400}, {640, 401}, {3000, 2000}, {2999, 999}, {2999, 1000}}), 2);
  EXPECT_EQ(videoModes[0].height, 401);
  EXPECT_EQ(videoModes[1].width, 2999);
  EXPECT_EQ(videoModes[2].width, 0);
  EXPECT_EQ(sortSizes({}), 0);
  EXPECT_EQ(videoModeLast, -1) << "an empty list has no last entry";

  std::array<ModeSize, kMaxVideoModes + 20> many{};
  for (size_t i = 0; i < many.size(); ++i) many[i] = {800 + static_cast<int>(i), 600};
  EXPECT_EQ(sortSizes(many.data(), static_cast<int>(many.size())), kMaxVideoModes);
  EXPECT_EQ(videoModes[kMaxVideoModes - 1].width, 800 + kMaxVideoModes - 1);
}

// The common sizes that fit the desktop, 800 x 600 among them for the default configuration;
// a desktop smaller than all of them still gets 640 x 480.
TEST(VideoModes, FallbackOffersTheCommonSizesThatFitTheDesktop) {
  std::array<ModeSize, 16> out{};
  const int n = fallbackModeSizes(1280, 1024, out.data(), static_cast<int>(out.size()));
  bool has800 = false;
  for (int i = 0; i < n; ++i) {
    EXPECT_TRUE(out[i].width <= 1280 && out[i].height <= 1024) << i;
    has800 = has800 || (out[i].width == 800 && out[i].height == 600);
  }
  EXPECT_TRUE(has800);
  ASSERT_EQ(fallbackModeSizes(320, 240, out.data(), static_cast<int>(out.size())), 1);
  EXPECT_EQ(out[0].width, 640);
  EXPECT_EQ(fallbackModeSizes(0, 0, out.data(), 4), 4);
}

}  // namespace
