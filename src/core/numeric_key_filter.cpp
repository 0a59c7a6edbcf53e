#include "core/numeric_key_filter.h"

namespace zemtral {

bool NumericKeyFilter(int& keyCode) {
    if (keyCode >= '0' && keyCode <= '9') {
        return true;
    }
    switch (keyCode) {
        case ',':
            keyCode = '.';
            return true;
        case 'E':
        case 'e':
        case '-':
        case '.':
        case 13:
        case 8:
        case 127:
            return true;
        default:
            return false;
    }
}

}  // namespace zemtral
