// The shared window helpers: error display, field marking and commit, the common window
// base (keys, geometry, focus frame), the sticking frame and the minimising of modal windows.
#include "TestSupport.h"
#include "app/MinModal.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Widget_Application.h"
#include "app/Widget_ControlUtils.h"
#include "app/form_Common.h"
#include "app/kaStickingBevel.h"
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace TestSupport;

namespace {
const QString kFrameOnFrame = QString::fromUtf8(
    "Нельзя \"прилипать\" к подобному классу, так как это привидет к непредсказуемому поведению из-за "
    "невозможности отследить очередность для ссылок на WindowProc");
const QString kTwoFrames = QString::fromUtf8(
    "Нельзя прилиплять несколько рамок на на один и тот же контрол, так как это привидет к "
    "непредсказуемому поведению из-за невозможности отследить очередность для ссылок на WindowProc");

bool Activate(QWidget* w)
{
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

QColor TextColor(QWidget* w) { return w->palette().color(QPalette::Text); }

// A window with tab stops around controls that navigation must skip.
struct TNavigationForm {
    TCommonForm form;
    QLineEdit* edA = new QLineEdit(&form);
    QLineEdit* edClickOnly = new QLineEdit(&form);
    QLineEdit* edHidden = new QLineEdit(&form);
    QLineEdit* edDisabled = new QLineEdit(&form);
    QLineEdit* edB = new QLineEdit(&form);
    QPushButton* btn = new QPushButton("btn", &form);
    int clicks = 0;

    TNavigationForm()
    {
        form.setObjectName("NavigationForm");
        auto layout = new QVBoxLayout(&form);
        for (QWidget* w : std::initializer_list<QWidget*>{edA, edClickOnly, edHidden, edDisabled, edB, btn})
            layout->addWidget(w);
        edClickOnly->setFocusPolicy(Qt::ClickFocus);
        edHidden->hide();
        edDisabled->setEnabled(false);
        QObject::connect(btn, &QPushButton::clicked, [this] { ++clicks; });
    }
    QWidget* ByName(const QString& name)
    {
        for (QWidget* w : std::initializer_list<QWidget*>{edA, edB, btn})
            if (w->objectName() == name)
                return w;
        return nullptr;
    }
};
}

class TestCommonForm : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void fullStopRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("bound filled in") << "Значение не может быть меньше чем 30" << "Значение не может быть меньше чем 30.";
        QTest::newRow("exclamation") << "Вводите только цифры!" << "Вводите только цифры!";
        QTest::newRow("has its stop") << "Ошибка." << "Ошибка.";
        QTest::newRow("closing bracket sorts before") << "(нет)" << "(нет)";
        QTest::newRow("slash sorts after") << "C:/" << "C:/.";
        QTest::newRow("cyrillic letter") << "Отказ" << "Отказ.";
        QTest::newRow("empty") << "" << "";
    }
    void fullStopRule()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(WithFinalFullStop(text), shown);
    }

    // What escapes a click handler is shown once, with the rule, and the program goes on.
    void errorsEscapingHandlers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("range error") << 0 << QStringList{"Значение не может быть больше чем 350."};
        QTest::newRow("database error") << 1 << QStringList{"no such table: X."};
        QTest::newRow("abort") << 2 << QStringList{};
    }
    void errorsEscapingHandlers()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, boxes);
        QWidget window;
        QPushButton button("go", &window);
        int after = 0;
        QObject::connect(&button, &QPushButton::clicked, [kind] {
            if (kind == 0)
                throw AppException("Значение не может быть больше чем 350");
            if (kind == 1)
                throw EDatabaseError("no such table: X");
            throw EAbort();
        });
        QObject::connect(&button, &QPushButton::pressed, [&after] { ++after; });
        window.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QStringList shown;
        for (const TDialogRequest& r : TDialogs::Asked()) {
            QCOMPARE(r.type, TBoxType::Error);
            QCOMPARE(r.buttons, int(TButton::OK));
            shown << r.text;
        }
        QCOMPARE(shown, boxes);
        QTest::mouseClick(&button, Qt::LeftButton); // the loop survived
        QCOMPARE(after, 2);
    }

    void markControl_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("line edit") << 0;
        QTest::newRow("plain text") << 1;
        QTest::newRow("date edit") << 2;
        QTest::newRow("editable combo") << 3;
    }
    void markControl()
    {
        QFETCH(int, kind);
        QWidget window;
        auto layout = new QVBoxLayout(&window);
        auto other = new QLineEdit(&window);
        layout->addWidget(other);
        QWidget* control = nullptr;
        QLineEdit* text = nullptr;
        if (kind == 0) {
            auto e = new QLineEdit("12a", &window);
            e->selectAll();
            control = text = e;
        } else if (kind == 1) {
            auto e = new QPlainTextEdit("строка\nвторая", &window);
            e->selectAll();
            control = e;
        } else if (kind == 2) {
            auto e = new QDateEdit(QDate(2026, 1, 2), &window);
            control = e;
            text = e->findChild<QLineEdit*>();
        } else {
            auto e = new QComboBox(&window);
            e->setEditable(true);
            e->setEditText("12a");
            e->lineEdit()->selectAll();
            control = e;
            text = e->lineEdit();
        }
        layout->addWidget(control);
        QVERIFY(Activate(&window));
        other->setFocus();

        MarkControl(control, false);
        QCOMPARE(TextColor(control), QColor(Qt::red));
        QVERIFY(control->hasFocus());
        if (text) {
            QVERIFY(!text->hasSelectedText());
            QCOMPARE(text->cursorPosition(), int(text->text().size()));
        } else {
            auto plain = static_cast<QPlainTextEdit*>(control);
            QVERIFY(!plain->textCursor().hasSelection());
            QVERIFY(plain->textCursor().atEnd());
        }
        MarkControl(control, true);
        QCOMPARE(TextColor(control), QColor(Qt::black));
    }

    void readNumbersFromFields()
    {
        QLineEdit edit("12a");
        try {
            GetIntValue(&edit);
            QFAIL("12a was accepted");
        } catch (const AppException& e) {
            QCOMPARE(e.Message(), QString("Вводите только цифры!"));
        }
        edit.setText("");
        QCOMPARE(GetIntValue(&edit), 0);
        edit.setText("12,5");
        QCOMPARE(GetFloatValue(&edit), 12.5);
    }

    // The commit of a numeric field: the setter sees the value; a bad text or a refused
    // value leaves the field red and the error on its way to the display.
    void commitField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("error");
        QTest::newRow("accepted") << "120" << 120 << "";
        QTest::newRow("empty is zero") << "" << 0 << "";
        QTest::newRow("not a number") << "12a" << -1 << "Вводите только цифры!";
        QTest::newRow("refused by setter") << "400" << -1 << "Значение не может быть больше чем 350";
    }
    void commitField()
    {
        QFETCH(QString, text);
        QFETCH(int, stored);
        QFETCH(QString, error);
        QWidget window;
        auto edit = new QLineEdit(text, &window);
        new QLineEdit(&window);
        window.show();
        int value = -1;
        const auto setter = [&value](int v) {
            if (v > 350)
                throw AppException("Значение не может быть больше чем 350");
            value = v;
        };
        QString raised;
        try {
            CommitIntField(edit, setter);
        } catch (const AppException& e) {
            raised = e.Message();
        }
        QCOMPARE(raised, error);
        QCOMPARE(value, stored);
        QCOMPARE(TextColor(edit), error.isEmpty() ? QColor(Qt::black) : QColor(Qt::red));
        if (!error.isEmpty())
            QCOMPARE(window.focusWidget(), edit);
    }

    void keyNavigation_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("clicks");
        QTest::newRow("down skips non-stops") << "edA" << int(Qt::Key_Down) << "edB" << 0;
        QTest::newRow("enter skips non-stops") << "edA" << int(Qt::Key_Return) << "edB" << 0;
        QTest::newRow("keypad enter") << "edA" << int(Qt::Key_Enter) << "edB" << 0;
        QTest::newRow("up") << "edB" << int(Qt::Key_Up) << "edA" << 0;
        QTest::newRow("down wraps to first") << "btn" << int(Qt::Key_Down) << "edA" << 0;
        QTest::newRow("up wraps to last") << "edA" << int(Qt::Key_Up) << "btn" << 0;
        QTest::newRow("enter presses a button") << "btn" << int(Qt::Key_Return) << "btn" << 1;
        QTest::newRow("other keys left alone") << "edA" << int(Qt::Key_Right) << "edA" << 0;
    }
    void keyNavigation()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        QFETCH(int, clicks);
        TNavigationForm f;
        f.edA->setObjectName("edA");
        f.edB->setObjectName("edB");
        f.btn->setObjectName("btn");
        QVERIFY(Activate(&f.form));
        f.ByName(from)->setFocus();
        QTest::keyClick(f.ByName(from), Qt::Key(key));
        QCOMPARE(f.form.focusWidget(), f.ByName(to));
        QCOMPARE(f.clicks, clicks);
    }

    void escapeClosesOnlyModalWindows_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::newRow("modal") << true;
        QTest::newRow("modeless") << false;
    }
    void escapeClosesOnlyModalWindows()
    {
        QFETCH(bool, modal);
        TNavigationForm f;
        f.form.setModal(modal);
        QVERIFY(Activate(&f.form));
        f.edA->setFocus();
        f.form.setResult(-1);
        QTest::keyClick(f.edA, Qt::Key_Escape);
        QCOMPARE(f.form.isVisible(), !modal);
        QCOMPARE(f.form.result(), modal ? int(QDialog::Rejected) : -1);
    }

    void escapeInRunningModalWindow()
    {
        TNavigationForm f;
        QTimer::singleShot(0, [&f] { QTest::keyClick(f.edA, Qt::Key_Escape); });
        QTimer::singleShot(5000, &f.form, &QDialog::accept); // a failure must not hang the run
        QCOMPARE(f.form.exec(), int(QDialog::Rejected));
    }

    // Each screen resolution keeps its own geometry; the window's current one is the default.
    void geometryPerResolution()
    {
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        TNavigationForm f;
        const QString section = f.form.GeometrySection();
        const QSize screen = f.form.screen()->size();
        QCOMPARE(section, QString("%1x%2").arg(screen.width()).arg(screen.height()));

        info.WriteInteger("1x1", "NavigationForm_width", 999);
        info.WriteInteger(section, "NavigationForm_width", 333);
        info.WriteInteger(section, "NavigationForm_top", 44);
        f.form.show();
        QCOMPARE(f.form.width(), 333);
        QCOMPARE(f.form.y(), 44);
        const int height = f.form.height();
        const int left = f.form.x();
        f.form.resize(350, height);
        f.form.hide();

        QCOMPARE(info.ReadInteger(section, "NavigationForm_width", 0), 350);
        QCOMPARE(info.ReadInteger(section, "NavigationForm_height", 0), height);
        QCOMPARE(info.ReadInteger(section, "NavigationForm_left", -1), left);
        QCOMPARE(info.ReadInteger("1x1", "NavigationForm_width", 0), 999);
    }

    void geometryKeysWrittenInOrder()
    {
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        TNavigationForm f;
        f.form.show();
        f.form.hide();
        QCOMPARE(info.ReadSection(f.form.GeometrySection()),
                 QStringList({"NavigationForm_width", "NavigationForm_height", "NavigationForm_left",
                              "NavigationForm_top"}));
    }

    // The common behaviour attached to a main window that is not a TCommonForm.
    void behaviourOnMainWindow()
    {
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        QMainWindow main;
        main.setObjectName("ExplorerForm");
        auto central = new QWidget(&main);
        auto layout = new QVBoxLayout(central);
        auto first = new QLineEdit(central);
        auto second = new QLineEdit(central);
        layout->addWidget(first);
        layout->addWidget(second);
        main.setCentralWidget(central);
        auto common = new TCommonFormBehaviour(&main);
        QVERIFY(Activate(&main));
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), second);
        QCOMPARE(common->FocusFrame()->StickTo(), second);
        main.close();
        QVERIFY(info.ValueExists(common->GeometrySection(), "ExplorerForm_width"));
    }

    void focusFrameFollowsTabStops()
    {
        TCommonForm form;
        form.resize(300, 200);
        auto stop = new QLineEdit(&form);
        stop->setGeometry(20, 20, 100, 24);
        auto clickOnly = new QLineEdit(&form);
        clickOnly->setGeometry(20, 80, 100, 24);
        clickOnly->setFocusPolicy(Qt::ClickFocus);
        TkaStickingBevel* frame = form.FocusFrame();
        QCOMPARE(frame->Color(), QColor(0, 0, 128));
        QCOMPARE(frame->WeightOfLine(), 2);
        QCOMPARE(frame->Spacing(), 1);
        QVERIFY(Activate(&form));

        stop->setFocus();
        QCOMPARE(frame->StickTo(), stop);
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->geometry(), QRect(17, 17, 106, 30));

        stop->setGeometry(40, 50, 120, 30);
        QCOMPARE(frame->geometry(), QRect(37, 47, 126, 36));

        clickOnly->setFocus();
        QVERIFY(!frame->isVisible());

        stop->setFocus();
        delete stop;
        QCOMPARE(frame->StickTo(), nullptr);
        QVERIFY(!frame->isVisible());
    }

    void stickingBevelRules()
    {
        QWidget parent;
        auto a = new QLineEdit(&parent);
        a->setGeometry(10, 10, 50, 20);
        auto frame = new TkaStickingBevel(&parent);
        auto other = new TkaStickingBevel(&parent);
        frame->SetWeightOfLine(0);
        frame->SetSpacing(-4);
        QCOMPARE(frame->WeightOfLine(), 1);
        QCOMPARE(frame->Spacing(), 0);
        QVERIFY(frame->testAttribute(Qt::WA_TransparentForMouseEvents));

        QString raised;
        try {
            frame->SetStickTo(other);
        } catch (const EStickingBevelError& e) {
            raised = e.Message();
        }
        QCOMPARE(raised, kFrameOnFrame);

        frame->SetStickTo(a);
        QCOMPARE(frame->geometry(), QRect(9, 9, 52, 22));
        raised.clear();
        try {
            other->SetStickTo(a);
        } catch (const EStickingBevelError& e) {
            raised = e.Message();
        }
        QCOMPARE(raised, kTwoFrames);
        QCOMPARE(other->StickTo(), nullptr);

        QWidget orphan; // no parent: nothing happens
        frame->SetStickTo(&orphan);
        QCOMPARE(frame->StickTo(), a);
        frame->SetStickTo(nullptr);
        QCOMPARE(frame->StickTo(), nullptr);
        other->SetStickTo(a); // free again
        QCOMPARE(other->StickTo(), a);
    }

    void minModalMinimisesTheApplication()
    {
        QWidget main;
        main.show();
        QDialog modal;
        modal.setModal(true);
        auto minModal = new TMinModal(new QObject(&modal));
        QCOMPARE(minModal->Window(), &modal);
        modal.show();
        modal.setWindowState(Qt::WindowMinimized);
        QVERIFY(main.isMinimized());
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&modal, &activate);
        QVERIFY(!main.isMinimized());
        QVERIFY(!modal.isMinimized());
    }
};

int main(int argc, char** argv)
{
    TVeltaApplication app(argc, argv);
    TestSupport::InitEnvironment();
    TestCommonForm tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "test_common_form.moc"
