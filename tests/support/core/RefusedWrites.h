#pragma once

// While alive, every write into a regular file fails as on a full disk (the file-size limit
// is set to 0, or to a few bytes so that small files such as lock files can still be written).
// Unlike read-only permissions this also holds when the tests run as root.
class RefusedWrites
{
public:
    explicit RefusedWrites(unsigned long long limitBytes = 0);
    ~RefusedWrites();
    RefusedWrites(const RefusedWrites&) = delete;
    RefusedWrites& operator=(const RefusedWrites&) = delete;

    // False where the platform offers no such limit; tests then skip.
    static bool available();

private:
    unsigned long long m_soft = 0;
    bool m_active = false;
};
