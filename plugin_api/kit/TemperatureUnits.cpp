#include "plugin_api/kit/TemperatureUnits.h"

namespace pluginkit {
namespace {

// n / 9 to the nearest integer; n / 9 never falls exactly on a half.
int DivideByNineRounded(int n)
{
    return n >= 0 ? (n + 4) / 9 : -((-n + 4) / 9);
}

}  // namespace

// Integer arithmetic: c x 1.8 + 32 = (9c + 160) / 5, and C++ division
// truncates toward zero just as taking the whole part does.
int TargetCelsiusToFahrenheit(int celsius)
{
    return (9 * celsius + 160) / 5;
}

int ToleranceCelsiusToFahrenheit(int celsius)
{
    return TargetCelsiusToFahrenheit(celsius) - 32;
}

int TargetFahrenheitToCelsius(int fahrenheit)
{
    return DivideByNineRounded((fahrenheit - 32) * 5);
}

int ToleranceFahrenheitToCelsius(int fahrenheit)
{
    return DivideByNineRounded(fahrenheit * 5);
}

}  // namespace pluginkit
