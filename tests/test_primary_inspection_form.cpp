// The primary inspection sheet window over a real workstation database: a patient, the
// diagnosis book and three medicines. The window is shown modelessly and driven from the
// keyboard; every box is answered through the dialog seam.
#include "DocumentWindowDriver.h"
#include "TestSupport.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Widget_Application.h"
#include "data/Unit_DataModule.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/form_primary_inspection.h"
#include "ui_form_primary_inspection.h"
#include <QTabBar>
#include <QTimer>

using namespace TestSupport;

namespace {
const char* const kCloseQuestion = "Закрыть ЛИСТ ОБСЛЕДОВАНИЯ?";
const char* const kNewQuestion = "Записать как НОВЫЙ ДОКУМЕНТ ?";
const char* const kUpdateQuestion = "Обновить информацию в Базе Данных ?";

void Fixture(TWorkstation& ws, bool withDiagnoses = true)
{
    const char* rows[] = {
        "insert into Hospital(HspGID, MU) values(1, 'ПОЛИКЛИНИКА №1')",
        "insert into Region(RegGID, RegName) values(1, 'ГРОДНЕНСКИЙ')",
        "insert into City(CityLID, CityName, RegGID) values(1, 'ГРОДНО', 1)",
        "insert into Street(StrLID, StrName, CityLID) values(1, 'УЛ. СОВЕТСКАЯ', 1)",
        "insert into Address(AdrLID, AdrHousNum, AdrRoomNum, CityLID, StrLID) values(1, '12', '5', 1, 1)",
        "insert into RegistrationArea(AreaLID, AreaCode, HspGID) values(1, '15', 1)",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, PrnDate, AdrLID, AreaLID) "
        "values(1, 'ПЕТРОВА', 'АННА', 'ИВАНОВНА', '1960-05-01', 1, 1)",
        "insert into MedPreparat(MprGID, MprName1, MprDose, MprDoseDay) values(21, 'Амлодипин', 5, 1)",
        "insert into MedPreparat(MprGID, MprName1, MprDose, MprDoseDay) values(22, 'ЛИЗИНОПРИЛ', 10, 2)",
        "insert into MedPreparat(MprGID, MprName1, MprDose, MprDoseDay) values(23, 'ЭНАЛАПРИЛ', 2.5, 2)",
    };
    for (const char* sql : rows)
        ws.Exec(QString::fromUtf8(sql));
    if (withDiagnoses)
        for (int i = 1; i <= 15; ++i)
            ws.Exec(QString("insert into Diagnosis(DiagGID, DiagName) values(%1, 'Диагноз %1')").arg(i));
}

// A click on a box's mark (a box may stretch far beyond its caption).
void Click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

struct TSheetWindow : TDocumentWindowDriver<TPrimaryInspectionForm> {
    explicit TSheetWindow(bool withDiagnoses = true)
        : TDocumentWindowDriver([withDiagnoses](TWorkstation& ws) { Fixture(ws, withDiagnoses); })
    {
    }
    Ui::PrimaryInspectionForm* ui() const { return form->Form(); }
    const TPIList& sheet() const { return form->Sheet(); }
    bool Red(QWidget* w) const { return TestSupport::Red(w); }
};
}

