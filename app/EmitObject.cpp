#include "EmitObject.h"

EmitObject *EmitObject::instance()
{
    static EmitObject *hub = new EmitObject;
    return hub;
}
