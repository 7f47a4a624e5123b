#include "reports/Unit_Report4.h"

void TReport4::RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress)
{
    TReport4 report(std::move(db), params, decimals, std::move(progress));
    ::RunReport(report);
}

namespace {
enum { Hyper = 1, Grade1, Grade1Drugs, Grade2, Grade2Drugs, Grade3, Grade3Drugs };
}

std::vector<TCounterCondition> TReport4::Conditions() const
{
    // A grade is tested only for a hypertensive document, its drug count only within it.
    const QString h = "(PI.ObjCAD>=140 or PI.ObjDAD>=90 or PI.PinPrepAD=1)";
    const QString g1 = h + " and (PI.ObjCAD>=140 or PI.ObjDAD>=90) and PI.ObjCAD<160 and PI.ObjDAD<100";
    const QString g2 = h + " and (PI.ObjCAD>=160 or PI.ObjDAD>=100) and PI.ObjCAD<180 and PI.ObjDAD<110";
    const QString g3 = h + " and (PI.ObjCAD>=180 or PI.ObjDAD>=110)";
    const QString drugs = " and PI.PinPrepAD=1";
    std::vector<TCounterCondition> c;
    for (const QString& s : {h, g1, g1 + drugs, g2, g2 + drugs, g3, g3 + drugs})
        c.push_back(TCounterCondition::BothKinds(s));
    return c;
}

QStringList TReport4::TitleLines() const
{
    return {"Уровни артериального давления у больных артериальной гипертонией в",
            "зависимости от степени (артериальной гипертонии по классификации", "ВОЗ)"};
}

void TReport4::FillTable()
{
    const bool any = Total() > 0;
    const bool hyper = any && m_counts[Hyper] > 0;
    auto grade = [&](int index) { return hyper && m_counts[index] > 0; };
    auto count = [&](int index, bool shown) { return shown ? QString::number(m_counts[index]) : QStringLiteral("0"); };
    auto share = [&](int index, bool shown) { return shown ? Share(index) : QStringLiteral("0"); };

    AddRow(" 1.  ", " Общее количество осмотренных", QString::number(Total()), TotalShare());
    AddRow(" 2.", " Количество выявленных лиц с артериальной гипертонией", count(Hyper, hyper), share(Hyper, hyper), 2);
    AddRow(" 3.", " Количество больных АГ 1 степени (\"мягкой\" АГ)\n САД 140-159 мм рт.ст. и или ДАД 90-99 мм рт.ст.",
           count(Grade1, grade(Grade1)), share(Grade1, grade(Grade1)), 2);
    AddRow(" 4.", " Количество больных АГ 2 степени (\"умеренной\" АГ)\n САД 160-179 мм рт.ст. и или ДАД 100-109 мм рт.ст.",
           count(Grade2, grade(Grade2)), share(Grade2, grade(Grade2)), 2);
    AddRow(" 5.", " Количество больных АГ 3 степени (\"тяжёлая\" АГ)\n САД >= 180 мм рт.ст. и или ДАД >= 110 мм рт.ст.",
           count(Grade3, grade(Grade3)), share(Grade3, grade(Grade3)), 2);
    m_rows.push_back({{"\nПринимали гипотензивные препараты в последние 2 недели из общего\n"
                       "количества больных артериальной гипертонией"},
                      {177}, 3, true});
    auto sub = [&](const QString& number, const QString& caption, int index) {
        const bool shown = grade(index);
        const QString drugs = shown ? Percent(m_counts[index + 1], m_counts[index]) : QStringLiteral("0");
        m_rows.push_back({{number, caption, count(index, shown), count(index + 1, shown), drugs},
                          {7, 99, 23, 24, 24}, 3, true});
    };
    sub(" 6.", " Больные АГ 1 степени (\"мягкой\" АГ)\n САД 140-159 мм рт.ст.  и или ДАД 90-99 мм рт.ст.", Grade1);
    sub(" 7.", " Больные АГ 2 степени (\"умеренной\" АГ)\n САД 160-179 мм рт.ст. и или ДАД 100-109 мм  рт.ст.", Grade2);
    sub(" 8.", " Больные АГ 3 степени (\"тяжёлой\" АГ)\n САД >= 180 мм рт.ст. и или ДАД >= 110 мм  рт.ст.", Grade3);
}
