#pragma once
// Validated reading of numbers typed into text fields, and the range checks with the
// program's messages. Zero means "not entered": a value of 0 passes every range check.
#include <QDate>
#include <QString>

int GetIntValue(const QString& text);
double GetFloatValue(const QString& text);

void CheckIntMin(int value, int min);
void CheckIntMax(int value, int max);
void CheckIntRange(int value, int min, int max);
void CheckFloatMin(double value, double min);
void CheckFloatMax(double value, double max);
void CheckFloatRange(double value, double min, double max);
void CheckDateMax(const QDate& date, const QDate& maxDate);

// The texts of the checks with their bound filled in, as the operator sees them.
QString FormatFloatForMessage(double value);   // two decimals, the locale's separator
QString FormatDateForMessage(const QDate& date); // the locale's short date
