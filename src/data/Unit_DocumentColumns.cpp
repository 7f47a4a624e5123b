#include "data/Unit_DocumentColumns.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_Schema.h"
#include "documents/Class_PIList.h"
#include "documents/Class_ScriningCard.h"
#include <QDateTime>
#include <optional>
#include <type_traits>

const char* const kStampColumns[4] = {"CrDate", "LastUpdate", "WstGID", "UserGID"};

QVariant FitToColumn(const TColumnDef& def, const QVariant& value)
{
    QVariant stored = TSchema::ToStored(def, value);
    if (stored.typeId() == QMetaType::QString && stored.toString().isEmpty())
        return {};
    return stored;
}

namespace {

template <class T> QVariant ToVariant(const T& v)
{
    if constexpr (std::is_same_v<T, std::optional<int>>)
        return v ? QVariant(*v) : QVariant();
    else if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
        return QVariant(qlonglong(v));
    else
        return QVariant::fromValue(v);
}

QDateTime StoredDateTime(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString s = v.toString();
    QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime(QDate::fromString(s, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    return dt.isValid() ? dt : QDateTime::fromString(s, Qt::ISODate);
}

// An empty column reads as 0, false, empty text, no date or no medicine.
template <class T> T FromStored(const QVariant& v)
{
    if constexpr (std::is_same_v<T, bool>)
        return v.toBool();
    else if constexpr (std::is_same_v<T, double>)
        return v.toDouble();
    else if constexpr (std::is_same_v<T, QString>)
        return v.toString();
    else if constexpr (std::is_same_v<T, QDateTime>)
        return StoredDateTime(v);
    else if constexpr (std::is_same_v<T, std::optional<int>>)
        return v.isNull() ? std::optional<int>() : std::optional<int>(v.toInt());
    else
        return static_cast<T>(v.toLongLong());
}

template <class Doc> void Resolve(std::vector<TDocumentColumn<Doc>>& columns, const char* table)
{
    QStringList expected = TSchema::ColumnNames(QLatin1String(table));
    for (const char* stamp : kStampColumns)
        expected.removeAll(QLatin1String(stamp));
    QStringList listed;
    for (auto& c : columns) {
        listed << QLatin1String(c.name);
        c.def = TSchema::Column(QLatin1String(table), QLatin1String(c.name));
    }
    if (listed != expected)
        throw EDatabaseError(QStringLiteral("Столбцы документа не совпадают с таблицей %1").arg(QLatin1String(table)));
}

} // namespace

// A column whose member bears another name, and one whose member bears its own.
#define COLUMN_AS(Doc, Column, Member)                                                             \
    TDocumentColumn<Doc>                                                                           \
    {                                                                                              \
        #Column, [](const Doc& d) { return ToVariant(d.Member()); },                               \
            [](Doc& d, const QVariant& v) { d.Set##Member(FromStored<std::decay_t<decltype(d.Member())>>(v)); } \
    }
#define COLUMN(Doc, Name) COLUMN_AS(Doc, Name, Name)
// Written from the document, never read back: the document derives it again.
#define DERIVED(Doc, Name)                                                                         \
    TDocumentColumn<Doc> { #Name, [](const Doc& d) { return ToVariant(d.Name()); }, nullptr }

// A sheet medicine counts only with an identifier above 0; without one the identifier is
// written empty and dose and daily count as 0, and a stored dose without its identifier is
// not taken (the member becomes 0, so no dose of an earlier document stays behind).
#define SHEET_MEDICINE_PART(n, Part)                                                               \
    TSheetColumn                                                                                   \
    {                                                                                              \
        "Mpr" #Part #n, [](const TPIList& d) { return d.MprGID##n() > 0 ? ToVariant(d.Mpr##Part##n()) : QVariant(0); }, \
            [](TPIList& d, const QVariant& v) {                                                    \
                using T = std::decay_t<decltype(d.Mpr##Part##n())>;                                \
                d.SetMpr##Part##n(d.MprGID##n() > 0 ? FromStored<T>(v) : T{});                    \
            }                                                                                      \
    }
#define SHEET_MEDICINE(n)                                                                          \
    TSheetColumn{"MprGID" #n,                                                                      \
                 [](const TPIList& d) { return d.MprGID##n() > 0 ? QVariant(d.MprGID##n()) : QVariant(); }, \
                 [](TPIList& d, const QVariant& v) { d.SetMprGID##n(v.isNull() ? -1 : v.toInt()); }}, \
        SHEET_MEDICINE_PART(n, Dose), SHEET_MEDICINE_PART(n, Freq)

// Card medicines count only while Preparat is set; an empty identifier is no medicine, and
// then its dose and days are not taken from the row.
#define CARD_MEDICINE_PART(n, Part)                                                                \
    TCardColumn                                                                                    \
    {                                                                                              \
        "Prep" #n #Part, [](const TScriningCard& d) { return d.Preparat() ? ToVariant(d.Prep##n##Part()) : QVariant(0); }, \
            [](TScriningCard& d, const QVariant& v) {                                              \
                using T = std::decay_t<decltype(d.Prep##n##Part())>;                               \
                d.SetPrep##n##Part(d.Prep##n##GID() ? FromStored<T>(v) : T{});                     \
            }                                                                                      \
    }
#define CARD_MEDICINE(n)                                                                           \
    TCardColumn{"Prep" #n "GID",                                                                   \
                [](const TScriningCard& d) { return d.Preparat() ? ToVariant(d.Prep##n##GID()) : QVariant(); }, \
                [](TScriningCard& d, const QVariant& v) { d.SetPrep##n##GID(FromStored<std::optional<int>>(v)); }}, \
        CARD_MEDICINE_PART(n, Dose), CARD_MEDICINE_PART(n, Day), CARD_MEDICINE_PART(n, DayBack)

#define S(Name) COLUMN(TPIList, Name)
#define C(Name) COLUMN(TScriningCard, Name)

const std::vector<TSheetColumn>& SheetColumns()
{
    static const std::vector<TSheetColumn> columns = [] {
        std::vector<TSheetColumn> c = {
            // The identifier is the key of the load, never a value taken from the row.
            {"DocLID", [](const TPIList& d) { return QVariant(d.DocLID()); }, nullptr},
            COLUMN_AS(TPIList, PinNumber, DocNumber), COLUMN_AS(TPIList, PinInsCode, DocCode),
            COLUMN_AS(TPIList, PinInsDate, DocDate),
            S(ObjCAD), S(ObjDAD), S(ObjCircTh), S(ObjCircWst), S(ObjGrowth), S(ObjMass),
            // Height and weight derive it again when they are loaded.
            DERIVED(TPIList, IndexKetle),
            S(CmpHeadach), S(CmpGiddine), S(CmpNoise), S(CmpLowerin), S(CmpFatig), S(CmpDiffic), S(CmpIrritab),
            S(CmpUrInc), S(CmpUrStran), S(CmpUrNight), S(CmpUrColor), S(CmpBrFast), S(CmpBrSlow), S(PinPrepAD),
            S(HypFather), S(HypMother), S(InfFather), S(InfMother), S(InsFather), S(InsMother),
            S(DiabetFather), S(DiabetMother), S(Smoking), S(Spirits),
            S(AlsUrAlbum), S(AlsUrLeucs), S(AlsUrRed), S(AlsBlHb), S(AlsBlCOE), S(AlsBlRed), S(AlsBlChol), S(AlsBlGluk),
            S(EKGHemChng), S(EKGDeprSt), S(EKGNegT), S(EyeAngGip), S(EyeAngAter), S(Dispanser),
            SHEET_MEDICINE(1), SHEET_MEDICINE(2),
        };
        Resolve(c, "PrimaryInspection");
        return c;
    }();
    return columns;
}

const std::vector<TCardColumn>& CardColumns()
{
    static const std::vector<TCardColumn> columns = [] {
        std::vector<TCardColumn> c = {
            {"DocLID", [](const TScriningCard& d) { return QVariant(d.DocLID()); }, nullptr},
            COLUMN_AS(TScriningCard, CardNumber, DocNumber), COLUMN_AS(TScriningCard, CardCode, DocCode),
            C(CardSec), COLUMN_AS(TScriningCard, CardDate, DocDate),
            C(Hyper), C(HyperDate), C(ADHi), C(ADHiDate), C(Stenokardia), C(StenokardiaDate),
            C(Infarct), C(InfarctDate), C(Insult), C(InsultDate), C(Diabet), C(DiabetDate),
            C(Pielonefrit), C(PielonefritDate), C(Pochki), C(PochkiDate), C(PochkiBerem), C(PochkiBeremDate),
            C(MochekamBolez), C(MochekamBolezDate), C(PochkiSol), C(PochkiSolDate), C(Yazva), C(YazvaDate),
            C(Gepatit), C(GepatitDate),
            C(Preparat), CARD_MEDICINE(1), CARD_MEDICINE(2),
            C(MotherHyper), C(MotherADHi), C(MotherStenokardia), C(MotherInfarkt), C(MotherInsult),
            C(MotherDiabet), C(MotherTuber), C(MotherPochki),
            C(FatherHyper), C(FatherADHi), C(FatherStenokardia), C(FatherInfarkt), C(FatherInsult),
            C(FatherDiabet), C(FatherTuber), C(FatherPochki),
            C(AlkBeer), C(AlkBeerCount), C(AlkBeerFreq), C(AlkWine), C(AlkWineCount), C(AlkWineFreq),
            C(AlkVodka), C(AlkVodkaCount), C(AlkVodkaFreq),
            C(Smoking), C(SmokingBrosilLet), C(SmokingSigarCount), C(Kashel), C(MokrotaORVI), C(MokrotaLet),
            C(Rous11), C(Rous12), C(Rous21), C(Rous22), C(Rous3), C(Rous4), C(Rous5), C(Rous6),
            C(Rous7), C(Rous7Where), C(Rous8), C(Rous8Where), C(Rous9Let),
            C(GolovaBolMorning), C(GolovaBolDay), C(GolovaBolEvening), C(Golovokrugenie), C(GolovaShum),
            C(MemLow), C(UtomlaemostHi), C(RabotaTrudno), C(RazdrajHi),
            C(UrChasto), C(UrRezi), C(UrNight), C(UrColorIzm), C(OtdyshkaBystro), C(OtdyshkaSpokoyno),
            C(FamilyStatus),
            // -1 is "no occupation", kept as an empty column.
            {"PostLID", [](const TScriningCard& d) { return d.PostLID() == -1 ? QVariant() : QVariant(d.PostLID()); },
             [](TScriningCard& d, const QVariant& v) { d.SetPostLID(v.isNull() ? -1 : v.toInt()); }},
            C(PostDate), C(Rost), C(Massa), C(Konstitutcia), C(Jir), C(SizeGrud), C(SizeTalia), C(SizeBedra),
            DERIVED(TScriningCard, IndexKetle),
            // Systolic before diastolic: each diastolic value is checked against its systolic one.
            C(AD1Hi), C(AD1Low), C(AD2Hi), C(AD2Low),
            DERIVED(TScriningCard, ADSredHi), DERIVED(TScriningCard, ADSredLow),
            C(Puls), C(PulsType), C(PasternakRight), C(PasternakLeft),
            C(BloodGluk), C(Holest), C(HolestLPVP), C(Trigliceridy), C(Gemoglobin), C(Eritrocity), C(COE),
            C(Dispanser),
        };
        Resolve(c, "ScriningCard");
        return c;
    }();
    return columns;
}
