// Temperatures are kept in whole degrees Celsius and converted only to show
// them. A target is a point on the scale; a tolerance is a width, so it
// converts without the 32-degree offset.
#pragma once

namespace pluginkit {

// Whole part of (celsius x 1.8 + 32).
int TargetCelsiusToFahrenheit(int celsius);
// Whole part of (celsius x 1.8 + 32), minus 32.
int ToleranceCelsiusToFahrenheit(int celsius);

// Back to the nearest whole degree, so that every value shown and committed
// unchanged comes back as it was (truncating would turn 3 C into 2 C).
int TargetFahrenheitToCelsius(int fahrenheit);
int ToleranceFahrenheitToCelsius(int fahrenheit);

}  // namespace pluginkit
