// What the frame needs of the window layer. The window layer lives above the
// core and plugs itself in at start-up (the core library's notification 1),
// so the core never names it.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/core/runtime_error.h"
#include "runtime/core/service_table.h"

namespace tessaly {

class WindowSystem : public ErrorSubject {
public:
    // Start-up step 11: read the template block; routine words become code base + offset.
    virtual void loadTemplates(std::span<const uint8_t> block, uintptr_t codeBase) = 0;
    // Shutdown step 4.
    virtual void releaseTemplates() = 0;
    virtual bool anyWindowLoaded() const = 0;
    // Runs before a message is dispatched; true when the message was handled.
    virtual bool filterMessage(void* msg) = 0;
    // The framework's idle handler; true asks for more idle calls.
    virtual bool idle(int32_t count) = 0;
    // RuntimeNotify codes that belong to the window layer; handled says whether it knew the code.
    virtual intptr_t notify(int32_t code, intptr_t value1, intptr_t value2, bool& handled) = 0;
    // Requests 4 and 5 and slots 4 and 5.
    virtual intptr_t readObjectProperty(uint32_t dataType, void* object, int32_t property, TypedValue* out) = 0;
    virtual intptr_t writeObjectProperty(uint32_t dataType, void* object, int32_t property, const TypedValue& value) = 0;
    virtual TypedValue getProperty(const PropertyAccess& access) = 0;
    virtual void setProperty(const PropertyAccess& access, const TypedValue& value) = 0;
    // Slot 11; false when the window cannot be loaded.
    virtual bool loadStartupWindow(uint32_t windowId) = 0;
};

}  // namespace tessaly
