#pragma once
// The question at the start of an export: from which moment the changed rows are taken.
#include <QDateTime>
#include <QDialog>

class QDateTimeEdit;
class QRadioButton;

class TfmExportParams : public QDialog {
    Q_OBJECT
public:
    explicit TfmExportParams(QWidget* parent = nullptr);

    bool CustomDateChosen() const;   // rbCustomDate rather than rbLastExport
    QDateTime CustomDateTime() const; // the picker's date with the time of day it keeps

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* m_rbLastExport;
    QRadioButton* m_rbCustomDate;
    QDateTimeEdit* m_edCustomExportDate;
};
