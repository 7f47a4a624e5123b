#include "app/MinModal.h"
#include <QApplication>
#include <QEvent>

namespace {
QWidget* WindowAmong(QObject* o)
{
    for (; o; o = o->parent())
        if (o->isWidgetType())
            return static_cast<QWidget*>(o)->window();
    return nullptr;
}
}

TMinModal::TMinModal(QObject* owner) : QObject(owner), m_window(WindowAmong(owner))
{
    // The filter goes with the window: this object is its child or its child's child.
    if (m_window)
        m_window->installEventFilter(this);
}

bool TMinModal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window || m_busy)
        return false;
    switch (event->type()) {
    case QEvent::WindowStateChange:
        if (m_window->isMinimized())
            MinimizeApplication();
        else if (!m_minimized.isEmpty())
            RestoreApplication();
        break;
    case QEvent::WindowActivate:
        RestoreApplication();
        break;
    default:
        break;
    }
    return false;
}

void TMinModal::MinimizeApplication()
{
    m_busy = true;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == m_window || !w->isVisible() || w->isMinimized() || w->windowType() == Qt::Popup
            || w->windowType() == Qt::ToolTip)
            continue;
        m_minimized.append(w);
        w->setWindowState((w->windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
    }
    m_busy = false;
}

void TMinModal::RestoreApplication()
{
    m_busy = true;
    const auto windows = m_minimized;
    m_minimized.clear();
    for (const QPointer<QWidget>& w : windows)
        if (w && w->isMinimized())
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    if (m_window && m_window->isMinimized())
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_busy = false;
}
