#include "device/DevicePlugin.h"

IDevicePlugin::~IDevicePlugin() = default;
