// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace runnelex {

inline constexpr int kDigits = 4;    // decimals of every displayed result
inline constexpr int kGpmDigits = 2; // flows in gallons per minute show half as many

// How many digits a result shows. The main window's US circle keeps a fixed number of decimals
// (a small value may show as "0"); every other calculation shows at least kSignificantDigits
// significant digits, taking more decimals where a value is small ("0.003652", never "0" for a
// positive value), and the same text as the fixed rule where that already shows enough.
enum class DigitRule { Decimals, Significant };
inline constexpr int kSignificantDigits = 4;

// The decimals `value` is rounded to under `rule`: `decimals`, or more under the significant
// rule when fewer would leave a nonzero value with under kSignificantDigits significant digits.
int shownDecimals(double value, int decimals, DigitRule rule);

// The display rule for every result: the value rounded to `decimals` decimals, halves to even,
// on the exact binary value; then the general conversion to text: up to 15 significant digits,
// no trailing zeros, no thousands separator, the point as decimal separator whatever the
// locale (2.0 -> "2", 4.53630 -> "4.5363"). Magnitudes of 1e15 and above use the exponent
// form "1.5E+20". A non-finite value throws hydrocalc::ArithmeticError.
// Under the significant rule the value is first given the decimals shownDecimals says.
std::string displayNumber(double value, int decimals = kDigits,
                          DigitRule rule = DigitRule::Decimals);

// Room for any text of the display rule ("-1.79769313486232E+308").
inline constexpr int kDisplayChars = 32;
// displayNumber's text written at `out` (kDisplayChars of room); returns its end. Nothing is
// allocated for the values results usually are.
char* writeDisplayNumber(char* out, double value, int decimals = kDigits,
                         DigitRule rule = DigitRule::Decimals);

// The same rule through the exact decimal conversions alone: the reference that the quick
// route of displayNumber must always agree with.
std::string displayNumberExact(double value, int decimals = kDigits);

// The general conversion alone (15 significant digits, no rounding to decimals).
std::string generalNumberText(double value);

} // namespace runnelex
