#include "reports/Unit_Report2.h"

void TReport2::RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress)
{
    TReport2 report(std::move(db), params, decimals, std::move(progress));
    ::RunReport(report);
}

std::vector<TCounterCondition> TReport2::Conditions() const
{
    return {
        TCounterCondition::BothKinds("PI.ObjCAD >= 140 or PI.ObjDAD >= 90 or PI.PinPrepAD=1"),
        TCounterCondition::BothKinds("PI.PinPrepAD=1"),
    };
}

QStringList TReport2::TitleLines() const
{
    return {"Приём гипотензивных препаратов последние две недели у лиц имеющих",
            "артериальную гипертонию среди осмотренных за отчётный период по", "поликлинике, терапевтическому участку"};
}

void TReport2::FillTable()
{
    AddRow("  1  ", " Общее количество осмотренных", QString::number(Total()), TotalShare());
    AddRow("  2  ", " Количество выявленных лиц с артериальной\n гипертонией", Count(1), Share(1), 2);
    AddRow("  3  ", " Количество принимавших гипотензивные препараты  последние две недели", Count(2), Share(2), 2);
}
