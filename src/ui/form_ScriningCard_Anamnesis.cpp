// Pages 2 and 3: the patient's diseases with their years, the medicines, the parents' diseases.
#include "app/Unit_Exceptions.h"
#include "app/Widget_ControlUtils.h"
#include "ui/Widget_DocumentControls.h"
#include "ui/form_ScriningCard.h"
#include "ui/form_ScriningCard_Rows.h"
#include <QLocale>

namespace {
struct TParent {
    QCheckBox* Box;
    int (TScriningCard::*State)() const;
    void (TScriningCard::*SetState)(int);
};

#define VELTA_PARENT(Member) TParent{ui.chb##Member, &TScriningCard::Member, &TScriningCard::Set##Member}
std::vector<TParent> Parents(const Ui::ScrCardForm& ui)
{
    return {VELTA_PARENT(MotherHyper),  VELTA_PARENT(MotherADHi),  VELTA_PARENT(MotherStenokardia),
            VELTA_PARENT(MotherInfarkt), VELTA_PARENT(MotherInsult), VELTA_PARENT(MotherDiabet),
            VELTA_PARENT(MotherTuber),  VELTA_PARENT(MotherPochki), VELTA_PARENT(FatherHyper),
            VELTA_PARENT(FatherADHi),   VELTA_PARENT(FatherStenokardia), VELTA_PARENT(FatherInfarkt),
            VELTA_PARENT(FatherInsult), VELTA_PARENT(FatherDiabet), VELTA_PARENT(FatherTuber),
            VELTA_PARENT(FatherPochki)};
}
#undef VELTA_PARENT

// The medicine edits read plain numbers and name the typed text when it is none.
double MedicineReal(const QLineEdit* edit)
{
    const QString text = edit->text();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const double v = QLocale().toDouble(text, &ok);
    if (!ok)
        throw AppException(QStringLiteral("'%1' - неверное дробное значение").arg(text));
    return v;
}

int MedicineWhole(const QLineEdit* edit)
{
    const QString text = edit->text();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        throw AppException(QStringLiteral("'%1' - неверное целое значение").arg(text));
    return v;
}

QString WholeText(int v) { return v >= 1 ? QString::number(v) : QString(); }
}

void TScrCardForm::SetupAnamnesis()
{
    SetTriStateLegend(ui->chbLegendYes, ui->chbLegendNo, ui->chbLegendUnknown);
    SetTriStateLegend(ui->chbLegend2Yes, ui->chbLegend2No, ui->chbLegend2Unknown);
    for (const ScrCardRows::TDisease& d : ScrCardRows::Diseases(*ui)) {
        MakeTriState(d.Box, ScreeningTriStateCaptions());
        QLineEdit* year = d.Year;
        connect(d.Box, &QCheckBox::stateChanged, year, [year](int s) { year->setVisible(s == Qt::Checked); });
        year->setVisible(false);
        OnLeave(d.Box, [this, d] { (m_card.*d.SetState)(TriStateOf(d.Box)); });
        OnLeave(year, [this, d] { (m_card.*d.SetYear)(GetIntValue(d.Year)); });
    }
    for (const TParent& p : Parents(*ui)) {
        MakeTriState(p.Box, ScreeningTriStateCaptions());
        OnLeave(p.Box, [this, p] { (m_card.*p.SetState)(TriStateOf(p.Box)); });
    }

    m_medicines->AddRow(ui->edPrep1, ui->edPrep1Dose, ui->edPrep1Count, ui->edPrep1DayBack);
    m_medicines->AddRow(ui->edPrep2, ui->edPrep2Dose, ui->edPrep2Count, ui->edPrep2DayBack);
    connect(ui->chbPrep, &QCheckBox::toggled, ui->pnlPrep, &QWidget::setVisible);
    ui->pnlPrep->setVisible(false);
    OnLeave(ui->chbPrep, [this] { chbPrepExit(); });
    OnLeave(ui->edPrep1Dose, [this] { m_card.SetPrep1Dose(MedicineReal(ui->edPrep1Dose)); });
    OnLeave(ui->edPrep1Count, [this] { m_card.SetPrep1Day(MedicineWhole(ui->edPrep1Count)); });
    OnLeave(ui->edPrep1DayBack, [this] { m_card.SetPrep1DayBack(MedicineWhole(ui->edPrep1DayBack)); });
    OnLeave(ui->edPrep2Dose, [this] { m_card.SetPrep2Dose(MedicineReal(ui->edPrep2Dose)); });
    OnLeave(ui->edPrep2Count, [this] { m_card.SetPrep2Day(MedicineWhole(ui->edPrep2Count)); });
    OnLeave(ui->edPrep2DayBack, [this] { m_card.SetPrep2DayBack(MedicineWhole(ui->edPrep2DayBack)); });
}

