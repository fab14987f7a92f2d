// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a player starts it: its command line without a display, and how it ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QProcess>
#include <fstream>

#include "character_builder.h"
#include "family_export_builder.h"
#include "game_folder_builder.h"
#include "neighbourhood_builder.h"
#include "platform/files.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

const std::string kUsage = std::string("Usage: ") + QUILLMERE_BINARY + " [options] [FOLDER|FILE]\n";
// What --check and --render say when no game folder is found.
const std::string kNoGame =
    "quillmere: No game folder was found, so the skins cannot be checked (looked in the folder "
    "above your characters folder, the game's registry in ~/.wine (or WINEPREFIX) or any Lutris, "
    "Bottles, PlayOnLinux or Steam prefix, The Sims Legacy Collection in any Steam library, and "
    "the EA app's folder in any of those prefixes). Name it with --game FOLDER: the folder that "
    "holds GameData/Behavior.iff.\n";

QString Text(const fs::path& path) {
  return QString::fromStdString(path.string());
}

class Program : public ::testing::Test {
 protected:
  Program() {
    fs::create_directory(base());
    fs::permissions(base(), fs::perms::owner_all);  // as a runtime folder is
    testdata::WriteSampleCharacters(sims());
    fs::create_directories(sims() / "sub");
    fs::create_directory_symlink(sims() / "sub", root() / "hop");
    fs::create_directories(locked());
    fs::permissions(locked(), fs::perms::none);
    for (const char* name : {"caf\xe9/User1.iff", "odd/User\tA\nB"}) {
      fs::create_directories((root() / name).parent_path());
      fs::copy_file(sims() / "User00000.iff", root() / name);
    }
  }
  ~Program() override { fs::permissions(locked(), fs::perms::owner_all); }
  const fs::path& root() const { return root_.path(); }
  fs::path base() const { return root() / "runtime"; }
  fs::path sims() const { return root() / "sims"; }
  fs::path locked() const { return root() / "locked"; }

  // Each row: the arguments, the exit code, and standard output and standard error whole.
  // Answered without a window, leaving no scratch folder behind.
  using Answer = std::tuple<QStringList, int, std::string, std::string>;
  // An answer: exit status 0, `out` on standard output, nothing on standard error.
  static Answer Answered(const QStringList& arguments, const std::string& out) {
    return {arguments, 0, out, ""};
  }
  // A refusal: exit status 2, nothing on standard output, `err` on standard error.
  static Answer Refused(const QStringList& arguments, const std::string& err) {
    return {arguments, 2, "", err};
  }
  // A command line refused with the usage line after the reason why.
  static Answer Misused(const QStringList& arguments, const std::string& why) {
    return Refused(arguments, "quillmere: " + why + "\n" + kUsage);
  }
  // The saved game and the sample game folder in root()/game, which this returns.
  fs::path Game() const {
    testdata::WriteSavedGame(root() / "game");
    testdata::WriteSampleGameFolder(root() / "game");
    return root() / "game";
  }
  template <std::size_t N>
  void expectAnswers(const Answer (&cases)[N]) {
    for (const auto& [arguments, exitCode, out, err] : cases) {
      QProcess program;
      start(program, arguments);
      ASSERT_TRUE(program.waitForFinished());
      const std::string what = arguments.join(' ').toStdString();
      EXPECT_EQ(program.exitCode(), exitCode) << what;
      EXPECT_EQ(program.readAllStandardOutput().toStdString(), out) << what;
      EXPECT_EQ(program.readAllStandardError().toStdString(), err) << what;
      EXPECT_TRUE(fs::is_empty(base())) << what;
    }
  }

  // Started in sims(), in a home without the game, with scratch folders made in base(), for a
  // Japanese player; a window on an offscreen screen, an answer with no display at all.
  // `lastBytes`, a printf format, adds an argument of any bytes. Root's power to read any folder
  // is dropped, as a player has none.
  void start(QProcess& program, const QStringList& arguments, bool window = false,
             const char* lastBytes = nullptr) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WINEPREFIX", "QT_QPA_PLATFORM",
                             "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
      env.remove(QString::fromLatin1(name));
    env.insert("LANG", "ja_JP.UTF-8");
    if (window) env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", Text(root()));
    env.insert("XDG_RUNTIME_DIR", Text(base()));
    for (const auto& [name, value] : environment_) env.insert(name, value);
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(Text(sims()));
    QStringList command = launcher_ + QStringList{QUILLMERE_BINARY} + arguments;
    if (lastBytes)
      command = QStringList{"sh", "-c", R"sh(exec "$@" "$(printf "$0")")sh", lastBytes} + command;
    if (::geteuid() == 0)
      command =
          QStringList{"setpriv", "--bounding-set=-dac_override,-dac_read_search", "--"} + command;
    program.start(command.takeFirst(), command);
    ASSERT_TRUE(program.waitForStarted());
  }

  // Set in the environment of the programs started after the defaults above.
  std::vector<std::pair<QString, QString>> environment_;
  // The command the program is started through, if any.
  QStringList launcher_;

  // The scratch folder a running viewer has made; nothing when it has ended first.
  fs::path scratchOf(QProcess& program) const {
    const std::string id = std::to_string(program.processId());
    for (int tries = 0; tries < 5000; ++tries) {
      for (const auto& entry : fs::directory_iterator(base()))
        if (platform::ReadWholeFile(entry.path() / "quillmere.pid") == id) return entry.path();
      if (program.waitForFinished(2)) return {};
    }
    ADD_FAILURE() << "no scratch folder";
    return {};
  }

 private:
  platform::ScratchFolder root_;
};

