#pragma once
// The external registry search: the operator types a surname, first name, patronymic and
// birth date, F12 looks them up in the polyclinic's PASPOR.DBF, and F6 (or Enter on a found
// row) confirms one patient. The main window then takes that patient over:
//
//     TExternalSearchForm search(this);
//     if (search.RunSearch(0, {edPersonSearch->text()}))
//         paspor = search.sqlExtSearch().Value(search.CurrentRow(), "xpaspor").toString();
#include "app/form_Common.h"
#include "exchange/Unit_ExtSearchQuery.h"
#include <QStringList>
#include <memory>

namespace Ui { class ExternalSearchForm; }
class QLineEdit;

class TExternalSearchForm : public TCommonForm {
    Q_OBJECT
public:
    // polyFolder: the registry's folder; empty means PolyDBPath of the settings object.
    explicit TExternalSearchForm(QWidget* parent = nullptr, const QString& polyFolder = QString());
    ~TExternalSearchForm() override;

    // Mode 0 (patients): the first value goes into the surname row. The result query is
    // closed, the window shown modally; true when it closed with OK.
    bool RunSearch(int mode, const QStringList& values);
    // What RunSearch does before it shows the window.
    void Prepare(int mode, const QStringList& values);
    const TExtSearchQuery& sqlExtSearch() const { return m_query; }
    int CurrentRow() const;
    // The registry key of the confirmed row.
    QString ChosenPaspor() const;

    // Search (F12): the hint, the query, the result grid and OK.
    void Search();
    bool FormKeyDown(QKeyEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetPatientMode();
    void SizeAttributeColumn();
    int ValueRow() const; // the criteria row whose value has the focus; -1 when none
    void FocusValue(int row);
    void SetComment(const QString& text, const char* colour);

    std::unique_ptr<Ui::ExternalSearchForm> ui;
    TExtSearchQuery m_query;
    QString m_polyFolder;
    QList<QLineEdit*> m_values;
};
