// Page 5: the chest-pain questionnaire of Rose. Each question appears only once the answers
// before it call for it; the rules run on a click and, from the refresh, on every tick the
// card's values make.
#include "app/Widget_ControlUtils.h"
#include "ui/Widget_DocumentControls.h"
#include "ui/form_ScriningCard.h"
#include "ui_form_ScriningCard.h"

namespace {
void Untick(TOneOfGroup* group)
{
    for (QCheckBox* b : group->Boxes())
        b->setChecked(false);
}
}

void TScrCardForm::SetupRose()
{
    // Answer boxes store their value when left ticked; question 2.1 and its 2.2 share a group.
    const auto question = [this](const char* name, std::initializer_list<std::pair<QCheckBox*, double>> answers,
                                 std::function<void(int)> store) {
        TOneOfGroup* g = AnswerGroup(QLatin1String(name), answers, [store](double v) { store(int(v)); });
        connect(g, &TOneOfGroup::Selected, this, [this](QCheckBox* box) { RoseEffect(box); });
    };
    question("Rous11", {{ui->chbRous11Yes, 1}, {ui->chbRous11No, 0}},
             [this](int v) { m_card.SetRous11(v == 1); });
    question("Rous12", {{ui->chbRous12Yes, 1}, {ui->chbRous12No, 0}},
             [this](int v) { m_card.SetRous12(v == 1); });
    question("Rous21", {{ui->chbRous21Yes, 1}, {ui->chbRous21No, 0}, {ui->chbRous21None, 2}},
             [this](int v) {
                 if (v != 2)
                     m_card.SetRous21(v == 1);
             });
    question("Rous3", {{ui->chbRous3Yes, 1}, {ui->chbRous3No, 0}},
             [this](int v) { m_card.SetRous3(v == 1); });
    question("Rous4", {{ui->chbRous4Stop, 1}, {ui->chbRous4Go, 2}}, [this](int v) { m_card.SetRous4(v); });
    question("Rous5", {{ui->chbRous5Gone, 1}, {ui->chbRous5Stay, 2}}, [this](int v) { m_card.SetRous5(v); });
    question("Rous6", {{ui->chbRous6Before10, 1}, {ui->chbRous6After10, 2}},
             [this](int v) { m_card.SetRous6(v); });
    question("Rous8", {{ui->chbRous8No, 0}, {ui->chbRous8Yes, 1}},
             [this](int v) { m_card.SetRous8(v == 1); });
    // 2.2 is stored by its tick alone, ticked or not.
    OnLeave(ui->chbRous21None, [this] { m_card.SetRous22(ui->chbRous21None->isChecked()); });

    const QList<QCheckBox*> places{ui->chbRous71, ui->chbRous72, ui->chbRous73, ui->chbRous74};
    for (int i = 0; i < places.size(); ++i) {
        QCheckBox* box = places[i];
        const QString digit = QString::number(i + 1);
        connect(box, &QCheckBox::clicked, this, [this, box] { RoseEffect(box); });
        OnLeave(box, [this, box, digit] {
            QString where = m_card.Rous7Where();
            where.remove(digit);
            if (box->isChecked())
                where += digit;
            m_card.SetRous7Where(where);
        });
    }
    connect(ui->edRous8, &QLineEdit::textChanged, this, &TScrCardForm::edRous8Change);
    OnLeave(ui->edRous8, [this] { m_card.SetRous8Where(ui->edRous8->text()); });
    OnLeave(ui->edRous9, [this] { m_card.SetRous9Let(GetIntValue(ui->edRous9)); });
    ui->lblRous8Where->setVisible(false);
    ui->edRous8->setVisible(false);
    for (QWidget* q : {ui->pnlRous12, ui->pnlRous21, ui->pnlRous3, ui->pnlRous4, ui->pnlRous5, ui->pnlRous6,
                       ui->pnlRous7, ui->pnlRous8, ui->pnlRous9})
        q->setVisible(false);
}

void TScrCardForm::RoseAnswer(QCheckBox* box)
{
    for (TOneOfGroup* g : std::as_const(m_groups))
        if (g->Contains(box))
            g->Select(box);
    RoseEffect(box);
}

void TScrCardForm::RoseAnswerByValue(const char* question, int value)
{
    TOneOfGroup* group = m_groups.value(QLatin1String(question));
    for (QCheckBox* b : group->Boxes())
        if (group->ValueOf(b) == value) {
            RoseAnswer(b);
            return;
        }
    Untick(group);
}

