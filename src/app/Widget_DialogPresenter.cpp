#include "app/Widget_DialogPresenter.h"
#include <QApplication>
#include <QFileDialog>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox::Icon IconOf(TBoxType type)
{
    switch (type) {
    case TBoxType::Error: return QMessageBox::Critical;
    case TBoxType::Warning: return QMessageBox::Warning;
    case TBoxType::Information: return QMessageBox::Information;
    case TBoxType::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct TButtonInfo {
    int button;
    QMessageBox::ButtonRole role;
    const char* caption;
};

// The captions are set here because the toolkit's own would stay English without a
// translation catalogue, and every box of the program speaks Russian.
const TButtonInfo kButtons[] = {
    {TButton::OK, QMessageBox::AcceptRole, "OK"},
    {TButton::Yes, QMessageBox::YesRole, "Да"},
    {TButton::No, QMessageBox::NoRole, "Нет"},
    {TButton::Cancel, QMessageBox::RejectRole, "Отмена"},
};

QWidget* DialogParent()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}
}

QString MessageLines(const QString& text)
{
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

int TWidgetDialogPresenter::Message(const TDialogRequest& request, int defaultButton)
{
    QMessageBox box(IconOf(request.type), request.title, MessageLines(request.text), QMessageBox::NoButton,
                    DialogParent());
    box.setTextFormat(Qt::PlainText);
    int buttons = request.buttons ? request.buttons : int(TButton::OK);
    QAbstractButton* escape = nullptr;
    QMap<QAbstractButton*, int> codes;
    for (const TButtonInfo& b : kButtons) {
        if (!(buttons & b.button))
            continue;
        QPushButton* pb = box.addButton(QString::fromUtf8(b.caption), b.role);
        codes.insert(pb, b.button);
        if (b.button == defaultButton)
            box.setDefaultButton(pb);
        // Esc answers Cancel, else No, else the only button there is.
        if (b.button == TButton::Cancel || (b.button == TButton::No && !(buttons & TButton::Cancel)) || !escape)
            escape = pb;
    }
    box.setEscapeButton(escape);
    box.exec();
    return codes.value(box.clickedButton(), codes.value(escape, defaultButton));
}

QString TWidgetDialogPresenter::BrowseFolder(const TDialogRequest& request)
{
    return QFileDialog::getExistingDirectory(DialogParent(), request.text, request.start,
                                             QFileDialog::ShowDirsOnly);
}

QString TWidgetDialogPresenter::OpenFile(const TDialogRequest& request)
{
    return QFileDialog::getOpenFileName(DialogParent(), request.text, request.start, request.filter);
}

QString TWidgetDialogPresenter::SaveFile(const TDialogRequest& request)
{
    return QFileDialog::getSaveFileName(DialogParent(), request.text, request.start, request.filter);
}

void InstallWidgetDialogs()
{
    static TWidgetDialogPresenter presenter;
    TDialogs::SetPresenter(&presenter);
}
