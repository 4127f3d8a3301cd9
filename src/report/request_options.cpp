// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/request_options.h"

#include <algorithm>

#include "input/iosafe.h"
#include "report/quoting.h"
#include "sections/section_text.h"

namespace runnelex::report {

const char* optionName(RequestField field) {
    switch (field) {
    case RequestField::Pipe:
        return "--pipe";
    case RequestField::Diam:
        return "--diam";
    case RequestField::DiamUnit:
        return "--diam-unit";
    case RequestField::Slope:
        return "--slope";
    case RequestField::SlopeUnit:
        return "--slope-unit";
    case RequestField::N:
        return "--n";
    case RequestField::Flow:
        return "--flow";
    case RequestField::FlowUnit:
        return "--flow-unit";
    case RequestField::Shape:
        return "--shape";
    case RequestField::Span:
        return "--span";
    case RequestField::Rise:
        return "--rise";
    case RequestField::Units:
        break;
    }
    return "--units";
}

std::optional<std::string> shapeProblem(const CalcRequest& rq,
                                        const std::function<bool(RequestField)>& given) {
    const auto shape = rq.shape ? sections::shapeNamed(*rq.shape) : sections::Shape::Circle;
    if (!shape)
        return std::nullopt;
    const std::string name = sections::shapeWord(*shape);
    const auto belongs = [&](RequestField f) {
        return *shape == sections::Shape::Box ? f != RequestField::Diam : f == RequestField::Diam;
    };
    for (RequestField f : {RequestField::Diam, RequestField::Span, RequestField::Rise}) {
        if (given(f) && !belongs(f))
            return std::string(optionName(f)) + ": a " + name + " has no " +
                   (f == RequestField::Diam ? "diameter" : optionName(f) + 2) +
                   (*shape == sections::Shape::Box      ? "; give --span and --rise"
                    : *shape == sections::Shape::Square ? "; give its side with --diam"
                                                        : "; give its diameter with --diam");
    }
    if (*shape == sections::Shape::Square && !given(RequestField::Diam))
        return std::string("--diam is needed: the side of the square");
    if (*shape == sections::Shape::Box)
        for (RequestField f : {RequestField::Span, RequestField::Rise})
            if (!given(f))
                return std::string(optionName(f)) + " is needed for a box";
    return std::nullopt;
}

std::optional<std::string> shapeProblem(const CalcRequest& rq) {
    return shapeProblem(rq, [&rq](RequestField f) {
        return f == RequestField::Diam   ? rq.diam.has_value()
               : f == RequestField::Span ? rq.span.has_value()
                                         : rq.rise.has_value();
    });
}

std::string numberHint(RequestField field, const std::string& text) {
    std::string t = text;
    t.erase(0, t.find_first_not_of(" \t"));
    t.erase(t.find_last_not_of(" \t") + 1);
    if (field == RequestField::Slope && !t.empty() && t.back() == '%') {
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
    return std::string(optionName(replay.field)) + " " + quoted(replay.text) + ": " +
           replay.reason + numberHint(replay.field, replay.text);
}

} // namespace runnelex::report
