#include "pack/value_readers.h"

#include <gtest/gtest.h>

TEST(ValueReaders, QuotedValueKeepsWordsTogetherWithoutBlanks) {
  EXPECT_EQ(readQuotedValue("name = \"my file.txt\" x", "name"), "myfile.txt");
  EXPECT_EQ(readQuotedValue("name = my file.txt", "name"), "my");
  EXPECT_EQ(readQuotedValue("name=\"a\"b", "name"), "a");
  EXPECT_EQ(readQuotedValue("name = a]b", "name"), "a");
  EXPECT_EQ(readQuotedValue("name = ab\r", "name"), "ab");
}

TEST(ValueReaders, PlainValueDropsQuotesAndStopsAtBlank) {
  EXPECT_EQ(readPlainValue("timeline = show.txt ", "timeline"), "show.txt");
  EXPECT_EQ(readPlainValue("config = \"cfg.txt\"", "config"), "cfg.txt");
  EXPECT_EQ(readPlainValue("config =  \n x", "config"), "x");
  EXPECT_EQ(readPlainValue("config = a]", "config"), "a");
}

TEST(ValueReaders, KeyFoundInsideAnotherWordAndFirstOccurrenceCounts) {
  EXPECT_EQ(readPlainValue("myconfig = a config = b", "config"), "a");
  EXPECT_EQ(readQuotedValue("texture = t1", "text"), "t1");
}

TEST(ValueReaders, MissingKeyOrEqualsGivesEmpty) {
  EXPECT_EQ(readPlainValue("nothing here", "config"), "");
  EXPECT_EQ(readPlainValue("config value", "config"), "");
  EXPECT_EQ(readQuotedValue("config", "config"), "");
}

TEST(ValueReaders, LongValuesAreCut) {
  const std::string line = "name = " + std::string(2000, 'x');
  EXPECT_EQ(readQuotedValue(line, "name").size(), kMaxValueLength);
  EXPECT_EQ(readPlainValue(line, "name").size(), kMaxValueLength);
}
