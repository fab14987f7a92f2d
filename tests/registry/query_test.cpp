// The shared reading logic, against a registry whose answers the tests choose.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "platform/registry/registry.h"

namespace quill::platform::registry {
namespace {

struct FakeValue {
  std::uint32_t type = kTypeString;
  std::string data;
  std::uint32_t typeOnRead = 0;  // when set, the type the second call reports instead
  bool failRead = false;         // the value vanishes between the two calls
};

class FakeRegistry final : public RegistryApi {
 public:
  std::map<std::pair<KeyView, std::string>, std::map<std::string, FakeValue>> keys;
  std::vector<KeyHandle> closed;
  std::vector<KeyView> openedViews;

  std::int32_t OpenKey(RootKey, const std::string& path, KeyView view, KeyHandle& key) override {
    openedViews.push_back(view);
    const auto found = keys.find({view, path});
    if (found == keys.end()) return kFileNotFound;
    open_ = &found->second;
    key = 42;
    return kSuccess;
  }

  std::int32_t QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                          unsigned char* data, std::uint32_t* size) override {
    if (key != 42) return kInvalidHandle;
    const auto found = open_->find(name);
    if (found == open_->end()) return kFileNotFound;
    const FakeValue& value = found->second;
    *type = data != nullptr && value.typeOnRead != 0 ? value.typeOnRead : value.type;
    if (data == nullptr) {
      *size = static_cast<std::uint32_t>(value.data.size());
      return kSuccess;
    }
    if (value.failRead) return kFileNotFound;
    if (*size < value.data.size()) return kMoreData;
    // Fills the whole buffer it was given, so a short buffer shows up under the sanitizers.
    std::memset(data, 0x5A, *size);
    std::memcpy(data, value.data.data(), value.data.size());
    *size = static_cast<std::uint32_t>(value.data.size());
    return kSuccess;
  }

  std::int32_t CloseKey(KeyHandle key) override {
    closed.push_back(key);
    return kSuccess;
  }

 private:
  std::map<std::string, FakeValue>* open_ = nullptr;
};

// The value forms themselves are covered through the Wine backend; these are the answers only a
// registry that changes between the two calls, or overfills its buffer, can give.
TEST(QueryValueText, TrustsOnlyTheFirstAnswer) {
  FakeRegistry fake;
  auto& values = fake.keys[{KeyView::kNative, "K"}];
  values["embedded zero"] = {kTypeString, std::string("abc\0def", 8)};
  values["type changes"] = {kTypeString, std::string("abc\0", 4), kTypeDword};
  values["vanishes"] = {kTypeString, "abc", 0, true};
  values["long"] = {kTypeBinary, "\x39\x30\x7f\x7f"};
  values["binary vanishes"] = {kTypeBinary, "\x39\x30", 0, true};

  KeyHandle key = kNoKey;
  ASSERT_EQ(fake.OpenKey(RootKey::kCurrentUser, "K", KeyView::kNative, key), kSuccess);
  const std::map<std::string, std::string> expected = {
      {"embedded zero", "abc"}, {"type changes", "abc"}, {"vanishes", ""},
      {"long", "12345"},        {"binary vanishes", ""}, {"missing", ""}};
  for (const auto& [name, text] : expected) {
    EXPECT_EQ(QueryValueText(fake, key, name), text) << name;
  }
  EXPECT_EQ(QueryValueText(fake, kNoKey, "long"), "");
}

TEST(ReadRegistryValue, ClosesTheKeyEvenWhenItDidNotOpen) {
  FakeRegistry fake;
  fake.keys[{KeyView::kNative, "K"}]["v"] = {kTypeString, "x"};
  EXPECT_EQ(ReadRegistryValue(fake, RootKey::kLocalMachine, "K", "v"), "x");
  EXPECT_EQ(ReadRegistryValue(fake, RootKey::kLocalMachine, "Missing", "v"), "");
  EXPECT_EQ(fake.closed, (std::vector<KeyHandle>{42, kNoKey}));
}

TEST(GetGameDataFolder, PrefersThe32BitViewAndEndsInABackslash) {
  FakeRegistry fake;
  EXPECT_EQ(GetGameDataFolder(fake), "Not Found");
  EXPECT_EQ(fake.openedViews, (std::vector<KeyView>{KeyView::k32Bit, KeyView::kNative}));

  auto& native = fake.keys[{KeyView::kNative, kGameKeyPath}];
  native[kGameDataValue] = {kTypeString, std::string("C:\\Native\\\0", 11)};
  EXPECT_EQ(GetGameDataFolder(fake), "C:\\Native\\");

  auto& redirected = fake.keys[{KeyView::k32Bit, kGameKeyPath}];
  redirected[kGameDataValue] = {kTypeString, "C:\\Sims"};
  EXPECT_EQ(GetGameDataFolder(fake), "C:\\Sims\\");

  // An empty 32-bit value counts as none.
  redirected[kGameDataValue] = {kTypeString, std::string("\0", 1)};
  EXPECT_EQ(GetGameDataFolder(fake), "C:\\Native\\");
}

}  // namespace
}  // namespace quill::platform::registry
