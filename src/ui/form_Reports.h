#pragma once
// The report wizard "Мастер формирования отчётов": the operator picks one of nine reports
// and the parameters they share, and the wizard runs the report, showing its progress.
// Every choice is remembered in the settings file (section "ReportWizardForm").
#include "app/form_Common.h"
#include <QStringList>
#include <memory>

namespace Ui { class ReportWizardForm; }
class QAbstractButton;
class QCheckBox;

class TReportWizardForm : public TCommonForm {
    Q_OBJECT
public:
    explicit TReportWizardForm(QWidget* parent = nullptr);
    ~TReportWizardForm() override;

    // Throws the validation messages and any error of the report.
    void MakeReport();
    // MakeReport with its error shown in the error box.
    void btnOKClick();
    void ChooseCity();
    void ShowProgress(int percent);

    void LoadSettings() override;
    void SaveSettings() override;
    bool FormKeyDown(QKeyEvent* event) override;

    bool Busy() const { return m_busy; }
    const QString& SelectedCityLID() const { return m_cityLID; }
    // Items 0 to 7 of the report parameter list as the window's controls give them.
    QStringList CommonItems() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rbtSexAllClick(QCheckBox* clicked);
    void chbReport1Click(QCheckBox* clicked);
    void chbAllCityClick();
    void Exclusive(const QList<QCheckBox*>& group, QCheckBox* clicked);
    QList<QCheckBox*> Choices() const;
    QList<QCheckBox*> Sexes() const;

    std::unique_ptr<Ui::ReportWizardForm> ui;
    QString m_cityLID = QStringLiteral("0");
    bool m_busy = false;
    bool m_guard = false;
};

// The main window's F4: the wizard, created, shown modally and destroyed.
void RegisterReportWizard();
