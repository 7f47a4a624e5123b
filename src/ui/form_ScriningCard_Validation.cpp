// The checks before saving: what the card needs filled in, in the order the operator is told.
#include "app/Unit_Dialogs.h"
#include "ui/Widget_DocumentControls.h"
#include "ui/form_ScriningCard.h"
#include "ui/form_ScriningCard_Rows.h"

namespace {
const QString kNotGiven = QStringLiteral("Значение не указано!");

struct TMissing {
    QWidget* Field = nullptr;
    QString Message;
};

// The first empty field of an incomplete medicine row; nothing for a full or an empty row.
TMissing MissingInMedicine(const TMedicineBlock& block, int row)
{
    const QList<QLineEdit*> edits = block.Edits(row);
    int empty = 0;
    for (QLineEdit* e : edits)
        empty += e->text().isEmpty() ? 1 : 0;
    if (empty == 0 || empty == edits.size())
        return {};
    const QString n = QString::number(row);
    const QStringList messages{QStringLiteral("Не указан препарат №") + n,
                               QStringLiteral("Не указано поле \"доза\" препарата №") + n,
                               QStringLiteral("Не указано поле \"раз в день\" препарата №") + n,
                               QStringLiteral("Не указано поле \"дней назад\" препарата №") + n};
    for (int i = 0; i < edits.size(); ++i)
        if (edits[i]->text().isEmpty())
            return {edits[i], messages[i]};
    return {};
}
}

bool TScrCardForm::ValidateCard()
{
    TMissing missing;
    const auto empty = [](QLineEdit* e) { return e->text().isEmpty(); };
    if (m_card.Preparat())
        for (int row = 1; row <= 2 && !missing.Field; ++row)
            missing = MissingInMedicine(*m_medicines, row);
    if (!missing.Field)
        for (const ScrCardRows::TDisease& d : ScrCardRows::Diseases(*ui))
            if (d.Box->checkState() == Qt::Checked && empty(d.Year)) {
                missing = {d.Year, kNotGiven};
                break;
            }
    if (!missing.Field) {
        if (ui->chbSmokingYes->isChecked() && empty(ui->edSmokingYes))
            missing = {ui->edSmokingYes, kNotGiven};
        else if (ui->chbSmokingStop->isChecked() && empty(ui->edSmokingStop))
            missing = {ui->edSmokingStop, kNotGiven};
    }
    if (!missing.Field && ui->edRous9->isVisibleTo(ui->tsRose) && empty(ui->edRous9))
        missing = {ui->edRous9, kNotGiven};
    if (!missing.Field) {
        QList<QLineEdit*> objective;
        for (const ScrCardRows::TMeasure& m : ScrCardRows::Measures(*ui))
            objective << m.Edit;
        const qsizetype means = objective.indexOf(ui->edPuls); // the means come before the pulse
        objective.insert(means, ui->edAD3Low);
        objective.insert(means, ui->edAD3Hi);
        for (QLineEdit* e : objective)
            if (empty(e)) {
                missing = {e, kNotGiven};
                break;
            }
    }
    if (!missing.Field)
        return true;
    for (QWidget* page = missing.Field->parentWidget(); page; page = page->parentWidget())
        if (const int index = ui->pcScrCard->indexOf(page); index >= 0) {
            m_skipLeave = true;
            m_pages->SwitchTo(index);
            m_skipLeave = false;
            break;
        }
    missing.Field->show();
    m_skipLeave = true;
    missing.Field->setFocus(Qt::OtherFocusReason);
    m_skipLeave = false;
    TDialogs::Error(missing.Message);
    return false;
}
