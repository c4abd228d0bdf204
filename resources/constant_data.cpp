#include "resources/constant_data.h"

namespace tessaly::program {

constinit const ConstantData constants = {
    .emptyText = {0, 0, 0, 0},
    .emptyByteSet = {1, 0},
};

}  // namespace tessaly::program
