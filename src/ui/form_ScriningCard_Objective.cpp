// Pages 6 and 7: complaints, the objective examination and the laboratory values.
#include "app/Widget_ControlUtils.h"
#include "ui/Widget_DocumentControls.h"
#include "ui/form_ScriningCard.h"
#include "ui/form_ScriningCard_Rows.h"
#include <QKeyEvent>
#include <QLocale>

namespace {
struct TComplaint {
    QCheckBox* Box;
    bool (TScriningCard::*Ticked)() const;
    void (TScriningCard::*SetTicked)(bool);
};

#define VELTA_COMPLAINT(Control, Member) TComplaint{ui.Control, &TScriningCard::Member, &TScriningCard::Set##Member}
std::vector<TComplaint> Complaints(const Ui::ScrCardForm& ui)
{
    return {VELTA_COMPLAINT(chbHeadach1, GolovaBolMorning), VELTA_COMPLAINT(chbHeadach2, GolovaBolDay),
            VELTA_COMPLAINT(chbHeadach3, GolovaBolEvening), VELTA_COMPLAINT(chbGiddine, Golovokrugenie),
            VELTA_COMPLAINT(chbNoise, GolovaShum),          VELTA_COMPLAINT(chbLowMem, MemLow),
            VELTA_COMPLAINT(chbHiTire, UtomlaemostHi),      VELTA_COMPLAINT(chbDifficult, RabotaTrudno),
            VELTA_COMPLAINT(chbHiNerv, RazdrajHi),          VELTA_COMPLAINT(chbHiUr, UrChasto),
            VELTA_COMPLAINT(chbColicUr, UrRezi),            VELTA_COMPLAINT(chbNightUr, UrNight),
            VELTA_COMPLAINT(chbColorUr, UrColorIzm),        VELTA_COMPLAINT(chbBreathFast, OtdyshkaBystro),
            VELTA_COMPLAINT(chbBreathNormal, OtdyshkaSpokoyno)};
}
#undef VELTA_COMPLAINT
}

void TScrCardForm::SetupObjective()
{
    for (const TComplaint& c : Complaints(*ui))
        OnLeave(c.Box, [this, c] { (m_card.*c.SetTicked)(c.Box->isChecked()); });

    const QList<QLineEdit*> pressures{ui->edAD1Hi, ui->edAD1Low, ui->edAd2Hi, ui->edAD2Low};
    for (const ScrCardRows::TMeasure& m : ScrCardRows::Measures(*ui)) {
        const bool pressure = pressures.contains(m.Edit);
        OnLeave(m.Edit, [this, m, pressure] {
            if (m.SetReal)
                (m_card.*m.SetReal)(GetFloatValue(m.Edit));
            else
                (m_card.*m.SetWhole)(GetIntValue(m.Edit));
            if (pressure)
                ShowPressureMeans();
        });
    }

    const auto group = [this](const char* member, std::initializer_list<std::pair<QCheckBox*, double>> boxes,
                              QCheckBox* initial, std::function<void(int)> store) {
        TOneOfGroup* g = AnswerGroup(QLatin1String(member), boxes, [store](double v) { store(int(v)); });
        if (initial)
            g->Select(initial);
    };
    group("Konstitutcia", {{ui->chbKonst1, 1}, {ui->chbKonst2, 2}, {ui->chbKonst3, 3}}, ui->chbKonst2,
          [this](int v) { m_card.SetKonstitutcia(v); });
    group("Jir", {{ui->chbGir1, 1}, {ui->chbGir2, 2}, {ui->chbGir3, 3}}, ui->chbGir2,
          [this](int v) { m_card.SetJir(v); });
    group("PulsType", {{ui->chbPulsRitm, 1}, {ui->chbPulsAritm, 2}}, ui->chbPulsRitm,
          [this](int v) { m_card.SetPulsType(v); });
    group("PasternakRight", {{ui->chbPasterRightNeg, 0}, {ui->chbPasterRightPozit, 1}}, nullptr,
          [this](int v) { m_card.SetPasternakRight(v == 1); });
    group("PasternakLeft", {{ui->chbPasterLeftNeg, 0}, {ui->chbPasterLeftPozit, 1}}, nullptr,
          [this](int v) { m_card.SetPasternakLeft(v == 1); });
}

bool TScrCardForm::DecimalKey(QKeyEvent* event)
{
    if (event->text() != QLatin1String(".") && event->text() != QLatin1String(","))
        return false;
    QWidget* focused = focusWidget();
    for (const ScrCardRows::TMeasure& m : ScrCardRows::Measures(*ui))
        if (m.Edit == focused) {
            // Either key gives the separator the numbers are read with.
            m.Edit->insert(QLocale().decimalPoint());
            return true;
        }
    return false;
}

void TScrCardForm::ShowPressureMeans()
{
    ui->edAD3Hi->setText(QString::number(m_card.ADSredHi()));
    ui->edAD3Low->setText(QString::number(m_card.ADSredLow()));
}

void TScrCardForm::RefreshObjective()
{
    for (const TComplaint& c : Complaints(*ui))
        c.Box->setChecked((m_card.*c.Ticked)());
    for (const ScrCardRows::TMeasure& m : ScrCardRows::Measures(*ui))
        m.Edit->setText(m.Real ? DecimalText((m_card.*m.Real)()) : QString::number((m_card.*m.Whole)()));
    ShowPressureMeans();
    m_groups.value(QStringLiteral("Konstitutcia"))->SetValue(m_card.Konstitutcia());
    m_groups.value(QStringLiteral("Jir"))->SetValue(m_card.Jir());
    m_groups.value(QStringLiteral("PulsType"))->SetValue(m_card.PulsType());
    m_groups.value(QStringLiteral("PasternakRight"))->SetValue(m_card.PasternakRight() ? 1 : 0);
    m_groups.value(QStringLiteral("PasternakLeft"))->SetValue(m_card.PasternakLeft() ? 1 : 0);
}
