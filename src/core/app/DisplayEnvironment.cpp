#include "core/app/DisplayEnvironment.h"

#include <QByteArray>
#include <QtGlobal>

namespace {
const char* const NoSharedMemory = "QT_XCB_NO_MITSHM";
}

bool DisplayEnvironment::prepare()
{
    if (qEnvironmentVariableIsSet(NoSharedMemory))
        return false;
    qputenv(NoSharedMemory, "1");
    return true;
}

void DisplayEnvironment::release(bool setByPrepare)
{
    if (setByPrepare)
        qunsetenv(NoSharedMemory);
}
