#include "RefusedWrites.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

bool RefusedWrites::available()
{
#ifdef Q_OS_UNIX
    return true;
#else
    return false;
#endif
}

RefusedWrites::RefusedWrites(unsigned long long limitBytes)
{
#ifdef Q_OS_UNIX
    // Over the limit the kernel raises SIGXFSZ, which would end the test; the write's
    // error code is what the program should see.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        m_soft = limit.rlim_cur;
        limit.rlim_cur = static_cast<rlim_t>(limitBytes);
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
#else
    Q_UNUSED(limitBytes)
#endif
}

RefusedWrites::~RefusedWrites()
{
#ifdef Q_OS_UNIX
    if (m_active) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(m_soft);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
#endif
}
