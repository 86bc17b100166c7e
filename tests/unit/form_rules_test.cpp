// The host's arithmetic: Tab order search, scroll requests, status strip sizes.
#include <gtest/gtest.h>

#include <set>

#include "host/scroll_request.h"
#include "host/status_layout.h"
#include "host/tab_order.h"
#include "platform/window_types.h"

namespace quorl {
namespace {

namespace sb = platform::scroll;

class TabOrderTest : public ::testing::Test {
 protected:
  std::array<platform::WindowHandle, 256> table{};
  std::set<platform::WindowHandle> unusable;  // disabled or hidden

  std::optional<platform::WindowHandle> Next(platform::WindowHandle from, bool backwards) {
    return NextTabStop(table, from, backwards,
                       [this](platform::WindowHandle w) { return !unusable.count(w); });
  }
};

TEST_F(TabOrderTest, CyclesBothWaysWithWrappingPastUnusableControls) {
  table[0] = 10;
  table[1] = 11;
  table[2] = 12;
  table[7] = 17;
  EXPECT_EQ(Next(10, false), 11u);
  EXPECT_EQ(Next(11, true), 10u);
  unusable = {11, 17};
  EXPECT_EQ(Next(10, false), 12u);
  EXPECT_EQ(Next(12, false), 10u);
  EXPECT_EQ(Next(12, true), 10u);
  EXPECT_EQ(Next(10, true), 12u);
}

TEST_F(TabOrderTest, AWindowOutsideTheTableStartsAtEntryOneOrEntry254) {
  table[0] = 10;
  table[3] = 13;
  table[255] = 20;
  EXPECT_EQ(Next(99, false), 13u);  // entry 0 is not tried first
  EXPECT_EQ(Next(0, false), 13u);
  EXPECT_EQ(Next(99, true), 13u);  // entry 255 is not tried: the search starts at 254
  table[3] = 0;
  EXPECT_EQ(Next(99, false), 20u);
  EXPECT_EQ(Next(99, true), 10u);
}

TEST_F(TabOrderTest, FallsBackToEntryZeroForwardAndStaysBackward) {
  table[0] = 10;
  table[5] = 15;
  unusable = {10, 15};
  EXPECT_EQ(Next(99, false), 10u);  // nothing qualifies: entry 0 whatever it is
  EXPECT_EQ(Next(99, true), std::nullopt);
  // An empty entry 0 still takes the focus forward: no window keeps it.
  table[0] = 0;
  EXPECT_EQ(Next(15, false), 0u);
  EXPECT_EQ(Next(15, true), std::nullopt);
}

TEST(ScrollTargetTest, StepsAndClampsToTheRange) {
  ScrollRequest scroll{sb::kLineDown, 0, 5, 0, 10, 2, 4};
  EXPECT_EQ(ScrollTarget(scroll), 7);
  scroll.request = sb::kPageDown;
  EXPECT_EQ(ScrollTarget(scroll), 9);
  scroll.position = 8;
  EXPECT_EQ(ScrollTarget(scroll), 10);
  scroll.request = sb::kLineUp;
  scroll.position = 1;
  EXPECT_EQ(ScrollTarget(scroll), 0);
  scroll.request = sb::kTop;
  EXPECT_EQ(ScrollTarget(scroll), 0);
  scroll.request = sb::kBottom;
  EXPECT_EQ(ScrollTarget(scroll), 10);
  scroll.request = sb::kThumbPosition;
  scroll.thumbPosition = 6;
  EXPECT_EQ(ScrollTarget(scroll), 6);
  scroll.request = sb::kThumbTrack;
  EXPECT_EQ(ScrollTarget(scroll), std::nullopt);
  scroll.request = sb::kEndScroll;
  EXPECT_EQ(ScrollTarget(scroll), 1);
}

TEST(ScrollTargetTest, NeverWrapsRoundAtTheEndsOfTheNumbers) {
  ScrollRequest scroll{sb::kPageDown, 0, INT32_MAX - 1, 0, INT32_MAX, 1, INT32_MAX};
  EXPECT_EQ(ScrollTarget(scroll), INT32_MAX);
  scroll = {sb::kPageUp, 0, INT32_MIN + 1, INT32_MIN, 0, 1, INT32_MAX};
  EXPECT_EQ(ScrollTarget(scroll), INT32_MIN);
}

TEST(ScrollTargetTest, AReversedRangeClampsToTheMaximumFirst) {
  // Minimum 10, maximum 0: above the maximum gives the maximum, then below
  // the minimum gives the minimum.
  ScrollRequest scroll{sb::kLineDown, 0, 5, 10, 0, 1, 1};
  EXPECT_EQ(ScrollTarget(scroll), 10);
}

TEST(StatusLayoutTest, HeightFollowsTheBaseUnits) {
  EXPECT_EQ(StatusStripHeight({8, 16}), 23);
  EXPECT_EQ(StatusStripHeight({8, 8}), 23);  // never smaller
  EXPECT_EQ(StatusStripHeight({10, 20}), 28);
}

TEST(StatusLayoutTest, ClampsThePercentage) {
  EXPECT_EQ(ClampStatusPercent(-5), 0);
  EXPECT_EQ(ClampStatusPercent(-1), -1);
  EXPECT_EQ(ClampStatusPercent(150), 100);
  EXPECT_EQ(ClampStatusPercent(42), 42);
}

TEST(StatusLayoutTest, LaysOutThePanelTextAndProgressBar) {
  platform::StatusStripPaint withBar = LayoutStatusStrip(320, 23, "Loading", 50, false);
  EXPECT_TRUE(withBar.progress);
  EXPECT_EQ(withBar.progressX, 237);
  EXPECT_EQ(withBar.progressFilled, 40);
  EXPECT_EQ(withBar.panelEnd.x, 234);
  EXPECT_EQ(withBar.textRect, (platform::Rect{26, 5, 232, 23}));
  EXPECT_EQ(withBar.panelCorner.y, 19);

  platform::StatusStripPaint plain = LayoutStatusStrip(320, 23, "Busy", -1, true);
  EXPECT_FALSE(plain.progress);
  EXPECT_EQ(plain.panelEnd.x, 315);  // the panel reaches to 5 pixels from the edge
  EXPECT_EQ(plain.textRect.right, 313);
  EXPECT_EQ(plain.iconPosition.x, 2);
  EXPECT_TRUE(IsOnStatusIcon(plain, {10, 10}));
  EXPECT_FALSE(IsOnStatusIcon(plain, {20, 10}));
  EXPECT_EQ(LayoutStatusStrip(320, 23, "", 100, false).progressFilled, 80);
}

}  // namespace
}  // namespace quorl
