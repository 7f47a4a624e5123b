#pragma once
// The data module: the connection to the workstation database, the patient list that the
// main window browses, the current patient's details and document lists, the general query,
// the identifier counter and table maintenance. Document storage lives here too
// (Unit_DataModule_Storage.cpp). One exists from the login to the end of the run (DM()).
//
// The current patient is the row set with SetPersonRow; after every move the details are
// looked up again and PersonChanged() is emitted (the person-changed callback).
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include "data/Unit_PersonListModel.h"
#include <QStringList>
#include <QVariant>
#include <memory>

class TAppInfo;
class TDBDocument;
class TPIList;
class TScriningCard;

// The persistent fields of the current row of the patient list.
struct TPersonRow {
    QVariant PersonLID, SurName, Name, SecName, Sex, Birthday, MdnName, sqlPersonpaspor, AdrLID, Phone, AreaLID,
        PosLID;
};

// The lookups of the current patient. A lookup that found nothing leaves its fields null.
struct TPersonDetails {
    QVariant House, Flat, CityLID, StreetLID; // sqlAddress
    QVariant City, CityCode, RegGID;          // sqlCity
    QVariant RegName;                         // sqlRegionName
    QVariant Street;                          // sqlStreet
    QVariant AreaCode, HspGID;                // sqlAreaCode
    QVariant LpuName;                         // sqlLpuName (Hospital.MU)
    QVariant JobName;                         // sqlJob
};

enum TIndexOption { ixCaseInsensitive = 0x1, ixUnique = 0x2, ixExpression = 0x4 };

class TDM : public QObject {
    Q_OBJECT
public:
    static constexpr const char* DatabaseName = "_KORVEL_";

    // Creation: the name indexes of Person, the connection, and the patient list when the
    // login context says LoggedIn. Throws EDatabaseError when the database cannot be used.
    explicit TDM(TAppInfo& info, QObject* parent = nullptr);
    ~TDM() override;

    TAppInfo& Info() { return m_info; }
    QSqlDatabase& Database() { return m_db; }
    bool Connected() const { return m_db.isOpen(); }
    void OpenDatabase();
    void CloseDatabase(); // closes every data set first

    // The patient list.
    TPersonListModel* sqlPerson() const { return m_person.get(); }
    bool PersonsOpen() const { return m_personsOpen; }
    void OpenPersons();
    void ClosePersons();
    void ReopenPersons();
    int PersonRow() const { return m_personRow; } // -1: none
    void SetPersonRow(int row);                   // refreshes the details
    int PersonCount();                            // every row, not only those fetched so far
    const TPersonRow& CurrentPerson() const { return m_current; }
    // The row, in the list's order, of the first patient whose surname begins with prefix
    // (ignoring letter case, Cyrillic included), or whose registry key is exactly paspor;
    // -1 when there is none.
    int LocatePersonRow(const QString& prefix);
    int LocatePersonByPaspor(const QString& paspor);
    // Moves to the first row that LocatePersonRow finds; false (and no move) when none.
    bool LocatePerson(const QString& prefix);
    const TPersonDetails& Details() const { return m_details; }
    void RefreshPersonDetails();

    // The current patient's documents, newest change first.
    QSqlQueryModel* sqlList() const { return m_list.get(); }
    QSqlQueryModel* sqlCard() const { return m_card.get(); }
    void LoadSheetList(const QVariant& prnLID);
    void LoadCardList(const QVariant& prnLID);

    // The general query; its text is set by whoever uses it.
    QSqlQuery& SQL() { return *m_sql; }
    void LookupMedicine(const QVariant& mprGID); // SQL then holds MprName1, MprDose, MprDoseDay

    // Totals of the register.
    int CountPersons();
    int CountDocuments(int dtpGID);

