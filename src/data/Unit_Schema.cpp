#include "data/Unit_Schema.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_Database.h"
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {
using enum TColumnType;

// The row stamp, in the order most tables carry it.
std::vector<TColumnDef> WithStamp(std::vector<TColumnDef> cols, bool userFirst = false)
{
    cols.push_back({"CrDate", DateTime});
    cols.push_back({"LastUpdate", DateTime});
    if (userFirst) {
        cols.push_back({"UserGID", Integer});
        cols.push_back({"WstGID", Integer});
    } else {
        cols.push_back({"WstGID", Integer});
        cols.push_back({"UserGID", Integer});
    }
    return cols;
}

std::vector<TTableDef> BuildTables()
{
    return {
    {"Person", WithStamp({
        {"PrnLID", Integer}, {"PrnSurName", Text, 15}, {"PrnName", Text, 15}, {"PrnOtch", Text, 15},
        {"PrnSex", SmallInt}, {"PrnDate", Date}, {"PrnMdnName", Text, 15}, {"PrnPhone", Text, 15},
        {"AreaLID", Integer}, {"PosLID", Integer}, {"AdrLID", Integer}, {"PrnRefLID", Integer},
        {"paspor", Text, 10}, {"kod", Text, 10}}), "PrnLID"},
    {"Address", WithStamp({
        {"AdrLID", Integer}, {"AdrHousNum", Text, 10}, {"AdrRoomNum", Text, 5}, {"CityLID", Integer},
        {"StrLID", Integer}}, true), "AdrLID"},
    {"City", WithStamp({
        {"CityLID", Integer}, {"CityName", Text, 50}, {"CityLocCod", Text, 10}, {"CitySoato", Text, 13},
        {"CityOkato", Text, 13}, {"RegGID", Integer}}), "CityLID"},
    {"Street", WithStamp({
        {"StrLID", Integer}, {"StrName", Text, 50}, {"StrLocCod", Text, 10}, {"CityLID", Integer}}, true), "StrLID"},
    {"Region", WithStamp({{"RegGID", Integer}, {"RegName", Text, 255}, {"RegOkato", Text, 13}}), "RegGID"},
    {"RegistrationArea", WithStamp({{"AreaLID", Integer}, {"AreaCode", Text, 10}, {"HspGID", Integer}}), "AreaLID"},
    {"Post", WithStamp({{"PosLID", Integer}, {"PosName", Text, 50}, {"PosLocCod", Text, 10}}), "PosLID"},
    {"Hospital", WithStamp({{"HspGID", Integer}, {"MU", Text, 100}, {"HtpGID", Integer}}), "HspGID"},
    {"Brigade", WithStamp({{"BrgGID", Integer}, {"BrgName", Text, 100}}), "BrgGID"},
    {"Workstation", {
        {"WstGID", Integer}, {"WstName", Text, 50}, {"WstRplDate", DateTime}, {"HspGID", Integer},
        {"BrgGID", Integer}, {"CrDate", DateTime}, {"LastUpdate", DateTime}, {"UserGID", Integer}}, "WstGID"},
    // The operator's own WstGID and UserGID stand where other tables carry the stamp's.
    {"Operator", {
        {"WstGID", Integer}, {"UserGID", Integer}, {"UserName", Text, 20}, {"UserHash", Text, 20},
        {"UserLevel", SmallInt}, {"CrDate", DateTime}, {"LastUpdate", DateTime}}},
    {"Diagnosis", WithStamp({{"DiagGID", Integer}, {"DiagName", Text, 255}}), "DiagGID"},
    {"MedPreparat", WithStamp({
        {"MprGID", Integer}, {"MprName1", Text, 100}, {"MprDose", Real}, {"MprDoseDay", Real},
        {"MpgGID", Integer}}), "MprGID"},
    {"Hosptype", WithStamp({{"HtpGID", Integer}, {"HtpName", Text, 100}}), "HtpGID"},
    {"Brighsp", WithStamp({{"BrgGID", Integer}, {"HspGID", Integer}})},
    {"Doctype", WithStamp({{"DtpGID", Integer}, {"DtpName", Text, 50}}), "DtpGID"},
    {"Medprepgroup", WithStamp({{"MpgGID", Integer}, {"MpgName", Text, 100}}), "MpgGID"},
    {"Document", WithStamp({
        {"DocLID", Integer}, {"DocDate", Date}, {"DocNumber", Text, 10}, {"DtpGID", Integer},
        {"PrnLID", Integer}}), "DocLID"},
    {"PrimaryInspection", {
        {"DocLID", Integer},
        {"PinNumber", Text, 10},
        {"PinInsCode", Text, 10},
        {"PinInsDate", DateTime},
        {"ObjCAD", SmallInt},
        {"ObjDAD", SmallInt},
        {"ObjCircTh", Real},
        {"ObjCircWst", Real},
        {"ObjGrowth", Real},
        {"ObjMass", Real},
        {"IndexKetle", Real},
        {"CmpHeadach", Text, 3},
        {"CmpGiddine", Boolean},
        {"CmpNoise", Boolean},
        {"CmpLowerin", Boolean},
        {"CmpFatig", Boolean},
        {"CmpDiffic", Boolean},
        {"CmpIrritab", Boolean},
        {"CmpUrInc", Boolean},
        {"CmpUrStran", Boolean},
        {"CmpUrNight", Boolean},
        {"CmpUrColor", Boolean},
        {"CmpBrFast", Boolean},
        {"CmpBrSlow", Boolean},
        {"PinPrepAD", Boolean},
        {"HypFather", SmallInt},
        {"HypMother", SmallInt},
        {"InfFather", SmallInt},
        {"InfMother", SmallInt},
        {"InsFather", SmallInt},
        {"InsMother", SmallInt},
        {"DiabetFather", SmallInt},
        {"DiabetMother", SmallInt},
        {"Smoking", SmallInt},
        {"Spirits", SmallInt},
        {"AlsUrAlbum", Real},
        {"AlsUrLeucs", Real},
        {"AlsUrRed", Real},
        {"AlsBlHb", Real},
        {"AlsBlCOE", Real},
        {"AlsBlRed", Real},
        {"AlsBlChol", Real},
        {"AlsBlGluk", Real},
        {"EKGHemChng", Boolean},
        {"EKGDeprSt", Boolean},
        {"EKGNegT", Boolean},
        {"EyeAngGip", Boolean},
        {"EyeAngAter", Boolean},
        {"Dispanser", SmallInt},
        {"MprGID1", Integer},
        {"MprDose1", Real},
        {"MprFreq1", SmallInt},
        {"MprGID2", Integer},
        {"MprDose2", Real},
        {"MprFreq2", SmallInt},
        {"CrDate", DateTime},
        {"LastUpdate", DateTime},
        {"WstGID", Integer},
        {"UserGID", Integer}}, "DocLID"},
    {"ScriningCard", {
        {"DocLID", Integer},
        {"CardNumber", Text, 10},
        {"CardCode", Text, 10},
        {"CardSec", SmallInt},
        {"CardDate", Date},
        {"Hyper", SmallInt},
        {"HyperDate", SmallInt},
        {"ADHi", SmallInt},
        {"ADHiDate", SmallInt},
        {"Stenokardia", SmallInt},
        {"StenokardiaDate", SmallInt},
        {"Infarct", SmallInt},
        {"InfarctDate", SmallInt},
        {"Insult", SmallInt},
        {"InsultDate", SmallInt},
        {"Diabet", SmallInt},
        {"DiabetDate", SmallInt},
        {"Pielonefrit", SmallInt},
        {"PielonefritDate", SmallInt},
        {"Pochki", SmallInt},
        {"PochkiDate", SmallInt},
        {"PochkiBerem", SmallInt},
        {"PochkiBeremDate", SmallInt},
        {"MochekamBolez", SmallInt},
        {"MochekamBolezDate", SmallInt},
        {"PochkiSol", SmallInt},
        {"PochkiSolDate", SmallInt},
        {"Yazva", SmallInt},
        {"YazvaDate", SmallInt},
        {"Gepatit", SmallInt},
        {"GepatitDate", SmallInt},
        {"Preparat", Boolean},
        {"Prep1GID", Integer},
        {"Prep1Dose", Real},
        {"Prep1Day", SmallInt},
        {"Prep1DayBack", SmallInt},
        {"Prep2GID", Integer},
        {"Prep2Dose", Real},
        {"Prep2Day", SmallInt},
        {"Prep2DayBack", SmallInt},
        {"MotherHyper", SmallInt},
        {"MotherADHi", SmallInt},
        {"MotherStenokardia", SmallInt},
        {"MotherInfarkt", SmallInt},
        {"MotherInsult", SmallInt},
        {"MotherDiabet", SmallInt},
        {"MotherTuber", SmallInt},
        {"MotherPochki", SmallInt},
        {"FatherHyper", SmallInt},
        {"FatherADHi", SmallInt},
        {"FatherStenokardia", SmallInt},
        {"FatherInfarkt", SmallInt},
        {"FatherInsult", SmallInt},
        {"FatherDiabet", SmallInt},
        {"FatherTuber", SmallInt},
        {"FatherPochki", SmallInt},
        {"AlkBeer", Boolean},
        {"AlkBeerCount", Real},
        {"AlkBeerFreq", SmallInt},
        {"AlkWine", Boolean},
        {"AlkWineCount", Real},
        {"AlkWineFreq", SmallInt},
        {"AlkVodka", Boolean},
        {"AlkVodkaCount", Real},
        {"AlkVodkaFreq", SmallInt},
        {"Smoking", SmallInt},
        {"SmokingBrosilLet", SmallInt},
        {"SmokingSigarCount", SmallInt},
        {"Kashel", SmallInt},
        {"MokrotaORVI", Boolean},
        {"MokrotaLet", SmallInt},
        {"Rous11", Boolean},
        {"Rous12", Boolean},
        {"Rous21", Boolean},
        {"Rous22", Boolean},
        {"Rous3", Boolean},
        {"Rous4", SmallInt},
        {"Rous5", SmallInt},
        {"Rous6", SmallInt},
        {"Rous7", Boolean},
        {"Rous7Where", Text, 4},
        {"Rous8", Boolean},
        {"Rous8Where", Text, 255},
        {"Rous9Let", SmallInt},
        {"GolovaBolMorning", Boolean},
        {"GolovaBolDay", Boolean},
        {"GolovaBolEvening", Boolean},
        {"Golovokrugenie", Boolean},
        {"GolovaShum", Boolean},
        {"MemLow", Boolean},
        {"UtomlaemostHi", Boolean},
        {"RabotaTrudno", Boolean},
        {"RazdrajHi", Boolean},
        {"UrChasto", Boolean},
        {"UrRezi", Boolean},
        {"UrNight", Boolean},
        {"UrColorIzm", Boolean},
        {"OtdyshkaBystro", Boolean},
        {"OtdyshkaSpokoyno", Boolean},
        {"FamilyStatus", SmallInt},
        {"PostLID", Integer},
        {"PostDate", Date},
        {"Rost", Real},
        {"Massa", Real},
        {"Konstitutcia", SmallInt},
        {"Jir", SmallInt},
        {"SizeGrud", Real},
        {"SizeTalia", Real},
        {"SizeBedra", Real},
        {"IndexKetle", Real},
        {"AD1Hi", SmallInt},
        {"AD1Low", SmallInt},
        {"AD2Hi", SmallInt},
        {"AD2Low", SmallInt},
        {"ADSredHi", SmallInt},
        {"ADSredLow", SmallInt},
        {"Puls", SmallInt},
        {"PulsType", SmallInt},
        {"PasternakRight", Boolean},
        {"PasternakLeft", Boolean},
        {"BloodGluk", Real},
        {"Holest", Real},
        {"HolestLPVP", Real},
        {"Trigliceridy", Real},
        {"Gemoglobin", Real},
        {"Eritrocity", Real},
        {"COE", Real},
        {"Dispanser", SmallInt},
        {"CrDate", DateTime},
        {"LastUpdate", DateTime},
        {"WstGID", Integer},
        {"UserGID", Integer}}, "DocLID"},
    {"PrimDiag", WithStamp({{"DiagGID", Integer}, {"DocLID", Integer}, {"DiagType", SmallInt}})},
    {"MapDiag", WithStamp({{"DiagGID", Integer}, {"DocLID", Integer}, {"DiagType", SmallInt}})},
    {"SysTable", {{"TableName", Text, 50}, {"AutoIncVal", Integer}}, "TableName"},
    };
}

const char* SqlType(const TColumnDef& c)
{
    switch (c.type) {
    case Integer: return "INTEGER";
    case SmallInt: return "SMALLINT";
    case Real: return "DOUBLE";
    case Boolean: return "BOOLEAN";
    case Date: return "DATE";
    case DateTime: return "TIMESTAMP";
    case Text: return "VARCHAR";
    }
    return "";
}

bool Same(const char* a, const QString& b) { return b.compare(QLatin1String(a), Qt::CaseInsensitive) == 0; }
} // namespace

