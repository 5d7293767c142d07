#include "meter/AppState.h"

namespace telmora {

AppState& App() {
    static AppState state;
    return state;
}

} // namespace telmora
