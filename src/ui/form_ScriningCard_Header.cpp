// Page 1: the patient header, the card's number, code and date, family status and the post.
#include "app/Unit_Dialogs.h"
#include "app/Unit_Clock.h"
#include "app/Widget_Application.h"
#include "app/Widget_ControlUtils.h"
#include "data/Unit_DataModule.h"
#include "ui/Widget_DocumentControls.h"
#include "ui/form_ScriningCard.h"
#include "ui/form_reference.h"
#include "ui_form_ScriningCard.h"
#include <QSqlQuery>

namespace {
const QDate kNoDate(1800, 1, 1);

void SetTextColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

QString Text(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

QString PostName(int postLID)
{
    QSqlQuery& q = DM()->SQL();
    q.finish();
    q.prepare(QStringLiteral("select PosName from Post where PosLID = :PostLID"));
    q.bindValue(QStringLiteral(":PostLID"), postLID);
    if (q.exec() && q.next())
        return q.value(0).toString();
    return QString();
}
}

void TScrCardForm::SetupHeader()
{
    SetUpperCaseInput(ui->edNo);
    SetUpperCaseInput(ui->edCode);
    ui->edDate->setDate(TClock::Today());
    ui->edPostDate->setDate(TClock::Today());
    // A patient without a birth date shows an empty picker.
    ui->edBirthday->setMinimumDate(kNoDate);
    ui->edBirthday->setSpecialValueText(QStringLiteral(" "));
    ui->edBirthday->setDate(kNoDate);

    OnLeave(ui->edNo, [this] { m_card.SetDocNumber(ui->edNo->text()); });
    OnLeave(ui->edCode, [this] { m_card.SetDocCode(ui->edCode->text()); });
    OnLeave(ui->edDate, [this] { m_card.SetDocDate(ui->edDate->date().startOfDay()); });

    AnswerGroup(QStringLiteral("FamilyStatus"), {{ui->chbFam1, 0}, {ui->chbFam2, 1}, {ui->chbFam3, 2}},
                [this](double v) { m_card.SetFamilyStatus(int(v)); });

    connect(ui->edPostDate, &QDateEdit::dateChanged, this, [this] {
        if (!m_guard)
            TryCommit(ui->edPostDate, [this] { edPostDateCloseUp(); });
    });
    OnLeave(ui->edPostDate, [this] { edPostDateCloseUp(); });
    ShowPost(false);
}

void TScrCardForm::FillHeader()
{
    const TPersonRow& p = DM()->CurrentPerson();
    const TPersonDetails& d = DM()->Details();
    ui->edLPU->setText(Text(d.LpuName));
    ui->edSec->setText(Text(d.AreaCode));
    ui->edRegionName->setText(Text(d.RegName));
    ui->edCity->setText(Text(d.City));
    ui->edSoatoReg->setText(Text(d.CityCode));
    ui->edCityReg->clear();
    ui->edSurname->setText(Text(p.SurName));
    ui->edName->setText(Text(p.Name));
    ui->edSecName->setText(Text(p.SecName));
    const QDate born = p.Birthday.toDate();
    ui->edBirthday->setDate(born.isValid() ? born : kNoDate);
    m_birthYear = born.isValid() ? born.year() : 0;
    ui->edAge->setText(born.isValid() ? QString::number(m_currentYear - m_birthYear) : QString());
    ui->edStreet->setText(Text(d.Street));
    ui->edHouse->setText(Text(d.House));
    ui->edFlat->setText(Text(d.Flat));
    ui->edPhone->setText(Text(p.Phone));
    ui->edPost->setText(Text(d.JobName));
}

void TScrCardForm::RefreshHeader()
{
    ui->edNo->setText(m_card.DocNumber());
    ui->edCode->setText(m_card.DocCode());
    if (m_card.DocDate().isValid())
        ui->edDate->setDate(m_card.DocDate().date());
    m_groups.value(QStringLiteral("FamilyStatus"))->SetValue(m_card.FamilyStatus());
    const bool hasPost = m_card.PostLID() != -1;
    ShowPost(hasPost);
    if (!hasPost) {
        ui->edPost->setText(QStringLiteral("НЕТ ДАННЫХ"));
        return;
    }
    ui->edPost->setText(PostName(m_card.PostLID()));
    if (m_card.PostDate().isValid())
        ui->edPostDate->setDate(m_card.PostDate().date());
    TryCommit(ui->edPostDate, [this] { edPostDateCloseUp(); });
}

void TScrCardForm::ShowPost(bool hasPost)
{
    ui->lblPostDate->setVisible(hasPost);
    ui->edPostDate->setVisible(hasPost);
}

void TScrCardForm::edPostKeyDown()
{
    TReferenceForm picker(this);
    const TReferenceChoice choice = picker.PickReference(TReferenceKind::Post);
    if (!choice)
        return;
    m_card.SetPostLID(choice.Id.toInt());
    ui->edPost->setText(choice.Row.value(QStringLiteral("PosName")).toString());
    ShowPost(true);
    TDialogs::Warning(QStringLiteral("ВНИМАНИЕ! Проверьте правильность даты принятия на \nданную должность!"));
    ui->edPostDate->setFocus(Qt::OtherFocusReason);
}

void TScrCardForm::edPostDateCloseUp()
{
    const QDate picked = ui->edPostDate->date();
    const int years = m_currentYear - picked.year();
    if (years < 0) {
        // A year to come cannot be right: nothing is stored until it is corrected.
        ui->edJobAge->setText(QString::number(years));
        SetTextColour(ui->edJobAge, Qt::red);
        TDialogs::Warning(QStringLiteral("Проверьте дату принятия на работу!"));
        return;
    }
    ui->edJobAge->setText(QString::number(years));
    SetTextColour(ui->edJobAge, palette().color(QPalette::Text));
    m_card.SetPostDate(picked.startOfDay());
}