const std::vector<TTableDef>& TSchema::Tables()
{
    static const std::vector<TTableDef> tables = BuildTables();
    return tables;
}

const TTableDef* TSchema::Table(const QString& name)
{
    for (const TTableDef& t : Tables())
        if (Same(t.name, name))
            return &t;
    return nullptr;
}

const TColumnDef* TSchema::Column(const QString& table, const QString& column)
{
    if (const TTableDef* t = Table(table))
        for (const TColumnDef& c : t->columns)
            if (Same(c.name, column))
                return &c;
    return nullptr;
}

QStringList TSchema::ColumnNames(const QString& table)
{
    QStringList names;
    if (const TTableDef* t = Table(table))
        for (const TColumnDef& c : t->columns)
            names << QString::fromLatin1(c.name);
    return names;
}

QString TSchema::CreateStatement(const TTableDef& table)
{
    QStringList cols;
    for (const TColumnDef& c : table.columns) {
        QString def = QString("%1 %2").arg(QLatin1String(c.name), QLatin1String(SqlType(c)));
        if (c.type == Text)
            def += QString("(%1)").arg(c.width);
        if (table.primaryKey && Same(table.primaryKey, QLatin1String(c.name)))
            def += " PRIMARY KEY";
        cols << def;
    }
    return QString("create table %1 (%2)").arg(QLatin1String(table.name), cols.join(", "));
}

