#pragma once
// A sheet and a card with every stored answer filled in, as "Column=value" pairs: each a valid
// value that differs from a new document's. Shared by the storage tests and benchmarks.

// Every column read back, with a valid value that differs from a new document's.
inline constexpr const char* kFullSheet =
    "PinNumber=Л-17;PinInsCode=К1;PinInsDate=2026-11-03 14:25:00;ObjCAD=150;ObjDAD=95;ObjCircTh=104.5;"
    "ObjCircWst=96.5;ObjGrowth=176;ObjMass=82.4;CmpHeadach=101;CmpGiddine=1;CmpNoise=1;CmpLowerin=1;"
    "CmpFatig=1;CmpDiffic=1;CmpIrritab=1;CmpUrInc=1;CmpUrStran=1;CmpUrNight=1;CmpUrColor=1;CmpBrFast=1;"
    "CmpBrSlow=1;PinPrepAD=1;HypFather=1;HypMother=0;InfFather=1;InfMother=0;InsFather=0;InsMother=1;"
    "DiabetFather=1;DiabetMother=0;Smoking=2;Spirits=3;AlsUrAlbum=12.5;AlsUrLeucs=3;AlsUrRed=2;AlsBlHb=135;"
    "AlsBlCOE=12;AlsBlRed=4.5;AlsBlChol=6.2;AlsBlGluk=5.4;EKGHemChng=1;EKGDeprSt=1;EKGNegT=1;EyeAngGip=1;"
    "EyeAngAter=1;Dispanser=2;MprGID1=7;MprDose1=12.5;MprFreq1=2;MprGID2=9;MprDose2=25;MprFreq2=3";

inline constexpr const char* kFullCard =
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

