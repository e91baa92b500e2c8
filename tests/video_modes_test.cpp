#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/video_modes.h"

namespace {

int sortSizes(std::initializer_list<ModeSize> sizes) {
  testing::internal::CaptureStdout();
  const int kept = sortVideoModes(sizes.begin(), static_cast<int>(sizes.size()));
  testing::internal::GetCapturedStdout();
  return kept;
}

TEST(VideoModes, SortedByWidthThenHeightWithDuplicatesKept) {
  const int kept = sortSizes({{1280, 1024}, {800, 600}, {1024, 768}, {800, 600}, {1280, 720}});
  EXPECT_EQ(kept, 5);
  EXPECT_EQ(videoModeLast, 4);  // the index of the last entry, not the count
  const std::array<std::pair<int, int>, 5> order{
      {{800, 600}, {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}}};
  for (int i = 0; i <= videoModeLast; ++i) {
    EXPECT_EQ(videoModes[i].width, order[i].first) << i;
    EXPECT_EQ(videoModes[i].height, order[i].second) << i;
    EXPECT_EQ(videoModes[i].depth, 32);
    EXPECT_EQ(videoModes[i].refresh, 90);
    EXPECT_EQ(videoModes[i].key, order[i].first * 1000 + order[i].second);
  }
}

TEST(VideoModes, SmallAndHugeModesAreLeftOutAndNothingStaleStays) {
  const int kept = sortSizes({{639, 480}, {640, 400}, {640, 401}, {3000, 2000}, {2999, 999}, {2999, 1000}});
  EXPECT_EQ(kept, 2);
  EXPECT_EQ(videoModeLast, 1);
  EXPECT_EQ(videoModes[0].width, 640);
  EXPECT_EQ(videoModes[0].height, 401);
  EXPECT_EQ(videoModes[1].width, 2999);
  EXPECT_EQ(videoModes[2].width, 0);  // nothing stale past the last entry
  EXPECT_EQ(sortSizes({}), 0);
  EXPECT_EQ(videoModeLast, -1) << "an empty list has no last entry";
  EXPECT_EQ(videoModes[0].width, 0);
}

TEST(VideoModes, TheFullListCapacityIsKept) {
  std::array<ModeSize, kMaxVideoModes + 20> sizes{};
  for (size_t i = 0; i < sizes.size(); ++i) sizes[i] = {800 + static_cast<int>(i), 600};
  testing::internal::CaptureStdout();
  EXPECT_EQ(sortVideoModes(sizes.data(), static_cast<int>(sizes.size())), kMaxVideoModes);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(videoModeLast, kMaxVideoModes - 1);
  EXPECT_EQ(videoModes[kMaxVideoModes - 1].width, 800 + kMaxVideoModes - 1);
}

TEST(VideoModes, FallbackOffersTheCommonSizesThatFitTheDesktop) {
  std::array<ModeSize, 16> out{};
  int n = fallbackModeSizes(1280, 1024, out.data(), static_cast<int>(out.size()));
  ASSERT_GE(n, 3);
  for (int i = 0; i < n; ++i) {
    EXPECT_LE(out[i].width, 1280);
    EXPECT_LE(out[i].height, 1024);
  }
  EXPECT_EQ(out[0].width, 640);
  bool has800 = false;
  for (int i = 0; i < n; ++i) has800 = has800 || (out[i].width == 800 && out[i].height == 600);
  EXPECT_TRUE(has800);  // so the default configuration finds its 800-wide mode

  // A desktop smaller than every common size still gets one mode to show.
  n = fallbackModeSizes(320, 240, out.data(), static_cast<int>(out.size()));
  ASSERT_EQ(n, 1);
  EXPECT_EQ(out[0].width, 640);

  // An unknown desktop offers them all, within the capacity given.
  EXPECT_EQ(fallbackModeSizes(0, 0, out.data(), 4), 4);
  testing::internal::CaptureStdout();
  sortVideoModes(out.data(), 4);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(videoModeLast, 3);
}

}  // namespace
