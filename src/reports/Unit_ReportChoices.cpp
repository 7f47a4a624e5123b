// The wizard's nine choices and the report each one runs.
#include "reports/Unit_Report1.h"
#include "reports/Unit_Report2.h"
#include "reports/Unit_Report3.h"
#include "reports/Unit_Report4.h"
#include "reports/Unit_Report5.h"
#include "reports/Unit_Report6.h"
#include "reports/Unit_Report7.h"

QStringList ChoiceItems(int choice, int source)
{
    const QString s = QString::number(source);
    switch (choice) {
    case 5: return {s};
    case 6: return {"140", "159", "90", "99", "Список лиц с АГ, I степень АД 140-159/90-99", s};
    case 7: return {"160", "179", "100", "109", "Список лиц с АГ, II степень АД 160-179/100-109", s};
    case 8: return {"180", "999", "110", "999", "Список лиц с АГ, III степень АД >=180/110", s};
    case 9: return {"Все обследуемые с указанием степени АГ", s};
    default: return {};
    }
}

std::unique_ptr<TReport> CreateReport(int choice, QSqlDatabase db, const QStringList& params, int decimals,
                                      TProgressCallback progress)
{
    switch (choice) {
    case 1: return std::make_unique<TReport1>(std::move(db), params, decimals, std::move(progress));
    case 2: return std::make_unique<TReport2>(std::move(db), params, decimals, std::move(progress));
    case 3: return std::make_unique<TReport3>(std::move(db), params, decimals, std::move(progress));
    case 4: return std::make_unique<TReport4>(std::move(db), params, decimals, std::move(progress));
    case 5: return std::make_unique<TReport5>(std::move(db), params, decimals, std::move(progress));
    case 6:
    case 7:
    case 8: return std::make_unique<TReport6>(std::move(db), params, decimals, std::move(progress));
    case 9: return std::make_unique<TReport7>(std::move(db), params, decimals, std::move(progress));
    default: return nullptr;
    }
}
