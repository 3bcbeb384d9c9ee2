#include "common/SharedState.h"

namespace ulk {

SharedState &shared()
{
    static SharedState state;
    return state;
}

} // namespace ulk
