#pragma once
// The documents show and store the Quetelet index with one decimal. It is rounded as the
// number reads in decimal, not as it lies in binary: 28.95 (binary 28.9499999...) gives 29.0,
// which decides between two diagnosis codes.

// v rounded to one decimal, half away from zero, on v's shortest decimal form.
double RoundToOneDecimal(double v);
