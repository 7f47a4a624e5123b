#pragma once
// The common window base. Every window of the program keeps its geometry per screen
// resolution in the settings file, moves the focus with Enter, Down and Up, closes with Esc
// when modal, and shows a navy frame around the focused field.
//
// The behaviour lives in TCommonFormBehaviour, which attaches to any top-level widget, so a
// window that cannot descend from TCommonForm (the main window is a QMainWindow) gets the
// same behaviour:
//
//     class TExplorerForm : public QMainWindow, public TCommonFormHost {
//         TExplorerForm() { setObjectName("ExplorerForm"); new TCommonFormBehaviour(this, this); }
//         void LoadSettings() override { TCommonFormHost::LoadSettings(); /* own keys */ }
//     };
#include <QDialog>
#include <QPointer>
#include <QString>

class QKeyEvent;
class TCommonFormBehaviour;
class TkaStickingBevel;

// The overridable side of a common window. Overrides call the inherited operation first
// (for SaveSettings a window may write its own keys before, as the login window does).
class TCommonFormHost {
public:
    virtual ~TCommonFormHost();

    TCommonFormBehaviour* Common() const { return m_common; }

    // On every show / every close: the geometry keys of the window.
    virtual void LoadSettings();
    virtual void SaveSettings();
    // Key preview: the window sees a key press before the focused control. true = the key
    // is used up. The inherited operation handles the common keys.
    virtual bool FormKeyDown(QKeyEvent* event);

private:
    friend class TCommonFormBehaviour;
    QPointer<TCommonFormBehaviour> m_common;
};

class TCommonFormBehaviour : public QObject {
    Q_OBJECT
public:
    // Attaches to window (a top-level widget, parent of this object). host: the window's
    // overrides; without one the common operations run as they are.
    TCommonFormBehaviour(QWidget* window, TCommonFormHost* host = nullptr);

    QWidget* Window() const { return m_window; }
    // The screen size at creation, such as "1024x768".
    const QString& GeometrySection() const { return m_geometrySection; }
    TkaStickingBevel* FocusFrame();

    void LoadGeometry();
    void SaveGeometry();
    bool CommonKeyDown(QKeyEvent* event);
    // Focus to the next (or previous) tab-stop control, wrapping around at the ends.
    void FocusNext(bool forward);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TCommonFormHost;
    void FocusChanged(QWidget* now);
    void PressEnter();
    void CenterOnScreen();

    QWidget* m_window;
    TCommonFormHost* m_host;
    bool m_hostGone = false; // the window is being destroyed: its overrides are gone
    QString m_geometrySection;
    QPointer<TkaStickingBevel> m_focusFrame;
};

// The first statement of the destructor of every window whose handlers read its controls.
// While the toolkit takes the controls down it moves the focus and emits signals; from this
// call on, none of that reaches the window or its helper objects (application-wide signals
// and event filters, focus-out commits, signals of the controls), so no handler reads a
// control that is already gone.
void DetachWindowHandlers(QWidget* window);

// The base of the program's dialog windows.
class TCommonForm : public QDialog, public TCommonFormHost {
    Q_OBJECT
public:
    explicit TCommonForm(QWidget* parent = nullptr);

    const QString& GeometrySection() const;
    TkaStickingBevel* FocusFrame();
};
