#pragma once
// The parts of the computer's conclusion that the primary inspection sheet and the screening
// card derive alike. Each returns the Diagnosis code to add, or an empty text for none.
#include <QDate>
#include <QString>

// Body-mass index: 1 (>= 29), 2 (25 to 29), 3 (above 0, below 20).
QString WeightCode(double indexKetle);

// Waist: 4 when the waist, or its ratio to the hips, is too large for the patient's age.
// Age counts calendar years against the clock's current year; at exactly 40 neither age
// band applies. Nothing without both measurements or without a birth date.
QString WaistCode(double waist, double hips, const QDate& birthDate);

// Pressure: 9 for hypertension or medicines taken, else 10 for high-normal pressure.
QString PressureCode(int systolic, int diastolic, bool takesMedicines);
