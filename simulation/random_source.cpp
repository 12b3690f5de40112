#include "random_source.h"

RandomSource& SharedRandom() {
    static RandomSource source;
    return source;
}
