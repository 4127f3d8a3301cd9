// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/law_table.h"

#include <array>
#include <charconv>

#include "common/words.h"
#include "friction/colebrook_white_law.h"
#include "friction/hazen_williams_law.h"
#include "friction/kutter_law.h"
#include "friction/manning_law.h"
#include "friction/water_viscosity.h"

namespace runnelex::friction {

namespace {

constexpr double kFoot = ColebrookWhiteLaw::kFootInMetres;

std::unique_ptr<FrictionLaw> makeManning(double n, const LawSettings&, UnitSystem system) {
    return std::make_unique<ManningLaw>(n, system == UnitSystem::SI ? ManningLaw::kMetricK
                                                                    : ManningLaw::kUsCustomaryK);
}

std::unique_ptr<FrictionLaw> makeKutter(double n, const LawSettings&, UnitSystem system) {
    return std::make_unique<KutterLaw>(n, system);
}

std::unique_ptr<FrictionLaw> makeHazenWilliams(double C, const LawSettings&, UnitSystem system) {
    return std::make_unique<HazenWilliamsLaw>(C, system);
}

constexpr std::array<LengthUnit, 4> kRoughnessUnits = {
    {{"mm", 0.001}, {"m", 1.0}, {"in.", 0.0254}, {"ft.", kFoot}}};

// The viscosity, or the temperature it is computed from; the law's default without either.
constexpr std::array<ParameterSpec, 2> kColebrookParameters = {{
    {"nu", "Kinematic viscosity", "ft\u00b2/s", "m\u00b2/s",
     "Kinematic viscosity must be a positive real number.", 0.0, 1e300, 1.0 / (kFoot * kFoot), 0.0,
     "1.141e-6"},
    {"temperature", "Water temperature", "\u00b0F", "\u00b0C",
     "Water temperature must be a number from 0 to 100 \u00b0C (32 to 212 \u00b0F).", 0.0, 100.0,
     1.8, 32.0, "15"},
}};

double colebrookViscosity(const LawSettings& settings, UnitSystem system) {
    if (const auto& nu = settings.parameters[0])
        return *nu;
    if (const auto& t = settings.parameters[1]) {
        const double celsius =
            parameterInSystem(kColebrookParameters[1], *t, system, UnitSystem::SI);
        return parameterInSystem(kColebrookParameters[0], waterViscosity(celsius), UnitSystem::SI,
                                 system);
    }
    return ColebrookWhiteLaw::defaultViscosity(system);
}

std::unique_ptr<FrictionLaw> makeColebrook(double k, const LawSettings& settings,
                                           UnitSystem system);

std::string colebrookTail(const LawSettings& settings, UnitSystem system) {
    const double nu = colebrookViscosity(settings, system);
    if (nu == ColebrookWhiteLaw::defaultViscosity(system))
        return {};
    // The shortest text that reads back as the same double.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, nu).ptr;
    return " nu " + std::string(text, end);
}

constexpr std::array<TypicalValue, 4> kTypicalN = {{{"Concrete pipe", "0.013"},
                                                    {"PVC", "0.010"},
                                                    {"Vitrified clay", "0.014"},
                                                    {"Corrugated steel", "0.024"}}};

// German operational roughness classes and UK practice, in mm.
constexpr std::array<TypicalValue, 8> kTypicalK = {{
    {"Pressure mains and siphons", "0.25"},
    {"Transport sewers, precast manholes", "0.5"},
    {"Transport sewers, special manholes", "0.75"},
    {"Collecting sewers", "0.75"},
    {"Sewers with many connections", "1.5"},
    {"Masonry, cast in place, non-standard pipes", "1.5"},
    {"Surface water sewers (UK)", "0.6"},
    {"Foul sewers (UK)", "1.5"},
}};

constexpr std::array<TypicalValue, 5> kTypicalC = {{{"Concrete", "120"},
                                                    {"Vitrified clay", "110"},
                                                    {"PVC", "140"},
                                                    {"Ductile iron", "140"},
                                                    {"Corrugated steel", "60"}}};

constexpr std::array<LawRow, 4> kLaws = {{
    {"manning",
     "Manning",
     "Manning's equation",
     {"n",
      "Manning's n",
      "Manning's n must be a positive real number.",
      "0.013",
      false,
      {},
      0,
      0,
      {},
      0.005,
      0.2},
     {},
     true,
     makeManning,
     nullptr,
     kTypicalN},
    {"kutter",
     "Kutter",
     "Kutter's equation",
     {"n",
      "Kutter's n",
      "Kutter's n must be a positive real number.",
      "0.013",
      false,
      {},
      0,
      0,
      {},
      0.005,
      0.2},
     {},
     false,
     makeKutter,
     nullptr,
     kTypicalN},
    {"colebrook",
     "Colebrook-White",
     "the Colebrook-White equation",
     {"k", "Roughness k", "Roughness k must be a positive real number or 0.", "1.5", true,
      kRoughnessUnits, 2, 0, "k-unit", 0.0, 0.0},
     kColebrookParameters,
     false,
     makeColebrook,
     colebrookTail,
     kTypicalK},
    {"hazen-williams",
     "Hazen-Williams",
     "the Hazen-Williams equation",
     {"c",
      "Hazen-Williams C",
      "Hazen-Williams C must be a positive real number.",
      "120",
      false,
      {},
      0,
      0,
      {},
      20.0,
      160.0},
     {},
     false,
     makeHazenWilliams,
     nullptr,
     kTypicalC},
}};

std::unique_ptr<FrictionLaw> makeColebrook(double k, const LawSettings& settings,
                                           UnitSystem system) {
    return std::make_unique<ColebrookWhiteLaw>(coefficientInBase(kLaws[2], k, settings, system),
                                               colebrookViscosity(settings, system), system);
}

} // namespace

std::size_t LawRow::parameterIndex(std::string_view w) const {
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i].word == w)
            return i;
    return parameters.size();
}

