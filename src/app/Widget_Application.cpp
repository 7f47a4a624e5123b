#include "app/Widget_Application.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"

TVeltaApplication::TVeltaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVeltaApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowApplicationException(e);
    } catch (...) {
        // Nothing the program throws lands here; still, the loop must survive it.
        TDialogs::Error(QStringLiteral("Непредвиденная ошибка."));
    }
    return false;
}

QString WithFinalFullStop(const QString& text)
{
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + u'.';
    return text;
}

void ShowApplicationException(const std::exception& e)
{
    if (dynamic_cast<const EAbort*>(&e))
        return;
    TDialogs::Error(WithFinalFullStop(ExceptionText(e)));
}
