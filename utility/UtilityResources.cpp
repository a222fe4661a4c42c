#include "utility/UtilityResources.h"

#include <QtGlobal>

// The registration function lives in the global namespace, so it is called from here.
static void RegisterLexorimResources()
{
    Q_INIT_RESOURCE(lexorim);
}

namespace utility {

void InitUtilityResources()
{
    static const bool registered = (RegisterLexorimResources(), true);
    (void)registered;
}

} // namespace utility
