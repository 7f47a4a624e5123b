#pragma once
// Input helpers shared by the windows: marking a field valid or invalid, reading numbers
// from text fields, upper-case entry, and the commit of one field into a document object.
#include <QWidget>
#include <functional>

class QLineEdit;

// Valid: the control's text is black. Invalid: red, and the control takes the focus with
// the caret at the end of its text and nothing selected, so the operator can correct it.
void MarkControl(QWidget* control, bool valid);

// The core readers applied to the field's text; "Вводите только цифры!" on bad input.
int GetIntValue(const QLineEdit* edit);
double GetFloatValue(const QLineEdit* edit);

// Letters typed into the field become upper case as they are typed.
void SetUpperCaseInput(QLineEdit* edit);
// A password field: what is typed shows as "*".
void SetPasswordInput(QLineEdit* edit);

// The commit of a field when it is left: run the commit, then mark the control valid.
// If anything throws, the control is marked invalid and the error goes on to the general
// error display, so the field keeps the focus with its text in red.
void CommitField(QWidget* control, const std::function<void()>& commit);
// The same for the usual numeric fields: read, hand to the document's setter, mark.
void CommitIntField(QLineEdit* edit, const std::function<void(int)>& setter);
void CommitFloatField(QLineEdit* edit, const std::function<void(double)>& setter);
