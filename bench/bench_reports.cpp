// The reports on a register of 100,000 patients with 200,000 sheets and cards over two
// years: each of the wizard's nine choices collecting its data and laying out its pages,
// and the summary reports' counting done set-based beside the plain per-patient walk on the
// same database. A plain scan of the period's documents is the baseline the figures compare to.
#include "ReportData.h"
#include "app/Unit_Clock.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include "reports/Unit_ReportBase.h"
#include "reports/Unit_SummaryReport.h"
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include "BenchMain.h"
#include <memory>

namespace {
constexpr int kPatients = 100000;
constexpr int kDocuments = 200000;
const QDate kFrom(2025, 6, 1), kTo(2026, 6, 1);

struct TReportRegister {
    QTemporaryDir dir;
    std::unique_ptr<TScopedConnection> connection;
    TReportRegister()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        TClock::SetFixed(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        TSchema::CreateWorkstationDatabase(dir.path());
        connection = std::make_unique<TScopedConnection>("bench_reports", dir.path() + "/velta.db");
        ReportData::Generate(connection->Db(), kPatients, kDocuments);
    }
    QSqlDatabase& Db() { return connection->Db(); }
};

TReportRegister& Register()
{
    static TReportRegister r;
    return r;
}

QStringList Params(int choice)
{
    return QStringList{"*", "0", "1-100", ShortDateText(kFrom), ShortDateText(kTo), "10", "70", "2"} +
           ChoiceItems(choice, 1);
}

void BM_ReportChoice(benchmark::State& state)
{
    const int choice = int(state.range(0));
    QSqlDatabase& db = Register().Db();
    int rows = 0;
    for (auto _ : state) {
        std::unique_ptr<TReport> r = CreateReport(choice, db, Params(choice), 2);
        r->Build();
        rows = int(r->Table().rows.size()) - 1;
        benchmark::DoNotOptimize(r);
    }
    state.counters["printed_rows"] = rows;
}
BENCHMARK(BM_ReportChoice)->DenseRange(1, 9)->Unit(benchmark::kMillisecond);

// The walk as the reports describe it: two statements per patient.
void BM_SummaryWalk(benchmark::State& state)
{
    const int report = int(state.range(0));
    ReportData::TWalkParams w;
    w.areaCodes = TAreaList("1-100").Items();
    w.start = kFrom;
    w.stop = kTo;
    for (auto _ : state) {
        const std::vector<int> counts = ReportData::Walk(Register().Db(), report, w);
        state.counters["examined"] = counts[0];
    }
}
BENCHMARK(BM_SummaryWalk)->DenseRange(1, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same counts set-based, without laying out a page.
void BM_SummarySetBased(benchmark::State& state)
{
    const int report = int(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<TReport> r = CreateReport(report, Register().Db(), Params(report), 2);
        r->Build();
        state.counters["examined"] = static_cast<TSummaryReport*>(r.get())->Total();
    }
}
BENCHMARK(BM_SummarySetBased)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// Plain SQLite: every document of the period read once.
void BM_BaselineScanPeriod(benchmark::State& state)
{
    for (auto _ : state) {
        QSqlQuery q(Register().Db());
        q.setForwardOnly(true);
        TDatabase::Prepare(q, "select count(*), sum(DtpGID) from Document where DocDate >= :a and DocDate <= :b");
        q.bindValue(":a", kFrom.toString("yyyy-MM-dd"));
        q.bindValue(":b", kTo.toString("yyyy-MM-dd"));
        TDatabase::Exec(q);
        q.next();
        benchmark::DoNotOptimize(q.value(0).toInt());
    }
}
BENCHMARK(BM_BaselineScanPeriod)->Unit(benchmark::kMillisecond);
} // namespace

VELTA_BENCH_MAIN(QGuiApplication)
