#pragma once
// Drives a document window from the keyboard as an operator does, over a test workstation
// whose data module stands on its first patient. Form is the window class; it must offer
// OpenDocument(prnLID, docLID).
#include "TestSupport.h"
#include "app/Unit_Dialogs.h"
#include "data/Unit_DataModule.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <memory>

namespace TestSupport {

template <class Form> struct TDocumentWindowDriver {
    TWorkstation ws;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<Form> form;

    explicit TDocumentWindowDriver(const std::function<void(TWorkstation&)>& fixture)
    {
        fixture(ws);
        TAppInfo& info = ws.Info();
        info.LoggedIn = true;
        info.HspGID = 1;
        dm = std::make_unique<TDM>(info);
        dm->SetPersonRow(0);
    }
    // Opens a document without the modal loop, as EditDocument does before its modal show.
    void Open(int docLID = 0, bool modal = false)
    {
        form = std::make_unique<Form>();
        form->OpenDocument(1, docLID);
        form->setModal(modal);
        form->show();
        Activate();
        TDialogs::ClearAsked();
    }
    // The offscreen platform has no window manager to hand the activation back.
    void Activate()
    {
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(focus() ? focus() : form.get(), Qt::Key(key), mods);
    }
    // In, the old text replaced, out with Enter.
    void Enter(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeText(edit, text);
        Key(Qt::Key_Return);
    }
    // Space on a box (one step of its cycle), then on with Enter.
    void Tick(QCheckBox* box)
    {
        box->setFocus();
        Key(Qt::Key_Space);
        Key(Qt::Key_Return);
    }
    // F10 in the focused field, choosing the first row that begins with prefix.
    void PickWithF10(const QString& prefix)
    {
        QTimer::singleShot(0, [prefix] {
            QWidget* picker = QApplication::activeModalWidget();
            if (!picker || !QTest::qWaitForWindowActive(picker))
                return;
            QLineEdit* search = Child<QLineEdit>(picker, "edSearchString");
            TypeText(search, prefix);
            QTest::keyClick(search, Qt::Key_Return);
        });
        Key(Qt::Key_F10);
        Activate();
    }
};

inline bool Red(const QWidget* w) { return w->palette().color(QPalette::Text) == QColor(Qt::red); }

} // namespace TestSupport
