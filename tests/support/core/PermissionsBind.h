#pragma once

// While alive, file permission bits bind this thread even when the tests run as root: the
// capabilities that override them are dropped from its effective set and restored after.
class PermissionsBind
{
public:
    PermissionsBind();
    ~PermissionsBind();
    PermissionsBind(const PermissionsBind&) = delete;
    PermissionsBind& operator=(const PermissionsBind&) = delete;

    // False where permissions cannot be made to bind (root without capability control);
    // tests then skip.
    bool active() const { return m_active; }

private:
    bool m_active = false;
    bool m_dropped = false;
    unsigned m_effective[2] = {0, 0};
};
