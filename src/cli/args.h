// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace runnelex::cli {

// One option of a command: `--name VALUE` or `--name=VALUE` when it takes a value, else a
// switch. A single dash works too (`-diam 12`).
struct OptionDef {
    std::string name; // without dashes
    bool takesValue = true;
    bool repeatable = false; // may be given more than once; every value is kept in order
};

struct ParsedArgs {
    std::map<std::string, std::vector<std::string>> values; // by option name, in order given
    std::vector<std::string> switches;
    std::vector<std::string> positionals;
    std::vector<std::string> words; // every argument as given, in order

    bool has(const std::string& name) const;
    // The value of an option given at most once.
    std::optional<std::string> value(const std::string& name) const;
    const std::vector<std::string>& all(const std::string& name) const;
};

// What is wrong with the arguments, naming the offending one (no "runnelex-cli:" prefix).
struct ArgsError {
    std::string what;
};

// The name a mistyped word most likely meant: the one closest to it, at most two edits away,
// else the one that begins with it; nothing when none is close or two are equally close.
std::optional<std::string> likelyMeant(const std::string& word, std::span<const std::string> names);

// Reads the arguments after the command word. An option that takes a value takes the next
// argument, unless that is itself an option of the command (a forgotten value); after "--"
// every argument is positional.
std::variant<ParsedArgs, ArgsError> parseArgs(std::span<const std::string> args,
                                              std::span<const OptionDef> options);

} // namespace runnelex::cli
