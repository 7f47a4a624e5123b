#include "app/kaStickingBevel.h"
#include <QEvent>
#include <QPainter>

namespace {
const char* const kFrameOnFrame =
    "Нельзя \"прилипать\" к подобному классу, так как это привидет к непредсказуемому поведению "
    "из-за невозможности отследить очередность для ссылок на WindowProc";
const char* const kTwoFrames =
    "Нельзя прилиплять несколько рамок на на один и тот же контрол, так как это привидет к "
    "непредсказуемому поведению из-за невозможности отследить очередность для ссылок на WindowProc";
}

TkaStickingBevel::TkaStickingBevel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

TkaStickingBevel::~TkaStickingBevel() { Detach(); }

void TkaStickingBevel::SetStickTo(QWidget* control)
{
    if (control == m_control)
        return;
    if (qobject_cast<TkaStickingBevel*>(control))
        throw EStickingBevelError(QString::fromUtf8(kFrameOnFrame));
    if (!control) {
        Detach();
        return;
    }
    QWidget* parent = control->parentWidget();
    if (!parent)
        return;
    for (TkaStickingBevel* other : parent->findChildren<TkaStickingBevel*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->StickTo() == control)
            throw EStickingBevelError(QString::fromUtf8(kTwoFrames));

    Detach();
    m_control = control;
    control->installEventFilter(this);
    connect(control, &QObject::destroyed, this, [this] {
        m_control = nullptr;
        hide(); // no frame around the empty place the control leaves
    });
    if (parentWidget() != parent) {
        // Reparenting hides a widget; the frame keeps whatever visibility it was given.
        const bool shown = !isHidden();
        setParent(parent);
        setVisible(shown);
    }
    FollowControl();
}

void TkaStickingBevel::Detach()
{
    if (!m_control)
        return;
    m_control->removeEventFilter(this);
    disconnect(m_control, nullptr, this, nullptr);
    m_control = nullptr;
    update();
}

void TkaStickingBevel::FollowControl()
{
    if (!m_control)
        return;
    const int grow = m_weight + m_spacing;
    setGeometry(m_control->geometry().adjusted(-grow, -grow, grow, grow));
    // Beneath the control, as a frame painted on the parent would be.
    stackUnder(m_control);
    update();
}

void TkaStickingBevel::SetColor(const QColor& color)
{
    m_color = color;
    update();
}

void TkaStickingBevel::SetWeightOfLine(int weight)
{
    m_weight = qMax(1, weight);
    FollowControl();
}

void TkaStickingBevel::SetSpacing(int spacing)
{
    m_spacing = qMax(0, spacing);
    FollowControl();
}

bool TkaStickingBevel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_control && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        FollowControl();
    return false;
}

void TkaStickingBevel::paintEvent(QPaintEvent*)
{
    if (!m_control)
        return;
    QPainter p(this);
    p.setPen(QPen(m_color, 1));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < m_weight; ++i)
        p.drawRect(QRect(i, i, width() - 2 * i, height() - 2 * i).adjusted(0, 0, -1, -1));
}
