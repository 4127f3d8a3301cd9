// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/request_options.h"

#include <algorithm>

#include "calc/request_law.h"
#include "common/words.h"
#include "friction/law_table.h"
#include "input/iosafe.h"
#include "report/quoting.h"
#include "sections/shape_table.h"

namespace runnelex::report {

std::string optionName(const RequestField& field) {
    return "--" + optionWord(field);
}

namespace {

// What a dimension is called where a shape lacks it: the caption of the first shape that has it.
std::string dimensionName(std::string_view word) {
    const sections::DimensionSpec* d = sections::firstDimension(word);
    return d ? words::lowerCase(d->caption) : std::string(word);
}

// How to give a shape's dimensions: "give its side with --diam", "give --span and --rise".
std::string howToGive(const sections::ShapeRow& shape) {
    if (shape.dimensionCount() == 1)
        return "give its " + words::lowerCase(shape.dimensions[0].caption) + " with --" +
               std::string(shape.dimensions[0].word);
    std::string text = "give ";
    for (std::size_t i = 0; i < shape.dimensionCount(); ++i)
        text += std::string(i == 0                            ? ""
                            : i + 1 == shape.dimensionCount() ? " and "
                                                              : ", ") +
                "--" + std::string(shape.dimensions[i].word);
    return text;
}

} // namespace

std::optional<std::string> shapeProblem(const CalcRequest& rq,
                                        const std::function<bool(const RequestField&)>& given) {
    const sections::ShapeRow* shape =
        rq.shape ? sections::shapeNamed(*rq.shape) : &sections::defaultShape();
    if (shape == nullptr)
        return std::nullopt;
    const std::string name(shape->word);
    for (std::string_view word : sections::dimensionWords()) {
        const RequestField f{RequestField::Kind::Dimension, std::string(word)};
        if (given(f) && shape->dimensionIndex(word) == shape->dimensionCount())
            return optionName(f) + ": " + words::withArticle(name) + " has no " +
                   dimensionName(word) + "; " + howToGive(*shape);
    }
    if (shape->bareInRecord)
        return std::nullopt; // an empty diameter box is a pipe not yet given
    std::string alternatives;
    int alternativesGiven = 0;
    for (const sections::DimensionSpec& d : shape->dimensions) {
        const RequestField f{RequestField::Kind::Dimension, std::string(d.word)};
        if (!d.isLength() && d.text->alternative) {
            alternatives.append(alternatives.empty() ? "" : " or ").append(optionName(f));
            alternativesGiven += given(f) ? 1 : 0;
            continue;
        }
        if (given(f))
            continue;
        if (shape->dimensionCount() == 1)
            return optionName(f) + " is needed: the " + words::lowerCase(d.caption) + " of the " +
                   name;
        return optionName(f) + " is needed for " + words::withArticle(name);
    }
    if (!alternatives.empty() && alternativesGiven == 0)
        return alternatives + " is needed for " + words::withArticle(name);
    if (alternativesGiven > 1)
        return "give " + alternatives + " for " + words::withArticle(name) + ", not both";
    return std::nullopt;
}

std::optional<std::string> shapeProblem(const CalcRequest& rq) {
    return shapeProblem(rq, [&rq](const RequestField& f) { return fieldText(rq, f).has_value(); });
}

std::optional<std::string> lawProblem(const CalcRequest& rq,
                                      const std::function<bool(const RequestField&)>& given) {
    const friction::LawRow* law = requestLaw(rq);
    if (law == nullptr)
        return std::nullopt; // the replay names the unknown word
    const std::vector<RequestField> own = lawFields(*law);
    const std::string takes = optionName(own[0]);
    const std::string name = "the " + std::string(law->word) + " law";
    std::vector<RequestField> others = {{RequestField::Kind::N, {}}};
    for (std::string_view word : lawInputWords())
        others.push_back({RequestField::Kind::LawInput, std::string(word)});
    for (const RequestField& f : others)
        if (given(f) && std::find(own.begin(), own.end(), f) == own.end())
            return optionName(f) + ": not an input of " + name + ", which takes " + takes;
    if (law != &friction::defaultLaw() && !given(own[0]))
        return takes + " is needed for " + name;
    const RequestField* first = nullptr;
    for (const friction::ParameterSpec& p : law->parameters) {
        const RequestField f{RequestField::Kind::LawInput, std::string(p.word)};
        if (!given(f))
            continue;
        if (first != nullptr)
            return optionName(*first) + " and " + optionName(f) + ": give one of them";
        first = &*std::find(own.begin(), own.end(), f);
    }
    return std::nullopt;
}

std::string numberHint(const RequestField& field, const std::string& text) {
    std::string t = text;
    t.erase(0, t.find_first_not_of(" \t"));
    t.erase(t.find_last_not_of(" \t") + 1);
    if (field.kind == RequestField::Kind::Slope && !t.empty() && t.back() == '%') {
        std::string number = t.substr(0, t.size() - 1);
        number.erase(number.find_last_not_of(" \t") + 1);
        if (iosafe::parseNumber(number))
            return " Write " + number + " and --slope-unit %";
    }
    if (t.find(',') != std::string::npos) {
        std::string pointed = t;
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        if (iosafe::parseNumber(pointed))
            return " The decimal separator is the point: " + pointed;
    }
    return {};
}

std::string requestProblem(const Replay& replay) {
    return optionName(replay.field) + " " + quoted(replay.text) + ": " + replay.reason +
           numberHint(replay.field, replay.text);
}

} // namespace runnelex::report
