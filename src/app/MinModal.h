#pragma once
// Placed on a modal window, it makes the window's minimise button minimise the whole
// application: a modal window minimised alone would leave the blocked main window on
// screen with no way back to the dialog. When the window is activated again, everything
// minimised with it comes back.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class TMinModal : public QObject {
    Q_OBJECT
public:
    // The window watched is the first window among owner and its parents.
    explicit TMinModal(QObject* owner);
    QWidget* Window() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MinimizeApplication();
    void RestoreApplication();

    QPointer<QWidget> m_window;
    QList<QPointer<QWidget>> m_minimized;
    bool m_busy = false;
};
