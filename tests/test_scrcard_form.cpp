// The screening card window over a real workstation database: a patient, the diagnosis book
// (1 to 18), medicines and posts. The window is shown modelessly (as a modal dialog would be,
// without its own loop) and driven from the keyboard; every box is answered through the seam.
#include "DocumentWindowDriver.h"
#include "TestSupport.h"
#include "app/Unit_Dialogs.h"
#include "data/Unit_DataModule.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/form_ScriningCard.h"
#include "ui_form_ScriningCard.h"
#include <QTabBar>
#include <QLabel>
#include <QStackedWidget>
#include <QTimer>

using namespace TestSupport;

namespace {
const char* const kNotGiven = "Значение не указано!";

void Fixture(TWorkstation& ws)
{
    const char* rows[] = {
        "insert into Hospital(HspGID, MU) values(1, 'ПОЛИКЛИНИКА №1')",
        "insert into Region(RegGID, RegName) values(1, 'ГРОДНЕНСКИЙ')",
        "insert into City(CityLID, CityName, CitySoato, RegGID) values(1, 'ГРОДНО', '4401000000', 1)",
        "insert into Street(StrLID, StrName, CityLID) values(1, 'УЛ. СОВЕТСКАЯ', 1)",
        "insert into Address(AdrLID, AdrHousNum, AdrRoomNum, CityLID, StrLID) values(1, '12', '5', 1, 1)",
        "insert into RegistrationArea(AreaLID, AreaCode, HspGID) values(1, '15', 1)",
        "insert into Post(PosLID, PosName) values(1, 'ВРАЧ')",
        "insert into Post(PosLID, PosName) values(2, 'ИНЖЕНЕР')",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, PrnDate, PrnPhone, AdrLID, AreaLID, PosLID) "
        "values(1, 'ПЕТРОВА', 'АННА', 'ИВАНОВНА', '1960-05-01', '123', 1, 1, 2)",
        "insert into MedPreparat(MprGID, MprName1, MprDose, MprDoseDay) values(21, 'АМЛОДИПИН', 5, 1)",
        "insert into MedPreparat(MprGID, MprName1, MprDose, MprDoseDay) values(22, 'ЭНАЛАПРИЛ', 2.5, 2)",
    };
    for (const char* sql : rows)
        ws.Exec(QString::fromUtf8(sql));
    for (int i = 1; i <= 18; ++i)
        ws.Exec(QString("insert into Diagnosis(DiagGID, DiagName) values(%1, 'Диагноз %1')").arg(i));
}

struct TCardWindow : TDocumentWindowDriver<TScrCardForm> {
    TCardWindow() : TDocumentWindowDriver(Fixture) {}
    void Open(int docLID = 0) { TDocumentWindowDriver::Open(docLID, true); }
    Ui::ScrCardForm* ui() const { return form->Form(); }
    const TScriningCard& card() const { return form->Card(); }
    int page() const { return ui()->pcScrCard->currentIndex(); }
    QVariant Stored(const QString& column)
    {
        return ws.Scalar("select " + column + " from ScriningCard order by DocLID desc limit 1");
    }
};

// Shown within its page: nothing between it and the page is hidden.
bool Shown(const QWidget* w)
{
    for (; w && !qobject_cast<QStackedWidget*>(w->parentWidget()); w = w->parentWidget())
        if (w->isHidden())
            return false;
    return true;
}


QStringList AutoLabels(Ui::ScrCardForm* ui)
{
    QStringList texts;
    for (QLabel* l : ui->sbDiagAutoContents->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        texts << l->text();
    return texts;
}
}

