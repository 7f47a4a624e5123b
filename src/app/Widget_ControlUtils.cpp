#include "app/Widget_ControlUtils.h"
#include "app/Unit_AIS_VELTA_UTILS.h"
#include <QAbstractSpinBox>
#include <QApplication>
#include <QProxyStyle>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QPointer>
#include <QValidator>

namespace {
void SetTextColor(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::ButtonText, color);
    w->setPalette(p);
}

void CaretToEnd(QLineEdit* edit)
{
    edit->deselect();
    edit->setCursorPosition(int(edit->text().size()));
}

template <class TTextEdit>
void CaretToEnd(TTextEdit* edit)
{
    QTextCursor c = edit->textCursor();
    c.movePosition(QTextCursor::End);
    edit->setTextCursor(c);
}

// A spin box or date edit keeps its text in an inner line edit that the toolkit does not
// hand out; it is its only line edit child.
QLineEdit* InnerLineEdit(QWidget* w)
{
    if (auto combo = qobject_cast<QComboBox*>(w))
        return combo->lineEdit();
    if (qobject_cast<QAbstractSpinBox*>(w))
        return w->findChild<QLineEdit*>();
    return nullptr;
}

// The toolkit's styles mask passwords with a bullet; the program's fields show "*".
class TStarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* StarPasswordStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new TStarPasswordStyle;
        style->setParent(qApp); // goes with the application, after its windows
    }
    return style;
}

class TUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};
}

void MarkControl(QWidget* control, bool valid)
{
    if (!control)
        return;
    SetTextColor(control, valid ? Qt::black : Qt::red);
    if (valid)
        return;
    control->setFocus(Qt::OtherFocusReason);
    // Focusing a field selects its text on some platforms; the caret goes to the end after.
    if (auto edit = qobject_cast<QLineEdit*>(control))
        CaretToEnd(edit);
    else if (auto plain = qobject_cast<QPlainTextEdit*>(control))
        CaretToEnd(plain);
    else if (auto rich = qobject_cast<QTextEdit*>(control))
        CaretToEnd(rich);
    else if (QLineEdit* inner = InnerLineEdit(control))
        CaretToEnd(inner);
}

int GetIntValue(const QLineEdit* edit) { return GetIntValue(edit->text()); }
double GetFloatValue(const QLineEdit* edit) { return GetFloatValue(edit->text()); }

void SetUpperCaseInput(QLineEdit* edit) { edit->setValidator(new TUpperCaseValidator(edit)); }

void SetPasswordInput(QLineEdit* edit)
{
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyle(StarPasswordStyle());
}

void CommitField(QWidget* control, const std::function<void()>& commit)
{
    try {
        commit();
    } catch (...) {
        MarkControl(control, false);
        throw;
    }
    MarkControl(control, true);
}

void CommitIntField(QLineEdit* edit, const std::function<void(int)>& setter)
{
    CommitField(edit, [&] { setter(GetIntValue(edit)); });
}

void CommitFloatField(QLineEdit* edit, const std::function<void(double)>& setter)
{
    CommitField(edit, [&] { setter(GetFloatValue(edit)); });
}
