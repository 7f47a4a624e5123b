#include "documents/Class_KopeObject.h"
#include <QCoreApplication>

void TKopeObject::Init()
{
    // Without an application object (a bare library user) the folder is unknown.
    m_AppPath = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() + QLatin1Char('/')
                                             : QString();
}
