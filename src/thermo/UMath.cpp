#include "thermo/UMath.h"

void RaiseMathFault(const char* what)
{
    throw MathFault(what);
}
