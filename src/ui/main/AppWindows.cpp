#include "ui/main/AppWindows.h"

namespace telmora {

AppWindows& Windows() {
    static AppWindows windows;
    return windows;
}

} // namespace telmora
