#include "documents/Unit_Rounding.h"
#include <charconv>
#include <cmath>
#include <string>

double RoundToOneDecimal(double v)
{
    if (!std::isfinite(v))
        return v;
    // The shortest fixed form that reads back as v: the digits a person would see.
    char buf[400];
    const auto printed = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    std::string text(buf, printed.ptr);

    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);
    const std::size_t dot = text.find('.');
    const std::string whole = dot == std::string::npos ? text : text.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);

    // Tenths as one decimal integer, bumped when the hundredths digit is 5 or more.
    std::string tenths = whole + (fraction.empty() ? '0' : fraction[0]);
    if (fraction.size() >= 2 && fraction[1] >= '5') {
        std::size_t i = tenths.size();
        while (i > 0 && tenths[i - 1] == '9')
            tenths[--i] = '0';
        if (i == 0)
            tenths.insert(tenths.begin(), '1');
        else
            ++tenths[i - 1];
    }
    std::string rounded = tenths.substr(0, tenths.size() - 1) + '.' + tenths.back();
    if (negative)
        rounded.insert(rounded.begin(), '-');

    double result = 0.0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), result);
    return result;
}
