#include "identity.h"

Identity NextIdentity() {
    static Identity next = 0;
    return ++next;
}
