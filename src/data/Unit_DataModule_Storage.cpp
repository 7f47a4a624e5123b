// Document storage of the data module: loading a sheet or a card into its object, storing it
// as a new document or over the stored one, deleting it, and its diagnosis rows. Column by
// column correspondence lives in Unit_DocumentColumns; this file holds the statements and
// the transaction rules.
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_DocumentColumns.h"
#include "data/Unit_Schema.h"
#include "documents/Class_PIList.h"
#include "documents/Class_ScriningCard.h"
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlRecord>
#include <QStringList>

namespace {

const char* const kInsertFailed = "Произошла ошибка при попытке записи новых данных. Обратитесь к разработчику.";
const char* const kUpdateFailed = "Произошла ошибка при попытке обновить данные. Обратитесь к разработчику.";
const char* const kNoDiagnoses = "Таблица диагнозов пуста. Данные о диагнозах не будут сохранятся!";

// The transaction of one storage operation. It begins one when the connection has none and
// then ends it itself. Inside a transaction a caller already holds it takes a savepoint
// instead: committing or rolling back the caller's transaction from in here would end work
// that is not ours, and a failed save must still take back exactly its own writes. Leaving
// the scope without Commit rolls back, so every error path undoes the whole operation.
class TStorageTransaction {
public:
    explicit TStorageTransaction(QSqlDatabase& db, bool wanted = true) : m_db(db)
    {
        if (!wanted)
            return;
        if (TDatabase::InTransaction(db)) {
            TDatabase::Exec(db, "savepoint velta_storage");
            m_mode = Savepoint;
        } else {
            TDatabase::Transaction(db);
            m_mode = Own;
        }
    }
    ~TStorageTransaction() { Rollback(); }
    TStorageTransaction(const TStorageTransaction&) = delete;
    TStorageTransaction& operator=(const TStorageTransaction&) = delete;

    void Commit()
    {
        if (m_mode == Own)
            TDatabase::Commit(m_db);
        else if (m_mode == Savepoint)
            TDatabase::Exec(m_db, "release velta_storage");
        m_mode = None;
    }

private:
    void Rollback() noexcept
    {
        try {
            if (m_mode == Own) {
                TDatabase::Rollback(m_db);
            } else if (m_mode == Savepoint) {
                TDatabase::Exec(m_db, "rollback to velta_storage");
                TDatabase::Exec(m_db, "release velta_storage");
            }
        } catch (...) {
            // Nothing more can be done here; the error that brought us here is what matters.
        }
        m_mode = None;
    }

