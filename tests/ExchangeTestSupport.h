#pragma once
// What the exchange tests share: a polyclinic registry in the workstation's poly/ folder,
// server archives and scripts made without the program's own archive code (Python's zipfile
// and sqlite3), reading archives back with libzip directly, and a driver that plays the
// operator in front of the exchange window.
#include "TestSupport.h"
#include "data/Unit_DbfWriter.h"
#include "ui/FormExportParams.h"
#include "ui/form_Replicator.h"
#include <QApplication>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <functional>
#include <zip.h>

namespace ExchangeTest {

// The five registry files, with one patient; newKind gives PASPOR.DBF the column KOD_PROF.
inline void MakeRegistry(const QString& folder, bool newKind = true)
{
    using F = TDbfWriter::Field;
    const auto C = TDbfWriter::Character;
    const auto D = TDbfWriter::Date;
    std::vector<F> paspor{F{"_PASPOR", C, 10}, F{"FAM", C, 20}, F{"NAM", C, 10}, F{"DAY", D, 8}};
    if (newKind)
        paspor.push_back(F{"KOD_PROF", C, 10});
    TDbfWriter p(folder + "PASPOR.DBF", paspor);
    p.Append(newKind ? QVariantList{"1", "ИВАНОВ", "ИВАН", QDate(1950, 1, 1), "1"}
                     : QVariantList{"1", "ИВАНОВ", "ИВАН", QDate(1950, 1, 1)});
    p.Close();
    TDbfWriter t(folder + "S_TOWN.DBF", {F{"KOD_TOWN", C, 10}, F{"TOWN", C, 50}});
    t.Close();
    TDbfWriter s(folder + "S_STREET.DBF", {F{"KOD_STREET", C, 10}, F{"KOD_TOWN", C, 10}, F{"STREET", C, 50}});
    s.Close();
    TDbfWriter f(folder + "S_PROF.DBF", {F{"KOD_PROF", C, 10}, F{"NAM_PROF", C, 100}});
    f.Close();
    TDbfWriter w(folder + "ARH_WORK.DBF", {F{"KOD", C, 10}, F{"DAY", D, 8}, F{"DAY_END", D, 8}, F{"KOD_PROF", C, 10}});
    w.Close();
}

// Runs a Python program with arguments; the test fails when it does not end with 0.
inline void RunPython(const QString& program, const QStringList& args)
{
    const QString python = QStandardPaths::findExecutable("python3");
    QVERIFY2(!python.isEmpty(), "python3 is needed to make server archives");
    QProcess p;
    p.start(python, QStringList{"-c", program} + args);
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
}

// A server archive as the server writes it. tables: file name (as in the archive) -> the
// statements that make the table file's content. comment may be empty. volumeSize > 0 splits
// the ZIP stream into volumes (archive, archive.002, ...).
inline void MakeServerArchive(const QString& archive, const QString& comment,
                              const QList<QPair<QString, QStringList>>& tables, qint64 volumeSize = 0,
                              const QList<QPair<QString, QByteArray>>& rawEntries = {})
{
    QStringList args{archive, comment, QString::number(volumeSize)};
    QTemporaryDir work;
    int n = 0;
    for (const auto& [entry, statements] : tables) {
        const QString sqlFile = work.filePath(QString("t%1.sql").arg(n++));
        QFile f(sqlFile);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(statements.join(";\n").toUtf8());
        f.close();
        args << "sql" << entry << sqlFile;
    }
    for (const auto& [entry, bytes] : rawEntries) {
        const QString raw = work.filePath(QString("r%1.bin").arg(n++));
        QFile f(raw);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        args << "raw" << entry << raw;
    }
    RunPython(R"PY(
import os, sqlite3, sys, tempfile, zipfile
archive, comment, volume = sys.argv[1], sys.argv[2], int(sys.argv[3])
items = sys.argv[4:]
tmp = tempfile.mkdtemp()
whole = os.path.join(tmp, 'whole.zip')
with zipfile.ZipFile(whole, 'w', zipfile.ZIP_DEFLATED) as z:
    for i in range(0, len(items), 3):
        kind, entry, source = items[i], items[i + 1], items[i + 2]
        if kind == 'sql':
            db = os.path.join(tmp, 'table%d.db' % i)
            c = sqlite3.connect(db)
            c.executescript(open(source, encoding='utf-8').read())
            c.commit()
            c.close()
            z.write(db, entry)
        else:
            z.writestr(entry, open(source, 'rb').read())
    z.comment = comment.encode('utf-8')
data = open(whole, 'rb').read()
if volume <= 0:
    open(archive, 'wb').write(data)
else:
    parts = [data[i:i + volume] for i in range(0, len(data), volume)]
    for n, part in enumerate(parts, 1):
        open(archive if n == 1 else '%s.%03d' % (archive, n), 'wb').write(part)
)PY",
              args);
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An archive read back with libzip itself: its comment and entries (name -> bytes).
struct TReadArchive {
    QString comment;
    QMap<QString, QByteArray> entries;
    bool ok = false;
};
inline TReadArchive ReadZip(const QByteArray& data)
{
    TReadArchive r;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(data.constData(), zip_uint64_t(data.size()), 0, &error);
    zip_t* z = src ? zip_open_from_source(src, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!z) {
        if (src)
            zip_source_free(src);
        return r;
    }
    int len = 0;
    const char* c = zip_get_archive_comment(z, &len, ZIP_FL_ENC_RAW);
    r.comment = c ? QString::fromUtf8(c, len) : QString();
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        QByteArray bytes(qsizetype(st.size), 0);
        zip_file_t* f = zip_fopen_index(z, zip_uint64_t(i), 0);
        if (f) {
            zip_fread(f, bytes.data(), st.size);
            zip_fclose(f);
        }
        r.entries.insert(QString::fromUtf8(st.name), bytes);
    }
    zip_discard(z);
    r.ok = true;
    return r;
}

