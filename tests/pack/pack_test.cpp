#include "pack/pack.h"

#include <gtest/gtest.h>

#include <string>

#include "pack/pack_format.h"
#include "support/temp_dir.h"

namespace {

std::string entry(std::string_view name, std::string_view data) {
  std::string bytes(name);
  bytes.push_back('\0');
  const uint32_t length = static_cast<uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(length >> (8 * i)));
  return bytes.append(data);
}

std::string text(const std::vector<uint8_t>& data) { return {data.begin(), data.end()}; }

class LoadFile : public ::testing::Test {
 protected:
  void SetUp() override { resetFileLayer(); }
  void TearDown() override { resetFileLayer(); }
  TempDir dir;
  std::vector<uint8_t> data;
};

}  // namespace

TEST_F(LoadFile, DiskFileWinsOverThePack) {
  writeFile("demo.adt", "disk");
  writeFile(kPackFileName, entry("demo.adt", "pack"));
  EXPECT_EQ(loadFile("demo.adt", data), kLoadFromDisk);
  EXPECT_EQ(text(data), "disk");
  EXPECT_EQ(loadFile("./demo.adt", data), kLoadFromDisk);
}

TEST_F(LoadFile, FirstEntryContainingTheNameWins) {
  writeFile(kPackFileName, entry("show/demo.adt.bak", "first") + entry("demo.adt", "second") +
                               entry("x/demo.adt", "third"));
  EXPECT_EQ(loadFile("demo.adt", data), kLoadFromPack);
  EXPECT_EQ(text(data), "first");
  EXPECT_EQ(loadFile("x/demo", data), kLoadFromPack);
  EXPECT_EQ(text(data), "third");
  EXPECT_EQ(loadFile("mo", data), kLoadFromPack);  // shorter than the index's runs
  EXPECT_EQ(text(data), "first");
}

TEST_F(LoadFile, NameMissingFromThePackReadsAsEmpty) {
  writeFile(kPackFileName, entry("a.txt", "aaa"));
  data = {1, 2, 3};
  EXPECT_EQ(loadFile("b.txt", data), kLoadFromPack);
  EXPECT_TRUE(data.empty());
}

// The question lint asks: an empty answer from the pack is not a file.
TEST_F(LoadFile, AvailabilityTellsAMissingEntryFromAnEmptyOne) {
  EXPECT_FALSE(fileIsAvailable("a.txt"));  // no disk file, no pack
  writeFile(kPackFileName, entry("a.txt", "aaa") + entry("empty.bin", ""));
  writeFile("disk.txt", "");
  EXPECT_TRUE(fileIsAvailable("a.txt"));
  EXPECT_TRUE(fileIsAvailable("empty.bin"));
  EXPECT_TRUE(fileIsAvailable("disk.txt"));
  EXPECT_FALSE(fileIsAvailable("gone.png"));
  EXPECT_TRUE(requestedFiles().empty());
}

TEST_F(LoadFile, EmptyPackAndZeroLengthEntries) {
  writeFile(kPackFileName, "");
  EXPECT_EQ(loadFile("anything", data), kLoadFromPack);
  EXPECT_TRUE(data.empty());
  writeFile(kPackFileName, entry("empty.bin", "") + entry("full.bin", "xyz"));
  resetFileLayer();
  EXPECT_EQ(loadFile("empty.bin", data), kLoadFromPack);
  EXPECT_TRUE(data.empty());
  EXPECT_EQ(loadFile("full.bin", data), kLoadFromPack);
  EXPECT_EQ(text(data), "xyz");
}

TEST_F(LoadFile, ZeroLengthDiskFile) {
  writeFile("empty.txt", "");
  EXPECT_EQ(loadFile("empty.txt", data), kLoadFromDisk);
  EXPECT_TRUE(data.empty());
}

TEST_F(LoadFile, NoDiskFileAndNoPackIsMissing) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(loadFile("gone.txt", data), kLoadMissing);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: datafile gone.txt not found.\n");
}

TEST_F(LoadFile, MissingMessageCutsTheNameAt255) {
  testing::internal::CaptureStderr();
  loadFile(std::string(400, 'n'), data);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error: datafile " + std::string(255, 'n') + " not found.\n");
}

