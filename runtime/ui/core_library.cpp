#include "runtime/ui/core_library.h"

#include "runtime/core/library_notify.h"
#include "runtime/core/notify_codes.h"
#include "runtime/ui/units/unit_types.h"
#include "runtime/ui/window_layer.h"

namespace tessaly::ui {

intptr_t coreLibraryNotify(int32_t code, intptr_t value1, intptr_t value2)
{
    if (code == LibraryNotify::Start) {
        WindowLayer::instance().install();
        registerUnitTypes();
    }
    return tessaly::coreLibraryNotify(code, value1, value2);
}

}  // namespace tessaly::ui