// The operator in front of the exchange window: answers the export question, may press
// "Отмена" while the run goes on, and closes the window with its button once it reads "OK".
struct TOperator {
    enum Answer { CancelQuestion, LastExport, CustomDate } exportAnswer = LastExport;
    QDateTime customMoment;
    bool cancelAtQuestion = false; // press "Отмена" on the exchange window before answering
    // What was seen.
    QString title, log, captionWhileRunning;
    bool closeAllowedWhileRunning = true;
    bool questionSeen = false;
    bool stayedOpenOnClose = false; // a close request while running left the window open

    bool Run(const std::function<bool()>& entry)
    {
        QTimer timer;
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] { Step(); });
        timer.start();
        return entry();
    }

private:
    TReplicator* Window() const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* r = qobject_cast<TReplicator*>(w); r && r->isVisible())
                return r;
        return nullptr;
    }
    void Step()
    {
        TReplicator* window = Window();
        if (auto* q = qobject_cast<TfmExportParams*>(QApplication::activeModalWidget())) {
            questionSeen = true;
            if (cancelAtQuestion && window) {
                window->close();
                stayedOpenOnClose = window->isVisible();
                window->findChild<QPushButton*>("Button")->click();
            }
            if (exportAnswer == CustomDate) {
                q->findChild<QRadioButton*>("rbCustomDate")->setChecked(true);
                q->findChild<QDateTimeEdit*>("edCustomExportDate")->setDateTime(customMoment);
            }
            q->findChild<QPushButton*>(exportAnswer == CancelQuestion ? "btn2" : "btn1")->click();
            return;
        }
        if (!window || QApplication::activeModalWidget() != window)
            return;
        auto* button = window->findChild<QPushButton*>("Button");
        if (button->text() != "OK") {
            captionWhileRunning = button->text();
            closeAllowedWhileRunning = closeAllowedWhileRunning && window->CloseAllowed();
            return;
        }
        title = window->windowTitle();
        log = window->LogText();
        // A close request while running is refused; after the end the button closes.
        button->click();
    }
};

} // namespace ExchangeTest