void TScrCardForm::RefreshAnamnesis()
{
    for (const ScrCardRows::TDisease& d : ScrCardRows::Diseases(*ui)) {
        SetTriState(d.Box, (m_card.*d.State)());
        const int year = (m_card.*d.YearOf)();
        d.Year->setText(d.Box->checkState() == Qt::Checked && year >= 1 ? QString::number(year) : QString());
    }
    ui->chbPrep->setChecked(m_card.Preparat());
    if (m_card.Preparat()) {
        ui->edPrep1Dose->setText(m_card.Prep1Dose() > 0 ? DecimalText(m_card.Prep1Dose()) : QString());
        ui->edPrep1Count->setText(WholeText(m_card.Prep1Day()));
        ui->edPrep1DayBack->setText(WholeText(m_card.Prep1DayBack()));
        ui->edPrep2Dose->setText(m_card.Prep2Dose() > 0 ? DecimalText(m_card.Prep2Dose()) : QString());
        ui->edPrep2Count->setText(WholeText(m_card.Prep2Day()));
        ui->edPrep2DayBack->setText(WholeText(m_card.Prep2DayBack()));
        const auto gid = [](const std::optional<int>& id) { return id ? QVariant(*id) : QVariant(); };
        m_medicines->ShowMedicine(1, gid(m_card.Prep1GID()));
        m_medicines->ShowMedicine(2, gid(m_card.Prep2GID()));
    }
    for (const TParent& p : Parents(*ui))
        SetTriState(p.Box, (m_card.*p.State)());
}

void TScrCardForm::chbPrepExit()
{
    m_card.SetPreparat(ui->chbPrep->isChecked());
    if (m_card.Preparat())
        return;
    // Everything of the rows goes, so that ticking the box again starts from empty rows
    // rather than from values no edit shows.
    ClearMedicine(1);
    ClearMedicine(2);
}

void TScrCardForm::PickMedicine(int row)
{
    const std::optional<int> gid = m_medicines->PickMedicine(row, this, m_medicines->Name(row)->text());
    if (!gid)
        return;
    if (row == 1)
        m_card.SetPrep1GID(*gid);
    else
        m_card.SetPrep2GID(*gid);
    CommitMedicineRow(row);
}

void TScrCardForm::CommitMedicineRow(int row)
{
    // The picked dose and times a day are the card's at once: an operator who moves on by
    // mouse would otherwise save a row whose edits show values the card never received.
    for (QLineEdit* edit : {m_medicines->Dose(row), m_medicines->Count(row)})
        if (!TryCommit(edit, m_commit.value(edit)))
            return;
}

void TScrCardForm::ClearMedicine(int row)
{
    m_medicines->ClearRow(row);
    for (QLineEdit* edit : m_medicines->Edits(row))
        MarkControl(edit, true);
    if (row == 1) {
        m_card.SetPrep1Day(0);
        m_card.SetPrep1DayBack(0);
        m_card.SetPrep1Dose(0);
        m_card.SetPrep1GID(std::nullopt);
    } else {
        m_card.SetPrep2Day(0);
        m_card.SetPrep2DayBack(0);
        m_card.SetPrep2Dose(0);
        m_card.SetPrep2GID(std::nullopt);
    }
}
