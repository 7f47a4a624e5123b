// The exchange framework: service information, file names, the archiver, the exchange
// window with its log, gauge and button, the exchange log, and the refusals before a run.
#include "ExchangeTestSupport.h"
#include "app/Unit_Dialogs.h"
#include "exchange/RplImport.h"
#include "exchange/RplThreads.h"
#include "exchange/StrConst.h"
#include "exchange/Unit_Archive.h"
#include "ui/Replications.h"
#include <QProgressBar>
#include <QRandomGenerator>

using namespace TestSupport;
using namespace ExchangeTest;

namespace {
// An operation whose body the test gives.
class TProbe : public TWstRplThread {
public:
    TProbe(TAppInfo& info, std::function<void(TProbe&)> body) : TWstRplThread(info), m_body(std::move(body)) {}
    void Progress(int position, int maximum)
    {
        m_position = position;
        m_maximum = maximum;
        UpdateProgress();
    }
    void Say(const QString& s) { Log(s); }
    void Succeed() { m_result = TRplWindow::ResultOK; }
    void Check() { CheckTerminated(); }
    int gaugeSeen = -1;

protected:
    void InitWindow() override { Window().SetTitle("Проба"); Window().ClearLog(); }
    void Execute() override { m_body(*this); }

private:
    std::function<void(TProbe&)> m_body;
};

QString Utf8(const char* s) { return QString::fromUtf8(s); }

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestExchangeFramework : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void serviceInfo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("wst");
        QTest::addColumn<QDateTime>("stamp");
        const QDateTime s(QDate(2005, 2, 21), QTime(14, 30, 0));
        QTest::newRow("plain") << "000042_20050221143000" << true << 42 << s;
        QTest::newRow("tail ignored") << "000042-20050221143000_от ГП-1.s2w" << true << 42 << s;
        QTest::newRow("month 13") << "000042_20051321143000" << false << 0 << QDateTime();
        QTest::newRow("no minutes") << "000042_2005022114" << false << 0 << QDateTime();
        QTest::newRow("not a number") << "00A042_20050221143000" << false << 0 << QDateTime();
        QTest::newRow("blank in number") << " 00042_20050221143000" << false << 0 << QDateTime();
        QTest::newRow("29 February") << "000001_20050229000000" << false << 0 << QDateTime();
        QTest::newRow("empty") << "" << false << 0 << QDateTime();
    }
    void serviceInfo()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        TServiceInfo si;
        QCOMPARE(ParseServiceInfo(text, si), ok);
        if (ok) {
            QFETCH(int, wst);
            QFETCH(QDateTime, stamp);
            QCOMPARE(si.WstGID, wst);
            QCOMPARE(si.Stamp, stamp);
        }
    }

    void fileNamesAndMoments()
    {
        QCOMPARE(SafeFileName("a:b/c\\d\""), QString("a_b_c_d"));
        QCOMPARE(SafeFileName(Utf8("Кабинет 12/3")), Utf8("Кабинет 12_3"));
        QCOMPARE(DateTimeToStr(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), QString("30.12.1899"));
        QCOMPARE(DateTimeToStr(QDateTime(QDate(2005, 2, 20), QTime(11, 17, 54))), QString("20.02.2005 11:17:54"));
    }

    void deleteFilesByMask()
    {
        QTemporaryDir dir;
        for (const char* name : {"a.s2w", "b.s2w", ".hidden.s2w", "c.sql"})
            WriteBytes(dir.filePath(name), "x");
        QDir(dir.path()).mkdir("d.s2w");
        QVERIFY(DeleteFiles(dir.filePath("*.s2w")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                 QStringList({".hidden.s2w", "c.sql", "d.s2w"}));
    }

    void archiveInVolumesReadBackWithLibzip()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("run");
        QDir().mkpath(folder);
        // Random bytes do not compress: three volumes.
        QByteArray big(3000000, 0);
        QRandomGenerator rnd(7);
        for (char& c : big)
            c = char(rnd.bounded(256));
        WriteBytes(folder + "/Person.db", big);
        WriteBytes(folder + "/log.txt", Utf8("журнал\n").toUtf8());
        const QString comment = Utf8("000007_20050201000000_20050221143005_от ГП-1");
        QCOMPARE(TArchiver::Archive(folder + "/", comment, "X.w2s"), 0);

        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList()); // archived files removed
        const QString archive = dir.filePath("X.w2s");
        QCOMPARE(TArchiver::Volumes(archive), QStringList({archive, archive + ".002", archive + ".003"}));
        QCOMPARE(QFileInfo(archive).size(), TArchiver::VolumeSize);
        QCOMPARE(QFileInfo(archive + ".002").size(), TArchiver::VolumeSize);
        const TReadArchive r = ReadZip(ReadAll(archive) + ReadAll(archive + ".002") + ReadAll(archive + ".003"));
        QVERIFY(r.ok);
        QCOMPARE(r.comment, comment);
        QCOMPARE(r.entries.keys(), QStringList({"Person.db", "log.txt"}));
        QCOMPARE(r.entries["Person.db"], big);
        QCOMPARE(TArchiver::ReadArchiveComment(archive), comment);

        // Extraction joins the volumes and overwrites.
        const QString out = dir.filePath("out");
        QDir().mkpath(out);
        WriteBytes(out + "/log.txt", "old");
        QCOMPARE(TArchiver::ExtractArchive(out, archive), 0);
        QCOMPARE(ReadAll(out + "/Person.db"), big);
        QCOMPARE(ReadAll(out + "/log.txt"), Utf8("журнал\n").toUtf8());

        // A missing volume leaves an archive that cannot be read.
        QFile::remove(archive + ".003");
        QCOMPARE(TArchiver::ExtractArchive(out, archive), 1);
        QCOMPARE(TArchiver::ReadArchiveComment(archive), QString());
    }

    void archiverRefusals()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out");
        QDir().mkpath(out);
        // Missing, not a ZIP, truncated.
        QCOMPARE(TArchiver::ExtractArchive(out, dir.filePath("none.s2w")), 1);
        QCOMPARE(TArchiver::ReadArchiveComment(dir.filePath("none.s2w")), QString());
        WriteBytes(dir.filePath("text.s2w"), "this is no archive");
        QCOMPARE(TArchiver::ExtractArchive(out, dir.filePath("text.s2w")), 1);
        MakeServerArchive(dir.filePath("good.s2w"), "c", {{"A.db", {"create table A(x)", "insert into A values(1)"}}});
        const QByteArray good = ReadAll(dir.filePath("good.s2w"));
        WriteBytes(dir.filePath("cut.s2w"), good.left(good.size() - 30));
        QCOMPARE(TArchiver::ExtractArchive(out, dir.filePath("cut.s2w")), 1);
        // An entry leading out of the folder: nothing at all is written.
        for (const char* evil : {"../evil.db", "/tmp/evil.db", "sub/../../evil.db"}) {
            MakeServerArchive(dir.filePath("evil.s2w"), "c", {{"A.db", {"create table A(x)"}}},
                              0, {{QString::fromLatin1(evil), "x"}});
            QCOMPARE(TArchiver::ExtractArchive(out, dir.filePath("evil.s2w")), 1);
            QCOMPARE(QDir(out).entryList(QDir::Files), QStringList());
        }
        QVERIFY(!QFileInfo::exists(dir.filePath("evil.db")));
    }

    void windowRunToOkWithLogAndGauge()
    {
        TWorkstation ws;
        MakeRegistry(ws.PolyFolder());
        ws.Info();
        int gaugeAtEnd = -1;
        TOperator op;
        const bool ok = op.Run([&] {
            return RunExchange([&] {
                return TRplThread::Create<TProbe>(false, ws.Info(), [&](TProbe& p) {
                    p.Say(Utf8("первая строка\r\nвторая строка"));
                    p.Say(QString());
                    p.Progress(1, 3);
                    p.Progress(5, 0); // a maximum of 0 shows 100 %
                    InMainThread([&] {
                        gaugeAtEnd = static_cast<TReplicator*>(Replicator())->findChild<QProgressBar*>("Gauge")->value();
                    });
                    p.Succeed();
                });
            });
        });
        QVERIFY(ok);
        QCOMPARE(op.title, Utf8("Проба"));
        QCOMPARE(op.log, Utf8("первая строка\nвторая строка\n"));
        QCOMPARE(gaugeAtEnd, 100);
        // The exchange log: date, time, "> ", the message; line breaks kept.
        const QStringList lines = QString::fromUtf8(ReadAll(ws.Root() + "log.txt")).split('\n');
        QCOMPARE(lines.value(0), Utf8("10.12.2026 10:00:00> первая строка"));
        QCOMPARE(lines.value(1), Utf8("вторая строка"));
        QCOMPARE(lines.value(2), Utf8("10.12.2026 10:00:00> "));
    }

    void windowCancelledRun()
    {
        TWorkstation ws;
        MakeRegistry(ws.PolyFolder());
        ws.Info();
        std::atomic<bool> released{false};
        TOperator op;
        bool seenRunning = false, closeRefused = false;
        const bool ok = op.Run([&] {
            return RunExchange([&] {
                return TRplThread::Create<TProbe>(false, ws.Info(), [&](TProbe& p) {
                    p.Say("start");
                    // The operator presses "Отмена" and tries to close the window meanwhile.
                    InMainThread([&] {
                        auto* w = static_cast<TReplicator*>(Replicator());
                        auto* b = w->findChild<QPushButton*>("Button");
                        seenRunning = b->text() == Utf8("Отмена") && !w->CloseAllowed();
                        w->close();
                        closeRefused = w->isVisible();
                        b->click();
                    });
                    for (int i = 0; i < 1000; ++i)
                        p.Check();
                    released = true;
                    p.Succeed();
                });
            });
        });
        QVERIFY(!ok);
        QVERIFY(!released);
        QVERIFY(seenRunning);
        QVERIFY(closeRefused);
        QCOMPARE(op.log, Utf8("start\n") + RplText::Separator + "\n" + RplText::ErrorPrefix + RplText::Interrupted);
    }

    void windowErrorRunAndTwoEmptyLinesBetweenRuns()
    {
        TWorkstation ws;
        MakeRegistry(ws.PolyFolder());
        ws.Info().WstGID = 43;
        WriteBytes(ws.ImportFolder() + "s.sql", "/*\n000042_20050221143000\n*/\nselect 1;\n");
        TDialogs::SetNextPath(ws.ImportFolder() + "s.sql");
        TOperator first;
        QVERIFY(!first.Run(RunScriptImport));
        QVERIFY(first.log.endsWith(Utf8(RplText::Separator) + "\n" + RplText::ErrorPrefix + RplText::OtherWorkstation));
        QVERIFY(QFileInfo::exists(ws.ImportFolder() + "s.sql"));
        TDialogs::SetNextPath(QString()); // the file dialog cancelled
        TOperator second;
        QVERIFY(!second.Run(RunScriptImport));
        QCOMPARE(second.title, Utf8(RplText::ScriptImportTitle));
        QVERIFY(second.log.endsWith(Utf8(RplText::ErrorPrefix) + RplText::Interrupted));
        const QString log = QString::fromUtf8(ReadAll(ws.Root() + "log.txt"));
        QVERIFY(log.contains(Utf8(RplText::OtherWorkstation) + "\n\n\n10.12.2026 10:00:00> "));
    }

    void refusedBeforeAnyWindow()
    {
        TWorkstation ws;
        ws.Info();
        // No registry: the exchange data module cannot be made.
        TOperator op;
        QVERIFY(!op.Run(RunExport));
        QVERIFY(op.log.isEmpty());
        QVERIFY(TDialogs::LastText().startsWith(Utf8("Нет доступа к базе данных поликлиники")));
        QCOMPARE(TDialogs::Asked().last().type, TBoxType::Error);
        // A server: nothing runs.
        MakeRegistry(ws.PolyFolder());
        ws.Info().WriteBool("Settings", "IsServer", true);
        for (auto entry : {RunExport, RunServerImport, RunScriptImport}) {
            TDialogs::ClearAsked();
            QVERIFY(!op.Run(entry));
            QCOMPARE(TDialogs::LastText(), Utf8(RplText::NotAvailable));
        }
    }
};

VELTA_TEST_MAIN(TestExchangeFramework)
#include "test_exchange_framework.moc"
