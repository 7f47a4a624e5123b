#include "app/form_Common.h"
#include "app/Unit_GlobalObjects.h"
#include "app/kaStickingBevel.h"
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace {
const QColor kFocusFrameColor(0, 0, 128);

bool IsTabStop(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus; }
}

void DetachWindowHandlers(QWidget* window)
{
    // The receivers are the window and its helper objects (behaviour, commits, groups);
    // the controls' own connections among themselves are the toolkit's business.
    QList<QObject*> receivers{window};
    for (QObject* o : window->findChildren<QObject*>())
        if (!o->isWidgetType())
            receivers.append(o);
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QObject* r : receivers) {
        QObject::disconnect(qApp, nullptr, r, nullptr);
        qApp->removeEventFilter(r);
        for (QWidget* c : controls) {
            c->removeEventFilter(r);
            QObject::disconnect(c, nullptr, r, nullptr);
        }
    }
}

// --- TCommonFormHost -------------------------------------------------------------------

TCommonFormHost::~TCommonFormHost()
{
    // The window hides itself while it is destroyed; by then the overrides are gone.
    if (m_common)
        m_common->m_hostGone = true;
}

void TCommonFormHost::LoadSettings()
{
    if (m_common)
        m_common->LoadGeometry();
}

void TCommonFormHost::SaveSettings()
{
    if (m_common)
        m_common->SaveGeometry();
}

bool TCommonFormHost::FormKeyDown(QKeyEvent* event) { return m_common && m_common->CommonKeyDown(event); }

// --- TCommonFormBehaviour --------------------------------------------------------------

TCommonFormBehaviour::TCommonFormBehaviour(QWidget* window, TCommonFormHost* host)
    : QObject(window), m_window(window), m_host(host)
{
    const QSize screen = window->screen() ? window->screen()->size() : QSize();
    m_geometrySection = QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height());
    if (m_host)
        m_host->m_common = this;
    FocusFrame();
    // The window must see key presses before its controls do, and those go to the focused
    // control first: only an application-wide filter comes earlier.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

TkaStickingBevel* TCommonFormBehaviour::FocusFrame()
{
    // The frame lives in the framed control's parent and may go down with it.
    if (!m_focusFrame) {
        m_focusFrame = new TkaStickingBevel(m_window);
        m_focusFrame->setObjectName(QStringLiteral("FocusFrame"));
        m_focusFrame->SetWeightOfLine(2);
        m_focusFrame->SetColor(kFocusFrameColor);
        m_focusFrame->SetSpacing(1);
        m_focusFrame->hide();
    }
    return m_focusFrame;
}

void TCommonFormBehaviour::LoadGeometry()
{
    TAppInfo* info = AppInfo();
    if (!info)
        return;
    const QString name = m_window->objectName();
    const QString& s = m_geometrySection;
    m_window->resize(info->ReadInteger(s, name + "_width", m_window->width()), m_window->height());
    m_window->resize(m_window->width(), info->ReadInteger(s, name + "_height", m_window->height()));
    m_window->move(info->ReadInteger(s, name + "_left", m_window->x()), m_window->y());
    m_window->move(m_window->x(), info->ReadInteger(s, name + "_top", m_window->y()));
}

void TCommonFormBehaviour::SaveGeometry()
{
    TAppInfo* info = AppInfo();
    if (!info)
        return;
    const QString name = m_window->objectName();
    const QString& s = m_geometrySection;
    info->WriteInteger(s, name + "_width", m_window->width());
    info->WriteInteger(s, name + "_height", m_window->height());
    info->WriteInteger(s, name + "_left", m_window->x());
    info->WriteInteger(s, name + "_top", m_window->y());
}

bool TCommonFormBehaviour::CommonKeyDown(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PressEnter();
        return true;
    case Qt::Key_Down:
        FocusNext(true);
        return true;
    case Qt::Key_Up:
        FocusNext(false);
        return true;
    case Qt::Key_Escape:
        // Used up in a modeless window too: the toolkit would otherwise hide a modeless
        // dialog on Esc, which the program's windows do not do.
        if (m_window->isModal()) {
            if (auto dialog = qobject_cast<QDialog*>(m_window))
                dialog->reject();
            else
                m_window->close();
        }
        return true;
    default:
        return false;
    }
}

void TCommonFormBehaviour::PressEnter()
{
    // A focused button is pressed; an explicit default button takes Enter from any field
    // (the login window makes OK the default only while the password field has the focus);
    // everywhere else Enter moves on like Tab.
    QWidget* focused = m_window->focusWidget();
    if (auto button = qobject_cast<QPushButton*>(focused); button && button->isEnabled()) {
        button->click();
        return;
    }
    for (QPushButton* b : m_window->findChildren<QPushButton*>()) {
        if (b->isDefault() && b->isEnabled() && b->window() == m_window && b->isVisibleTo(m_window)) {
            b->click();
            return;
        }
    }
    FocusNext(true);
}

void TCommonFormBehaviour::FocusNext(bool forward)
{
    QList<QWidget*> stops;
    for (QWidget* w = m_window->nextInFocusChain(); w && w != m_window; w = w->nextInFocusChain()) {
        if (w->window() == m_window && IsTabStop(w) && w->isEnabled() && w->isVisibleTo(m_window)
            && !w->focusProxy())
            stops.append(w);
    }
    if (stops.isEmpty())
        return;
    const qsizetype at = stops.indexOf(m_window->focusWidget());
    qsizetype next;
    if (at < 0)
        next = forward ? 0 : stops.size() - 1;
    else
        next = (at + (forward ? 1 : stops.size() - 1)) % stops.size();
    stops[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void TCommonFormBehaviour::FocusChanged(QWidget* now)
{
    if (m_hostGone || !now || now->window() != m_window)
        return;
    TkaStickingBevel* frame = FocusFrame();
    if (IsTabStop(now)) {
        frame->SetStickTo(now);
        frame->show();
    } else {
        frame->hide();
    }
}

void TCommonFormBehaviour::CenterOnScreen()
{
    QScreen* screen = m_window->screen();
    if (!screen)
        return;
    QRect r(QPoint(), m_window->frameGeometry().size());
    r.moveCenter(screen->availableGeometry().center());
    m_window->move(r.topLeft());
}

bool TCommonFormBehaviour::eventFilter(QObject* watched, QEvent* event)
{
    if (m_hostGone)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == m_window) {
            auto key = static_cast<QKeyEvent*>(event);
            return m_host ? m_host->FormKeyDown(key) : CommonKeyDown(key);
        }
        return false;
    case QEvent::Show:
        if (watched == m_window && !event->spontaneous()) {
            // Enter belongs to the window (see PressEnter); the toolkit would otherwise make
            // some button the implicit default of a dialog as it appears.
            for (QPushButton* b : m_window->findChildren<QPushButton*>())
                b->setAutoDefault(false);
            CenterOnScreen();
            if (m_host)
                m_host->LoadSettings();
            else
                LoadGeometry();
        }
        return false;
    case QEvent::Hide:
        if (watched == m_window && !event->spontaneous()) {
            if (m_host)
                m_host->SaveSettings();
            else
                SaveGeometry();
        }
        return false;
    default:
        return false;
    }
}

// --- TCommonForm -----------------------------------------------------------------------

TCommonForm::TCommonForm(QWidget* parent) : QDialog(parent) { new TCommonFormBehaviour(this, this); }

const QString& TCommonForm::GeometrySection() const { return Common()->GeometrySection(); }
TkaStickingBevel* TCommonForm::FocusFrame() { return Common()->FocusFrame(); }