void TScrCardForm::HideRoseFrom2()
{
    for (QWidget* q : {ui->pnlRous21, ui->pnlRous3, ui->pnlRous4, ui->pnlRous5, ui->pnlRous6, ui->pnlRous7,
                       ui->pnlRous8, ui->pnlRous9})
        q->setVisible(false);
    for (const char* name : {"Rous21", "Rous3", "Rous4", "Rous5", "Rous6", "Rous8"})
        Untick(m_groups.value(QLatin1String(name)));
    for (QCheckBox* b : {ui->chbRous71, ui->chbRous72, ui->chbRous73, ui->chbRous74})
        b->setChecked(false);
}

void TScrCardForm::RoseEffect(QCheckBox* box)
{
    const bool guard = m_guard;
    m_guard = true;
    if (box == ui->chbRous11Yes) {
        ui->pnlRous12->setVisible(false);
        Untick(m_groups.value(QStringLiteral("Rous21")));
        ui->pnlRous21->setVisible(true);
    } else if (box == ui->chbRous11No) {
        Untick(m_groups.value(QStringLiteral("Rous12")));
        ui->pnlRous12->setVisible(true);
        HideRoseFrom2();
    } else if (box == ui->chbRous12Yes) {
        ui->pnlRous21->setVisible(true);
    } else if (box == ui->chbRous12No) {
        HideRoseFrom2();
    } else if (box == ui->chbRous21Yes || box == ui->chbRous21No || box == ui->chbRous21None) {
        ui->pnlRous3->setVisible(true);
    } else if (box == ui->chbRous3Yes || box == ui->chbRous3No) {
        ui->pnlRous4->setVisible(true);
    } else if (box == ui->chbRous4Stop || box == ui->chbRous4Go) {
        ui->pnlRous5->setVisible(true);
    } else if (box == ui->chbRous5Gone) {
        ui->pnlRous6->setVisible(true);
    } else if (box == ui->chbRous5Stay) {
        ui->pnlRous6->setVisible(false);
        ui->pnlRous7->setVisible(true);
    } else if (box == ui->chbRous6Before10 || box == ui->chbRous6After10) {
        ui->pnlRous7->setVisible(true);
    } else if (box == ui->chbRous71 || box == ui->chbRous72 || box == ui->chbRous73 || box == ui->chbRous74) {
        ui->pnlRous8->setVisible(true);
    } else if (box == ui->chbRous8Yes) {
        ui->lblRous8Where->setVisible(true);
        ui->edRous8->setVisible(true);
        edRous8Change();
        if (!guard && ui->tsRose->isVisible())
            ui->edRous8->setFocus(Qt::OtherFocusReason);
    } else if (box == ui->chbRous8No) {
        ui->lblRous8Where->setVisible(false);
        ui->edRous8->setVisible(false);
        ui->pnlRous9->setVisible(true);
    }
    m_guard = guard;
}

void TScrCardForm::edRous8Change()
{
    // With "да" to question 8, question 9 follows the description: asked once it is given.
    if (ui->chbRous8Yes->isChecked())
        ui->pnlRous9->setVisible(!ui->edRous8->text().isEmpty());
}

void TScrCardForm::RefreshRose()
{
    RoseAnswer(m_card.Rous11() ? ui->chbRous11Yes : ui->chbRous11No);
    if (!m_card.Rous11())
        RoseAnswer(m_card.Rous12() ? ui->chbRous12Yes : ui->chbRous12No);
    if (!m_card.Rous11() && !m_card.Rous12())
        return;
    RoseAnswer(m_card.Rous21() ? ui->chbRous21Yes : ui->chbRous21No);
    if (m_card.Rous22())
        RoseAnswer(ui->chbRous21None);
    RoseAnswer(m_card.Rous3() ? ui->chbRous3Yes : ui->chbRous3No);
    // Questions 4 to 6 have no "no" answer: 0 means unanswered and leaves both boxes blank,
    // so that no answer is shown that the card does not hold.
    RoseAnswerByValue("Rous4", m_card.Rous4());
    RoseAnswerByValue("Rous5", m_card.Rous5());
    RoseAnswerByValue("Rous6", m_card.Rous6());
    const QList<QCheckBox*> places{ui->chbRous71, ui->chbRous72, ui->chbRous73, ui->chbRous74};
    for (int i = 0; i < places.size(); ++i) {
        places[i]->setChecked(m_card.Rous7Where().contains(QString::number(i + 1)));
        if (places[i]->isChecked())
            RoseEffect(places[i]);
    }
    if (m_card.Rous8()) {
        ui->edRous8->setText(m_card.Rous8Where());
        RoseAnswer(ui->chbRous8Yes);
    } else {
        RoseAnswer(ui->chbRous8No);
    }
    // 0 is "not answered": an empty field, which the checks before saving then ask for.
    ui->edRous9->setText(m_card.Rous9Let() != 0 ? QString::number(m_card.Rous9Let()) : QString());
}
