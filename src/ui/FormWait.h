#pragma once
// The wait window shown while a report is being prepared. At most one exists.
#include <QDialog>

class QLabel;

class TfmWait : public QDialog {
    Q_OBJECT
public:
    explicit TfmWait(QWidget* parent = nullptr);
    void SetText(const QString& text); // the window fits the text, at most 600 pixels wide
    QString Text() const;

private:
    QLabel* m_lblText;
};

// show: replaces any wait window by one with text, under the hourglass cursor.
// !show: removes the wait window, if any, and gives the cursor back.
void ShowWait(bool show, const QString& text = QString());
// The current wait window, or nullptr.
TfmWait* CurrentWait();
