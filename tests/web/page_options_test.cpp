#include "web/page_options.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

PageOptions Parse(const std::vector<std::pair<std::string, std::string>>& parameters) {
  PageOptions o;
  for (const auto& [name, value] : parameters) SetPageOption(o, name, value);
  return o;
}

TEST(PageOptions, WithoutParametersTheFrameFillsItsBoxOnTheBrowsersClock) {
  const PageOptions o = Parse({{"autoplay", "1"}});
  EXPECT_FALSE(o.scripted);
  EXPECT_FALSE(o.seedGiven);
  EXPECT_FALSE(o.sizeGiven);
  EXPECT_TRUE(RefusalMessages(o).empty());
}

TEST(PageOptions, ReadsTheRenderersValuesAndTheLastOfARepeatedOne) {
  const PageOptions o = Parse({{"seed", "4294967295"},
                               {"tick-start", "4294967000"},
                               {"tick-step", "0"},
                               {"frames", "7"},
                               {"frames", "2147483647"},
                               {"size", "32767x1024"}});
  EXPECT_TRUE(o.scripted);
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_EQ(o.clock.start, 4294967000u);
  EXPECT_EQ(o.clock.step, 0u);
  EXPECT_EQ(o.frames, 2147483647u);
  EXPECT_EQ(o.width, 32767u);
  EXPECT_EQ(o.height, 1024u);
  EXPECT_TRUE(RefusalMessages(o).empty());
}

TEST(PageOptions, ASeedOrASizeAloneRunsOnTheBrowsersClock) {
  EXPECT_FALSE(Parse({{"seed", "5"}, {"size", "64x48"}}).scripted);
  EXPECT_TRUE(Parse({{"tick-step", "5"}}).scripted);
}

TEST(PageOptions, EachBadValueGivesOneLineNamingItAndWhatIsUsedInstead) {
  const std::vector<std::pair<std::vector<std::pair<std::string, std::string>>, std::string>>
      cases = {
          {{{"frames", "-1"}},
           "frames: expected a number from 0 to 2147483647, got '-1'; using 600"},
          {{{"tick-step", "1.5"}, {"frames", "3"}},
           "tick-step: expected a number from 0 to 4294967295, got '1.5'; using 16"},
          {{{"tick-start", "4294967296"}},
           "tick-start: expected a number from 0 to 4294967295, got '4294967296'; using 0"},
          {{{"seed", "a\nb"}, {"frames", "3"}},
           "seed: expected a number from 0 to 4294967295, got 'a\\nb'; using 1"},
          {{{"seed", ""}},
           "seed: expected a number from 0 to 4294967295, got ''; using a seed "
           "of its own"},
          {{{"size", "0x0"}, {"frames", "3"}},
           "size: expected WxH with 2 <= W <= 32767, 1 <= H <= 32767 and W x H <= 33554432, got "
           "'0x0'; using 640x480"},
          {{{"size", "8192x4097"}},
           "size: expected WxH with 2 <= W <= 32767, 1 <= H <= 32767 "
           "and W x H <= 33554432, got '8192x4097'; using the size of "
           "the box"},
      };
  for (const auto& [parameters, message] : cases) {
    const PageOptions o = Parse(parameters);
    EXPECT_EQ(RefusalMessages(o), std::vector<std::string>{message});
  }
}

TEST(PageOptions, ABadValueThenAGoodOneUsesTheGoodOne) {
  const PageOptions o = Parse({{"size", "x"}, {"size", "30x20"}});
  EXPECT_EQ(o.width, 30u);
  EXPECT_EQ(RefusalMessages(o)[0].substr(RefusalMessages(o)[0].find(';')), "; using 30x20");
}

TEST(PageOptions, ABoxTooLargeIsDrawnSmallerInItsProportions) {
  const std::vector<std::pair<std::pair<uint32_t, uint32_t>, std::pair<uint32_t, uint32_t>>> cases =
      {
          {{3840, 2160}, {3840, 2160}},   // fits
          {{16384, 8192}, {8192, 4096}},  // 2^27 pixels: a quarter of them
          {{60000, 100}, {32767, 54}},    // too wide
          {{0, 0}, {2, 1}},               // no box yet
          {{1, 500}, {2, 500}},
      };
  for (const auto& [box, frame] : cases) {
    uint32_t width = box.first;
    uint32_t height = box.second;
    FitPageFrame(width, height);
    EXPECT_EQ(std::make_pair(width, height), frame) << box.first << "x" << box.second;
  }
}

}  // namespace
}  // namespace orv
