// Names on disk are UTF-8 while the program's text is Windows-1252: what the program writes
// carries the UTF-8 name other programs show, and a file copied in under its Windows-1252 bytes
// is still found, read and replaced under its own name.
#include <dirent.h>
#include <sys/stat.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::TempDir;

// The raw bytes of the names in a folder, as every other program sees them.
std::vector<std::string> RawNames(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* e = readdir(dir))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
        names.push_back(e->d_name);
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

TEST(DiskNames, WhatTheProgramWritesCarriesItsUtf8Name) {
  TempDir dir;
  const std::string book = "Meine K\xFC" "che.bok";            // Windows-1252, as the program holds it
  const std::string onDisk = "Meine K\xC3\xBC" "che.bok";       // UTF-8
  const std::string folder = dir.Path() + "Men\xFC" "karten/";  // a folder the program makes
  ASSERT_TRUE(MakeDirs(folder));
  ASSERT_TRUE(WriteFileAtomic(folder + book, "Rezepte"));
  EXPECT_EQ(RawNames(dir.Path()), std::vector<std::string>{"Men\xC3\xBCkarten"});
  EXPECT_EQ(RawNames(dir.Path() + "Men\xC3\xBCkarten"), std::vector<std::string>{onDisk});
  // Read back, listed, renamed and removed under the program's own name.
  EXPECT_EQ(ListFolder(folder), std::vector<std::string>{book});
  EXPECT_TRUE(FileExists(folder + book));
  EXPECT_EQ(FileSize(folder + book), 7);
  EXPECT_EQ(test::ReadAll(folder + book), "Rezepte");
  EXPECT_EQ(FindFileNoCase(folder + "MEINE K\xFC" "CHE.BOK"), folder + book);
  ASSERT_TRUE(RenameFile(folder + book, folder + "Sonntagsmen\xFC.html"));
  EXPECT_EQ(RawNames(dir.Path() + "Men\xC3\xBCkarten"),
            std::vector<std::string>{"Sonntagsmen\xC3\xBC.html"});
  ASSERT_TRUE(RemoveFile(folder + "Sonntagsmen\xFC.html"));
  EXPECT_TRUE(RawNames(dir.Path() + "Men\xC3\xBCkarten").empty());
}

TEST(DiskNames, AFileCopiedInUnderItsWindows1252NameIsFoundAndKeepsIt) {
  TempDir dir;
  // Copied from a Windows installation: the folder and the book carry Windows-1252 bytes.
  const std::string folder = dir.Path() + "Omas B\xFC" "cher/";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  WriteRaw(folder + "K\xFC" "che.bok", "alt");
  EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"Omas B\xFC" "cher"});
  EXPECT_EQ(ListFolder(folder), std::vector<std::string>{"K\xFC" "che.bok"});
  EXPECT_TRUE(DirExists(folder));
  EXPECT_TRUE(FileExists(folder + "K\xFC" "che.bok"));
  EXPECT_EQ(test::ReadAll(folder + "K\xFC" "che.bok"), "alt");
  // Replaced in place, never beside it under a second name.
  ASSERT_TRUE(WriteFileAtomic(folder + "K\xFC" "che.bok", "neu"));
  EXPECT_EQ(RawNames(folder), std::vector<std::string>{"K\xFC" "che.bok"});
  EXPECT_EQ(test::ReadAll(folder + "K\xFC" "che.bok"), "neu");
  // A new file beside it gets the UTF-8 name, inside the Windows-1252 folder.
  ASSERT_TRUE(WriteFileAtomic(folder + "K\xFC" "che.idx", "index"));
  EXPECT_EQ(RawNames(folder),
            (std::vector<std::string>{"K\xC3\xBC" "che.idx", "K\xFC" "che.bok"}));
  EXPECT_EQ(ListFolder(folder),
            (std::vector<std::string>{"K\xFC" "che.bok", "K\xFC" "che.idx"}));
}

TEST(DiskNames, AUtf8NameWindows1252CannotHoldIsKeptByteForByte) {
  TempDir dir;
  const std::string polish = "\xC5\x81\xC3\xB3" "d\xC5\xBA.txt";  // "Łódź.txt"
  WriteRaw(dir.Path() + polish, "Pierogi");
  const std::vector<std::string> listed = ListFolder(dir.Path());
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0], polish);
  EXPECT_TRUE(FileExists(dir.Path() + listed[0]));
  EXPECT_EQ(test::ReadAll(dir.Path() + listed[0]), "Pierogi");
  // Plain ASCII passes unchanged.
  EXPECT_EQ(DiskPath("a\\b/c.txt"), "a/b/c.txt");
  EXPECT_EQ(NameFromDisk("Rezepte.bok"), "Rezepte.bok");
}

}  // namespace
}  // namespace tav
