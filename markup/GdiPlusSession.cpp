#include "markup/GdiPlusSession.h"

#include <algorithm>

using std::max;
using std::min;
#include <gdiplus.h>

namespace Vorlune {

GdiPlusSession::GdiPlusSession() {
    const Gdiplus::GdiplusStartupInput input;
    started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiPlusSession::~GdiPlusSession() {
    if (started_) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace Vorlune
