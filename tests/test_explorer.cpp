// The main window over a small register: search, details, keys, totals, documents, access.
#include "TestSupport.h"
#include "app/Unit_Dialogs.h"
#include "data/Unit_DataModule.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/form_explorer.h"
#include "ui_form_explorer.h"
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>

using namespace TestSupport;

namespace {
void Fixture(TWorkstation& ws)
{
    const char* rows[] = {
        "insert into Brigade(BrgGID, BrgName) values(1, 'БРИГАДА №1')",
        "insert into Hospital(HspGID, MU) values(1, 'ПОЛИКЛИНИКА №1')",
        "insert into City(CityLID, CityName, RegGID) values(1, 'ГРОДНО', 1)",
        "insert into Street(StrLID, StrName, CityLID) values(1, 'УЛ. СОВЕТСКАЯ', 1)",
        "insert into Address(AdrLID, AdrHousNum, AdrRoomNum, CityLID, StrLID) values(1, '12', '5', 1, 1)",
        "insert into RegistrationArea(AreaLID, AreaCode, HspGID) values(1, '15', 1)",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, PrnMdnName, AdrLID, AreaLID, PrnPhone, paspor) "
        "values(1, 'ПЕТРОВА', 'АННА', 'ИВАНОВНА', 'СИДОРОВА', 1, 1, '123', 'P1')",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch) values(2, 'Абрамов', 'ИВАН', 'ПЕТРОВИЧ')",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch) values(3, 'ПЕТРОВ', 'ЮРИЙ', 'А')",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch) values(4, 'ЯКОВЛЕВ', 'ОЛЕГ', 'Б')",
        "insert into Document values(1, '2026-01-01', '1', 1, 1, '2026-01-01 10:00:00', '2026-01-05 10:00:00', 1, 1)",
        "insert into Document values(2, '2026-02-01', '2', 1, 1, '2026-02-01 10:00:00', '2026-02-01 10:00:00', 1, 1)",
        "insert into Document values(3, '2026-03-01', '3', 2, 1, '2026-03-01 10:00:00', '2026-03-01 10:00:00', 1, 1)",
        "insert into PrimaryInspection(DocLID) values(1)",
        "insert into PrimaryInspection(DocLID) values(2)",
        "insert into PrimDiag values(9, 1, 0, null, null, 1, 1)",
    };
    for (const char* sql : rows)
        ws.Exec(QString::fromUtf8(sql));
}

struct TMainWindow {
    TWorkstation ws;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TExplorerForm> form;
    explicit TMainWindow(int level = 1)
    {
        Fixture(ws);
        TAppInfo& info = ws.Info();
        info.LoggedIn = true;
        info.HspGID = 1;
        info.UserLevel = level;
        dm = std::make_unique<TDM>(info);
        form = std::make_unique<TExplorerForm>(*dm, info);
        Show();
        TDialogs::ClearAsked();
    }
    void Show()
    {
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    Ui::ExplorerForm* ui() const { return form->Form(); }
    void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        w->setFocus();
        QTest::keyClick(w, Qt::Key(key), mods);
    }
};
}