TEST_F(Program, AnswersWithoutADisplay) {
  const std::string missing = (root() / "missing").string();
  const std::string cannot = "quillmere: cannot read the folder ";
  const std::string help =
      kUsage +
      "Shows the Sims kept in the character files of The Sims.\n\n"
      "Options:\n"
      "  -h, --help         Displays this help.\n"
      "  -v, --version      Displays version information.\n"
      "  --list             Print the Sims of FOLDER (by default the folder the window\n"
      "                     opens at start-up), one line per character file: file name,\n"
      "                     a tab, Sim name.\n"
      "  --json             With --list: one JSON object per Sim instead, with what\n"
      "                     the neighbourhood knows of it (family, species, age, star\n"
      "                     sign, career, personality, skills, friends).\n"
      "  --language <LANG>  Show the Sims' names and descriptions in LANG (a locale\n"
      "                     name such as fr, de_DE, ja, zh_TW or pt_BR) where a file\n"
      "                     holds that language, else in US English. By default the\n"
      "                     language the game runs in, else the one the files' names\n"
      "                     are in.\n"
      "  --check            Check whether each Sim of FOLDER, FILE or FAMILY.FAM would\n"
      "                     look right in the game: one line per missing or unusable\n"
      "                     skin file (file, a tab, Sim, a tab, part, a tab, problem).\n"
      "                     Exits 1 when any Sim would not look right.\n"
      "  --game <FOLDER>    The game's folder, which holds GameData/Behavior.iff,\n"
      "                     whose skins the Sims' looks are checked against. By default\n"
      "                     the one the registry or the Sims' folder names.\n"
      "  --render           Draw the Sim of FILE, or a member of FAMILY.FAM, in 3D as\n"
      "                     the game would dress it, into the PNG file --out names,\n"
      "                     without a window. Exits 1 when nothing of the Sim can be\n"
      "                     drawn.\n"
      "  --member <N>       With --render: the member of FAMILY.FAM to draw, counted\n"
      "                     from 1 as --list shows them (by default 1).\n"
      "  --outfit <NAME>    With --render: the outfit the Sim wears: everyday, formal,\n"
      "                     swimwear, pyjamas, winter, costume or high-fashion (by\n"
      "                     default everyday).\n"
      "  --size <WxH>       With --render: the picture's width and height in pixels,\n"
      "                     each 16 to 4096 (by default 400x600).\n"
      "  --out <PNG>        With --render: the PNG file to write; a file that exists\n"
      "                     is never replaced.\n"
      "  --thumbnail        Given INPUT OUTPUT SIZE, for file managers: write the new\n"
      "                     PNG file OUTPUT, at most SIZE pixels a side (1 to 1024),\n"
      "                     from the portrait the character file or family export INPUT\n"
      "                     holds, else from its (first) Sim drawn as --render draws\n"
      "                     it.\n\n"
      "Arguments:\n"
      "  path               A folder to open, or a character file to show.\n";
  // All but the last name, which is in the language chosen.
  const std::string roster =
      "User00000.iff\tAda Thornbury\nUser00001.iff\tBram Okonkwo\nUser00002.iff\tCeleste "
      "Marchetti\nUser00003.iff\tDmitri Vale\nUser00004.iff\tEsme Quillfeather\nUser00005.iff\t"
      "Felix Nakamura-Reyes\nUser00006.iff\tGwendolyn Ash\nUser00007.iff\t";
  const Answer cases[] = {
      {{"--help"}, 0, help, ""},
      {{"--version"}, 0, "Quillmere 1.0\n", ""},
      // The Japanese desktop gives way to the files, whose names are in US English.
      {{"--list", Text(sims())}, 0, roster + "Marigold Fenwick\n", ""},
      {{"--list", "--language", "ja", Text(sims())}, 0, roster + "マリーゴールド\n", ""},
      Misused({"--language", "xx"}, "unknown language 'xx'"),
      // An over-long value is cut in the message.
      Misused({"--language", QString(100, 'x')},
              "unknown language '" + std::string(40, 'x') + "\u2026'"),
      {{"--list"}, 0, roster + "Marigold Fenwick\n", ""},
      Refused({"--list", Text(missing)}, cannot + missing + "\n"),
      Refused({"--list", Text(locked())}, cannot + locked().string() + "\n"),
      {{"--list", Text(root() / "hop" / "..")}, 0, roster + "Marigold Fenwick\n", ""},
      {{"--list", Text(root() / "odd")}, 0, "User\u2409A\u240aB\tAda Thornbury\n", ""},
      Misused({"--bogus"}, "Unknown option 'bogus'."),
      Misused({"--json"}, "--json needs --list"),
      Misused({"one", "two"}, "more than one path given: 'two'"),
  };
  expectAnswers(cases);
}

