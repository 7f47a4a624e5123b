#include "ui/form_Replicator.h"
#include "app/MinModal.h"
#include "ui/FormExportParams.h"
#include "ui_form_Replicator.h"
#include <QCloseEvent>
#include <QScrollBar>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

TReplicator::TReplicator(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Replicator>())
{
    ui->setupUi(this);
    setWindowFlags((windowFlags() | Qt::WindowMinMaxButtonsHint) & ~Qt::WindowCloseButtonHint &
                   ~Qt::WindowContextHelpButtonHint);
    QPalette p = ui->MsgMemo->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Button));
    ui->MsgMemo->setPalette(p);
    QPalette g = ui->Gauge->palette();
    g.setColor(QPalette::Highlight, palette().color(QPalette::Highlight));
    ui->Gauge->setPalette(g);
    m_minModal = new TMinModal(this);
    connect(ui->Button, &QPushButton::clicked, this, &TReplicator::ButtonClick);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TReplicator::~TReplicator() = default;

QString TReplicator::LogText() const { return ui->MsgMemo->toPlainText(); }

void TReplicator::SetTitle(const QString& title) { setWindowTitle(title); }
void TReplicator::ClearLog() { ui->MsgMemo->clear(); }
void TReplicator::AddLogLine(const QString& line)
{
    ui->MsgMemo->appendPlainText(line);
    // The newest line at the bottom, read from its beginning.
    ui->MsgMemo->horizontalScrollBar()->setValue(0);
}
void TReplicator::SetGauge(int percent) { ui->Gauge->setValue(percent); }

void TReplicator::SetButton(int result, const QString& caption)
{
    m_buttonResult = result;
    ui->Button->setText(caption);
}

bool TReplicator::AskExportStart(bool& customDate, QDateTime& moment)
{
    TfmExportParams dialog(this);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    customDate = dialog.CustomDateChosen();
    moment = dialog.CustomDateTime();
    return true;
}

void TReplicator::ButtonClick()
{
    if (m_buttonResult == NoResult) {
        // While the operation runs the button asks it to stop; the window stays.
        if (m_operation)
            m_operation->Terminate();
        return;
    }
    if (m_closeAllowed)
        done(m_buttonResult);
}

void TReplicator::closeEvent(QCloseEvent* event)
{
    if (!m_closeAllowed) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TReplicator::reject()
{
    if (m_closeAllowed)
        done(m_buttonResult == NoResult ? int(ResultCancel) : m_buttonResult);
}
