// The login window (login and password change), the settings window and the small
// dialogs, driven as the operator drives them, over a real workstation database.
#include "TestSupport.h"
#include "access/Unit_Security.h"
#include "access/form_login.h"
#include "app/Unit_Dialogs.h"
#include "app/Widget_Application.h"
#include "app/kaStickingBevel.h"
#include "ui/FormAbout.h"
#include "ui/FormExportParams.h"
#include "ui/FormWait.h"
#include "ui/form_SetSettings.h"
#include <QCalendarWidget>
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

using namespace TestSupport;

namespace {
const QString kUser = "ИВАНОВ";
const QString kPassword = "ПАРОЛЬ";

bool Activate(QWidget* w)
{
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

QLineEdit* Edit(QWidget* w, const char* name) { return Child<QLineEdit>(w, name); }
QPushButton* Button(QWidget* w, const char* name) { return Child<QPushButton>(w, name); }

// Two polyclinics; the operator's workstation belongs to the second.
void AddOperator(TWorkstation& ws)
{
    ws.Exec("insert into Hospital (HspGID, MU) values (1, 'Поликлиника № 1'), (2, 'Поликлиника № 2')");
    ws.Exec("insert into Workstation (WstGID, WstName, HspGID) values (10, 'РМ 10', 2)");
    ws.Exec(QString("insert into Operator (WstGID, UserGID, UserName, UserHash, UserLevel) "
                    "values (10, 5, '%1', '%2', 1)")
                .arg(kUser, PasswordHashText(kPassword)));
}

// Acts on a modal window once its exec() runs; closes it if the action left it open, so
// that a failing test cannot hang the run.
void WhenModal(QDialog* dialog, std::function<void()> action)
{
    QTimer::singleShot(0, dialog, [dialog, action] {
        action();
        if (dialog->isVisible())
            dialog->reject();
    });
}
}

class TestLoginSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    // --- login window ---------------------------------------------------------------

    void loginConfirmedFillsContext()
    {
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        AddOperator(ws);
        TLoginForm form;
        bool wasModal = false;
        WhenModal(&form, [&] {
            wasModal = form.isModal();
            TypeText(Edit(&form, "edUserName"), "иванов"); // upper case as typed
            TypeText(Edit(&form, "edPassword"), "пароль");
            Child<QComboBox>(&form, "edHospital")->setCurrentIndex(0);
            QTest::mouseClick(Button(&form, "btnOK"), Qt::LeftButton);
        });
        QVERIFY(form.ShowLogin());
        QVERIFY(wasModal);
        QVERIFY(TDialogs::Asked().isEmpty());
        QVERIFY(info.LoggedIn);
        QCOMPARE(info.UserGID, 5);
        QCOMPARE(info.WstGID, 10);
        QCOMPARE(info.UserLevel, 1);
        QCOMPARE(info.HspGID, 1); // the choice in the window, not the workstation's 2
        // Left on screen, modeless, with its loading note.
        QVERIFY(form.isVisible());
        QVERIFY(!form.isModal());
        QCOMPARE(Child<QStatusBar>(&form, "StatusBar")->currentMessage(),
                 QString(" Загрузка списка пациентов. Ждите..."));
        QCOMPARE(info.ReadString("settings", "LastUser", ""), kUser);
        QCOMPARE(info.ReadInteger("settings", "LastHspGID", -1), 1);
    }

