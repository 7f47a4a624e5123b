#pragma once
// The exchange window: the running log and the gauge of one exchange operation, with one
// button that cancels the run while it goes on and closes the window after its end. Its
// close box is off and a close request is refused while the operation's thread runs.
#include "exchange/RplThreads.h"
#include <QDialog>
#include <memory>

namespace Ui { class Replicator; }
class TMinModal;

class TReplicator : public QDialog, public TRplWindow {
    Q_OBJECT
public:
    explicit TReplicator(QWidget* parent = nullptr);
    ~TReplicator() override;

    // The running operation, which "Отмена" asks to stop; null when none.
    void SetOperation(TRplThread* operation) { m_operation = operation; }
    bool CloseAllowed() const { return m_closeAllowed; }
    QString LogText() const;

    // TRplWindow
    void SetTitle(const QString& title) override;
    void ClearLog() override;
    void AddLogLine(const QString& line) override;
    void SetGauge(int percent) override;
    void SetButton(int result, const QString& caption) override;
    void SetCloseAllowed(bool allowed) override { m_closeAllowed = allowed; }
    bool AskExportStart(bool& customDate, QDateTime& moment) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ButtonClick();

    std::unique_ptr<Ui::Replicator> ui;
    TMinModal* m_minModal;
    TRplThread* m_operation = nullptr;
    int m_buttonResult = NoResult;
    bool m_closeAllowed = false;
};
