// The external registry search from the keyboard, and the main window's Ctrl+F12 that takes
// the confirmed registry patient over into the register.
#include "RegistryFixture.h"
#include "TestSupport.h"
#include "app/Unit_Dialogs.h"
#include "data/Unit_DataModule.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/Unit_RegistryEntries.h"
#include "ui/form_ExternalSearch.h"
#include "ui/form_explorer.h"
#include "ui_form_explorer.h"
#include <QHeaderView>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QDir>

using namespace TestSupport;
using namespace RegistryFixture;

namespace {

void Registry(TWorkstation& ws)
{
    const QString poly = ws.PolyFolder();
    WriteTowns(poly, {{"4010100001", U("ГРОДНО"), "1", "1"}});
    WriteStreets(poly, {{"11", "4010100001", "1", U("УЛ. СОВЕТСКАЯ")}});
    WriteProfs(poly, {{"1", U("ВРАЧ")}});
    WritePaspor(poly, {
        {"1002", U("Иванов"), U("Иван"), U("Ильич"), QDate(1970, 1, 1), U("м"), QVariant(), "K2", "4010100001", "11", "1", "3", 7.0, 2, "1"},
        {"1001", U("ИВАНОВ"), U("ПЁТР"), U("ПЕТРОВИЧ"), QDate(1960, 5, 1), U("м"), QVariant(), "K1", "4010100001", "11", "1", "5", 1.0, 2, "1"},
        {"1003", U("АБРАМОВА"), U("ИННА"), QVariant(), QDate(1970, 1, 1), U("ж"), QVariant(), "K3", QVariant(), QVariant(), "1", QVariant(), QVariant(), 2, QVariant()},
    });
    WriteArhWork(poly, {});
}

struct TSearchWindow {
    TWorkstation ws;
    std::unique_ptr<TExternalSearchForm> form;
    explicit TSearchWindow(const QString& surname = QString())
    {
        Registry(ws);
        form = std::make_unique<TExternalSearchForm>(nullptr, ws.PolyFolder());
        form->Prepare(0, {surname});
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        TDialogs::ClearAsked();
    }
    QLineEdit* Value(int row) const { return Child<QLineEdit>(form.get(), qPrintable(QString("edValue%1").arg(row))); }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    void Key(int key) { QTest::keyClick(Focus(), Qt::Key(key)); }
    void Type(const QString& text) { TypeText(Focus(), text); }
    QTableView* Results() const { return Child<QTableView>(form.get(), "DBGrid"); }
    QPushButton* Ok() const { return Child<QPushButton>(form.get(), "btnOk"); }
    QLabel* Comment() const { return Child<QLabel>(form.get(), "lblComment"); }
};

// Runs f as soon as a modal window of type T is up (the windows below are opened with exec).
template <class T> void WhenModal(std::function<void(T*)> f)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, f] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (w && w->isVisible() && !w->isActiveWindow())
            w->activateWindow();
        if (w && w->isActiveWindow() && QApplication::focusWidget() && QApplication::focusWidget()->window() == w) {
            timer->stop();
            timer->deleteLater();
            f(w);
        }
    });
    timer->start();
}

} // namespace