TEST_F(Program, TheWindowOpensItsPathAsTheSystemPassedItElseSaysWhy) {
  // The arguments, a last argument's bytes as a printf format, and what the viewer says.
  const std::string cannot = "quillmere: Cannot open ";
  const std::tuple<QStringList, const char*, std::string> cases[] = {
      {{}, "../caf\\351", ""},
      {{}, "../caf\\351/User1.iff", ""},
      {{Text(locked())},
       nullptr,
       cannot + "the folder \"" + locked().string() + "\": it cannot be read.\n"},
      {{"--", "-style=bogus"},
       nullptr,
       cannot + "\"-style=bogus\": there is no such folder or file.\n"},
  };
  for (const auto& [arguments, lastBytes, told] : cases) {
    QProcess viewer;
    start(viewer, arguments, true, lastBytes);
    scratchOf(viewer);
    viewer.terminate();
    ASSERT_TRUE(viewer.waitForFinished());
    // Said first (before anything Qt says) and said once.
    const std::string err = viewer.readAllStandardError().toStdString();
    EXPECT_EQ(err.substr(0, told.size()), told);
    EXPECT_EQ(err.find("quillmere: ", told.size()), std::string::npos) << err;
  }
}

TEST_F(Program, ReportsWriteErrorsAndLeavesNothingBehindWhenItsReaderGoesAway) {
  // A family export's listing to a full disk exited 0.
  testdata::FamilyExportFile(testdata::FamilyOfFour()).write(root() / "Pemberton.FAM");
  for (const QStringList& arguments :
       {QStringList{"--list"}, QStringList{"--list", Text(root() / "Pemberton.FAM")}}) {
    QProcess full;
    full.setStandardOutputFile("/dev/full");
    start(full, arguments);
    ASSERT_TRUE(full.waitForFinished());
    EXPECT_EQ(full.exitCode(), 1) << arguments.join(' ').toStdString();
    EXPECT_EQ(full.readAllStandardError(),
              "quillmere: cannot write the output: No space left on device\n");
  }
  QProcess gone;
  start(gone, {"--list"});
  gone.closeReadChannel(QProcess::StandardOutput);
  ASSERT_TRUE(gone.waitForFinished());
  EXPECT_TRUE(fs::is_empty(base()));
}