    void loginRefused_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("wrong password") << kUser << "ПАРОЛЬ2";
        QTest::newRow("unknown operator") << "ПЕТРОВ" << kPassword;
        QTest::newRow("empty password") << kUser << "";
    }
    void loginRefused()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        AddOperator(ws);
        TLoginForm form;
        bool openAfterRefusal = false;
        WhenModal(&form, [&] {
            Edit(&form, "edUserName")->setText(user);
            Edit(&form, "edPassword")->setText(password);
            QTest::mouseClick(Button(&form, "btnOK"), Qt::LeftButton);
            openAfterRefusal = form.isVisible() && Edit(&form, "edPassword")->text() == password;
            QTest::mouseClick(Button(&form, "btnCancel"), Qt::LeftButton);
        });
        QVERIFY(!form.ShowLogin());
        QVERIFY(openAfterRefusal);
        QCOMPARE(AskedTexts(), QStringList{"Отказано в доступе."});
        QCOMPARE(TDialogs::Asked().first().type, TBoxType::Error);
        QVERIFY(!info.LoggedIn);
        QVERIFY(!form.isVisible());
        QCOMPARE(info.ReadString("settings", "LastUser", "-"), user); // written whatever the result
    }

    // Enter in the password field presses OK; Esc cancels.
    void loginKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("enter") << int(Qt::Key_Return) << true;
        QTest::newRow("esc") << int(Qt::Key_Escape) << false;
    }
    void loginKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, loggedIn);
        TWorkstation ws;
        ws.Info().WriteString("settings", "LastUser", kUser);
        AddOperator(ws);
        TLoginForm form;
        QWidget* focusAtStart = nullptr;
        WhenModal(&form, [&] {
            QVERIFY(Activate(&form));
            focusAtStart = QApplication::focusWidget();
            TypeText(focusAtStart, kPassword);
            QTest::keyClick(focusAtStart, Qt::Key(key));
        });
        QCOMPARE(form.ShowLogin(), loggedIn);
        QCOMPARE(focusAtStart, Edit(&form, "edPassword")); // a known name sends the focus on
        QVERIFY(TDialogs::Asked().isEmpty());
    }

    void enterMovesThroughFieldsAndFrameFollows()
    {
        TWorkstation ws;
        ws.Info();
        AddOperator(ws);
        TLoginForm form;
        QVERIFY(Activate(&form));
        QLineEdit* user = Edit(&form, "edUserName");
        QCOMPARE(QApplication::focusWidget(), user);
        QTest::keyClick(user, Qt::Key_Return); // empty name: on like any field
        QCOMPARE(QApplication::focusWidget(), Edit(&form, "edPassword"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), Child<QComboBox>(&form, "edHospital"));
        QCOMPARE(form.FocusFrame()->StickTo(), Child<QComboBox>(&form, "edHospital"));
        QVERIFY(form.FocusFrame()->isVisible());
        QVERIFY(!Button(&form, "btnOK")->isDefault());
    }

    void lastUserAndPolyclinic_data()
    {
        QTest::addColumn<QString>("lastUser");
        QTest::addColumn<int>("lastHspGID");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("focus");
        QTest::newRow("both restored") << kUser << 2 << 2 << "edPassword";
        QTest::newRow("unknown polyclinic: first") << kUser << 99 << 1 << "edPassword";
        QTest::newRow("first start") << "" << -1 << 1 << "edUserName";
    }
    void lastUserAndPolyclinic()
    {
        QFETCH(QString, lastUser);
        QFETCH(int, lastHspGID);
        QFETCH(int, selected);
        QFETCH(QString, focus);
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        AddOperator(ws);
        if (!lastUser.isEmpty()) {
            info.WriteString("settings", "LastUser", lastUser);
            info.WriteInteger("settings", "LastHspGID", lastHspGID);
        }
        TLoginForm form;
        QVERIFY(Activate(&form));
        QCOMPARE(Edit(&form, "edUserName")->text(), lastUser);
        QCOMPARE(form.SelectedHspGID(), selected);
        QCOMPARE(Child<QComboBox>(&form, "edHospital")->currentText(), QString("Поликлиника № %1").arg(selected));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    void modes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("login") << int(TLoginForm::ModeLogin) << 185 << "Регистрация: ";
        QTest::newRow("password change") << int(TLoginForm::ModePasswordChange) << 210 << "Смена пароля: ";
    }
    void modes()
    {
        QFETCH(int, mode);
        QFETCH(int, height);
        QFETCH(QString, prefix);
        TWorkstation ws;
        ws.Info();
        TLoginForm form;
        form.SetMode(mode);
        form.show();
        const bool change = mode == TLoginForm::ModePasswordChange;
        QCOMPARE(form.size(), QSize(499, height));
        QCOMPARE(form.windowTitle(), prefix + "АИС VELTA (подсистема сбора анкетных данных)");
        QCOMPARE(Edit(&form, "edUserName")->isReadOnly(), change);
        QCOMPARE(Child<QComboBox>(&form, "edHospital")->isVisible(), !change);
        QCOMPARE(Child<QLabel>(&form, "lblHospital")->isVisible(), !change);
        QCOMPARE(Edit(&form, "edNewPassword")->isVisible(), change);
        QCOMPARE(Edit(&form, "edRetypePassword")->isVisible(), change);
        for (const char* name : {"edUserName", "edPassword", "edNewPassword", "edRetypePassword"})
            QCOMPARE(Edit(&form, name)->maxLength(), 20);
        QCOMPARE(Edit(&form, "edPassword")->echoMode(), QLineEdit::Password);
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void passwordChange_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("retype");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("storedPassword");
        QTest::newRow("success") << kPassword << "НОВЫЙ" << "НОВЫЙ" << false
                                 << QStringList{"Пароль изменен успешно."} << true << "НОВЫЙ";
        QTest::newRow("mismatch") << kPassword << "НОВЫЙ" << "НОВЫЕ" << false
                                  << QStringList{"Новый пароль не совпадает с повторенным!"} << false << kPassword;
        QTest::newRow("old password wrong") << "СТАРЫЙ" << "НОВЫЙ" << "НОВЫЙ" << false
                                            << QStringList{"Отказано в доступе."} << false << kPassword;
        QTest::newRow("change refused") << kPassword << "НОВЫЙ" << "НОВЫЙ" << true
                                        << QStringList{"locked.", "Отказано в смене пароля."} << false << kPassword;
    }
    void passwordChange()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, retype);
        QFETCH(bool, locked);
        QFETCH(QStringList, boxes);
        QFETCH(bool, closed);
        QFETCH(QString, storedPassword);
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        AddOperator(ws);
        info.WriteString("settings", "LastUser", kUser);
        if (locked)
            ws.Exec("create trigger lockOperator before update on Operator begin select raise(abort, 'locked.'); end");
        TLoginForm form;
        form.SetMode(TLoginForm::ModePasswordChange);
        form.show();
        QCOMPARE(Edit(&form, "edUserName")->text(), kUser);
        Edit(&form, "edPassword")->setText(oldPassword);
        Edit(&form, "edNewPassword")->setText(newPassword);
        Edit(&form, "edRetypePassword")->setText(retype);
        QTest::mouseClick(Button(&form, "btnOK"), Qt::LeftButton);
        QCOMPARE(AskedTexts(), boxes);
        QCOMPARE(form.isVisible(), !closed);
        QCOMPARE(form.result(), closed ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(Edit(&form, "edNewPassword")->text(), newPassword);
        QCOMPARE(ws.Scalar("select UserHash from Operator where UserGID = 5").toString(),
                 PasswordHashText(storedPassword));
    }

    // In the change mode Enter leads from the old password through the new one to OK.
    void passwordChangeByEnter()
    {
        TWorkstation ws;
        ws.Info().WriteString("settings", "LastUser", kUser);
        AddOperator(ws);
        TLoginForm form;
        form.SetMode(TLoginForm::ModePasswordChange);
        QVERIFY(Activate(&form));
        for (const char* text : {"ПАРОЛЬ", "НОВЫЙ", "НОВЫЙ"}) {
            TypeText(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(AskedTexts(), QStringList{"Пароль изменен успешно."});
        QCOMPARE(ws.Scalar("select UserHash from Operator where UserGID = 5").toString(), PasswordHashText("НОВЫЙ"));
    }

    // --- settings window ------------------------------------------------------------

    void settingsEscapeChangesNothing()
    {
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        const QString before = info.ImportDBPath();
        TDialogs::SetNextPath("/tmp/elsewhere");
        QTimer::singleShot(0, [] {
            auto form = qobject_cast<TSetSettingsForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QTest::keyClick(form, '3');
            QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
            if (form->isVisible())
                form->reject();
        });
        QVERIFY(!RunSettings());
        QCOMPARE(info.ImportDBPath(), before);
        QCOMPARE(info.ReadString("Settings", TAppInfo::ImportKey, ""), ws.ImportFolder());
    }

    // F6, then Cancel in the confirmation: still open; F6 and OK: saved.
    void settingsConfirmation()
    {
        TWorkstation ws;
        TAppInfo& info = ws.Info();
        TDialogs::SetNextPath("/tmp/velta-export");
        bool openAfterCancel = false;
        QTimer::singleShot(0, [&] {
            auto form = qobject_cast<TSetSettingsForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QTest::keyClick(form, '4');
            TDialogs::SetNextAnswer(TButton::Cancel);
            QTest::keyClick(form->focusWidget(), Qt::Key_F6);
            openAfterCancel = form->isVisible() && form->Location(TSetSettingsForm::ExportDB) == "/tmp/velta-export/";
            TDialogs::SetNextAnswer(TButton::OK);
            QTest::keyClick(form->focusWidget(), Qt::Key_F6);
            if (form->isVisible())
                form->reject();
        });
        QVERIFY(RunSettings());
        QVERIFY(openAfterCancel);
        QList<TDialogRequest> questions;
        for (const TDialogRequest& r : TDialogs::Asked())
            if (r.kind == TDialogRequest::Message)
                questions << r;
        QCOMPARE(questions.size(), 2);
        QCOMPARE(questions[0].text, QString("Подтверждаете сохранение настроек?"));
        QCOMPARE(questions[0].buttons, TButton::OK | TButton::Cancel);
        QCOMPARE(info.ExportDBPath(), QString("/tmp/velta-export/"));
        QCOMPARE(info.ReadString("Settings", TAppInfo::ExportKey, ""), QString("/tmp/velta-export/"));
        QCOMPARE(info.MainDBPath(), ws.MainFolder());
    }

    // A machine without settings: the window proposes folders under the home folder and
    // makes them when confirmed; one that cannot be made keeps the window open.
    void settingsProposeHomeFolders_data()
    {
        QTest::addColumn<bool>("homeWritable");
        QTest::newRow("home folders made") << true;
        QTest::newRow("home cannot hold them") << false;
    }
    void settingsProposeHomeFolders()
    {
        QFETCH(bool, homeWritable);
        TWorkstation ws(false, false);
        const QString home = homeWritable ? ws.Root() + "home" : ws.Root() + "blocker";
        if (!homeWritable) {
            QFile f(home);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.toUtf8());
        TAppInfo info(ws.SettingsFile(), ws.AliasFile());
        SetAppInfo(&info);
        info.CheckAliases();
        QStringList shown;
        bool openAfterFailure = false;
        QTimer::singleShot(0, [&] {
            auto form = qobject_cast<TSetSettingsForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            for (int i = 0; i < 4; ++i)
                shown << form->Location(TSetSettingsForm::TLocation(i));
            TDialogs::SetNextAnswer(TButton::OK);
            QTest::keyClick(form->focusWidget(), Qt::Key_F6);
            openAfterFailure = form->isVisible();
            if (form->isVisible())
                form->reject();
        });
        const bool confirmed = RunSettings();
        SetAppInfo(nullptr);
        qputenv("HOME", oldHome);
        QCOMPARE(shown, QStringList({home + "/velta/main/", "/", home + "/velta/import/", home + "/velta/export/"}));
        QCOMPARE(confirmed, homeWritable);
        QCOMPARE(openAfterFailure, !homeWritable);
        for (const char* sub : {"main", "import", "export"})
            QCOMPARE(QFileInfo(home + "/velta/" + sub).isDir(), homeWritable);
        if (homeWritable) {
            QCOMPARE(info.Aliases().AliasPath(TAppInfo::MainAlias), home + "/velta/main/");
            QCOMPARE(info.ReadString("Settings", TAppInfo::ExportKey, ""), home + "/velta/export/");
        } else {
            QCOMPARE(TDialogs::LastText(), QString("Не удаётся создать папку \"%1/velta/main/\".").arg(home));
            QCOMPARE(info.ReadString("Settings", TAppInfo::ExportKey, ""), QString());
        }
    }

    void settingsBrowse_data()
    {
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("mirror");
        QTest::addColumn<QString>("button");
        QTest::newRow("1 main") << '1' << "/data/velta" << "База данных  \"АИС VELTA\"" << "edMainDB" << "" << "btnMainBrowse";
        QTest::newRow("2 poly") << '2' << "/data/poly/" << "База данных  \"ПОЛИКЛИНИКА\"" << "edPolyDB" << "" << "btnPolyBrowse";
        QTest::newRow("3 import") << '3' << "/data/in" << "Папка \"ИМПОРТ\"" << "edImportDB" << "edServerImport" << "btnImportBrowse";
        QTest::newRow("4 export") << '4' << "/data/out//" << "Папка \"ЭКСПОРТ\"" << "edExportDB" << "edServerExport" << "btnExportBrowse";
    }
    void settingsBrowse()
    {
        QFETCH(char, key);
        QFETCH(QString, chosen);
        QFETCH(QString, title);
        QFETCH(QString, edit);
        QFETCH(QString, mirror);
        QFETCH(QString, button);
        TWorkstation ws;
        ws.Info();
        TSetSettingsForm form;
        form.show();
        TDialogs::SetNextPath(chosen);
        QTest::keyClick(&form, key);
        QCOMPARE(TDialogs::Asked().size(), 1);
        QCOMPARE(TDialogs::Asked()[0].kind, TDialogRequest::BrowseFolder);
        QCOMPARE(TDialogs::Asked()[0].text, title);
        QCOMPARE(form.focusWidget()->objectName(), button);
        const QString expected = QString(chosen).remove(QRegularExpression("/+$")) + "/";
        QCOMPARE(Edit(&form, edit.toLatin1())->text(), expected);
        if (!mirror.isEmpty())
            QCOMPARE(Edit(&form, mirror.toLatin1())->text(), expected);

        TDialogs::SetNextPath(""); // cancelled: nothing changes
        QTest::mouseClick(Button(&form, button.toLatin1()), Qt::LeftButton);
        QCOMPARE(Edit(&form, edit.toLatin1())->text(), expected);
    }

    void settingsOKEnabling_data()
    {
        QTest::addColumn<QStringList>("locations");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("all set") << QStringList{"/a/", "/b/", "/c/", "/d/"} << true;
        QTest::newRow("unset shown as slash") << QStringList{"/", "/", "/", "/"} << true;
        QTest::newRow("one empty") << QStringList{"/a/", "", "/c/", "/d/"} << false;
        QTest::newRow("nothing") << QStringList{"", "", "", ""} << false;
    }
    void settingsOKEnabling()
    {
        QFETCH(QStringList, locations);
        QFETCH(bool, enabled);
        TWorkstation ws;
        ws.Info();
        TSetSettingsForm form;
        QVERIFY(!Button(&form, "btnOK")->isEnabled());
        for (int i = 0; i < 4; ++i)
            form.SetLocation(TSetSettingsForm::TLocation(i), locations[i]);
        QCOMPARE(Button(&form, "btnOK")->isEnabled(), enabled);
        form.show();
        TDialogs::SetNextAnswer(TButton::OK);
        QTest::keyClick(&form, Qt::Key_F6);
        QCOMPARE(form.isVisible(), !enabled);
        QCOMPARE(TDialogs::Asked().size(), enabled ? 1 : 0);
    }

    void settingsPages_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("firstButton");
        QTest::newRow("workstation") << false << 300 << "tsWorkstation" << "btnMainBrowse";
        QTest::newRow("server") << true << 220 << "tsServer" << "Button2";
    }
    void settingsPages()
    {
        QFETCH(bool, server);
        QFETCH(int, height);
        QFETCH(QString, page);
        QFETCH(QString, firstButton);
        TWorkstation ws;
        ws.Info().WriteBool("Settings", "IsServer", server);
        TSetSettingsForm form;
        QVERIFY(Activate(&form));
        QCOMPARE(form.size(), QSize(586, height));
        QCOMPARE(form.windowTitle(), QString("Настройка параметров"));
        auto pages = Child<QTabWidget>(&form, "PageControl1");
        QCOMPARE(pages->currentWidget()->objectName(), page);
        QCOMPARE(pages->isTabVisible(0), !server);
        QCOMPARE(pages->isTabVisible(1), server);
        QCOMPARE(QApplication::focusWidget()->objectName(), firstButton);
        QCOMPARE(form.FocusFrame()->StickTo()->objectName(), firstButton);
    }

    // On a server the digit keys address the server page's own buttons: 1 import, 2 export.
    void settingsServerDigits()
    {
        TWorkstation ws;
        ws.Info().WriteBool("Settings", "IsServer", true);
        TSetSettingsForm form;
        form.show();
        TDialogs::SetNextPath("/srv/out");
        QTest::keyClick(&form, '2');
        QCOMPARE(form.focusWidget()->objectName(), QString("Button1"));
        QCOMPARE(Edit(&form, "edServerExport")->text(), QString("/srv/out/"));
        QCOMPARE(form.Location(TSetSettingsForm::ExportDB), QString("/srv/out/"));
        QTest::keyClick(&form, '3');
        QTest::keyClick(&form, '4');
        QCOMPARE(TDialogs::Asked().size(), 1);
    }

    void settingsFocusRedirection_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("button");
        QTest::newRow("main") << "edMainDB" << "btnMainBrowse";
        QTest::newRow("export") << "edExportDB" << "btnExportBrowse";
    }
    void settingsFocusRedirection()
    {
        QFETCH(QString, edit);
        QFETCH(QString, button);
        TWorkstation ws;
        ws.Info();
        TSetSettingsForm form;
        QVERIFY(Activate(&form));
        Button(&form, "btnCancel")->setFocus();
        QLineEdit* e = Edit(&form, edit.toLatin1());
        QVERIFY(!(e->focusPolicy() & Qt::TabFocus));
        QTest::mouseClick(e, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget()->objectName(), button);
    }

    void settingsCaptions()
    {
        TWorkstation ws;
        ws.Info();
        TSetSettingsForm form;
        const QList<std::pair<const char*, QString>> captions = {
            {"Label1", "База данных  \" АИС VELTA \" : "},
            {"Label2", "База данных  \" ПОЛИКЛИНИКА \" : "},
            {"Label3", "\" ИМПОРТ \" : "},
            {"Label6", "\" ЭКСПОРТ \" : "},
        };
        for (const auto& [name, text] : captions)
            QCOMPARE(Child<QLabel>(&form, name)->text(), text);
        QCOMPARE(Button(&form, "btnOK")->text(), QString("F6 - Сохранить"));
        QCOMPARE(Button(&form, "btnCancel")->text(), QString("ESC - Отмена"));
        QCOMPARE(Button(&form, "Button1")->text(), QString("[2] - Найти..."));
    }

    // --- small dialogs --------------------------------------------------------------

    void aboutShowsWhereTheFilesAre()
    {
        TWorkstation ws;
        ws.Info();
        TfmAbout about;
        QCOMPARE(Child<QLabel>(&about, "lblFiles")->text(),
                 QString("Файл настроек:\n%1\nПапка журнала обмена:\n%2").arg(ws.SettingsFile(), ws.Root()));
    }

    void waitWindowIsSingle()
    {
        auto waitWindows = [] {
            int n = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                n += w->objectName() == "fmWait";
            return n;
        };
        ShowWait(true, "Подготовка отчета");
        ShowWait(true, "Подготовка второго отчета");
        QCOMPARE(waitWindows(), 1);
        QCOMPARE(CurrentWait()->Text(), QString("Подготовка второго отчета"));
        QVERIFY(CurrentWait()->isVisible());
        QVERIFY(CurrentWait()->width() <= 600);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ShowWait(false);
        QCOMPARE(waitWindows(), 0);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        ShowWait(false); // no window: only the cursor
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void longWaitTextWraps()
    {
        ShowWait(true, QString("Очень длинный текст ожидания ").repeated(10));
        QVERIFY(CurrentWait()->width() <= 600);
        QVERIFY(CurrentWait()->height() > 2 * 19);
        ShowWait(false);
    }

    void exportQuestionPicker_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("click") << true;
        QTest::newRow("focus") << false;
    }
    void exportQuestionPicker()
    {
        QFETCH(bool, byMouse);
        TfmExportParams form;
        QVERIFY(Activate(&form));
        QVERIFY(!form.CustomDateChosen());
        auto picker = Child<QDateTimeEdit>(&form, "edCustomExportDate");
        if (byMouse)
            QTest::mouseClick(picker, Qt::LeftButton);
        else
            picker->setFocus(Qt::TabFocusReason);
        QVERIFY(form.CustomDateChosen());
    }

    // The picker shows the date only; the time of day of its value stays.
    void exportQuestionKeepsTimeOfDay()
    {
        TfmExportParams form;
        QVERIFY(Activate(&form));
        QCOMPARE(form.CustomDateTime(), QDateTime(QDate(2005, 5, 25), QTime(11, 17, 54)));
        auto picker = Child<QDateTimeEdit>(&form, "edCustomExportDate");
        QVERIFY(!picker->displayFormat().contains('h'));
        picker->setFocus();
        int day = 0; // the long format names the weekday first; step the day of the month
        for (int i = 0; i < picker->sectionCount(); ++i)
            if (picker->sectionAt(i) == QDateTimeEdit::DaySection)
                day = i;
        picker->setCurrentSectionIndex(day);
        QTest::keyClick(picker, Qt::Key_Up);
        QCOMPARE(form.CustomDateTime(), QDateTime(QDate(2005, 5, 26), QTime(11, 17, 54)));
        emit picker->calendarWidget()->clicked(QDate(2006, 1, 31)); // a day picked in the calendar
        QCOMPARE(form.CustomDateTime(), QDateTime(QDate(2006, 1, 31), QTime(11, 17, 54)));
    }
    // Each window goes while a field has the focus; nothing reaches its handlers then.
    void windowsCloseWithTheFocusInAField()
    {
        TWorkstation ws;
        AddOperator(ws);
        ws.Info();
        auto login = std::make_unique<TLoginForm>();
        login->show();
        QVERIFY(Activate(login.get()));
        Edit(login.get(), "edPassword")->setFocus();
        TypeText(Edit(login.get(), "edPassword"), "12");
        login.reset();
        auto settings = std::make_unique<TSetSettingsForm>();
        settings->show();
        QVERIFY(Activate(settings.get()));
        settings->findChild<QLineEdit*>()->setFocus();
        settings.reset();
        QCOMPARE(AskedTexts(), QStringList());
    }
};

int main(int argc, char** argv)
{
    TVeltaApplication app(argc, argv);
    TestSupport::InitEnvironment();
    TestLoginSettings tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "test_login_settings.moc"
