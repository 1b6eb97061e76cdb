#include "WindowStores.h"

WindowStores::WindowStores() : history(m_historyFolder.path())
{
    if (!m_historyFolder.isValid())
        qFatal("no temporary folder for the history");
}
