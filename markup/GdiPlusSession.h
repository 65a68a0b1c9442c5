#pragma once
#include <windows.h>

#include <cstdint>

namespace Vorlune {

// GDI+ started while it lives, shut down when it goes; every drawing with GDI+ happens inside one.
class GdiPlusSession {
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

    bool Started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

}  // namespace Vorlune