std::span<const LawRow> lawTable() {
    return kLaws;
}

const LawRow& defaultLaw() {
    return kLaws[0];
}

const LawRow* lawNamed(std::string_view word) {
    for (const LawRow& row : kLaws)
        if (words::sameWord(row.word, word))
            return &row;
    return nullptr;
}

std::string lawWordSentence() {
    std::string text;
    for (std::size_t i = 0; i < kLaws.size(); ++i)
        text += std::string(i == 0                  ? ""
                            : i + 1 == kLaws.size() ? " or "
                                                    : ", ") +
                std::string(kLaws[i].word);
    return text;
}

std::string lawWordList(std::string_view separator) {
    std::string text;
    for (const LawRow& row : kLaws)
        text += (text.empty() ? "" : std::string(separator)) + std::string(row.word);
    return text;
}

std::size_t coefficientUnit(const LawRow& row, const LawSettings& settings, UnitSystem system) {
    const CoefficientSpec& c = row.coefficient;
    if (settings.coefficientUnit && *settings.coefficientUnit < c.units.size())
        return *settings.coefficientUnit;
    return system == UnitSystem::SI ? c.siUnit : c.usUnit;
}

double coefficientInBase(const LawRow& row, double typed, const LawSettings& settings,
                         UnitSystem system) {
    if (row.coefficient.units.empty())
        return typed;
    const double metres =
        typed * row.coefficient.units[coefficientUnit(row, settings, system)].metres;
    return system == UnitSystem::SI ? metres : metres / kFoot;
}

double parameterInSystem(const ParameterSpec& parameter, double value, UnitSystem from,
                         UnitSystem to) {
    if (from == to)
        return value;
    return to == UnitSystem::US ? value * parameter.usPerSi + parameter.usOffset
                                : (value - parameter.usOffset) / parameter.usPerSi;
}

} // namespace runnelex::friction
