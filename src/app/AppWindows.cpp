#include "app/AppWindows.h"

namespace telmora {

AppWindows& Windows() {
    static AppWindows windows;
    return windows;
}

} // namespace telmora