TEST_F(Program, ListsWhoEachSimIsAsJson) {
  QProcess program;
  start(program, {"--list", "--json", Text(Game() / "UserData" / "Characters")});
  ASSERT_TRUE(program.waitForFinished());
  const QStringList lines = QString::fromUtf8(program.readAllStandardOutput()).split('\n');
  ASSERT_EQ(lines.size(), 8);  // seven Sims and the last line's end
  // The adult with friends in and out of the family, the dog, the lone Sim, the Sim of no record.
  const std::pair<int, const char*> expected[] = {
      {0,
       R"({"file":"User00000.iff","name":"Ada Thornbury","family":"Thornbury","species":"human",)"
       R"("gender":"female","age":"adult","sign":"Virgo","career":"Military","level":2,)"
       R"("performance":40,"personality":{"neat":8,"outgoing":3,"active":6,"playful":3,"nice":4},)"
       R"("skills":{"cooking":4,"mechanical":1,"charisma":0,"body":7,"logic":2,"creativity":9},)"
       R"("friends":["Bram Thornbury","Gwendolyn Ash"],"looks":)"},
      {3,
       R"({"file":"User00003.iff","name":"Biscuit","family":"Thornbury","species":"dog",)"
       R"("gender":"male","age":null,"sign":null,"career":null,"level":null,)"
       R"("performance":null,"personality":{"quiet":1,"friendly":9,"playful":8,"smart":3,"loyal":10},)"
       R"("skills":{"house_breaking":7,"tricks":3,"obedience":1},"friends":["Pip Thornbury"],)"
       R"("looks":)"},
      {5,
       R"({"file":"User00005.iff","name":"Gwendolyn Ash","family":null,"species":"human",)"
       R"("gender":"female","age":"adult","sign":"Cancer","career":"Science","level":5,)"
       R"("performance":100,"personality":{"neat":5,"outgoing":5,"active":5,"playful":5,"nice":5},)"
       R"("skills":{"cooking":0,"mechanical":0,"charisma":0,"body":0,"logic":10,"creativity":0},)"
       R"("friends":["Ada Thornbury"],"looks":)"},
      {6,
       R"({"file":"User00006.iff","name":"Dmitri Vale","family":null,"species":null,"gender":null,)"
       R"("age":null,"sign":null,"career":null,"level":null,"performance":null,)"
       R"("personality":null,"skills":null,"friends":null,"looks":)"},
  };
  for (const auto& [line, json] : expected) EXPECT_TRUE(lines[line].startsWith(json)) << line;
  EXPECT_TRUE(lines[2].contains(R"("age":"kid","sign":"Pisces","career":"School","level":"B+")"));
  // Each part with the files it came from, loose and archived, or its problem with its code;
  // catches a part paired with another body string's check, or files and problems swapped.
  const char* ada =
      R"j("looks":{"skeleton":{"name":"adult","files":{"suit":"GameData/Skins/adult-skeleton.cmx",)j"
      R"j("mesh":[],"texture":[]},"problems":[]},"body":{"mesh":"b001fafit_01","texture":)j"
      R"j("b001fafitlgt_01","files":{"suit":"GameData/Skins/b001fafit_01.cmx","mesh":)j"
      R"j(["GameData/Skins/xskin-b001fafit_01-PELVIS-BODY.bmf"],"texture":)j"
      R"j(["GameData/Skins/b001fafitlgt_01.bmp"]},"problems":[]},"head":{"mesh":"c001fa_ada",)j"
      R"j("texture":"c001falgt_ada","files":{"suit":"GameData/Skins/c001fa_ada.cmx","mesh":)j"
      R"j(["GameData/Skins/xskin-c001fa_ada-HEAD-HEAD.bmf"],"texture":)j"
      R"j(["GameData/Skins/c001falgt_ada.bmp"]},"problems":[]},"skin_tone":"lgt","outfits":)j"
      R"j([{"mesh":"HFLO","texture":"huaolgt","part":"left hand (open)","files":{"suit":)j"
      R"j("GameData/Skins/HFLO.cmx","mesh":["GameData/Skins/xskin-HFLO-L_HAND-HAND.bmf"],)j"
      R"j("texture":["GameData/Skins/huaolgt.bmp"]},"problems":[]},{"mesh":"b101fafml_01",)j"
      R"j("texture":"b101fafmllgt_01","part":"formal","files":{"suit":)j"
      R"j("GameData/Skins/skins.far ▸ suits/b101fafml_01.cmx.bcf","mesh":)j"
      R"j(["GameData/Skins/skins.far ▸ meshes/xskin-b101fafml_01-BODY.bmf"],"texture":)j"
      R"j(["GameData/Skins/skins.far ▸ b101fafmllgt_01.bmp"]},"problems":[]}],)j"
      R"j("summary":"looks right in the game"}})j";
  EXPECT_TRUE(lines[0].endsWith(QString::fromUtf8(ada)));
  const char* bram =
      R"j("head":{"mesh":"c002ma_bram","texture":"c002mamed_bram","files":{"suit":)j"
      R"j("GameData/Skins/c002ma_bram.cmx","mesh":[],"texture":["GameData/Skins/c002mamed_bram.bmp"]},)j"
      R"j("problems":[{"code":"in-subfolder","text":"`GameData/Skins/Bram/xskin-c002ma_bram-HEAD-HEAD.bmf`)j"
      R"j( lies in a folder the game does not read: move it to `GameData/Skins`"}]},"skin_tone":"med",)j"
      R"j("outfits":[],"summary":"would be headless: `GameData/Skins/Bram/xskin-c002ma_bram-HEAD-HEAD.bmf`)j"
      R"j( lies in a folder the game does not read: move it to `GameData/Skins`"}})j";
  EXPECT_TRUE(lines[1].endsWith(QString::fromUtf8(bram)));
}

