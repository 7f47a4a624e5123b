// Page 8: the expert's conclusion, the computer's conclusion and the dispensary group.
#include "app/Widget_Application.h"
#include "data/Unit_DataModule.h"
#include "ui/Widget_DocumentControls.h"
#include "ui/form_ScriningCard.h"
#include "ui_form_ScriningCard.h"
#include <QKeyEvent>
#include <QLabel>
#include <QSqlQuery>
#include <QTabBar>
#include <QVBoxLayout>

void TScrCardForm::SetupConclusion()
{
    const std::pair<QCheckBox*, int> expert[] = {{ui->chbRes1, 9},  {ui->chbRes2, 11}, {ui->chbRes3, 12},
                                                 {ui->chbRes4, 13}, {ui->chbRes5, 14}, {ui->chbRes6, 15}};
    for (const auto& [box, code] : expert) {
        m_expertBoxes.insert(box, code);
        QCheckBox* b = box;
        const QString c = QString::number(code);
        OnLeave(b, [this, b, c] {
            if (b->isChecked())
                m_card.AddExpertDiagnosis(c);
            else
                m_card.RemoveExpertDiagnosis(c);
        });
    }
    AnswerGroup(QStringLiteral("Dispanser"), {{ui->chbDisp1, 0}, {ui->chbDisp2, 1}, {ui->chbDisp3, 2}},
                [this](double v) { m_card.SetDispanser(int(v)); });
    ui->PCDiags->setCurrentIndex(0);
    // PCDiagsEnter: coming to the inner tabs with the expert's tab shown means its first box.
    m_commits->OnEnter(ui->PCDiags->tabBar(), [this] {
        if (ui->PCDiags->currentIndex() == 0)
            ui->chbRes1->setFocus(Qt::TabFocusReason);
    });
}

void TScrCardForm::ComputeConclusion()
{
    const QDate born = ui->edBirthday->date();
    try {
        // The card notifies, and the refresh shows the new list.
        m_card.ComputeAutoDiagnoses(born == ui->edBirthday->minimumDate() ? QDate() : born);
    } catch (const std::exception& e) {
        ShowApplicationException(e);
    }
}

bool TScrCardForm::ConclusionKeyDown(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_1:
        ui->PCDiags->setCurrentIndex(0);
        ui->chbRes1->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_2:
        ui->PCDiags->setCurrentIndex(1);
        ComputeConclusion();
        return true;
    case Qt::Key_Escape:
        if (ui->PCDiags->currentIndex() == 0 && focusWidget() != ui->chbDisp1) {
            ui->chbDisp1->setFocus(Qt::OtherFocusReason);
            return true;
        }
        done(NotSaved);
        return true;
    default:
        return false; // the control has the key; the window moves no focus here
    }
}

void TScrCardForm::RefreshConclusion()
{
    m_groups.value(QStringLiteral("Dispanser"))->SetValue(m_card.Dispanser());
    QVBoxLayout* list = qobject_cast<QVBoxLayout*>(ui->sbDiagAutoContents->layout());
    for (QLabel* old : ui->sbDiagAutoContents->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        delete old;
    DM()->CheckDiagnosisTable(); // SQL() now stands on the first diagnosis
    QSqlQuery& q = DM()->SQL();
    int at = 0;
    do {
        const QString id = q.value(QStringLiteral("DiagGID")).toString();
        const QString code = QLatin1Char(',') + id + QLatin1Char(',');
        if (m_card.AutoDiagnoses().contains(code)) {
            auto* label = new QLabel(QStringLiteral("  ") + q.value(QStringLiteral("DiagName")).toString(),
                                     ui->sbDiagAutoContents);
            label->setObjectName(QStringLiteral("lblDiagAuto") + id);
            label->setWordWrap(true);
            list->insertWidget(at++, label); // above the closing stretch
        }
        if (m_card.ExpertDiagnoses().contains(code))
            for (auto it = m_expertBoxes.cbegin(); it != m_expertBoxes.cend(); ++it)
                if (QString::number(it.value()) == id)
                    it.key()->setChecked(true);
    } while (q.next());
}
