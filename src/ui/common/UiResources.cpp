#include "ui/common/UiResources.h"

#include <QtGlobal>

// Resource registration functions are declared at global scope, so the
// registering calls cannot sit inside our namespace.
static void registerUiResources() {
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(toolbar);
    Q_INIT_RESOURCE(displays);
    Q_INIT_RESOURCE(recorder);
    Q_INIT_RESOURCE(manual);
}

namespace telmora {

void InitUiResources() {
    static const bool registered = (registerUiResources(), true);
    (void)registered;
}

} // namespace telmora
