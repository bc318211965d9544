#include "resources/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares its initialiser in the enclosing namespace, so it
// must be expanded at global scope.
void InitResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(translations);
}