    enum { None, Own, Savepoint } m_mode = None;
    QSqlDatabase& m_db;
};

QString Placeholder(const char* column) { return QLatin1Char(':') + QLatin1String(column); }

void BindStored(QSqlQuery& q, const char* table, const char* column, const QVariant& value)
{
    q.bindValue(Placeholder(column), FitToColumn(*TSchema::Column(QLatin1String(table), QLatin1String(column)), value));
}

template <class Doc> QStringList StoredColumns(const std::vector<TDocumentColumn<Doc>>& columns)
{
    QStringList names;
    for (const auto& c : columns)
        names << QLatin1String(c.name);
    for (const char* stamp : kStampColumns)
        names << QLatin1String(stamp);
    return names;
}

QString Placeholders(const QStringList& names)
{
    QStringList p;
    for (const QString& n : names)
        p << QLatin1Char(':') + n;
    return p.join(QLatin1String(", "));
}

QString NamedInsert(const char* table, const QStringList& names)
{
    return QStringLiteral("insert into %1(%2) values(%3)")
        .arg(QLatin1String(table), names.join(QLatin1String(", ")), Placeholders(names));
}

QString PositionalInsert(const char* table, const QStringList& names)
{
    return QStringLiteral("insert into %1 values(%2)").arg(QLatin1String(table), Placeholders(names));
}

// Every column but the key and the creation time, which an update never changes.
QString UpdateStatement(const char* table, const QStringList& names)
{
    QStringList sets;
    for (const QString& n : names)
        if (n.compare(QLatin1String("DocLID"), Qt::CaseInsensitive) != 0
            && n.compare(QLatin1String("CrDate"), Qt::CaseInsensitive) != 0)
            sets << n + QLatin1String(" = :") + n;
    return QStringLiteral("update %1 set %2 where DocLID = :DocLID").arg(QLatin1String(table), sets.join(QLatin1String(", ")));
}

template <class Doc>
void WriteRow(TDM& dm, QSqlQuery& q, const Doc& doc, const std::vector<TDocumentColumn<Doc>>& columns)
{
    for (const auto& c : columns)
        q.bindValue(Placeholder(c.name), StoredValue(c, doc));
    dm.SetRowStamp(q);
    TDatabase::Exec(q);
}

void SaveDiagnoses(TDM& dm, const char* table, int docLID, const QString& autoCodes, const QString& expertCodes,
                   bool ownTransaction)
{
    // Checked before anything is deleted, and the old rows are deleted inside the
    // transaction: an empty Diagnosis table, or any later error, leaves them in place.
    dm.CheckDiagnosisTable();
    QSqlDatabase& db = dm.Database();
    TStorageTransaction t(db, ownTransaction);
    QSqlQuery del(db);
    TDatabase::Prepare(del, QStringLiteral("delete from %1 where DocLID = :DocLID").arg(QLatin1String(table)));
    del.bindValue(QStringLiteral(":DocLID"), docLID);
    TDatabase::Exec(del);

    QSqlQuery ins(db);
    TDatabase::Prepare(ins, QStringLiteral("insert into %1 values(:DiagGID, :DocLID, :DiagType, :CrDate, :LastUpdate, "
                                           ":WstGID, :UserGID)").arg(QLatin1String(table)));
    dm.SetRowStamp(ins); // one stamp for all rows of the save
    ins.bindValue(QStringLiteral(":DocLID"), docLID);
    QSqlQuery& diagnoses = dm.SQL();
    const int idColumn = diagnoses.record().indexOf(QStringLiteral("DiagGID"));
    do {
        const QVariant id = diagnoses.value(idColumn);
        if (id.isNull())
            continue;
        const QString delimited = QLatin1Char(',') + id.toString() + QLatin1Char(',');
        for (int type : {0, 1}) {
            if ((type == 0 ? autoCodes : expertCodes).contains(delimited)) {
                ins.bindValue(QStringLiteral(":DiagGID"), id.toInt());
                ins.bindValue(QStringLiteral(":DiagType"), type);
                TDatabase::Exec(ins);
            }
        }
    } while (diagnoses.next());
    t.Commit();
}

template <class Doc> void LoadDiagnoses(QSqlDatabase& db, Doc& doc, const char* table)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    TDatabase::Prepare(q, QStringLiteral("select DiagGID, DiagType from %1 where DocLID = :DocLID").arg(QLatin1String(table)));
    q.bindValue(QStringLiteral(":DocLID"), doc.DocLID());
    TDatabase::Exec(q);
    doc.AddAutoDiagnosis(QString());
    doc.AddExpertDiagnosis(QString());
    while (q.next()) {
        // An empty code would empty the whole list.
        if (q.value(0).isNull() || q.value(1).isNull())
            continue;
        const QString code = q.value(0).toString();
        if (q.value(1).toInt() == 0)
            doc.AddAutoDiagnosis(code);
        else if (q.value(1).toInt() == 1)
            doc.AddExpertDiagnosis(code);
    }
}

// Every loaded member as an empty column gives it: 0, false, empty, no medicine. Zero passes
// every check, so this cannot fail, and no value met before it is checked against: a card
// reused for another document could otherwise refuse a systolic pressure below the
// previous document's diastolic one.
template <class Doc> void ClearColumns(Doc& doc, const std::vector<TDocumentColumn<Doc>>& columns)
{
    for (const auto& c : columns)
        if (c.set)
            c.set(doc, QVariant());
}

// What a failed load leaves: a new document of the given identifier and patient.
template <class Doc> void ResetDocument(Doc& doc, const std::vector<TDocumentColumn<Doc>>& columns)
{
    const int docLID = doc.DocLID();
    const int prnLID = doc.PrnLID();
    ClearColumns(doc, columns);
    doc.Init();
    doc.SetDocLID(docLID);
    doc.SetPrnLID(prnLID);
}

