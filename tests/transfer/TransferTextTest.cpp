#include <gtest/gtest.h>

#include "transfer/PlainFileName.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {
namespace {

TEST(TransferStatusTest, PercentRoundsHalfToEvenAndAnEmptyFileIsFull) {
  EXPECT_EQ(ProgressPercent(45, 100), 45);
  EXPECT_EQ(ProgressPercent(1, 200), 0);  // 0.5 rounds to 0
  EXPECT_EQ(ProgressPercent(3, 200), 2);  // 1.5 rounds to 2
  EXPECT_EQ(ProgressPercent(5, 200), 2);  // 2.5 rounds to 2
  EXPECT_EQ(ProgressPercent(0, 0), 100);
  EXPECT_EQ(ProgressPercent(8000, 8000), 100);
  EXPECT_EQ(ProgressPercent(uint64_t{1} << 62, uint64_t{1} << 63), 50);
}

TEST(TransferStatusTest, RateTextShowsKilobytesWithTheDecimalsTheyNeed) {
  EXPECT_EQ(RateStatus(kStatusSendingRate, 45, 100, 16000), "Sending... (45%) - 16kb per second");
  EXPECT_EQ(RateStatus(kStatusReceivingRate, 0, 7, 12345),
            "Receiving... (0%) - 12.345kb per second");
  EXPECT_EQ(RateStatus(kStatusReceivingRate, 1, 1, 500), "Receiving... (100%) - 0.5kb per second");
  EXPECT_EQ(RateStatus(kStatusSendingRate, 0, 1, 0), "Sending... (0%) - 0kb per second");
}

TEST(PlainFileNameTest, KeepsOnlyAPlainNameInsideTheChosenFolder) {
  const std::pair<std::string, std::string> cases[] = {
      {"report.pdf", "report.pdf"},
      {"../x", "x"},
      {"/etc/x", "x"},
      {"C:\\x", "x"},
      {"C:x", "x"},
      {"a\\..\\b", "b"},
      {"file.txt:stream", "stream"},
      {"..", "received.bin"},
      {"...", "received.bin"},
      {"dir/", "received.bin"},
      {"", "received.bin"},
      {"a\nb\x01"
       "c\x7f.txt",
       "abc.txt"},
      {"what?<is>*this|\".txt", "whatisthis.txt"},
      {"name. . ", "name"},
      {"CON", "_CON"},
      {"nul.txt", "_nul.txt"},
      {"com1", "_com1"},
      {"console.txt", "console.txt"},
      {"caf\u00e9 \u20ac.txt", "caf\u00e9 \u20ac.txt"},
  };
  for (const auto& [offered, plain] : cases) {
    EXPECT_EQ(PlainFileName(offered), plain) << offered;
  }
}

TEST(PlainFileNameTest, LongNamesAreShortenedKeepingTheExtension) {
  const std::string name = PlainFileName(std::string(5000, 'a') + ".tar.gz");
  EXPECT_EQ(name.size(), 255u);
  EXPECT_TRUE(name.ends_with("a.gz"));
  // Multi-byte characters are never cut in half.
  const std::string wide = PlainFileName(std::string(300, 'x') + "\u00e9\u00e9\u00e9\u00e9");
  EXPECT_LE(wide.size(), 255u);
  const std::string accents = PlainFileName([] {
    std::string s;
    for (int i = 0; i < 200; ++i) s += "\u00e9";
    return s;
  }());
  EXPECT_EQ(accents.size(), 254u);
}

}  // namespace
}  // namespace quillon::transfer