// The program's side of the skins check (the built game's cases are the check's own test): the
// exit status of a Sim that would not look right, of one that would, and of no game found, and
// --game taking the place of the search.
TEST_F(Program, ChecksEachSimsSkinsAgainstTheGame) {
  const fs::path game = Game();
  const std::string tail = " checked against the game in " + game.string() + ": ";
  expectAnswers({
      {{"--check", Text(game / "UserData" / "Characters" / "User00002.iff")},
       1,
       "User00002.iff\tPip Thornbury\tbody\tnot-8-bit: `GameData/Skins/b003fcfitlgt_01.bmp` has "
       "24-bit colour: the game shows it white; it needs 8-bit colour with a palette\n"
       "User00002.iff\tPip Thornbury\thead\tbad-size: `GameData/Skins/c003fclgt_pip.bmp` is 100 "
       "× 100 pixels: the game needs a square of 64, 128 or 256 pixels a side\n",
       "quillmere: 1 Sim" + tail + "1 would not look right\n"},
      {{"--check", Text(game / "UserData" / "Characters" / "User00000.iff")},
       0,
       "",
       "quillmere: 1 Sim" + tail + "all would look right\n"},
      // The sample Sims lie outside every game: the game is named, or not found at all.
      {{"--check", "--game", Text(game), Text(sims())},
       0,
       "",
       "quillmere: 8 Sims" + tail + "all would look right\n"},
      Refused({"--game=" + Text(root() / "nowhere"), "--check", Text(sims())},
              "quillmere: cannot read the game folder " + (root() / "nowhere").string() + "\n"),
      Refused({"--check", Text(sims())}, kNoGame),
  });
}

// What --render and --thumbnail refuse, each before any file is made. Catches the size's bounds
// off by one or a side left unchecked, a member counted from 0, an outfit name or a missing --out
// let through, --member taken for a character file, a family's members miscounted, and an outfit
// the Sim does not wear drawn as its everyday one. A Sim is drawn into a new PNG file of the size
// asked for, and nothing written over what has the name or when nothing can be drawn: catches
// width and height swapped, the largest side refused, a save that replaces a file or writes where
// a link points, and a file (of background alone) written when no game is found or the Sim's
// skeleton is nowhere.
TEST_F(Program, DrawsASimIntoANewPngFileOnlyAndRefusesPicturesItCannotMake) {
  const fs::path game = Game();
  testdata::FamilyExportFile(testdata::FamilyOfFour()).write(root() / "Pemberton.FAM");
  testdata::LookalikeExtras horse;
  horse.looks = testdata::LooksSpec{};
  horse.looks->skeleton = "horse";
  testdata::LookalikeCharacter("Dobbin", "Neighs.", {}, horse)
      .write(game / "UserData" / "Characters" / "User00009.iff");
  const QString ada = Text(game / "UserData" / "Characters" / "User00000.iff");
  std::ofstream(root() / "kept.png") << "kept";
  fs::create_symlink(root() / "elsewhere.png", root() / "link.png");
  const fs::path none = root() / "none.png";
  const QString out = Text(none);
  const auto render = [&out](const QString& file, const QStringList& more) {
    return QStringList{"--render", file, "--out", out} + more;
  };
  const std::string size = "': give WIDTHxHEIGHT, each 16 to 4096";
  const Answer cases[] = {
      Misused(render(ada, {"--size", "0x10"}), "bad size '0x10" + size),
      Misused(render(ada, {"--size", "10"}), "bad size '10" + size),
      Misused(render(ada, {"--size", "5000x10"}), "bad size '5000x10" + size),
      Misused(render(ada, {"--member", "0"}), "bad member '0': give a number from 1"),
      Misused(render(ada, {"--outfit", "tuxedo"}),
              "unknown outfit 'tuxedo': give everyday, formal, swimwear, pyjamas, winter, "
              "costume or high-fashion"),
      Misused({"--render", ada}, "--render needs --out PNG"),
      Misused({"--size", "20x20", ada}, "--size needs --render"),
      Misused({"--thumbnail", ada, out}, "--thumbnail needs INPUT, OUTPUT and SIZE"),
      Misused({"--thumbnail", ada, out, "1025"}, "bad thumbnail size '1025': give 1 to 1024"),
      Refused(render(ada, {"--member", "2"}),
              "quillmere: User00000.iff is a character file, "
              "which holds one Sim: --member can only be 1\n"),
      Refused(render(Text(root() / "Pemberton.FAM"), {"--member", "5"}),
              "quillmere: Pemberton.FAM has no member 5: it has 4\n"),
      Refused(render(ada, {"--outfit", "Swimwear"}),
              "quillmere: Ada Thornbury has no swimwear outfit; it has everyday, formal\n"),
      {{"--render", ada, "--size", "16x4096", "--out", Text(root() / "ada.png")}, 0, "", ""},
      Refused(
          {"--render", ada, "--out", Text(root() / "kept.png")},
          "quillmere: " + (root() / "kept.png").string() + " already exists; it is not replaced\n"),
      Refused(
          {"--render", ada, "--out", Text(root() / "link.png")},
          "quillmere: " + (root() / "link.png").string() + " already exists; it is not replaced\n"),
      {render(Text(sims() / "User00000.iff"), {}), 1, "", kNoGame},
      {render(Text(game / "UserData" / "Characters" / "User00009.iff"), {}), 1, "",
       "quillmere: User00009.iff: Dobbin: nothing can be drawn: would not look right: no "
       "skeleton `horse` is installed\n"},
  };
  expectAnswers(cases);
  EXPECT_EQ(QImage(Text(root() / "ada.png")).size(), QSize(16, 4096));
  EXPECT_EQ(platform::ReadWholeFile(root() / "kept.png"), "kept");
  EXPECT_FALSE(fs::exists(root() / "elsewhere.png"));
  EXPECT_FALSE(fs::exists(none));
}