template <class Doc>
void LoadDocument(QSqlDatabase& db, Doc& doc, const std::vector<TDocumentColumn<Doc>>& columns, const char* table,
                  const char* diagTable)
{
    QSqlQuery row(db);
    row.setForwardOnly(true);
    TDatabase::Prepare(row, QStringLiteral("select * from %1 where DocLID = :DocLID").arg(QLatin1String(table)));
    row.bindValue(QStringLiteral(":DocLID"), doc.DocLID());
    TDatabase::Exec(row);
    if (!row.next())
        return;
    const QSqlRecord stored = row.record();
    row.finish();

    doc.BeginUpdate();
    try {
        ClearColumns(doc, columns);
        for (const auto& c : columns)
            if (c.set)
                c.set(doc, stored.value(QLatin1String(c.name)));
        LoadDiagnoses(db, doc, diagTable);
    } catch (...) {
        // The error goes on with the setter's own text; the object must not go on holding
        // the part of the row read before it.
        ResetDocument(doc, columns);
        doc.EndUpdate();
        throw;
    }
    doc.EndUpdate();
}

} // namespace

// --- Building blocks ------------------------------------------------------------------------

void TDM::SetRowStamp(QSqlQuery& statement)
{
    static const QRegularExpression placeholder(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
    const QVariant now = TSchema::ToStored(TColumnDef{"CrDate", TColumnType::DateTime}, TClock::Now());
    const QString text = statement.lastQuery();
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QString name = it.next().captured(1);
        QVariant value;
        if (name.compare(QLatin1String("CrDate"), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String("LastUpdate"), Qt::CaseInsensitive) == 0)
            value = now;
        else if (name.compare(QLatin1String("WstGID"), Qt::CaseInsensitive) == 0)
            value = m_info.WstGID;
        else if (name.compare(QLatin1String("UserGID"), Qt::CaseInsensitive) == 0)
            value = m_info.UserGID;
        else
            continue;
        statement.bindValue(QLatin1Char(':') + name, value);
    }
}

void TDM::CheckDiagnosisTable()
{
    m_sql->finish();
    TDatabase::Exec(*m_sql, QStringLiteral("select * from Diagnosis"));
    if (!m_sql->next())
        throw EAppInfoException(QString::fromUtf8(kNoDiagnoses));
}

void TDM::InsertDocument(TDBDocument& doc, bool ownTransaction)
{
    const int previousLID = doc.DocLID();
    try {
        TStorageTransaction t(m_db, ownTransaction);
        doc.SetDocLID(GetNextID(QStringLiteral("document"), QStringLiteral("doclid")));
        QSqlQuery q(m_db);
        TDatabase::Prepare(q, QStringLiteral("insert into document values(:DocLID, :DocDate, :DocNumber, :DtpGID, :PrnLID, "
                                             ":CrDate, :LastUpdate, :WstGID, :UserGID)"));
        BindStored(q, "Document", "DocLID", doc.DocLID());
        BindStored(q, "Document", "DocDate", doc.DocDate());
        BindStored(q, "Document", "DocNumber", doc.DocNumber());
        BindStored(q, "Document", "DtpGID", int(doc.DtpGID()));
        BindStored(q, "Document", "PrnLID", doc.PrnLID());
        SetRowStamp(q);
        TDatabase::Exec(q);
        t.Commit();
    } catch (...) {
        doc.SetDocLID(previousLID);
        throw;
    }
}

void TDM::UpdateDocument(const TDBDocument& doc, bool ownTransaction)
{
    TStorageTransaction t(m_db, ownTransaction);
    QSqlQuery q(m_db);
    TDatabase::Prepare(q, QStringLiteral("update document set docdate = :docdate, docnumber = :docnumber, "
                                         "lastupdate = :lastupdate, WstGID = :WstGID, UserGID = :UserGID "
                                         "where doclid = :doclid"));
    BindStored(q, "Document", "docdate", doc.DocDate());
    BindStored(q, "Document", "docnumber", doc.DocNumber());
    BindStored(q, "Document", "doclid", doc.DocLID());
    SetRowStamp(q);
    TDatabase::Exec(q);
    t.Commit();
}

void TDM::SavePrimDiag(const TPIList& sheet, bool ownTransaction)
{
    SaveDiagnoses(*this, "PrimDiag", sheet.DocLID(), sheet.AutoDiagnoses(), sheet.ExpertDiagnoses(), ownTransaction);
}