class TestScrCardForm : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void newCardShowsItsDefaults()
    {
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        QCOMPARE(w.form->windowTitle(), QString("Карта скрининга"));
        QCOMPARE(w.form->objectName(), QString("ScrCardForm"));
        QCOMPARE(ui->pcScrCard->count(), 8);
        QCOMPARE(ui->pcScrCard->tabText(4), QString("[F5] Опросник РОУЗА"));
        // The header had the patient's own post; the card has none.
        QCOMPARE(ui->edPost->text(), QString("НЕТ ДАННЫХ"));
        QVERIFY(!Shown(ui->edPostDate) && !Shown(ui->lblPostDate));
        QCOMPARE(ui->edSurname->text(), QString("ПЕТРОВА"));
        QCOMPARE(ui->edAge->text(), QString("66"));
        QCOMPARE(ui->edCity->text(), QString("ГРОДНО"));
        QCOMPARE(ui->edLPU->text(), QString("ПОЛИКЛИНИКА №1"));
        QCOMPARE(ui->edDate->date(), FixedNow().date());
        QCOMPARE(ui->chbHyper->text(), QString("не знаю"));
        QVERIFY(!Shown(ui->edHyper) && !Shown(ui->pnlPrep));
        QVERIFY(ui->chbSmokingNo->isChecked() && ui->chbKashel0->isChecked() && ui->chbOrviNo->isChecked());
        QVERIFY(!ui->chbBeer->isChecked() && !Shown(ui->pnlBeer) && ui->chbBeer2->isChecked());
        QVERIFY(ui->chbRous11No->isChecked() && ui->chbRous12No->isChecked());
        for (QWidget* q : {ui->pnlRous21, ui->pnlRous3, ui->pnlRous7, ui->pnlRous9})
            QVERIFY(!Shown(q));
        QVERIFY(ui->chbKonst2->isChecked() && ui->chbGir2->isChecked() && ui->chbPulsRitm->isChecked());
    }

    // The whole road: filled from the keyboard, the conclusion on page 8, saved as new,
    // reopened, changed and updated.
    void newCardFilledSavedReopenedUpdated()
    {
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        w.Enter(ui->edNo, "а17");
        QCOMPARE(ui->edNo->text(), QString("А17"));
        w.Tick(ui->chbFam2);
        QVERIFY(ui->chbFam2->isChecked() && !ui->chbFam1->isChecked());
        ui->edPost->setFocus();
        w.PickWithF10("ВР");
        QCOMPARE(ui->edPost->text(), QString("ВРАЧ"));
        QCOMPARE(TDialogs::LastText(), QString("ВНИМАНИЕ! Проверьте правильность даты принятия на \nданную должность!"));
        QCOMPARE(w.focus(), ui->edPostDate);
        ui->edPostDate->setDate(QDate(2020, 3, 1));
        QCOMPARE(ui->edJobAge->text(), QString("6"));
        w.Key(Qt::Key_Return);

        w.Key(Qt::Key_F2);
        QCOMPARE(w.page(), 1);
        w.Tick(ui->chbHyper); // grey -> ticked
        QCOMPARE(ui->chbHyper->text(), QString("да"));
        QVERIFY(Shown(ui->edHyper));
        w.Enter(ui->edHyper, "2010");
        w.Tick(ui->chbPrep);
        QVERIFY(Shown(ui->pnlPrep));
        ui->edPrep1->setFocus();
        w.PickWithF10("ЭНА");
        QCOMPARE(ui->edPrep1->text(), QString("ЭНАЛАПРИЛ"));
        QCOMPARE(ui->edPrep1Dose->text(), QString("2,5"));
        QCOMPARE(ui->edPrep1Count->text(), QString("2"));
        w.Enter(ui->edPrep1DayBack, "3");

        w.Key(Qt::Key_F4);
        w.Tick(ui->chbSmokingYes);
        QVERIFY(Shown(ui->edSmokingYes) && !ui->chbSmokingNo->isChecked());
        w.Enter(ui->edSmokingYes, "10");

        // The Rose questionnaire opens question by question.
        w.Key(Qt::Key_F5);
        w.Tick(ui->chbRous11Yes);
        QVERIFY(!Shown(ui->pnlRous12) && Shown(ui->pnlRous21) && !Shown(ui->pnlRous3));
        w.Tick(ui->chbRous21Yes);
        w.Tick(ui->chbRous3No);
        w.Tick(ui->chbRous4Stop);
        w.Tick(ui->chbRous5Stay);
        QVERIFY(Shown(ui->pnlRous5) && !Shown(ui->pnlRous6) && Shown(ui->pnlRous7) && !Shown(ui->pnlRous8));
        w.Tick(ui->chbRous71);
        QVERIFY(Shown(ui->pnlRous8));
        ui->chbRous8Yes->setFocus();
        w.Key(Qt::Key_Space);
        QCOMPARE(w.focus(), ui->edRous8);
        QVERIFY(!Shown(ui->pnlRous9));
        TypeText(ui->edRous8, "спина");
        QVERIFY(Shown(ui->pnlRous9));
        w.Key(Qt::Key_Return);
        w.Enter(ui->edRous9, "2");

        w.Key(Qt::Key_F6);
        w.Tick(ui->chbHeadach2);

        w.Key(Qt::Key_F7);
        const std::pair<QLineEdit*, const char*> objective[] = {
            {ui->edHeight, "175"},     {ui->edWeight, "80"},      {ui->edGrudSize, "100"},
            {ui->edTaliaSize, "95"},   {ui->edBedraSize, "100"},  {ui->edAD1Hi, "150"},
            {ui->edAD1Low, "90"},      {ui->edAd2Hi, "140"},      {ui->edAD2Low, "85"},
            {ui->edPuls, "70"},        {ui->edBloodGluk, "5.2"},  {ui->edHolesterin, "5"},
            {ui->edHolesterinLPVP, "2"}, {ui->edTriglecirid, "1,5"}, {ui->edGemoglobin, "140"},
            {ui->edEritrocity, "4.5"}, {ui->edCOE, "10"}};
        for (const auto& [edit, text] : objective)
            w.Enter(edit, text);
        QCOMPARE(ui->edAD3Hi->text(), QString("145"));
        QCOMPARE(ui->edAD3Low->text(), QString("87"));
        QCOMPARE(ui->edBloodGluk->text(), QString("5,2"));

        // Page 8 computes: weight 26.1 (2), waist over 90 past 40 (4), a headache (6), the
        // means (9), and Rose without relief on stopping (17).
        w.Key(Qt::Key_F8);
        QCOMPARE(w.page(), 7);
        QCOMPARE(w.card().AutoDiagnoses(), QString(",2,4,6,9,17,"));
        QCOMPARE(AutoLabels(ui), QStringList({"  Диагноз 2", "  Диагноз 4", "  Диагноз 6", "  Диагноз 9", "  Диагноз 17"}));
        w.Key(Qt::Key_1);
        QCOMPARE(w.focus(), ui->chbRes1);
        w.Key(Qt::Key_Space);
        w.Key(Qt::Key_Return); // no focus movement on page 8
        QCOMPARE(w.focus(), ui->chbRes1);
        w.Key(Qt::Key_Escape); // to the dispensary group
        QCOMPARE(w.focus(), ui->chbDisp1);
        ui->chbDisp3->setFocus();
        w.Key(Qt::Key_Space);
        QVERIFY(TDialogs::Asked().isEmpty() || AskedTexts().last() != "Закрыть КАРТУ СКРИНИНГА?");

        TDialogs::ClearAsked();
        TDialogs::SetNextAnswer(TButton::Yes);
        w.Key(Qt::Key_F6, Qt::ControlModifier);
        QCOMPARE(AskedTexts(), QStringList{"Записать как НОВЫЙ ДОКУМЕНТ ?"});
        QCOMPARE(w.form->result(), 1);
        QVERIFY(!w.form->isVisible());
        QCOMPARE(w.ws.Scalar("select count(*) from Document where DtpGID = 2").toInt(), 1);
        const std::pair<const char*, QVariant> stored[] = {
            {"CardNumber", "А17"}, {"FamilyStatus", 1}, {"PostLID", 1}, {"PostDate", "2020-03-01"},
            {"Hyper", 1}, {"HyperDate", 2010}, {"ADHi", 2}, {"Preparat", 1}, {"Prep1GID", 22},
            {"Prep1Dose", 2.5}, {"Prep1Day", 2}, {"Prep1DayBack", 3}, {"Smoking", 1},
            {"SmokingSigarCount", 10}, {"Rous11", 1}, {"Rous21", 1}, {"Rous3", 0}, {"Rous4", 1},
            {"Rous5", 2}, {"Rous7Where", "1"}, {"Rous8", 1}, {"Rous8Where", "спина"}, {"Rous9Let", 2},
            {"GolovaBolDay", 1}, {"Rost", 175}, {"AD1Hi", 150}, {"AD2Low", 85}, {"ADSredHi", 145},
            {"BloodGluk", 5.2}, {"Trigliceridy", 1.5}, {"Eritrocity", 4.5}, {"Dispanser", 2}};
        for (const auto& [column, value] : stored)
            QVERIFY2(w.Stored(column).toString().startsWith(value.toString()), column);
        const int docLID = w.card().DocLID();
        QCOMPARE(w.ws.Scalar(QString("select group_concat(DiagGID) from MapDiag where DocLID = %1 and DiagType = 1")
                                 .arg(docLID)).toString(), QString("9"));
        QCOMPARE(w.ws.Scalar(QString("select count(*) from MapDiag where DocLID = %1 and DiagType = 0").arg(docLID))
                     .toInt(), 5);

        // Reopened: every page shows what was saved.
        w.Open(docLID);
        ui = w.ui();
        QCOMPARE(ui->edNo->text(), QString("А17"));
        QVERIFY(ui->chbFam2->isChecked());
        QCOMPARE(ui->edPost->text(), QString("ВРАЧ"));
        QVERIFY(Shown(ui->edPostDate));
        QCOMPARE(ui->edPostDate->date(), QDate(2020, 3, 1));
        QCOMPARE(ui->edHyper->text(), QString("2010"));
        QVERIFY(Shown(ui->pnlPrep));
        QCOMPARE(ui->edPrep1->text(), QString("ЭНАЛАПРИЛ"));
        QCOMPARE(ui->edSmokingYes->text(), QString("10"));
        QVERIFY(ui->chbRous11Yes->isChecked() && ui->chbRous5Stay->isChecked() && ui->chbRous71->isChecked());
        QVERIFY(Shown(ui->pnlRous9) && !Shown(ui->pnlRous6));
        QCOMPARE(ui->edRous8->text(), QString("спина"));
        QVERIFY(ui->chbRes1->isChecked() && ui->chbDisp3->isChecked());
        QCOMPARE(ui->edAD3Hi->text(), QString("145"));

        w.Key(Qt::Key_F7);
        w.Enter(ui->edAD1Hi, "160");
        QCOMPARE(ui->edAD3Hi->text(), QString("150"));
        TDialogs::SetNextAnswer(TButton::Yes);
        w.Key(Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(AskedTexts(), QStringList{"Обновить информацию в Базе Данных ?"});
        QCOMPARE(w.form->result(), 6);
        QCOMPARE(w.ws.Scalar("select count(*) from Document").toInt(), 1);
        QCOMPARE(w.Stored("AD1Hi").toInt(), 160);
        QCOMPARE(w.Stored("ADSredHi").toInt(), 150);
    }

    void validationBeforeSaving_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::newRow("disease year") << 0 << kNotGiven << 1 << "edHyper";
        QTest::newRow("medicine without name") << 1 << "Не указан препарат №1" << 1 << "edPrep1";
        QTest::newRow("medicine without days") << 2 << "Не указано поле \"дней назад\" препарата №2" << 1
                                               << "edPrep2DayBack";
        QTest::newRow("cigarettes") << 3 << kNotGiven << 3 << "edSmokingYes";
        QTest::newRow("question 9") << 4 << kNotGiven << 4 << "edRous9";
        QTest::newRow("height") << 5 << kNotGiven << 6 << "edHeight";
    }
    void validationBeforeSaving()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(int, page);
        QFETCH(QString, field);
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        const int pageOf[] = {Qt::Key_F2, Qt::Key_F2, Qt::Key_F2, Qt::Key_F4, Qt::Key_F5, Qt::Key_F7};
        w.Key(pageOf[kind]);
        switch (kind) {
        case 0: w.Tick(ui->chbHyper); break;
        case 1:
        case 2:
            w.Tick(ui->chbPrep);
            if (kind == 1) {
                w.Enter(ui->edPrep1Dose, "5");
            } else {
                ui->edPrep2->setFocus();
                w.PickWithF10("АМЛ");
                w.Enter(ui->edPrep2Count, "1");
            }
            break;
        case 3: w.Tick(ui->chbSmokingYes); break;
        case 4:
            w.Tick(ui->chbRous11Yes);
            for (QCheckBox* b : {ui->chbRous21No, ui->chbRous3No, ui->chbRous4Go, ui->chbRous5Gone,
                                 ui->chbRous6Before10, ui->chbRous72, ui->chbRous8No})
                w.Tick(b);
            break;
        case 5: w.Enter(ui->edHeight, ""); break;
        }
        w.Key(Qt::Key_F1);
        TDialogs::ClearAsked();
        w.Key(Qt::Key_F6, Qt::ControlModifier);
        QCOMPARE(AskedTexts(), QStringList{message});
        QCOMPARE(w.page(), page);
        QCOMPARE(w.focus()->objectName(), field);
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.ws.Scalar("select count(*) from Document").toInt(), 0);
    }

    // A refused entry: the message through the general error display, the field red and
    // focused, the card unchanged.
    void refusedEntries_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("letter, years given up") << 3 << "edSmokingStop" << "1а" << "Вводите только цифры!";
        QTest::newRow("height too big") << 6 << "edHeight" << "300" << "Значение не может быть больше чем 250,00.";
        QTest::newRow("letter, pulse") << 6 << "edPuls" << "7O" << "Вводите только цифры!";
        QTest::newRow("year too early") << 1 << "edHyper" << "1899" << "Значение не может быть меньше чем 1900.";
        QTest::newRow("diastolic without systolic") << 6 << "edAD1Low" << "80"
                                                    << "Значение не может быть больше чем 0.";
        QTest::newRow("dose") << 1 << "edPrep1Dose" << "пять" << "'пять' - неверное дробное значение.";
        QTest::newRow("days ago") << 1 << "edPrep1DayBack" << "2.5" << "'2.5' - неверное целое значение.";
    }
    void refusedEntries()
    {
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        w.Key(Qt::Key_F2);
        w.Tick(ui->chbHyper);
        w.Tick(ui->chbPrep);
        w.Key(Qt::Key_F4);
        w.Tick(ui->chbSmokingStop);
        w.Key(Qt::Key_F1 + page);
        auto edit = Child<QLineEdit>(w.form.get(), field.toLatin1());
        TDialogs::ClearAsked();
        w.Enter(edit, text);
        QCOMPARE(AskedTexts(), QStringList{message});
        QCOMPARE(w.focus(), edit);
        QVERIFY(Red(edit));
        QCOMPARE(w.card().SmokingBrosilLet() + int(w.card().Rost()) + w.card().Puls() + w.card().HyperDate()
                     + w.card().AD1Low() + int(w.card().Prep1Dose()) + w.card().Prep1DayBack(), 0);
        // Corrected, it goes in black.
        w.Enter(edit, "");
        QVERIFY(!Red(edit));
    }

    void decimalSeparatorKey()
    {
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        w.Key(Qt::Key_F7);
        ui->edHolesterin->setFocus();
        ui->edHolesterin->clear();
        TypeText(ui->edHolesterin, "5.2");
        QCOMPARE(ui->edHolesterin->text(), QString("5,2"));
        w.Key(Qt::Key_Return);
        QCOMPARE(w.card().Holest(), 5.2);
        // Elsewhere the keys are the operator's own.
        w.Key(Qt::Key_F1);
        ui->edNo->setFocus();
        TypeText(ui->edNo, "1.2");
        QCOMPARE(ui->edNo->text(), QString("1.2"));
        w.Key(Qt::Key_F7);

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ui->edCOE->setFocus();
        ui->edCOE->clear();
        TypeText(ui->edCOE, "12,5");
        QCOMPARE(ui->edCOE->text(), QString("12.5"));
        w.Key(Qt::Key_Return);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(w.card().COE(), 12.5);
    }

    void roseAnswersWithdrawn()
    {
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        w.Key(Qt::Key_F5);
        w.Tick(ui->chbRous11Yes);
        for (QCheckBox* b : {ui->chbRous21Yes, ui->chbRous3Yes, ui->chbRous4Stop, ui->chbRous5Gone,
                             ui->chbRous6After10, ui->chbRous73})
            w.Tick(b);
        QVERIFY(Shown(ui->pnlRous6) && Shown(ui->pnlRous8));
        w.Tick(ui->chbRous8Yes);
        TypeText(ui->edRous8, "ШЕЯ");
        w.Enter(ui->edRous9, "4");
        QVERIFY(Shown(ui->pnlRous9));
        w.Tick(ui->chbRous11No);
        QVERIFY(Shown(ui->pnlRous12) && !ui->chbRous12Yes->isChecked() && !ui->chbRous12No->isChecked());
        for (QWidget* q : {ui->pnlRous21, ui->pnlRous3, ui->pnlRous5, ui->pnlRous8, ui->pnlRous9})
            QVERIFY(!Shown(q));
        for (QCheckBox* b : {ui->chbRous21Yes, ui->chbRous3Yes, ui->chbRous4Stop, ui->chbRous5Gone,
                             ui->chbRous6After10, ui->chbRous73, ui->chbRous8Yes})
            QVERIFY(!b->isChecked());
        QCOMPARE(ui->edRous8->text(), QString("ШЕЯ"));
        QCOMPARE(ui->edRous9->text(), QString("4"));
        w.Tick(ui->chbRous12Yes);
        QVERIFY(Shown(ui->pnlRous21) && !Shown(ui->pnlRous3));
    }

    // A look at the conclusion half-way through the questionnaire redraws page 5 from the card:
    // questions 4 to 6 not yet answered stay blank, so the answers on screen are the ones the
    // conclusion is drawn from.
    void roseRedrawShowsOnlyGivenAnswers()
    {
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        w.Key(Qt::Key_F5);
        w.Tick(ui->chbRous11Yes);
        for (QCheckBox* b : {ui->chbRous21Yes, ui->chbRous3No})
            w.Tick(b);
        w.Key(Qt::Key_F8);
        w.Key(Qt::Key_F5);
        for (QCheckBox* b : {ui->chbRous4Stop, ui->chbRous4Go, ui->chbRous5Gone, ui->chbRous5Stay,
                             ui->chbRous6Before10, ui->chbRous6After10})
            QVERIFY2(!b->isChecked(), qPrintable(b->objectName()));
        QVERIFY(ui->chbRous21Yes->isChecked() && ui->chbRous3No->isChecked() && Shown(ui->pnlRous4));
        w.Tick(ui->chbRous4Stop);
        w.Tick(ui->chbRous5Gone);
        QVERIFY(Shown(ui->pnlRous6) && !ui->chbRous6Before10->isChecked());
        w.Tick(ui->chbRous6Before10);
        w.Tick(ui->chbRous71);
        w.Tick(ui->chbRous8No);
        w.Enter(ui->edRous9, "2");
        w.Key(Qt::Key_F8);
        QVERIFY2(w.card().AutoDiagnoses().contains(",15,"), qPrintable(w.card().AutoDiagnoses()));
        // A stored answer is still shown by its box.
        w.Key(Qt::Key_F5);
        QVERIFY(ui->chbRous5Gone->isChecked() && ui->chbRous6Before10->isChecked() && ui->chbRous4Stop->isChecked());
    }

    void closeQuestionAndEscOnPage8()
    {
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        TDialogs::SetNextAnswer(TButton::No);
        w.Key(Qt::Key_Escape);
        QCOMPARE(AskedTexts(), QStringList{"Закрыть КАРТУ СКРИНИНГА?"});
        QVERIFY(w.form->isVisible());
        w.Key(Qt::Key_F8);
        ui->chbRes2->setFocus();
        TDialogs::ClearAsked();
        w.Key(Qt::Key_Escape);
        QCOMPARE(w.focus(), ui->chbDisp1);
        QVERIFY(TDialogs::Asked().isEmpty());
        TDialogs::SetNextAnswer(TButton::Yes);
        w.Key(Qt::Key_Escape);
        QCOMPARE(AskedTexts(), QStringList{"Закрыть КАРТУ СКРИНИНГА?"});
        QVERIFY(!w.form->isVisible());
        QCOMPARE(w.form->result(), 2);
    }

    void entryOfTheMainWindow()
    {
        TCardWindow w;
        ExplorerEntries() = TExplorerEntries();
        RegisterScriningCardWindow();
        QVERIFY(ExplorerEntries().EditScriningCard);
        QTimer::singleShot(0, [] {
            auto form = qobject_cast<TScrCardForm*>(QApplication::activeModalWidget());
            if (!form)
                return;
            TDialogs::SetNextAnswer(TButton::Yes);
            QTest::keyClick(form, Qt::Key_Escape);
        });
        QTimer::singleShot(5000, [] { // a failure must not hang the run
            if (QWidget* m = QApplication::activeModalWidget())
                m->close();
        });
        QCOMPARE(ExplorerEntries().EditScriningCard(1, 0), 2);
        ExplorerEntries() = TExplorerEntries();
    }
    // A refused value blocks every way off its page: F2 and the mouse on a tab.
    void refusedValueKeepsThePage()
    {
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        w.Key(Qt::Key_F7);
        w.Enter(ui->edAD1Hi, "90");
        QTabBar* tabs = ui->pcScrCard->tabBar();
        const std::function<void()> ways[] = {
            [&] { w.Key(Qt::Key_F2); },
            [&] { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center()); },
        };
        for (const auto& leave : ways) {
            ui->edAD1Low->setFocus();
            ui->edAD1Low->clear();
            TypeText(ui->edAD1Low, "95");
            TDialogs::ClearAsked();
            leave();
            QCOMPARE(AskedTexts().size(), 1);
            QCOMPARE(w.page(), 6);
            QCOMPARE(w.focus(), ui->edAD1Low);
            QVERIFY(Red(ui->edAD1Low));
            QCOMPARE(w.card().AD1Low(), 0);
        }
    }

    void closesWithTheFocusInACommittingField()
    {
        TCardWindow w;
        w.Open();
        w.Key(Qt::Key_F7);
        w.ui()->edAD1Hi->setFocus();
        TypeText(w.ui()->edAD1Hi, "1x");
        w.form.reset();
        QVERIFY(TDialogs::Asked().isEmpty());
    }
    // Ticked with Space, a drink (or the medicines) shows its boxes, and Tab goes into them:
    // the keyboard path stores what the screen shows.
    void tabGoesIntoTheBoxesATickShows()
    {
        TCardWindow w;
        w.Open();
        auto ui = w.ui();
        struct TCase {
            int pageKey;
            QWidget *box, *first;
        };
        const TCase cases[] = {
            {Qt::Key_F2, ui->chbPrep, ui->edPrep1},
            {Qt::Key_F4, ui->chbBeer, ui->chbBeer1},
            {Qt::Key_F4, ui->chbVine, ui->chbVine1},
            {Qt::Key_F4, ui->chbVodka, ui->chbVodka1},
        };
        w.Key(Qt::Key_F2);
        w.Tick(ui->chbHyper); // the medicines belong to a known hypertension
        for (const TCase& c : cases) {
            w.Key(c.pageKey);
            c.box->setFocus();
            w.Key(Qt::Key_Space);
            w.Key(Qt::Key_Tab);
            QCOMPARE(w.focus(), c.first);
        }
        // Beer from the keyboard alone: frequency, then amount.
        ui->chbBeer->setFocus();
        w.Key(Qt::Key_Tab);
        w.Key(Qt::Key_Space); // chbBeer1
        for (int i = 0; i < 4; ++i)
            w.Key(Qt::Key_Tab);
        QCOMPARE(w.focus(), ui->chbBeer05L);
        w.Key(Qt::Key_Space);
        w.Key(Qt::Key_Tab);
        QVERIFY(w.card().AlkBeer());
        QVERIFY(w.card().AlkBeerFreq() != 0);
        QVERIFY(w.card().AlkBeerCount() != 0);
    }
};

VELTA_TEST_MAIN(TestScrCardForm)
#include "test_scrcard_form.moc"