class TestExplorer : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        TDialogs::ClearAsked();
        ExplorerEntries() = TExplorerEntries();
    }

    void captionTotalsAndDetails()
    {
        TMainWindow w;
        QCOMPARE(w.form->windowTitle(), QString("АИС VELTA : БРИГАДА №1 ( ПОЛИКЛИНИКА №1)"));
        QCOMPARE(w.ui()->lblVsegoPerson->text(), QString("Всего пациентов : 4"));
        QCOMPARE(w.ui()->lblVsegoList->text(), QString("Всего листов : 2"));
        QCOMPARE(w.ui()->lblVsegoCard->text(), QString("Всего карт : 1"));
        // The first patient in surname order, ignoring case; the tabs keep their plain captions
        // until the patient changes.
        QCOMPARE(w.ui()->edFirstName->text(), QString("АБРАМОВ"));
        QVERIFY(w.ui()->edGerlSurname->isHidden());
        QCOMPARE(w.ui()->pcDocs->tabText(0), QString("F2 - листы первичного обследования"));

        w.dm->SetPersonRow(2); // ПЕТРОВА
        QCOMPARE(w.ui()->edFirstName->text(), QString("ПЕТРОВА"));
        QCOMPARE(w.ui()->edGerlSurname->text(), QString("СИДОРОВА"));
        QVERIFY(!w.ui()->edGerlSurname->isHidden());
        QCOMPARE(w.ui()->edCityName->text(), QString("ГРОДНО"));
        QCOMPARE(w.ui()->edStreetName->text(), QString("УЛ. СОВЕТСКАЯ"));
        QCOMPARE(w.ui()->edHouse->text(), QString("12"));
        QCOMPARE(w.ui()->edFlat->text(), QString("5"));
        QCOMPARE(w.ui()->edAreaCode->text(), QString("15"));
        QCOMPARE(w.ui()->edPhone->text(), QString("123"));
        QCOMPARE(w.ui()->pcDocs->tabText(0), QString("F2 - листы первичного обследования (2)"));
        QCOMPARE(w.ui()->pcDocs->tabText(1), QString("F3 - карты скрининга (1)"));
        QCOMPARE(w.ui()->gridList->model()->index(0, 1).data(Qt::DisplayRole).toString(), QString("2026-02-01"));
    }

    void searchBySurnamePrefix()
    {
        TMainWindow w;
        QLineEdit* search = w.ui()->edPersonSearch;
        w.Key(w.ui()->gridPerson, Qt::Key_F12);
        QCOMPARE(QApplication::focusWidget(), search);
        TypeText(search, "пет");
        QCOMPARE(search->text(), QString("ПЕТ"));
        QCOMPARE(w.dm->CurrentPerson().PersonLID.toInt(), 3); // ПЕТРОВ before ПЕТРОВА
        QCOMPARE(w.ui()->gridPerson->currentIndex().row(), 1);
        TypeText(search, "Ь");
        QCOMPARE(w.dm->CurrentPerson().PersonLID.toInt(), 3); // no match: the row stays
        QCOMPARE(search->palette().color(QPalette::Text), QColor(Qt::red));
        search->setText("ПЕТРОВА");
        QCOMPARE(w.dm->CurrentPerson().PersonLID.toInt(), 1);
        QVERIFY(search->palette().color(QPalette::Text) != QColor(Qt::red));
        // Down in the search field moves into the grid, one row on; the key is let go there.
        QTest::keyPress(search, Qt::Key_Down);
        QTest::keyRelease(w.ui()->gridPerson, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.ui()->gridPerson);
        QCOMPARE(w.dm->CurrentPerson().PersonLID.toInt(), 4);
        QCOMPARE(w.ui()->edFirstName->text(), QString("ЯКОВЛЕВ"));
    }

    void foundPatientIsShownInTheGrid()
    {
        TMainWindow w;
        for (int i = 10; i < 300; ++i)
            w.ws.Exec(QString("insert into Person(PrnLID, PrnSurName) values(%1, 'БОРИСОВ%2')").arg(i).arg(i, 3, 10, QChar('0')));
        w.dm->ReopenPersons();
        w.form->resize(1024, 700);
        QTableView* grid = w.ui()->gridPerson;
        TypeText(w.ui()->edPersonSearch, "яко");
        QCOMPARE(w.dm->CurrentPerson().PersonLID.toInt(), 4);
        QCOMPARE(grid->currentIndex().row(), w.dm->PersonRow());
        QVERIFY(grid->viewport()->rect().intersects(grid->visualRect(grid->currentIndex())));
        QVERIFY(grid->selectionModel()->isRowSelected(w.dm->PersonRow(), QModelIndex()));
    }

    void heldArrowLooksUpOnlyTheRowReached()
    {
        TMainWindow w;
        QTableView* grid = w.ui()->gridPerson;
        grid->setFocus();
        int refreshes = 0;
        connect(w.dm.get(), &TDM::PersonChanged, [&] { ++refreshes; });
        QTest::keyPress(grid, Qt::Key_Down);
        QTest::keyPress(grid, Qt::Key_Down);
        QCOMPARE(refreshes, 0);
        QCOMPARE(w.ui()->edFirstName->text(), QString("ПЕТРОВА")); // names follow the row
        QCOMPARE(w.ui()->edCityName->text(), QString());          // details are blanked
        QTest::keyRelease(grid, Qt::Key_Down);
        QCOMPARE(refreshes, 1);
        QCOMPARE(w.ui()->edCityName->text(), QString("ГРОДНО"));
    }

    void documentKeys()
    {
        TMainWindow w;
        QList<QPair<int, int>> opened;
        ExplorerEntries().EditPrimaryInspection = [&](int prn, int doc) {
            opened << qMakePair(prn, doc);
            return doc == 0 ? 1 : 6;
        };
        delete w.form.release();
        w.form = std::make_unique<TExplorerForm>(*w.dm, w.ws.Info());
        w.Show();
        w.dm->SetPersonRow(2); // ПЕТРОВА with two sheets
        QVERIFY(w.ui()->actAnketaList->isEnabled());
        QVERIFY(!w.ui()->actAnketaCard->isEnabled()); // the card window has not landed
        // F2 first only goes to the list, a second F2 opens the current sheet.
        w.Key(w.ui()->gridPerson, Qt::Key_F2);
        QCOMPARE(QApplication::focusWidget(), w.ui()->gridList);
        QVERIFY(opened.isEmpty());
        QTest::keyClick(w.ui()->gridList, Qt::Key_F2);
        QCOMPARE(opened, (QList<QPair<int, int>>{{1, 2}}));
        QCOMPARE(w.form->ListTotal(), 2); // "обновить в базе" adds nothing
        QTest::keyClick(w.ui()->gridList, Qt::Key_Insert);
        QCOMPARE(opened.last(), qMakePair(1, 0));
        QCOMPARE(w.ui()->lblVsegoList->text(), QString("Всего листов : 3"));

        // Del asks; only Yes deletes, and the totals and captions follow.
        TDialogs::SetNextAnswer(TButton::No);
        QTest::keyClick(w.ui()->gridList, Qt::Key_Delete);
        QCOMPARE(w.ws.Scalar("select count(*) from Document where DtpGID = 1").toInt(), 2);
        TDialogs::SetNextAnswer(TButton::Yes);
        QTest::keyClick(w.ui()->gridList, Qt::Key_Delete);
        QCOMPARE(AskedTexts(), QStringList({"Удалить документ?", "Удалить документ?"}));
        QCOMPARE(w.ws.Scalar("select count(*) from Document where DtpGID = 1").toInt(), 1);
        QCOMPARE(w.ws.Scalar("select count(*) from PrimaryInspection").toInt(), 1);
        QCOMPARE(w.ui()->pcDocs->tabText(0), QString("F2 - листы первичного обследования (1)"));
        QCOMPARE(w.ui()->lblVsegoList->text(), QString("Всего листов : 2"));

        // A patient without sheets: Enter opens a new one, Del does nothing.
        w.dm->SetPersonRow(0);
        w.Key(w.ui()->gridList, Qt::Key_Return);
        QCOMPARE(opened.last(), qMakePair(2, 0));
        TDialogs::ClearAsked();
        w.Key(w.ui()->gridList, Qt::Key_Delete);
        QVERIFY(TDialogs::Asked().isEmpty());
    }

    void closeAndEscape()
    {
        TMainWindow w;
        TDialogs::SetNextAnswer(TButton::No);
        w.Key(w.ui()->gridList, Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(AskedTexts(), QStringList({"Закрыть программу ?"}));
        QVERIFY(w.form->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.ui()->gridPerson);
        TDialogs::SetNextAnswer(TButton::Yes);
        QTest::keyClick(w.ui()->gridPerson, Qt::Key_Escape);
        QVERIFY(!w.form->isVisible());
    }

    void accessByLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("administrator") << 1;
        QTest::newRow("operator") << 0;
    }
    void accessByLevel()
    {
        QFETCH(int, level);
        ExplorerEntries().RunExport = [] { return true; };
        ExplorerEntries().RunRegistryImport = [](const QStringList&) { return true; };
        TMainWindow w(level);
        QCOMPARE(w.ui()->menuAdmin->menuAction()->isVisible(), level == 1);
        QCOMPARE(w.ui()->actAdminExport->isEnabled(), level == 1);
        QCOMPARE(w.ui()->actAdminImportLocal->isEnabled(), level == 1);
        QVERIFY(!w.ui()->actAdminImpRefFromServer->isEnabled()); // not landed: disabled for all
        QVERIFY(w.ui()->actRefreshOnePerson->isEnabled());
    }

    void refreshOnePatientNeedsRegistryKey()
    {
        QList<QStringList> runs;
        ExplorerEntries().RunRegistryImport = [&](const QStringList& p) { runs << p; return true; };
        TMainWindow w(0);
        // No registry key: the operator is told, and nothing is imported.
        w.ui()->actRefreshOnePerson->trigger();
        QVERIFY(runs.isEmpty());
        QCOMPARE(TDialogs::Asked().size(), 1);
        QCOMPARE(TDialogs::Asked().first().type, TBoxType::Information);
        w.dm->SetPersonRow(2);
        TDialogs::SetNextAnswer(TButton::Yes);
        w.ui()->actRefreshOnePerson->trigger();
        QCOMPARE(TDialogs::LastText(), QString("Хотите обновить информацию о пациенте?"));
        QCOMPARE(runs, (QList<QStringList>{{"P1", "0"}}));
    }

    void layoutKeysPersist()
    {
        TMainWindow w;
        w.ui()->gridList->setColumnWidth(1, 123);
        w.form->SaveSettings();
        QCOMPARE(w.ws.Info().ReadInteger("ExplorerForm", "gridListDocDate_width", 0), 123);
        QVERIFY(w.ws.Info().ValueExists("ExplorerForm", "gbPerson_width"));
        QVERIFY(w.ws.Info().ValueExists("ExplorerForm", "gridCardLastUpdate_width"));
        w.ui()->gridList->setColumnWidth(1, 60);
        w.form->LoadSettings();
        QCOMPARE(w.ui()->gridList->columnWidth(1), 123);
    }
    // The document list always shows, selected, the row Enter or Del acts on; F12 selects the
    // search text so that a new surname replaces it.
    void currentDocumentIsSelected()
    {
        TMainWindow w;
        int openedDoc = -1;
        ExplorerEntries().EditPrimaryInspection = [&](int, int doc) {
            openedDoc = doc;
            return 6;
        };
        delete w.form.release(); // the entries are read as the window is made
        w.form = std::make_unique<TExplorerForm>(*w.dm, w.ws.Info());
        w.Show();
        w.dm->SetPersonRow(2); // ПЕТРОВА with two sheets
        QTableView* grid = w.ui()->gridList;
        const auto selectedRow = [grid] {
            QSet<int> rows;
            for (const QModelIndex& i : grid->selectionModel()->selectedIndexes())
                rows.insert(i.row());
            return rows.size() == 1 && *rows.begin() == grid->currentIndex().row() ? *rows.begin() : -1;
        };
        w.Key(w.ui()->gridPerson, Qt::Key_F2);
        QCOMPARE(selectedRow(), 0);
        QTest::keyClick(grid, Qt::Key_Down);
        const int secondDoc = grid->model()->index(1, 0).data().toInt();
        QTest::keyClick(grid, Qt::Key_F2);
        QCOMPARE(openedDoc, secondDoc);
        QCOMPARE(selectedRow(), 1); // after the save, the same document
        TDialogs::SetNextAnswer(TButton::Yes);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(selectedRow(), 0); // the one left
        QTest::keyClick(grid, Qt::Key_F2);
        QCOMPARE(openedDoc, grid->model()->index(0, 0).data().toInt());

        QLineEdit* search = w.ui()->edPersonSearch;
        w.Key(w.ui()->gridPerson, Qt::Key_F12);
        TypeText(search, "ПЕТ");
        w.ui()->gridPerson->setFocus();
        w.Key(w.ui()->gridPerson, Qt::Key_F12);
        TypeText(search, "Я");
        QCOMPARE(search->text(), QString("Я"));
    }
};

VELTA_TEST_MAIN(TestExplorer)
#include "test_explorer.moc"