// The thumbnail a file manager is given: a character file's large speech picture (32 x 32)
// enlarged without smoothing, and a family export's larger house picture (128 x 96, blue; the
// smaller is red) made to fit with its shape kept. Catches another of the file's pictures taken,
// smoothing that blurs the pixel art's edges (row 51 is the backdrop's, row 52 the shirt's), the
// shape lost, and the smaller house picture shown.
TEST_F(Program, MakesThumbnailsFromTheStoredPortraits) {
  const testdata::SimLook look{{200, 150, 120}, {10, 20, 30}, {0, 128, 255}, {250, 240, 200}};
  testdata::LookalikeCharacter("Ada", "Poses.", look).write(root() / "User00001.iff");
  testdata::ExportSpec family = testdata::FamilyOfFour();
  family.house = std::pair{testdata::Rgb{255, 0, 0}, testdata::Rgb{0, 0, 255}};
  testdata::FamilyExportFile(family).write(root() / "Pemberton.FAM");
  struct Pixel {
    int x, y;
    QRgb colour;
  };
  const std::tuple<const char*, QSize, std::vector<Pixel>> kCases[] = {
      {"User00001.iff",
       QSize(64, 64),
       {{0, 0, qRgb(250, 240, 200)}, {32, 51, qRgb(250, 240, 200)}, {32, 52, qRgb(0, 128, 255)}}},
      {"Pemberton.FAM", QSize(64, 48), {{0, 0, qRgb(0, 0, 255)}, {63, 47, qRgb(0, 0, 255)}}},
  };
  for (const auto& [input, size, pixels] : kCases) {
    const fs::path out = root() / (std::string(input) + ".png");
    const Answer made[] = {{{"--thumbnail", Text(root() / input), Text(out), "64"}, 0, "", ""}};
    expectAnswers(made);
    const QImage thumbnail(Text(out));
    EXPECT_EQ(thumbnail.size(), size) << input;
    for (const Pixel& pixel : pixels)
      EXPECT_EQ(thumbnail.pixel(pixel.x, pixel.y), pixel.colour) << input << pixel.x << pixel.y;
  }
}

TEST_F(Program, EndsAsCloseDoesWhenAskedToInTheMiddleOfTheRoster) {
  // Files of many chunks, so that the roster pass takes a while and lets events run often.
  testdata::CharacterFile slow;
  slow.add({"CTSS", 1, 0x10, "", testdata::NameAndDescription("Ada", "Slow"), {}, {}});
  for (int chunk = 0; chunk < 900; ++chunk) slow.add({"XXXX", 1, 0x10, "", "", {}, {}});
  for (int file = 0; file < 300; ++file) slow.write(sims() / ("Slow" + std::to_string(file)));

  for (const bool window : {true, false}) {
    for (const char* signal : {"TERM", "INT", "HUP"}) {
      QProcess viewer;
      start(viewer, window ? QStringList{} : QStringList{"--list"}, window);
      scratchOf(viewer);
      if (viewer.state() == QProcess::Running)
        QProcess::execute("kill", {"-s", signal, QString::number(viewer.processId())});
      viewer.waitForFinished();
      ASSERT_EQ(viewer.state(), QProcess::NotRunning) << signal;
      // Ended by the signal, after cleaning up; a listing may have ended first by itself.
      EXPECT_TRUE(viewer.exitStatus() == QProcess::CrashExit || (!window && viewer.exitCode() == 0))
          << signal;
      EXPECT_TRUE(fs::is_empty(base())) << signal;
    }
  }
}

