#include "app/Unit_Exceptions.h"

QString ExceptionText(const std::exception& e)
{
    if (auto v = dynamic_cast<const TVeltaException*>(&e))
        return v->Message();
    return QString::fromUtf8(e.what());
}
