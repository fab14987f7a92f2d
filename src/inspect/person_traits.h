// SPDX-License-Identifier: GPL-3.0-or-later
// What a Sim's person data means as the game shows it: species and gender, age, star sign,
// career, personality and skills.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "inspect/neighbourhood.h"

namespace quill {

enum class Species { Human, Dog, Cat };
enum class Gender { Male, Female };
enum class Age { Kid, Adult };

struct Kind {
  Species species = Species::Human;
  Gender gender = Gender::Male;
};

const char* SpeciesName(Species species);  // "human", "dog", "cat"
const char* GenderName(Gender gender);     // "male", "female"
const char* AgeName(Age age);              // "adult", "kid"

// Nothing where the record holds no person data or a value the game does not use.
std::optional<Kind> KindOf(const PersonRecord& record);
// Whether the record is a dog's or a cat's.
bool IsPet(const PersonRecord& record);
// Pets have no age or star sign shown.
std::optional<Age> AgeOf(const PersonRecord& record);
std::optional<int> StarSignOf(const PersonRecord& record);  // 1 (Aries) to 12 (Pisces)
const char* StarSignName(int sign);

// Neat, Outgoing, Active, Playful, Nice as stored (0-1000).
using PersonalityValues = std::array<int, 5>;
// The sign whose preset is nearest the values / 100 by squared distance; a tie goes to the
// earlier sign.
int NearestStarSign(const PersonalityValues& values);

struct Career {
  std::string track;                 // "Military", "School", "Unemployed", "Career 3"
  std::optional<int> level;          // as shown (stored level + 1); none for school and no job
  std::optional<std::string> grade;  // "B+", for school
  int performance = 0;               // -100..100
};
// Nothing for a pet, or a record without person data.
std::optional<Career> CareerOf(const PersonRecord& record);
// "Military, level 2", "School, grade B+", "Unemployed".
std::string CareerText(const Career& career);

struct Trait {
  std::string label;  // "Neat", "House Breaking"
  int stored = 0;     // 0-1000
  int points = 0;     // as the game shows it: stored / 100, rounded down
};
// In the game's order, with the labels of the Sim's species; empty without person data.
std::vector<Trait> PersonalityOf(const PersonRecord& record);
std::vector<Trait> SkillsOf(const PersonRecord& record);

}  // namespace quill
