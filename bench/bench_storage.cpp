// Saving and loading a fully filled screening card (every column, diagnoses of both types)
// on a workstation database that already holds 100,000 documents.
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
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int kDocuments = 100000;

const char* const kFullCard =
    "CardNumber=К-204;CardCode=С3;CardSec=3;CardDate=2026-11-03;Hyper=1;HyperDate=1990;ADHi=0;"
    "ADHiDate=1991;Stenokardia=1;StenokardiaDate=1992;Infarct=0;InfarctDate=1993;Insult=1;InsultDate=1994;"
    "Diabet=0;DiabetDate=1995;Pielonefrit=1;PielonefritDate=1996;Pochki=0;PochkiDate=1997;PochkiBerem=1;"
    "PochkiBeremDate=1998;MochekamBolez=0;MochekamBolezDate=1999;PochkiSol=1;PochkiSolDate=2000;Yazva=0;"
    "YazvaDate=2001;Gepatit=1;GepatitDate=2002;Preparat=1;Prep1GID=7;Prep1Dose=12.5;Prep1Day=2;"
    "Prep1DayBack=3;Prep2GID=9;Prep2Dose=25;Prep2Day=1;Prep2DayBack=30;MotherHyper=1;MotherADHi=0;"
    "MotherStenokardia=1;MotherInfarkt=0;MotherInsult=1;MotherDiabet=0;MotherTuber=1;MotherPochki=0;"
    "FatherHyper=0;FatherADHi=1;FatherStenokardia=0;FatherInfarkt=1;FatherInsult=0;FatherDiabet=1;"
    "FatherTuber=0;FatherPochki=1;AlkBeer=1;AlkBeerCount=0.5;AlkBeerFreq=1;AlkWine=1;AlkWineCount=0.2;"
    "AlkWineFreq=2;AlkVodka=1;AlkVodkaCount=0.1;AlkVodkaFreq=4;Smoking=2;SmokingBrosilLet=5;"
    "SmokingSigarCount=20;Kashel=1;MokrotaORVI=1;MokrotaLet=4;Rous11=1;Rous12=1;Rous21=1;Rous22=1;Rous3=1;"
    "Rous4=1;Rous5=2;Rous6=1;Rous7=1;Rous7Where=134;Rous8=1;Rous8Where=в спине;Rous9Let=6;"
    "GolovaBolMorning=1;GolovaBolDay=1;GolovaBolEvening=1;Golovokrugenie=1;GolovaShum=1;MemLow=1;"
    "UtomlaemostHi=1;RabotaTrudno=1;RazdrajHi=1;UrChasto=1;UrRezi=1;UrNight=1;UrColorIzm=1;"
    "OtdyshkaBystro=1;OtdyshkaSpokoyno=1;FamilyStatus=1;PostLID=4;PostDate=2020-05-01;Rost=176;"
    "Massa=82.4;Konstitutcia=2;Jir=3;SizeGrud=100;SizeTalia=96;SizeBedra=104;AD1Hi=150;AD1Low=95;"
    "AD2Hi=141;AD2Low=88;Puls=72;PulsType=2;PasternakRight=1;PasternakLeft=1;BloodGluk=5.4;Holest=6.2;"
    "HolestLPVP=2.5;Trigliceridy=1.8;Gemoglobin=135;Eritrocity=4.6;COE=12;Dispanser=2";

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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
