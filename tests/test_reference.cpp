// The reference picker: the three books with their titles and columns, the prefix filter
// that ignores letter case, its keys and the row it hands back.
#include "TestSupport.h"
#include "app/Unit_Dialogs.h"
#include "app/kaStickingBevel.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_ReferenceQuery.h"
#include "ui/form_reference.h"
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <functional>

using namespace TestSupport;

namespace {

// Mixed letter case on purpose: the books are ordered and searched without regard to it.
void Fixture(TWorkstation& ws)
{
    ws.Exec("insert into MedPreparat (MprGID, MprName1, MprDose, MprDoseDay) values "
            "(1, 'ЭНАЛАПРИЛ', 10, 2), (2, 'эналаприл н', 20, 1), (3, 'каптоприл', 25, 3), "
            "(4, 'Амлодипин', 5, 1), (5, 'ЛИЗИНОПРИЛ', 10, 1)");
    ws.Exec("insert into City (CityLID, CityName) values "
            "(1, 'НОВОГРУДОК'), (2, 'Новополоцк'), (3, 'Гродно'), (4, 'лида'), (5, 'НО')");
    ws.Exec("insert into Post (PosLID, PosName) values (1, 'ВРАЧ'), (2, 'водитель'), (3, 'Учитель'), (4, 'инженер')");
}

// A workstation with the books and the data module over it.
struct TBooks {
    TWorkstation ws;
    std::unique_ptr<TDM> dm;
    TBooks()
    {
        Fixture(ws);
        dm = std::make_unique<TDM>(ws.Info());
    }
};

template <class T> T* Child(QWidget& form, const char* name)
{
    T* w = form.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QLineEdit* Search(QWidget& f) { return Child<QLineEdit>(f, "edSearchString"); }
QLineEdit* Found(QWidget& f) { return Child<QLineEdit>(f, "edFirstFound"); }
QTableView* Grid(QWidget& f) { return Child<QTableView>(f, "Grid"); }

QStringList VisibleColumns(QWidget& f)
{
    QStringList columns;
    QTableView* grid = Grid(f);
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            columns << grid->model()->headerData(c, Qt::Horizontal).toString();
    return columns;
}

QStringList ListedNames(TReferenceForm& f)
{
    QStringList names;
    QAbstractItemModel* m = Grid(f)->model();
    const int column = TReferenceQuery::NameColumn(f.Kind());
    for (int r = 0; r < m->rowCount(); ++r)
        names << m->index(r, column).data().toString();
    return names;
}

// Typed characters, Cyrillic included (QTest::keyClicks sends Latin-1 only).
void Type(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

// Runs PickReference; once the modal window is up and active, whileOpen acts on it. A window
// still open afterwards is cancelled, so a failing case cannot hang the test.
TReferenceChoice Pick(TReferenceForm& form, TReferenceKind kind, const QString& text,
                      const std::function<void(TReferenceForm&)>& whileOpen)
{
    QTimer::singleShot(0, &form, [&] {
        QApplication::setActiveWindow(&form);
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("the picker did not become active");
        whileOpen(form);
        if (form.isVisible())
            form.reject();
    });
    return form.PickReference(kind, text);
}

// What the window showed while open.
struct TSeen {
    bool visible = false;
    bool searchSelected = false;
    int caret = -1;
    QString title, search, found;
    QStringList columns, names;
};

TSeen Look(TReferenceForm& f)
{
    return {f.isVisible(), Search(f)->hasSelectedText(), Search(f)->cursorPosition(), f.windowTitle(),
            Search(f)->text(), Found(f)->text(), VisibleColumns(f), ListedNames(f)};
}

const QStringList kAllMedicines{"Амлодипин", "каптоприл", "ЛИЗИНОПРИЛ", "ЭНАЛАПРИЛ", "эналаприл н"};

} // namespace

Q_DECLARE_METATYPE(TReferenceKind)

class TestReference : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void window()
    {
        TBooks books;
        TReferenceForm f;
        QCOMPARE(f.objectName(), QString("ReferenceForm"));
        QCOMPARE(f.windowTitle(), QString("Справочник"));
        QCOMPARE(f.size(), QSize(384, 360));
        QCOMPARE(Child<QLabel>(f, "Label1")->text(), QString("Введите строку для поиска"));
        QCOMPARE(Child<QLabel>(f, "Label2")->text(), QString("Найденное максимально похожее "));
        QCOMPARE(Child<QLabel>(f, "Label3")->text(),
                 QString("Клавишами управления курсором можно выберите нужный вариант\n"
                         "Сделав выбор, нажмите клавишу ENTER, чтобы закрыть справочник"));
        QCOMPARE(Child<QStatusBar>(f, "StatusBar1")->currentMessage(),
                 QString("ESC - закрыть | ENTER - выбрать и закрыть"));
        QVERIFY(Found(f)->isReadOnly());
        QCOMPARE(Found(f)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(Grid(f)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(Grid(f)->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(f.focusWidget(), Search(f));
        QCOMPARE(f.FocusFrame()->Color().alpha(), 0); // a plain window: no focus frame to be seen
    }

    void books_data()
    {
        QTest::addColumn<TReferenceKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("found");
        const QString med = "Справочник мед. препаратов", city = "Справочник городов", post = "Справочник должностей";
        const QStringList medColumns{"Наименование"}, cityColumns{"Город", "Код"}, postColumns{"Код", "Должность"};
        QTest::newRow("medicines, all") << TReferenceKind::Medicine << "" << med << medColumns << kAllMedicines
                                        << "АМЛОДИПИН";
        QTest::newRow("medicines, эна") << TReferenceKind::Medicine << "эна" << med << medColumns
                                        << QStringList{"ЭНАЛАПРИЛ", "эналаприл н"} << "ЭНАЛАПРИЛ";
        QTest::newRow("medicines, none") << TReferenceKind::Medicine << "ЯД" << med << medColumns << QStringList{}
                                         << "";
        QTest::newRow("cities, НОВ") << TReferenceKind::City << "НОВ" << city << cityColumns
                                     << QStringList{"НОВОГРУДОК", "Новополоцк"} << "НОВОГРУДОК";
        QTest::newRow("cities, но") << TReferenceKind::City << "но" << city << cityColumns
                                    << QStringList{"НО", "НОВОГРУДОК", "Новополоцк"} << "НО";
        QTest::newRow("posts, all") << TReferenceKind::Post << "" << post << postColumns
                                    << QStringList{"водитель", "ВРАЧ", "инженер", "Учитель"} << "ВОДИТЕЛЬ";
        QTest::newRow("posts, вр") << TReferenceKind::Post << "вр" << post << postColumns << QStringList{"ВРАЧ"}
                                   << "ВРАЧ";
    }

    void books()
    {
        QFETCH(TReferenceKind, kind);
        QFETCH(QString, text);
        TBooks books;
        TReferenceForm f;
        TSeen seen;
        const TReferenceChoice c = Pick(f, kind, text, [&](TReferenceForm& w) { seen = Look(w); });
        QVERIFY(seen.visible);
        QTEST(seen.title, "title");
        QTEST(seen.columns, "columns");
        QTEST(seen.names, "names");
        QTEST(seen.found, "found");
        QCOMPARE(seen.search, text.toUpper());
        QVERIFY(!seen.searchSelected);
        QCOMPARE(seen.caret, int(text.size()));
        QVERIFY(!c);
    }

    void typingFiltersIgnoringCase()
    {
        TBooks books;
        TReferenceForm f;
        QList<TSeen> seen;
        const TReferenceChoice c = Pick(f, TReferenceKind::Medicine, "", [&](TReferenceForm& w) {
            Type(Search(w), "эна");
            seen << Look(w);
            QTest::keyClick(Search(w), Qt::Key_Backspace);
            QTest::keyClick(Search(w), Qt::Key_Backspace);
            QTest::keyClick(Search(w), Qt::Key_Backspace);
            seen << Look(w);
            Type(Search(w), "К");
            seen << Look(w);
            QTest::keyClick(Search(w), Qt::Key_Return);
        });
        QCOMPARE(seen.size(), 3);
        QCOMPARE(seen[0].search, QString("ЭНА"));
        QCOMPARE(seen[0].names, QStringList({"ЭНАЛАПРИЛ", "эналаприл н"}));
        QCOMPARE(seen[0].found, QString("ЭНАЛАПРИЛ"));
        QCOMPARE(seen[1].names, kAllMedicines);
        QCOMPARE(seen[1].found, QString("АМЛОДИПИН"));
        QCOMPARE(seen[2].names, QStringList({"каптоприл"}));
        QVERIFY(c.Chosen);
        QCOMPARE(c.Id, QVariant(3));
        QCOMPARE(c.Found, QString("КАПТОПРИЛ"));
        QCOMPARE(c.Row.value("mprName1").toString(), QString("каптоприл"));
        QCOMPARE(c.Row.value("MprDose").toDouble(), 25.0);
        QCOMPARE(c.Row.value("MprDoseDay").toDouble(), 3.0);
    }

    void keys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("chosen"); // empty: nothing chosen
        const int down = Qt::Key_Down, up = Qt::Key_Up, enter = Qt::Key_Return, esc = Qt::Key_Escape;
        QTest::newRow("Enter picks the first row") << "" << QList<int>{enter} << "Амлодипин";
        QTest::newRow("keypad Enter") << "" << QList<int>{int(Qt::Key_Enter)} << "Амлодипин";
        QTest::newRow("Down Down") << "" << QList<int>{down, down, enter} << "ЛИЗИНОПРИЛ";
        QTest::newRow("Down Up") << "" << QList<int>{down, up, enter} << "Амлодипин";
        QTest::newRow("Up stops at the first") << "" << QList<int>{up, enter} << "Амлодипин";
        QTest::newRow("Down stops at the last") << "" << QList<int>(9, down) + QList<int>{enter} << "эналаприл н";
        QTest::newRow("Down in the filtered rows") << "эна" << QList<int>{down, down, enter} << "эналаприл н";
        QTest::newRow("keys that leave the text keep the row") << "" << QList<int>{down, Qt::Key_Home, enter}
                                                               << "каптоприл";
        QTest::newRow("Esc") << "" << QList<int>{esc} << "";
        QTest::newRow("Esc after a move") << "" << QList<int>{down, esc} << "";
        QTest::newRow("Enter over an empty list") << "ЯД" << QList<int>{enter} << "";
    }

    void keys()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, keys);
        QFETCH(QString, chosen);
        TBooks books;
        TReferenceForm f;
        int caret = -1;
        QString typed;
        const TReferenceChoice c = Pick(f, TReferenceKind::Medicine, text, [&](TReferenceForm& w) {
            for (int key : keys) {
                if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                    caret = Search(w)->cursorPosition();
                    typed = Search(w)->text();
                }
                QTest::keyClick(Search(w), Qt::Key(key));
            }
        });
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(keys.last() == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(c.Chosen, !chosen.isEmpty());
        QCOMPARE(c.Row.value("MprName1").toString(), chosen);
        QCOMPARE(c.Found, chosen.toUpper());
        // Up and Down are used up by the list: the caret stays at the end of the text.
        QCOMPARE(typed, text.toUpper());
        if (!keys.contains(Qt::Key_Home))
            QCOMPARE(caret, int(text.size()));
    }

    void doubleClickPicks()
    {
        TBooks books;
        TReferenceForm f;
        const TReferenceChoice c = Pick(f, TReferenceKind::Post, "", [](TReferenceForm& w) {
            QTableView* grid = Grid(w);
            const QRect cell = grid->visualRect(grid->model()->index(2, 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        });
        QVERIFY(c.Chosen);
        QCOMPARE(c.Id, QVariant(4));
        QCOMPARE(c.Found, QString("ИНЖЕНЕР"));
        QCOMPARE(c.Row.value("PosName").toString(), QString("инженер"));
    }

    void cityHandsBackItsIdentifier()
    {
        TBooks books;
        TReferenceForm f;
        const TReferenceChoice c = Pick(f, TReferenceKind::City, "нов", [](TReferenceForm& w) {
            QTest::keyClick(Search(w), Qt::Key_Down);
            QTest::keyClick(Search(w), Qt::Key_Return);
        });
        QVERIFY(c.Chosen);
        QCOMPARE(c.Id, QVariant(2));
        QCOMPARE(c.Found, QString("НОВОПОЛОЦК"));
        // The query stays positioned on the chosen row after the window has closed.
        QCOMPARE(f.sqlReference().NameText(f.CurrentRow()), QString("Новополоцк"));
        // The picker keeps no geometry of its own.
        QFile settings(books.ws.SettingsFile());
        QVERIFY(!settings.open(QIODevice::ReadOnly) || !settings.readAll().contains("ReferenceForm"));
    }

    void setKindWhileVisibleFails()
    {
        TBooks books;
        TReferenceForm f;
        QString error;
        TSeen after;
        Pick(f, TReferenceKind::Medicine, "эна", [&](TReferenceForm& w) {
            try {
                w.SetKind(TReferenceKind::City);
            } catch (const EReferenceKindError& e) {
                error = e.Message();
            }
            after = Look(w);
        });
        QCOMPARE(error, QString("Нельзя менять тип справочника во время его работы!"));
        QCOMPARE(f.Kind(), TReferenceKind::Medicine);
        QCOMPARE(after.title, QString("Справочник мед. препаратов"));
        QCOMPARE(after.names, QStringList({"ЭНАЛАПРИЛ", "эналаприл н"}));
        QVERIFY(TDialogs::Asked().isEmpty());
    }

    // The search text is a bound value: quotes and wildcards are letters like any other.
    void queryPrefixRule_data()
    {
        QTest::addColumn<TReferenceKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::newRow("whole name, other case") << TReferenceKind::Medicine << "ЭНАЛАПРИЛ Н" << 1;
        QTest::newRow("longer than every name") << TReferenceKind::Medicine << "ЭНАЛАПРИЛ НН" << 0;
        QTest::newRow("name shorter than the text") << TReferenceKind::City << "НОВ" << 2;
        QTest::newRow("percent") << TReferenceKind::Medicine << "%" << 0;
        QTest::newRow("underscore") << TReferenceKind::Post << "_" << 0;
        QTest::newRow("quote") << TReferenceKind::Post << "'" << 0;
        QTest::newRow("empty") << TReferenceKind::Post << "" << 4;
    }

    void queryPrefixRule()
    {
        QFETCH(TReferenceKind, kind);
        QFETCH(QString, text);
        TWorkstation ws;
        Fixture(ws);
        TReferenceQuery q(ws.Db());
        q.SetKind(kind);
        q.SetSearchText(text);
        q.Open();
        QVERIFY(q.IsOpen());
        QTEST(q.RowCount(), "rows");
        q.Close();
        QVERIFY(!q.IsOpen());
        QCOMPARE(q.RowCount(), 0);
        QVERIFY(q.NameText(0).isEmpty());
        QVERIFY(!q.Id(0).isValid());
    }
};

VELTA_TEST_MAIN(TestReference)
#include "test_reference.moc"
