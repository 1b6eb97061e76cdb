#include "app/AppResources.h"

#include <QtGlobal>

static void initResourcesOutsideNamespace()
{
    Q_INIT_RESOURCE(resources);
}

void AppResources::init()
{
    initResourcesOutsideNamespace();
}
