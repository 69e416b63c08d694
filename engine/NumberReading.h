// Reading numbers from text, the same on every platform and in every locale: the
// point is always ".".
#pragma once

#include <cstddef>
#include <string_view>

// Reads a number the way atof does: leading white space, optional sign, digits,
// optional point and decimals, optional exponent; stops at the first character
// that does not fit; no digits reads as 0. Too large a magnitude reads as an
// infinity, too small as zero.
double ReadNumber(std::string_view text);

// Reads the run of digits and points that the text starts with, as ReadNumber
// reads that run alone, and gives the run's length.
double ReadLeadingNumber(std::string_view text, size_t& length);
