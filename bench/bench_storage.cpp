// Saving and loading a fully filled screening card (every column, diagnoses of both types)
// on a workstation database that already holds 100,000 documents.
#include "FullDocuments.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_DocumentColumns.h"
#include "data/Unit_Schema.h"
#include "documents/Class_ScriningCard.h"
#include <QCoreApplication>
#include <QHash>
#include <QSqlQuery>
#include <QTemporaryDir>
#include "BenchMain.h"
#include <memory>

namespace {
constexpr int kDocuments = 100000;

void FillCard(TScriningCard& card)
{
    QHash<QString, QString> values;
    for (const QString& item : QString::fromUtf8(kFullCard).split(QLatin1Char(';')))
        values.insert(item.section(QLatin1Char('='), 0, 0), item.section(QLatin1Char('='), 1));
    for (const TCardColumn& c : CardColumns())
        if (c.set)
            c.set(card, values.value(QLatin1String(c.name)));
    card.SetPrnLID(1);
    for (const char* code : {"1", "4", "6", "8", "9", "17"})
        card.AddAutoDiagnosis(QString::fromLatin1(code));
    for (const char* code : {"9", "11", "15"})
        card.AddExpertDiagnosis(QString::fromLatin1(code));
}

struct TStore {
    QTemporaryDir dir;
    std::unique_ptr<TAppInfo> info;
    std::unique_ptr<TDM> dm;
    int storedCard = 0;

    TStore()
    {
        const QString main = dir.path() + "/main/";
        TSchema::CreateWorkstationDatabase(main);
        {
            TScopedConnection c("bench_fill", main + "velta.db");
            QSqlDatabase& db = c.Db();
            TDatabase::Transaction(db);
            QSqlQuery q(db);
            for (int i = 1; i <= 18; ++i)
                TDatabase::Exec(q, QString("insert into Diagnosis(DiagGID, DiagName) values(%1, 'Д%1')").arg(i));
            QSqlQuery d(db), s(db), m(db);
            TDatabase::Prepare(d, "insert into Document(DocLID, DocDate, DtpGID, PrnLID, LastUpdate) "
                                  "values(:doc, '2026-01-01', 2, :prn, '2026-01-01 10:00:00')");
            TDatabase::Prepare(s, "insert into ScriningCard(DocLID, CardNumber, AD1Hi, AD1Low) values(:doc, 'N', 140, 90)");
            TDatabase::Prepare(m, "insert into MapDiag(DiagGID, DocLID, DiagType) values(:g, :doc, :t)");
            for (int i = 1; i <= kDocuments; ++i) {
                d.bindValue(":doc", i);
                d.bindValue(":prn", i / 2 + 1);
                TDatabase::Exec(d);
                s.bindValue(":doc", i);
                TDatabase::Exec(s);
                for (int t = 0; t < 2; ++t) {
                    m.bindValue(":g", 9);
                    m.bindValue(":doc", i);
                    m.bindValue(":t", t);
                    TDatabase::Exec(m);
                }
            }
            TDatabase::Exec(q, QString("insert into SysTable values('document', %1)").arg(kDocuments + 1));
            TDatabase::Commit(db);
        }
        info = std::make_unique<TAppInfo>(dir.path() + "/velta.ini");
        info->SetMainDBPath(main);
        info->WstGID = 3;
        info->UserGID = 5;
        dm = std::make_unique<TDM>(*info);
        TScriningCard card;
        FillCard(card);
        dm->InsertScriningCard(card);
        storedCard = card.DocLID();
    }
};

TStore& Store()
{
    static TStore s;
    return s;
}

void BM_InsertScriningCard(benchmark::State& state)
{
    TStore& s = Store();
    TScriningCard card;
    FillCard(card);
    for (auto _ : state) {
        card.SetDocLID(0);
        s.dm->InsertScriningCard(card);
        benchmark::DoNotOptimize(card.DocLID());
    }
}
BENCHMARK(BM_InsertScriningCard)->Unit(benchmark::kMillisecond);

void BM_UpdateScriningCard(benchmark::State& state)
{
    TStore& s = Store();
    TScriningCard card;
    FillCard(card);
    card.SetDocLID(s.storedCard);
    for (auto _ : state)
        s.dm->UpdateScriningCard(card);
}
BENCHMARK(BM_UpdateScriningCard)->Unit(benchmark::kMillisecond);

void BM_LoadScriningCard(benchmark::State& state)
{
    TStore& s = Store();
    TScriningCard card;
    for (auto _ : state) {
        card.Init();
        card.SetDocLID(s.storedCard);
        s.dm->LoadScriningCard(card);
        benchmark::DoNotOptimize(card.Puls());
    }
}
BENCHMARK(BM_LoadScriningCard)->Unit(benchmark::kMillisecond);
}

VELTA_BENCH_MAIN(QCoreApplication)
