#pragma once
// A frame drawn around another control (the focus frame of the windows). It lives in the
// framed control's parent, is always the control's bounds grown by WeightOfLine + Spacing
// on every side, follows the control's moves and size changes, and lets the mouse through.
#include "app/Unit_Exceptions.h"
#include <QColor>
#include <QPointer>
#include <QWidget>

// Misuse of the frame by the program itself; never expected in use.
class EStickingBevelError : public TVeltaException { using TVeltaException::TVeltaException; };

class TkaStickingBevel : public QWidget {
    Q_OBJECT
public:
    explicit TkaStickingBevel(QWidget* parent = nullptr);
    ~TkaStickingBevel() override;

    QWidget* StickTo() const { return m_control; }
    // nullptr detaches. Throws EStickingBevelError for a frame, or for a control that
    // another frame already follows.
    void SetStickTo(QWidget* control);

    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    int WeightOfLine() const { return m_weight; }
    void SetWeightOfLine(int weight); // at least 1
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);     // at least 0

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Detach();
    void FollowControl();

    QPointer<QWidget> m_control;
    QColor m_color = Qt::black;
    int m_weight = 1;
    int m_spacing = 0;
};