void TDM::SaveMapDiag(const TScriningCard& card, bool ownTransaction)
{
    SaveDiagnoses(*this, "MapDiag", card.DocLID(), card.AutoDiagnoses(), card.ExpertDiagnoses(), ownTransaction);
}

// --- Primary inspection sheet ---------------------------------------------------------------

void TDM::InsertPrimaryInspection(TPIList& sheet)
{
    const int previousLID = sheet.DocLID();
    try {
        static const QString sql = NamedInsert("PrimaryInspection", StoredColumns(SheetColumns()));
        QSqlQuery q(m_db);
        TDatabase::Prepare(q, sql);
        TStorageTransaction t(m_db);
        InsertDocument(sheet, false);
        SavePrimDiag(sheet, false);
        WriteRow(*this, q, sheet, SheetColumns());
        t.Commit();
    } catch (...) {
        // Rolled back by now: the identifier drawn for it was taken back with it, so the
        // sheet must not keep it, or the next save would update a document that is not there.
        sheet.SetDocLID(previousLID);
        TDialogs::Error(QString::fromUtf8(kInsertFailed));
        throw;
    }
}

void TDM::UpdatePrimaryInspection(TPIList& sheet)
{
    try {
        static const QString sql = UpdateStatement("PrimaryInspection", StoredColumns(SheetColumns()));
        QSqlQuery q(m_db);
        TDatabase::Prepare(q, sql);
        TStorageTransaction t(m_db);
        UpdateDocument(sheet, false);
        SavePrimDiag(sheet, false);
        WriteRow(*this, q, sheet, SheetColumns());
        t.Commit();
    } catch (...) {
        TDialogs::Error(QString::fromUtf8(kUpdateFailed));
        throw;
    }
}

void TDM::LoadPrimaryInspection(TPIList& sheet)
{
    LoadDocument(m_db, sheet, SheetColumns(), "PrimaryInspection", "PrimDiag");
}

// --- Screening card -------------------------------------------------------------------------

void TDM::InsertScriningCard(TScriningCard& card)
{
    const int previousLID = card.DocLID();
    try {
        // Positional: the column list is the table's own order (checked by CardColumns).
        static const QString sql = PositionalInsert("ScriningCard", StoredColumns(CardColumns()));
        TStorageTransaction t(m_db);
        QSqlQuery q(m_db);
        TDatabase::Prepare(q, sql);
        InsertDocument(card, false);
        WriteRow(*this, q, card, CardColumns());
        SaveMapDiag(card, false);
        t.Commit();
    } catch (...) {
        card.SetDocLID(previousLID);
        throw;
    }
}

void TDM::UpdateScriningCard(TScriningCard& card)
{
    static const QString sql = UpdateStatement("ScriningCard", StoredColumns(CardColumns()));
    TStorageTransaction t(m_db);
    QSqlQuery q(m_db);
    TDatabase::Prepare(q, sql);
    UpdateDocument(card, false);
    WriteRow(*this, q, card, CardColumns());
    SaveMapDiag(card, false);
    t.Commit();
}

void TDM::LoadScriningCard(TScriningCard& card)
{
    LoadDocument(m_db, card, CardColumns(), "ScriningCard", "MapDiag");
}

// --- Deleting -------------------------------------------------------------------------------

void TDM::DeleteDocument(int docLID, const char* dataTable, const char* diagTable)
{
    TStorageTransaction t(m_db);
    for (const char* table : {diagTable, "Document", dataTable}) {
        QSqlQuery q(m_db);
        TDatabase::Prepare(q, QStringLiteral("delete from %1 where doclid = :doclid").arg(QLatin1String(table)));
        q.bindValue(QStringLiteral(":doclid"), docLID);
        TDatabase::Exec(q);
    }
    t.Commit();
}

void TDM::DeletePrimaryInspection(int docLID)
{
    DeleteDocument(docLID, "PrimaryInspection", "PrimDiag");
    LoadSheetList(m_current.PersonLID);
}

void TDM::DeleteScriningCard(int docLID)
{
    DeleteDocument(docLID, "ScriningCard", "MapDiag");
    LoadCardList(m_current.PersonLID);
}
