// The shared reading logic, against a registry whose answers the tests choose.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

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
  std::map<std::string, FakeValue> values;

  std::int32_t OpenKey(RootKey, const std::string&, KeyView, KeyHandle& key) override {
    key = 42;
    return kSuccess;
  }

  std::int32_t QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                          unsigned char* data, std::uint32_t* size) override {
    if (key != 42) return kInvalidHandle;
    const auto found = values.find(name);
    if (found == values.end()) return kFileNotFound;
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

  std::int32_t CloseKey(KeyHandle) override { return kSuccess; }
};

// The value forms themselves are covered through both backends (registry_values.h); these are the
// answers only a registry that changes between the two calls, or overfills its buffer, can give.
TEST(QueryValueText, TrustsOnlyTheFirstAnswer) {
  FakeRegistry fake;
  fake.values["embedded zero"] = {kTypeString, std::string("abc\0def", 8)};
  fake.values["type changes"] = {kTypeString, std::string("abc\0", 4), kTypeDword};
  fake.values["vanishes"] = {kTypeString, "abc", 0, true};
  fake.values["long"] = {kTypeBinary, "\x39\x30\x7f\x7f"};
  fake.values["binary vanishes"] = {kTypeBinary, "\x39\x30", 0, true};
  const std::map<std::string, std::string> expected = {
      {"embedded zero", "abc"}, {"type changes", "abc"}, {"vanishes", ""},
      {"long", "12345"},        {"binary vanishes", ""}, {"missing", ""}};
  for (const auto& [name, text] : expected) {
    EXPECT_EQ(QueryValueText(fake, 42, name), text) << name;
  }
  EXPECT_EQ(QueryValueText(fake, kNoKey, "long"), "");
}

}  // namespace
}  // namespace quill::platform::registry