void TSchema::CreateWorkstationTables(QSqlDatabase& db)
{
    TDatabase::Transaction(db);
    try {
        for (const TTableDef& t : Tables())
            TDatabase::Exec(db, CreateStatement(t));
        // Lookups by patient and by document, which the document lists and the storage run
        // on every move and every save.
        TDatabase::Exec(db, "create index Document_PrnLID on Document(PrnLID)");
        TDatabase::Exec(db, "create index PrimDiag_DocLID on PrimDiag(DocLID)");
        TDatabase::Exec(db, "create index MapDiag_DocLID on MapDiag(DocLID)");
        TDatabase::Commit(db);
    } catch (...) {
        TDatabase::Rollback(db);
        throw;
    }
}

void TSchema::CreateWorkstationDatabase(const QString& folder)
{
    const QString dir = QDir(folder).absolutePath();
    const QString file = dir + "/velta.db";
    if (QFileInfo::exists(file))
        throw EFileError(QString("В папке \"%1\" уже есть база данных velta.db; она оставлена без изменений.").arg(dir));
    if (!QDir().mkpath(dir))
        throw EFileError(QString("Не удаётся создать папку \"%1\".").arg(dir));
    try {
        TScopedConnection c("velta_create", file, TDatabase::Create);
        CreateWorkstationTables(c.Db());
    } catch (...) {
        // Leave no half-made database behind.
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(file + suffix);
        throw;
    }
}

