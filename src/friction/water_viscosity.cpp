// SPDX-License-Identifier: GPL-3.0-or-later
#include "friction/water_viscosity.h"

#include <cmath>

namespace runnelex::friction {

double waterViscosity(double celsius) {
    const double kelvin = celsius + 273.15;
    const double mu = 2.414e-5 * std::pow(10.0, 247.8 / (kelvin - 140.0));
    const double t1 = celsius - 3.983035;
    const double rho =
        999.974950 * (1.0 - t1 * t1 * (celsius + 301.797) / (522528.9 * (celsius + 69.34881)));
    return mu / rho;
}

} // namespace runnelex::friction
