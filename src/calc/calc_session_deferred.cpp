// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's runs put off, for a session that only makes the record of its last run.
#include <bit>
#include <cstdint>

#include "calc/calc_session.h"

namespace runnelex {

namespace {

// Bit for bit, so that 0 and -0 differ and a NaN equals itself: the runs are then the same.
bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool same(const std::optional<double>& a, const std::optional<double>& b) {
    return a.has_value() == b.has_value() && (!a || same(*a, *b));
}

// Whether a run of `before` shows nothing that a run of `after` does not show the same: the
// same inputs, or the same but a flow where `before` had none. Such a run computes the capacity
// table (the same) and stops; the later one computes it again before anything else.
bool madeRedundant(const CalcInputs& before, const CalcInputs& after) {
    if (before.Shape != after.Shape || before.Law != after.Law ||
        before.Unitflow != after.Unitflow || before.DiamInFeet != after.DiamInFeet ||
        before.SlopeInPercent != after.SlopeInPercent || before.System != after.System ||
        !same(before.SlopeFtFt, after.SlopeFtFt) || !same(before.ManningN, after.ManningN) ||
        before.LawParams.coefficientUnit != after.LawParams.coefficientUnit ||
        !(same(before.Qcfs, after.Qcfs) || same(before.Qcfs, 0.0)))
        return false;
    for (std::size_t i = 0; i < before.Dims.size(); ++i)
        if (!same(before.Dims[i], after.Dims[i]) || before.Texts[i].size() != after.Texts[i].size())
            return false;
    for (std::size_t i = 0; i < before.Texts.size(); ++i)
        for (std::size_t k = 0; k < before.Texts[i].size(); ++k)
            if (!same(before.Texts[i][k], after.Texts[i][k]))
                return false;
    for (std::size_t i = 0; i < before.LawParams.parameters.size(); ++i)
        if (!same(before.LawParams.parameters[i], after.LawParams.parameters[i]))
            return false;
    return true;
}

} // namespace

bool CalcSession::deferRun() {
    // A run of incomplete inputs shows nothing and is cheap: made as it comes, unless it would
    // follow one put off, which it must not overtake.
    if (!inputsComplete(in_)) {
        deferralBroken_ = deferralBroken_ || deferred_.has_value();
        return false;
    }
    if (deferred_ && !madeRedundant(*deferred_, in_))
        deferralBroken_ = true;
    deferred_ = in_;
    deferredVersion_ = textVersion_;
    return true;
}

std::optional<SessionStatus> CalcSession::runDeferred() {
    if (!deferred_)
        return deferralBroken_ ? std::nullopt : std::optional(SessionStatus::Done);
    if (deferralBroken_ || textVersion_ != deferredVersion_ || !madeRedundant(*deferred_, in_) ||
        !same(deferred_->Qcfs, in_.Qcfs))
        return std::nullopt;
    deferred_.reset();
    const bool defer = std::exchange(deferRuns_, false);
    const SessionStatus status = calculate();
    deferRuns_ = defer;
    if (status != SessionStatus::Done)
        return std::nullopt;
    return status;
}

} // namespace runnelex
