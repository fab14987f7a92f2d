// SPDX-License-Identifier: GPL-3.0-or-later
// Wine keeps a prefix's registry in text files (system.reg for HKEY_LOCAL_MACHINE, user.reg for
// HKEY_CURRENT_USER). This reads them as Wine itself does, so that the game's install folder can
// be found when it runs under Wine or Proton. A player may have dozens of prefixes with registry
// files of tens of megabytes, so the lines that cannot name the key are found by a plain-text
// search and passed over unread: only the lines naming it and its own values are read, and
// nothing but those values is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/registry/reading_budget.h"
#include "platform/registry/registry.h"

namespace quill::platform::registry {

// Registry files of real prefixes are a few megabytes, tens at most; a larger one is not read.
inline constexpr std::size_t kLargestRegistryFile = 64 * 1024 * 1024;
// Wine writes no longer line for any value we read (a folder's path is at most 260 characters);
// a longer line is skipped whole, so that one line cannot fill memory.
inline constexpr std::size_t kLongestRegistryLine = 64 * 1024;
// The most value bytes kept of one key; a key the game wrote holds a few hundred.
inline constexpr std::size_t kLargestKeyValues = 256 * 1024;

struct RegistryValue {
  std::uint32_t type = 0;
  // As RegQueryValueExA returns it. Strings (types 1, 2 and 7) are stored as UTF-16 by Wine and
  // come back in the ANSI code page; on Linux that is taken to be UTF-8, so non-ASCII text stays
  // UTF-8 bytes. A string keeps the terminating zero it was stored with.
  std::string data;
};

// What a reading of one registry file found of one key.
struct WineKeyFound {
  // The key exists: it has a line of its own, or a key below it has one (Wine leaves out keys
  // that hold nothing but subkeys).
  bool exists = false;
  // A prefix made for 32-bit Windows has no separate 32-bit view.
  bool is32BitPrefix = false;
  std::unordered_map<std::string, RegistryValue> values;  // by FoldCase(name); "" is the default
};

// Reads registry text, handed over in pieces split anywhere, for the one key `keyPath` (single
// backslashes, relative to the file's root, case ignored). Never fails: a file without the
// registry header yields nothing, and a line that cannot be understood is skipped, as Wine
// skips it. Wine's `#arch=` line counts only in the file's head, before the first key.
class WineKeyReader {
 public:
  explicit WineKeyReader(std::string_view keyPath);
  // False once the rest of the text cannot matter (the header is wrong).
  bool Feed(std::string_view piece);
  // Takes the last line, which needs no line break, and hands over what was found.
  WineKeyFound Finish();
  // The bytes of the lines read so far (the part of a long line that is kept, and without
  // the lines passed over), which take far longer than passing lines over.
  std::size_t LineBytes() const { return lineBytes_; }

 private:
  void ReadPhysicalLine(std::string_view& piece);
  bool MayPassOver() const;
  // Drops the front of `piece` that cannot change what is found; gives how many bytes after it
  // to read line by line before passing over lines again.
  std::size_t PassOver(std::string_view& piece);
  void EndPhysicalLine(bool last);
  void TakeLine(std::string_view line, bool overlong);
  bool MayNameWantedKey(std::string_view line);

  std::string wanted_;      // folded, normalised path
  std::string wantedName_;  // KeyLineText(wanted_)
  std::string folded_;      // a key line, folded
  WineKeyFound found_;
  std::string physical_;  // the line being read, cut at kLongestRegistryLine
  std::string tail_;  // its last three bytes, which say whether it continues; empty between lines
  bool physicalOverlong_ = false;
  std::string logical_;  // physical lines joined by continuations
  bool logicalOverlong_ = false;
  bool continuing_ = false;
  bool firstLine_ = true;
  bool headerSeen_ = false;
  bool keysBegun_ = false;
  bool inKey_ = false;
  std::size_t keptBytes_ = 0;
  std::size_t lineBytes_ = 0;
};

// The whole text at once.
WineKeyFound ReadWineKey(std::string_view text, std::string_view keyPath);

// What every line that names `keyPath` or a key below it contains, folded: the key's last two
// names as Wine writes them. Empty when Wine would write them with escapes, or when they hold a
// comma, so that the text cannot be searched for.
std::string KeyLineText(std::string_view keyPath);

// Case folding as the registry and Wine's file names compare: ASCII and the Latin-1 letters of
// UTF-8 text. Other non-ASCII text compares exactly.
std::string FoldCase(std::string_view text);

// UTF-16 code units to UTF-8; unpaired surrogates become '?', as the ANSI conversion makes them.
std::string Utf16ToAnsi(std::u16string_view units);

#ifndef _WIN32
// The registry of the Wine prefix at `prefix`. Only the two roots the files hold are answered; a
// missing or unreadable file behaves as an empty registry. Each file is read once for a key and
// all its views, and the key is kept for the next opening.
class WineRegistry final : public RegistryApi {
 public:
  // Reads within `budget`, which outlives the registry; a file that does not fit in what is left
  // of it counts as unreadable.
  WineRegistry(std::filesystem::path prefix, ReadingBudget& budget)
      : prefix_(std::move(prefix)), budget_(budget) {}
  // With a budget of its own, as large as one start-up search's.
  explicit WineRegistry(std::filesystem::path prefix)
      : WineRegistry(std::move(prefix), ownBudget_) {}
  // A copy would read within the budget of the registry it was copied from.
  WineRegistry(const WineRegistry&) = delete;
  WineRegistry& operator=(const WineRegistry&) = delete;

  std::int32_t OpenKey(RootKey root, const std::string& path, KeyView view,
                       KeyHandle& key) override;
  std::int32_t QueryValue(KeyHandle key, const std::string& valueName, std::uint32_t* type,
                          unsigned char* data, std::uint32_t* size) override;
  std::int32_t CloseKey(KeyHandle key) override;

 private:
  using KeyInFile = std::pair<std::string, std::string>;  // file name, FoldCase(key path)

  // Reads the keys of every spelling into read_ at once, unless all were read before.
  void ReadKeys(const char* fileName, const std::vector<std::string>& keyPaths);

  std::filesystem::path prefix_;
  ReadingBudget ownBudget_{kMostRegistryBytesPerSearch};
  ReadingBudget& budget_;
  std::map<KeyInFile, WineKeyFound> read_;
  std::vector<std::unique_ptr<WineKeyFound>> open_;  // handle - 1 → key; null once closed
};
#endif

}  // namespace quill::platform::registry
