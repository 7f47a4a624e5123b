#pragma once
// What every test shares: a temporary workstation (settings file, alias registry, folders,
// an empty workstation database), the ru_RU locale, a fixed clock, and the dialog seam
// cleared between cases.
#include "app/Unit_GlobalObjects.h"
#include "app/Widget_Application.h"
#include <QApplication>
#include <QSqlDatabase>
#include <QTest>
#include <QTemporaryDir>
#include <memory>

namespace TestSupport {

// The control of a window by its component name; the test stops when there is none.
template <class T> T* Child(QObject* window, const char* name)
{
    T* c = window->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}
// Types text into a control key by key (QTest::keyClicks handles Latin-1 only).
void TypeText(QWidget* w, const QString& text);
// The texts of every box and dialog asked through the dialog seam so far.
QStringList AskedTexts();

// Called from main() of each test before the test object runs.
void InitEnvironment();

// The fixed moment every test starts at: 10 December 2026, 10:00:00.
QDateTime FixedNow();

class TWorkstation {
public:
    // Makes folders main/, poly/, import/, export/ and an empty workstation database in main/.
    // With withLocations the alias registry and settings point at them.
    explicit TWorkstation(bool withLocations = true, bool withDatabase = true);
    ~TWorkstation();
    QString Root() const { return m_dir.path() + "/"; }
    QString SettingsFile() const { return Root() + "velta.ini"; }
    QString AliasFile() const { return Root() + "aliases.ini"; }
    QString MainFolder() const { return Root() + "main/"; }
    QString PolyFolder() const { return Root() + "poly/"; }
    QString ImportFolder() const { return Root() + "import/"; }
    QString ExportFolder() const { return Root() + "export/"; }
    QString DatabaseFile() const { return MainFolder() + "velta.db"; }
    // A settings object over this workstation's files, also installed as AppInfo().
    TAppInfo& Info();
    // A connection of the test's own to the workstation database (for fixtures and checks).
    QSqlDatabase Db();
    void Exec(const QString& sql);
    QVariant Scalar(const QString& sql);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TAppInfo> m_info;
};

} // namespace TestSupport

#define VELTA_TEST_MAIN(TestClass)                                                                   \
    int main(int argc, char** argv)                                                                  \
    {                                                                                                \
        TVeltaApplication app(argc, argv);                                                           \
        TestSupport::InitEnvironment();                                                              \
        TestClass tc;                                                                                \
        return QTest::qExec(&tc, argc, argv);                                                        \
    }
