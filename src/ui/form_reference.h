#pragma once
// The reference picker: a small modal window in which the operator picks one medicine, city
// or occupation by typing the first letters of its name. The document windows and the report
// wizard open it with F10:
//
//     TReferenceForm picker(this);
//     if (const TReferenceChoice c = picker.PickReference(TReferenceKind::Medicine, edPrep1->text())) {
//         // c.Id is the mprGID; c.Row.value("mprName1"), "MprDose", "MprDoseDay" fill the edits
//     }
#include "app/Unit_Exceptions.h"
#include "app/form_Common.h"
#include "data/Unit_ReferenceQuery.h"
#include <QSqlRecord>
#include <QVariant>
#include <memory>

namespace Ui { class ReferenceForm; }

// The kind of a picker may not change while the operator works in it.
class EReferenceKindError : public TVeltaException { using TVeltaException::TVeltaException; };

struct TReferenceChoice {
    // Closed with Enter or a double click on a row. Enter over an empty list chooses
    // nothing, so a caller never takes empty values for a real pick.
    bool Chosen = false;
    QVariant Id;     // mprGID, CityLID or PosLID
    QString Found;   // the found-text field: the name in upper case
    QSqlRecord Row;  // every column of the chosen row by name (mprName1, MprDose, MprDoseDay, ...)
    explicit operator bool() const { return Chosen; }
};

class TReferenceForm : public TCommonForm {
    Q_OBJECT
public:
    // On the data module's connection, or on a given one.
    explicit TReferenceForm(QWidget* parent = nullptr);
    explicit TReferenceForm(const QSqlDatabase& db, QWidget* parent = nullptr);
    ~TReferenceForm() override;

    // Lists the book of the kind filtered by text, shows the window modally and returns the
    // row the operator chose. Call once per window.
    TReferenceChoice PickReference(TReferenceKind kind, const QString& text = QString());
    // Throws EReferenceKindError while the window is visible.
    void SetKind(TReferenceKind kind);
    TReferenceKind Kind() const { return m_query.Kind(); }

    // The query stays positioned on the current row after the window has closed.
    const TReferenceQuery& sqlReference() const { return m_query; }
    int CurrentRow() const;

    // The picker keeps no geometry in the settings file: it always opens centred.
    void LoadSettings() override {}
    void SaveSettings() override {}
    bool FormKeyDown(QKeyEvent* event) override;
    void setVisible(bool visible) override;

private:
    void Init();
    void Refilter();
    void Reopen();
    void GoToRow(int row);
    void sqlReferenceAfterScroll(int row);
    TReferenceChoice Choice() const;

    std::unique_ptr<Ui::ReferenceForm> ui;
    TReferenceQuery m_query;
};
