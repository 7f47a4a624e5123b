#include "ui/FormWait.h"
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const int kMaxWidth = 600;
const int kBorder = 10;

QPointer<TfmWait> g_wait;
bool g_hourglass = false;
}

TfmWait::TfmWait(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_lblText(new QLabel(this))
{
    setObjectName(QStringLiteral("fmWait"));
    setWindowTitle(QStringLiteral("Пожалуйста, подождите..."));
    m_lblText->setObjectName(QStringLiteral("lblText"));
    QFont font = m_lblText->font();
    font.setPixelSize(19);
    m_lblText->setFont(font);
    QPalette p = m_lblText->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_lblText->setPalette(p);
    m_lblText->setWordWrap(true);
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->addWidget(m_lblText);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMaximumWidth(kMaxWidth);
}

void TfmWait::SetText(const QString& text)
{
    // A word-wrapping label would otherwise take some narrow default width: start from the
    // text's own width on one line, so short texts stay on one line and long ones wrap at
    // the window's limit.
    const int lineWidth = m_lblText->fontMetrics().horizontalAdvance(text) + 30;
    m_lblText->setFixedWidth(qMin(lineWidth, kMaxWidth - 2 * kBorder));
    m_lblText->setText(text);
    adjustSize();
}

QString TfmWait::Text() const { return m_lblText->text(); }

TfmWait* CurrentWait() { return g_wait; }

void ShowWait(bool show, const QString& text)
{
    delete g_wait;
    if (!show) {
        if (g_hourglass) {
            QApplication::restoreOverrideCursor();
            g_hourglass = false;
        }
        return;
    }
    if (!g_hourglass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        g_hourglass = true;
    }
    g_wait = new TfmWait;
    g_wait->SetText(text);
    g_wait->show();
    g_wait->raise();
    if (QScreen* screen = g_wait->screen()) {
        QRect r(QPoint(), g_wait->frameGeometry().size());
        r.moveCenter(screen->availableGeometry().center());
        g_wait->move(r.topLeft());
    }
    g_wait->repaint();
}
