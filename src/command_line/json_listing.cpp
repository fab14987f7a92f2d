// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/json_listing.h"

#include <cstdio>
#include <unordered_map>

#include "content/skins_check.h"
#include "inspect/sim_profile.h"
#include "platform/files.h"
#include "platform/text.h"

namespace quill {

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  while (!text.empty()) {
    const std::optional<platform::Utf8Char> next = platform::DecodeUtf8Char(text);
    const char32_t point = next ? next->point : 0xFFFD;
    text.remove_prefix(next ? next->length : 1);
    if (point == '"' || point == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(point);
    } else if (point < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(point));
      quoted += escaped;
    } else {
      platform::AppendUtf8(quoted, point);
    }
  }
  return quoted + '"';
}

namespace {

template <typename T, typename Show>
std::string OrNull(const std::optional<T>& value, Show show) {
  return value ? show(*value) : "null";
}

// "House Breaking" as the key house_breaking.
std::string Key(const std::string& label) {
  std::string key = platform::AsciiLowerCase(label);
  for (char& c : key)
    if (c == ' ') c = '_';
  return key;
}

std::string Traits(const std::vector<Trait>& traits) {
  if (traits.empty()) return "null";
  std::string object;
  for (const Trait& trait : traits) {
    object += object.empty() ? '{' : ',';
    object += Quoted(Key(trait.label)) + ":" + std::to_string(trait.points);
  }
  return object + "}";
}

std::string Level(const Career& career) {
  if (career.level) return std::to_string(*career.level);
  return OrNull(career.grade, Quoted);
}

std::string Names(const std::vector<std::string>& names) {
  std::string list = "[";
  for (const std::string& name : names) {
    if (list.size() > 1) list += ',';
    list += Quoted(name);
  }
  return list + "]";
}

std::string FilesJson(const content::PartFiles& files) {
  return "{\"suit\":" + (files.suit.empty() ? "null" : Quoted(files.suit)) +
         ",\"mesh\":" + Names(files.meshes) + ",\"texture\":" + Names(files.textures) + "}";
}

std::string ProblemsJson(const std::vector<content::Problem>& problems) {
  std::string list = "[";
  for (const content::Problem& problem : problems) {
    if (list.size() > 1) list += ',';
    list += "{\"code\":" + Quoted(problem.code) + ",\"text\":" + Quoted(problem.text) + "}";
  }
  return list + "]";
}

// ",\"files\":...,\"problems\":..." for the body string `string`, as checked; nulls when unchecked.
std::string CheckedJson(const std::optional<content::LooksCheck>& check, int string) {
  if (check) {
    for (const content::PartCheck& part : check->parts) {
      if (part.string == string) {
        return ",\"files\":" + FilesJson(part.files) +
               ",\"problems\":" + ProblemsJson(part.problems);
      }
    }
  }
  return ",\"files\":null,\"problems\":null";
}

std::string LooksJson(const std::optional<BodyLooks>& looks, content::SkinsCheck* skins) {
  if (!looks) return "null";
  std::optional<content::LooksCheck> check;
  if (skins != nullptr) check = skins->Check(*looks);
  const auto garment = [&check](const std::optional<Garment>& worn, int string,
                                const std::string& part) {
    return OrNull(worn, [&](const Garment& g) {
      return "{\"mesh\":" + Quoted(g.mesh) + ",\"texture\":" + Quoted(g.texture) + part +
             CheckedJson(check, string) + "}";
    });
  };
  std::string outfits;
  for (const Outfit& outfit : looks->outfits) {
    if (!outfits.empty()) outfits += ',';
    const std::string part = content::PartName(outfit.index, outfit.garment.mesh);
    outfits += garment(outfit.garment, outfit.index,
                       ",\"part\":" + (part.empty() ? std::string("null") : Quoted(part)));
  }
  return "{\"skeleton\":{\"name\":" + Quoted(looks->skeleton) + CheckedJson(check, 0) +
         "},\"body\":" + garment(looks->body, 1, {}) + ",\"head\":" + garment(looks->head, 2, {}) +
         ",\"skin_tone\":" + Quoted(looks->skinTone) + ",\"outfits\":[" + outfits +
         "],\"summary\":" + (check ? Quoted(check->summary) : std::string("null")) + "}";
}

}  // namespace

std::string SimJson(const std::string& file, const std::string& name, const SimProfile& sim,
                    const std::string& more, content::SkinsCheck* skins) {
  const std::optional<std::string> family = sim.family ? sim.family->name : std::nullopt;
  return "{\"file\":" + Quoted(file) + ",\"name\":" + Quoted(name) +
         ",\"family\":" + OrNull(family, Quoted) +
         ",\"species\":" + OrNull(sim.kind, [](Kind k) { return Quoted(SpeciesName(k.species)); }) +
         ",\"gender\":" + OrNull(sim.kind, [](Kind k) { return Quoted(GenderName(k.gender)); }) +
         ",\"age\":" + OrNull(sim.age, [](Age a) { return Quoted(AgeName(a)); }) +
         ",\"sign\":" + OrNull(sim.sign, [](int s) { return Quoted(StarSignName(s)); }) +
         ",\"career\":" + OrNull(sim.career, [](const Career& c) { return Quoted(c.track); }) +
         ",\"level\":" + OrNull(sim.career, Level) + ",\"performance\":" +
         OrNull(sim.career, [](const Career& c) { return std::to_string(c.performance); }) +
         ",\"personality\":" + Traits(sim.personality) + ",\"skills\":" + Traits(sim.skills) +
         ",\"friends\":" + OrNull(sim.friends, Names) + more +
         ",\"looks\":" + LooksJson(sim.looks, skins) + "}\n";
}

std::string FormatRosterJson(const std::vector<RosterEntry>& roster, const Neighbourhood& hood,
                             content::SkinsCheck* skins) {
  std::unordered_map<std::uint32_t, std::string> names;
  for (const RosterEntry& entry : roster)
    if (entry.guid) names.emplace(*entry.guid, entry.name);
  const NameOfSim nameOf = [&names](std::uint32_t guid) -> std::optional<std::string> {
    const auto found = names.find(guid);
    if (found == names.end()) return std::nullopt;
    return found->second;
  };
  Profiles profiles(hood, nameOf);
  std::string text;
  for (const RosterEntry& entry : roster) {
    text += SimJson(ShownFileName(entry.file), entry.name, profiles.of(entry.guid, entry.looks), {},
                    skins);
  }
  return text;
}

}  // namespace quill
