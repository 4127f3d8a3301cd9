// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/args.h"
#include "report/quoting.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace runnelex::cli {

namespace {

const OptionDef* find(std::span<const OptionDef> options, const std::string& name) {
    const auto it = std::find_if(options.begin(), options.end(),
                                 [&](const OptionDef& o) { return o.name == name; });
    return it == options.end() ? nullptr : &*it;
}

// "--name" / "-name" / "--name=value": the name and, when written with "=", the value.
struct OptionWord {
    std::string name;
    std::optional<std::string> inlineValue;
};

std::optional<OptionWord> optionWord(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '-' || arg == "--")
        return std::nullopt;
    const std::size_t start = arg[1] == '-' ? 2 : 1;
    OptionWord w;
    const std::size_t eq = arg.find('=', start);
    w.name = arg.substr(start, eq == std::string::npos ? std::string::npos : eq - start);
    if (eq != std::string::npos)
        w.inlineValue = arg.substr(eq + 1);
    return w;
}

bool isOptionOf(std::span<const OptionDef> options, const std::string& arg) {
    if (arg == "--")
        return true;
    const auto w = optionWord(arg);
    return w && find(options, w->name) != nullptr;
}

// The number of single-character edits between two words.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The option a mistyped name most likely meant; -h is help's short form, not a name to
// suggest.
std::optional<std::string> meant(const std::string& name, std::span<const OptionDef> options) {
    std::vector<std::string> names;
    for (const OptionDef& o : options)
        if (o.name.size() > 1)
            names.push_back(o.name);
    return likelyMeant(name, names);
}

} // namespace

std::optional<std::string> likelyMeant(const std::string& word,
                                       std::span<const std::string> names) {
    std::optional<std::string> best, prefixed;
    std::size_t bestDistance = 3;
    bool tie = false, prefixTie = false;
    for (const std::string& name : names) {
        const std::size_t d = editDistance(word, name);
        if (d < bestDistance) {
            best = name;
            bestDistance = d;
            tie = false;
        } else if (d == bestDistance) {
            tie = true;
        }
        if (word.size() >= 2 && name.rfind(word, 0) == 0) {
            prefixTie = prefixed.has_value();
            prefixed = name;
        }
    }
    if (best)
        return tie ? std::nullopt : best;
    return prefixTie ? std::nullopt : prefixed;
}

bool ParsedArgs::has(const std::string& name) const {
    return values.count(name) != 0 ||
           std::find(switches.begin(), switches.end(), name) != switches.end();
}

std::optional<std::string> ParsedArgs::value(const std::string& name) const {
    const auto it = values.find(name);
    if (it == values.end() || it->second.empty())
        return std::nullopt;
    return it->second.back();
}

const std::vector<std::string>& ParsedArgs::all(const std::string& name) const {
    static const std::vector<std::string> none;
    const auto it = values.find(name);
    return it == values.end() ? none : it->second;
}

std::variant<ParsedArgs, ArgsError> parseArgs(std::span<const std::string> args,
                                              std::span<const OptionDef> options) {
    ParsedArgs parsed;
    parsed.words.assign(args.begin(), args.end());
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            parsed.positionals.insert(parsed.positionals.end(), args.begin() + i + 1, args.end());
            break;
        }
        const auto word = optionWord(arg);
        if (!word) { // a word, or a lone "-" (standard input)
            parsed.positionals.push_back(arg);
            continue;
        }
        const OptionDef* option = find(options, word->name);
        const std::string shown = "--" + word->name;
        if (option == nullptr) {
            if (const auto guess = meant(word->name, options))
                return ArgsError{"unknown option " + quoted(arg) + "; did you mean --" + *guess +
                                 "?"};
            return ArgsError{"unknown option " + quoted(arg)};
        }
        if (!option->takesValue) {
            if (word->inlineValue)
                return ArgsError{shown + " takes no value"};
            if (!parsed.has(option->name))
                parsed.switches.push_back(option->name);
            continue;
        }
        std::string value;
        if (word->inlineValue) {
            value = *word->inlineValue;
        } else {
            if (i + 1 >= args.size() || isOptionOf(options, args[i + 1]))
                return ArgsError{shown + " needs a value (write " + shown +
                                 "=VALUE for one that begins with -)"};
            value = args[++i];
        }
        auto& list = parsed.values[option->name];
        if (!list.empty() && !option->repeatable)
            return ArgsError{shown + " given twice"};
        list.push_back(value);
    }
    return parsed;
}

} // namespace runnelex::cli
