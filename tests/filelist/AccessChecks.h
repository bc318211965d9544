#pragma once

#include <QtGlobal>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Makes the file system refuse what permissions forbid, also to root, by
// dropping the overrides of access checks from the effective capabilities
// while the object lives. They stay permitted, so they come back.
class CAccessChecks
{
public:
    CAccessChecks()
    {
        header.version = _LINUX_CAPABILITY_VERSION_3;
        header.pid = 0;
        if (::syscall(SYS_capget, &header, saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {saved[0], saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        bDropped = ::syscall(SYS_capset, &header, reduced) == 0;
    }
    ~CAccessChecks()
    {
        if (bDropped)
            ::syscall(SYS_capset, &header, saved);
    }
    CAccessChecks(const CAccessChecks&) = delete;
    CAccessChecks& operator=(const CAccessChecks&) = delete;

    // Whether permissions now hold for this process.
    bool IsEnforced() const { return bDropped || ::geteuid() != 0; }

private:
    __user_cap_header_struct header{};
    __user_cap_data_struct saved[2]{};
    bool bDropped = false;
};
