#include "app/constant_data.h"

namespace tessaly::program {

constinit const ConstantData constants = {
    .emptyText = {0, 0, 0, 0},
    .emptyByteSet = {1, 0},
    .trayIconHeader = {1, TrayIconFileSize},
    .trayIcon = {
#include "resources/tray_icon_bytes.inc"
    },
};

}  // namespace tessaly::program
