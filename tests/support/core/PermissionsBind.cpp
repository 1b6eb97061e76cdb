#include "PermissionsBind.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#endif

PermissionsBind::PermissionsBind()
{
#ifdef Q_OS_UNIX
    if (geteuid() != 0) {
        m_active = true;
        return;
    }
#endif
#ifdef Q_OS_LINUX
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    m_effective[0] = data[0].effective;
    m_effective[1] = data[1].effective;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
        data[cap / 32].effective &= ~(1u << (cap % 32));
    m_dropped = syscall(SYS_capset, &header, data) == 0;
    m_active = m_dropped;
#endif
}

PermissionsBind::~PermissionsBind()
{
#ifdef Q_OS_LINUX
    if (!m_dropped)
        return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    data[0].effective = m_effective[0];
    data[1].effective = m_effective[1];
    syscall(SYS_capset, &header, data);
#endif
}
