#include "reports/Unit_Report3.h"

void TReport3::RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress)
{
    TReport3 report(std::move(db), params, decimals, std::move(progress));
    ::RunReport(report);
}

std::vector<TCounterCondition> TReport3::Conditions() const
{
    const TCounterCondition H = TCounterCondition::BothKinds("PI.ObjCAD >= 140 or PI.ObjDAD >= 90 or PI.PinPrepAD=1");
    const TCounterCondition S{"PI.Smoking=1", "SC.Smoking=1"};
    const TCounterCondition A{"PI.Spirits>=1", "SC.AlkBeer=1 or SC.AlkWine=1 or SC.AlkVodka=1"};
    const TCounterCondition O{"PI.IndexKetle>24.9", "SC.IndexKetle>24.9"};
    const TCounterCondition U{"PI.IndexKetle<19.0", "SC.IndexKetle<19.0"};
    auto both = [](const TCounterCondition& a, const TCounterCondition& b, bool negateA) {
        const char* f = negateA ? "not (%1) and (%2)" : "(%1) and (%2)";
        return TCounterCondition{QString(f).arg(a.sheet, b.sheet), QString(f).arg(a.card, b.card)};
    };
    const TCounterCondition notH{"not (" + H.sheet + ")", "not (" + H.card + ")"};
    return {S, A, O, U, H, both(H, S, false), both(H, A, false), both(H, O, false), both(H, U, false),
            notH, both(H, S, true), both(H, A, true), both(H, O, true), both(H, U, true)};
}

QStringList TReport3::TitleLines() const { return {"Частота встречаемости факторов риска среди осмотренных"}; }

void TReport3::FillTable()
{
    auto counted = [this](const QString& number, const QString& caption, int index) {
        AddRow(number, caption, Count(index), Share(index));
    };
    auto blank = [this] { AddRow("", "", "", ""); };
    const QString overweight = " ФР Избыточная масса тела (Индекс Кетле>24.9)";
    const QString underweight = " ФР Недостаточная масса тела (Индекс Кетле<19.0)";
    AddRow("1.  ", " Частота встречаемости факторов риска\n среди осмотренных", "", "", 2);
    AddRow("1.1 ", " Общее количество осмотренных", QString::number(Total()), TotalShare());
    counted("1.2 ", " ФР Курение", 1);
    counted("1.3", " ФР Употребление алкоголя", 2);
    counted("1.4 ", overweight, 3);
    counted("1.5 ", underweight, 4);
    blank();
    AddRow("2.", " Частота встречаемости факторов риска среди выявленных лиц с артериальной гипертонией", "", "", 2);
    counted("2.1 ", " Количество вывленных лиц с артериальной гипертонией", 5);
    counted("2.2 ", " ФР Курение", 6);
    counted("2.3", " ФР Употребление алкоголя", 7);
    counted("2.4 ", overweight, 8);
    counted("2.5 ", underweight, 9);
    blank();
    AddRow("3.", " Частота встречаемости факторов риска среди выявленных лиц не имеющих артериальной гипертонии (здоровых)",
           "", "", 2);
    counted("3.1 ", " Количество вывленных лиц без артериальной гипертонии", 10);
    counted("3.2 ", " ФР Курение", 11);
    counted("3.3", " ФР Употребление алкоголя", 12);
    counted("3.4 ", "ФР Избыточная масса тела (Индекс Кетле>24.9)", 13);
    counted("3.5 ", underweight, 14);
    blank();
}