TEST_F(Program, NextStartRemovesOnlyScratchFoldersOfDeadRuns) {
  QProcess live;
  QProcess killed;
  start(live, {}, true);
  const fs::path liveFolder = scratchOf(live);
  start(killed, {}, true);
  const fs::path deadFolder = scratchOf(killed);
  const std::string deadId = std::to_string(killed.processId());
  killed.kill();
  killed.waitForFinished();
  // Look-alikes that are not ours to remove.
  const fs::path others[] = {base() / "quillmere-unmarked", base() / "quillmere-file",
                             base() / "other"};
  fs::create_directory(others[0]);
  std::ofstream(others[1]) << deadId;
  fs::create_directory(others[2]);
  std::ofstream(others[2] / "quillmere.pid") << deadId;
  // A live run whose process this one cannot see, in another PID namespace.
  const platform::ScratchFolder elsewhere(base());
  std::ofstream(elsewhere.path() / "quillmere.pid") << deadId;

  QProcess next;
  start(next, {"--list", Text(sims())});
  ASSERT_TRUE(next.waitForFinished());
  EXPECT_FALSE(fs::exists(deadFolder));
  EXPECT_TRUE(fs::exists(liveFolder / "quillmere.pid"));
  for (const fs::path& other : others) EXPECT_TRUE(fs::exists(other)) << other;
  EXPECT_TRUE(fs::exists(elsewhere.path()));
  live.terminate();
  ASSERT_TRUE(live.waitForFinished());
  EXPECT_FALSE(fs::exists(liveFolder));
}

// Catches an export's member or file names printed with control characters raw (one member took
// three lines and could colour the terminal), and a 76-byte character file whose one chunk has
// size 0 holding --list --json for ever. (Pemberton.FAM's plain listing is the language test's.)
TEST_F(Program, ListsTheMembersOfAFamilyExportAndHostileFilesOnOneLineEach) {
  testdata::WriteSampleFamilies(root() / "export", root() / "import");
  fs::copy_file(sims() / "User00000.iff", root() / "import" / "Ada.FAM");
  // The dog of the old layout alone: a pet's line has no career, level or performance.
  testdata::ExportSpec dog = testdata::FamilyOfFour(true);
  dog.members.erase(dog.members.begin(), dog.members.begin() + 3);
  testdata::FamilyExportFile(dog).write(root() / "import" / "Dog.FAM");
  const std::string biscuit =
      R"({"file":"Dog.FAM","name":"Biscuit","family":"Pemberton","species":"dog","gender":"male",)"
      R"("age":null,"sign":null,"career":null,"level":null,"performance":null,"personality":)"
      R"({"quiet":3,"friendly":8,"playful":7,"smart":9,"loyal":10},"skills":{"house_breaking":5,)"
      R"("tricks":3,"obedience":2},"friends":[],"member":1,"looks":{"skeleton":{"name":"dog",)"
      R"("files":null,"problems":null},"body":{"mesh":"uaa012dog_brown","texture":"uaa012dogbrown",)"
      R"("files":null,"problems":null},"head":null,"skin_tone":"unk","outfits":[],"summary":null}})"
      "\n";
  const fs::path notAFamily = root() / "import" / "Ada.FAM";
  fs::create_directory(root() / "tiny");
  std::ofstream(root() / "tiny" / "User1.iff", std::ios::binary)
      << testdata::FileHeader() + "XXXX" + std::string(8, '\0');
  testdata::ExportSpec exported = testdata::FamilyOfFour();
  exported.members.resize(1);
  exported.members[0].record.name = "Tab\tNew\nLine\x1B[31m";
  const fs::path odd = root() / "Odd\tName\x1B.FAM";
  testdata::FamilyExportFile(exported).write(odd);
  const Answer cases[] = {
      Answered({"--list", "--json", Text(root() / "import" / "Dog.FAM")}, biscuit),
      {{"--list", Text(root() / "import" / "Damaged.FAM")},
       0,
       "Damaged.FAM\t1\tHarriet\nDamaged.FAM\t2\tClement\nDamaged.FAM\t3\tWren\n"
       "Damaged.FAM\t4\tBiscuit\n",
       "quillmere: Damaged.FAM: The family export is damaged; what follows the damage is "
       "missing.\n"},
      Refused({"--list", Text(notAFamily)},
              "quillmere: cannot read the family export " + notAFamily.string() + "\n"),
      Answered(
          {"--list", "--json", Text(root() / "tiny")},
          R"({"file":"User1.iff","name":"Bad File","family":null,"species":null,"gender":null,)"
          R"("age":null,"sign":null,"career":null,"level":null,"performance":null,)"
          R"("personality":null,"skills":null,"friends":null,"looks":null})"
          "\n"),
      Answered({"--list", Text(odd)},
               "Odd\u2409Name\u241B.FAM\t1\tTab\u2409New\u240ALine\u241B[31m\n"),
  };
  expectAnswers(cases);
}