    int GetNextID(const QString& table, const QString& field);
    // fields: column names separated by ";". Creates the index unless one on exactly these
    // columns with the same case rule exists under any name; a failure is ignored.
    void EnsureIndex(const QString& table, const QString& name, const QString& fields, int options);
    bool HasIndexOn(const QString& table, const QStringList& fields, bool caseInsensitive);
    // The same on any connection to a workstation database (the exchange has its own).
    static void EnsureIndex(QSqlDatabase& db, const QString& table, const QString& name, const QString& fields, int options);
    static bool HasIndexOn(QSqlDatabase& db, const QString& table, const QStringList& fields, bool caseInsensitive);
    // Marks a registry dBase file (by its name in the polyclinic folder) as code page 866.
    void SetCodePageMark(const QString& tableFileName);
    static void SetCodePageMarkOnFile(const QString& path);

    // ---- Document storage (Unit_DataModule_Storage.cpp) --------------------------------------
    // A save writes Document, the kind's table and the diagnosis rows in one transaction with
    // one row stamp; any error takes the whole save back and is passed on. Only the transaction
    // a save began is ended by it: inside a caller's open transaction it works in a savepoint.
    // A failed insert leaves the document's DocLID as it was before (0 for a new one).
    // The sheet's insert and update show their error box before passing the error on.
    void InsertPrimaryInspection(TPIList& sheet);
    void UpdatePrimaryInspection(TPIList& sheet); // DocLID != 0
    void InsertScriningCard(TScriningCard& card);
    void UpdateScriningCard(TScriningCard& card);
    // Load the stored document of the object's DocLID through the object's validating setters;
    // no stored row leaves the object as it is. A stored value that fails its check ends the
    // load with the setter's error, and the object is then reset to a new document (keeping
    // DocLID and PrnLID): it never holds part of a row.
    void LoadPrimaryInspection(TPIList& sheet);
    void LoadScriningCard(TScriningCard& card);
    // Deleting a document with its data and diagnosis rows; reloads the patient's list.
    void DeletePrimaryInspection(int docLID);
    void DeleteScriningCard(int docLID);

    // The building blocks of the saves. With ownTransaction they run in a transaction of
    // their own; the saves call them with false, inside theirs.
    void InsertDocument(TDBDocument& doc, bool ownTransaction); // gives doc its new DocLID
    void UpdateDocument(const TDBDocument& doc, bool ownTransaction);
    // Replace the document's diagnosis rows by its two code lists (type 0 computer, 1 expert);
    // only codes present in Diagnosis are stored.
    void SavePrimDiag(const TPIList& sheet, bool ownTransaction);
    void SaveMapDiag(const TScriningCard& card, bool ownTransaction);
    // Throws EAppInfoException when Diagnosis is empty; otherwise SQL() stands on its first row.
    void CheckDiagnosisTable();
    // Binds CrDate, LastUpdate (the clock), WstGID and UserGID (the login context) to those of
    // the prepared statement's placeholders that it has, in the spelling the text uses.
    void SetRowStamp(QSqlQuery& statement);
    // ---- end of document storage -------------------------------------------------------------

signals:
    void PersonsOpening(); // before the patient list opens: the main window recounts its totals
    void PersonChanged();  // after the current patient's details were refreshed

private:
    void PrepareLookups();
    void CloseDetails();
    void ReadCurrentPerson();
    int RowOfPerson(const QVariant& prnLID, const QVariant& surname);
    void DeleteDocument(int docLID, const char* dataTable, const char* diagTable);

    TAppInfo& m_info;
    QSqlDatabase m_db;
    std::unique_ptr<TPersonListModel> m_person;
    std::unique_ptr<QSqlQueryModel> m_list, m_card;
    std::unique_ptr<QSqlQuery> m_sql, m_address, m_city, m_region, m_street, m_area, m_lpu, m_job;
    bool m_personsOpen = false;
    int m_personRow = -1;
    int m_personCount = -1;
    TPersonRow m_current;
    TPersonDetails m_details;
};

// The single data module; null before the login.
TDM* DM();
