#include "dataaccess/qemlayerstate.h"

namespace QemState {

void reset()
{
    CurrentServerType = -1;
    ConvertDateLiterals = -1;
    CurrentUserID = 0;
    LogUser.clear();
    LogStation.clear();
    LogStationSuffix.clear();
}

}  // namespace QemState
