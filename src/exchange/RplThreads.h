#pragma once
// The exchange framework: every exchange (export to the server, import of server archives and
// SQL scripts, the registry import) is an operation object whose worker thread does the work
// while the main thread shows the exchange window. The worker never touches the window: log
// lines, the gauge, questions and the end of the run are handed to the main thread, which
// runs them while the worker waits.
#include "app/Unit_Exceptions.h"
#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

class TAppInfo;
class TWIEDM;

// What an operation asks of the exchange window. Every call is made in the main thread.
class TRplWindow {
public:
    enum Result { NoResult = 0, ResultOK = 1, ResultCancel = 2 };
    virtual ~TRplWindow() = default;
    virtual void SetTitle(const QString&) {}
    virtual void ClearLog() {}
    virtual void AddLogLine(const QString&) {} // one line, no line breaks
    virtual void SetGauge(int /*percent*/) {}
    // The button's closing result and caption ("Отмена" while running, "OK" after the end).
    virtual void SetButton(int /*result*/, const QString& /*caption*/) {}
    virtual void SetCloseAllowed(bool) {}
    // The export's start-date question: false when cancelled; otherwise customDate tells
    // whether "с произвольной даты" was chosen, with the picker's date and time in moment.
    virtual bool AskExportStart(bool& customDate, QDateTime& moment) { Q_UNUSED(customDate); Q_UNUSED(moment); return false; }
};

// The exchange window of the running exchange; null when none is shown.
TRplWindow* Replicator();
void SetReplicator(TRplWindow* window);

// Runs f in the main thread and waits for it; an error it raises is raised again here.
void InMainThread(const std::function<void()>& f);

struct TServiceInfo {
    int WstGID = 0;
    QDateTime Stamp;
};
// Positions 1-6: WstGID; 7: any separator; 8-21: yyyymmddhhnnss; the rest is ignored.
bool ParseServiceInfo(const QString& text, TServiceInfo& info);
// Each "/", ":" and "\" becomes "_"; double quotes are dropped.
QString SafeFileName(const QString& text);
// Deletes every plain file matching the mask (the file part may hold * and ?), skipping
// names that start with "."; false at the first file that cannot be deleted.
bool DeleteFiles(const QString& pathWithMask);
// A moment as the exchange logs write it: the short date and hh:mm:ss, a moment at exactly
// midnight as the date alone.
QString DateTimeToStr(const QDateTime& moment);
// The zero moment of the exchange (30.12.1899 00:00): a start from it takes every row.
QDateTime ZeroMoment();

class TRplThread : public QThread {
    Q_OBJECT
public:
    ~TRplThread() override;

    // The closing result for the exchange window: 2 (cancel) until an operation succeeds.
    int Result() const { return m_result; }
    // The last error logged ("ОШИБКА!!! " line without the prefix); empty when none.
    QString LastError() const { return m_lastError; }

    // Asks the thread to stop; it notices at its next CheckTerminated.
    void Terminate() { m_stopRequested = true; }
    // Runs the operation's body in the calling thread instead of a worker, then FinishWindow
    // (the command line and the single-patient import do so).
    void RunHere();

    // The construction that the operation classes share (the caller's thread): the title,
    // the log cleared, the operation's own preparations; then the thread starts unless
    // suspended. Raises what the preparations raise.
    template <class T, class... Args> static std::unique_ptr<T> Create(bool suspended, Args&&... args)
    {
        auto op = std::make_unique<T>(std::forward<Args>(args)...);
        op->Construct(suspended);
        return op;
    }

protected:
    // Opens the exchange log and readies the window (an unseen one when none is shown).
    explicit TRplThread(TAppInfo& info);

    virtual void Execute() = 0;
    virtual void InitWindow() = 0;
    // The operation's own construction steps; each override calls its base first.
    virtual void Prepare() {}
    // Runs in the worker after Execute, whatever its outcome.
    virtual void AfterExecute() {}

    void run() override;

    // Services for the operations (worker thread).
    void Log(const QString& message, bool toExportLog = false);
    void UpdateProgress();
    void CheckTerminated();
    bool StopRequested() const { return m_stopRequested; }
    TRplWindow& Window() { return *m_window; }
    TAppInfo& Info() { return m_info; }
    // The export log of one export run; the other operations leave it closed.
    bool OpenExportLog(const QString& path);
    void CloseExportLog();

    int m_result = TRplWindow::ResultCancel;
    int m_position = 0;
    int m_maximum = 100;

private:
    void Construct(bool suspended);
    void Body();
    void LogError(const std::exception& e);
    void FinishWindow();

    TAppInfo& m_info;
    QFile m_exchangeLog;
    QFile m_exportLog;
    QString m_currentMessage;
    QString m_lastError;
    std::unique_ptr<TRplWindow> m_ownWindow; // when no exchange window is shown
    TRplWindow* m_window = nullptr;
    std::atomic<bool> m_stopRequested{false};
    int m_shownPercent = -1;
};

// The base of the workstation's exchanges: refuses to run on a server and owns the exchange
// data module.
class TWstRplThread : public TRplThread {
    Q_OBJECT
public:
    ~TWstRplThread() override;
    TWIEDM& DataModule() { return *m_dm; }

protected:
    explicit TWstRplThread(TAppInfo& info);
    void Prepare() override;
    void AfterExecute() override;

    // The service information of an exchange file: from text, else from the file name;
    // ERplException when neither holds it, or when it names another workstation (a login
    // context of workstation 0 accepts every file).
    TServiceInfo CheckServiceInfo(const QString& text, const QString& fileName);

private:
    std::unique_ptr<TWIEDM> m_dm;
};