class TestPrimaryInspectionForm : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        TDialogs::ClearAsked();
        ExplorerEntries() = TExplorerEntries();
    }

    void newSheetOpensWithItsDefaults()
    {
        TSheetWindow w;
        w.Open();
        QCOMPARE(w.form->objectName(), QString("PrimaryInspectionForm"));
        QCOMPARE(w.focus(), w.ui()->edListNo);
        QCOMPARE(w.ui()->pcMain->currentIndex(), 0);
        QCOMPARE(w.ui()->pcResult->currentIndex(), 1);
        QCOMPARE(w.form->windowTitle(), QString("Лист первичного обследования : F1 - Основное"));
        QCOMPARE(w.ui()->edInspectionDate->date(), FixedNow().date());
        QVERIFY(w.ui()->chbSmoking1->isChecked() && !w.ui()->chbSmoking0->isChecked());
        QVERIFY(w.ui()->chbSpirt0->isChecked());
        QVERIFY(w.ui()->chbDisp1->isChecked());
        for (QCheckBox* b : {w.ui()->chbMotherHyper, w.ui()->chbMoterInfarct, w.ui()->chbFatherInsult,
                             w.ui()->chbFatherDiabet})
            QCOMPARE(b->checkState(), Qt::PartiallyChecked);
        for (QLineEdit* e : {w.ui()->edADHi, w.ui()->edADLow, w.ui()->edHeight, w.ui()->edThighSize,
                             w.ui()->edBloodErythrocytes, w.ui()->edGlucose})
            QCOMPARE(e->text(), QString("0"));
        QVERIFY(w.ui()->pnlPreparations->isHidden());
        QCOMPARE(w.ui()->edFName->text(), QString("ПЕТРОВА"));
        QCOMPARE(w.ui()->edBirthday->text(), QString("01.05.1960"));
        QCOMPARE(w.ui()->edRegionName->text(), QString("ГРОДНЕНСКИЙ"));
        QCOMPARE(w.ui()->edStreet->text(), QString("УЛ. СОВЕТСКАЯ"));
        QCOMPARE(w.ui()->edLpuName->text(), QString("ПОЛИКЛИНИКА №1"));
        QCOMPARE(w.ui()->edSection->text(), QString("15"));
        QVERIFY(w.ui()->chbLegendYes->isChecked() && !w.ui()->gbLegend->isEnabled());
    }

    void filledSavedReopenedAndUpdated()
    {
        TSheetWindow w;
        w.Open();
        w.Enter(w.ui()->edListNo, " a1  2");
        QCOMPARE(w.ui()->edListNo->text(), QString("A1 2")); // upper case, blanks normalised
        QCOMPARE(w.sheet().DocNumber(), QString("A1 2"));
        w.Enter(w.ui()->edADHi, "150");
        w.Enter(w.ui()->edADLow, "95");
        w.Enter(w.ui()->edHeight, "175");
        w.Enter(w.ui()->edWeight, "80");
        QCOMPARE(w.sheet().IndexKetle(), 26.1);

        w.Key(Qt::Key_F2);
        QCOMPARE(w.form->windowTitle(), QString("Лист первичного обследования : F2 - Жалобы"));
        w.Tick(w.ui()->chbNoise);
        QVERIFY(w.sheet().CmpNoise());
        w.ui()->chbPreparations->setFocus();
        w.Key(Qt::Key_Space);
        QVERIFY(w.ui()->pnlPreparations->isVisible());
        QCOMPARE(w.focus(), w.ui()->edPrep1); // leaving the box stored the intake
        QVERIFY(w.sheet().PinPrepAD());
        w.PickWithF10("ЛИЗ");
        QCOMPARE(w.ui()->edPrep1->text(), QString("ЛИЗИНОПРИЛ"));
        QCOMPARE(w.ui()->edPrep1Dose->text(), QString("10"));
        QCOMPARE(w.ui()->edPrep1DayDoseCount->text(), QString("2"));
        QCOMPARE(w.sheet().MprGID1(), 22);
        w.Enter(w.ui()->edPrep1Dose, "12,5");
        w.Enter(w.ui()->edPrep1DayDoseCount, "3");

        w.Key(Qt::Key_F3);
        w.ui()->chbSmoking2->setFocus();
        w.Key(Qt::Key_Space); // one-of-N: only "бросил" stays ticked
        w.Key(Qt::Key_Return);
        QCOMPARE(w.sheet().Smoking(), 2);

        w.Key(Qt::Key_F5);
        QCOMPARE(w.form->windowTitle(), QString("Лист первичного обследования : F5 - Заключение и лечение"));
        // 26.1: overweight (2); noise alone (6); 150/95 (9); in the order of the book.
        QCOMPARE(w.ui()->edResultAuto->toPlainText(), QString("Диагноз 2\nДиагноз 6\nДиагноз 9"));
        w.Key(Qt::Key_1);
        QCOMPARE(w.focus(), w.ui()->chbRes1);
        w.Tick(w.ui()->chbRes1);
        QCOMPARE(w.sheet().ExpertDiagnoses(), QString(",9,"));

        TDialogs::SetNextAnswer(TButton::Yes);
        w.Key(Qt::Key_F6, Qt::ControlModifier);
        QCOMPARE(AskedTexts(), QStringList{kNewQuestion});
        QCOMPARE(w.form->result(), int(TPrimaryInspectionForm::SavedAsNew));
        QVERIFY(!w.form->isVisible());
        const int docLID = w.sheet().DocLID();
        QVERIFY(docLID > 0);
        QCOMPARE(w.ws.Scalar("select count(*) from PrimaryInspection").toInt(), 1);
        QCOMPARE(w.ws.Scalar("select ObjCAD || '/' || ObjDAD from PrimaryInspection").toString(), QString("150/95"));
        QCOMPARE(w.ws.Scalar("select MprDose1 from PrimaryInspection").toDouble(), 12.5);
        QCOMPARE(w.ws.Scalar("select group_concat(DiagGID || ':' || DiagType) from "
                             "(select * from PrimDiag order by DiagType, DiagGID)").toString(),
                 QString("2:0,6:0,9:0,9:1"));

        w.Open(docLID);
        QCOMPARE(w.focus(), w.ui()->edADHi);
        QCOMPARE(w.ui()->edListNo->text(), QString("A1 2"));
        QCOMPARE(w.ui()->edWeight->text(), QString("80"));
        QCOMPARE(w.ui()->edPrep1->text(), QString("ЛИЗИНОПРИЛ"));
        QCOMPARE(w.ui()->edPrep1Dose->text(), QString("12,5"));
        QVERIFY(w.ui()->chbSmoking2->isChecked() && !w.ui()->chbSmoking1->isChecked());
        QVERIFY(w.ui()->chbRes1->isChecked());
        QVERIFY(!w.ui()->pnlPreparations->isHidden());
        w.Enter(w.ui()->edADHi, "130"); // the diastolic follows down
        QCOMPARE(w.ui()->edADLow->text(), QString("95"));
        w.Enter(w.ui()->edADLow, "85");
        TDialogs::SetNextAnswer(TButton::Yes);
        w.Key(Qt::Key_F5, Qt::ControlModifier); // page 5 with a fresh conclusion, then the save
        QCOMPARE(AskedTexts(), QStringList{kUpdateQuestion});
        QCOMPARE(w.form->result(), int(TPrimaryInspectionForm::SavedOver));
        QCOMPARE(w.ws.Scalar("select count(*) from Document").toInt(), 1);
        QCOMPARE(w.ws.Scalar("select ObjCAD || '/' || ObjDAD from PrimaryInspection").toString(), QString("130/85"));
        // The intake of medicines keeps 9 in the conclusion.
        QCOMPARE(w.ws.Scalar("select count(*) from PrimDiag where DiagType = 0 and DiagGID = 9").toInt(), 1);
    }

    void updatingANewSheetInsertsIt()
    {
        TSheetWindow w;
        w.Open();
        TDialogs::SetNextAnswer(TButton::Yes);
        w.form->btnUpdateClick();
        QCOMPARE(w.form->result(), int(TPrimaryInspectionForm::SavedOver));
        QCOMPARE(w.ws.Scalar("select count(*) from PrimaryInspection").toInt(), 1);
    }

    void noOrCancelStoresNothing()
    {
        for (int answer : {int(TButton::No), int(TButton::Cancel)}) {
            TSheetWindow w;
            w.Open();
            TDialogs::SetNextAnswer(answer);
            w.form->btnNewClick();
            QVERIFY(w.form->isVisible());
            QCOMPARE(w.ws.Scalar("select count(*) from Document").toInt(), 0);
        }
    }

    void medicineValidation_data()
    {
        QTest::addColumn<QStringList>("row1"); // name, dose, times a day
        QTest::addColumn<QStringList>("row2");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("focused");
        const QStringList none{"", "", ""};
        QTest::newRow("no medicine") << none << QStringList{"", "5", "1"}
                                     << QStringList{"Не указан гипотензивный препарат"} << "edPrep1";
        QTest::newRow("no dose") << QStringList{"А", "", "1"} << none
                                 << QStringList{"Не указана дозировка препарата №1"} << "edPrep1Dose";
        QTest::newRow("no count") << QStringList{"А", "5", ""} << none
                                  << QStringList{"Не указана дозировка препарата №1"} << "edPrep1DayDoseCount";
        QTest::newRow("second row") << QStringList{"А", "5", "1"} << QStringList{"Б", "5", ""}
                                    << QStringList{"Не указана дозировка препарата №2"} << "edPrep2DayDoseCount";
        QTest::newRow("both rows") << QStringList{"А", "", ""} << QStringList{"Б", "", "2"}
                                   << QStringList{"Не указана дозировка препарата №1",
                                                  "Не указана дозировка препарата №2"}
                                   << "edPrep2Dose";
        QTest::newRow("complete") << QStringList{"А", "5", "1"} << none << QStringList{kNewQuestion} << "edListNo";
    }

    void medicineValidation()
    {
        QFETCH(QStringList, row1);
        QFETCH(QStringList, row2);
        QFETCH(QStringList, messages);
        QFETCH(QString, focused);
        TSheetWindow w;
        w.Open();
        w.Key(Qt::Key_F2);
        w.ui()->chbPreparations->setFocus();
        w.Key(Qt::Key_Space);
        const QList<QLineEdit*> edits{w.ui()->edPrep1, w.ui()->edPrep1Dose, w.ui()->edPrep1DayDoseCount,
                                      w.ui()->edPrep2, w.ui()->edPrep2Dose, w.ui()->edPrep2DayDoseCount};
        const QStringList texts = row1 + row2;
        for (int i = 0; i < edits.size(); ++i)
            edits[i]->setText(texts[i]);
        w.Key(Qt::Key_F1);
        TDialogs::SetNextAnswer(TButton::No);
        w.form->btnNewClick();
        QCOMPARE(AskedTexts(), messages);
        QCOMPARE(w.focus()->objectName(), focused);
        QCOMPARE(w.ui()->pcMain->currentIndex(), focused == "edListNo" ? 0 : 1);
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.ws.Scalar("select count(*) from Document").toInt(), 0);
    }

    void medicineGapIsReportedForThePageAndForTheSave()
    {
        TSheetWindow w;
        w.Open();
        w.Key(Qt::Key_F2);
        w.ui()->chbPreparations->setFocus();
        w.Key(Qt::Key_Space);
        w.Key(Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(AskedTexts(), QStringList(2, "Не указан гипотензивный препарат"));
        QCOMPARE(w.ui()->pcMain->currentIndex(), 1);
        QCOMPARE(w.focus(), w.ui()->edPrep1);
        // A click on the conclusion tab checks too.
        TDialogs::ClearAsked();
        w.ui()->pcMain->setCurrentIndex(4);
        QCOMPARE(AskedTexts(), QStringList{"Не указан гипотензивный препарат"});
        QCOMPARE(w.ui()->pcMain->currentIndex(), 1);
    }

    void badNumbersKeepTheFieldAndTheSheet()
    {
        TSheetWindow w;
        w.Open();
        struct TCase {
            QLineEdit* edit;
            const char* text;
            const char* message;
            std::function<double()> value;
        };
        const TPIList& s = w.sheet();
        const TCase cases[] = {
            {w.ui()->edADHi, "1a5", "Вводите только цифры!", [&] { return double(s.ObjCAD()); }},
            {w.ui()->edADHi, "400", "Значение не может быть больше чем 350.", [&] { return double(s.ObjCAD()); }},
            {w.ui()->edHeight, "abc", "Вводите только цифры!", [&] { return s.ObjGrowth(); }},
            {w.ui()->edHeight, "100", "Значение не может быть меньше чем 140,00.", [&] { return s.ObjGrowth(); }},
            {w.ui()->edBloodErythrocytes, "9", "Значение не может быть больше чем 8,00.", [&] { return s.AlsBlRed(); }},
            {w.ui()->edPrep1DayDoseCount, "-2", "Вводите только цифры!", [&] { return double(s.MprFreq1()); }},
        };
        for (const TCase& c : cases) {
            TDialogs::ClearAsked();
            const int page = c.edit == w.ui()->edPrep1DayDoseCount ? 1 : c.edit == w.ui()->edBloodErythrocytes ? 3 : 0;
            if (page == 1) {
                w.ui()->pcMain->setCurrentIndex(1);
                w.ui()->chbPreparations->setChecked(true);
            } else {
                w.ui()->pcMain->setCurrentIndex(page);
            }
            const double before = c.value();
            w.Enter(c.edit, QString::fromUtf8(c.text));
            QCOMPARE(AskedTexts(), QStringList{QString::fromUtf8(c.message)});
            QCOMPARE(w.focus(), c.edit);
            QVERIFY(w.Red(c.edit));
            QCOMPARE(c.value(), before);
            // Corrected, the field turns black and the value goes in.
            w.Enter(c.edit, "");
            QVERIFY(!w.Red(c.edit));
            QCOMPARE(c.value(), 0.0);
            QVERIFY(AskedTexts().size() == 1);
        }
        // The diastolic is entered after the systolic only.
        TDialogs::ClearAsked();
        w.ui()->pcMain->setCurrentIndex(0);
        w.Enter(w.ui()->edADLow, "80");
        QCOMPARE(AskedTexts(), QStringList{"Значение не может быть больше чем 0."});
    }

    void oneOfNGroups()
    {
        TSheetWindow w;
        w.Open();
        w.Key(Qt::Key_F3);
        QCheckBox* gaveUp = w.ui()->chbSmoking2;
        Click(gaveUp);
        QVERIFY(gaveUp->isChecked() && !w.ui()->chbSmoking1->isChecked() && !w.ui()->chbSmoking0->isChecked());
        Click(gaveUp); // a ticked box stays ticked
        QVERIFY(gaveUp->isChecked());
        // Tab order 0, 2, 1: leaving "бросил" forward reaches "курит", which stores nothing.
        QCOMPARE(w.focus(), gaveUp);
        w.Key(Qt::Key_Return);
        QCOMPARE(w.focus(), w.ui()->chbSmoking1);
        w.Key(Qt::Key_Return);
        QCOMPARE(w.sheet().Smoking(), 2);
        Click(w.ui()->chbSpirt3);
        w.Key(Qt::Key_Return);
        QCOMPARE(w.sheet().Spirits(), 3);
        QCOMPARE(int(w.ui()->chbSpirt0->isChecked()) + w.ui()->chbSpirt3->isChecked(), 1);

        w.Key(Qt::Key_F5);
        Click(w.ui()->chbDisp3);
        w.Key(Qt::Key_Return);
        QCOMPARE(int(w.sheet().Dispanser()), 2);
        QVERIFY(!w.ui()->chbDisp1->isChecked());
    }

    void heredityBoxesKeepTheirThreeStates()
    {
        TSheetWindow w;
        w.Open();
        w.Key(Qt::Key_F3);
        QCheckBox* box = w.ui()->chbMotherHyper;
        box->setFocus();
        w.Key(Qt::Key_Return); // through a grey box
        QCOMPARE(w.sheet().HypMother(), 2);
        w.Tick(box); // grey -> ticked
        QCOMPARE(w.sheet().HypMother(), 1);
        w.Tick(box); // ticked -> unticked
        QCOMPARE(w.sheet().HypMother(), 0);
        QCOMPARE(box->text(), QString("артериальная гипертония"));
    }

    void medicineKeys()
    {
        TSheetWindow w;
        w.Open();
        w.Key(Qt::Key_F10); // outside the medicine edits: nothing
        QVERIFY(TDialogs::Asked().isEmpty());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        w.Key(Qt::Key_F2);
        w.ui()->chbPreparations->setFocus();
        w.Key(Qt::Key_Space);
        w.PickWithF10("АМЛ");
        w.ui()->edPrep2DayDoseCount->setFocus();
        w.PickWithF10("ЭНА");
        QCOMPARE(w.sheet().MprGID1(), 21);
        QCOMPARE(w.sheet().MprGID2(), 23);
        QCOMPARE(w.ui()->edPrep2->text(), QString("ЭНАЛАПРИЛ"));
        QCOMPARE(w.ui()->edPrep2Dose->text(), QString("2,5"));

        w.Key(Qt::Key_Delete, Qt::ControlModifier); // the current row, 2
        QCOMPARE(w.sheet().MprGID2(), -1);
        for (QLineEdit* e : {w.ui()->edPrep2, w.ui()->edPrep2Dose, w.ui()->edPrep2DayDoseCount})
            QVERIFY(e->text().isEmpty());
        QCOMPARE(w.ui()->edPrep1->text(), QString("Амлодипин"));

        w.Key(Qt::Key_F1);
        w.Key(Qt::Key_Delete, Qt::ControlModifier); // another page: nothing
        QCOMPARE(w.sheet().MprGID1(), 21);

        // Unticked and left, the box empties both rows; ticked again, the empty block is back.
        w.Key(Qt::Key_F2);
        w.ui()->chbPreparations->setFocus();
        w.Key(Qt::Key_Space);
        QVERIFY(w.ui()->pnlPreparations->isHidden());
        w.Key(Qt::Key_Return);
        QCOMPARE(w.sheet().MprGID1(), -1);
        QVERIFY(!w.sheet().PinPrepAD());
        Click(w.ui()->chbPreparations);
        QCOMPARE(w.focus(), w.ui()->edPrep1);
        QVERIFY(w.ui()->edPrep1->text().isEmpty() && w.ui()->edPrep1Dose->text().isEmpty());
    }

    void escapeAsksBeforeClosing()
    {
        TSheetWindow w;
        w.Open();
        TDialogs::SetNextAnswer(TButton::No);
        w.Key(Qt::Key_Escape);
        QCOMPARE(AskedTexts(), QStringList{kCloseQuestion});
        QVERIFY(w.form->isVisible());

        // In the conclusion tabs Esc only leaves them for "не состоит".
        TDialogs::ClearAsked();
        w.Key(Qt::Key_F5);
        w.Key(Qt::Key_2);
        QCOMPARE(w.focus(), w.ui()->edResultAuto);
        w.Key(Qt::Key_Escape);
        QCOMPARE(w.focus(), w.ui()->chbDisp1);
        QVERIFY(TDialogs::Asked().isEmpty());
        TDialogs::SetNextAnswer(TButton::Yes);
        w.Key(Qt::Key_Escape);
        QCOMPARE(AskedTexts(), QStringList{kCloseQuestion});
        QCOMPARE(w.form->result(), int(TPrimaryInspectionForm::NotSaved));
        QVERIFY(!w.form->isVisible());
    }

    void editDocumentThroughTheMainWindowsEntry()
    {
        TSheetWindow w;
        RegisterPrimaryInspectionWindow();
        QVERIFY(bool(ExplorerEntries().EditPrimaryInspection));
        QTimer::singleShot(0, [] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window && window->objectName() == "PrimaryInspectionForm");
            if (!QTest::qWaitForWindowActive(window))
                qWarning("the sheet window did not become active");
            TDialogs::SetNextAnswer(TButton::Yes);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QCOMPARE(ExplorerEntries().EditPrimaryInspection(1, 0), 2);
        QCOMPARE(AskedTexts(), QStringList{kCloseQuestion});
        // The cancel button closes without a question.
        TDialogs::ClearAsked();
        QTimer::singleShot(0, [] {
            QWidget* window = QApplication::activeModalWidget();
            QTest::mouseClick(Child<QPushButton>(window, "btnCancel"), Qt::LeftButton);
        });
        QCOMPARE(ExplorerEntries().EditPrimaryInspection(1, 0), 2);
        QVERIFY(TDialogs::Asked().isEmpty());
    }

    void emptyDiagnosisTableKeepsTheWindowClosed()
    {
        TSheetWindow w(false);
        TPrimaryInspectionForm form;
        QVERIFY_THROWS_EXCEPTION(EAppInfoException, form.EditDocument(1, 0));
        QVERIFY(!form.isVisible());
    }
    // A refused value blocks every way off its page: F2 and the mouse on a tab, as Tab does.
    void refusedValueKeepsThePage()
    {
        TSheetWindow w;
        w.Open();
        auto ui = w.ui();
        w.Enter(ui->edADHi, "90");
        QTabBar* tabs = ui->pcMain->tabBar();
        const std::function<void()> ways[] = {
            [&] { w.Key(Qt::Key_F2); },
            [&] { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center()); },
        };
        for (const auto& leave : ways) {
            ui->edADLow->setFocus();
            ui->edADLow->clear();
            TypeText(ui->edADLow, "95");
            TDialogs::ClearAsked();
            leave();
            QCOMPARE(AskedTexts().size(), 1);
            QCOMPARE(ui->pcMain->currentIndex(), 0);
            QCOMPARE(w.focus(), ui->edADLow);
            QVERIFY(w.Red(ui->edADLow));
            QCOMPARE(w.sheet().ObjDAD(), 0);
        }
        // Mended, the same keys move on.
        ui->edADLow->clear();
        TypeText(ui->edADLow, "60");
        w.Key(Qt::Key_F2);
        QCOMPARE(ui->pcMain->currentIndex(), 1);
        QCOMPARE(w.sheet().ObjDAD(), 60);
    }

    // The window goes while a field that commits on leaving has the focus: nothing is
    // committed or reported from controls that are being taken down.
    void closesWithTheFocusInACommittingField()
    {
        TSheetWindow w;
        w.Open();
        w.ui()->edADHi->setFocus();
        TypeText(w.ui()->edADHi, "1x");
        w.form.reset();
        QVERIFY(TDialogs::Asked().isEmpty());
    }
};

VELTA_TEST_MAIN(TestPrimaryInspectionForm)
#include "test_primary_inspection_form.moc"
