// Page 4: alcohol, smoking, cough and sputum.
#include "app/Widget_ControlUtils.h"
#include "ui/Widget_DocumentControls.h"
#include "ui/form_ScriningCard.h"
#include "ui_form_ScriningCard.h"

namespace {
QString CountText(int v) { return v != 0 ? QString::number(v) : QString(); }
}

void TScrCardForm::SetupHabits()
{
    const auto group = [this](const char* member, std::initializer_list<std::pair<QCheckBox*, double>> boxes,
                              std::function<void(double)> store) {
        return AnswerGroup(QLatin1String(member), boxes, std::move(store));
    };
    group("AlkBeerFreq", {{ui->chbBeer1, 1}, {ui->chbBeer2, 2}, {ui->chbBeer3, 3}, {ui->chbBeer4, 4}},
          [this](double v) { m_card.SetAlkBeerFreq(int(v)); })->Select(ui->chbBeer2);
    group("AlkBeerCount", {{ui->chbBeer05L, 0.5}, {ui->chbBeer1L, 1}, {ui->chbBeer1More, 2}},
          [this](double v) { m_card.SetAlkBeerCount(v); })->Select(ui->chbBeer1L);
    group("AlkWineFreq", {{ui->chbVine1, 1}, {ui->chbVine2, 2}, {ui->chbVine3, 3}, {ui->chbVine4, 4}},
          [this](double v) { m_card.SetAlkWineFreq(int(v)); })->Select(ui->chbVine2);
    group("AlkWineCount", {{ui->chbVine02L, 0.2}, {ui->chbVine05L, 0.5}},
          [this](double v) { m_card.SetAlkWineCount(v); })->Select(ui->chbVine02L);
    group("AlkVodkaFreq", {{ui->chbVodka1, 1}, {ui->chbVodka2, 2}, {ui->chbVodka3, 3}, {ui->chbVodka4, 4}},
          [this](double v) { m_card.SetAlkVodkaFreq(int(v)); })->Select(ui->chbVodka1);
    group("AlkVodkaCount",
          {{ui->chbVodka005L, 0.05}, {ui->chbVodka01L, 0.1}, {ui->chbVodka02L, 0.2}, {ui->chbVodka05L, 0.5}},
          [this](double v) { m_card.SetAlkVodkaCount(v); })->Select(ui->chbVodka05L);
    group("Smoking", {{ui->chbSmokingNo, 0}, {ui->chbSmokingYes, 1}, {ui->chbSmokingStop, 2}},
          [this](double v) { m_card.SetSmoking(int(v)); });
    group("Kashel", {{ui->chbKashel0, 0}, {ui->chbKashel1, 1}, {ui->chbKashel2, 2}},
          [this](double v) { m_card.SetKashel(int(v)); });
    group("MokrotaORVI", {{ui->chbOrviYes, 1}, {ui->chbOrviNo, 0}},
          [this](double v) { m_card.SetMokrotaORVI(v != 0); });

    const auto drink = [this](QCheckBox* box, QWidget* details, void (TScriningCard::*store)(bool)) {
        connect(box, &QCheckBox::toggled, details, &QWidget::setVisible);
        details->setVisible(false);
        OnLeave(box, [this, box, store] { (m_card.*store)(box->isChecked()); });
    };
    drink(ui->chbBeer, ui->pnlBeer, &TScriningCard::SetAlkBeer);
    drink(ui->chbVine, ui->pnlVine, &TScriningCard::SetAlkWine);
    drink(ui->chbVodka, ui->pnlVodka, &TScriningCard::SetAlkVodka);

    const auto detail = [](QCheckBox* box, QWidget* edit, QWidget* label) {
        connect(box, &QCheckBox::toggled, edit, [edit, label](bool on) {
            edit->setVisible(on);
            label->setVisible(on);
        });
        edit->setVisible(false);
        label->setVisible(false);
    };
    detail(ui->chbSmokingYes, ui->edSmokingYes, ui->lblSmokingYes);
    detail(ui->chbSmokingStop, ui->edSmokingStop, ui->lblSmokingStop);
    OnLeave(ui->edSmokingYes, [this] { m_card.SetSmokingSigarCount(GetIntValue(ui->edSmokingYes)); });
    OnLeave(ui->edSmokingStop, [this] { m_card.SetSmokingBrosilLet(GetIntValue(ui->edSmokingStop)); });
    OnLeave(ui->edMokrota, [this] { m_card.SetMokrotaLet(GetIntValue(ui->edMokrota)); });
}

void TScrCardForm::RefreshHabits()
{
    const auto drink = [this](QCheckBox* box, bool on, const char* freq, int f, const char* count, double c) {
        box->setChecked(on);
        if (!on)
            return;
        m_groups.value(QLatin1String(freq))->SetValue(f);
        m_groups.value(QLatin1String(count))->SetValue(c);
    };
    drink(ui->chbBeer, m_card.AlkBeer(), "AlkBeerFreq", m_card.AlkBeerFreq(), "AlkBeerCount", m_card.AlkBeerCount());
    drink(ui->chbVine, m_card.AlkWine(), "AlkWineFreq", m_card.AlkWineFreq(), "AlkWineCount", m_card.AlkWineCount());
    drink(ui->chbVodka, m_card.AlkVodka(), "AlkVodkaFreq", m_card.AlkVodkaFreq(), "AlkVodkaCount",
          m_card.AlkVodkaCount());
    m_groups.value(QStringLiteral("Smoking"))->SetValue(m_card.Smoking());
    m_groups.value(QStringLiteral("Kashel"))->SetValue(m_card.Kashel());
    m_groups.value(QStringLiteral("MokrotaORVI"))->SetValue(m_card.MokrotaORVI() ? 1 : 0);
    if (m_card.Smoking() == 1)
        ui->edSmokingYes->setText(CountText(m_card.SmokingSigarCount()));
    if (m_card.Smoking() == 2)
        ui->edSmokingStop->setText(CountText(m_card.SmokingBrosilLet()));
    ui->edMokrota->setText(CountText(m_card.MokrotaLet()));
}