// A Wine prefix whose `file` (user.reg or system.reg) holds `keys`, with drive C: linked.
fs::path WritePrefix(const fs::path& prefix, const char* file, const std::string& keys) {
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
  std::ofstream(prefix / file) << "WINE REGISTRY Version 2\n#arch=win64\n\n" << keys;
  return prefix;
}

// The built cases of a player whose desktop's language is not the game's. Each row: the
// environment, the arguments and the whole standard output. Catches the slot taken from the
// desktop's locale, the registry's language ignored or read from the wrong key, the files'
// evidence taking precedence over the registry or over --language, and a family export's members
// not counted.
TEST_F(Program, ShowsTheNamesThePlayersOwnGameShows) {
  testdata::WritePlayedSims(root() / "played");
  const fs::path german =
      WritePrefix(root() / "german", "system.reg",
                  "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n"
                  "\"SIMS_DATA\"=\"C:\\\\Sims\"\n\"SIMS_LANGUAGE\"=\"German\"\n");
  testdata::WritePlayedSims(german / "drive_c/Sims/UserData/Characters");
  const fs::path reRelease = WritePrefix(root() / "rerelease", "user.reg",
                                         "[Software\\\\Electronic Arts\\\\The Sims 25] 1\n"
                                         "\"SIMS_LANGUAGE\"=\"UKEnglish\"\n");
  testdata::WritePlayedSims(
      reRelease /
      "drive_c/users/player/Saved Games/Electronic Arts/The Sims 25/UserData/Characters");
  testdata::ExportSpec family = testdata::FamilyOfFour();
  for (testdata::MemberSpec& member : family.members) member.otherLanguages = {{"Randy", "", 2}};
  testdata::FamilyExportFile(family).write(root() / "Pemberton.FAM");

  const auto names = [](const char* first, const char* second) {
    return std::string("User00000.iff\t") + first + "\nUser00001.iff\t" + second +
           "\nUser00002.iff\tBella Goth\n";
  };
  using Env = std::vector<std::pair<QString, QString>>;
  const std::tuple<Env, QStringList, std::string> kCases[] = {
      {{{"LANG", "en_GB.UTF-8"}}, {"--list", Text(root() / "played")}, names("Jackie", "Marcus")},
      {{{"LANG", "en_US.UTF-8"}, {"WINEPREFIX", Text(german)}}, {"--list"}, names("Jens", "Jens")},
      {{{"LANG", "en_US.UTF-8"}, {"WINEPREFIX", Text(reRelease)}, {"USER", "player"}},
       {"--list"},
       names("Randy", "Randy")},
      {{{"LANG", "en_US.UTF-8"}, {"WINEPREFIX", Text(german)}},
       {"--list", "--language", "en_GB"},
       names("Randy", "Randy")},
      {{{"LANG", "en_GB.UTF-8"}},
       {"--list", Text(root() / "Pemberton.FAM")},
       "Pemberton.FAM\t1\tHarriet\nPemberton.FAM\t2\tClement\nPemberton.FAM\t3\tWren\n"
       "Pemberton.FAM\t4\tBiscuit\n"},
  };
  for (const auto& [environment, arguments, out] : kCases) {
    environment_ = environment;
    const Answer answer[] = {Answered(arguments, out)};
    expectAnswers(answer);
  }
  // At a terminal, which script(1) gives it (both outputs going there), --list says where the
  // names' language came from; catches the note left out, or printed where a script reads.
  environment_ = {{"LANG", "en_GB.UTF-8"}};
  launcher_ = {"sh", "-c", R"sh(exec script -qec "$*" /dev/null)sh", "sh"};
  const Answer atTerminal[] = {
      Answered({"--list", "--language", "de", Text(root() / "played")},
               "quillmere: names in German, as --language asks\r\nUser00000.iff\tJens\r\n"
               "User00001.iff\tJens\r\nUser00002.iff\tBella Goth\r\n"),
      Answered({"--list", Text(root() / "played")},
               "quillmere: names as the game shows them: US English, judged by the names in the "
               "files\r\nUser00000.iff\tJackie\r\nUser00001.iff\tMarcus\r\nUser00002.iff\tBella "
               "Goth\r\n"),
  };
  expectAnswers(atTerminal);
}

}  // namespace
}  // namespace quill::test
