#include "BusTypes.h"

#include <QDBusMetaType>

namespace vexa::bluezdouble {

void registerBusTypes() {
    qDBusRegisterMetaType<InterfaceMap>();
    qDBusRegisterMetaType<ManagedObjects>();
    qDBusRegisterMetaType<CallCounts>();
}

} // namespace vexa::bluezdouble
