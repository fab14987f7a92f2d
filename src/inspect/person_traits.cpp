// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/person_traits.h"

namespace quill {

namespace {

// Indices into the person data.
constexpr std::size_t kCareerTrack = 56;
constexpr std::size_t kJobLevel = 57;
constexpr std::size_t kAge = 58;
constexpr std::size_t kJobPerformance = 63;
constexpr std::size_t kGender = 65;
constexpr std::size_t kStarSign = 70;

struct Labelled {
  std::size_t index;
  const char* label;
};

// The personality in the game's order: Neat, Outgoing, Active, Playful, Nice.
constexpr std::array<std::size_t, 5> kPersonalityIndices = {7, 6, 3, 5, 2};
constexpr std::array<const char*, 5> kSimPersonality = {"Neat", "Outgoing", "Active", "Playful",
                                                        "Nice"};
constexpr std::array<const char*, 5> kPetPersonality = {"Quiet", "Friendly", "Playful", "Smart",
                                                        "Loyal"};
constexpr Labelled kSimSkills[] = {{10, "Cooking"}, {12, "Mechanical"}, {11, "Charisma"},
                                   {17, "Body"},    {18, "Logic"},      {15, "Creativity"}};
constexpr Labelled kDogSkills[] = {{10, "House Breaking"}, {12, "Tricks"}, {11, "Obedience"}};
constexpr Labelled kCatSkills[] = {{10, "Hunting"}, {12, "Tricks"}, {11, "Obedience"}};

constexpr std::array<const char*, 12> kSigns = {"Aries",       "Taurus",    "Gemini",   "Cancer",
                                                "Leo",         "Virgo",     "Libra",    "Scorpio",
                                                "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
// Each sign's Neat, Outgoing, Active, Playful, Nice.
constexpr std::array<PersonalityValues, 12> kSignPresets = {{{5, 8, 6, 3, 3},
                                                             {5, 5, 3, 8, 4},
                                                             {4, 7, 8, 3, 3},
                                                             {6, 3, 6, 4, 6},
                                                             {4, 10, 4, 4, 3},
                                                             {9, 2, 6, 3, 5},
                                                             {2, 8, 2, 6, 7},
                                                             {6, 5, 8, 3, 3},
                                                             {2, 3, 9, 7, 4},
                                                             {7, 4, 1, 8, 5},
                                                             {4, 4, 4, 7, 6},
                                                             {5, 3, 7, 3, 7}}};

constexpr std::array<const char*, 13> kGrades = {
    "A+", "A", "A\u2212", "B+", "B", "B\u2212", "C+", "C", "C\u2212", "D+", "D", "D\u2212", "F"};

struct Track {
  int number;
  const char* name;
};
// The base game's ten careers are numbered 1 to 10 in alphabetical order; 11 to 13 are not yet
// known and stay "Career N".
constexpr Track kTracks[] = {{1, "Business"},        {2, "Entertainment"}, {3, "Law Enforcement"},
                             {4, "Life of Crime"},   {5, "Medicine"},      {6, "Military"},
                             {7, "Politics"},        {8, "Pro Athlete"},   {9, "Science"},
                             {10, "X-Treme Career"}, {14, "Paranormal"},   {15, "Journalism"},
                             {16, "Hacker"},         {17, "Fashion"},      {18, "Education"},
                             {19, "Animal Care"},    {20, "Culinary"}};

// Rounded down, negative values too.
int Points(int stored) {
  return stored >= 0 ? stored / 100 : -((-stored + 99) / 100);
}

Trait TraitAt(const PersonRecord& record, std::size_t index, const char* label) {
  const int stored = record.value(index).value_or(0);
  return {label, stored, Points(stored)};
}

}  // namespace

const char* SpeciesName(Species species) {
  switch (species) {
    case Species::Dog:
      return "dog";
    case Species::Cat:
      return "cat";
    case Species::Human:
      break;
  }
  return "human";
}

const char* GenderName(Gender gender) {
  return gender == Gender::Female ? "female" : "male";
}

const char* AgeName(Age age) {
  return age == Age::Kid ? "kid" : "adult";
}

std::optional<Kind> KindOf(const PersonRecord& record) {
  const std::optional<std::int16_t> stored = record.value(kGender);
  if (!stored || *stored < 0 || *stored > 5) return std::nullopt;
  static constexpr Species kSpecies[] = {Species::Human, Species::Dog, Species::Cat};
  return Kind{kSpecies[*stored / 2], *stored % 2 == 0 ? Gender::Male : Gender::Female};
}

bool IsPet(const PersonRecord& record) {
  const std::optional<Kind> kind = KindOf(record);
  return kind && kind->species != Species::Human;
}

std::optional<Age> AgeOf(const PersonRecord& record) {
  if (IsPet(record)) return std::nullopt;
  switch (record.value(kAge).value_or(0)) {
    case 9:
      return Age::Kid;
    case 27:
      return Age::Adult;
    default:
      return std::nullopt;
  }
}

std::optional<int> StarSignOf(const PersonRecord& record) {
  if (record.personData.empty() || IsPet(record)) return std::nullopt;
  const int stored = record.value(kStarSign).value_or(0);
  if (stored >= 1 && stored <= 12) return stored;
  PersonalityValues values{};
  for (std::size_t k = 0; k < values.size(); ++k) {
    values[k] = record.value(kPersonalityIndices[k]).value_or(0);
  }
  return NearestStarSign(values);
}

const char* StarSignName(int sign) {
  return sign >= 1 && sign <= 12 ? kSigns[static_cast<std::size_t>(sign - 1)] : "";
}

int NearestStarSign(const PersonalityValues& values) {
  // Measured in hundredths, so that the distances are whole numbers and ties are exact.
  int best = 0;
  long long bestDistance = -1;
  for (std::size_t sign = 0; sign < kSignPresets.size(); ++sign) {
    long long distance = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
      const long long apart = values[k] - 100LL * kSignPresets[sign][k];
      distance += apart * apart;
    }
    if (bestDistance < 0 || distance < bestDistance) {
      best = static_cast<int>(sign) + 1;
      bestDistance = distance;
    }
  }
  return best;
}

std::optional<Career> CareerOf(const PersonRecord& record) {
  // Pets have no job and no school.
  if (record.personData.empty() || IsPet(record)) return std::nullopt;
  const int track = record.value(kCareerTrack).value_or(0);
  const int level = record.value(kJobLevel).value_or(0);
  Career career;
  career.performance = record.value(kJobPerformance).value_or(0);
  if (track == 0) {
    career.track = "Unemployed";
  } else if (track == -1) {
    career.track = "School";
    if (level >= 0 && level < static_cast<int>(kGrades.size())) {
      career.grade = kGrades[static_cast<std::size_t>(level)];
    }
  } else {
    career.track = "Career " + std::to_string(track);
    for (const Track& known : kTracks)
      if (known.number == track) career.track = known.name;
    career.level = level + 1;
  }
  return career;
}

std::string CareerText(const Career& career) {
  if (career.level) return career.track + ", level " + std::to_string(*career.level);
  if (career.grade) return career.track + ", grade " + *career.grade;
  return career.track;
}

std::vector<Trait> PersonalityOf(const PersonRecord& record) {
  std::vector<Trait> traits;
  if (record.personData.empty()) return traits;
  const auto& labels = IsPet(record) ? kPetPersonality : kSimPersonality;
  for (std::size_t k = 0; k < labels.size(); ++k) {
    traits.push_back(TraitAt(record, kPersonalityIndices[k], labels[k]));
  }
  return traits;
}

std::vector<Trait> SkillsOf(const PersonRecord& record) {
  std::vector<Trait> traits;
  if (record.personData.empty()) return traits;
  const std::optional<Kind> kind = KindOf(record);
  const auto add = [&](const auto& labelled) {
    for (const Labelled& skill : labelled)
      traits.push_back(TraitAt(record, skill.index, skill.label));
  };
  if (kind && kind->species == Species::Dog) {
    add(kDogSkills);
  } else if (kind && kind->species == Species::Cat) {
    add(kCatSkills);
  } else {
    add(kSimSkills);
  }
  return traits;
}

}  // namespace quill
