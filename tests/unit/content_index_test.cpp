// SPDX-License-Identifier: GPL-3.0-or-later
// The index of a game folder's skins against what a careless or hostile folder holds: damaged
// archives, names that climb out of their archive, more archives than the bounds allow, loops of
// links, skins in folders the game does not read, and a folder changed after the index was made.
#include "content/content_index.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "skin_builder.h"

namespace quill::content {
namespace {

namespace fs = std::filesystem;
using namespace testdata;

Bytes U32(std::uint32_t value) {
  return LittleEndian32(static_cast<std::int32_t>(value));
}

struct HandEntry {
  std::uint32_t size;
  std::uint32_t offset;
  std::string name;
};
// An archive written by hand, so that its manifest can lie: the header, `data`, then a manifest
// stating `count` entries (by default as many as there are).
Bytes HandArchive(const Bytes& data, const std::vector<HandEntry>& entries,
                  std::optional<std::uint32_t> count = std::nullopt) {
  Bytes archive = "FAR!byAZ"_b + U32(1) + U32(static_cast<std::uint32_t>(16 + data.size()));
  archive.append(data).append(U32(count.value_or(static_cast<std::uint32_t>(entries.size()))));
  for (const HandEntry& entry : entries) {
    archive.append(U32(entry.size)).append(U32(entry.size)).append(U32(entry.offset));
    archive.append(U32(static_cast<std::uint32_t>(entry.name.size()))).append(entry.name);
  }
  return archive;
}

class ContentIndexTest : public ::testing::Test {
 protected:
  void Put(const fs::path& file, const Bytes& bytes) {
    fs::create_directories((game_ / file).parent_path());
    std::ofstream(game_ / file, std::ios::binary) << bytes;
  }
  // Every copy of each name, in the index's order: its place, then where it belongs when the
  // game does not read it there.
  static std::vector<std::string> Places(const ContentIndex& index,
                                         const std::vector<std::string>& names) {
    std::vector<std::string> places;
    for (const std::string& name : names) {
      for (const ContentEntry& entry : index.Find(name))
        places.push_back(entry.moveTo.empty() ? entry.place : entry.place + " -> " + entry.moveTo);
    }
    return places;
  }
  platform::ScratchFolder folder_;
  fs::path game_ = folder_.path() / "game";
};

TEST_F(ContentIndexTest, ArchivesGiveWhatTheirManifestsHoldAndTheirDamageIsNoted) {
  const Bytes data = "goodbad!";  // good.bmf at 16, bad.bmf at 20; the manifest at 24
  const struct {
    Bytes archive;
    std::vector<std::string> notes;
    std::vector<std::string> places;  // of good.bmf, then bad.bmf
  } cases[] = {
      // Catches a count trusted past the manifest's end (entries read from nothing).
      {HandArchive(data, {{4, 16, "good.bmf"}}, 2),
       {"GameData/Skins/pack.far has a damaged list of contents"},
       {}},
      // Catches an entry's end not checked: its bytes would be read from past the file.
      {HandArchive(data, {{4, 16, "good.bmf"}, {4, 1000, "bad.bmf"}}),
       {"GameData/Skins/pack.far: bad.bmf: its bytes run past the manifest"},
       {"GameData/Skins/pack.far \u25b8 good.bmf"}},
      // Catches an entry overlapping the manifest kept, and one refused entry dropping the rest.
      {HandArchive(data, {{6, 20, "bad.bmf"}, {4, 16, "good.bmf"}}),
       {"GameData/Skins/pack.far: bad.bmf: its bytes run past the manifest"},
       {"GameData/Skins/pack.far \u25b8 good.bmf"}},
      // Catches a manifest offset past the end trusted.
      {"FAR!byAZ"_b + U32(1) + U32(5000) + data,
       {"GameData/Skins/pack.far is no archive the game can read"},
       {}},
      // Catches a file shorter than a header (an interrupted download) said to be unreadable,
      // which sends the player looking at permissions.
      {"FAR!", {"GameData/Skins/pack.far is no archive the game can read"}, {}},
      // Catches an entry ending exactly where the manifest starts refused (a bound off by one).
      {HandArchive(data, {{4, 16, "good.bmf"}, {4, 20, "bad.bmf"}}),
       {},
       {"GameData/Skins/pack.far \u25b8 good.bmf", "GameData/Skins/pack.far \u25b8 bad.bmf"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    Put("GameData/Skins/pack.far", c.archive);
    ContentIndex index(game_);
    index.Refresh();
    EXPECT_EQ(index.Notes(), c.notes);
    EXPECT_EQ(Places(index, {"good.bmf", "bad.bmf"}), c.places);
  }
}

// Catches a stored name used as a path: the entry is found by its last part alone, shown as
// stored, and read from the archive; nothing is written anywhere.
TEST_F(ContentIndexTest, NamesThatClimbOutOfTheirArchiveStayInIt) {
  Put("Downloads/x/pack.far",
      HandArchive("insideAB", {{6, 16, "../../evil.bmf"}, {2, 22, "a\\..\\b.bmf"}}));
  Put("evil.bmf", "outside");  // where ../../evil.bmf would lead from the archive's folder
  const auto count = [this] {
    return std::distance(fs::recursive_directory_iterator(folder_.path()),
                         fs::recursive_directory_iterator());
  };
  const auto before = count();
  ContentIndex index(game_);
  index.Refresh();
  EXPECT_EQ(Places(index, {"evil.bmf", "b.bmf"}),
            (std::vector<std::string>{"Downloads/x/pack.far \u25b8 ../../evil.bmf",
                                      "Downloads/x/pack.far \u25b8 a\\..\\b.bmf"}));
  ASSERT_EQ(index.Find("evil.bmf").size(), 1u);
  EXPECT_EQ(index.Read(index.Find("evil.bmf")[0]), "inside");
  EXPECT_EQ(index.Read(index.Find("b.bmf")[0]), "AB");
  EXPECT_EQ(count(), before);
}

// Catches the archives' bound not applied, or applied one late.
TEST_F(ContentIndexTest, ArchivesPastTheBoundAreNotSearchedAndTheIndexSaysSo) {
  for (const char* letter : {"a", "b", "c", "d", "e"})
    Put(std::string("GameData/Skins/") + letter + ".far",
        FarArchive({{std::string(letter) + ".bmf", "m"}}));
  ContentIndex index(game_, IndexBounds{.archives = 3});
  index.Refresh();
  EXPECT_EQ(index.Notes(), std::vector<std::string>{"only the first 3 archives were searched"});
  EXPECT_EQ(Places(index, {"a.bmf", "c.bmf", "d.bmf", "e.bmf"}),
            (std::vector<std::string>{"GameData/Skins/a.far \u25b8 a.bmf",
                                      "GameData/Skins/c.far \u25b8 c.bmf"}));
}

#ifndef _WIN32
// Catches a walk that does not know where it has been: links back up the tree would make it go
// round until a bound stops it, with every file many times over.
TEST_F(ContentIndexTest, LoopsOfLinksAreWalkedOnce) {
  Put("Downloads/a/s.cmx", "suit");
  Put("GameData/Skins/m.bmf", "mesh");
  fs::create_directory_symlink(game_, game_ / "Downloads/a/up");
  fs::create_directory_symlink("../Skins", game_ / "GameData/Skins/again");
  fs::create_symlink("self", game_ / "Downloads/self");
  ContentIndex index(game_);
  index.Refresh();
  EXPECT_EQ(index.Notes(), std::vector<std::string>{});
  EXPECT_EQ(Places(index, {"s.cmx", "m.bmf"}),
            (std::vector<std::string>{"Downloads/a/s.cmx", "GameData/Skins/m.bmf"}));
}
#endif

TEST_F(ContentIndexTest, LooseFilesAreReadOnlyWhereTheGameReadsThem) {
  const struct {
    const char* file;
    const char* name;
    std::vector<std::string> places;
  } cases[] = {
      // Catches a skins folder's subfolders read as the folder itself.
      {"GameData/Skins/sub/m.bmf", "m.bmf", {"GameData/Skins/sub/m.bmf -> GameData/Skins"}},
      // Catches suits deep in Downloads, which the game reads, sent elsewhere.
      {"Downloads/a/b/s.cmx", "s.cmx", {"Downloads/a/b/s.cmx"}},
      // Catches the suits' rule given to textures, which the game reads only from skins folders.
      {"Downloads/t.bmp", "t.bmp", {"Downloads/t.bmp -> GameData/Skins"}},
      // Catches a picture outside every skins folder (a lot's, a Sim's) taken for a skin.
      {"UserData/x.bmp", "x.bmp", {}},
      // Catches folders matched by their capitals: the game takes their names in any case.
      {"ExpansionShared/SKINSBUY/Big.BMP", "big.bmp", {"ExpansionShared/SKINSBUY/Big.BMP"}},
  };
  for (const auto& c : cases) Put(c.file, "skin");
  ContentIndex index(game_);
  index.Refresh();
  for (const auto& [file, name, places] : cases) EXPECT_EQ(Places(index, {name}), places) << file;
}

// Catches the stamps not compared (the index made on every card, or never again), a folder's
// change not seen, and an archive rewritten in place (its folder unchanged) not seen.
TEST_F(ContentIndexTest, IsMadeAgainOnlyWhenAFolderOrArchiveChanged) {
  Put("GameData/Skins/old.bmf", "mesh");
  Put("GameData/Skins/pack.far", FarArchive({{"one.bmf", "m"}}));
  const fs::path skins = game_ / "GameData/Skins";
  const fs::file_time_type then = fs::last_write_time(skins);
  ContentIndex index(game_);
  EXPECT_TRUE(index.Refresh());
  EXPECT_FALSE(index.Refresh());
  EXPECT_EQ(index.generation(), 1u);

  Put("GameData/Skins/new.bmf", "mesh");
  // Set, as folder times may be coarser than a test is quick. Where the system sets no folder's
  // time (Windows), the file is made again until its folder's time has moved on.
  std::error_code refused;
  fs::last_write_time(skins, then + std::chrono::seconds(10), refused);
  while (refused && fs::last_write_time(skins) == then) {
    fs::remove(skins / "new.bmf");
    Put("GameData/Skins/new.bmf", "mesh");
  }
  EXPECT_TRUE(index.Refresh());
  EXPECT_EQ(Places(index, {"new.bmf"}), std::vector<std::string>{"GameData/Skins/new.bmf"});
  EXPECT_FALSE(index.Refresh());

  const fs::file_time_type archived = fs::last_write_time(skins / "pack.far");
  Put("GameData/Skins/pack.far", FarArchive({{"two.bmf", "mm"}}));
  fs::last_write_time(skins / "pack.far", archived + std::chrono::seconds(10));
  EXPECT_TRUE(index.Refresh());
  EXPECT_EQ(Places(index, {"one.bmf", "two.bmf"}),
            std::vector<std::string>{"GameData/Skins/pack.far \u25b8 two.bmf"});
  EXPECT_EQ(index.generation(), 3u);
}

}  // namespace
}  // namespace quill::content