TEST_F(LoadFile, RequestedNamesAreKeptOnceInFirstRequestOrder) {
  writeFile("b", "");
  writeFile(kPackFileName, "");
  for (const char* name : {"b", "a", "b", "b", "c", "a"}) loadFile(name, data);
  const std::vector<std::string> expected = {"b", "a", "c"};
  EXPECT_EQ(requestedFiles(), expected);
}

TEST_F(LoadFile, TruncatedEntryGivesOnlyTheBytesPresent) {
  std::string pack = entry("a", "1234") + entry("cut.bin", "0123456789");
  pack.resize(pack.size() - 6);
  writeFile(kPackFileName, pack);
  EXPECT_EQ(loadFile("cut.bin", data), kLoadFromPack);
  EXPECT_EQ(text(data), "0123");
  EXPECT_EQ(loadFile("a", data), kLoadFromPack);
  EXPECT_EQ(text(data), "1234");
}

TEST_F(LoadFile, HugeLengthNeverAllocatesPastTheFile) {
  std::string pack = entry("big.bin", "abc");
  pack[8] = pack[9] = pack[10] = pack[11] = '\xff';  // length 0xffffffff
  writeFile(kPackFileName, pack);
  EXPECT_EQ(loadFile("big.bin", data), kLoadFromPack);
  EXPECT_EQ(text(data), "abc");
}

TEST_F(LoadFile, NameWithoutNulEndsThePack) {
  writeFile(kPackFileName, entry("a.txt", "A") + "dangling-name");
  EXPECT_EQ(loadFile("dangling", data), kLoadFromPack);
  EXPECT_TRUE(data.empty());
  EXPECT_EQ(loadFile("a.txt", data), kLoadFromPack);
  EXPECT_EQ(text(data), "A");
}

TEST_F(LoadFile, OverlongEntryNameMatchesOnItsFirst255Bytes) {
  const std::string longName = std::string(255, 'p') + "tail";
  writeFile(kPackFileName, entry(longName, "L") + entry("tail", "T"));
  EXPECT_EQ(loadFile("tail", data), kLoadFromPack);
  EXPECT_EQ(text(data), "T");
  EXPECT_EQ(loadFile("pppp", data), kLoadFromPack);
  EXPECT_EQ(text(data), "L");
}

TEST_F(LoadFile, ChangedPackIsReindexed) {
  writeFile(kPackFileName, entry("one", "1"));
  EXPECT_EQ(loadFile("one", data), kLoadFromPack);
  writeFile(kPackFileName, entry("two", "22") + entry("one", "111"));
  EXPECT_EQ(loadFile("one", data), kLoadFromPack);
  EXPECT_EQ(text(data), "111");
}

// A pack replaced by another of the same size, given the old one's
// modification time to the second, is still read afresh.
TEST_F(LoadFile, ReplacedPackOfSameSizeAndSecondIsReindexed) {
  writeFile("first.dat", entry("aaaa", "1"));
  writeFile("second.dat", entry("bbbb", "2"));
  std::filesystem::rename("first.dat", kPackFileName);
  EXPECT_EQ(loadFile("aaaa", data), kLoadFromPack);
  EXPECT_EQ(text(data), "1");
  const auto stamp = std::filesystem::last_write_time(kPackFileName);
  std::filesystem::last_write_time("second.dat", stamp);
  std::filesystem::rename("second.dat", kPackFileName);
  EXPECT_EQ(loadFile("bbbb", data), kLoadFromPack);
  EXPECT_EQ(text(data), "2");
  EXPECT_TRUE(fileIsAvailable("bbbb"));
  EXPECT_FALSE(fileIsAvailable("aaaa"));
}

TEST(PackFormat, NameProblems) {
  EXPECT_EQ(packNameProblem("ok.txt"), "");
  EXPECT_NE(packNameProblem(""), "");
  EXPECT_NE(packNameProblem(std::string(256, 'x')), "");
  EXPECT_EQ(packNameProblem(std::string(255, 'x')), "");
  EXPECT_NE(packNameProblem(std::string("a\0b", 3)), "");
}