class TestExternalSearch : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        TDialogs::ClearAsked();
        ExplorerEntries() = TExplorerEntries();
    }

    void patientModeLayout()
    {
        TSearchWindow w(U("ив"));
        QCOMPARE(w.form->windowTitle(), U("Поиск пациента во внешней базе данных"));
        auto* grid = Child<QTableWidget>(w.form.get(), "Grid");
        QCOMPARE(grid->rowCount(), 4);
        QStringList attributes;
        int widest = 0;
        for (int r = 0; r < 4; ++r) {
            attributes << grid->item(r, 0)->text();
            widest = std::max(widest, grid->fontMetrics().horizontalAdvance(grid->item(r, 0)->text() + "W"));
        }
        QCOMPARE(attributes, (QStringList{U(" Фамилия "), U(" Имя "), U(" Отчество "), U(" Дата рождения ")}));
        QCOMPARE(grid->columnWidth(0), widest);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), U(" АТРИБУТ"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), U(" ЗНАЧЕНИЕ"));
        // The surname arrives upper-cased; the focus is in its cell; typing is upper-cased too.
        QCOMPARE(w.Focus(), static_cast<QWidget*>(w.Value(1)));
        QCOMPARE(w.Value(1)->text(), U("ИВ"));
        w.Key(Qt::Key_End);
        w.Type(U("аНов"));
        QCOMPARE(w.Value(1)->text(), U("ИВАНОВ"));
        QVERIFY(!w.Ok()->isEnabled());
        // Enter moves down the rows.
        w.Key(Qt::Key_Return);
        QCOMPARE(w.Focus(), static_cast<QWidget*>(w.Value(2)));
        w.form->grab().save(QDir::temp().filePath("velta_external_search.png"));
    }

    void twoMatchesAskForOne()
    {
        TSearchWindow w(U("иванов"));
        w.Key(Qt::Key_F12);
        QCOMPARE(w.form->sqlExtSearch().RecordCount(), 2);
        QCOMPARE(w.form->sqlExtSearch().Value(0, "xpaspor").toString(), QString("1002")); // surname order, then file order
        QVERIFY(w.Ok()->isEnabled());
        QCOMPARE(w.Focus(), static_cast<QWidget*>(w.Results()));
        QVERIFY(w.Comment()->isVisible());
        QCOMPARE(w.Comment()->text(), U("Необходимо выбрать только одного пациента"));
        QVERIFY(w.Comment()->styleSheet().contains("red"));
        QVERIFY(w.Results()->horizontalHeader()->isVisible());
        QCOMPARE(w.Results()->model()->headerData(0, Qt::Horizontal).toString(), U(" Фамилия "));
        QVERIFY(w.Results()->isColumnHidden(5));
        w.form->grab().save(QDir::temp().filePath("velta_external_search_found.png"));
        // Esc goes back to the criteria and leaves the window open; Enter on the wanted row confirms it.
        w.Key(Qt::Key_Escape);
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.Focus(), static_cast<QWidget*>(w.Value(1)));
        w.Results()->setFocus();
        w.Key(Qt::Key_Down);
        w.Key(Qt::Key_Return);
        QCOMPARE(w.form->result(), int(QDialog::Accepted));
        QCOMPARE(w.form->ChosenPaspor(), QString("1001"));
    }

    void oneMatchWithNameAndDateOnly()
    {
        TSearchWindow w;
        w.Key(Qt::Key_Return);
        w.Type(U("иван"));
        w.Key(Qt::Key_Return);
        w.Key(Qt::Key_Return);
        w.Type("01.01.1970");
        w.Key(Qt::Key_Return); // Enter in the last row searches
        QCOMPARE(w.form->sqlExtSearch().RecordCount(), 1);
        QVERIFY(w.Ok()->isEnabled());
        QVERIFY(!w.Comment()->isVisible());
        w.Key(Qt::Key_F6);
        QCOMPARE(w.form->result(), int(QDialog::Accepted));
        QCOMPARE(w.form->ChosenPaspor(), QString("1002"));
    }

    void noMatchKeepsOkDisabled()
    {
        TSearchWindow w(U("никто"));
        w.Key(Qt::Key_F12);
        QCOMPARE(w.form->sqlExtSearch().RecordCount(), 0);
        QVERIFY(!w.Ok()->isEnabled());
        QVERIFY(!w.Results()->horizontalHeader()->isVisible());
        QVERIFY(!w.Comment()->isVisible());
        w.Key(Qt::Key_F6);
        QVERIFY(w.form->isVisible());
        w.Results()->setFocus();
        w.Key(Qt::Key_Return);
        QVERIFY(w.form->isVisible());
        w.Key(Qt::Key_Escape); // back to the criteria
        w.Key(Qt::Key_Escape); // and out
        QVERIFY(!w.form->isVisible());
        QCOMPARE(w.form->result(), int(QDialog::Rejected));
    }

    void badDateAndNoValues()
    {
        TSearchWindow w;
        w.Key(Qt::Key_F12);
        QCOMPARE(AskedTexts(), QStringList{U("Не указано значение ни одного атрибута поиска!")});
        QVERIFY(!w.Comment()->isVisible());
        TDialogs::ClearAsked();
        w.Value(4)->setFocus();
        w.Type("32.13.1970");
        w.Key(Qt::Key_F12);
        QCOMPARE(AskedTexts(), QStringList{U("\"32.13.1970\" — неправильная дата")});
        QVERIFY(w.form->isVisible());
        QVERIFY(!w.Ok()->isEnabled());
        // A registry that cannot be reached: its message, the window stays open.
        TDialogs::ClearAsked();
        w.Value(4)->clear();
        w.Value(1)->setText(U("ИВАНОВ"));
        QFile::remove(w.ws.PolyFolder() + "PASPOR.DBF");
        w.Key(Qt::Key_F12);
        QCOMPARE(TDialogs::Asked().size(), 1);
        QVERIFY2(TDialogs::LastText().contains("PASPOR.DBF"), qPrintable(TDialogs::LastText()));
        QVERIFY(w.form->isVisible());
    }

    // Ctrl+F12: a registry patient not yet in the register is imported and becomes the current
    // row; one already there is located and, on Yes, refreshed with the update flag 0.
    void mainWindowTakesPatientOver()
    {
        TWorkstation ws;
        Registry(ws);
        SeedCounters(ws.Db());
        ws.Exec("insert into Hospital(HspGID, MU) values(1, 'П1')");
        ws.Exec("insert into Person(PrnLID, PrnSurName, PrnName, paspor) values(50, 'АБРАМОВА', 'ИННА', '1003')");
        ws.Exec("insert into Person(PrnLID, PrnSurName, PrnName) values(51, 'ЯКОВЛЕВ', 'ОЛЕГ')");
        TAppInfo& info = ws.Info();
        info.LoggedIn = true;
        info.HspGID = 1;
        info.UserLevel = 0;
        RegisterRegistryEntries();
        QList<QStringList> refreshed;
        ExplorerEntries().RunRegistryImport = [&](const QStringList& p) { refreshed << p; return true; };
        auto dm = std::make_unique<TDM>(info);
        auto form = std::make_unique<TExplorerForm>(*dm, info);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        Ui::ExplorerForm* ui = form->Form();
        QVERIFY(ui->actRefreshOnePerson->isEnabled());
        QVERIFY(!ui->actAdminImportLocal->isEnabled()); // an operator, not an administrator

        ui->edPersonSearch->setFocus();
        TypeText(ui->edPersonSearch, U("ИВАНОВ"));
        WhenModal<TExternalSearchForm>([](TExternalSearchForm* s) {
            QCOMPARE(Child<QLineEdit>(s, "edValue1")->text(), U("ИВАНОВ"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            TypeText(QApplication::focusWidget(), U("пётр"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        });
        QTest::keyClick(ui->gridPerson, Qt::Key_F12, Qt::ControlModifier);
        QCOMPARE(TDialogs::LastText(), U("Пациент принят успешно."));
        QCOMPARE(ws.Scalar("select count(*) from Person").toInt(), 3);
        QCOMPARE(dm->CurrentPerson().sqlPersonpaspor.toString(), QString("1001"));
        QCOMPARE(dm->CurrentPerson().SurName.toString(), U("ИВАНОВ"));
        QCOMPARE(dm->Details().Street.toString(), U("УЛ. СОВЕТСКАЯ"));
        QVERIFY(refreshed.isEmpty());

        // Present already: located, and on Yes refreshed through the exchange window.
        TDialogs::ClearAsked();
        TDialogs::SetNextAnswer(TButton::Yes);
        ui->edPersonSearch->clear();
        WhenModal<TExternalSearchForm>([](TExternalSearchForm*) {
            TypeText(QApplication::focusWidget(), U("абрамова"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        });
        QTest::keyClick(ui->gridPerson, Qt::Key_F12, Qt::ControlModifier);
        QCOMPARE(TDialogs::LastText(), U("Этот пациент уже есть! Хотите обновить по нему информацию?"));
        QCOMPARE(refreshed, (QList<QStringList>{{"1003", "0"}}));
        QCOMPARE(dm->CurrentPerson().PersonLID.toInt(), 50);
        QCOMPARE(ws.Scalar("select count(*) from Person").toInt(), 3);
        form.reset();
        dm.reset();
    }

    // A failed single-patient import shows its own error, then the main window's.
    void mainWindowReportsFailedImport()
    {
        TWorkstation ws;
        Registry(ws);
        ws.Exec("insert into Hospital(HspGID, MU) values(1, 'П1')");
        TAppInfo& info = ws.Info();
        info.LoggedIn = true;
        info.HspGID = 1;
        RegisterRegistryEntries();
        auto dm = std::make_unique<TDM>(info);
        auto form = std::make_unique<TExplorerForm>(*dm, info);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        WhenModal<TExternalSearchForm>([](TExternalSearchForm*) {
            TypeText(QApplication::focusWidget(), U("абрамова"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        });
        TDialogs::ClearAsked();
        QTest::keyClick(form->Form()->gridPerson, Qt::Key_F12, Qt::ControlModifier);
        QCOMPARE(AskedTexts(), (QStringList{U("Ошибка при генерации первичного ключа"), U("Не удалось скопировать данные пациента.")}));
        QCOMPARE(ws.Scalar("select count(*) from Person").toInt(), 0);
        QCOMPARE(ws.Scalar("select count(*) from Address").toInt(), 0);
        form.reset();
        dm.reset();
    }
};

VELTA_TEST_MAIN(TestExternalSearch)
#include "test_external_search.moc"
