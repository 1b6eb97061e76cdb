#include "core/app/DisplayEnvironment.h"

#include <QByteArray>
#include <QtGlobal>

void DisplayEnvironment::prepare()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}