QVariant TSchema::ToStored(const TColumnDef& c, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    switch (c.type) {
    case Text: {
        const QString s = value.toString();
        return s.size() > c.width ? s.left(c.width) : s;
    }
    case SmallInt: return QVariant(int(qint16(value.toInt())));
    case Integer: return QVariant(value.toInt());
    case Real: return QVariant(value.toDouble());
    case Boolean: return QVariant(value.toBool() ? 1 : 0);
    case Date: {
        const QDate d = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        if (!d.isValid())
            return QVariant();
        // Written for every stored date of a bulk import; QDate::toString goes through the calendar.
        if (d.year() >= 1000 && d.year() <= 9999) {
            const int y = d.year(), m = d.month(), day = d.day();
            const char text[10] = {char('0' + y / 1000), char('0' + y / 100 % 10), char('0' + y / 10 % 10), char('0' + y % 10), '-',
                                   char('0' + m / 10),   char('0' + m % 10),        '-',
                                   char('0' + day / 10), char('0' + day % 10)};
            return QVariant(QString::fromLatin1(text, 10));
        }
        return QVariant(d.toString("yyyy-MM-dd"));
    }
    case DateTime: {
        QDateTime dt = value.typeId() == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0)) : value.toDateTime();
        return dt.isValid() ? QVariant(dt.toString("yyyy-MM-dd hh:mm:ss")) : QVariant();
    }
    }
    return value;
}

QVariant TSchema::ToStored(const QString& table, const QString& column, const QVariant& value)
{
    const TColumnDef* c = Column(table, column);
    return c ? ToStored(*c, value) : value;
}
