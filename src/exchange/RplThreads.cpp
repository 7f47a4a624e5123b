#include "exchange/RplThreads.h"
#include "app/Unit_Clock.h"
#include "app/Unit_GlobalObjects.h"
#include "exchange/StrConst.h"
#include "exchange/WIEDataModule.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <exception>

namespace {
TRplWindow* g_replicator = nullptr;

QString Text(const char* s) { return QString::fromUtf8(s); }

bool InMainThreadNow()
{
    return !QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread();
}

QStringList SplitLines(const QString& message)
{
    return QString(message).replace("\r\n", "\n").replace('\r', '\n').split('\n');
}
} // namespace

TRplWindow* Replicator() { return g_replicator; }
void SetReplicator(TRplWindow* window) { g_replicator = window; }

void InMainThread(const std::function<void()>& f)
{
    if (InMainThreadNow()) {
        f();
        return;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            try {
                f();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

bool ParseServiceInfo(const QString& text, TServiceInfo& info)
{
    if (text.size() < 21)
        return false;
    bool ok = false;
    const QString id = text.left(6);
    if (id.trimmed() != id)
        return false;
    const int wst = id.toInt(&ok);
    if (!ok)
        return false;
    int parts[6];
    const int offsets[6] = {7, 11, 13, 15, 17, 19};
    const int widths[6] = {4, 2, 2, 2, 2, 2};
    for (int i = 0; i < 6; ++i) {
        const QString piece = text.mid(offsets[i], widths[i]);
        for (QChar c : piece)
            if (!c.isDigit())
                return false;
        parts[i] = piece.toInt(&ok);
        if (!ok)
            return false;
    }
    const QDate d(parts[0], parts[1], parts[2]);
    const QTime t(parts[3], parts[4], parts[5]);
    if (!d.isValid() || !t.isValid())
        return false;
    info.WstGID = wst;
    info.Stamp = QDateTime(d, t);
    return true;
}

QString SafeFileName(const QString& text)
{
    QString s = text;
    s.replace('/', '_').replace(':', '_').replace('\\', '_');
    s.remove('"');
    return s;
}

bool DeleteFiles(const QString& pathWithMask)
{
    const QFileInfo fi(pathWithMask);
    QDir dir = fi.dir();
    const QFileInfoList files = dir.entryInfoList({fi.fileName()}, QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo& f : files) {
        if (f.fileName().startsWith('.'))
            continue;
        if (!QFile::remove(f.absoluteFilePath()))
            return false;
    }
    return true;
}

QString DateTimeToStr(const QDateTime& moment)
{
    const QString date = QLocale().toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() == QTime(0, 0))
        return date;
    return date + moment.time().toString(" hh:mm:ss");
}

QDateTime ZeroMoment() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

// ---- TRplThread ----------------------------------------------------------------------------

TRplThread::TRplThread(TAppInfo& info) : m_info(info)
{
    // An installed program's log folder (~/.local/state/velta) may not exist yet.
    QDir().mkpath(info.LogFolder());
    m_exchangeLog.setFileName(QDir(info.LogFolder()).filePath("log.txt"));
    const bool existed = m_exchangeLog.exists();
    if (!m_exchangeLog.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        throw EFileError(QString("Не удаётся открыть журнал обмена \"%1\": %2")
                             .arg(m_exchangeLog.fileName(), m_exchangeLog.errorString()));
    if (existed && m_exchangeLog.write("\n\n") != 2)
        throw EFileError(QString("Не удаётся записать журнал обмена \"%1\"").arg(m_exchangeLog.fileName()));
    m_exchangeLog.flush();

    m_window = Replicator();
    if (!m_window) {
        m_ownWindow = std::make_unique<TRplWindow>();
        m_window = m_ownWindow.get();
    }
    m_window->SetButton(TRplWindow::NoResult, Text("Отмена"));
    m_position = 0;
    m_maximum = 100;
    m_window->SetGauge(0);
}

TRplThread::~TRplThread() { WaitForThread(); }

void TRplThread::WaitForThread()
{
    if (!isRunning())
        return;
    Terminate();
    // A worker waiting for a hand-over needs the main thread's events to get on.
    while (!wait(QDeadlineTimer(20)))
        if (InMainThreadNow())
            QCoreApplication::processEvents();
}

void TRplThread::Construct(bool suspended)
{
    InitWindow();
    Prepare();
    if (!suspended)
        start();
}

void TRplThread::run()
{
    Body();
    try {
        InMainThread([this] { FinishWindow(); });
    } catch (...) {
    }
}

void TRplThread::RunHere()
{
    Body();
    FinishWindow();
}

void TRplThread::Body()
{
    try {
        Execute();
    } catch (const std::exception& e) {
        LogError(e);
    } catch (...) {
        LogError(EDatabaseError("Неизвестная ошибка"));
    }
    try {
        AfterExecute();
    } catch (const std::exception& e) {
        LogError(e);
    }
}

void TRplThread::LogError(const std::exception& e)
{
    m_lastError = ExceptionText(e);
    try {
        Log(Text(RplText::Separator));
        Log(Text(RplText::ErrorPrefix) + m_lastError);
    } catch (...) {
        // The exchange log itself failed; the error stays in LastError().
    }
}

void TRplThread::FinishWindow()
{
    m_window->SetButton(m_result, "OK");
    m_window->SetCloseAllowed(true);
}

void TRplThread::Log(const QString& message, bool toExportLog)
{
    m_currentMessage = message;
    InMainThread([this] {
        for (const QString& line : SplitLines(m_currentMessage))
            m_window->AddLogLine(line);
    });
    const QDateTime now = TClock::Now();
    const QByteArray line = (QLocale().toString(now.date(), QLocale::ShortFormat) + now.toString(" hh:mm:ss") + "> " +
                             SplitLines(message).join('\n') + "\n")
                                .toUtf8();
    if (m_exchangeLog.write(line) != line.size() || !m_exchangeLog.flush())
        throw EFileError(QString("Не удаётся записать журнал обмена \"%1\"").arg(m_exchangeLog.fileName()));
    if (toExportLog && m_exportLog.isOpen()) {
        const QByteArray plain = (SplitLines(message).join('\n') + "\n").toUtf8();
        if (m_exportLog.write(plain) != plain.size())
            throw EFileError(QString("Не удаётся записать журнал экспорта \"%1\"").arg(m_exportLog.fileName()));
    }
}

bool TRplThread::OpenExportLog(const QString& path)
{
    m_exportLog.close();
    m_exportLog.setFileName(path);
    return m_exportLog.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
}

void TRplThread::CloseExportLog()
{
    if (m_exportLog.isOpen()) {
        const bool ok = m_exportLog.flush();
        m_exportLog.close();
        if (!ok)
            throw EFileError(QString("Не удаётся записать журнал экспорта \"%1\"").arg(m_exportLog.fileName()));
    }
}

void TRplThread::UpdateProgress()
{
    const int percent = m_maximum == 0 ? 100 : int(qint64(m_position) * 100 / m_maximum);
    // Only a changed figure is handed over: a copy of many rows would otherwise wait for the
    // main thread at every row.
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    InMainThread([this, percent] { m_window->SetGauge(percent); });
}

void TRplThread::CheckTerminated()
{
    if (m_stopRequested)
        throw ERplException(Text(RplText::Interrupted));
}

// ---- TWstRplThread -------------------------------------------------------------------------

TWstRplThread::TWstRplThread(TAppInfo& info) : TRplThread(info) {}

TWstRplThread::~TWstRplThread()
{
    // The thread must be gone before the data module it uses.
    WaitForThread();
    m_dm.reset();
}

void TWstRplThread::Prepare()
{
    TRplThread::Prepare();
    if (Info().IsServer())
        throw ERplException(Text(RplText::NotAvailable));
    m_dm = std::make_unique<TWIEDM>(Info());
}

void TWstRplThread::AfterExecute()
{
    TRplThread::AfterExecute();
    if (m_dm)
        m_dm->Disconnect();
}

TServiceInfo TWstRplThread::CheckServiceInfo(const QString& text, const QString& fileName)
{
    TServiceInfo si;
    if (!ParseServiceInfo(text, si) && !ParseServiceInfo(fileName, si))
        throw ERplException(Text(RplText::NoServiceInfo));
    if (Info().WstGID != 0 && Info().WstGID != si.WstGID)
        throw ERplException(Text(RplText::OtherWorkstation));
    return si;
}
