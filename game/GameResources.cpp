#include "game/GameResources.h"

#include <QtGlobal>

// The registration function lives in the global namespace, so it is called from here.
static void RegisterGarvoResources()
{
    Q_INIT_RESOURCE(garvo);
}

namespace game {

void InitGameResources()
{
    static const bool registered = (RegisterGarvoResources(), true);
    (void)registered;
}

} // namespace game
