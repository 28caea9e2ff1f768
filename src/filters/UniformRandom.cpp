#include "filters/UniformRandom.h"

UniformRandom &ProgramRandom()
{
    static UniformRandom generator;
    return generator;
}
